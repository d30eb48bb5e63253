// What the game tells about itself: the list of commands the parrot recites, and the About screen's words.
#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>
#include <QStringList>

// Every keyboard command, one a line, as the parrot recites them (22 lines, the last two empty).
const QStringList& MemoSOS();

// The whole list as one text for the parrot: each line followed by CR LF.
QString texteSOS();

// A key the game adds to the commands SOS recites (that list stays as it always was). One table: the
// battle screen's "Vigie" menu is built from it, and F1 reads it; a new key is one more row here and its
// command's slot on the battle screen.
struct ToucheAjoutee {
    QKeyCombination touches; // none for keys that are not one shortcut (the typed sectors)
    const char* commande;    // the menu command's object name; nullptr when there is none
    QString titre;           // as the menu shows it
    QString parole;          // its line in the list F1 reads
};
const QList<ToucheAjoutee>& touchesAjoutees();

// The whole table as one text for the parrot: a heading, then each line followed by CR LF.
QString texteTouchesAjoutees();

// What the parrot reads when the About screen opens: who made the game, on what terms it may be
// shared, and how to get back to the game.
QString texteAPropos();

// What the About screen shows.
inline const QString NOM_JEU = QStringLiteral("Corsabord");
inline const QString VERSION_JEU = QStringLiteral("Version 1.1");
inline const QString EDITEUR = QStringLiteral("Marelis");
inline const QString AUTEUR = QStringLiteral("Logiciel écrit par  Dorvane");

// The player's handbook: beside the game's data in a build, in the data folder of the prefix the game is
// installed in, or where it was to be installed.
QString cheminDuManuel(const QString& dossierDuJeu);
