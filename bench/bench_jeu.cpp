// The game as a player hears it, measured on the sink: start-up to first sound, each key a player presses
// most (a screen change, an arrow, a shot, the long texts) and the glance (Ctrl+F2) to its first sound, a
// key silencing a glance, with the machine at rest
// and beside busy loops, and what the game costs at rest, after start-up and after 30 texts, and while
// the parrot recites SOS (CPU and wake-ups per second, from /proc, and the sound server's CPU meanwhile;
// the screen area redrawn, from the X server).
#include "ecoute.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>
// last: Xlib's macros would reach the headers after it
#ifdef CORSABORD_XDAMAGE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#endif

namespace {

using banc::attendre;
using banc::Ecoute;
using banc::mediane;
using banc::ms;

void touche(const char* touches) {
    // No pause between Ctrl and its letter (xdotool waits 6 ms by default): a player holds Ctrl down
    // before the letter, and the time counts from the letter.
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--delay"),
                                                  QStringLiteral("0"), QString::fromLatin1(touches)});
}

// CPU time (ms) and context switches of a process, thread by thread.
struct Conso {
    double cpu = 0;                // the process's, in clock ticks (10 ms on most systems)
    QHash<qint64, double> temps;   // ms on the CPU, by thread id, to the nanosecond where the kernel says
    QHash<qint64, qint64> reveils; // by thread id
};

// Wake-ups between two readings: threads that ended meanwhile (a thread pool's idle ones) are left out.
qint64 reveilsEntre(const Conso& a, const Conso& b, qint64 seul = 0) {
    qint64 n = 0;
    for (auto it = b.reveils.cbegin(); it != b.reveils.cend(); ++it)
        if (seul == 0 || it.key() == seul)
            n += it.value() - a.reveils.value(it.key(), 0);
    return n;
}

// CPU time between two readings, in ms: each thread's own time where the kernel keeps it (a frame of the
// parrot costs a fraction of a clock tick), left out for threads that ended meanwhile as for wake-ups;
// the process's ticks otherwise.
double cpuEntre(const Conso& a, const Conso& b) {
    if (b.temps.isEmpty())
        return b.cpu - a.cpu;
    double ms = 0;
    for (auto it = b.temps.cbegin(); it != b.temps.cend(); ++it)
        ms += it.value() - a.temps.value(it.key(), 0);
    return ms;
}

Conso conso(qint64 pid) {
    Conso c;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> champs = stat.readAll().split(')').value(1).trimmed().split(' ');
        // utime and stime are fields 14 and 15, the 12th and 13th after the name
        c.cpu = (champs.value(11).toDouble() + champs.value(12).toDouble()) * 1000.0 / sysconf(_SC_CLK_TCK);
    }
    const QDir taches(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& t : taches.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(taches.filePath(t + QStringLiteral("/status")));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        qint64 n = 0;
        for (const QByteArray& l : f.readAll().split('\n'))
            // a thread that sleeps and is woken: a busy machine's preemptions are not the game's doing
            if (l.startsWith("voluntary_ctxt_switches"))
                n += l.split('\t').last().trimmed().toLongLong();
        c.reveils.insert(t.toLongLong(), n);
        // its time on the CPU in ns, the first field
        QFile ordo(taches.filePath(t + QStringLiteral("/schedstat")));
        if (ordo.open(QIODevice::ReadOnly))
            c.temps.insert(t.toLongLong(), ordo.readAll().split(' ').value(0).toDouble() / 1e6);
    }
    return c;
}

// The sound server the game talks to: PulseAudio writes its pid beside its socket (0 if not found).
qint64 serveurSon() {
    QFile f(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/pulse/pid"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
}

// A window of silence only: one where the game spoke is measured again, up to three times. The sound
// server's CPU in the same window, which the monitor the benchmark reads costs too: its figure without
// the game (sansJeu, ms a minute) is said beside it.
void mesurer(Ecoute& ecoute, qint64 pid, const char* quoi, int secondes, double sansJeu = -1) {
    const qint64 serveur = serveurSon();
    for (int essai = 0; essai < 3; ++essai) {
        const double t0 = ms();
        const Conso a = conso(pid), sa = conso(serveur);
        attendre(secondes * 1000);
        const Conso b = conso(pid), sb = conso(serveur);
        if (ecoute.premierFort(t0) >= 0) {
            ecoute.attendreSilence(1500, 60000);
            continue;
        }
        std::printf("%s: %.1f ms of CPU a minute, %.2f wake-ups a second (main thread %.2f)", quoi,
                    cpuEntre(a, b) * 60.0 / secondes, double(reveilsEntre(a, b)) / secondes,
                    double(reveilsEntre(a, b, pid)) / secondes);
        if (serveur && sansJeu >= 0)
            std::printf("; the sound server %.1f ms of CPU a minute (%.1f without the game)",
                        cpuEntre(sa, sb) * 60.0 / secondes, sansJeu);
        std::printf("\n");
        return;
    }
    std::printf("%s: the game kept speaking, not measured\n", quoi);
}

// The sound server's CPU a minute, the game not running: what the monitor being read costs it.
double serveurSansJeu(int secondes) {
    const qint64 serveur = serveurSon();
    if (!serveur)
        return -1;
    const Conso a = conso(serveur);
    attendre(secondes * 1000);
    return cpuEntre(a, conso(serveur)) * 60.0 / secondes;
}

// Once the parrot has fallen silent and his balloon has gone: the 20 s of his idle moves, then a minute
// of rest.
void mesurerRepos(Ecoute& ecoute, qint64 pid, const char* quand, double serveurSeul) {
    mesurer(ecoute, pid, (QByteArray("the parrot's idle moves ") + quand).constData(), 20);
    mesurer(ecoute, pid, (QByteArray("at rest ") + quand).constData(), 60, serveurSeul);
}

// What the X server says was redrawn in a window: its damage reports, added up in pixels.
class Degats {
public:
    // On each of these windows: the battle's, the harbour's in front of it (Qt's own one-pixel windows
    // of the same names report nothing).
    explicit Degats(const QList<unsigned long>& fenetres) {
#ifdef CORSABORD_XDAMAGE
        ecran_ = XOpenDisplay(nullptr);
        // a window gone meanwhile is no reason to stop measuring
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        int erreur = 0;
        if (!ecran_ || !XDamageQueryExtension(ecran_, &evenement_, &erreur))
            return;
        for (const unsigned long f : fenetres)
            if (XDamageCreate(ecran_, f, XDamageReportRawRectangles))
                ++degats_;
#else
        (void)fenetres;
#endif
    }
    ~Degats() {
#ifdef CORSABORD_XDAMAGE
        if (ecran_)
            XCloseDisplay(ecran_);
#endif
    }
    bool mesure() const {
        return degats_ != 0;
    }
    // Reads what came; returns the pixels reported since the last call.
    double lire() {
        double pixels = 0;
#ifdef CORSABORD_XDAMAGE
        while (ecran_ && XPending(ecran_)) {
            XEvent e;
            XNextEvent(ecran_, &e);
            if (e.type == evenement_ + XDamageNotify) {
                const auto* d = reinterpret_cast<const XDamageNotifyEvent*>(&e);
                pixels += double(d->area.width) * d->area.height;
            }
        }
#endif
        return pixels;
    }

private:
#ifdef CORSABORD_XDAMAGE
    Display* ecran_ = nullptr;
    int evenement_ = 0;
#endif
    unsigned long degats_ = 0;
};

// The game's main window and its namesakes, as xdotool finds them by the title.
QList<unsigned long> fenetresDuJeu() {
    QProcess x;
    x.start(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^Corsabord")});
    x.waitForFinished(3000);
    QList<unsigned long> fenetres;
    for (const QByteArray& l : x.readAllStandardOutput().split('\n'))
        if (const unsigned long f = l.trimmed().toULong())
            fenetres << f;
    return fenetres;
}

// While the parrot speaks (the SOS recital, 42 s of speech) and during his idle moves after it: CPU per
// second, wake-ups a second, and the screen area redrawn a second.
void mesurerRecital(qint64 pid) {
    Degats degats(fenetresDuJeu());
    touche("ctrl+s");
    attendre(1000);
    auto fenetre = [&](const char* quoi, int secondes) {
        degats.lire();
        const Conso a = conso(pid);
        double pixels = 0;
        const double t0 = ms();
        while (ms() - t0 < secondes * 1000.0) {
            attendre(20);
            pixels += degats.lire();
        }
        const Conso b = conso(pid);
        std::printf(
            "%s: %.1f ms of CPU a second (%.1f ms in %d s), %.1f wake-ups a second (main thread %.1f)", quoi,
            cpuEntre(a, b) / secondes, cpuEntre(a, b), secondes, double(reveilsEntre(a, b)) / secondes,
            double(reveilsEntre(a, b, pid)) / secondes);
        if (degats.mesure())
            std::printf(", %.0f pixels redrawn a second", pixels / secondes);
        std::printf("\n");
    };
    fenetre("the SOS recital, while the parrot speaks", 30);
    attendre(14000); // its end and the balloon going
    fenetre("the parrot's idle moves after it", 20);
}

// Presses the keys once the sink has been quiet a while and returns the time to the first sound heard
// after them, or -1.
double cleVersSon(Ecoute& ecoute, const char* touches) {
    ecoute.attendreSilence(600, 60000);
    const double t0 = ms();
    touche(touches);
    attendre(1500);
    const double premier = ecoute.premierFort(t0);
    return premier < 0 ? -1 : premier - t0;
}

// The keys measured in a round, in the order pressed: Ctrl+E opens the battle, Ctrl+N leaves it. What
// follows a long text (the arrow) cuts it, and Escape leaves a side screen; neither is measured.
struct Cle {
    const char* nom;
    const char* touches;
    const char* ensuite;
};
constexpr Cle CLES[] = {
    {"Ctrl+E (harbour to battle)", "ctrl+e", nullptr},    {"an arrow (the sector named)", "Right", nullptr},
    {"Ctrl+R (the last words again)", "ctrl+r", nullptr}, {"Space (\"FEU!\")", "space", nullptr},
    {"Ctrl+S (the SOS list)", "ctrl+s", "Down"},          {"F1 (the added keys)", "F1", "Down"},
    {"Ctrl+J (the About card)", "ctrl+j", "Escape"},      {"Ctrl+V (the voice screen)", "ctrl+v", "Escape"},
    {"Ctrl+N (battle to harbour)", "ctrl+n", nullptr},
};

using Mesures = QMap<int, std::vector<double>>; // by key, in CLES's order

// One round of the keys, from the harbour with the fleet laid out back to it.
void jouerLesCles(Ecoute& ecoute, Mesures& mesures) {
    touche("ctrl+t"); // the whole fleet laid out
    for (int i = 0; i < int(std::size(CLES)); ++i) {
        const double t = cleVersSon(ecoute, CLES[i].touches);
        if (t >= 0)
            mesures[i].push_back(t);
        // Down in the battle names a sector, which cuts the long text
        if (CLES[i].ensuite)
            touche(CLES[i].ensuite);
    }
}

void direLesCles(const Mesures& mesures, const char* quand) {
    for (int i = 0; i < int(std::size(CLES)); ++i) {
        const std::vector<double> v = mesures.value(i);
        std::printf("%s to first sound, %s: median %.1f ms, worst %.1f ms (%zu presses)\n", CLES[i].nom,
                    quand, mediane(v), v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()), v.size());
    }
}

// Busy loops beside the game, as a machine compiling: as many as asked, until the object goes.
class Boucles {
public:
    explicit Boucles(int n) {
        for (int i = 0; i < n; ++i) {
            auto* p = new QProcess;
            p->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            boucles_.push_back(p);
        }
    }
    ~Boucles() {
        for (QProcess* p : boucles_) {
            p->kill();
            p->waitForFinished(1000);
            delete p;
        }
    }
    Boucles(const Boucles&) = delete;
    Boucles& operator=(const Boucles&) = delete;

private:
    std::vector<QProcess*> boucles_;
};

// The glance (Ctrl+F2): from the key to its first sound, and, a key pressed in the middle of a second one,
// from that key to the last sound heard after it (0 when none came: the rest of the row fell silent).
// Both are counted from the moment xdotool was started, its own start-up included.
void mesurerCoupDOeil(Ecoute& ecoute, std::vector<double>& premiers, std::vector<double>& silences) {
    const double p = cleVersSon(ecoute, "ctrl+F2");
    if (p >= 0)
        premiers.push_back(p);
    ecoute.attendreSilence(600, 10000);
    touche("ctrl+F2");
    attendre(475); // the middle of the fifth sound of twelve (110 ms apart, each 70 to 80 ms long)
    const double t0 = ms();
    touche("shift");
    attendre(1500);
    const double dernier = ecoute.dernierFort(t0);
    silences.push_back(dernier < 0 ? 0 : dernier - t0);
}

} // namespace

int main(int argc, char** argv) {
    ms();
    QCoreApplication app(argc, argv);
    // absolute: the game starts in a folder of its own
    const QString jeu =
        QFileInfo(argc > 1 ? QString::fromLocal8Bit(argv[1])
                           : QCoreApplication::applicationDirPath() + QStringLiteral("/../corsabord"))
            .absoluteFilePath();
    const int tours = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const int boucles = argc > 3 ? std::max(0, atoi(argv[3])) : 4;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("needs a display (and a PulseAudio server): start tools/desk first");
        return 1;
    }
    Ecoute ecoute;
    if (!ecoute.ouvrir()) {
        std::puts("no sink monitor to listen on: start a PulseAudio server");
        return 1;
    }
    const double serveurSeul = serveurSansJeu(20);
    QTemporaryDir dossier;
    std::vector<double> demarrages;
    Mesures auRepos, enCharge;
    std::vector<double> coupDOeil, silence;
    for (int tour = 0; tour < tours; ++tour) {
        QProcess partie;
        partie.setWorkingDirectory(dossier.path());
        partie.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        partie.setStandardOutputFile(QProcess::nullDevice());
        ecoute.attendreSilence(600, 10000);
        const double t0 = ms();
        partie.start(jeu, {});
        if (!partie.waitForStarted(5000)) {
            std::printf("cannot start %s\n", qPrintable(jeu));
            return 1;
        }
        attendre(3000);
        const double premier = ecoute.premierFort(t0);
        if (premier > 0)
            demarrages.push_back(premier - t0);
        if (tour == 0) {
            // the greeting heard out, the balloon gone
            ecoute.attendreSilence(1500, 60000);
            attendre(1600);
            mesurerRepos(ecoute, partie.processId(), "after start-up", serveurSeul);
        }
        jouerLesCles(ecoute, auRepos);
        if (boucles > 0) {
            Boucles occupe(boucles);
            jouerLesCles(ecoute, enCharge);
        }
        // the glance, in a battle of its own
        touche("ctrl+t");
        touche("ctrl+e");
        ecoute.attendreSilence(600, 20000);
        mesurerCoupDOeil(ecoute, coupDOeil, silence);
        touche("ctrl+n");
        ecoute.attendreSilence(600, 20000);
        if (tour == 0) {
            for (int i = 0; i < 30; ++i) {
                touche("ctrl+r");
                attendre(i % 5 == 4 ? 2000 : 250);
            }
            ecoute.attendreSilence(1500, 60000);
            attendre(1600);
            mesurerRepos(ecoute, partie.processId(), "after 30 texts", serveurSeul);
            mesurerRecital(partie.processId());
        }
        partie.kill();
        partie.waitForFinished(3000);
    }
    std::printf("start-up to first sound: median %.0f ms, worst %.0f ms (%zu runs)\n", mediane(demarrages),
                demarrages.empty() ? 0.0 : *std::max_element(demarrages.begin(), demarrages.end()),
                demarrages.size());
    direLesCles(auRepos, "as the machine is");
    if (boucles > 0)
        direLesCles(enCharge, QByteArray::number(boucles).append(" busy loops more").constData());
    std::printf(
        "Ctrl+F2 (the glance) to first sound: median %.1f ms, worst %.1f ms (%zu runs)\n", mediane(coupDOeil),
        coupDOeil.empty() ? 0.0 : *std::max_element(coupDOeil.begin(), coupDOeil.end()), coupDOeil.size());
    std::printf(
        "a key in the middle of a glance to its last sound: median %.1f ms, worst %.1f ms (%zu runs)\n",
        mediane(silence), silence.empty() ? 0.0 : *std::max_element(silence.begin(), silence.end()),
        silence.size());
    return 0;
}
