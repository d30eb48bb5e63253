// The game's own lines for the player's terminal.
#pragma once

#include <QString>

// One of the game's own lines for the player's terminal: in French, naming the file or the service.
void direAuTerminal(const QString& ligne);

// Set (to anything but 0) to see on the terminal what Qt and the libraries say, in their own words.
inline const QString VARIABLE_DEBUG = QStringLiteral("CORSABORD_DEBUG");

// Whether VARIABLE_DEBUG asks for the toolkit's and the libraries' own lines.
bool messagesDeDebug();
