// What the game tells about itself: the list of commands the parrot recites, and the About screen's words.
#pragma once

#include <QString>
#include <QStringList>

// Every keyboard command, one a line, as the parrot recites them (22 lines, the last two empty).
const QStringList& MemoSOS();

// The whole list as one text for the parrot: each line followed by CR LF.
QString texteSOS();

// What the parrot reads when the About screen opens: who made the game, on what terms it may be
// shared, and how to get back to the game.
QString texteAPropos();

// What the About screen shows.
inline const QString NOM_JEU = QStringLiteral("Corsabord");
inline const QString VERSION_JEU = QStringLiteral("Version 1.1");
inline const QString EDITEUR = QStringLiteral("Marelis");
inline const QString AUTEUR = QStringLiteral("Logiciel écrit par  Dorvane");
