// A look at the narrator: a 1024 by 800 window where the parrot shows itself, greets and speaks. A probe
// times the main loop meanwhile: a timer every 2 ms, each late tick a wait of the loop. Of each wait, the
// thread's own clock (/proc schedstat) tells the time it ran and the time it waited for a core (a busy
// machine's doing); the rest it slept, blocked: a repaint waiting on the X server. Printed at the end.
#include "app/lancement.h"
#include "base/dialogues.h"
#include "base/temps.h"
#include "narrator/compagnon_perroquet.h"
#include "narrator/narrateur.h"
#include "audio/sons.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

class BipSeul : public LecteurSons {
public:
    void JouerSon(const QByteArray&) override {}
    void Bip() override { std::puts("bip"); }
};

// A sea-blue backdrop standing in for the battle screen.
class Fond : public QWidget {
public:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(24, 70, 120));
        p.setPen(QColor(200, 220, 240));
        for (int y = 40; y < height(); y += 48)
            p.drawLine(0, y, width(), y);
    }
};

} // namespace

// Arguments: [text to say] [voice mode identifier] [scale] [ms before the farewell]
int main(int argc, char** argv) {
    // painted as the game paints, or, with VOIR_MEMOIRE_PARTAGEE=1, through the X server's shared memory
    // as the toolkit does by default, to compare
    if (qEnvironmentVariableIntValue("VOIR_MEMOIRE_PARTAGEE") != 1)
        peindreSansAttendreX();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString texte = args.size() > 1
                              ? args.at(1)
                              : QStringLiteral("Bonjour amiral! Ça fait plaisir de vous voir à bord. Hissez "
                                               "les voiles, fiston, l'ennemi approche: à vos canons!");
    const QString mode =
        args.size() > 2 ? args.at(2) : QStringLiteral("0879a4e0-a92c-11d1-B17B-0020AFED142E");
    Fond fenetre;
    fenetre.resize(1024, 800);
    fenetre.show();
    TempsReel temps;
    DialoguesQt dialogues;
    BipSeul sons;
    CompagnonPerroquet compagnon(&fenetre, temps);
    if (args.size() > 3)
        compagnon.setEchelle(args.at(3).toDouble(), QPoint(0, 0));
    Narrateur narrateur(compagnon, dialogues, sons);
    narrateur.setFenetre(&fenetre);
    if (!narrateur.InstalPeedy({QStringLiteral("MemoConfig"), mode}))
        return 1;
    QObject::connect(&compagnon, &ServiceCompagnon::requeteTerminee,
                     [](int id) { std::printf("requête %d terminée\n", id); });
    QTimer::singleShot(1500, &narrateur, [&] { narrateur.Parle(texte); });
    // the probe, from the first words on
    QElapsedTimer horloge;
    QTimer sonde;
    sonde.setTimerType(Qt::PreciseTimer);
    QFile ordo(QStringLiteral("/proc/thread-self/schedstat"));
    ordo.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    // ms on the CPU and ms waiting for one, of this thread so far
    auto horlogeFil = [&ordo]() -> std::pair<double, double> {
        ordo.seek(0);
        const QList<QByteArray> champs = ordo.readAll().split(' ');
        return {champs.value(0).toDouble() / 1e6, champs.value(1).toDouble() / 1e6};
    };
    // What the main thread sleeps in, read every half millisecond from a thread of its own: the system
    // call's number (futex: a lock, the sound thread's or Qt's; poll: the loop itself; a write: the X
    // server's socket full), so that a block can be told apart.
    struct Releve {
        double ms;
        long appel;
    };
    std::vector<Releve> releves;
    std::mutex verrouReleves;
    std::atomic<bool> finReleves = false;
    const QString cheminAppel = QStringLiteral("/proc/self/task/%1/syscall").arg(::gettid());
    std::thread releveur([&] {
        QFile f(cheminAppel);
        f.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        while (!finReleves) {
            f.seek(0);
            const long appel = f.readAll().split(' ').value(0).toLong();
            if (horloge.isValid()) {
                std::lock_guard g(verrouReleves);
                releves.push_back({horloge.nsecsElapsed() / 1e6, appel});
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    std::map<long, int> appelsDesBlocages; // system call -> samples inside blocks over 10 ms
    double pire = 0, pireBloque = 0, avant = -1;
    std::pair<double, double> filAvant;
    int tics = 0, longs = 0, bloques = 0;
    QObject::connect(&sonde, &QTimer::timeout, [&] {
        const double t = horloge.nsecsElapsed() / 1e6;
        const auto fil = horlogeFil();
        if (avant >= 0) {
            const double attente = t - avant;
            const double bloque = attente - (fil.first - filAvant.first) - (fil.second - filAvant.second);
            pire = std::max(pire, attente);
            pireBloque = std::max(pireBloque, bloque);
            longs += attente > 20;
            bloques += bloque > 20;
            if (bloque > 10) {
                std::lock_guard g(verrouReleves);
                for (const Releve& r : releves)
                    if (r.ms > avant && r.ms < t)
                        ++appelsDesBlocages[r.appel];
            }
            std::lock_guard g(verrouReleves);
            std::erase_if(releves, [t](const Releve& r) { return r.ms < t - 100; });
        }
        avant = t;
        filAvant = fil;
        ++tics;
    });
    QTimer::singleShot(1500, &sonde, [&] {
        horloge.start();
        sonde.start(2);
    });
    // then the farewell, as after a confirmed quit: the end of "Hide" ends the program
    int adieu = -1;
    QObject::connect(&compagnon, &ServiceCompagnon::requeteTerminee, &app, [&](int id) {
        if (id == adieu) {
            narrateur.liberer();
            app.quit();
        }
    });
    const int avantAdieu = args.size() > 4 ? args.at(4).toInt() : 9000;
    QTimer::singleShot(avantAdieu, &narrateur, [&] {
        narrateur.jouer(QStringLiteral("Wave"));
        narrateur.Parle(
            QStringLiteral("Nous retournons à terre, amiral. Au revoir, et à bientôt pour un autre combat!"));
        adieu = narrateur.jouer(QStringLiteral("Hide"));
    });
    const int fin = app.exec();
    finReleves = true;
    releveur.join();
    std::printf("the main loop, %.1f s from the first words: longest wait %.1f ms, %d waits over 20 ms (%d "
                "ticks of 2 ms); blocked, neither running nor waiting for a core: longest %.1f ms, %d times "
                "over 20 ms\n",
                horloge.isValid() ? horloge.nsecsElapsed() / 1e9 : 0.0, pire, longs, tics, pireBloque,
                bloques);
    // the numbers are the machine's (x86-64: 7 poll, 20 writev, 46 sendmsg, 202 futex, 232 epoll_wait)
    for (const auto& [appel, n] : appelsDesBlocages)
        std::printf("blocks over 10 ms, half-ms samples in system call %ld: %d\n", appel, n);
    return fin;
}
