// The voice screen, the About screen and the recited commands, played on fakes in the whole game.
#include "app/board.h"
#include "app/reglages.h"
#include "app/scene.h"
#include "narrator/aide.h"
#include "support/jeu.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString RETOUR = QStringLiteral("Je reviens au jeu");
const QString DEFAUT = QStringLiteral("voix: {0879a4e0-a92c-11d1-B17B-0020AFED142E}");

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
    FauxMoteurParole moteur{
        voixFrancaises({QStringLiteral("fr"), QStringLiteral("fr-be")}, {{QStringLiteral("f3"), QString()}})};

    explicit JeuAvecVoix(const QByteArray& config = QByteArray()) {
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
                               EXPECT_FALSE(jeu.bataille->TimerPaix->isEnabled());
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
                        "Entrée pour revenir au jeu.")},
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
    EXPECT_TRUE(jeu.bataille->TimerPaix->isEnabled());
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
        jeu.bataille->TimerPaix->setEnabled(false);
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
        EXPECT_EQ(jeu.bataille->MemoConfig.size(), 3);
        EXPECT_TRUE(jeu.compagnon.connecte());
        EXPECT_EQ(jeu.compagnon.journal.count(DEFAUT), 2); // back with the voice he had
        EXPECT_EQ(jeu.compagnon.paroles.last(), RETOUR);
        EXPECT_TRUE(jeu.bataille->TimerPaix->isEnabled());
    }
}

TEST(EcranVoix, UnFichierQueLeJeuNAPasPuLireResteAuJoueur) {
    JeuAvecVoix jeu(QByteArray(FichierReglages::TAILLE_MAX + 1, 'x'));
    // Made readable behind the game's back: still not the game's to replace.
    ecrire(jeu.fichier(), "mes reglages\r\n");
    jeu.voix({Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(lire(jeu.fichier()), "mes reglages\r\n");
    EXPECT_EQ(jeu.bataille->MemoConfig.at(1), identifiantVoix(QStringLiteral("fr"))); // for this game
}

TEST(EcranVoix, SansPersonnageAuRetourLeJeuSeTermine) {
    JeuAvecVoix jeu;
    jeu.compagnon.fichierPresent = false;
    jeu.voix({Qt::Key_Escape});
    EXPECT_EQ(jeu.dialogues.avertissements.size(), 1);
    EXPECT_EQ(jeu.fins, QList<int>{1});
}

TEST(APropos, LuALOuvertureEtRetourAuJeuParChaqueTouche) {
    for (const Qt::Key touche : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_X}) {
        JeuAvecVoix jeu;
        jeu.test->AutoClick(); // a fleet laid out in the harbour
        const Grille plan = jeu.partie.plan_joueur;
        jeu.bataille->TimerPaix->setEnabled(false);
        jeu.ouvrir<TFormAbout>(
            [&] { QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_J, Qt::ControlModifier); },
            [&](TFormAbout* ecran) {
                EXPECT_EQ(jeu.compagnon.paroles.last(), texteAPropos());
                EXPECT_EQ(ecran->focusWidget(), ecran->Button1);
                // Only the left-hand boards make way for the screen, and the idle chatter waits.
                EXPECT_TRUE(jeu.test->Grille_de_placement->isHidden());
                EXPECT_TRUE(jeu.bataille->port_joueur->isHidden());
                EXPECT_FALSE(jeu.bataille->port_adverse->isHidden());
                EXPECT_FALSE(jeu.bataille->TimerPaix->isEnabled());
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
        EXPECT_TRUE(jeu.bataille->TimerPaix->isEnabled());
        EXPECT_EQ(jeu.partie.plan_joueur, plan); // the harbour as it was
    }
}

TEST(APropos, LeMenuDuPortNeTouchePasALaPaix) {
    JeuAvecVoix jeu;
    jeu.bataille->TimerPaix->setEnabled(true);
    jeu.temps.avancer(30000);
    jeu.ouvrir<TFormAbout>([&] { jeu.test->Apropos1Click(); },
                           [&](TFormAbout* ecran) {
                               EXPECT_TRUE(jeu.test->Grille_de_placement->isHidden());
                               EXPECT_FALSE(jeu.bataille->port_joueur->isHidden());
                               ecran->Button1->click();
                           });
    EXPECT_FALSE(jeu.test->Grille_de_placement->isHidden());
    // The countdown under way was not restarted: the remark comes 10 s later, not 40.
    QSignalSpy remarque(jeu.bataille->TimerPaix, &Timer::timeout);
    jeu.temps.avancer(10000);
    EXPECT_EQ(remarque.size(), 1);
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
