// The voice screen, the About screen and the recited commands, played on fakes in the whole game.
#include "base/board.h"
#include "base/reglages.h"
#include "base/scene.h"
#include "battle/tir.h"
#include "screens/aide.h"
#include "support/disque.h"
#include "support/fichiers.h"
#include "support/jeu.h"
#include "support/textes.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString RETOUR = QStringLiteral("Je reviens au jeu");
const QString DEFAUT = QStringLiteral("voix: {0879a4e0-a92c-11d1-B17B-0020AFED142E}");

// The game started in the harbour, its voice screen speaking through a silent engine.
struct JeuAvecVoix : JeuDeTest {
    FauxMoteurParole moteur{
        voixFrancaises({QStringLiteral("fr"), QStringLiteral("fr-be")}, {{QStringLiteral("f3"), QString()}})};
    std::unique_ptr<DisqueEssai> disque;

    // preparer makes the game's folder what the test needs (a small disk, a link) before it starts.
    explicit JeuAvecVoix(const QByteArray& config = QByteArray(),
                         const std::function<void(JeuAvecVoix&)>& preparer = {}) {
        if (preparer)
            preparer(*this);
        if (!config.isNull())
            ecrire(dossier.filePath(QStringLiteral("Config.txt")), config);
        EXPECT_TRUE(creer());
        voice->setMoteur(&moteur, new SortieMuette);
        demarrer();
    }
    QString fichier() const { return FichierReglages(dossier.path()).chemin(); }

    // Opens a modal screen with a command; pendant plays the keys while it is open.
    template <typename Ecran>
    void ouvrir(const std::function<void()>& commande, const std::function<void(Ecran*)>& pendant) {
        dialogues.pendant = [pendant](QDialog* ecran) {
            ecran->show();
            pendant(static_cast<Ecran*>(ecran));
        };
        commande();
        dialogues.pendant = nullptr;
    }
    // The voice screen by Ctrl+V from the harbour, those keys typed in its list.
    void voix(std::initializer_list<Qt::Key> touches) {
        ouvrir<TFormVoice>(
            [this] { QTest::keyClick(test->Grille_de_placement, Qt::Key_V, Qt::ControlModifier); },
            [touches](TFormVoice* ecran) {
                for (const Qt::Key touche : touches)
                    QTest::keyClick(ecran->ListTTS, touche);
            });
    }
};

TEST(EcranVoix, ChaqueVoixEntendueDansSaVoixPuisEntreeEnregistre) {
    JeuAvecVoix jeu("Entete\r\nancien\r\n\\spd=1\\\r\n\\pit=2\\\r\n\\vol=3\\\r\nma ligne\r\n\r\n");
    const QString f3 = identifiantVoix(QStringLiteral("fr+f3"));
    jeu.compagnon.modeAccepte = QLatin1Char('{') + f3 + QLatin1Char('}');
    jeu.moteur.reglagesCourants = {190, 61, 120};
    const qsizetype paroles = jeu.compagnon.paroles.size();

    jeu.ouvrir<TFormVoice>([&] { jeu.bataille->VoixClick(); },
                           [&](TFormVoice* ecran) {
                               // The parrot is away and the idle chatter silent while the screen is open.
                               EXPECT_FALSE(jeu.compagnon.connecte());
                               EXPECT_FALSE(jeu.bataille->echange().TimerPaix->isEnabled());
                               EXPECT_EQ(ecran->ListTTS->count(), 4);
                               EXPECT_EQ(ecran->ligneChoisie(), -1);
                               EXPECT_EQ(ecran->focusWidget(), ecran->ListTTS);
                               // The first arrow highlights the first row; each row is heard in its voice.
                               for (const Qt::Key t : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
                                   QTest::keyClick(ecran->ListTTS, t);
                               const QRect ligne = ecran->ListTTS->visualItemRect(ecran->ListTTS->item(3));
                               QTest::mouseClick(ecran->ListTTS->viewport(), Qt::LeftButton, {},
                                                 ligne.center());
                               QTest::keyClick(ecran->ListTTS, Qt::Key_Home);
                               QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
                               QTest::keyClick(ecran->ListTTS, Qt::Key_Return);
                               EXPECT_FALSE(ecran->isVisible());
                           });

    const auto ma = [](const char* voix, const QString& nom) {
        return FauxMoteurParole::Dit{QLatin1String(voix), QStringLiteral("Ma voix est: ") + nom +
                                                              QStringLiteral(". Entrée pour valider.")};
    };
    const QString f3Nom = QStringLiteral("Français (France), voix féminine 3");
    const QList<FauxMoteurParole::Dit> attendus{
        {QStringLiteral("fr"),
         QStringLiteral("Servez vous des touches \"haut\" ou \"bas\" pour changer ma voix. "
                        "Entrée pour revenir au jeu. Gauche ou droite pour ma vitesse, page précédente ou "
                        "page suivante pour mon volume, majuscule haut ou majuscule bas pour ma hauteur, "
                        "majuscule page précédente ou majuscule page suivante pour le volume des sons, Echap "
                        "pour tout laisser comme avant.")},
        ma("fr", QStringLiteral("Français (France)")),
        ma("fr+f3", f3Nom),
        ma("fr-be", QStringLiteral("Français (Belgique)")),
        ma("fr+f3", f3Nom),
        ma("fr-be+f3", QStringLiteral("Français (Belgique), voix féminine 3")),
        ma("fr", QStringLiteral("Français (France)")),
        ma("fr+f3", f3Nom),
    };
    EXPECT_EQ(jeu.moteur.dits, attendus);
    EXPECT_EQ(lire(jeu.fichier()), "Entete\r\n" + f3.toLatin1() +
                                       "\r\n\\spd=190\\\r\n\\pit=61\\\r\n\\vol=120\\\r\nma ligne\r\n\r\n");
    // The parrot said none of it; he comes back in the new voice, greets and says so.
    EXPECT_EQ(jeu.compagnon.paroles.mid(paroles),
              (QStringList{QStringLiteral(" "), QStringLiteral(" "), RETOUR}));
    EXPECT_TRUE(jeu.compagnon.journal.contains(QStringLiteral("voix: {") + f3 + QLatin1Char('}')));
    EXPECT_EQ(jeu.compagnon.journal.count(QStringLiteral("jouer: Greet")), 2);
    jeu.bataille->Rpte1Click();
    EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
    EXPECT_TRUE(jeu.bataille->echange().TimerPaix->isEnabled());
    EXPECT_TRUE(jeu.test->isVisible());
}

TEST(EcranVoix, EntreeSansLigneChoisieGardeLaVoixCouranteEtCompleteLeFichier) {
    JeuAvecVoix jeu("MemoConfig\r\n");
    jeu.moteur.choisirVoix(QStringLiteral("fr-be"));
    jeu.voix({Qt::Key_Enter});
    EXPECT_EQ(lire(jeu.fichier()), "MemoConfig\r\n" + identifiantVoix(QStringLiteral("fr-be")).toLatin1() +
                                       "\r\n\\spd=175\\\r\n\\pit=50\\\r\n\\vol=100\\\r\n");
}

TEST(EcranVoix, FermerAutrementQuAvecEntreeNEnregistreRienEtRameneLePerroquet) {
    const QByteArray avant = "MemoConfig\r\n0879a4e0-a92c-11d1-B17B-0020AFED142E\r\nx\r\n";
    for (const bool parEchap : {true, false}) {
        JeuAvecVoix jeu(avant);
        jeu.bataille->echange().TimerPaix->setEnabled(false);
        jeu.ouvrir<TFormVoice>(
            [&] { jeu.bataille->VoixClick(); },
            [&](TFormVoice* ecran) {
                for (const Qt::Key t : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_A, Qt::Key_Tab})
                    QTest::keyClick(ecran->ListTTS, t);
                EXPECT_TRUE(ecran->isVisible());
                if (parEchap)
                    QTest::keyClick(ecran->ListTTS, Qt::Key_Escape);
                else
                    ecran->close(); // the window manager
            });
        EXPECT_EQ(lire(jeu.fichier()), avant);
        EXPECT_EQ(jeu.flux->MemoConfig.size(), 3);
        EXPECT_TRUE(jeu.compagnon.connecte());
        EXPECT_EQ(jeu.compagnon.journal.count(DEFAUT), 2); // back with the voice he had
        EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
        EXPECT_TRUE(jeu.bataille->echange().TimerPaix->isEnabled());
    }
}

TEST(EcranVoix, UnEnregistrementImpossibleNeLaissePasMoinsEtLePerroquetDitPourquoi) {
    const QByteArray avant = "Entete\r\nma voix\r\n\\spd=1\\\r\n\\pit=2\\\r\n\\vol=3\\\r\nma ligne\r\n";
    struct Cas {
        const char* nom;
        bool lien;
        const char* raison;
    };
    for (const Cas& c : {Cas{"disque plein", false, "le disque est plein"},
                         Cas{"lien", true, "le fichier est un lien symbolique"}}) {
        // The link points at another file of the player's, read as the settings but never written.
        JeuAvecVoix jeu(c.lien ? QByteArray() : avant, [&](JeuAvecVoix& j) {
            if (c.lien) {
                ecrire(j.dossier.filePath(QStringLiteral("autre.txt")), avant);
                QFile::link(QStringLiteral("autre.txt"), j.dossier.filePath(QStringLiteral("Config.txt")));
            } else {
                j.disque = std::make_unique<DisqueEssai>(j.dossier.path());
            }
        });
        if (jeu.disque && !jeu.disque->monte()) {
            std::printf("%s skipped: %s\n", c.nom, qPrintable(jeu.disque->pourquoiPas()));
            continue;
        }
        const QString garde = c.lien ? jeu.dossier.filePath(QStringLiteral("autre.txt")) : jeu.fichier();
        ASSERT_EQ(jeu.flux->MemoConfig.at(1), QStringLiteral("ma voix")) << c.nom;
        if (!c.lien) {
            ASSERT_TRUE(jeu.disque->remplir());
        }
        testing::internal::CaptureStderr();
        jeu.voix({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        const QString terminal = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_EQ(lire(garde), avant) << c.nom;
        EXPECT_EQ(QFileInfo(jeu.dossier.filePath(QStringLiteral("Config.txt"))).isSymLink(), c.lien) << c.nom;
        // heard and shown in the balloon, and on the terminal with the whole path
        EXPECT_EQ(jeu.compagnon.paroles.last(),
                  RETOUR +
                      QStringLiteral(". Hélas, amiral, ma nouvelle voix n'a pas pu être enregistrée dans "
                                     "Config.txt : ") +
                      QString::fromUtf8(c.raison) + QLatin1Char('.'))
            << c.nom;
        EXPECT_TRUE(terminal.contains(
            QStringLiteral("Corsabord : la voix choisie n'a pas pu être enregistrée dans %1 : %2.\n")
                .arg(jeu.dossier.filePath(QStringLiteral("Config.txt")), QString::fromUtf8(c.raison))))
            << c.nom << terminal.toStdString();
        // the voice is the parrot's for this game all the same
        EXPECT_EQ(jeu.flux->MemoConfig.at(1), identifiantVoix(QStringLiteral("fr+f3"))) << c.nom;
    }
}

TEST(EcranVoix, SansVoixFrancaiseLeJeuLeDitEtSeJoueAvecLaBulle) {
    // Without a sound server as well, that comes first.
    for (const QString& sansSon : {QString(), QStringLiteral("aucun serveur de son ne répond")}) {
        const QByteArray avant = "MemoConfig\r\nma voix\r\n";
        testing::internal::CaptureStderr();
        JeuAvecVoix jeu(avant, [&](JeuAvecVoix& j) {
            j.moteur.voixInstallees.clear();
            j.flux->setSansSon(sansSon);
        });
        JeuDeTest::traiterEvenements();
        const QString terminal = QString::fromStdString(testing::internal::GetCapturedStderr());
        const QString son = sansSon.isEmpty()
                                ? QString()
                                : QStringLiteral("Corsabord : pas de son, aucun serveur de son ne "
                                                 "répond ; le jeu se joue avec la bulle du "
                                                 "perroquet, en silence.\n");
        // the toolkit's own lines aside (the game's handler drops them; a test has none)
        EXPECT_EQ(terminal.count(QStringLiteral("Corsabord : ")), sansSon.isEmpty() ? 1 : 2)
            << terminal.toStdString();
        EXPECT_TRUE(terminal.contains(
            son + QStringLiteral("Corsabord : pas de voix pour le perroquet, aucune voix française "
                                 "n'est installée ; le jeu se joue avec sa bulle et les "
                                 "bruitages.\n")))
            << terminal.toStdString();
        // the same words open the balloon, ahead of the harbour's welcome
        EXPECT_EQ(
            jeu.compagnon.paroles.last(),
            (sansSon.isEmpty() ? QString()
                               : QStringLiteral("Pas de son : aucun serveur de son ne répond. ")) +
                QStringLiteral("Pas de voix pour le perroquet : aucune voix française n'est installée. ") +
                textes::BIENVENUE);
        // the harbour plays on
        jeu.ctrl(Qt::Key_T);
        EXPECT_EQ(jeu.compagnon.paroles.last(), textes::TOUS_EN_PLACE);
        // the voice screen says there is nothing to choose, and Enter saves nothing
        jeu.ouvrir<TFormVoice>([&] { jeu.ctrl(Qt::Key_V); },
                               [](TFormVoice* ecran) {
                                   EXPECT_EQ(ecran->ListTTS->count(), 0);
                                   EXPECT_EQ(
                                       ecran->Label1->text(),
                                       QStringLiteral("Pas de voix à choisir : aucune voix française n'est "
                                                      "installée. Entrée pour revenir au jeu."));
                                   QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
                                   QTest::keyClick(ecran->ListTTS, Qt::Key_Return);
                                   EXPECT_FALSE(ecran->isVisible());
                               });
        EXPECT_EQ(lire(jeu.fichier()), avant);
        EXPECT_EQ(jeu.flux->MemoConfig.at(1), QStringLiteral("ma voix"));
        EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
    }
}

TEST(EcranVoix, UnFichierQueLeJeuNAPasPuLireResteAuJoueur) {
    JeuAvecVoix jeu(QByteArray(FichierReglages::TAILLE_MAX + 1, 'x'));
    // Made readable behind the game's back: still not the game's to replace.
    ecrire(jeu.fichier(), "mes reglages\r\n");
    jeu.voix({Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(lire(jeu.fichier()), "mes reglages\r\n");
    EXPECT_EQ(jeu.flux->MemoConfig.at(1), identifiantVoix(QStringLiteral("fr"))); // for this game
}

TEST(EcranVoix, UnPersonnageAbimeEnPleineBatailleNeLaTerminePas) {
    // Damaged before the voice screen opens, the parrot stays as he is; damaged while it is open, he
    // cannot come back. Either way the battle goes on and the terminal says why.
    for (const bool pendant : {false, true}) {
        JeuAvecVoix jeu;
        jeu.test->AutoClick();
        jeu.test->EngagerClick();
        ASSERT_EQ(jeu.bataille->echange().phase(), Phase::TourDuJoueur);
        jeu.compagnon.fichierLisible = pendant;
        testing::internal::CaptureStderr();
        jeu.ouvrir<TFormVoice>([&] { jeu.ctrl(Qt::Key_V); },
                               [&](TFormVoice* ecran) {
                                   jeu.compagnon.fichierLisible = false;
                                   QTest::keyClick(ecran->ListTTS, Qt::Key_Escape);
                               });
        EXPECT_FALSE(testing::internal::GetCapturedStderr().empty()) << pendant;
        EXPECT_TRUE(jeu.fins.isEmpty()) << pendant;
        EXPECT_TRUE(jeu.dialogues.avertissements.isEmpty()) << pendant;
        EXPECT_EQ(jeu.compagnon.paroles.last() == RETOUR, !pendant) << pendant;
        EXPECT_EQ(jeu.bataille->narrateur().dernier_message(), RETOUR) << pendant;
        // the player fires and the enemy answers
        ASSERT_TRUE(jeu.bataille->port_adverse->isEnabled());
        jeu.touche(Qt::Key_Space);
        EXPECT_EQ(jeu.partie.nb_tirs_joueur, 1) << pendant;
        jeu.temps.avancer(20000);
        EXPECT_EQ(jeu.partie.nb_tirs_adverse, 1) << pendant;
        // and quitting ends the game, after the parrot's farewell when he is there to make it
        jeu.dialogues.reponse = true;
        jeu.ctrl(Qt::Key_Q);
        if (!pendant)
            jeu.compagnon.terminer(jeu.compagnon.requeteDe(QStringLiteral("Hide")));
        EXPECT_EQ(jeu.fins, QList<int>{0}) << pendant;
    }
}

// Left and Right change the speed, Page Up and Page Down the volume, each heard at once in the highlighted
// voice; Enter saves them with the voice, Escape gives back what was there.
TEST(EcranVoix, VitesseEtVolumeEntendusPuisEnregistresOuRendus) {
    const QByteArray avant = "MemoConfig\r\n0879a4e0-a92c-11d1-B17B-0020AFED142E\r\n\\spd=156\\\r\n"
                             "\\pit=159\\\r\n\\vol=65535\\\r\nma ligne\r\n";
    struct Cas {
        const char* nom;
        QList<QKeyCombination> touches;
        QStringList entendus; // in the highlighted voice, Français (France), voix féminine 3
        QByteArray fichier;   // empty: left as it was
    };
    const auto r = Qt::Key_Right, l = Qt::Key_Left, h = Qt::Key_PageUp, b = Qt::Key_PageDown;
    const QKeyCombination aigu = Qt::SHIFT | Qt::Key_Up, grave = Qt::SHIFT | Qt::Key_Down;
    const QList<Cas> cas = {
        {"plus vite et moins fort",
         {r, r, r, b, b, b, b, b, aigu, aigu, aigu, grave, Qt::Key_Return},
         {QStringLiteral("Vitesse 200"), QStringLiteral("Vitesse 225"), QStringLiteral("Vitesse 250"),
          QStringLiteral("Volume 90"), QStringLiteral("Volume 80"), QStringLiteral("Volume 70"),
          QStringLiteral("Volume 60"), QStringLiteral("Volume 50"), QStringLiteral("Hauteur 60"),
          QStringLiteral("Hauteur 70"), QStringLiteral("Hauteur 80"), QStringLiteral("Hauteur 70")},
         "MemoConfig\r\n" + identifiantVoix(QStringLiteral("fr+f3")).toLatin1() +
             "\r\n\\spd=250\\\r\n\\pit=70\\\r\n\\vol=50\\\r\nma ligne\r\n"},
        {"aux limites, puis Echap",
         {l, l, l, l, l, h},
         {QStringLiteral("Vitesse 150"), QStringLiteral("Vitesse 125"), QStringLiteral("Vitesse 100"),
          QStringLiteral("Vitesse 80"), QStringLiteral("Vitesse 80"), QStringLiteral("Volume 100")},
         {}},
    };
    for (const Cas& c : cas) {
        JeuAvecVoix jeu(avant);
        QList<FauxMoteurParole::Dit> attendus;
        for (const QString& t : c.entendus)
            attendus.append({QStringLiteral("fr+f3"), t});
        jeu.moteur.dits.clear();
        jeu.ouvrir<TFormVoice>([&] { jeu.ctrl(Qt::Key_V); },
                               [&](TFormVoice* ecran) {
                                   QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
                                   QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
                                   jeu.moteur.dits.clear();
                                   for (const QKeyCombination t : c.touches)
                                       QTest::keyClick(ecran->ListTTS, t.key(), t.keyboardModifiers());
                                   if (ecran->isVisible())
                                       QTest::keyClick(ecran->ListTTS, Qt::Key_Escape);
                               });
        EXPECT_EQ(jeu.moteur.dits, attendus) << c.nom;
        EXPECT_EQ(lire(jeu.fichier()), c.fichier.isEmpty() ? avant : c.fichier) << c.nom;
        // Escape gives the voice back as it was
        if (c.fichier.isEmpty()) {
            EXPECT_EQ(jeu.moteur.reglages().vitesse, 175) << c.nom;
        }
    }
}

// Ctrl+V or Ctrl+J in the middle of an exchange: what the battle said meanwhile is heard after the
// parrot's return, in order.
TEST(EcransModaux, LesTextesDeLaBatailleSontDitsApresLeRetour) {
    for (const bool voix : {true, false}) {
        JeuAvecVoix jeu;
        jeu.test->AutoClick();
        jeu.test->EngagerClick();
        jeu.touche(Qt::Key_Space);
        ASSERT_EQ(jeu.compagnon.paroles.last(), QStringLiteral("FEU!"));
        const qsizetype avant = jeu.compagnon.paroles.size();
        jeu.ouvrir<QDialog>([&] { jeu.ctrl(voix ? Qt::Key_V : Qt::Key_J); },
                            [&](QDialog* ecran) {
                                jeu.temps.avancer(20000); // the comment, the reply and its report
                                QTest::keyClick(ecran->focusWidget(), Qt::Key_Escape);
                            });
        const QStringList apres = jeu.compagnon.paroles.mid(avant);
        const qsizetype retour = apres.indexOf(RETOUR);
        ASSERT_GE(retour, 0) << voix;
        const QStringList rattrapes = apres.mid(retour + 1);
        ASSERT_EQ(rattrapes.size(), 3) << voix;
        EXPECT_FALSE(rattrapes[0].isEmpty()) << voix; // the shot's comment
        EXPECT_NE(rattrapes[0], FEU_ENNEMI) << voix;
        EXPECT_EQ(rattrapes[1], FEU_ENNEMI) << voix;
        EXPECT_EQ(rattrapes[2], jeu.partie.message_courant) << voix;
        EXPECT_EQ(jeu.bataille->narrateur().dernier_message(), jeu.partie.message_courant) << voix;
    }
}

TEST(APropos, LuALOuvertureEtRetourAuJeuParChaqueTouche) {
    for (const Qt::Key touche : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_X}) {
        JeuAvecVoix jeu;
        jeu.test->AutoClick(); // a fleet laid out in the harbour
        const Grille plan = jeu.partie.plan_joueur;
        jeu.bataille->echange().TimerPaix->setEnabled(false);
        jeu.ouvrir<TFormAbout>(
            [&] { QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_J, Qt::ControlModifier); },
            [&](TFormAbout* ecran) {
                EXPECT_EQ(jeu.compagnon.paroles.last(), texteAPropos());
                EXPECT_EQ(ecran->focusWidget(), ecran->Button1);
                // Only the left-hand boards make way for the screen, and the idle chatter waits.
                EXPECT_TRUE(jeu.test->Grille_de_placement->isHidden());
                EXPECT_TRUE(jeu.bataille->port_joueur->isHidden());
                EXPECT_FALSE(jeu.bataille->port_adverse->isHidden());
                EXPECT_FALSE(jeu.bataille->echange().TimerPaix->isEnabled());
                // F1 opens the player's handbook, leaves the card open and says nothing.
                QList<QUrl> ouverts;
                ecran->ouvrir = [&ouverts](const QUrl& adresse) { ouverts << adresse; };
                const QStringList dit = jeu.compagnon.paroles;
                QTest::keyClick(ecran->Button1, Qt::Key_F1);
                EXPECT_TRUE(ecran->isVisible());
                EXPECT_EQ(jeu.compagnon.paroles, dit);
                ASSERT_EQ(ouverts.size(), 1);
                EXPECT_TRUE(ouverts.first().toLocalFile().endsWith(QStringLiteral("/manuel.html")));
                QTest::keyClick(ecran->Button1, touche);
                EXPECT_FALSE(ecran->isVisible());
            });
        EXPECT_EQ(jeu.compagnon.paroles.count(QStringLiteral("Retour au jeu")), 1);
        EXPECT_EQ(jeu.compagnon.paroles.last(), QStringLiteral("Retour au jeu"));
        EXPECT_FALSE(jeu.test->Grille_de_placement->isHidden());
        EXPECT_FALSE(jeu.bataille->port_joueur->isHidden());
        EXPECT_TRUE(jeu.bataille->echange().TimerPaix->isEnabled());
        EXPECT_EQ(jeu.partie.plan_joueur, plan); // the harbour as it was
    }
}

TEST(APropos, UnManuelQuiNePeutSOuvrirEstDitEtLOuvreurSeTait) {
    struct Cas {
        const char* ouvreur; // the xdg-open on the PATH, a shell script; none without one
        bool manuel;         // whether the handbook is there
        const char* raison;  // why it could not be opened; none when it was
    };
    const Cas cas[] = {
        {"echo ouvert; echo 'gio: avis' >&2; exit 0", true, ""},
        {"echo 'xdg-open: no method available' >&2; exit 3", true, "aucun navigateur ne l'a pris"},
        {nullptr, true, "aucun navigateur n'est installé"},
        {"exit 0", false, "il est introuvable"},
    };
    const QByteArray chemin = qgetenv("PATH");
    for (const Cas& c : cas) {
        QTemporaryDir dossier;
        const QString manuel = dossier.filePath(QStringLiteral("manuel.html"));
        const QString xdg = dossier.filePath(QStringLiteral("xdg-open"));
        if (c.manuel)
            ecrire(manuel, "<html></html>");
        if (c.ouvreur) {
            ecrire(xdg, QByteArray("#!/bin/sh\n") + c.ouvreur + '\n');
            QFile::setPermissions(xdg, QFileDevice::ExeOwner | QFileDevice::ReadOwner);
        }
        qputenv("PATH", QFile::encodeName(dossier.path()));
        TFormAbout ecran;
        QSignalSpy dit(&ecran, &TFormAbout::parle);
        testing::internal::CaptureStderr();
        ecran.ouvrir(QUrl::fromLocalFile(manuel));
        if (auto* ouvreur = ecran.findChild<QProcess*>()) {
            EXPECT_TRUE(QSignalSpy(ouvreur, &QProcess::finished).wait(20000)) << c.raison;
        }
        const QString terminal = QString::fromStdString(testing::internal::GetCapturedStderr());
        qputenv("PATH", chemin);
        // Nothing of the opener's own output on the game's terminal; a failure said aloud and told there.
        const QString raison = QString::fromUtf8(c.raison);
        const bool echec = !raison.isEmpty();
        EXPECT_EQ(dit.size(), echec ? 1 : 0) << c.raison;
        EXPECT_EQ(dit.isEmpty() ? QString() : dit[0][0].toString(),
                  echec ? QStringLiteral("Hélas, amiral, le manuel du joueur n'a pas pu être ouvert : %1.")
                              .arg(raison)
                        : QString());
        EXPECT_EQ(terminal,
                  echec ? QStringLiteral("Corsabord : le manuel du joueur %1 n'a pas pu être ouvert : %2.\n")
                              .arg(manuel, raison)
                        : QString());
    }
}

TEST(APropos, LeMenuDuPortNeTouchePasALaPaix) {
    JeuAvecVoix jeu;
    jeu.bataille->echange().TimerPaix->setEnabled(true);
    jeu.temps.avancer(30000);
    jeu.ouvrir<TFormAbout>([&] { jeu.test->Apropos1Click(); },
                           [&](TFormAbout* ecran) {
                               EXPECT_TRUE(jeu.test->Grille_de_placement->isHidden());
                               EXPECT_FALSE(jeu.bataille->port_joueur->isHidden());
                               ecran->Button1->click();
                           });
    EXPECT_FALSE(jeu.test->Grille_de_placement->isHidden());
    // The countdown under way was not restarted: the remark comes 10 s later, not 40.
    QSignalSpy remarque(jeu.bataille->echange().TimerPaix, &Timer::timeout);
    jeu.temps.avancer(10000);
    EXPECT_EQ(remarque.size(), 1);
}

TEST(SOS, LaListeReciteeEtLaPaixRallumeeParLeCombatSeulement) {
    JeuAvecVoix jeu;
    jeu.bataille->echange().TimerPaix->setEnabled(false);
    jeu.test->SOS1Click();
    EXPECT_EQ(jeu.compagnon.paroles.last(), texteSOS());
    EXPECT_FALSE(jeu.bataille->echange().TimerPaix->isEnabled());
    jeu.bataille->Parle(QStringLiteral("Autre chose."));
    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(jeu.compagnon.paroles.last(), texteSOS());
    QSignalSpy remarque(jeu.bataille->echange().TimerPaix, &Timer::timeout);
    jeu.temps.avancer(40000); // a fresh countdown
    EXPECT_EQ(remarque.size(), 1);
}

TEST(EcransModaux, PosesSurLaSceneEtAGrandisAvecElle) {
    QWidget fenetre;
    Scene scene(QStringLiteral("FOND_BATAILLE"), &fenetre);
    scene.resize(3840, 2160);
    TFormAbout about;
    about.ajuster(scene);
    const QRect attendu = scene.versEcran(about.design());
    EXPECT_EQ(about.geometry(), QRect(scene.mapToGlobal(attendu.topLeft()), attendu.size()));
    EXPECT_EQ(about.parentWidget(), &fenetre);
    EXPECT_TRUE(scene.versEcran(QRect(16, 112, Board::COTE, Board::COTE)).contains(attendu.topLeft()));
    EXPECT_EQ(about.l1->font().pixelSize(), qRound(32 * scene.echelle()));
}

} // namespace
