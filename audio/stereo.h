// Placing a sound between the left and the right: the stereo cues that tell a column by ear.
#pragma once

#include <QByteArray>

// The samples placed at balance, from -1 (full left) through 0 (centre) to +1 (full right), as 16-bit
// stereo: the far side is lowered as the sound moves away from it, the near side keeps its level (a
// mixer's balance, not a pan law: a clip at the centre sounds exactly as it always did). pcm is 8-bit
// unsigned or 16-bit signed little-endian, mono or stereo; an odd trailing byte is dropped.
QByteArray placerEnStereo(const QByteArray& pcm, int canaux, int bits, double balance);

// The balance of a column of the sea: the first column full left, the last full right.
double balanceDeColonne(int colonne, int colonnes);
