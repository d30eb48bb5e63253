// Placing a sound between the left and the right: the stereo cues that tell a column by ear.
#pragma once

#include "audio/riff.h"

#include <QByteArray>
#include <QList>

// The samples placed at balance, from -1 (full left) through 0 (centre) to +1 (full right), as 16-bit
// stereo: the far side is lowered as the sound moves away from it, the near side keeps its level (a
// mixer's balance, not a pan law: a clip at the centre sounds exactly as it always did). pcm is 8-bit
// unsigned or 16-bit signed little-endian, mono or stereo; an odd trailing byte is dropped.
QByteArray placerEnStereo(const QByteArray& pcm, int canaux, int bits, double balance);

// How many samples at the start of pcm (16-bit signed mono) are silent, up to the first that is not: the
// voice's pause before its first sound.
qsizetype silencesEnTete(const QByteArray& pcm);

// The balance of a column of the sea: the first column full left, the last full right.
double balanceDeColonne(int colonne, int colonnes);

// One sound of a run (a glance over the sea): the clip, where it is heard, how much higher or lower than
// recorded (in semitones: +12 an octave up, and half as long) and when it starts from the run's start.
struct SonDeSuite {
    ClipPcm pcm;
    double balance = 0;
    double demiTons = 0;
    int debutMs = 0;
};

// The run as one 16-bit stereo clip at frequence samples a second, each sound pitched by resampling,
// placed as placerEnStereo places it and added where it starts; sounds that overlap are summed and held
// within the 16-bit range. Empty for an empty run.
ClipPcm melangerSuite(const QList<SonDeSuite>& sons, int frequence = 22050);
