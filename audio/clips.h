// The battle's eight sound clips and the cue of a key that does nothing: whole RIFF WAVE images from the
// game's resources.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The clip of that name ("WaveRate", "WaveBut", "WaveCoule", "WaveERate", "WaveEBut", "WaveECoule",
// "WaveVictoire", "WaveDefaite", "WaveRien"), whatever the case; empty for any other name.
QByteArray clip(const QString& nom);

// The names of the nine clips.
QStringList nomsClips();
