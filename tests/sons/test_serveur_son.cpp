// The sound outputs on a real PulseAudio server of the test's own (a null sink in a private runtime
// folder): a whole evening of texts and clips plays at its length, and the speech outlives the
// server going away and coming back.
#include "narrator/clips.h"
#include "narrator/sons_qt.h"
#include "narrator/sortie_qt.h"

#include <QAudioSink>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

#include <signal.h>
#include <sys/prctl.h>

namespace {

constexpr int FREQUENCE = 22050;

// A PulseAudio server with one null sink, for this test alone, that the test can kill and start again.
class ServeurPrive {
public:
    ServeurPrive() {
        if (!dossier_.isValid() || QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty())
            return;
        QDir().mkpath(dossier_.filePath(QStringLiteral("pulse")));
        QFile::setPermissions(dossier_.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // Qt's sound engine connects to the server named here, at its first use
        qputenv("PULSE_SERVER", "unix:" + socket().toUtf8());
        demarrer();
    }
    ~ServeurPrive() { tuer(); }

    QString socket() const { return dossier_.filePath(QStringLiteral("pulse/native")); }
    bool enMarche() const { return processus_.state() == QProcess::Running && QFileInfo::exists(socket()); }
    const QString& erreur() const { return erreur_; }

    bool demarrer() {
        // the server and its listener go with the test, however it ends
        for (QProcess* p : {&processus_, &ecoute_})
            p->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dossier_.path());
        env.insert(QStringLiteral("HOME"), dossier_.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        processus_.setProcessEnvironment(env);
        processus_.setProcessChannelMode(QProcess::MergedChannels);
        processus_.start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("--daemonize=no"), QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
             QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
             // where it may, the server plays ahead of whatever else the machine is busy with
             QStringLiteral("--high-priority=yes"), QStringLiteral("--realtime=yes"),
             QStringLiteral("--load=module-null-sink sink_name=corsabord_soiree"),
             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket()});
        if (!processus_.waitForStarted(3000)) {
            erreur_ = QStringLiteral("pulseaudio did not start: ") + processus_.errorString();
            return false;
        }
        if (!QTest::qWaitFor([this] { return QFileInfo::exists(socket()); }, 5000)) {
            erreur_ = QStringLiteral("pulseaudio opened no socket: ") +
                      QString::fromLocal8Bit(processus_.readAll());
            tuer();
            return false;
        }
        // A null sink left alone sleeps in long blocks and starts a new stream up to two seconds late;
        // a sound card does not. A listener on its monitor keeps it ticking as a card would.
        QProcessEnvironment ecoute = processus_.processEnvironment();
        ecoute.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket());
        ecoute_.setProcessEnvironment(ecoute);
        ecoute_.setStandardOutputFile(QProcess::nullDevice());
        ecoute_.start(QStringLiteral("parec"),
                      {QStringLiteral("-d"), QStringLiteral("corsabord_soiree.monitor"),
                       QStringLiteral("--latency-msec=5"), QStringLiteral("--raw")});
        ecoute_.waitForStarted(3000);
        return true;
    }
    // As a crash would: no goodbye to the clients.
    void tuer() {
        if (ecoute_.state() != QProcess::NotRunning) {
            ecoute_.kill();
            ecoute_.waitForFinished(3000);
        }
        if (processus_.state() == QProcess::NotRunning)
            return;
        processus_.kill();
        processus_.waitForFinished(3000);
        QFile::remove(socket());
    }

private:
    QTemporaryDir dossier_;
    QProcess processus_;
    QProcess ecoute_;
    QString erreur_;
};

ServeurPrive*& serveurPrive() {
    static ServeurPrive* s = nullptr;
    return s;
}

ServeurPrive& serveur() {
    if (!serveurPrive())
        serveurPrive() = new ServeurPrive;
    return *serveurPrive();
}

// The server stops with the tests, before Qt's sound engine goes.
class FinDesTests : public ::testing::Environment {
public:
    void TearDown() override {
        // the sinks let go in the last tests go before the server they were playing on
        attendreLesSinksLaches();
        delete serveurPrive();
        serveurPrive() = nullptr;
    }
};
const ::testing::Environment* const fin = ::testing::AddGlobalTestEnvironment(new FinDesTests);

// Skips the test when no server of its own could be started, saying why.
#define SERVEUR_REQUIS()                                                                                     \
    do {                                                                                                     \
        if (!serveur().enMarche())                                                                           \
            GTEST_SKIP() << "no PulseAudio server of the test's own could be started ("                      \
                         << qPrintable(serveur().erreur()) << "): install pulseaudio to run this test";      \
        if (!QTest::qWaitFor([] { return !QMediaDevices::audioOutputs().isEmpty(); }, 5000))                 \
            GTEST_SKIP() << "Qt sees no sound output on the test's own PulseAudio server";                   \
    } while (false)

// ms of a soft tone, 16-bit mono.
QByteArray ton(int ms) {
    QByteArray pcm(FREQUENCE * ms / 1000 * 2, Qt::Uninitialized);
    auto* s = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < pcm.size() / 2; ++i)
        s[i] = qint16(6000 * std::sin(i * 0.05));
    return pcm;
}

// Says pcm through the output; with coupe > 0, cuts it that many ms in. The time from the first sound
// heard to the end reported by the output, in ms, or -1 when cut or never ended.
double dire(SortieParoleQt& sortie, const QByteArray& pcm, int coupe = 0) {
    QSignalSpy jouee(&sortie, &SortieParole::jouee);
    sortie.commencer(FREQUENCE);
    sortie.ecrire(pcm);
    sortie.terminer();
    if (coupe > 0) {
        QTest::qWait(coupe);
        return -1;
    }
    QElapsedTimer montre;
    montre.start();
    double debut = -1;
    while (jouee.isEmpty() && montre.elapsed() < 10000) {
        if (debut < 0 && sortie.entendus() > 0)
            debut = montre.nsecsElapsed() / 1e6 - sortie.entendus() * 1000.0 / FREQUENCE;
        QTest::qWait(2);
    }
    if (jouee.isEmpty())
        return -1;
    // heard to its end; its length is known only if a position was seen on the way (not on a machine too
    // busy)
    return debut < 0 ? 0 : montre.nsecsElapsed() / 1e6 - debut;
}

TEST(ServeurSon, SoixanteTextesSEntendentALeurLongueur) {
    SERVEUR_REQUIS();
    SortieParoleQt sortie;
    const QByteArray court = ton(300), long_ = ton(1000);
    for (int i = 0; i < 55; ++i) {
        // most texts cut short by the next one, some heard to their end
        if (i % 4 == 3)
            EXPECT_GE(dire(sortie, court), 0) << "text " << i;
        else
            dire(sortie, long_, 120);
    }
    EXPECT_FALSE(sortie.decrochee());
    for (int i = 55; i < 60; ++i) {
        const double duree = dire(sortie, long_);
        EXPECT_NEAR(duree, 1000, 100) << "text " << i;
        // between texts nothing stays open
        EXPECT_FALSE(sortie.ouverte());
    }
}

TEST(ServeurSon, CentClipsPuisUnClipALaLongueur) {
    SERVEUR_REQUIS();
    auto* sortie = new SortieAudioQt;
    LecteurSonsQt lecteur{std::unique_ptr<SortieAudio>(sortie)};
    const QByteArray rate = clip(QStringLiteral("WaveRate")), but = clip(QStringLiteral("WaveBut"));
    const std::optional<ClipPcm> pcm = lireRiff(but);
    ASSERT_TRUE(pcm);
    const double longueur = pcm->echantillons.size() * 1000.0 / (pcm->frequence * pcm->bits / 8);
    for (int i = 0; i < 100; ++i) {
        lecteur.JouerSon(i % 2 ? rate : but);
        QTest::qWait(i % 25 == 24 ? 4000 : 40); // cut by the next clip, now and then heard to the end
    }
    lecteur.JouerSon(but);
    // from the first sound heard to the last, on the output's own clock
    QElapsedTimer montre;
    montre.start();
    double debut = -1, fin = -1;
    while (montre.elapsed() < 10000 && fin < 0) {
        const qint64 us = sortie->entendusUs();
        if (debut < 0 && us > 0)
            debut = montre.nsecsElapsed() / 1e6 - us / 1000.0;
        if (us >= longueur * 1000 - 2000)
            fin = montre.nsecsElapsed() / 1e6;
        QTest::qWait(2);
    }
    ASSERT_GT(debut, -1e9);
    ASSERT_GT(fin, 0) << "the clip was not heard to its end";
    EXPECT_NEAR(fin - debut, longueur, longueur / 10);
}

// Last: the server is killed in the middle of a text, then started again.
TEST(ServeurSon, LeServeurPartEtRevient) {
    SERVEUR_REQUIS();
    SortieParoleQt sortie;
    QSignalSpy jouee(&sortie, &SortieParole::jouee);
    QElapsedTimer montre;
    montre.start();
    sortie.commencer(FREQUENCE);
    sortie.ecrire(ton(3000));
    sortie.terminer();
    QTest::qWait(1000);
    const qint64 avant = sortie.entendus();
    EXPECT_GT(avant, FREQUENCE / 2);
    serveur().tuer();
    QTest::qWait(1000);
    // the text goes on on its own timing: what the balloon follows moves on
    EXPECT_TRUE(sortie.decrochee());
    EXPECT_GT(sortie.entendus(), avant + FREQUENCE / 2);
    ASSERT_TRUE(jouee.wait(3000));
    EXPECT_NEAR(montre.elapsed(), 3000, 600);
    EXPECT_FALSE(sortie.ouverte());
    // back again: a new text is heard once Qt has found the server again
    ASSERT_TRUE(serveur().demarrer()) << qPrintable(serveur().erreur());
    bool entendu = false;
    for (int essai = 0; essai < 12 && !entendu; ++essai) {
        jouee.clear();
        sortie.commencer(FREQUENCE);
        sortie.ecrire(ton(500));
        sortie.terminer();
        entendu = jouee.wait(3000) && !sortie.decrochee();
        if (!entendu)
            QTest::qWait(1000);
    }
    EXPECT_TRUE(entendu);
}

} // namespace
