// Virtual time for tests.
#include "support/temps_virtuel.h"

#include <algorithm>

class TimerVirtuel : public Timer {
public:
    TimerVirtuel(TempsVirtuel& temps, int intervalle, QObject* parent)
        : Timer(intervalle, parent)
        , temps_(temps) {}
    ~TimerVirtuel() override { temps_.desarmer(this); }
    void declencher() { tic(); }
    int restant() const override { return temps_.restant(this, interval()); }

protected:
    void armer(int ms) override { temps_.armer(this, ms); }
    void desarmer() override { temps_.desarmer(this); }

private:
    TempsVirtuel& temps_;
};

quint32 TempsVirtuel::heureDuJourMs() {
    const quint32 lu = maintenant_;
    maintenant_ = (maintenant_ + pas_) % (24u * 3600u * 1000u);
    return lu;
}

Timer* TempsVirtuel::creerTimer(QObject* parent, int intervalle, bool actif) {
    auto* timer = new TimerVirtuel(*this, intervalle, parent);
    timer->setEnabled(actif);
    return timer;
}

void TempsVirtuel::armer(Timer* timer, int ms) {
    desarmer(timer);
    echeances_.append({timer, ecoule_ + ms, ordre_++});
}

int TempsVirtuel::restant(const Timer* timer, int sinon) const {
    for (const Echeance& e : echeances_)
        if (e.timer == timer)
            return int(e.quand - ecoule_);
    return sinon;
}

void TempsVirtuel::desarmer(Timer* timer) {
    echeances_.removeIf([timer](const Echeance& e) { return e.timer == timer || e.timer.isNull(); });
}

void TempsVirtuel::avancer(qint64 ms) {
    const qint64 fin = ecoule_ + ms;
    for (;;) {
        auto prochaine =
            std::min_element(echeances_.begin(), echeances_.end(), [](const Echeance& a, const Echeance& b) {
                return a.quand != b.quand ? a.quand < b.quand : a.ordre < b.ordre;
            });
        if (prochaine == echeances_.end() || prochaine->quand > fin)
            break;
        const qint64 quand = prochaine->quand;
        QPointer<Timer> timer = prochaine->timer;
        echeances_.erase(prochaine);
        maintenant_ += static_cast<quint32>(quand - ecoule_);
        ecoule_ = quand;
        if (timer)
            static_cast<TimerVirtuel*>(timer.data())->declencher();
    }
    maintenant_ += static_cast<quint32>(fin - ecoule_);
    ecoule_ = fin;
}
