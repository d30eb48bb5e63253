// The game as a player hears it, measured on the sink: start-up to first sound, a screen change's key
// (Ctrl+E to the battle, Ctrl+N back to the harbour) and the glance's (Ctrl+F2) to first sound, a key
// silencing a glance, and what the game costs at rest,
// after start-up and after 30 texts, and while the parrot recites SOS (CPU and wake-ups per second, from
// /proc; the screen area redrawn, from the X server).
#include "ecoute.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QFileInfo>
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
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(touches)});
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

// A window of silence only: one where the game spoke is measured again, up to three times.
void mesurer(Ecoute& ecoute, qint64 pid, const char* quoi, int secondes) {
    for (int essai = 0; essai < 3; ++essai) {
        const double t0 = ms();
        const Conso a = conso(pid);
        attendre(secondes * 1000);
        const Conso b = conso(pid);
        if (ecoute.premierFort(t0) >= 0) {
            ecoute.attendreSilence(1500, 60000);
            continue;
        }
        std::printf("%s: %.1f ms of CPU a minute, %.1f wake-ups a second (main thread %.1f)\n", quoi,
                    cpuEntre(a, b) * 60.0 / secondes, double(reveilsEntre(a, b)) / secondes,
                    double(reveilsEntre(a, b, pid)) / secondes);
        return;
    }
    std::printf("%s: the game kept speaking, not measured\n", quoi);
}

// Once the parrot has fallen silent and his balloon has gone: the 20 s of his idle moves, then rest.
void mesurerRepos(Ecoute& ecoute, qint64 pid, const char* quand) {
    mesurer(ecoute, pid, (QByteArray("the parrot's idle moves ") + quand).constData(), 20);
    mesurer(ecoute, pid, (QByteArray("at rest ") + quand).constData(), 30);
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

// Presses the keys and returns the time to the first sound heard after them, or -1.
double cleVersSon(Ecoute& ecoute, const char* touches) {
    ecoute.attendreSilence(600, 60000);
    const double t0 = ms();
    touche(touches);
    attendre(1500);
    const double premier = ecoute.premierFort(t0);
    return premier < 0 ? -1 : premier - t0;
}

// The glance (Ctrl+F2): from the key to its first sound, and, a key pressed in the middle of a second one,
// from that key to the last sound heard after it (0 when none came: the rest of the row fell silent).
// Both are counted from the moment xdotool was started, its own start-up included.
void mesurerCoupDOeil(Ecoute& ecoute, std::vector<double>& premiers, std::vector<double>& silences) {
    const double p = cleVersSon(ecoute, "ctrl+F2");
    if (p >= 0)
        premiers.push_back(p);
    ecoute.attendreSilence(600, 10000);
    touche("ctrl+F2");
    attendre(530); // the fifth sector of twelve
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
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("needs a display (and a PulseAudio server): start tools/desk first");
        return 1;
    }
    Ecoute ecoute;
    if (!ecoute.ouvrir()) {
        std::puts("no sink monitor to listen on: start a PulseAudio server");
        return 1;
    }
    QTemporaryDir dossier;
    std::vector<double> demarrages, engager, retour, coupDOeil, silence;
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
            mesurerRepos(ecoute, partie.processId(), "after start-up");
        }
        touche("ctrl+t"); // the whole fleet laid out
        const double e = cleVersSon(ecoute, "ctrl+e");
        if (e >= 0)
            engager.push_back(e);
        mesurerCoupDOeil(ecoute, coupDOeil, silence);
        const double n = cleVersSon(ecoute, "ctrl+n");
        if (n >= 0)
            retour.push_back(n);
        if (tour == 0) {
            for (int i = 0; i < 30; ++i) {
                touche("ctrl+r");
                attendre(i % 5 == 4 ? 2000 : 250);
            }
            ecoute.attendreSilence(1500, 60000);
            attendre(1600);
            mesurerRepos(ecoute, partie.processId(), "after 30 texts");
            mesurerRecital(partie.processId());
        }
        partie.kill();
        partie.waitForFinished(3000);
    }
    std::printf("start-up to first sound: median %.0f ms, worst %.0f ms (%zu runs)\n", mediane(demarrages),
                demarrages.empty() ? 0.0 : *std::max_element(demarrages.begin(), demarrages.end()),
                demarrages.size());
    std::printf("Ctrl+E (harbour to battle) to first sound: median %.1f ms, worst %.1f ms (%zu runs)\n",
                mediane(engager), engager.empty() ? 0.0 : *std::max_element(engager.begin(), engager.end()),
                engager.size());
    std::printf("Ctrl+N (battle to harbour) to first sound: median %.1f ms, worst %.1f ms (%zu runs)\n",
                mediane(retour), retour.empty() ? 0.0 : *std::max_element(retour.begin(), retour.end()),
                retour.size());
    std::printf(
        "Ctrl+F2 (the glance) to first sound: median %.1f ms, worst %.1f ms (%zu runs)\n", mediane(coupDOeil),
        coupDOeil.empty() ? 0.0 : *std::max_element(coupDOeil.begin(), coupDOeil.end()), coupDOeil.size());
    std::printf(
        "a key in the middle of a glance to its last sound: median %.1f ms, worst %.1f ms (%zu runs)\n",
        mediane(silence), silence.empty() ? 0.0 : *std::max_element(silence.begin(), silence.end()),
        silence.size());
    return 0;
}
