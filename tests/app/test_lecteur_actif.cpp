// Whether the player's screen reader runs: read at start and followed on a bus of the test's own, where a
// fake accessibility bus holds the desktop's switch.
#include "base/lecteur_actif.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace {

// The desktop's switch, answered on a thread of its own while the game waits for it.
class FauxStatut : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Status")
    Q_PROPERTY(bool ScreenReaderEnabled READ lecteur)
    Q_PROPERTY(bool IsEnabled READ lecteur)
public:
    bool lecteur() const { return valeur; }
    std::atomic<bool> valeur = false;
};

// The accessibility bus's own address: the test's bus again, where a process named orca may join.
class FauxBus : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Bus")
public:
    FauxBus(QObject* parent, const QString& adresse)
        : QDBusAbstractAdaptor(parent)
        , adresse_(adresse) {}
public Q_SLOTS:
    QString GetAddress() const { return adresse_; }

private:
    QString adresse_;
};

} // namespace

TEST(LecteurActif, LuAuDepartPuisSuiviSurLeBus) {
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--print-address")});
    if (!daemon.waitForReadyRead(10000))
        GTEST_SKIP() << "no dbus-daemon of the test's own (Debian: dbus-daemon)";
    const QString adresse = QString::fromUtf8(daemon.readLine()).trimmed();
    QThread fil;
    FauxStatut statut;
    new FauxBus(&statut, adresse);
    statut.moveToThread(&fil);
    // Orca as the game finds it on the accessibility bus: a client whose process is named orca-...
    QTemporaryDir dossier;
    const QString orca = dossier.filePath(QStringLiteral("orca-essai"));
    QFile::link(QStringLiteral("/usr/bin/gdbus"), orca);
    QProcess client;
    fil.start();
    const auto arret = qScopeGuard([&] {
        client.kill();
        client.waitForFinished();
        fil.quit();
        fil.wait();
        daemon.terminate();
        daemon.waitForFinished();
    });
    QDBusConnection faux = QDBusConnection::connectToBus(adresse, QStringLiteral("faux"));
    ASSERT_TRUE(faux.registerObject(QStringLiteral("/org/a11y/bus"), &statut,
                                    QDBusConnection::ExportAllProperties | QDBusConnection::ExportAdaptors));
    const QString service = QStringLiteral("org.a11y.Bus");
    // A step: 'v' the switch set and announced, 'i' only IsEnabled announced, 'p' the switch set and
    // announced as stale (to be read again), 's' the accessibility bus appears, then 'v'; 'o' a process
    // named orca joins the accessibility bus (true) or leaves it.
    struct Pas {
        char quoi;
        bool valeur;
    };
    const struct {
        const char* nom;
        bool service;  // the accessibility bus is there when the game starts
        bool auDepart; // the switch then
        QList<Pas> pas;
        QList<bool> vus; // the changes the game was told, in order
    } cas[] = {
        {"no accessibility bus: no reader, nothing told", false, true, {}, {}},
        {"off at start, then on and off again", true, false, {{'v', true}, {'v', false}}, {true, false}},
        {"on at start", true, true, {{'v', false}}, {false}},
        {"another property of the bus changes nothing", true, false, {{'i', true}, {'v', true}}, {true}},
        {"a switch announced stale is read again", true, false, {{'p', true}}, {true}},
        {"a bus started after the game is followed",
         false,
         false,
         {{'s', true}, {'v', false}},
         {true, false}},
        {"only IsEnabled: a reader while Orca is on the accessibility bus",
         true,
         false,
         {{'i', true}, {'o', true}, {'o', false}},
         {true, false}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        statut.valeur = c.auDepart;
        ASSERT_TRUE(!c.service || faux.registerService(service));
        QDBusConnection jeu = QDBusConnection::connectToBus(adresse, QStringLiteral("jeu"));
        LecteurActif lecteur(jeu);
        EXPECT_EQ(lecteur.actif(), c.service && c.auDepart);
        QList<bool> vus;
        QObject::connect(&lecteur, &LecteurActif::change, [&vus](bool actif) { vus << actif; });
        for (const Pas& p : c.pas) {
            if (p.quoi == 'o') {
                const qsizetype avant = vus.size();
                if (p.valeur)
                    client.start(orca, {QStringLiteral("monitor"), QStringLiteral("--address"), adresse,
                                        QStringLiteral("--dest"), QStringLiteral("org.freedesktop.DBus")});
                else
                    client.kill();
                EXPECT_TRUE(QTest::qWaitFor([&] { return vus.size() > avant; }, 10000));
                continue;
            }
            statut.valeur = p.valeur;
            ASSERT_TRUE(p.quoi != 's' || faux.registerService(service));
            const QString propriete =
                QString::fromLatin1(p.quoi == 'i' ? "IsEnabled" : "ScreenReaderEnabled");
            QDBusMessage signal = QDBusMessage::createSignal(
                QStringLiteral("/org/a11y/bus"), QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"));
            signal << QStringLiteral("org.a11y.Status")
                   << (p.quoi == 'p' ? QVariantMap() : QVariantMap{{propriete, p.valeur}})
                   << (p.quoi == 'p' ? QStringList{propriete} : QStringList());
            faux.send(signal);
        }
        // The fake's answer to a ping comes after its signals: once here, the game has been told them all.
        ASSERT_EQ(jeu.call(QDBusMessage::createMethodCall(faux.baseService(), QStringLiteral("/"),
                                                          QStringLiteral("org.freedesktop.DBus.Peer"),
                                                          QStringLiteral("Ping")))
                      .type(),
                  QDBusMessage::ReplyMessage);
        QCoreApplication::processEvents();
        EXPECT_EQ(vus, c.vus);
        EXPECT_EQ(lecteur.actif(), c.vus.isEmpty() ? c.service && c.auDepart : c.vus.constLast());
        faux.unregisterService(service);
        QDBusConnection::disconnectFromBus(QStringLiteral("jeu"));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("faux"));
}

#include "test_lecteur_actif.moc"
