// What the two battle boards show: our fleet under the enemy's marks, and the enemy sea under our fire.
#pragma once

#include "model/dessin.h"

// The player's sea: the sea, the player's fleet, the computer's shots.
QList<Dessin> dessinPortJoueur(const Partie& partie);

// The enemy sea: the sea, the enemy fleet once a fleet is destroyed, the player's shots, the cannon.
QList<Dessin> dessinPortAdverse(const Partie& partie);
