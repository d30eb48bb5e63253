// Speech latency of the narrator, measured for real: Parle to first sound handed to the output, and a
// new Parle to the end of the previous text (in the process and, with a PulseAudio monitor, as heard).
#include "app/temps.h"
#include "narrator/compagnon_perroquet.h"
#include "narrator/moteur_espeak.h"
#include "narrator/sortie_qt.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QElapsedTimer horloge;

double ms() {
    return horloge.nsecsElapsed() / 1e6;
}

double mediane(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void attendre(int duree) {
    QEventLoop boucle;
    QTimer::singleShot(duree, &boucle, &QEventLoop::quit);
    boucle.exec();
}

// Waits for the first sound of a request; false after the timeout.
bool attendrePremierSon(CompagnonPerroquet& c, int id, double* quand, int delai = 5000) {
    bool vu = false;
    QEventLoop boucle;
    auto lien = QObject::connect(&c, &CompagnonPerroquet::premierSon, &boucle, [&](int r) {
        if (r == id) {
            vu = true;
            *quand = ms();
            boucle.quit();
        }
    });
    QTimer::singleShot(delai, &boucle, &QEventLoop::quit);
    boucle.exec();
    QObject::disconnect(lien);
    return vu;
}

// Records the default sink's monitor: each sample with the time it was read.
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

private:
    QProcess* parec_ = nullptr;
    std::vector<std::pair<double, int>> echantillons_;
};

const char* const TEXTES[] = {
    "Tir en B 5, amiral.",
    "Touché, fiston! Ça chauffe à bâbord.",
    "Dans l'eau, moussaillon.",
    "Frégate adverse hors de combat.",
    "Feu ennemi!",
    "Aucune perte à déplorer pour l'instant, amiral.",
};
const char* const LONG =
    "Voici le rapport de nos pertes, amiral: tir numéro douze, frégate hors de combat. Tir numéro "
    "vingt, galère hors de combat. Tir numéro trente et un, brick hors de combat.";

} // namespace

int main(int argc, char** argv) {
    horloge.start();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget fenetre;
    fenetre.resize(1024, 800);
    TempsReel temps;
    auto* sortie = new SortieParoleQt;
    CompagnonPerroquet compagnon(&fenetre, temps, new MoteurEspeak, sortie);
    const bool son = sortie->disponible();
    std::printf("sound output: %s\n", son ? "yes" : "none (speech timed, not heard)");
    compagnon.setConnecte(true);
    if (!compagnon.charger(QStringLiteral("Peedy"), QStringLiteral("Peedy.acs"))) {
        std::puts("no character file found");
        return 1;
    }
    // start-up: the character comes on and greets, then the greeting is said after those animations
    compagnon.montrer();
    compagnon.jouer(QStringLiteral("Greet"));
    compagnon.parler(QStringLiteral(" "));
    const int accueil = compagnon.parler(QStringLiteral("Bonjour amiral, l'ennemi approche."));
    double quand = 0;
    if (attendrePremierSon(compagnon, accueil, &quand, 10000))
        std::printf("start-up to the greeting's first sound: %.1f ms (of which the Show and Greet animations "
                    "take about 1700 ms)\n",
                    quand);
    attendre(500);

    // 1. Parle to the first sound handed to the output
    std::vector<double> premiers;
    int precedente = accueil;
    for (int i = 0; i < 40; ++i) {
        const double t0 = ms();
        compagnon.arreter(precedente);
        precedente = compagnon.parler(QString::fromUtf8(TEXTES[i % 6]));
        if (attendrePremierSon(compagnon, precedente, &quand))
            premiers.push_back(quand - t0);
        attendre(120);
    }
    std::printf("Parle to first PCM handed to the output: median %.2f ms, worst %.2f ms (%zu runs)\n",
                mediane(premiers), *std::max_element(premiers.begin(), premiers.end()), premiers.size());

    // 2. a new Parle cuts the previous text: the call, and what the sink still held when it was cut
    std::vector<double> coupes;
    for (int i = 0; i < 15 && son; ++i) {
        compagnon.arreter(precedente);
        precedente = compagnon.parler(QString::fromUtf8(LONG));
        attendrePremierSon(compagnon, precedente, &quand);
        attendre(600);
        const double t0 = ms();
        compagnon.arreter(precedente);
        precedente = compagnon.parler(QString::fromUtf8(TEXTES[i % 6]));
        coupes.push_back(ms() - t0);
        attendre(300);
    }
    if (son)
        std::printf("new Parle cuts the previous text: the call takes %.2f ms median, worst %.2f ms\n",
                    mediane(coupes), *std::max_element(coupes.begin(), coupes.end()));

    // 3. heard on the sink's monitor: when the old text falls silent after a Parle that says nothing
    Ecoute ecoute;
    if (son && ecoute.ouvrir()) {
        std::vector<double> debuts, fins;
        for (int i = 0; i < 20; ++i) {
            compagnon.arreter(precedente);
            attendre(400);
            ecoute.vider();
            precedente = compagnon.parler(QString::fromUtf8(LONG));
            attendrePremierSon(compagnon, precedente, &quand);
            attendre(900);
            const double debut = ecoute.premierFort(quand - 50);
            const double t0 = ms();
            compagnon.arreter(precedente);
            precedente = compagnon.parler(QStringLiteral(" "));
            attendre(500);
            const double fin = ecoute.dernierFort(t0 - 100);
            if (qEnvironmentVariableIsSet("CORSABORD_MONTRER_COUPE"))
                ecoute.montrer(t0 - 200, t0 + 150);
            if (debut > 0 && fin > 0) {
                debuts.push_back(debut - quand);
                fins.push_back(fin - t0);
            }
        }
        std::printf(
            "heard on the monitor: first PCM to first sound %.1f ms median (the output path's own "
            "latency); new Parle to the old text's last sound %.1f ms median, worst %.1f ms (%zu runs)\n",
            mediane(debuts), mediane(fins), *std::max_element(fins.begin(), fins.end()), fins.size());
    } else if (son) {
        std::puts("no monitor source to listen on: the heard figures are skipped");
    }
    return 0;
}

#include "bench_parole.moc"
