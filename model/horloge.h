// The time of day, as the game reads it to seed its random draws.
#pragma once

#include <QtGlobal>

// The UTC time of day in milliseconds since midnight, ((h * 60 + m) * 60 + s) * 1000 + ms.
// The game reads it through this interface so that tests can play with a clock of their own.
class Horloge {
public:
    virtual ~Horloge() = default;
    virtual quint32 heureDuJourMs() = 0;
};
