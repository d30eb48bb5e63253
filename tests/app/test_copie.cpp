// One copy of the game per settings folder: the lock, its release by a copy that died, and the call that
// brings the first copy to the front.
#include "app/copie_unique.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <future>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The player's sockets in a folder of the test's own, as a desktop session gives one.
class Canaux : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid());
        qputenv("XDG_RUNTIME_DIR", session.path().toUtf8());
    }
    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }
    QTemporaryDir session;
};

// The event loop turns (the first copy plays on) until the start on the other thread is done.
template <typename T> T attendre(std::future<T> f, const std::function<void()>& aChaqueTour = {}) {
    while (f.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QTest::qWait(5);
        if (aChaqueTour)
            aChaqueTour();
    }
    return f.get();
}

bool appeler(const QString& dossier) {
    return attendre(
        std::async(std::launch::async, [dossier] { return CopieUnique(dossier).appelerLaPremiere(); }));
}

} // namespace

TEST_F(Canaux, UneSeulePartieParDossierEtLaSecondeAppelleLaPremiere) {
    QTemporaryDir dossier, autre;
    ASSERT_TRUE(dossier.isValid() && autre.isValid());
    auto premiere = std::make_unique<CopieUnique>(dossier.path());
    ASSERT_TRUE(premiere->prendre());
    // The socket in the player's own folder, closed to everyone else.
    const QString canal = CopieUnique::nomDuCanal(dossier.path());
    EXPECT_TRUE(canal.startsWith(session.path() + QStringLiteral("/fr.corsabord.corsabord/")))
        << canal.toStdString();
    struct stat etat {};
    ASSERT_EQ(
        ::stat(QFile::encodeName(session.path() + QStringLiteral("/fr.corsabord.corsabord")).constData(),
               &etat),
        0);
    EXPECT_EQ(etat.st_mode & 0777, 0700u);
    EXPECT_TRUE(QFile::exists(canal));
    // Another folder, another game; the same folder, refused.
    CopieUnique ailleurs(autre.path());
    EXPECT_TRUE(ailleurs.prendre());
    EXPECT_NE(canal, CopieUnique::nomDuCanal(autre.path()));
    CopieUnique seconde(dossier.path() + QStringLiteral("/."));
    EXPECT_FALSE(seconde.prendre());
    QSignalSpy appels(premiere.get(), &CopieUnique::appelee);
    EXPECT_TRUE(appeler(dossier.path()));
    EXPECT_EQ(appels.size(), 1);

    // Once the first copy has ended, the folder is free, its socket gone, and nobody answers a call.
    premiere.reset();
    EXPECT_FALSE(QFile::exists(QDir(dossier.path()).filePath(QStringLiteral(".corsabord.verrou"))));
    EXPECT_FALSE(QFile::exists(canal));
    EXPECT_FALSE(seconde.appelerLaPremiere());
    EXPECT_TRUE(seconde.prendre());
}

TEST_F(Canaux, LaPartieTueeLaisseVerrouEtCanalEtLaSuivanteLesReprend) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString canal = CopieUnique::nomDuCanal(dossier.path());
    ASSERT_FALSE(CopieUnique::dossierDesCanaux(true).isEmpty());
    // As a copy killed by the system leaves them: a socket nobody listens on any more, and the lock with
    // the number of a process that is gone.
    const pid_t pid = fork();
    if (pid == 0) {
        sockaddr_un adresse{.sun_family = AF_UNIX, .sun_path = {}};
        const QByteArray chemin = QFile::encodeName(canal);
        std::memcpy(adresse.sun_path, chemin.constData(), chemin.size());
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        _exit(::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) == 0 && ::listen(s, 1) == 0
                  ? 0
                  : 1);
    }
    ASSERT_GT(pid, 0);
    int statut = -1;
    ASSERT_EQ(waitpid(pid, &statut, 0), pid);
    ASSERT_EQ(statut, 0);
    ASSERT_TRUE(QFile::exists(canal));
    QFile verrou(QDir(dossier.path()).filePath(QStringLiteral(".corsabord.verrou")));
    ASSERT_TRUE(verrou.open(QIODevice::WriteOnly));
    verrou.write(QByteArray::number(pid) + "\ncorsabord\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    verrou.close();

    CopieUnique suivante(dossier.path());
    EXPECT_TRUE(suivante.prendre());
    // It listens where the dead one did: a later start calls it to the front.
    QSignalSpy appels(&suivante, &CopieUnique::appelee);
    EXPECT_TRUE(appeler(dossier.path()));
    EXPECT_EQ(appels.size(), 1);
}

TEST_F(Canaux, UnDossierDeCanauxQuiNEstPasAuJoueurSeulEstRefuse) {
    const auto ouvert = [](const QString& d) {
        ::mkdir(QFile::encodeName(d).constData(), 0777), ::chmod(QFile::encodeName(d).constData(), 0777);
    };
    const auto lien = [](const QString& d) {
        QDir().mkpath(d + QStringLiteral(".vrai"));
        QFile::setPermissions(d + QStringLiteral(".vrai"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::link(d + QStringLiteral(".vrai"), d);
    };
    const auto fichier = [](const QString& d) { QFile(d).open(QIODevice::WriteOnly); };
    const struct {
        const char* quoi;
        bool xdg;                              // XDG_RUNTIME_DIR set, or the temporary folder
        void (*avant)(const QString& dossier); // what was there before the game
        bool accepte;
    } cas[] = {
        {"neuf, session", true, nullptr, true},  {"neuf, sans session", false, nullptr, true},
        {"ouvert à tous", false, ouvert, false}, {"lien vers un dossier à soi", false, lien, false},
        {"un fichier", true, fichier, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        qunsetenv("TMPDIR");
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        qputenv("TMPDIR", tmp.path().toUtf8());
        if (c.xdg)
            qputenv("XDG_RUNTIME_DIR", tmp.path().toUtf8());
        else
            qunsetenv("XDG_RUNTIME_DIR");
        const QString attendu = tmp.path() + (c.xdg ? QStringLiteral("/fr.corsabord.corsabord")
                                                    : QStringLiteral("/corsabord-%1").arg(getuid()));
        if (c.avant)
            c.avant(attendu);
        QString raison;
        EXPECT_EQ(CopieUnique::dossierDesCanaux(true, &raison), c.accepte ? attendu : QString());
        EXPECT_EQ(raison.isEmpty(), c.accepte) << raison.toStdString();
        // Where the folder is refused, the game plays on, and no start calls into it.
        QTemporaryDir jeu;
        CopieUnique copie(jeu.path());
        EXPECT_TRUE(copie.prendre());
        EXPECT_EQ(appeler(jeu.path()), c.accepte);
    }
    qunsetenv("TMPDIR");
}

TEST_F(Canaux, LesAppelsMuetsOuFauxSontRaccrochesEtPeuALaFois) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    CopieUnique premiere(dossier.path());
    ASSERT_TRUE(premiere.prendre());
    QSignalSpy appels(&premiere, &CopieUnique::appelee);
    // A hundred connections that say nothing, and one that says something else: every one is hung up, and
    // the first copy never holds more than a few at once.
    constexpr int MUETS = 100;
    auto raccroches = std::async(std::launch::async, [&] {
        std::vector<std::unique_ptr<QLocalSocket>> muets(MUETS + 1);
        for (auto& m : muets) {
            m = std::make_unique<QLocalSocket>();
            m->connectToServer(CopieUnique::nomDuCanal(dossier.path()));
            m->waitForConnected(5000);
        }
        const std::unique_ptr<QLocalSocket> faux = std::move(muets.back());
        muets.pop_back();
        faux->write("premier PLAN\n");
        // The hang-up may already have come while the line was written.
        faux->waitForBytesWritten(5000);
        const auto raccroche = [](QLocalSocket& s) {
            return s.state() == QLocalSocket::UnconnectedState || s.waitForDisconnected(10000);
        };
        int n = raccroche(*faux) ? 1 : 0;
        for (auto& m : muets)
            n += raccroche(*m) ? 1 : 0;
        return n;
    });
    qsizetype auPlus = 0;
    EXPECT_EQ(attendre(std::move(raccroches),
                       [&] {
                           qsizetype ouverts = 0;
                           for (const QLocalSocket* s : premiere.findChildren<QLocalSocket*>())
                               ouverts += s->state() == QLocalSocket::ConnectedState ? 1 : 0;
                           auPlus = std::max(auPlus, ouverts);
                       }),
              MUETS + 1);
    EXPECT_LE(auPlus, CopieUnique::APPELS_MAX);
    EXPECT_TRUE(appels.isEmpty());
    // The line is free again for a true call.
    EXPECT_TRUE(appeler(dossier.path()));
    EXPECT_EQ(appels.size(), 1);
}
