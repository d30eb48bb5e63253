// The sea at a glance: which sound each sector makes, where and when.
#include "battle/coup_d_oeil.h"

#include "audio/stereo.h"

#include <algorithm>

namespace {
// A row or a column: 12 sectors in 1.29 s, the last sound ringing out included.
constexpr int PAS_LIGNE_MS = 110;
// The hits of a whole sea: a step along a row, a breath more when the row changes, and the longest run.
constexpr int PAS_TOUCHES_MS = 100;
constexpr int SOUFFLE_MS = 100;
constexpr int DERNIER_DEBUT_MS = 2900;

int longueurDeClasse(const QString& nom) {
    for (const ClasseNavire& c : CLASSES_NAVIRES)
        if (racine(nom) == QLatin1String(c.image))
            return c.longueur;
    return 0;
}

// Whether the ship lying over that sector has every cell hit.
bool coule(const Grille& plan, const Grille& tirs, int colonne, int ligne) {
    for (int c = 1; c <= TAILLE_MER; ++c) {
        for (int r = 1; r <= TAILLE_MER; ++r) {
            if (!estNomNavire(plan(c, r)))
                continue;
            const bool horizontal = plan(c, r).endsWith(QLatin1Char('H'));
            const int longueur = longueurDeClasse(plan(c, r));
            bool dessus = false, toutTouche = true;
            for (int i = 0; i < longueur; ++i) {
                const int cc = horizontal ? c + i : c, rr = horizontal ? r : r + i;
                if (cc > TAILLE_MER || rr > TAILLE_MER)
                    break;
                dessus = dessus || (cc == colonne && rr == ligne);
                toutTouche = toutTouche && estMarque(tirs(cc, rr), Marque::Touche);
            }
            if (dessus)
                return toutTouche;
        }
    }
    return false;
}

double balanceDe(int colonne) {
    return balanceDeColonne(colonne - 1, TAILLE_MER);
}
} // namespace

const std::array<SonDEtat, 5>& sonsDEtats() {
    static const std::array<SonDEtat, 5> sons{{
        {EtatSecteur::Inexplore, "WaveOeilInexplore", QStringLiteral("Inexploré")},
        {EtatSecteur::Eau, "WaveOeilEau", QStringLiteral("À l'eau")},
        {EtatSecteur::Touche, "WaveOeilTouche", QStringLiteral("Touché")},
        {EtatSecteur::Coule, "WaveOeilCoule", QStringLiteral("Coulé")},
        {EtatSecteur::Intact, "WaveOeilIntact", QStringLiteral("Navire intact")},
    }};
    return sons;
}

EtatSecteur etatSecteur(const Grille& plan, const Grille& tirs, bool notreMer, int colonne, int ligne) {
    const std::optional<Marque> marque = marqueDe(tirs(colonne, ligne));
    if (marque == Marque::Manque)
        return EtatSecteur::Eau;
    if (marque == Marque::Touche)
        return coule(plan, tirs, colonne, ligne) ? EtatSecteur::Coule : EtatSecteur::Touche;
    return notreMer && !plan(colonne, ligne).isEmpty() ? EtatSecteur::Intact : EtatSecteur::Inexplore;
}

double demiTonsDeLigne(int ligne) {
    return (TAILLE_MER + 1) / 2.0 - ligne;
}

QList<NoteCoupDOeil> coupDOeilLigne(const Grille& plan, const Grille& tirs, bool notreMer, bool colonne,
                                    int numero) {
    QList<NoteCoupDOeil> notes;
    for (int i = 1; i <= TAILLE_MER; ++i) {
        const int c = colonne ? numero : i, r = colonne ? i : numero;
        notes.append({etatSecteur(plan, tirs, notreMer, c, r), balanceDe(c), colonne ? demiTonsDeLigne(r) : 0,
                      (i - 1) * PAS_LIGNE_MS});
    }
    return notes;
}

QList<NoteCoupDOeil> coupDOeilTouches(const Grille& plan, const Grille& tirs) {
    QList<NoteCoupDOeil> notes;
    int t = 0, derniere = 0;
    for (int r = 1; r <= TAILLE_MER; ++r) {
        for (int c = 1; c <= TAILLE_MER; ++c) {
            if (!estMarque(tirs(c, r), Marque::Touche))
                continue;
            if (!notes.isEmpty())
                t += PAS_TOUCHES_MS + (r != derniere ? SOUFFLE_MS : 0);
            derniere = r;
            notes.append({etatSecteur(plan, tirs, false, c, r), balanceDe(c), demiTonsDeLigne(r), t});
        }
    }
    // A sea full of hits is heard faster rather than longer.
    if (t > DERNIER_DEBUT_MS)
        for (NoteCoupDOeil& n : notes)
            n.debutMs = n.debutMs * DERNIER_DEBUT_MS / t;
    return notes;
}
