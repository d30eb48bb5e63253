// The computer's targeting at its three levels: "classique" and "tenace" search at random, probe around a
// first hit and walk along the ship; "vraisemblance" aims where our ships afloat fit most often.
#pragma once

#include "model/grilles.h"
#include "model/regles.h"
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

// One turn's choice and shot, until a shot lands on a cell not yet marked. Writes a hit or a miss
// into partie.tirs_adverse (from partie.mer_joueur) and updates partie.coup_ia. Needs at least one
// unmarked cell on the board: on a sea fired at everywhere nothing is fired and no attempt is counted.
// - Classique: every pursuit attempt reseeds from the clock, so the probes drawn within one ms repeat, and
//   from the 1000th attempt on the pursuit is dropped. The random search reads the clock once and, when
//   a draw is refused, seeds from the next millisecond at once: the cells the clock would have given as
//   it moved on, in the same order, without waiting for it.
// - Tenace: as Classique, but every pursuit attempt seeds from a millisecond of its own as well, so a
//   probe is drawn afresh each time and the pursuit is dropped only when it can find nothing.
// - Vraisemblance: one shot where the ships still afloat fit most often (cibleVraisemblable).
TirEnnemi choisirEtTirer(Partie& partie, Hasard& hasard, Niveau niveau = Niveau::Classique);

// The cell the likeliest to hold a ship, for the enemy's shot: over every way each of our ships still
// afloat could lie across cells not known to be empty (nor taken by a ship already sunk, which the
// sinking showed), the count of those ways covering the cell. While a ship is hit and not sunk, only the
// ways through its hits count, and the more hits a way covers the more it weighs: the wounded ship is
// finished first. Ties are drawn at random (seeded from the clock). {0, 0} on a sea without a free cell.
Case cibleVraisemblable(const Partie& partie, Hasard& hasard);

// The next reading of the clock, midnight wrapping to 0.
quint32 msSuivante(quint32 ms);

// The whole memory forgotten, as after a sinking by the computer.
void oublierPoursuite(t_coup_ia& coup_ia);
