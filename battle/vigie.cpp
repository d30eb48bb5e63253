// The lookout: typed sectors, row and column summaries, the fleets still afloat.
#include "battle/vigie.h"

#include <Qt>

#include <algorithm>
#include <array>

namespace {

const QString& TOUCHE = nomMarque(Marque::Touche);
const QString& MANQUE = nomMarque(Marque::Manque);
const QString RAPPEL = QStringLiteral(" Une lettre de A à L, puis un nombre de 1 à 12.");

// A digit from its key, -1 for any other key.
int chiffre(int touche) {
    if (touche >= Qt::Key_0 && touche <= Qt::Key_9)
        return touche - Qt::Key_0;
    // The top row of a French keyboard without Shift.
    static const std::array<int, 10> azerty = {
        Qt::Key_Agrave,    Qt::Key_Ampersand, Qt::Key_Eacute, Qt::Key_QuoteDbl,   Qt::Key_Apostrophe,
        Qt::Key_ParenLeft, Qt::Key_Minus,     Qt::Key_Egrave, Qt::Key_Underscore, Qt::Key_Ccedilla};
    for (int i = 0; i < 10; ++i)
        if (azerty[static_cast<size_t>(i)] == touche)
            return i;
    return -1;
}

QString secteur(int colonne, int ligne) {
    return QString(lettreColonne(colonne)) + QLatin1Char('.') + QString::number(ligne);
}

// "C.1", "C.1 et C.9", "C.1, C.4 et C.9".
QString enumerer(const QStringList& secteurs) {
    if (secteurs.size() < 2)
        return secteurs.join(QString());
    return secteurs.mid(0, secteurs.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") +
           secteurs.last();
}

QString entete(bool colonne, int numero) {
    return colonne ? QStringLiteral("Colonne ") + QString(lettreColonne(numero))
                   : QStringLiteral("Ligne ") + QString::number(numero);
}

// The sentence from its parts, each "words en sectors", and what the rest is.
QString phrase(const QString& tete, const QList<QPair<QString, QStringList>>& parts, const QString& reste,
               bool resteVide, const QString& rien) {
    QStringList morceaux;
    for (const auto& [mots, secteurs] : parts)
        if (!secteurs.isEmpty())
            morceaux << mots + QStringLiteral(" en ") + enumerer(secteurs);
    if (morceaux.isEmpty())
        return tete + QStringLiteral(" : ") + rien + QLatin1Char('.');
    if (!resteVide)
        morceaux << reste;
    return tete + QStringLiteral(" : ") + morceaux.join(QStringLiteral(", ")) + QLatin1Char('.');
}

// The ships afloat on a sea, by class in the fleet's order.
std::array<int, 5> aFlot(const Grille& mer) {
    std::array<int, 5> n{};
    const ClassesNavires classes = classesDeBase();
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (estNomNavire(mer(c, r)))
                for (size_t i = 0; i < classes.size(); ++i)
                    if (racine(classes[i].nom) == racine(mer(c, r)))
                        ++n[i];
    return n;
}

QString flotte(const std::array<int, 5>& n) {
    QStringList parts;
    for (size_t i = 0; i < n.size(); ++i)
        if (n[i] != 0)
            parts << nombreDeNavires(static_cast<int>(i), n[i]);
    return enumerer(parts);
}

// The keys that only change what another key types.
bool modificateur(int touche) {
    switch (touche) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Mode_switch:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

// The top row's keys 1 to 9 and 0 are the X server's key codes 10 to 19 (the kernel's own, plus 8),
// whatever letters or signs the layout prints on them.
constexpr quint32 RANGEE_1 = 10, RANGEE_0 = 19;

} // namespace

int toucheTapee(int touche, const QString& texte, quint32 rangee) {
    if (modificateur(touche))
        return 0;
    if (texte.size() == 1 && texte.at(0) >= QLatin1Char('0') && texte.at(0) <= QLatin1Char('9'))
        return Qt::Key_0 + (texte.at(0).unicode() - u'0');
    // The row before the sign: Shift+7 on a US keyboard types "&", which is 1 on a French one.
    if (rangee >= RANGEE_1 && rangee <= RANGEE_0)
        return Qt::Key_0 + static_cast<int>((rangee - RANGEE_1 + 1) % 10);
    if (chiffre(touche) >= 0)
        return Qt::Key_0 + chiffre(touche);
    return touche;
}

SaisieSecteur::Reponse SaisieSecteur::taper(int touche) {
    Reponse r;
    if (touche == 0) {
        r.prise = true; // a modifier alone: the entry waits for the key it modifies
        return r;
    }
    const int d = chiffre(touche);
    if (touche >= Qt::Key_A && touche <= Qt::Key_Z) {
        r.prise = true;
        const int colonne = touche - Qt::Key_A + 1;
        annuler();
        if (colonne > TAILLE_MER) {
            r.texte = QStringLiteral("Pas de colonne ") + QChar(QLatin1Char(char('A' + colonne - 1))) +
                      QStringLiteral(", amiral.") + RAPPEL;
            return r;
        }
        colonne_ = colonne;
        r.texte =
            QStringLiteral("Colonne ") + QString(lettreColonne(colonne)) + QStringLiteral(", et la ligne?");
        return r;
    }
    if (d >= 0) {
        r.prise = true;
        if (colonne_ == 0) {
            r.texte = QStringLiteral("Il manque la colonne, amiral.") + RAPPEL;
            return r;
        }
        const int colonne = colonne_;
        if (dizaine_) {
            annuler();
            if (d <= 2)
                r.cible = {colonne, 10 + d};
            else
                r.texte = QStringLiteral("Pas de ligne 1") + QString::number(d) +
                          QStringLiteral(", amiral, la mer s'arrête à la ligne 12.") + RAPPEL;
            return r;
        }
        if (d == 1) {
            dizaine_ = true;
            r.texte = QString(lettreColonne(colonne)) +
                      QStringLiteral(".1, ou 10, 11, 12? Entrée pour la ligne 1.");
            return r;
        }
        annuler();
        if (d == 0)
            r.texte = QStringLiteral("Pas de ligne 0, amiral.") + RAPPEL;
        else
            r.cible = {colonne, d};
        return r;
    }
    return enCours() ? conclure(touche) : r;
}

SaisieSecteur::Reponse SaisieSecteur::conclure(int touche) {
    // Space, Enter or another key in the middle of an entry.
    Reponse r;
    r.prise = true;
    const int colonne = colonne_;
    const bool un = dizaine_;
    annuler();
    if (un && (touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Space))
        r.cible = {colonne, 1};
    else if (touche == Qt::Key_Escape)
        r.texte = QStringLiteral("Saisie annulée, le viseur n'a pas bougé.");
    else
        r.texte = QStringLiteral("Il manque la ligne, amiral, rien n'est tiré.") + RAPPEL;
    return r;
}

namespace {
// The sectors of a row or a column by what they hold: hits, misses, then (on our sea) our ships the enemy
// has not found; rest tells whether any other sector is left.
struct Lignee {
    QStringList touches, eau, intacts;
    bool reste = false;
};

Lignee parcourir(const Grille& tirs, const Grille* plan, bool colonne, int numero) {
    Lignee l;
    for (int i = 1; i <= TAILLE_MER; ++i) {
        const int c = colonne ? numero : i, r = colonne ? i : numero;
        const QString& m = tirs(c, r);
        if (m == TOUCHE)
            l.touches << secteur(c, r);
        else if (m == MANQUE)
            l.eau << secteur(c, r);
        else if (plan && !(*plan)(c, r).isEmpty())
            l.intacts << secteur(c, r);
        else
            l.reste = true;
    }
    return l;
}
} // namespace

QString resumeAdverse(const Grille& tirs, bool colonne, int numero) {
    const Lignee l = parcourir(tirs, nullptr, colonne, numero);
    return phrase(entete(colonne, numero),
                  {{QStringLiteral("touché"), l.touches}, {QStringLiteral("dans l'eau"), l.eau}},
                  QStringLiteral("le reste inexploré"), !l.reste, QStringLiteral("tout est inexploré"));
}

QString resumeNotreMer(const Grille& plan, const Grille& tirs, bool colonne, int numero) {
    const Lignee l = parcourir(tirs, &plan, colonne, numero);
    return phrase(entete(colonne, numero) + QStringLiteral(" de notre flotte"),
                  {{QStringLiteral("touché"), l.touches},
                   {QStringLiteral("dans l'eau"), l.eau},
                   {QStringLiteral("navires intacts"), l.intacts}},
                  QStringLiteral("le reste jamais visé"), !l.reste,
                  QStringLiteral("mer libre, jamais visée"));
}

QString naviresAFlot(const Partie& partie) {
    const QString ennemi = flotte(aFlot(partie.mer_adverse));
    const QString nous = flotte(aFlot(partie.mer_joueur));
    return (ennemi.isEmpty() ? QStringLiteral("L'ennemi n'a plus un seul navire à flot.")
                             : QStringLiteral("L'ennemi a encore à flot ") + ennemi + QStringLiteral(".")) +
           QLatin1Char(' ') +
           (nous.isEmpty() ? QStringLiteral("Il ne nous reste plus un seul navire.")
                           : QStringLiteral("Il nous reste ") + nous + QStringLiteral("."));
}

namespace {
using Cases = std::array<std::array<bool, TAILLE_MER + 2>, TAILLE_MER + 2>;

// The enemy's sectors hit that belong to a ship still afloat (its first cell still in the sea).
Cases blesses(const Partie& partie) {
    Cases b{};
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r) {
            const QString& nom = partie.mer_adverse(c, r);
            if (!estNomNavire(nom))
                continue;
            const bool horizontal = nom.endsWith(QLatin1Char('H'));
            for (int i = 0; i < partie.longueurDe(nom); ++i) {
                const int cc = horizontal ? c + i : c, rr = horizontal ? r : r + i;
                if (cc <= TAILLE_MER && rr <= TAILLE_MER && partie.tirs_joueur(cc, rr) == TOUCHE)
                    b[size_t(cc)][size_t(rr)] = true;
            }
        }
    return b;
}

// The first sector after depuis in reading order, round to depuis, for which garder holds.
template <typename F> Case prochain(Case depuis, F garder) {
    const bool surLaMer = depuis.colonne >= 1 && depuis.colonne <= TAILLE_MER && depuis.ligne >= 1 &&
                          depuis.ligne <= TAILLE_MER;
    const int n = TAILLE_MER * TAILLE_MER;
    const int depart = surLaMer ? (depuis.ligne - 1) * TAILLE_MER + depuis.colonne - 1 : n - 1;
    for (int pas = 1; pas <= n; ++pas) {
        const int i = (depart + pas) % n;
        const Case c{i % TAILLE_MER + 1, i / TAILLE_MER + 1};
        if (garder(c))
            return c;
    }
    return {};
}
} // namespace

QString texteDernierEchange(const std::optional<CoupJoue>& nous, const std::optional<CoupJoue>& eux) {
    if (!nous)
        return QStringLiteral("Pas encore de tir échangé, amiral.");
    const auto dire = [](const CoupJoue& c, bool notre) {
        return secteur(c.secteur.colonne, c.secteur.ligne) + QStringLiteral(" : ") + etatBref(c, notre) +
               QLatin1Char('.');
    };
    return QStringLiteral("Notre dernier tir, ") + dire(*nous, false) + QLatin1Char(' ') +
           (eux ? QStringLiteral("Réponse de l'ennemi, ") + dire(*eux, true)
                : QStringLiteral("L'ennemi n'a pas encore répondu."));
}

QString texteBlesses(const Partie& partie) {
    Cases b = blesses(partie);
    QStringList groupes;
    // Each group of neighbouring hits, walked from its first sector in reading order.
    prochain({}, [&](Case depart) {
        if (!b[size_t(depart.colonne)][size_t(depart.ligne)])
            return false;
        QList<Case> groupe{depart}, pile{depart};
        b[size_t(depart.colonne)][size_t(depart.ligne)] = false;
        while (!pile.isEmpty()) {
            const Case c = pile.takeLast();
            for (const Case v : {Case{c.colonne + 1, c.ligne}, Case{c.colonne - 1, c.ligne},
                                 Case{c.colonne, c.ligne + 1}, Case{c.colonne, c.ligne - 1}})
                if (b[size_t(v.colonne)][size_t(v.ligne)]) {
                    b[size_t(v.colonne)][size_t(v.ligne)] = false;
                    groupe << v;
                    pile << v;
                }
        }
        std::sort(groupe.begin(), groupe.end(), [](Case x, Case y) {
            return std::pair(x.ligne, x.colonne) < std::pair(y.ligne, y.colonne);
        });
        QStringList noms;
        for (const Case c : groupe)
            noms << secteur(c.colonne, c.ligne);
        groupes << enumerer(noms);
        return false;
    });
    if (groupes.isEmpty())
        return QStringLiteral("Aucun navire ennemi touché qui flotte encore, amiral.");
    return QStringLiteral("Touchés, pas encore coulés : ") + groupes.join(QStringLiteral(", puis ")) +
           QLatin1Char('.');
}

QString texteViseur(const Grille& tirs, int colonne, int ligne) {
    if (colonne < 1 || colonne > TAILLE_MER || ligne < 1 || ligne > TAILLE_MER)
        return QStringLiteral("Le viseur n'est sur aucun secteur, amiral.");
    const QString& m = tirs(colonne, ligne);
    return QStringLiteral("Le viseur est en ") + secteur(colonne, ligne) +
           (m == TOUCHE   ? QStringLiteral(", déjà visé, coup au but.")
            : m == MANQUE ? QStringLiteral(", déjà visé, coup à l'eau.")
                          : QStringLiteral(", pas encore visé."));
}

QString texteNotreMer(const Grille& plan, const Grille& tirs, int colonne, int ligne) {
    const QString& tir = tirs(colonne, ligne);
    return secteur(colonne, ligne) + QStringLiteral(" : ") + motsDeCase(plan(colonne, ligne)) +
           (tir.isEmpty() ? QString() : QStringLiteral(", ") + motsDeCase(tir)) + QLatin1Char('.');
}

Case prochainInexplore(const Grille& tirs, Case depuis) {
    return prochain(depuis, [&](Case c) { return tirs(c.colonne, c.ligne).isEmpty(); });
}

Case prochainPresDUnBlesse(const Partie& partie, Case depuis) {
    const Cases b = blesses(partie);
    return prochain(depuis, [&](Case c) {
        const auto i = size_t(c.colonne), j = size_t(c.ligne);
        return partie.tirs_joueur(c.colonne, c.ligne).isEmpty() &&
               (b[i + 1][j] || b[i - 1][j] || b[i][j + 1] || b[i][j - 1]);
    });
}
