// The speech settings file Config.txt: five lines kept verbatim in the folder current at start-up.
#pragma once

#include "base/fichier_sur.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The five lines a new settings file holds: header, voice identifier, speed, pitch and volume tags.
QStringList reglagesParDefaut();

// Splits a file's bytes into lines at CR, LF or CR LF; a break at the very end makes no extra line.
QList<QByteArray> decouperOctets(const QByteArray& contenu);
// The same lines with their bytes kept as they are (one character per byte), so any line is written back
// unchanged.
QStringList decouperLignes(const QByteArray& contenu);

// Each line followed by CR LF.
QByteArray assemblerLignes(const QStringList& lignes);

// The settings with a newly chosen voice: line 1 its mode identifier, lines 2 to 4 the speed, pitch and
// volume tags ("\spd=156\"). A shorter list is first extended to five lines with empty ones; lines
// after the fifth are kept as they are.
QStringList reglagesAvecVoix(QStringList lignes, const QString& mode, int vitesse, int hauteur, int volume);

class FichierReglages {
public:
    static constexpr qint64 TAILLE_MAX = 1024 * 1024;

    explicit FichierReglages(const QString& dossier)
        : dossier_(dossier) {}

    // The name the game gives the settings file it creates; one of any case is read.
    static inline const QString NOM = QStringLiteral("Config.Txt");

    // The settings file of the folder, found whatever the case of its name; empty if none.
    QString chemin() const;

    // Start-up: creates the file NOM from the defaults when the folder has no settings file, then reads
    // it. Whatever goes wrong (folder not writable, file unreadable or too large, a folder of that
    // name), the file is left as it is and the game runs on the defaults held in memory. remplacable,
    // when given, tells whether the game may replace the file later: not when there was one it could
    // not read, which stays the player's, whatever it becomes.
    QStringList charger(bool* remplacable = nullptr) const;

    // Replaces the file's content with these lines, all or nothing; on failure the file is left byte for
    // byte and the result says why, in French. A file the game could not read as its settings is never
    // replaced, nor one that is a symbolic link (it is read like any settings file, never written
    // through). A new file is named NOM.
    EcritureSure enregistrer(const QStringList& lignes) const;

private:
    QString dossier_;
};
