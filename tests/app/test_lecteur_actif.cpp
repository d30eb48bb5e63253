// Whether the player's screen reader runs: read at start and followed on a bus of the test's own, where a
// fake accessibility bus holds the desktop's switch.
#include "base/lecteur_actif.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QProcess>
#include <QScopeGuard>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace {

// The desktop's switch, answered on a thread of its own while the game waits for it.
class FauxStatut : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Status")
    Q_PROPERTY(bool ScreenReaderEnabled READ lecteur)
public:
    bool lecteur() const { return valeur; }
    std::atomic<bool> valeur = false;
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
    statut.moveToThread(&fil);
    fil.start();
    const auto arret = qScopeGuard([&] {
        fil.quit();
        fil.wait();
        daemon.terminate();
        daemon.waitForFinished();
    });
    QDBusConnection faux = QDBusConnection::connectToBus(adresse, QStringLiteral("faux"));
    ASSERT_TRUE(
        faux.registerObject(QStringLiteral("/org/a11y/bus"), &statut, QDBusConnection::ExportAllProperties));
    const QString service = QStringLiteral("org.a11y.Bus");
    // A step: 'v' the switch set and announced, 'i' only IsEnabled announced, 'p' the switch set and
    // announced as stale (to be read again), 's' the accessibility bus appears, then 'v'.
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
