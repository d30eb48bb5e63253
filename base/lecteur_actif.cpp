// Whether the player's screen reader runs, read and followed on the session bus.
#include "base/lecteur_actif.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace {

const QString SERVICE = QStringLiteral("org.a11y.Bus");
const QString CHEMIN = QStringLiteral("/org/a11y/bus");
const QString STATUT = QStringLiteral("org.a11y.Status");
const QString PROPRIETES = QStringLiteral("org.freedesktop.DBus.Properties");
const QString LECTEUR = QStringLiteral("ScreenReaderEnabled");
// The accessibility bus answers within milliseconds (Qt's own bridge has started it already); a bus that
// hangs must not hold the harbour back.
constexpr int ATTENTE_MS = 500;

} // namespace

LecteurActif::LecteurActif(QObject* parent)
    : LecteurActif(QDBusConnection::sessionBus(), parent) {}

LecteurActif::LecteurActif(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , bus_(bus) {
    if (!bus_.isConnected())
        return;
    // Followed by the service's name, so that an accessibility bus started after the game is heard too.
    bus_.connect(SERVICE, CHEMIN, PROPRIETES, QStringLiteral("PropertiesChanged"), this,
                 SLOT(proprietesChangees(QString, QVariantMap, QStringList)));
    lire();
}

void LecteurActif::lire() {
    QDBusMessage question =
        QDBusMessage::createMethodCall(SERVICE, CHEMIN, PROPRIETES, QStringLiteral("Get"));
    question << STATUT << LECTEUR;
    // No service started for this question alone: a desktop without an accessibility bus has no reader.
    question.setAutoStartService(false);
    const QDBusMessage reponse = bus_.call(question, QDBus::Block, ATTENTE_MS);
    if (reponse.type() != QDBusMessage::ReplyMessage || reponse.arguments().isEmpty())
        return;
    poser(reponse.arguments().constFirst().value<QDBusVariant>().variant().toBool());
}

void LecteurActif::proprietesChangees(const QString& interface, const QVariantMap& changees,
                                      const QStringList& perimees) {
    if (interface != STATUT)
        return;
    if (changees.contains(LECTEUR))
        poser(changees.value(LECTEUR).toBool());
    else if (perimees.contains(LECTEUR))
        lire();
}

void LecteurActif::poser(bool actif) {
    if (actif == actif_)
        return;
    actif_ = actif;
    Q_EMIT change(actif_);
}
