// Whether the player's screen reader runs: read at start and followed on a session bus of the test's own,
// where a fake accessibility bus holds the desktop's switch.
#include "base/lecteur_actif.h"

#include <QDBusMessage>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The desktop's accessibility bus as far as the switch goes, answered on a thread of its own so that the
// game's blocking question gets its answer.
class FauxStatut : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Status")
    Q_PROPERTY(bool ScreenReaderEnabled READ lecteur WRITE setLecteur)
    Q_PROPERTY(bool IsEnabled READ lecteur WRITE setLecteur)
public:
    bool lecteur() const { return lecteur_.loadAcquire(); }
    void setLecteur(bool v) { lecteur_.storeRelease(v); }

private:
    QAtomicInteger<bool> lecteur_ = false;
};

// Told when the fake's last signal has reached the game's connection, and so everything the fake sent before.
class Repere : public QObject {
    Q_OBJECT
public:
    int vus = 0;
public Q_SLOTS:
    void fin() { ++vus; }
};

// A dbus-daemon of the test's own, on a private socket.
class BusPrive {
public:
    BusPrive() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return;
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1"),
                       QStringLiteral("--address=unix:dir=") + dossier_.path()});
        if (!daemon_.waitForReadyRead(10000))
            return;
        adresse_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~BusPrive() {
        daemon_.kill();
        daemon_.waitForFinished(3000);
    }
    QString adresse() const { return adresse_; }

private:
    QTemporaryDir dossier_;
    QProcess daemon_;
    QString adresse_;
};

void signaler(QDBusConnection& bus, const QString& propriete, bool valeur, bool perimee) {
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/a11y/bus"),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    QVariantMap changees;
    QStringList perimees;
    if (perimee)
        perimees << propriete;
    else
        changees.insert(propriete, valeur);
    signal << QStringLiteral("org.a11y.Status") << changees << perimees;
    bus.send(signal);
}

} // namespace

TEST(LecteurActif, LuAuDepartPuisSuiviSurLeBus) {
    BusPrive prive;
    if (prive.adresse().isEmpty())
        GTEST_SKIP() << "no dbus-daemon of the test's own (Debian: dbus-daemon)";
    // A step: 'v' the switch set and announced, 'i' only IsEnabled announced, 'p' the switch set and
    // announced as stale (to be read again), 's' the accessibility bus appears with the switch as given.
    struct Pas {
        char quoi;
        bool valeur;
    };
    struct Cas {
        const char* nom;
        bool service;  // the accessibility bus is there when the game starts
        bool auDepart; // the switch then
        QList<Pas> pas;
        QList<bool> vus; // the changes the game was told, in order
    };
    const Cas cas[] = {
        {"no accessibility bus: no reader, nothing told", false, true, {}, {}},
        {"off at start, then on and off again", true, false, {{'v', true}, {'v', false}}, {true, false}},
        {"on at start", true, true, {{'v', false}}, {false}},
        {"another property of the bus changes nothing", true, false, {{'i', true}, {'v', true}}, {true}},
        {"a switch announced stale is read again", true, false, {{'p', true}}, {true}},
        {"an accessibility bus started after the game is followed",
         false,
         false,
         {{'s', true}, {'v', false}},
         {true, false}},
    };
    int n = 0;
    for (const Cas& c : cas) {
        const QString nom = QStringLiteral("faux%1").arg(++n);
        QDBusConnection faux = QDBusConnection::connectToBus(prive.adresse(), nom);
        QDBusConnection jeu = QDBusConnection::connectToBus(prive.adresse(), nom + QStringLiteral("jeu"));
        ASSERT_TRUE(faux.isConnected() && jeu.isConnected()) << c.nom;
        QThread fil;
        FauxStatut statut;
        statut.setLecteur(c.auDepart);
        statut.moveToThread(&fil);
        fil.start();
        const auto arret = qScopeGuard([&] {
            fil.quit();
            fil.wait();
        });
        ASSERT_TRUE(faux.registerObject(QStringLiteral("/org/a11y/bus"), &statut,
                                        QDBusConnection::ExportAllProperties));
        if (c.service) {
            ASSERT_TRUE(faux.registerService(QStringLiteral("org.a11y.Bus")));
        }
        Repere repere;
        jeu.connect(QString(), QStringLiteral("/fin"), QStringLiteral("fr.corsabord.Essai"),
                    QStringLiteral("Fin"), &repere, SLOT(fin()));
        // A round trip on the game's connection: the bus has taken the match before the fake signals.
        jeu.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus"));
        LecteurActif lecteur(jeu);
        EXPECT_EQ(lecteur.actif(), c.service && c.auDepart) << c.nom;
        QList<bool> vus;
        QObject::connect(&lecteur, &LecteurActif::change, [&vus](bool actif) { vus << actif; });
        for (const Pas& p : c.pas) {
            statut.setLecteur(p.valeur);
            if (p.quoi == 's') {
                ASSERT_TRUE(faux.registerService(QStringLiteral("org.a11y.Bus")));
                // The desktop announces the switch once its bus is up.
                signaler(faux, QStringLiteral("ScreenReaderEnabled"), p.valeur, false);
            } else {
                signaler(faux,
                         p.quoi == 'i' ? QStringLiteral("IsEnabled") : QStringLiteral("ScreenReaderEnabled"),
                         p.valeur, p.quoi == 'p');
            }
        }
        faux.send(QDBusMessage::createSignal(QStringLiteral("/fin"), QStringLiteral("fr.corsabord.Essai"),
                                             QStringLiteral("Fin")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return repere.vus == 1; }, 10000)) << c.nom;
        EXPECT_EQ(vus, c.vus) << c.nom;
        EXPECT_EQ(lecteur.actif(), c.vus.isEmpty() ? c.service && c.auDepart : c.vus.constLast()) << c.nom;
        faux.unregisterObject(QStringLiteral("/org/a11y/bus"));
        QDBusConnection::disconnectFromBus(nom);
        QDBusConnection::disconnectFromBus(nom + QStringLiteral("jeu"));
    }
}

#include "test_lecteur_actif.moc"
