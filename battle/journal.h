// The logbook: games, victories, defeats, shots and hits of the player, per level of the enemy.
#pragma once

#include "base/preferences.h"
#include "model/grilles.h"

#include <QString>

// What the logbook holds for one level.
struct Bilan {
    int parties = 0; // games played to their end or left after the player's first shot
    int gagnees = 0;
    int perdues = 0;
    int tirs = 0;        // the player's shots
    int touches = 0;     // those that hit
    int plus_courte = 0; // the player's shots in the shortest victory; 0 before the first one
    bool operator==(const Bilan&) const = default;
};

// The logbook's lines as the file holds them, apart from the file: what a level's counts read, what a
// game adds (each count stays at its largest once there), what the parrot reads.
Bilan bilanDe(const LignesCleValeur& lignes, Niveau niveau);
void noterDans(LignesCleValeur& lignes, Niveau niveau, const Partie& partie);
QString texteDuJournal(const LignesCleValeur& lignes);

// Journal.ini in the settings folder, lines cle=valeur ("classique.gagnees=3"), written whole or not at
// all after each game, so that a crash while writing leaves the last logbook as it was.
class Journal {
public:
    static QString nomFichier() { return QStringLiteral("Journal.ini"); }

    explicit Journal(const QString& dossier);

    QString chemin() const;
    Bilan bilan(Niveau niveau) const;

    // A game over, or left with Ctrl+N or by quitting after the player's first shot: counted under the
    // level and written at once. A game where the player has not fired is not counted. A failed write
    // is also told on standard error, with the file.
    EcritureSure noter(Niveau niveau, const Partie& partie);
    // Every level back to nothing.
    EcritureSure effacer();

    // What the parrot reads: one sentence per level played, or the empty logbook.
    QString texte() const;

private:
    EcritureSure enregistrer();

    QString dossier_;
    LignesCleValeur lignes_;
    bool remplacable_ = true;
};

inline const QString QUESTION_EFFACER_JOURNAL = QStringLiteral(
    "Effacer le journal de bord de tous les niveaux, amiral? \"O\" pour effacer, \"N\" pour le "
    "garder.");
