// Start-up and the flow between screens, played on fakes: greeting, activations, shortcuts, quitting.
#include "base/board.h"
#include "base/scene.h"
#include "support/jeu.h"
#include "support/textes.h"

#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
using textes::COURAGE;
using textes::GREETING;
using textes::OPENING;

QAction* action(QMainWindow* fenetre, const char* nom) {
    return fenetre->menuBar()->findChild<QAction*>(QLatin1String(nom));
}

// The game created and started: the harbour shown, greeted and welcomed.
class Lance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(jeu.creer());
        jeu.demarrer();
    }
    JeuDeTest jeu;
};
} // namespace

TEST(Demarrage, LeNarrateurEstInstalleAvantTout) {
    JeuDeTest jeu;
    ASSERT_TRUE(jeu.creer());
    // The narrator's own set-up is his tests' business; here, that it came first and took the voice of the
    // settings file, and that nothing but its warm-up blanks was said before the game starts.
    ASSERT_FALSE(jeu.compagnon.journal.isEmpty());
    EXPECT_EQ(jeu.compagnon.journal.first(), QStringLiteral("connecter"));
    EXPECT_TRUE(
        jeu.compagnon.journal.contains(QStringLiteral("voix: {0879a4e0-a92c-11d1-B17B-0020AFED142E}")));
    EXPECT_EQ(jeu.compagnon.journal.last(), QStringLiteral("parler:  "));
    EXPECT_EQ(jeu.sons.bips, 0);
    EXPECT_EQ(jeu.bataille->narrateur().requete_parole(), jeu.compagnon.derniereRequete);
    // The settings file was created and read before the narrator's set-up.
    EXPECT_TRUE(QFileInfo::exists(jeu.dossier.filePath(QStringLiteral("Config.Txt"))));
    EXPECT_EQ(jeu.flux->MemoConfig.size(), 5);
    EXPECT_EQ(jeu.partie.viseur.colonne, 13);
    EXPECT_EQ(jeu.partie.MemoInfo.size(), 1);
}

TEST(Demarrage, SansPersonnageLeJeuSArreteApresLAvis) {
    JeuDeTest jeu;
    jeu.compagnon.fichierPresent = false;
    EXPECT_FALSE(jeu.creer());
    EXPECT_EQ(jeu.dialogues.avertissements,
              QStringList{QStringLiteral("Impossible de trouver le compagnon MSagent.")});
    EXPECT_TRUE(jeu.compagnon.paroles.isEmpty());

    JeuDeTest illisible;
    illisible.compagnon.fichierLisible = false;
    EXPECT_FALSE(illisible.creer());
    EXPECT_EQ(illisible.dialogues.avertissements.size(), 1);
}

TEST_F(Lance, LeSalutEstDitApresQueLePortEstMontre) {
    // The greeting is said over the harbour already shown, then the harbour's activation says its
    // welcome, which is heard to its end.
    EXPECT_TRUE(jeu.test->isVisible());
    const qsizetype salut = jeu.compagnon.paroles.indexOf(GREETING);
    ASSERT_GE(salut, 0);
    EXPECT_EQ(jeu.compagnon.paroles.indexOf(jeu.partie.message_courant), jeu.compagnon.paroles.size() - 1);
    EXPECT_TRUE(jeu.partie.message_courant.startsWith(QStringLiteral("Mes respects, amiral.")));
    EXPECT_FALSE(jeu.bataille->port_adverse->isEnabled());
}

TEST_F(Lance, PlacerRemetLaBatailleAZeroEtCoupeLaPaix) {
    jeu.bataille->echange().TimerPaix->setEnabled(true);
    jeu.partie.nb_tirs_joueur = 7;
    jeu.partie.tirs_joueur(3, 3) = QStringLiteral("MANQUE");
    jeu.partie.viseur = {2, 2};
    jeu.bataille->PlacerClick();
    EXPECT_FALSE(jeu.bataille->echange().TimerPaix->isEnabled());
    EXPECT_EQ(jeu.partie.nb_tirs_joueur, 0);
    EXPECT_TRUE(jeu.partie.tirs_joueur.vide());
    EXPECT_EQ(jeu.partie.viseur.colonne, 13);
    EXPECT_TRUE(jeu.test->isVisible());
}

TEST_F(Lance, EngagerRendLaMainAuCombatQuiCopieLesPlans) {
    jeu.partie.plan_joueur(1, 1) = QStringLiteral("CHALOUPEH");
    jeu.partie.plan_joueur(2, 1) = QStringLiteral("CHALOUPE");
    jeu.partie.plan_adverse(5, 5) = QStringLiteral("CHALOUPEV");
    jeu.partie.plan_adverse(5, 6) = QStringLiteral("CHALOUPE");
    jeu.partie.infopartie = QStringLiteral("vieux");
    jeu.flux->engager();
    EXPECT_FALSE(jeu.test->isVisible());
    EXPECT_EQ(jeu.partie.mer_joueur, jeu.partie.plan_joueur);
    EXPECT_EQ(jeu.partie.mer_adverse, jeu.partie.plan_adverse);
    EXPECT_TRUE(jeu.partie.infopartie.isEmpty());
    EXPECT_EQ(jeu.compagnon.paroles.last(), OPENING);
    EXPECT_EQ(jeu.partie.message_courant, OPENING);
}

TEST_F(Lance, UnDialogueQuiSeFermeNeRejouePasLActivation) {
    // A battle under way, with a ship already sunk.
    jeu.partie.plan_adverse(1, 1) = QStringLiteral("CHALOUPEH");
    jeu.partie.plan_adverse(2, 1) = QStringLiteral("CHALOUPE");
    jeu.flux->engager();
    jeu.partie.mer_adverse(1, 1).clear();
    jeu.partie.plan_joueur(4, 4) = QStringLiteral("CHALOUPEH");
    const QStringList dit = jeu.compagnon.paroles;

    // A real dialog of the game opens over the battle screen and closes.
    QDialog boite(jeu.bataille.get());
    boite.show();
    JeuDeTest::activer(&boite);
    boite.accept();
    JeuDeTest::activer(jeu.bataille.get());
    // And the quit box, answered No.
    jeu.dialogues.reponse = false;
    jeu.bataille->Quitter1Click();

    EXPECT_TRUE(jeu.partie.mer_adverse(1, 1).isEmpty()); // the sunk ship stays sunk
    EXPECT_EQ(jeu.partie.plan_joueur(4, 4), QStringLiteral("CHALOUPEH"));
    EXPECT_FALSE(jeu.test->isVisible());
    EXPECT_TRUE(jeu.bataille->port_adverse->isEnabled());
    const QStringList apres = jeu.compagnon.paroles.mid(dit.size());
    EXPECT_EQ(apres,
              (QStringList{QStringLiteral("Voulez vous vraiment revenir à terre, amiral? \"O\" pour quitter, "
                                          "\"N\" pour revenir au combat."),
                           COURAGE}));
}

TEST_F(Lance, LesLettresQueLePortNePrendPasVontAuCombat) {
    JeuDeTest::activer(jeu.test);
    jeu.test->Grille_de_placement->setFocus();

    QSignalSpy repete(action(jeu.bataille.get(), "Rpte1"), &QAction::triggered);
    QSignalSpy placer(action(jeu.bataille.get(), "Placer"), &QAction::triggered);
    QSignalSpy inspecterCombat(action(jeu.bataille.get(), "Inspection1"), &QAction::triggered);
    QSignalSpy inspecterPort(action(jeu.test, "Inspection"), &QAction::triggered);
    QSignalSpy quitterCombat(action(jeu.bataille.get(), "Quitter1"), &QAction::triggered);
    QSignalSpy quitterPort(action(jeu.test, "Quitter1"), &QAction::triggered);

    jeu.bataille->Parle(QStringLiteral("Une phrase."));
    const int avant = static_cast<int>(jeu.compagnon.paroles.size());
    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(repete.count(), 1);
    ASSERT_EQ(jeu.compagnon.paroles.size(), avant + 1);
    EXPECT_EQ(jeu.compagnon.paroles.last(), QStringLiteral("Une phrase."));

    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(placer.count(), 1);

    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(inspecterPort.count(), 1);
    EXPECT_EQ(inspecterCombat.count(), 0);

    jeu.dialogues.reponse = false;
    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quitterPort.count(), 1);
    EXPECT_EQ(quitterCombat.count(), 0);
    EXPECT_EQ(jeu.dialogues.questions.size(), 1); // handed over to the battle screen's quit

    // With a modal screen open, the battle screen's menu takes nothing.
    QDialog modal(jeu.test);
    modal.setModal(true);
    modal.show();
    JeuDeTest::traiterEvenements();
    EXPECT_FALSE(jeu.bataille->commande(QKeySequence(Qt::CTRL | Qt::Key_R)));
    modal.close();
    EXPECT_TRUE(jeu.bataille->commande(QKeySequence(Qt::CTRL | Qt::Key_R)));
    EXPECT_FALSE(jeu.bataille->commande(QKeySequence(Qt::CTRL | Qt::Key_Z)));
}

TEST(Repete, RepeteLeDernierTexteEtRienAvant) {
    JeuDeTest jeu;
    ASSERT_TRUE(jeu.creer());
    const int avant = static_cast<int>(jeu.compagnon.paroles.size());
    jeu.bataille->Rpte1Click();
    EXPECT_EQ(jeu.compagnon.paroles.size(), avant); // nothing said yet
    jeu.bataille->Parle(QStringLiteral("Feu à volonté!"));
    jeu.bataille->Parle(QString()); // ignored
    jeu.bataille->Rpte1Click();
    EXPECT_EQ(jeu.compagnon.paroles.mid(avant),
              (QStringList{QStringLiteral("Feu à volonté!"), QStringLiteral("Feu à volonté!")}));
    // Each new text stopped the one before.
    EXPECT_EQ(jeu.compagnon.arretees.size(), 2);
}

TEST_F(Lance, QuitterOuiFaitSignerCacheEtLaFinDuCacheTermine) {
    jeu.dialogues.reponse = true;
    jeu.bataille->Quitter1Click();
    ASSERT_EQ(jeu.dialogues.questions.size(), 1);
    EXPECT_EQ(jeu.dialogues.questions.first(),
              QStringLiteral("Rompre le combat | Voulez vous vraiment revenir à terre?"));
    const int salut = jeu.compagnon.requeteDe(QStringLiteral("Wave"));
    const int cache = jeu.compagnon.requeteDe(QStringLiteral("Hide"));
    ASSERT_GT(salut, 0);
    ASSERT_GT(cache, salut);
    EXPECT_EQ(jeu.flux->requete_adieu(), cache);
    EXPECT_EQ(
        jeu.compagnon.paroles.last(),
        QStringLiteral("Nous retournons à terre, amiral. Au revoir, et à bientôt pour un autre combat!"));

    // Other completions change nothing; the farewell's hiding ends the game.
    jeu.compagnon.terminer(salut);
    jeu.compagnon.terminer(jeu.bataille->narrateur().requete_parole());
    EXPECT_TRUE(jeu.fins.isEmpty());
    EXPECT_TRUE(jeu.compagnon.connecte());
    jeu.compagnon.terminer(cache);
    EXPECT_EQ(jeu.fins, QList<int>{0});
    EXPECT_FALSE(jeu.compagnon.connecte());
    EXPECT_FALSE(jeu.compagnon.personnage(QStringLiteral("Peedy")));
}

TEST(Paix, UneToucheOuUnClicSurLEcranRelanceLeMinuteur) {
    JeuDeTest jeu;
    ASSERT_TRUE(jeu.creer());
    int remarques = 0;
    QObject::connect(jeu.bataille->echange().TimerPaix, &Timer::timeout, [&] { ++remarques; });
    jeu.temps.avancer(30000);
    QTest::keyClick(jeu.bataille.get(), Qt::Key_X);
    jeu.temps.avancer(30000);
    QTest::mouseClick(jeu.bataille->centralWidget(), Qt::LeftButton, {}, QPoint(500, 700));
    jeu.temps.avancer(39999);
    EXPECT_EQ(remarques, 0);
    jeu.temps.avancer(1);
    EXPECT_EQ(remarques, 1);
}
