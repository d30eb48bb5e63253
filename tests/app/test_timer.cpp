// The timers' semantics, on virtual time.
#include "support/temps_virtuel.h"

#include <gtest/gtest.h>

TEST(Timer, TiqueChaqueIntervalleTantQuIlEstActif) {
    TempsVirtuel temps;
    QObject parent;
    Timer* t = temps.creerTimer(&parent, 1000, true);
    QList<qint64> tics;
    QObject::connect(t, &Timer::timeout, [&] { tics << temps.ecoule(); });
    temps.avancer(3500);
    EXPECT_EQ(tics, (QList<qint64>{1000, 2000, 3000}));
    t->setEnabled(false);
    temps.avancer(5000);
    EXPECT_EQ(tics.size(), 3);
}

TEST(Timer, ActiverUnTimerActifNeLeRelancePas) {
    TempsVirtuel temps;
    QObject parent;
    Timer* t = temps.creerTimer(&parent, 4000, true);
    int tics = 0;
    QObject::connect(t, &Timer::timeout, [&] { ++tics; });
    temps.avancer(3000);
    t->setEnabled(true);
    temps.avancer(1000);
    EXPECT_EQ(tics, 1);
}

TEST(Timer, RelancerEtChangerLIntervalleRepartentDeZero) {
    TempsVirtuel temps;
    QObject parent;
    Timer* paix = temps.creerTimer(&parent, 40000, true);
    int tics = 0;
    QObject::connect(paix, &Timer::timeout, [&] { ++tics; });
    temps.avancer(39000);
    paix->relancer();
    temps.avancer(39000);
    EXPECT_EQ(tics, 0);
    paix->setInterval(5000); // restarts the countdown of a running timer
    temps.avancer(4999);
    EXPECT_EQ(tics, 0);
    temps.avancer(1);
    EXPECT_EQ(tics, 1);
    // Setting the interval of a disabled timer starts nothing.
    paix->setEnabled(false);
    paix->setInterval(10);
    temps.avancer(100);
    EXPECT_EQ(tics, 1);
}

TEST(Timer, UnCoupUniqueEnchaineLeSuivant) {
    // The battle's pattern: each handler disables its own timer and enables the next one.
    TempsVirtuel temps;
    QObject parent;
    Timer* tir = temps.creerTimer(&parent, 4000);
    Timer* replique = temps.creerTimer(&parent, 6000);
    QStringList ordre;
    QObject::connect(tir, &Timer::timeout, [&] {
        tir->setEnabled(false);
        ordre << QStringLiteral("tir@%1").arg(temps.ecoule());
        replique->setEnabled(true);
    });
    QObject::connect(replique, &Timer::timeout, [&] {
        replique->setEnabled(false);
        ordre << QStringLiteral("replique@%1").arg(temps.ecoule());
    });
    tir->setEnabled(true);
    temps.avancer(20000);
    EXPECT_EQ(ordre, (QStringList{QStringLiteral("tir@4000"), QStringLiteral("replique@10000")}));
}

TEST(Timer, UnTimerDetruitNeTiquePlus) {
    TempsVirtuel temps;
    auto* parent = new QObject;
    Timer* t = temps.creerTimer(parent, 100, true);
    int tics = 0;
    QObject::connect(t, &Timer::timeout, [&] { ++tics; });
    delete parent;
    temps.avancer(1000);
    EXPECT_EQ(tics, 0);
}

TEST(Horloge, LeTempsVirtuelAvanceAChaqueLecture) {
    TempsVirtuel temps(1000, 1);
    EXPECT_EQ(temps.heureDuJourMs(), 1000u);
    EXPECT_EQ(temps.heureDuJourMs(), 1001u);
    temps.avancer(500);
    EXPECT_EQ(temps.heureDuJourMs(), 1502u);
}
