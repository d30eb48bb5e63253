// Virtual time for tests: a clock that a test moves forward, and timers that fire on it.
#pragma once

#include "base/temps.h"

#include <QList>
#include <QPointer>

class TempsVirtuel : public Temps {
public:
    // The clock advances by pas ms on every read, so that no loop waiting on it can spin forever.
    explicit TempsVirtuel(quint32 debut = 12 * 3600 * 1000, quint32 pas = 1)
        : maintenant_(debut)
        , pas_(pas) {}

    quint32 heureDuJourMs() override;
    Timer* creerTimer(QObject* parent, int intervalle, bool actif = false) override;

    // Moves the virtual time forward by ms, firing every timer that falls due, in order.
    void avancer(qint64 ms);
    qint64 ecoule() const { return ecoule_; }
    void setPas(quint32 pas) { pas_ = pas; }

private:
    friend class TimerVirtuel;
    struct Echeance {
        QPointer<Timer> timer;
        qint64 quand;
        quint64 ordre;
    };
    void armer(Timer* timer, int ms);
    void desarmer(Timer* timer);
    int restant(const Timer* timer, int sinon) const;
    void tic(Timer* timer);

    quint32 maintenant_;
    quint32 pas_;
    qint64 ecoule_ = 0;
    quint64 ordre_ = 0;
    QList<Echeance> echeances_;
};
