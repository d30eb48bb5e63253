// Before the toolkit starts: a screen to show the game on, and the menu's settings folder.
#include "app/lancement.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace {
const QString SESSION_GRAPHIQUE = QStringLiteral("lancez le jeu depuis une session graphique.");

QtMessageHandler precedent = nullptr;
QList<QPair<QtMsgType, QString>> retenus; // the platform's complaints while it starts
QString ecranDemande;

void dire(const QString& ligne) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(ligne));
}

// While QApplication is being built: the platform's own warnings are held back and its fatal failure
// (a display that does not answer) becomes one French line and status 1, not the toolkit's advice
// to reinstall the game and an abort.
void surveiller(QtMsgType type, const QMessageLogContext& contexte, const QString& message) {
    if (type == QtFatalMsg) {
        dire(QStringLiteral("Corsabord : impossible d'ouvrir l'écran %1 ; %2")
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
        dire(manque);
        return false;
    }
    if (arguments.contains(OPTION_MENU)) {
        const QString dossier = dossierDuMenu(env, QDir::homePath());
        if (!QDir().mkpath(dossier) || !QDir::setCurrent(dossier)) {
            dire(QStringLiteral("Corsabord : impossible de créer ou d'ouvrir le dossier des réglages %1.")
                     .arg(dossier));
            return false;
        }
    }
    const QString wayland = env.value(QStringLiteral("WAYLAND_DISPLAY"));
    const QString x11 = env.value(QStringLiteral("DISPLAY"));
    ecranDemande = x11.isEmpty() ? wayland : x11;
    ecranDemande =
        ecranDemande.isEmpty() ? QStringLiteral("demandé") : QStringLiteral("« %1 »").arg(ecranDemande);
    precedent = qInstallMessageHandler(surveiller);
    return true;
}

void lancementReussi() {
    qInstallMessageHandler(precedent);
    const QMessageLogContext contexte;
    for (const auto& [type, message] : std::as_const(retenus))
        qt_message_output(type, contexte, message);
    retenus.clear();
}
