// The command line (help, version, refused options and the options that let the game start), and what
// the player's terminal shows of the toolkit's and the libraries' own messages.
#include "app/lancement.h"
#include "screens/aide.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

TEST(LigneDeCommande, AideVersionEtRefusEnFrancais) {
    const QString essayer = QStringLiteral(" Essayez « corsabord --help ».\n");
    struct Cas {
        QStringList arguments;
        std::optional<int> statut; // nothing: the game is played
        QString sortie;            // the start of standard output
        QString erreurs;           // standard error, whole
    };
    const QString aide = QStringLiteral("Utilisation : corsabord [options]\n");
    const QString version = QStringLiteral("Corsabord %1\n").arg(QStringLiteral(CORSABORD_VERSION));
    const QList<Cas> cas = {
        {{}, std::nullopt, {}, {}},
        {{QStringLiteral("--depuis-le-menu")}, std::nullopt, {}, {}},
        // The toolkit's own options, in its spellings.
        {{QStringLiteral("-platform"), QStringLiteral("offscreen")}, std::nullopt, {}, {}},
        {{QStringLiteral("--platform=xcb"), QStringLiteral("-reverse")}, std::nullopt, {}, {}},
        {{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("--depuis-le-menu")},
         std::nullopt,
         {},
         {}},
        {{QStringLiteral("--help")}, 0, aide, {}},
        {{QStringLiteral("-h")}, 0, aide, {}},
        // Help wins over the rest, as the player asked for it.
        {{QStringLiteral("--depuis-le-menu"), QStringLiteral("--help")}, 0, aide, {}},
        {{QStringLiteral("--version")}, 0, version, {}},
        {{QStringLiteral("-v")}, 0, version, {}},
        {{QStringLiteral("--inconnu")},
         2,
         {},
         QStringLiteral("Corsabord : option inconnue « --inconnu ».") + essayer},
        {{QStringLiteral("-x")}, 2, {}, QStringLiteral("Corsabord : option inconnue « -x ».") + essayer},
        {{QStringLiteral("-inconnu=3")},
         2,
         {},
         QStringLiteral("Corsabord : option inconnue « -inconnu ».") + essayer},
        {{QStringLiteral("--help"), QStringLiteral("--inconnu")},
         2,
         {},
         QStringLiteral("Corsabord : option inconnue « --inconnu ».") + essayer},
        {{QStringLiteral("-platform")},
         2,
         {},
         QStringLiteral("Corsabord : l'option « -platform » attend une valeur.") + essayer},
        {{QStringLiteral("partie.txt")},
         2,
         {},
         QStringLiteral("Corsabord : le jeu n'ouvre aucun fichier (« partie.txt »).") + essayer},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const auto fin = lireLigneDeCommande(c.arguments);
        ASSERT_EQ(fin.has_value(), c.statut.has_value());
        if (!fin)
            continue;
        EXPECT_EQ(fin->statut, *c.statut);
        EXPECT_TRUE(fin->sortie.startsWith(c.sortie)) << fin->sortie.toStdString();
        EXPECT_EQ(fin->sortie.isEmpty(), c.sortie.isEmpty());
        EXPECT_EQ(fin->erreurs, c.erreurs);
    }
    // The help names every option of the game and where the handbook is.
    const QString texte = lireLigneDeCommande({QStringLiteral("--help")})->sortie;
    for (const char* mot : {"--help", "--version", "--depuis-le-menu", "manuel.html", "man corsabord"})
        EXPECT_TRUE(texte.contains(QLatin1String(mot))) << mot;
}

TEST(LigneDeCommande, LeManuelDuJoueurDansLaConstructionPuisSousLePrefixe) {
    QTemporaryDir racine;
    ASSERT_TRUE(racine.isValid());
    const QDir dir(racine.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("share/corsabord")) &&
                dir.mkpath(QStringLiteral("share/doc/corsabord")));
    const QString jeu = dir.filePath(QStringLiteral("bin"));
    // Nowhere near the game: where it was to be installed.
    EXPECT_EQ(cheminDuManuel(jeu), QStringLiteral(CORSABORD_MANUEL));
    auto creer = [](const QString& chemin) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    // In the game's data folder, which no distribution strips as it may strip the documentation.
    creer(dir.filePath(QStringLiteral("share/doc/corsabord/manuel.html")));
    EXPECT_EQ(cheminDuManuel(jeu), QStringLiteral(CORSABORD_MANUEL));
    creer(dir.filePath(QStringLiteral("share/corsabord/manuel.html")));
    EXPECT_EQ(cheminDuManuel(jeu), dir.filePath(QStringLiteral("share/corsabord/manuel.html")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin/data")));
    creer(dir.filePath(QStringLiteral("bin/data/manuel.html")));
    EXPECT_EQ(cheminDuManuel(jeu), dir.filePath(QStringLiteral("bin/data/manuel.html")));
}
