// Writing one of the game's files whole or not at all: the old file stays byte for byte on any failure.
#pragma once

#include <QByteArray>
#include <QString>

// What became of a write. On failure, raison says why in French, for the player ("le disque est plein").
struct EcritureSure {
    bool reussie = false;
    QString raison;
};

// Replaces the file at chemin with contenu through a temporary file in the same folder, synced to disk
// and renamed over the old one, so that a full disk, a read-only folder or a crash in the middle never
// leaves less than was there. A path that is a symbolic link is never written through: the link could
// point at any file of the player's. A new file gets the player's umask; a replaced one keeps its mode.
EcritureSure ecrireFichierSur(const QString& chemin, const QByteArray& contenu);

// The start of the name of a write's temporary file beside the file nom, a name no file of the player's
// takes; six letters or digits follow. The next write removes those a crash or a kill left, once they
// are a minute old, and no other file.
QString nomTemporaire(const QString& nom);

// Whether chemin is itself a symbolic link (whatever it points at, even nothing).
bool estUnLien(const QString& chemin);
