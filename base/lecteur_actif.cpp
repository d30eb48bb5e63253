// Whether the player's screen reader runs, read and followed on the session bus.
#include "base/lecteur_actif.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QFile>
#include <QFileInfo>

namespace {

const QString SERVICE = QStringLiteral("org.a11y.Bus");
const QString CHEMIN = QStringLiteral("/org/a11y/bus");
const QString STATUT = QStringLiteral("org.a11y.Status");
const QString PROPRIETES = QStringLiteral("org.freedesktop.DBus.Properties");
const QString LECTEUR = QStringLiteral("ScreenReaderEnabled");
const QString OUVERT = QStringLiteral("IsEnabled");
const QString DBUS = QStringLiteral("org.freedesktop.DBus");
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

LecteurActif::~LecteurActif() {
    if (!nomBus_.isEmpty())
        QDBusConnection::disconnectFromBus(nomBus_);
}

QVariant LecteurActif::propriete(const QString& nom) const {
    QDBusMessage question =
        QDBusMessage::createMethodCall(SERVICE, CHEMIN, PROPRIETES, QStringLiteral("Get"));
    question << STATUT << nom;
    // No service started for this question alone: a desktop without an accessibility bus has no reader.
    question.setAutoStartService(false);
    const QDBusMessage reponse = bus_.call(question, QDBus::Block, ATTENTE_MS);
    if (reponse.type() != QDBusMessage::ReplyMessage || reponse.arguments().isEmpty())
        return {};
    return reponse.arguments().constFirst().value<QDBusVariant>().variant();
}

void LecteurActif::lire() {
    const QVariant annonce = propriete(LECTEUR);
    if (!annonce.isValid())
        return;
    annonce_ = annonce.toBool();
    ouvert_ = propriete(OUVERT).toBool();
    suivreBusAccessibilite();
    evaluer();
}

void LecteurActif::proprietesChangees(const QString& interface, const QVariantMap& changees,
                                      const QStringList& perimees) {
    if (interface != STATUT)
        return;
    if (perimees.contains(LECTEUR) || perimees.contains(OUVERT)) {
        lire();
        return;
    }
    annonce_ = changees.value(LECTEUR, annonce_).toBool();
    ouvert_ = changees.value(OUVERT, ouvert_).toBool();
    suivreBusAccessibilite();
    evaluer();
}

void LecteurActif::suivreBusAccessibilite() {
    if (!ouvert_ || !nomBus_.isEmpty())
        return;
    QDBusMessage question = QDBusMessage::createMethodCall(SERVICE, CHEMIN, QStringLiteral("org.a11y.Bus"),
                                                           QStringLiteral("GetAddress"));
    question.setAutoStartService(false);
    const QDBusMessage reponse = bus_.call(question, QDBus::Block, ATTENTE_MS);
    if (reponse.type() != QDBusMessage::ReplyMessage || reponse.arguments().isEmpty())
        return;
    const QString adresse = reponse.arguments().constFirst().toString();
    nomBus_ = QStringLiteral("corsabord-accessibilite-%1").arg(quintptr(this), 0, 16);
    QDBusConnection acces = QDBusConnection::connectToBus(adresse, nomBus_);
    if (!acces.isConnected()) {
        QDBusConnection::disconnectFromBus(nomBus_);
        nomBus_.clear();
        return;
    }
    acces.connect(DBUS, QStringLiteral("/org/freedesktop/DBus"), DBUS, QStringLiteral("NameOwnerChanged"),
                  this, SLOT(clientChange(QString, QString, QString)));
    const QDBusReply<QStringList> noms = acces.interface()->registeredServiceNames();
    if (!noms.isValid())
        return;
    for (const QString& nom : noms.value())
        if (nom.startsWith(QLatin1Char(':')) && estOrca(nom))
            orcas_ << nom;
}

bool LecteurActif::estOrca(const QString& client) const {
    const QDBusReply<uint> pid = QDBusConnection(nomBus_).interface()->servicePid(client);
    if (!pid.isValid())
        return false;
    // Orca is a Python program: its process bears the script's name (orca, or a copy named orca-...), or
    // python3 runs the script.
    const auto orca = [](const QString& nom) {
        return nom == u"orca" || nom.startsWith(QLatin1String("orca-"));
    };
    QFile nom(QStringLiteral("/proc/%1/comm").arg(pid.value()));
    if (nom.open(QIODevice::ReadOnly) && orca(QString::fromLocal8Bit(nom.readAll().trimmed())))
        return true;
    QFile ligne(QStringLiteral("/proc/%1/cmdline").arg(pid.value()));
    if (!ligne.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> mots = ligne.read(4096).split('\0');
    return mots.size() > 1 && orca(QFileInfo(QString::fromLocal8Bit(mots.at(1))).fileName());
}

void LecteurActif::clientChange(const QString& nom, const QString& avant, const QString& apres) {
    if (!nom.startsWith(QLatin1Char(':')))
        return;
    if (!avant.isEmpty())
        orcas_.removeAll(nom);
    if (!apres.isEmpty() && estOrca(nom))
        orcas_ << nom;
    evaluer();
}

void LecteurActif::evaluer() {
    poser(annonce_ || (ouvert_ && !orcas_.isEmpty()));
}

void LecteurActif::poser(bool actif) {
    if (actif == actif_)
        return;
    actif_ = actif;
    Q_EMIT change(actif_);
}
