// What a second start writes on the running game's socket, and how the game reads it.
#pragma once

#include <QByteArray>

// The one call there is: come to the front.
inline const QByteArray APPEL_PREMIER_PLAN = QByteArrayLiteral("premier plan\n");

enum class LectureAppel {
    Incomplete, // the start of the call: wait for the rest
    PremierPlan,
    Refusee, // anything else: hang up
};

// Reads what has arrived on one connection so far (everything since it opened); what follows a whole
// call is never looked at.
LectureAppel lireAppel(const QByteArray& recu);
