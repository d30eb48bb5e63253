// One copy of the game per settings folder: the lock, its release by a copy that died, and the call that
// brings the first copy to the front.
#include "app/copie_unique.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>

#include <sys/wait.h>
#include <unistd.h>

TEST(CopieUnique, UneSeulePartieParDossierEtLaSecondeAppelleLaPremiere) {
    QTemporaryDir dossier, autre;
    ASSERT_TRUE(dossier.isValid() && autre.isValid());
    auto premiere = std::make_unique<CopieUnique>(dossier.path());
    ASSERT_TRUE(premiere->prendre());
    // Another folder, another game; the same folder, refused.
    CopieUnique ailleurs(autre.path());
    EXPECT_TRUE(ailleurs.prendre());
    EXPECT_NE(CopieUnique::nomDuCanal(dossier.path()), CopieUnique::nomDuCanal(autre.path()));
    CopieUnique seconde(dossier.path() + QStringLiteral("/."));
    EXPECT_FALSE(seconde.prendre());

    // The call, from a start that waits for the answer while the first copy plays on.
    QSignalSpy appels(premiere.get(), &CopieUnique::appelee);
    auto entendu = std::async(std::launch::async, [&] {
        CopieUnique appelante(dossier.path());
        return appelante.appelerLaPremiere();
    });
    EXPECT_TRUE(appels.wait(5000));
    EXPECT_TRUE(entendu.get());
    EXPECT_EQ(appels.size(), 1);

    // Once the first copy has ended, the folder is free and nobody answers a call.
    premiere.reset();
    EXPECT_FALSE(QFile::exists(QDir(dossier.path()).filePath(QStringLiteral(".corsabord.verrou"))));
    EXPECT_FALSE(seconde.appelerLaPremiere());
    EXPECT_TRUE(seconde.prendre());
}

TEST(CopieUnique, LeVerrouDUnePartieTueeNeBloquePas) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    // The lock as a copy killed by the system leaves it: the number of a process that is gone.
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
    QFile verrou(QDir(dossier.path()).filePath(QStringLiteral(".corsabord.verrou")));
    ASSERT_TRUE(verrou.open(QIODevice::WriteOnly));
    verrou.write(QByteArray::number(pid) + "\ncorsabord\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    verrou.close();
    CopieUnique suivante(dossier.path());
    EXPECT_TRUE(suivante.prendre());
}
