// The settings folder's lock and the call to the copy that holds it.
#include "app/copie_unique.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>

#include <unistd.h>

namespace {
const QString NOM_VERROU = QStringLiteral(".corsabord.verrou");
const QByteArray APPEL = "premier plan\n";
constexpr int ATTENTE_MS = 2000;
} // namespace

CopieUnique::CopieUnique(const QString& dossier, QObject* parent)
    : QObject(parent)
    , dossier_(QDir(dossier).absolutePath())
    , verrou_(QDir(dossier_).filePath(NOM_VERROU)) {
    // A game runs for a whole evening: its lock never grows old, only its copy's death frees it.
    verrou_.setStaleLockTime(0);
}

CopieUnique::~CopieUnique() {
    if (serveur_)
        serveur_->close();
    verrou_.unlock();
}

QString CopieUnique::nomDuCanal(const QString& dossier) {
    const QString chemin = QDir(dossier).canonicalPath().isEmpty() ? QDir(dossier).absolutePath()
                                                                   : QDir(dossier).canonicalPath();
    const QByteArray empreinte =
        QCryptographicHash::hash(chemin.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("corsabord-%1-%2").arg(getuid()).arg(QString::fromLatin1(empreinte));
}

bool CopieUnique::prendre() {
    if (!verrou_.tryLock(0))
        return verrou_.error() != QLockFile::LockFailedError;
    serveur_ = new QLocalServer(this);
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString nom = nomDuCanal(dossier_);
    // The lock is ours, so a socket left under that name belongs to a copy that is gone.
    QLocalServer::removeServer(nom);
    if (!serveur_->listen(nom))
        std::fprintf(stderr,
                     "Corsabord : %s ; une autre partie ne pourra pas ramener celle-ci au premier plan.\n",
                     qUtf8Printable(serveur_->errorString()));
    connect(serveur_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* appel = serveur_->nextPendingConnection()) {
            connect(appel, &QLocalSocket::disconnected, appel, &QObject::deleteLater);
            connect(appel, &QLocalSocket::readyRead, this, [this, appel] {
                if (appel->readAll().contains(APPEL.trimmed()))
                    Q_EMIT appelee();
                appel->disconnectFromServer();
            });
        }
    });
    return true;
}

bool CopieUnique::appelerLaPremiere() {
    QLocalSocket appel;
    appel.connectToServer(nomDuCanal(dossier_));
    if (!appel.waitForConnected(ATTENTE_MS))
        return false;
    appel.write(APPEL);
    if (!appel.waitForBytesWritten(ATTENTE_MS))
        return false;
    // The first copy hangs up once it has read the call.
    if (appel.state() == QLocalSocket::ConnectedState)
        appel.waitForDisconnected(ATTENTE_MS);
    return true;
}

int direDejaOuvert(CopieUnique& copie) {
    const QString texte = QStringLiteral("Corsabord est déjà ouvert : une seule partie à la fois.");
    std::fprintf(stderr,
                 "Corsabord : une partie est déjà ouverte avec les réglages de %s ; "
                 "elle revient au premier plan.\n",
                 qUtf8Printable(copie.dossier()));
    // A box for the player who started the game from a menu and sees no terminal; none where nothing
    // can be seen.
    const QString plateforme = QGuiApplication::platformName();
    if (plateforme != QLatin1String("offscreen") && plateforme != QLatin1String("minimal")) {
        QMessageBox boite(QMessageBox::Information, QStringLiteral("Corsabord"), texte, QMessageBox::Ok);
        boite.setInformativeText(QStringLiteral("La partie en cours revient au premier plan."));
        boite.exec();
    }
    copie.appelerLaPremiere();
    return 0;
}

void ramenerAuPremierPlan(QWidget* fenetre) {
    if (QWidget* modal = QApplication::activeModalWidget())
        fenetre = modal;
    if (!fenetre)
        return;
    QWidget* haut = fenetre->window();
    haut->setWindowState(haut->windowState() & ~Qt::WindowMinimized);
    haut->raise();
    haut->activateWindow();
}
