// The computer's targeting: random search, probes around a first hit, then a walk along the ship.
#pragma once

#include "model/grilles.h"
#include "model/hasard.h"

#include <QString>

// A sector of the sea, column then row (1 to 12 on the board; anything else is off it).
struct Case {
    int colonne = 0;
    int ligne = 0;
    bool operator==(const Case&) const = default;
};

// Marks the computer's shot at (colonne, ligne) in tirs, from what mer holds there, and learns from it:
// a new origin, the walk going on, the orientation found. False when the cell was already marked:
// nothing is fired, and the walk counts it as a miss unless it is a hit next to the origin.
bool MarqueTirEnnemi(Grille& tirs, const Grille& mer, int colonne, int ligne, t_coup_ia& coup_ia);

// The next pursuit target: a probe drawn around the origin while the orientation is unknown, otherwise
// one step of the walk. Kept in colonne_cible, ligne_cible. May lie off the board.
Case CibleSuivante(t_coup_ia& coup_ia, Hasard& hasard);

// One move of the walk along the believed orientation; along and across are the stored target's
// coordinates in those roles, a and b the origin's, autre the other orientation ("H" or "V").
void AvanceSens(t_coup_ia& coup_ia, int& along, int& across, int a, int b, const QString& autre);

// What one turn of the computer fired at.
struct TirEnnemi {
    Case cible;
    int tentatives = 0; // attempts made, the one that fired included
};

// One turn's choice and shot: every attempt reseeds the generator from the clock, then pursues or
// draws at random, until a shot lands on a cell not yet marked. Writes "TOUCHE" or "MANQUE" into
// partie.tirs_adverse (from partie.mer_joueur) and updates partie.coup_ia; from the 1000th attempt on
// only the pursuit is dropped. Needs at least one unmarked cell on the board: on a sea fired at
// everywhere nothing is fired and no attempt is counted.
TirEnnemi choisirEtTirer(Partie& partie, Hasard& hasard);

// The whole memory forgotten, as after a sinking by the computer.
void oublierPoursuite(t_coup_ia& coup_ia);
