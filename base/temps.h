// Time as the game sees it: the time of day for seeding and the timers that pace the battle.
#pragma once

#include "base/timer.h"
#include "model/horloge.h"

class Temps : public Horloge {
public:
    // A new timer owned by parent, disabled unless asked otherwise.
    virtual Timer* creerTimer(QObject* parent, int intervalle, bool actif = false) = 0;
};

// The real clock and QTimer-based timers.
class TempsReel : public Temps {
public:
    quint32 heureDuJourMs() override;
    Timer* creerTimer(QObject* parent, int intervalle, bool actif = false) override;
};
