// Before the toolkit starts: a screen to show the game on, and the menu's settings folder.
#include "app/lancement.h"
#include "base/terminal.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMutex>

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

// Qt says this, then ends the program, when the X server or the Wayland compositor goes away.
bool ecranPerdu(const QString& message) {
    return message.contains(QLatin1String("X11 connection broke")) ||
           message.contains(QLatin1String("Wayland connection broke"));
}

void messagesDuJeu(QtMsgType type, const QMessageLogContext& contexte, const QString& message) {
    if (messagesDeDebug()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, contexte, message)));
        return;
    }
    const QString ligne = ligneAuJoueur(type, message, ecranDeLEnvironnement());
    // A display that goes away is noticed by more than one of the toolkit's threads at once (Wayland's
    // event reader and the main thread): the player is told once.
    static QString derniere;
    static QMutex garde;
    QMutexLocker verrou(&garde);
    if (!ligne.isEmpty() && ligne != derniere)
        direAuTerminal(ligne);
    derniere = ligne;
    // The line said it: no core dump and no toolkit advice for the player. A lost display ends here too,
    // at once, rather than in the toolkit's own exit, while the main thread may still be drawing and
    // X's library, finding its socket gone, prints its English lines before ending the game itself.
    if (type == QtFatalMsg || ecranPerdu(message))
        std::_Exit(1);
}

const QString AIDE = QStringLiteral(
    "Utilisation : corsabord [options]\n"
    "Bataille navale contre l'ordinateur, racontée par un perroquet marin.\n"
    "\n"
    "Options :\n"
    "  -h, --help         affiche cette aide et s'arrête\n"
    "  -v, --version      affiche la version du jeu et s'arrête\n"
    "  --depuis-le-menu   garde Config.txt dans le dossier de configuration\n"
    "                     ($XDG_CONFIG_HOME/corsabord, sinon ~/.config/corsabord) au lieu\n"
    "                     du dossier d'où le jeu est lancé\n"
    "\n"
    "Les options de Qt (-platform, -display, -style, ...) sont aussi acceptées.\n"
    "Une seule partie à la fois par dossier de réglages : la relancer ramène la première au premier plan.\n"
    "Les touches et le jeu à l'oreille : man corsabord, et le manuel du joueur\n"
    "  %1\n");

// The toolkit's own options, read by QApplication after us: accepted here so that they are not refused.
const char* const OPTIONS_QT_A_VALEUR[] = {"platform",        "platformpluginpath",
                                           "platformtheme",   "plugin",
                                           "qwindowgeometry", "qwindowicon",
                                           "qwindowtitle",    "session",
                                           "display",         "name",
                                           "geometry",        "title",
                                           "style",           "stylesheet"};
const char* const OPTIONS_QT[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

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

std::optional<FinImmediate> lireLigneDeCommande(const QStringList& arguments) {
    QCommandLineParser lecteur;
    // -platform, as Qt spells its options, is one option and not six letters.
    lecteur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption aide(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    lecteur.addOption(aide);
    lecteur.addOption(version);
    lecteur.addOption(QCommandLineOption(OPTION_MENU.mid(2)));
    for (const char* nom : OPTIONS_QT_A_VALEUR)
        lecteur.addOption(QCommandLineOption(QLatin1String(nom), QString(), QStringLiteral("valeur")));
    for (const char* nom : OPTIONS_QT)
        lecteur.addOption(QCommandLineOption(QLatin1String(nom)));

    const QString essayer = QStringLiteral("Essayez « corsabord --help ».");
    if (!lecteur.parse(QStringList{QStringLiteral("corsabord")} + arguments)) {
        const QStringList inconnues = lecteur.unknownOptionNames();
        if (!inconnues.isEmpty()) {
            // Named as the player typed it, dashes included, without its value.
            QString tapee = QStringLiteral("--") + inconnues.first();
            for (const QString& argument : arguments) {
                const QString option = argument.section(QLatin1Char('='), 0, 0);
                qsizetype tirets = 0;
                while (tirets < option.size() && option.at(tirets) == QLatin1Char('-'))
                    ++tirets;
                if (tirets > 0 && option.mid(tirets) == inconnues.first()) {
                    tapee = option;
                    break;
                }
            }
            return FinImmediate{
                2, QString(), QStringLiteral("Corsabord : option inconnue « %1 ». %2\n").arg(tapee, essayer)};
        }
        // The only other refusal: an option of the toolkit's given last, without its value.
        return FinImmediate{2, QString(),
                            QStringLiteral("Corsabord : l'option « %1 » attend une valeur. %2\n")
                                .arg(arguments.isEmpty() ? QString() : arguments.last(), essayer)};
    }
    if (lecteur.isSet(aide))
        return FinImmediate{0, AIDE.arg(QStringLiteral(CORSABORD_MANUEL)), QString()};
    if (lecteur.isSet(version))
        return FinImmediate{0, QStringLiteral("Corsabord %1\n").arg(QStringLiteral(CORSABORD_VERSION)),
                            QString()};
    if (!lecteur.positionalArguments().isEmpty())
        return FinImmediate{2, QString(),
                            QStringLiteral("Corsabord : le jeu n'ouvre aucun fichier (« %1 »). %2\n")
                                .arg(lecteur.positionalArguments().first(), essayer)};
    return std::nullopt;
}

QString ligneAuJoueur(QtMsgType type, const QString& message, const QString& ecran) {
    if (ecranPerdu(message))
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

void peindreSansAttendreX() {
    // Through shared memory, the toolkit must wait for the X server to have read a repaint before it
    // paints the same place again: a round trip at every frame of the parrot, which a busy server makes
    // last tens of milliseconds on the game's one thread. In the request, the pixels are the server's at
    // once; a frame of the parrot is a few hundred kilobytes on the local socket.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

std::optional<int> preparerLancement(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto fin = lireLigneDeCommande(arguments)) {
        std::fputs(qUtf8Printable(fin->sortie), stdout);
        std::fputs(qUtf8Printable(fin->erreurs), stderr);
        return fin->statut;
    }
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (const QString manque = sansEcran(arguments, env); !manque.isEmpty()) {
        direAuTerminal(manque);
        return 1;
    }
    if (arguments.contains(OPTION_MENU)) {
        const QString dossier = dossierDuMenu(env, QDir::homePath());
        if (!QDir().mkpath(dossier) || !QDir::setCurrent(dossier)) {
            direAuTerminal(
                QStringLiteral("Corsabord : impossible de créer ou d'ouvrir le dossier des réglages %1.")
                    .arg(dossier));
            return 1;
        }
    }
    peindreSansAttendreX();
    ecranDemande = ecranDeLEnvironnement();
    precedent = qInstallMessageHandler(surveiller);
    return std::nullopt;
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
