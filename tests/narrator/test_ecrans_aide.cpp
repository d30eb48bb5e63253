// The voice screen, the About screen and the recited commands, played on fakes in the whole game.
#include "app/board.h"
#include "app/reglages.h"
#include "app/scene.h"
#include "narrator/aide.h"
#include "support/jeu.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString RETOUR = QStringLiteral("Je reviens au jeu");
const QList<VoixFrancaise> VOIX =
    voixFrancaises({QStringLiteral("fr"), QStringLiteral("fr-be")}, {{QStringLiteral("f3"), QString()}});

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(illisible)");
}

void ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

// The game started in the harbour, its voice screen speaking through a silent engine.
struct JeuAvecVoix : JeuDeTest {
    FauxMoteurParole moteur{VOIX};

    explicit JeuAvecVoix(const QByteArray& config = QByteArray()) {
        if (!config.isNull())
            ecrire(dossier.filePath(QStringLiteral("Config.txt")), config);
        EXPECT_TRUE(creer());
        voice->setMoteur(&moteur, new SortieMuette);
        demarrer();
    }
    QString fichier() const { return FichierReglages(dossier.path()).chemin(); }

    // Opens the voice screen with Ctrl+V from the harbour; pendant plays the keys while it is open.
    void voix(const std::function<void(TFormVoice*)>& pendant) {
        dialogues.pendant = [pendant](QDialog* ecran) {
            ecran->show();
            pendant(static_cast<TFormVoice*>(ecran));
        };
        QTest::keyClick(test->Grille_de_placement, Qt::Key_V, Qt::ControlModifier);
        dialogues.pendant = nullptr;
    }
};

TEST(EcranVoix, ChaqueVoixEntendueDansSaVoixPuisEntreeEnregistre) {
    const QByteArray avant = "Entete\r\nancien\r\n\\spd=1\\\r\n\\pit=2\\\r\n\\vol=3\\\r\nma ligne\r\n\r\n";
    JeuAvecVoix jeu(avant);
    const QString f3 = identifiantVoix(QStringLiteral("fr+f3"));
    jeu.compagnon.modeAccepte = QLatin1Char('{') + f3 + QLatin1Char('}');
    jeu.moteur.reglagesCourants = {190, 61, 120};
    jeu.bataille->TimerPaix->setEnabled(true);
    const int paroles = static_cast<int>(jeu.compagnon.paroles.size());
    const int bips = jeu.sons.bips; // "ancien" was refused at start-up

    jeu.voix([&](TFormVoice* ecran) {
        // The parrot is away and the idle chatter silent while the screen is open.
        EXPECT_FALSE(jeu.compagnon.connecte());
        EXPECT_FALSE(jeu.compagnon.personnage(QStringLiteral("Peedy")));
        EXPECT_FALSE(jeu.bataille->TimerPaix->isEnabled());
        ASSERT_EQ(ecran->ListTTS->count(), VOIX.size());
        EXPECT_EQ(ecran->ListTTS->item(1)->text(), QStringLiteral("Français (France), voix féminine 3"));
        EXPECT_EQ(ecran->ligneChoisie(), -1);
        EXPECT_EQ(ecran->focusWidget(), ecran->ListTTS);
        ASSERT_EQ(jeu.moteur.dits.size(), 1);
        EXPECT_EQ(jeu.moteur.dits.at(0).texte,
                  QStringLiteral("Servez vous des touches \"haut\" ou \"bas\" pour changer ma voix. Entrée "
                                 "pour revenir au jeu."));

        // The first arrow highlights the first row; each row is heard in its own voice.
        QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
        QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
        QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
        QTest::keyClick(ecran->ListTTS, Qt::Key_Up);
        const QList<FauxMoteurParole::Dit> attendus{
            {QStringLiteral("fr"), QStringLiteral("Ma voix est: Français (France). Entrée pour valider.")},
            {QStringLiteral("fr+f3"),
             QStringLiteral("Ma voix est: Français (France), voix féminine 3. Entrée pour valider.")},
            {QStringLiteral("fr-be"),
             QStringLiteral("Ma voix est: Français (Belgique). Entrée pour valider.")},
            {QStringLiteral("fr+f3"),
             QStringLiteral("Ma voix est: Français (France), voix féminine 3. Entrée pour valider.")},
        };
        EXPECT_EQ(jeu.moteur.dits.mid(1), attendus);
        // A click highlights too.
        const QRect ligne = ecran->ListTTS->visualItemRect(ecran->ListTTS->item(3));
        QTest::mouseClick(ecran->ListTTS->viewport(), Qt::LeftButton, {}, ligne.center());
        EXPECT_EQ(jeu.moteur.dits.last().voix, QStringLiteral("fr-be+f3"));
        QTest::keyClick(ecran->ListTTS, Qt::Key_Home);
        QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
        EXPECT_TRUE(ecran->isVisible());
        QTest::keyClick(ecran->ListTTS, Qt::Key_Return);
        EXPECT_FALSE(ecran->isVisible());
    });

    // The parrot said nothing while away; the screen's texts went to the engine alone.
    EXPECT_EQ(jeu.compagnon.paroles.size(), paroles + 3); // the two warm-up blanks, then back to the game
    EXPECT_EQ(lire(jeu.fichier()), "Entete\r\n" + f3.toLatin1() +
                                       "\r\n\\spd=190\\\r\n\\pit=61\\\r\n\\vol=120\\\r\nma ligne\r\n\r\n");
    EXPECT_EQ(jeu.bataille->MemoConfig.at(1), f3);
    // The parrot comes back in the new voice, greets and says so; Ctrl+R says it again.
    EXPECT_TRUE(jeu.compagnon.connecte());
    EXPECT_TRUE(jeu.compagnon.journal.contains(QStringLiteral("voix: {") + f3 + QLatin1Char('}')));
    EXPECT_EQ(jeu.compagnon.journal.count(QStringLiteral("jouer: Greet")), 2);
    EXPECT_EQ(jeu.sons.bips, bips);
    EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
    jeu.bataille->Rpte1Click();
    EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
    EXPECT_TRUE(jeu.bataille->TimerPaix->isEnabled());
    EXPECT_TRUE(jeu.test->isVisible()); // still in the harbour, not sent back to it anew
}

TEST(EcranVoix, EntreeSansLigneChoisieGardeLaVoixCouranteEtCompleteLeFichier) {
    JeuAvecVoix jeu("MemoConfig\r\n");
    jeu.moteur.choisirVoix(QStringLiteral("fr-be"));
    jeu.voix([](TFormVoice* ecran) { QTest::keyClick(ecran->ListTTS, Qt::Key_Enter); });
    EXPECT_EQ(lire(jeu.fichier()), "MemoConfig\r\n" + identifiantVoix(QStringLiteral("fr-be")).toLatin1() +
                                       "\r\n\\spd=175\\\r\n\\pit=50\\\r\n\\vol=100\\\r\n");
}

TEST(EcranVoix, FermerAutrementQuAvecEntreeNEnregistreRienEtRameneLePerroquet) {
    const QByteArray avant = "MemoConfig\r\n0879a4e0-a92c-11d1-B17B-0020AFED142E\r\nx\r\n";
    const std::function<void(TFormVoice*)> fermetures[] = {
        [](TFormVoice* ecran) { QTest::keyClick(ecran->ListTTS, Qt::Key_Escape); },
        [](TFormVoice* ecran) { ecran->close(); }, // the window manager
    };
    for (const auto& fermer : fermetures) {
        JeuAvecVoix jeu(avant);
        const QStringList memo = jeu.bataille->MemoConfig;
        jeu.bataille->TimerPaix->setEnabled(false);
        jeu.voix([&](TFormVoice* ecran) {
            QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
            QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
            for (const Qt::Key touche : {Qt::Key_Space, Qt::Key_A, Qt::Key_Tab, Qt::Key_Backspace})
                QTest::keyClick(ecran->ListTTS, touche);
            EXPECT_TRUE(ecran->isVisible());
            fermer(ecran);
            EXPECT_FALSE(ecran->isVisible());
        });
        EXPECT_EQ(lire(jeu.fichier()), avant);
        EXPECT_EQ(jeu.bataille->MemoConfig, memo);
        // Back with the voice he had.
        EXPECT_TRUE(jeu.compagnon.connecte());
        EXPECT_EQ(jeu.compagnon.journal.count(QStringLiteral("voix: {0879a4e0-a92c-11d1-B17B-0020AFED142E}")),
                  2);
        EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
        EXPECT_TRUE(jeu.bataille->TimerPaix->isEnabled());
    }
}

TEST(EcranVoix, UnFichierQueLeJeuNAPasPuLireResteAuJoueur) {
    JeuAvecVoix jeu(QByteArray(FichierReglages::TAILLE_MAX + 1, 'x'));
    EXPECT_EQ(jeu.bataille->MemoConfig, reglagesParDefaut());
    // Made readable behind the game's back: still not the game's to replace.
    ecrire(jeu.fichier(), "mes reglages\r\n");
    jeu.voix([](TFormVoice* ecran) {
        QTest::keyClick(ecran->ListTTS, Qt::Key_Down);
        QTest::keyClick(ecran->ListTTS, Qt::Key_Return);
    });
    EXPECT_EQ(lire(jeu.fichier()), "mes reglages\r\n");
    EXPECT_EQ(jeu.bataille->MemoConfig.at(1), identifiantVoix(QStringLiteral("fr"))); // kept for this game
    EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
}

TEST(EcranVoix, SansPersonnageAuRetourLeJeuSeTermine) {
    JeuAvecVoix jeu;
    jeu.compagnon.fichierPresent = false;
    jeu.voix([](TFormVoice* ecran) { QTest::keyClick(ecran->ListTTS, Qt::Key_Escape); });
    EXPECT_EQ(jeu.dialogues.avertissements,
              QStringList{QStringLiteral("Impossible de trouver le compagnon MSagent.")});
    EXPECT_EQ(jeu.fins, QList<int>{1});
}

// Opens the About screen with the command given; pendant checks and closes it.
void aPropos(JeuDeTest& jeu, const std::function<void()>& commande,
             const std::function<void(TFormAbout*)>& pendant) {
    jeu.dialogues.pendant = [pendant](QDialog* ecran) {
        ecran->show();
        pendant(static_cast<TFormAbout*>(ecran));
    };
    commande();
    jeu.dialogues.pendant = nullptr;
}

TEST(APropos, LuALOuvertureEtRetourAuJeuParChaqueTouche) {
    const std::function<void(QWidget*)> touches[] = {
        [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space); },
        [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); },
        [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
        [](QWidget* w) { QTest::keyClick(w, Qt::Key_X); },
        [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
    };
    for (const auto& toucher : touches) {
        JeuAvecVoix jeu;
        jeu.test->AutoClick(); // a fleet laid out in the harbour
        const Grille plan = jeu.partie.plan_joueur;
        JeuDeTest::activer(jeu.test);
        jeu.test->Grille_de_placement->setFocus();
        jeu.bataille->TimerPaix->setEnabled(false);
        aPropos(
            jeu, [&] { QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_J, Qt::ControlModifier); },
            [&](TFormAbout* ecran) {
                EXPECT_EQ(jeu.compagnon.paroles.last(), texteAPropos());
                EXPECT_EQ(ecran->focusWidget(), ecran->Button1);
                // Only the left-hand boards make way for the screen, and the idle chatter waits.
                EXPECT_TRUE(jeu.test->Grille_de_placement->isHidden());
                EXPECT_TRUE(jeu.bataille->port_joueur->isHidden());
                EXPECT_FALSE(jeu.bataille->port_adverse->isHidden());
                EXPECT_FALSE(jeu.bataille->TimerPaix->isEnabled());
                toucher(ecran->Button1);
                EXPECT_FALSE(ecran->isVisible());
            });
        EXPECT_EQ(jeu.compagnon.paroles.last(), QStringLiteral("Retour au jeu"));
        EXPECT_EQ(jeu.compagnon.paroles.count(QStringLiteral("Retour au jeu")), 1);
        EXPECT_FALSE(jeu.test->Grille_de_placement->isHidden());
        EXPECT_FALSE(jeu.bataille->port_joueur->isHidden());
        EXPECT_EQ(jeu.test->focusWidget(), jeu.test->Grille_de_placement);
        EXPECT_TRUE(jeu.bataille->TimerPaix->isEnabled());
        EXPECT_EQ(jeu.partie.plan_joueur, plan); // the harbour as it was
    }
}

TEST(APropos, LeMenuDuPortNeTouchePasALaPaix) {
    for (const bool actif : {false, true}) {
        JeuAvecVoix jeu;
        jeu.bataille->TimerPaix->setEnabled(actif);
        jeu.temps.avancer(30000);
        aPropos(
            jeu, [&] { jeu.test->Apropos1Click(); },
            [&](TFormAbout* ecran) {
                EXPECT_TRUE(jeu.test->Grille_de_placement->isHidden());
                EXPECT_FALSE(jeu.bataille->port_joueur->isHidden());
                EXPECT_EQ(jeu.bataille->TimerPaix->isEnabled(), actif);
                QTest::keyClick(ecran->Button1, Qt::Key_Space);
            });
        EXPECT_FALSE(jeu.test->Grille_de_placement->isHidden());
        EXPECT_EQ(jeu.bataille->TimerPaix->isEnabled(), actif);
        // a running countdown was not restarted: the remark comes 10 s later, not 40
        QSignalSpy remarque(jeu.bataille->TimerPaix, &Timer::timeout);
        jeu.temps.avancer(10000);
        EXPECT_EQ(remarque.size(), actif ? 1 : 0);
    }
}

TEST(SOS, LaListeReciteeEtLaPaixRallumeeParLeCombatSeulement) {
    JeuAvecVoix jeu;
    jeu.bataille->TimerPaix->setEnabled(false);
    jeu.test->SOS1Click();
    EXPECT_EQ(jeu.compagnon.paroles.last(), texteSOS());
    EXPECT_FALSE(jeu.bataille->TimerPaix->isEnabled());
    jeu.bataille->Parle(QStringLiteral("Autre chose."));
    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(jeu.compagnon.paroles.last(), texteSOS());
    QSignalSpy remarque(jeu.bataille->TimerPaix, &Timer::timeout);
    jeu.temps.avancer(39999);
    EXPECT_EQ(remarque.size(), 0);
    jeu.temps.avancer(1);
    EXPECT_EQ(remarque.size(), 1);
}

TEST(EcransModaux, PosesSurLaSceneEtAGrandisAvecElle) {
    TFormAbout about;
    TFormVoice voice;
    for (const QSize taille : {QSize(1024, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
        QWidget fenetre;
        Scene scene(QStringLiteral("FOND_BATAILLE"), &fenetre);
        scene.resize(taille);
        const qreal k = scene.echelle();
        for (EcranModal* ecran : {static_cast<EcranModal*>(&about), static_cast<EcranModal*>(&voice)}) {
            ecran->ajuster(scene);
            const QRect attendu = scene.versEcran(ecran->design());
            EXPECT_EQ(ecran->size(), attendu.size());
            EXPECT_EQ(ecran->pos(), scene.mapToGlobal(attendu.topLeft()));
            EXPECT_EQ(ecran->parentWidget(), &fenetre);
        }
        // The About screen over the player's board; its title in its serif, scaled.
        EXPECT_TRUE(scene.versEcran(QRect(16, 112, Board::COTE, Board::COTE))
                        .contains(scene.versEcran(about.design()).topLeft()));
        EXPECT_EQ(about.l1->font().pixelSize(), qRound(32 * k));
        EXPECT_EQ(about.l1->text(), QStringLiteral("Corsabord"));
        EXPECT_EQ(about.Button1->width(), qRound(131 * k) - qRound(40 * k));
        EXPECT_EQ(voice.ListTTS->parentWidget(), voice.GroupBox1);
        EXPECT_EQ(voice.GroupBox1->title(), QStringLiteral("Languages"));
        about.setParent(nullptr, about.windowFlags());
        voice.setParent(nullptr, voice.windowFlags());
    }
}

} // namespace
