// The computer's targeting: random search, probes around a first hit, then a walk along the ship.
#include "battle/ciblage.h"

#include <QList>

#include <cstdlib>
#include <optional>

namespace {

const QString& TOUCHE = nomMarque(Marque::Touche);
const QString& MANQUE = nomMarque(Marque::Manque);
const QString HORIZONTAL = QStringLiteral("H");
const QString VERTICAL = QStringLiteral("V");

// From this attempt of a turn on, the turn gives up the pursuit and fires at random.
constexpr int TENTATIVES_MAX_POURSUITE = 1000;

bool surLaMer(const Case& c) {
    return c.colonne >= 1 && c.colonne <= TAILLE_MER && c.ligne >= 1 && c.ligne <= TAILLE_MER;
}

bool resteUneCase(const Grille& tirs) {
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (tirs(c, r).isEmpty())
                return true;
    return false;
}

} // namespace

bool MarqueTirEnnemi(Grille& tirs, const Grille& mer, int colonne, int ligne, t_coup_ia& coup_ia) {
    const QString& marque = tirs(colonne, ligne);
    if (!marque.isEmpty()) {
        // Already fired at: the walk takes it for a miss, unless it is a hit right by the origin,
        // which the walk steps over without losing its way.
        if (!coup_ia.sens.isEmpty() && marque == MANQUE)
            coup_ia.suite = false;
        else if (marque == TOUCHE && std::abs(coup_ia.colonne_cible - coup_ia.colonne_origine) >= 2)
            coup_ia.suite = false;
        else if (std::abs(coup_ia.ligne_cible - coup_ia.ligne_origine) >= 2)
            coup_ia.suite = false;
        return false;
    }
    if (mer(colonne, ligne).isEmpty()) {
        tirs(colonne, ligne) = MANQUE;
        coup_ia.suite = false;
        return true;
    }
    tirs(colonne, ligne) = TOUCHE;
    if (!coup_ia.poursuite) {
        coup_ia.colonne_origine = colonne;
        coup_ia.ligne_origine = ligne;
        coup_ia.poursuite = true;
        return true;
    }
    coup_ia.suite = true;
    // Only a hit right next to the origin tells which way the ship lies.
    if (std::abs(coup_ia.colonne_cible - coup_ia.colonne_origine) == 1 ||
        std::abs(coup_ia.ligne_cible - coup_ia.ligne_origine) == 1)
        coup_ia.sens = colonne == coup_ia.colonne_origine ? VERTICAL : HORIZONTAL;
    return true;
}

Case CibleSuivante(t_coup_ia& coup_ia, Hasard& hasard) {
    const int c0 = coup_ia.colonne_origine;
    const int r0 = coup_ia.ligne_origine;
    if (coup_ia.sens.isEmpty()) {
        const quint32 a = hasard.tirage(2);
        const quint32 b = hasard.tirage(2);
        const int d = coup_ia.ecart;
        if (a == 0 && b == 0) {
            coup_ia.colonne_cible = c0;
            coup_ia.ligne_cible = r0 - d;
            coup_ia.essai_haut = true;
        } else if (a == 0) {
            coup_ia.colonne_cible = c0 + d;
            coup_ia.ligne_cible = r0;
            coup_ia.essai_droite = true;
        } else if (b == 0) {
            coup_ia.colonne_cible = c0;
            coup_ia.ligne_cible = r0 + d;
            coup_ia.essai_bas = true;
        } else {
            coup_ia.colonne_cible = c0 - d;
            coup_ia.ligne_cible = r0;
            coup_ia.essai_gauche = true;
        }
        // Every direction has come up at this distance: the next probes reach one cell farther.
        if (coup_ia.essai_droite && coup_ia.essai_haut && coup_ia.essai_bas && coup_ia.essai_gauche) {
            ++coup_ia.ecart;
            coup_ia.essai_droite = coup_ia.essai_haut = coup_ia.essai_bas = coup_ia.essai_gauche = false;
        }
    } else if (coup_ia.sens == VERTICAL) {
        AvanceSens(coup_ia, coup_ia.ligne_cible, coup_ia.colonne_cible, r0, c0, HORIZONTAL);
    } else {
        AvanceSens(coup_ia, coup_ia.colonne_cible, coup_ia.ligne_cible, c0, r0, VERTICAL);
    }
    return {coup_ia.colonne_cible, coup_ia.ligne_cible};
}

void AvanceSens(t_coup_ia& coup_ia, int& along, int& across, int a, int b, const QString& autre) {
    if (coup_ia.suite && !coup_ia.retour) {
        // Forward, stepping over the origin.
        ++along;
        if (along == a)
            ++along;
    } else if (!coup_ia.suite && !coup_ia.retour) {
        // First miss: back to the other side of the origin.
        coup_ia.suite = true;
        coup_ia.retour = true;
        along = a - 1;
    } else if (coup_ia.suite) {
        --along;
    } else {
        // Second miss: try the other axis, first below or right of the origin.
        coup_ia.retour = false;
        across = b + 1;
        along = a;
        coup_ia.suite = false;
        coup_ia.sens = autre;
    }
}

quint32 msSuivante(quint32 ms) {
    constexpr quint32 MS_PAR_JOUR = 24u * 3600u * 1000u;
    return (ms + 1) % MS_PAR_JOUR;
}

TirEnnemi choisirEtTirer(Partie& partie, Hasard& hasard, Niveau niveau) {
    TirEnnemi tir;
    // A sea with every cell fired at leaves nothing to aim at; the loop below would never end.
    if (!resteUneCase(partie.tirs_adverse))
        return tir;
    t_coup_ia& coup_ia = partie.coup_ia;
    if (niveau == Niveau::Vraisemblance) {
        tir.cible = cibleVraisemblable(partie, hasard);
        tir.tentatives = 1;
        MarqueTirEnnemi(partie.tirs_adverse, partie.mer_joueur, tir.cible.colonne, tir.cible.ligne, coup_ia);
        return tir;
    }
    // The millisecond the last draw of this turn was seeded from, once the clock has been read.
    std::optional<quint32> graine;
    auto semer = [&](bool sansAttendre) {
        graine = sansAttendre && graine ? msSuivante(*graine) : hasard.horloge().heureDuJourMs();
        hasard.graine(*graine);
    };
    bool enRecherche = false;
    for (;;) {
        ++tir.tentatives;
        if (tir.tentatives >= TENTATIVES_MAX_POURSUITE)
            coup_ia.poursuite = false;
        Case cible;
        if (coup_ia.poursuite) {
            semer(niveau == Niveau::Tenace);
            cible = CibleSuivante(coup_ia, hasard);
        } else {
            // The search's first draw takes the clock as it reads now, as every attempt did; the
            // following ones the next milliseconds it would have reached.
            semer(enRecherche);
            enRecherche = true;
            cible.colonne = static_cast<int>(hasard.tirage(TAILLE_MER + 1));
            cible.ligne = static_cast<int>(hasard.tirage(TAILLE_MER + 1));
        }
        if (!surLaMer(cible)) {
            coup_ia.suite = false;
            continue;
        }
        if (MarqueTirEnnemi(partie.tirs_adverse, partie.mer_joueur, cible.colonne, cible.ligne, coup_ia)) {
            tir.cible = cible;
            return tir;
        }
    }
}

namespace {
// What the enemy knows of a cell of our sea: free, a hit on a ship afloat, or nothing can lie there.
enum Etat : char { LIBRE, TOUCHE_A_FLOT, EXCLUE };
using Etats = Etat[TAILLE_MER + 1][TAILLE_MER + 1];
using Poids = qint64[TAILLE_MER + 1][TAILLE_MER + 1];

// What the enemy knows of our sea: each cell, the lengths of our ships afloat, and whether one is hit.
struct Connaissance {
    Etats etat = {};
    QList<int> aFlot;
    bool blesse = false; // a ship of ours hit and still afloat
};

Connaissance connaissance(const Partie& partie) {
    Connaissance k;
    // Cells of our ships already sunk: their wreck tells where they lay.
    bool epave[TAILLE_MER + 1][TAILLE_MER + 1] = {};
    for (int c = 1; c <= TAILLE_MER; ++c) {
        for (int r = 1; r <= TAILLE_MER; ++r) {
            const QString& nom = partie.plan_joueur(c, r);
            if (!estNomNavire(nom))
                continue;
            const int longueur = partie.longueurDe(nom);
            if (estNomNavire(partie.mer_joueur(c, r))) {
                k.aFlot.append(longueur);
                continue;
            }
            const bool h = nom.endsWith(QLatin1Char('H'));
            for (int i = 0; i < longueur; ++i)
                if ((h ? c + i : c) <= TAILLE_MER && (h ? r : r + i) <= TAILLE_MER)
                    epave[h ? c + i : c][h ? r : r + i] = true;
        }
    }
    for (int c = 1; c <= TAILLE_MER; ++c) {
        for (int r = 1; r <= TAILLE_MER; ++r) {
            const QString& m = partie.tirs_adverse(c, r);
            k.etat[c][r] = m == MANQUE || epave[c][r] ? EXCLUE : m == TOUCHE ? TOUCHE_A_FLOT : LIBRE;
            k.blesse = k.blesse || k.etat[c][r] == TOUCHE_A_FLOT;
        }
    }
    return k;
}

// Adds to each free cell the ways a ship afloat can lie over it; with parLesTouches, only the ways
// through a hit, weighted by their hits. False when no way was found.
bool compter(const Connaissance& k, bool parLesTouches, Poids& poids) {
    const Etats& etat = k.etat;
    bool trouve = false;
    for (int longueur : k.aFlot) {
        for (int h = 0; h < 2; ++h) {
            for (int c = 1; c <= TAILLE_MER; ++c) {
                for (int r = 1; r <= TAILLE_MER; ++r) {
                    const int cf = h ? c + longueur - 1 : c;
                    const int rf = h ? r : r + longueur - 1;
                    if (cf > TAILLE_MER || rf > TAILLE_MER)
                        continue;
                    int touches = 0;
                    bool possible = true;
                    for (int i = 0; i < longueur && possible; ++i) {
                        const int cc = h ? c + i : c, rr = h ? r : r + i;
                        possible = etat[cc][rr] == LIBRE || (parLesTouches && etat[cc][rr] == TOUCHE_A_FLOT);
                        touches += etat[cc][rr] == TOUCHE_A_FLOT;
                    }
                    if (!possible || (parLesTouches && touches == 0))
                        continue;
                    // Each hit more that a way covers makes it far likelier: finish the wound.
                    const qint64 p = qint64(1) << (4 * touches);
                    for (int i = 0; i < longueur; ++i) {
                        const int cc = h ? c + i : c, rr = h ? r : r + i;
                        if (etat[cc][rr] == LIBRE) {
                            poids[cc][rr] += p;
                            trouve = true;
                        }
                    }
                }
            }
        }
    }
    return trouve;
}
} // namespace

Case cibleVraisemblable(const Partie& partie, Hasard& hasard) {
    const Grille& tirs = partie.tirs_adverse;
    const Connaissance k = connaissance(partie);
    Poids poids = {};
    if (!(k.blesse && compter(k, true, poids)) && !compter(k, false, poids)) {
        // No ship fits anywhere any more (it cannot happen while one is afloat): any free cell.
        for (int c = 1; c <= TAILLE_MER; ++c)
            for (int r = 1; r <= TAILLE_MER; ++r)
                poids[c][r] = tirs(c, r).isEmpty() ? 1 : 0;
    }
    qint64 meilleur = 0;
    QList<Case> ex_aequo;
    for (int c = 1; c <= TAILLE_MER; ++c) {
        for (int r = 1; r <= TAILLE_MER; ++r) {
            if (poids[c][r] == 0 || poids[c][r] < meilleur)
                continue;
            if (poids[c][r] > meilleur)
                ex_aequo.clear();
            meilleur = poids[c][r];
            ex_aequo.append({c, r});
        }
    }
    if (ex_aequo.isEmpty())
        return {};
    hasard.Randomize();
    return ex_aequo[static_cast<qsizetype>(hasard.tirage(static_cast<quint32>(ex_aequo.size())))];
}

void oublierPoursuite(t_coup_ia& coup_ia) {
    coup_ia = t_coup_ia{};
}
