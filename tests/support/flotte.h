// Ships written into a fleet grid for tests, the way the harbour writes them.
#pragma once

#include "model/grilles.h"

// The full name on the first cell, the stem on the others, to the right (H) or downwards (V).
inline void poserNavire(Grille& g, const QString& nom, int longueur, int c, int r) {
    const bool h = nom.endsWith(QLatin1Char('H'));
    for (int i = 0; i < longueur; ++i)
        g(h ? c + i : c, h ? r : r + i) = i == 0 ? nom : racine(nom);
}
