// The battle's eight sound clips, the cue of a key that does nothing and the glance's five sounds: whole
// RIFF WAVE images from the game's resources.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The clip of that name ("WaveRate", "WaveBut", "WaveCoule", "WaveERate", "WaveEBut", "WaveECoule",
// "WaveVictoire", "WaveDefaite", "WaveRien", "WaveOeilInexplore", "WaveOeilEau", "WaveOeilTouche",
// "WaveOeilCoule", "WaveOeilIntact"), whatever the case; empty for any other name.
QByteArray clip(const QString& nom);

// The names of the fourteen clips.
QStringList nomsClips();
