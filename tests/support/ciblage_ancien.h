// The enemy's turn as the game first played it: every attempt reseeds from the clock and, when the draw is
// refused, tries again until the clock moves on. Kept to check that the turn without the wait picks the
// same cells, and to measure the two side by side.
#pragma once

#include "battle/ciblage.h"

inline TirEnnemi choisirEtTirerEnAttendant(Partie& partie, Hasard& hasard) {
    TirEnnemi tir;
    bool reste = false;
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            reste = reste || partie.tirs_adverse(c, r).isEmpty();
    if (!reste)
        return tir;
    t_coup_ia& coup_ia = partie.coup_ia;
    for (;;) {
        hasard.Randomize();
        if (++tir.tentatives >= 1000)
            coup_ia.poursuite = false;
        Case cible;
        if (coup_ia.poursuite) {
            cible = CibleSuivante(coup_ia, hasard);
        } else {
            cible.colonne = static_cast<int>(hasard.tirage(TAILLE_MER + 1));
            cible.ligne = static_cast<int>(hasard.tirage(TAILLE_MER + 1));
        }
        if (cible.colonne < 1 || cible.colonne > TAILLE_MER || cible.ligne < 1 || cible.ligne > TAILLE_MER) {
            coup_ia.suite = false;
            continue;
        }
        if (MarqueTirEnnemi(partie.tirs_adverse, partie.mer_joueur, cible.colonne, cible.ligne, coup_ia)) {
            tir.cible = cible;
            return tir;
        }
    }
}
