// The game's timers.
#include "base/timer.h"

void Timer::setEnabled(bool actif) {
    if (actif == actif_)
        return;
    actif_ = actif;
    if (actif_)
        armer(intervalle_);
    else
        desarmer();
}

void Timer::setInterval(int ms) {
    intervalle_ = ms;
    if (actif_)
        armer(intervalle_);
}

void Timer::relancer() {
    setEnabled(false);
    setEnabled(true);
}

void Timer::reprendre(int ms) {
    actif_ = true;
    armer(ms);
}

void Timer::tic() {
    if (!actif_)
        return;
    armer(intervalle_); // the next tick, unless the handler disables or changes the timer
    Q_EMIT timeout();
}
