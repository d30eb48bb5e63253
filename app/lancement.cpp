// Before the toolkit starts: a screen to show the game on, and the menu's settings folder.
#include "app/lancement.h"

#include <QDir>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

namespace {
const QString SESSION_GRAPHIQUE = QStringLiteral("lancez le jeu depuis une session graphique.");

QtMessageHandler precedent = nullptr;
QList<QPair<QtMsgType, QString>> retenus; // the platform's complaints while it starts
QString ecranDemande;

// The display named as the player gave it, for the lines that speak of it.
QString ecranDeLEnvironnement() {
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    const QByteArray nom = x11.isEmpty() ? wayland : x11;
    return nom.isEmpty() ? QStringLiteral("demandé")
                         : QStringLiteral("« %1 »").arg(QString::fromLocal8Bit(nom));
}

void messagesDuJeu(QtMsgType type, const QMessageLogContext& contexte, const QString& message) {
    if (messagesDeDebug()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, contexte, message)));
        return;
    }
    const QString ligne = ligneAuJoueur(type, message, ecranDeLEnvironnement());
    if (!ligne.isEmpty())
        direAuTerminal(ligne);
    if (type == QtFatalMsg)
        std::_Exit(1); // the line said it: no core dump and no toolkit advice for the player
}

// While QApplication is being built: the platform's own warnings are held back and its fatal failure
// (a display that does not answer) becomes one French line and status 1, not the toolkit's advice
// to reinstall the game and an abort.
void surveiller(QtMsgType type, const QMessageLogContext& contexte, const QString& message) {
    if (type == QtFatalMsg) {
        direAuTerminal(QStringLiteral("Corsabord : impossible d'ouvrir l'écran %1 ; %2")
                           .arg(ecranDemande, SESSION_GRAPHIQUE));
        std::_Exit(1);
    }
    if (contexte.category && QByteArray(contexte.category).startsWith("qt.qpa")) {
        retenus.append({type, message});
        return;
    }
    if (precedent)
        precedent(type, contexte, message);
}
} // namespace

bool messagesDeDebug() {
    static const bool debug = [] {
        const QByteArray v = qgetenv(VARIABLE_DEBUG.toLatin1().constData());
        return !v.isEmpty() && v != "0";
    }();
    return debug;
}

void direAuTerminal(const QString& ligne) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(ligne));
    std::fflush(stderr);
}

QString ligneAuJoueur(QtMsgType type, const QString& message, const QString& ecran) {
    // Qt says this, then ends the program, when the X server or the Wayland compositor goes away.
    if (message.contains(QLatin1String("X11 connection broke")) ||
        message.contains(QLatin1String("Wayland connection broke")))
        return QStringLiteral(
                   "Corsabord : la connexion à l'écran %1 est rompue (serveur graphique arrêté ?) ; "
                   "le jeu s'arrête.")
            .arg(ecran);
    if (type == QtFatalMsg)
        return QStringLiteral("Corsabord : erreur fatale de Qt sur l'écran %1 ; le jeu s'arrête (relancez-le "
                              "avec %2=1 pour le détail).")
            .arg(ecran, VARIABLE_DEBUG);
    return QString();
}

void installerMessagesDuJeu() {
    qInstallMessageHandler(messagesDuJeu);
}

QString sansEcran(const QStringList& arguments, const QProcessEnvironment& env) {
    const bool plateforme = !env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty() ||
                            arguments.contains(QStringLiteral("-platform")) ||
                            arguments.contains(QStringLiteral("--platform"));
    if (plateforme || !env.value(QStringLiteral("DISPLAY")).isEmpty() ||
        !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
        return QString();
    return QStringLiteral("Corsabord : aucun écran où s'afficher (ni DISPLAY ni WAYLAND_DISPLAY) ; ") +
           SESSION_GRAPHIQUE;
}

QString dossierDuMenu(const QProcessEnvironment& env, const QString& maison) {
    const QString xdg = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : QDir(maison).filePath(QStringLiteral(".config"));
    return QDir(base).filePath(QStringLiteral("corsabord"));
}

bool preparerLancement(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (const QString manque = sansEcran(arguments, env); !manque.isEmpty()) {
        direAuTerminal(manque);
        return false;
    }
    if (arguments.contains(OPTION_MENU)) {
        const QString dossier = dossierDuMenu(env, QDir::homePath());
        if (!QDir().mkpath(dossier) || !QDir::setCurrent(dossier)) {
            direAuTerminal(
                QStringLiteral("Corsabord : impossible de créer ou d'ouvrir le dossier des réglages %1.")
                    .arg(dossier));
            return false;
        }
    }
    ecranDemande = ecranDeLEnvironnement();
    precedent = qInstallMessageHandler(surveiller);
    return true;
}

void lancementReussi() {
    qInstallMessageHandler(precedent);
    // On Wayland, libwayland-client (loaded with the platform by now) prints its own English lines
    // straight to the terminal; they go nowhere unless the player asked for them. Looked up rather than
    // linked: on X11 the library is not there at all.
    using Journal = void (*)(const char*, va_list);
    if (auto* journal =
            reinterpret_cast<void (*)(Journal)>(::dlsym(RTLD_DEFAULT, "wl_log_set_handler_client"));
        journal && !messagesDeDebug())
        journal([](const char*, va_list) {});
    const QMessageLogContext contexte;
    for (const auto& [type, message] : std::as_const(retenus))
        qt_message_output(type, contexte, message);
    retenus.clear();
}
