// The real clock and QTimer-based timers.
#include "base/temps.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>

namespace {

class TimerQt : public Timer {
public:
    TimerQt(int intervalle, QObject* parent)
        : Timer(intervalle, parent) {
        minuteur_.setSingleShot(true);
        minuteur_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&minuteur_, &QTimer::timeout, this, [this] { tic(); });
    }

    int restant() const override {
        return minuteur_.isActive() ? std::max(0, minuteur_.remainingTime()) : interval();
    }

protected:
    void armer(int ms) override { minuteur_.start(ms); }
    void desarmer() override { minuteur_.stop(); }

private:
    QTimer minuteur_;
};

} // namespace

quint32 TempsReel::heureDuJourMs() {
    const QTime t = QDateTime::currentDateTimeUtc().time();
    return static_cast<quint32>(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}

Timer* TempsReel::creerTimer(QObject* parent, int intervalle, bool actif) {
    auto* timer = new TimerQt(intervalle, parent);
    timer->setEnabled(actif);
    return timer;
}
