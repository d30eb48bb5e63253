// The game's one random generator: a 32-bit linear congruential state seeded from the time of day.
#pragma once

#include "model/horloge.h"

#include <QtGlobal>

class Hasard {
public:
    explicit Hasard(Horloge& horloge)
        : horloge_(horloge) {}

    // Seeds the state from the clock: draws made within one reading of the clock repeat.
    void Randomize() { etat_ = horloge_.heureDuJourMs(); }
    void graine(quint32 etat) { etat_ = etat; }
    quint32 etat() const { return etat_; }

    // A whole number from 0 to n - 1 (n at least 1).
    quint32 tirage(quint32 n);

    Horloge& horloge() { return horloge_; }

private:
    Horloge& horloge_;
    quint32 etat_ = 0;
};
