// What the benchmarks hear: the default sink's monitor read with parec, each sample with its time.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace banc {

// Milliseconds since the benchmark started.
inline double ms() {
    static QElapsedTimer horloge = [] {
        QElapsedTimer h;
        h.start();
        return h;
    }();
    return horloge.nsecsElapsed() / 1e6;
}

inline double mediane(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline void attendre(int duree) {
    QEventLoop boucle;
    QTimer::singleShot(duree, &boucle, &QEventLoop::quit);
    boucle.exec();
}

// Records the default sink's monitor. It reads in 5 ms blocks, as a sound card plays: a PulseAudio null
// sink with no such reader sleeps in long blocks and starts a new stream up to two seconds late.
class Ecoute : public QObject {
    Q_OBJECT
public:
    // parec on the default sink's monitor (Qt lists no monitor sources).
    bool ouvrir() {
        parec_ = new QProcess(this);
        parec_->start(QStringLiteral("parec"),
                      {QStringLiteral("-d"), QStringLiteral("@DEFAULT_MONITOR@"),
                       QStringLiteral("--format=s16le"), QStringLiteral("--rate=22050"),
                       QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=5"),
                       QStringLiteral("--raw")});
        if (!parec_->waitForStarted(2000))
            return false;
        connect(parec_, &QProcess::readyReadStandardOutput, this, [this] { lire(); });
        attendre(300);
        return parec_->state() == QProcess::Running;
    }
    ~Ecoute() override {
        if (parec_) {
            parec_->kill();
            parec_->waitForFinished(1000);
        }
    }
    void lire() {
        const QByteArray b = parec_->readAllStandardOutput();
        const double t = ms();
        const auto* s = reinterpret_cast<const qint16*>(b.constData());
        const qsizetype n = b.size() / 2;
        for (qsizetype i = 0; i < n; ++i)
            echantillons_.push_back({t - double(n - 1 - i) * 1000.0 / 22050, std::abs(s[i])});
    }
    void vider() { echantillons_.clear(); }
    // Loudest sample per 10 ms from a to b, for looking at a cut.
    void montrer(double a, double b) const {
        for (double t = a; t < b; t += 10) {
            int m = 0;
            for (const auto& e : echantillons_)
                if (e.first >= t && e.first < t + 10)
                    m = std::max(m, e.second);
            std::printf("%+.0f:%d ", t - a, m);
        }
        std::puts("");
    }
    // First loud sample at or after t.
    double premierFort(double t, int seuil = 250) const {
        for (const auto& e : echantillons_)
            if (e.first >= t && e.second > seuil)
                return e.first;
        return -1;
    }
    // Last loud sample at or after t.
    double dernierFort(double t, int seuil = 250) const {
        double dernier = -1;
        for (const auto& e : echantillons_)
            if (e.first >= t && e.second > seuil)
                dernier = e.first;
        return dernier;
    }
    // Waits until the sink has been quiet for calme ms (true), or until delai ms have passed.
    bool attendreSilence(int calme, int delai) {
        const double debut = ms();
        while (ms() - debut < delai) {
            attendre(50);
            const double dernier = dernierFort(debut - calme);
            if (ms() - std::max(dernier, debut - calme) >= calme)
                return true;
        }
        return false;
    }

private:
    QProcess* parec_ = nullptr;
    std::vector<std::pair<double, int>> echantillons_;
};

} // namespace banc
