// The settings folder's lock and the call to the copy that holds it.
#include "app/copie_unique.h"
#include "app/appel.h"
#include "base/terminal.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString NOM_VERROU = QStringLiteral(".corsabord.verrou");
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
    // The socket goes before the lock: a start that finds the folder free never meets our socket.
    if (serveur_)
        serveur_->close();
    verrou_.unlock();
}

namespace {
QString cheminDesCanaux() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return QDir::isAbsolutePath(xdg)
               ? QDir(xdg).filePath(QStringLiteral("fr.corsabord.corsabord"))
               : QDir(QDir::tempPath()).filePath(QStringLiteral("corsabord-%1").arg(getuid()));
}
} // namespace

QString CopieUnique::dossierDesCanaux(bool creer, QString* raison) {
    const QString dossier = cheminDesCanaux();
    const QByteArray chemin = QFile::encodeName(dossier);
    if (creer && ::mkdir(chemin.constData(), 0700) != 0 && errno != EEXIST) {
        if (raison)
            *raison = QStringLiteral("impossible de créer %1 (%2)")
                          .arg(dossier, QString::fromLocal8Bit(std::strerror(errno)));
        return QString();
    }
    // Not followed if it is a link: the folder itself must be ours, and closed to everyone else.
    struct stat etat {};
    if (::lstat(chemin.constData(), &etat) != 0) {
        if (raison)
            *raison = QStringLiteral("%1 n'existe pas").arg(dossier);
        return QString();
    }
    if (!S_ISDIR(etat.st_mode) || etat.st_uid != getuid() || (etat.st_mode & 077) != 0) {
        if (raison)
            *raison = QStringLiteral("%1 n'est pas un dossier à vous seul").arg(dossier);
        return QString();
    }
    return dossier;
}

QString CopieUnique::nomDuCanal(const QString& dossier) {
    const QString chemin = QDir(dossier).canonicalPath().isEmpty() ? QDir(dossier).absolutePath()
                                                                   : QDir(dossier).canonicalPath();
    const QByteArray empreinte =
        QCryptographicHash::hash(chemin.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(cheminDesCanaux()).filePath(QString::fromLatin1(empreinte));
}

bool CopieUnique::prendre() {
    if (!verrou_.tryLock(0))
        return verrou_.error() != QLockFile::LockFailedError;
    QString raison;
    if (dossierDesCanaux(true, &raison).isEmpty()) {
        direAuTerminal(QStringLiteral("Corsabord : %1 ; une autre partie ne pourra pas ramener celle-ci au "
                                      "premier plan.")
                           .arg(raison));
        return true;
    }
    serveur_ = new QLocalServer(this);
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString nom = nomDuCanal(dossier_);
    // The lock is ours, so a socket left under that name belongs to a copy that is gone.
    QLocalServer::removeServer(nom);
    if (!serveur_->listen(nom))
        direAuTerminal(QStringLiteral("Corsabord : %1 ; une autre partie ne pourra pas ramener celle-ci au "
                                      "premier plan.")
                           .arg(serveur_->errorString()));
    connect(serveur_, &QLocalServer::newConnection, this, &CopieUnique::accueillir);
    return true;
}

void CopieUnique::accueillir() {
    while (QLocalSocket* appel = serveur_->nextPendingConnection()) {
        if (appels_ >= APPELS_MAX) {
            appel->abort();
            appel->deleteLater();
            continue;
        }
        ++appels_;
        connect(appel, &QObject::destroyed, this, [this] { --appels_; });
        connect(appel, &QLocalSocket::disconnected, appel, &QObject::deleteLater);
        QTimer::singleShot(SILENCE_MAX_MS, appel, [appel] {
            appel->abort();
            appel->deleteLater();
        });
        connect(appel, &QLocalSocket::readyRead, this, [this, appel, recu = QByteArray()]() mutable {
            // Never more than the call itself is read.
            recu += appel->read(APPEL_PREMIER_PLAN.size() - recu.size());
            switch (lireAppel(recu)) {
            case LectureAppel::Incomplete:
                return;
            case LectureAppel::PremierPlan:
                appel->disconnectFromServer();
                Q_EMIT appelee();
                return;
            case LectureAppel::Refusee:
                appel->abort();
                return;
            }
        });
    }
}

bool CopieUnique::appelerLaPremiere() {
    // A folder of sockets that is not ours alone may hold anyone's socket: nobody is called there.
    if (dossierDesCanaux(false).isEmpty())
        return false;
    QLocalSocket appel;
    appel.connectToServer(nomDuCanal(dossier_));
    if (!appel.waitForConnected(ATTENTE_MS))
        return false;
    appel.write(APPEL_PREMIER_PLAN);
    if (!appel.waitForBytesWritten(ATTENTE_MS))
        return false;
    // The first copy hangs up once it has read the whole call.
    if (appel.state() == QLocalSocket::ConnectedState)
        return appel.waitForDisconnected(ATTENTE_MS);
    return true;
}

int direDejaOuvert(CopieUnique& copie) {
    // No box: the running game's parrot says it, aloud, in front of the player.
    if (copie.appelerLaPremiere())
        direAuTerminal(QStringLiteral("Corsabord : une partie est déjà ouverte avec les réglages de %1 ; "
                                      "elle revient au premier plan.")
                           .arg(copie.dossier()));
    else
        direAuTerminal(QStringLiteral("Corsabord : une partie est déjà ouverte avec les réglages de %1, mais "
                                      "elle ne répond pas à l'appel ; une seule partie à la fois.")
                           .arg(copie.dossier()));
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
    // The toolkit gives the focus with the time of the last X event the game saw, and an X server refuses
    // a focus older than its last change: on a desktop whose focus moved since (the player went to a
    // terminal to start the game again), the call would be lost, for the call is no X event. The player
    // asked for this game: it takes the focus at the server's own present time.
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_connection_t* connexion = x11->connection();
        xcb_set_input_focus(connexion, XCB_INPUT_FOCUS_PARENT, xcb_window_t(haut->winId()), XCB_CURRENT_TIME);
        xcb_flush(connexion);
    }
}
