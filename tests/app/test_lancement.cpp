// What the player's terminal shows of the toolkit's and the libraries' own messages.
#include "app/lancement.h"

#include <gtest/gtest.h>

TEST(Lancement, LesMessagesDeQtNArriventAuJoueurQuEnFrancaisEtQuandIlsLArretent) {
    const QString ecran = QStringLiteral("« :3 »");
    struct Cas {
        QtMsgType type;
        const char* message;
        const char* ligne; // empty: nothing on the terminal
    };
    const QList<Cas> cas = {
        {QtWarningMsg, "The X11 connection broke (error 1). Did the X11 server die?",
         "Corsabord : la connexion à l'écran « :3 » est rompue (serveur graphique arrêté ?) ; le jeu "
         "s'arrête."},
        {QtWarningMsg, "The Wayland connection broke. Did the Wayland compositor die?",
         "Corsabord : la connexion à l'écran « :3 » est rompue (serveur graphique arrêté ?) ; le jeu "
         "s'arrête."},
        {QtFatalMsg, "Could not find the Qt platform plugin",
         "Corsabord : erreur fatale de Qt sur l'écran « :3 » ; le jeu s'arrête (relancez-le avec "
         "CORSABORD_DEBUG=1 pour le détail)."},
        {QtWarningMsg, "Cannot read file '/x/perroquet.svg', because: Premature end of document", ""},
        {QtWarningMsg, "PulseAudioService: pa_context_connect() failed", ""},
        {QtCriticalMsg, "QFile::remove: Empty or null file name", ""},
        {QtDebugMsg, "This plugin does not support raise()", ""},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(ligneAuJoueur(c.type, QString::fromUtf8(c.message), ecran).toStdString(), c.ligne)
            << c.message;
}
