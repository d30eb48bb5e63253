// How the player hears the parrot: speed, pitch and volume from Config.txt, and the voice screen's steps.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The speech settings read from Config.txt's tag lines. A value the file leaves to the voice (the
// values a new file is created with, or a tag that does not read) is empty: the voice keeps its own.
struct TagsParole {
    std::optional<int> vitesse; // words per minute
    std::optional<int> hauteur; // 0 to 100, 50 the voice's own
    std::optional<int> volume;  // percent of the voice's level, 100 its own
    bool operator==(const TagsParole&) const = default;
};

// The slowest and fastest speech the voice screen offers, in words per minute.
constexpr int VITESSE_MIN = 80;
constexpr int VITESSE_MAX = 450;
// The quietest and loudest speech it offers, in percent.
constexpr int VOLUME_MIN = 10;
constexpr int VOLUME_MAX = 100;

// Lines 2 to 4 of Config.txt: "\spd=156\", "\pit=159\", "\vol=65535\". A new file's values (156, 159,
// 65535) are those of the settings' first voice and mean "as the voice speaks": the game sounds as it
// always did until the player changes them. A volume over 200 is on that first voice's scale, where
// 65535 is full; up to 200 it is in percent as the voice screen writes it.
TagsParole lireTagsParole(const QStringList& lignes);

// One step faster (sens > 0) or slower: 25 words a minute, within VITESSE_MIN and VITESSE_MAX.
int vitesseSuivante(int vitesse, int sens);
// One step louder (sens > 0) or quieter: 10 %, within VOLUME_MIN and VOLUME_MAX.
int volumeSuivant(int volume, int sens);
// One step higher (sens > 0) or lower: 10, within 0 and 100.
int hauteurSuivante(int hauteur, int sens);

// 16-bit little-endian samples at volume percent of their level (100 leaves them as they are).
void appliquerVolume(QByteArray& pcm, int volume);
