// The computer's targeting: random search, probes around a first hit, then a walk along the ship.
#include "battle/ciblage.h"

#include <cstdlib>

namespace {

const QString TOUCHE = QStringLiteral("TOUCHE");
const QString MANQUE = QStringLiteral("MANQUE");
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

TirEnnemi choisirEtTirer(Partie& partie, Hasard& hasard) {
    TirEnnemi tir;
    // A sea with every cell fired at leaves nothing to aim at; the loop below would never end.
    if (!resteUneCase(partie.tirs_adverse))
        return tir;
    t_coup_ia& coup_ia = partie.coup_ia;
    for (;;) {
        hasard.Randomize();
        ++tir.tentatives;
        if (tir.tentatives >= TENTATIVES_MAX_POURSUITE)
            coup_ia.poursuite = false;
        Case cible;
        if (coup_ia.poursuite) {
            cible = CibleSuivante(coup_ia, hasard);
        } else {
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

void oublierPoursuite(t_coup_ia& coup_ia) {
    coup_ia = t_coup_ia{};
}
