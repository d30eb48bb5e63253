// The harbour screen played by keys and mouse on fakes: what the parrot says, the berths and the plans.
#include "base/board.h"
#include "base/scene.h"
#include "base/timer.h"
#include "placement/image_poste.h"
#include "support/jeu.h"
#include "support/textes.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {
using namespace textes;

// Ships of a plan, by stem.
QMap<QString, int> classes(const Grille& plan) {
    QMap<QString, int> n;
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (estNomNavire(plan(c, r)))
                ++n[racine(plan(c, r))];
    return n;
}

const QMap<QString, int> FLOTTE = {
    {QStringLiteral("NAVIRE-AMIRAL"), 1}, {QStringLiteral("FREGATE"), 1},  {QStringLiteral("BRICK"), 2},
    {QStringLiteral("GALERE"), 2},        {QStringLiteral("CHALOUPE"), 3},
};

// The game started and the harbour in front, with the keyboard on its board.
class EcranPort : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(jeu.creer());
        jeu.demarrer();
        JeuDeTest::activer(jeu.test);
        plateau()->setFocus();
    }

    Board* plateau() { return jeu.test->Grille_de_placement; }
    void touche(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(plateau(), k, m); }
    void ctrl(Qt::Key k) { touche(k, Qt::ControlModifier); }
    const QString& dernier() { return jeu.compagnon.paroles.last(); }
    // What was said since a mark.
    QStringList depuis(qsizetype marque) { return jeu.compagnon.paroles.mid(marque); }
    qsizetype marque() { return jeu.compagnon.paroles.size(); }
    // Moves the selection with the arrows to a cell.
    void allerA(int col, int row) {
        while (plateau()->col() < col)
            touche(Qt::Key_Right);
        while (plateau()->col() > col)
            touche(Qt::Key_Left);
        while (plateau()->row() < row)
            touche(Qt::Key_Down);
        while (plateau()->row() > row)
            touche(Qt::Key_Up);
    }
    // The pointer passes over a cell (sent straight to the board: the offscreen platform has no pointer).
    void survoler(int col, int row) {
        const QPointF ici = plateau()->centreCellule(col, row);
        QMouseEvent e(QEvent::MouseMove, ici, plateau()->mapToGlobal(ici), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(plateau(), &e);
    }
    void cliquer(Qt::MouseButton b, int col, int row) {
        QTest::mouseClick(plateau(), b, {}, plateau()->centreCellule(col, row));
    }

    JeuDeTest jeu;
};

} // namespace

TEST_F(EcranPort, LOuvertureRemetLePortAZeroEtSouhaiteLaBienvenue) {
    EXPECT_EQ(dernier(), BIENVENUE);
    EXPECT_EQ(jeu.partie.message_courant, BIENVENUE);
    // The selection went to the middle of the sea, announcing the cells on its way.
    const QStringList dit = jeu.compagnon.paroles;
    ASSERT_GE(dit.size(), 3);
    EXPECT_EQ(dit.mid(dit.size() - 3), (QStringList{QStringLiteral("A.6. ") + PAS_CHOISI,
                                                    QStringLiteral("F.6. ") + PAS_CHOISI, BIENVENUE}));
    EXPECT_EQ(plateau()->col(), 6);
    EXPECT_EQ(plateau()->row(), 6);
    EXPECT_EQ(jeu.test->LabelCol->text(), QStringLiteral("F"));
    EXPECT_EQ(jeu.test->LabeLigne->text(), QStringLiteral("6"));
    EXPECT_EQ(jeu.test->ImBtnavireamiral->image(), QStringLiteral("NAVIRE-AMIRALH"));
    EXPECT_EQ(jeu.test->ImBtchaloupe3->image(), QStringLiteral("CHALOUPEH"));
    EXPECT_TRUE(jeu.test->ImBtchaloupe3->isEnabled());
    // Each berth lies where the harbour's picture has its quay.
    EXPECT_EQ(jeu.test->ImBtfregate->geometry(),
              qobject_cast<Scene*>(jeu.test->centralWidget())->versEcran(QRect(856, 336, 128, 32)));
}

TEST_F(EcranPort, AuClavierDuChoixALEngagement) {
    qsizetype m = marque();
    ctrl(Qt::Key_A);
    // One line said: the flagship's crew answers and the helm is handed over; the balloon keeps the answer.
    ASSERT_EQ(depuis(m).size(), 1);
    EXPECT_EQ(dernier(), jeu.partie.message_courant + A_VOUS_LA_BARRE);
    EXPECT_TRUE(jeu.partie.message_courant.startsWith(QStringLiteral("Vaisseau amiral")));
    EXPECT_EQ(jeu.test->ImBtnavireamiral->image(), QStringLiteral("NAVIRE_AMIRAL_SEL"));

    // The arrows steer the chosen ship cell by cell and name each cell.
    m = marque();
    touche(Qt::Key_Right);
    touche(Qt::Key_Right);
    touche(Qt::Key_Right);
    EXPECT_EQ(depuis(m), (QStringList{QStringLiteral("G.6. ") + INDICE, QStringLiteral("H.6. ") + INDICE,
                                      QStringLiteral("I.6. ") + INDICE}));
    EXPECT_EQ(jeu.test->port().placement_tempo.colonne, 9);
    EXPECT_EQ(jeu.test->port().placement_tempo.ligne, 6);
    ctrl(Qt::Key_M);
    EXPECT_EQ(dernier(), MOUILLAGE_IMPOSSIBLE);
    EXPECT_TRUE(jeu.partie.plan_joueur.vide());
    touche(Qt::Key_Left);
    ctrl(Qt::Key_O);
    EXPECT_EQ(dernier(), VIREMENT);
    ctrl(Qt::Key_M);
    EXPECT_EQ(dernier(), ANCRE);
    EXPECT_EQ(jeu.partie.plan_joueur(8, 6), QStringLiteral("NAVIRE-AMIRALV"));
    EXPECT_EQ(jeu.partie.plan_joueur(8, 10), QStringLiteral("NAVIRE-AMIRAL"));
    EXPECT_EQ(classes(jeu.partie.plan_adverse), (QMap<QString, int>{{QStringLiteral("NAVIRE-AMIRAL"), 1}}));
    EXPECT_FALSE(jeu.test->ImBtnavireamiral->isEnabled());
    EXPECT_EQ(jeu.test->ImBtnavireamiral->image(), QStringLiteral("NAVIRE_AMIRAL_FLOU"));
    touche(Qt::Key_Down);
    EXPECT_EQ(dernier(), QStringLiteral("H.7. NAVIRE-AMIRAL au mouillage. "));

    // Nothing chosen: turning and anchoring refuse.
    ctrl(Qt::Key_O);
    EXPECT_EQ(dernier(), VIREMENT_IMPOSSIBLE);
    ctrl(Qt::Key_I);
    EXPECT_TRUE(dernier().startsWith(QStringLiteral("Il reste au port: la frégate, deux bricks,")));

    // Engaging too early is refused, and wakes the idle chatter.
    jeu.bataille->echange().TimerPaix->setEnabled(false);
    ctrl(Qt::Key_E);
    EXPECT_EQ(dernier(), REFUS_ENGAGER);
    EXPECT_TRUE(jeu.bataille->echange().TimerPaix->isEnabled());
    EXPECT_TRUE(jeu.test->isVisible());
    EXPECT_FALSE(jeu.bataille->port_adverse->isEnabled());

    // The whole fleet at once, then to battle.
    m = marque();
    ctrl(Qt::Key_T);
    EXPECT_EQ(dernier(), TOUS_EN_PLACE);
    EXPECT_TRUE(depuis(m).contains(BIENVENUE));
    EXPECT_EQ(classes(jeu.partie.plan_joueur), FLOTTE);
    EXPECT_EQ(classes(jeu.partie.plan_adverse), FLOTTE);
    for (int i = 0; i < NB_POSTES; ++i)
        EXPECT_FALSE(jeu.test->poste(static_cast<Poste>(i))->isEnabled()) << i;
    EXPECT_EQ(jeu.test->ImBtGalere2->image(), QStringLiteral("GALERE_FLOU"));
    ctrl(Qt::Key_I);
    EXPECT_EQ(dernier(), FLOTTE_EN_POSITION);
    const Grille joueur = jeu.partie.plan_joueur;
    const Grille adverse = jeu.partie.plan_adverse;
    ctrl(Qt::Key_E);
    JeuDeTest::traiterEvenements();
    EXPECT_FALSE(jeu.test->isVisible());
    EXPECT_TRUE(jeu.bataille->port_adverse->isEnabled());
    EXPECT_EQ(jeu.partie.mer_joueur, joueur);
    EXPECT_EQ(jeu.partie.mer_adverse, adverse);
    EXPECT_EQ(dernier(), OPENING);
}

TEST_F(EcranPort, ALaSourisChoisirVirerEtMouiller) {
    qsizetype m = marque();
    QTest::mouseClick(jeu.test->ImBtGalere2, Qt::LeftButton);
    ASSERT_EQ(depuis(m).size(), 1);
    EXPECT_TRUE(dernier().startsWith(QStringLiteral("La deuxième galère")));
    EXPECT_TRUE(dernier().endsWith(A_VOUS_LA_BARRE));
    EXPECT_EQ(jeu.test->ImBtGalere2->image(), QStringLiteral("GALERE_SEL"));

    // The ship follows the pointer, over the legend strip too, where it cannot anchor.
    survoler(0, 3);
    EXPECT_EQ(jeu.test->port().placement_tempo.colonne, 0);
    EXPECT_EQ(jeu.test->port().placement_tempo.ligne, 3);
    survoler(3, 4);
    EXPECT_EQ(jeu.test->port().placement_tempo.colonne, 3);
    EXPECT_EQ(jeu.test->port().placement_tempo.ligne, 4);
    m = marque();
    cliquer(Qt::RightButton, 3, 4);
    EXPECT_EQ(dernier(), VIREMENT);
    EXPECT_EQ(jeu.test->port().placement_tempo.bateau.nom, QStringLiteral("GALEREV"));
    // A left click names the cell on the press, then anchors on the release.
    m = marque();
    cliquer(Qt::LeftButton, 3, 4);
    EXPECT_EQ(depuis(m), (QStringList{QStringLiteral("C.4. ") + INDICE, ANCRE}));
    EXPECT_EQ(jeu.partie.plan_joueur(3, 4), QStringLiteral("GALEREV"));
    EXPECT_EQ(jeu.partie.plan_joueur(3, 6), QStringLiteral("GALERE"));
    EXPECT_EQ(classes(jeu.partie.plan_adverse), (QMap<QString, int>{{QStringLiteral("GALERE"), 1}}));
    EXPECT_FALSE(jeu.test->ImBtGalere2->isEnabled());

    // The empty berth and the board's buttons with no ship chosen do nothing.
    m = marque();
    QTest::mouseClick(jeu.test->ImBtGalere2, Qt::LeftButton);
    QTest::mouseRelease(plateau(), Qt::RightButton, {}, plateau()->centreCellule(5, 5));
    QTest::mouseRelease(plateau(), Qt::LeftButton, {}, plateau()->centreCellule(5, 5));
    EXPECT_EQ(depuis(m), QStringList{});

    // The other galley comes by the menu letter; anchored across the first one it is refused.
    ctrl(Qt::Key_G);
    EXPECT_TRUE(dernier().startsWith(QStringLiteral("La première galère")));
    survoler(2, 5);
    cliquer(Qt::LeftButton, 2, 5);
    EXPECT_EQ(dernier(), MOUILLAGE_IMPOSSIBLE);
    EXPECT_TRUE(jeu.test->port().navire_choisi);
    survoler(4, 5);
    cliquer(Qt::LeftButton, 4, 5);
    EXPECT_EQ(dernier(), ANCRE);
    EXPECT_EQ(classes(jeu.partie.plan_joueur), (QMap<QString, int>{{QStringLiteral("GALERE"), 2}}));
    EXPECT_EQ(classes(jeu.partie.plan_adverse), (QMap<QString, int>{{QStringLiteral("GALERE"), 2}}));

    // No galley left: the menu letter chooses nothing and says nothing.
    m = marque();
    ctrl(Qt::Key_G);
    EXPECT_EQ(depuis(m), QStringList{});
    EXPECT_FALSE(jeu.test->port().navire_choisi);
}

TEST_F(EcranPort, LaSourisSurLePlateauRelanceLeBavardage) {
    int remarques = 0;
    QObject::connect(jeu.bataille->echange().TimerPaix, &Timer::timeout, [&] { ++remarques; });
    const int intervalle = jeu.bataille->echange().TimerPaix->interval();
    jeu.bataille->echange().TimerPaix->setEnabled(true);
    jeu.temps.avancer(intervalle - 10);
    survoler(4, 4);
    jeu.temps.avancer(intervalle - 10);
    touche(Qt::Key_Down); // the pointer follows the selection
    jeu.temps.avancer(intervalle - 10);
    EXPECT_EQ(remarques, 0);
    jeu.temps.avancer(10);
    EXPECT_EQ(remarques, 1);
}

TEST_F(EcranPort, RetourAuPortMaisPasApresUnDialogue) {
    ctrl(Qt::Key_C);
    allerA(2, 2);
    ctrl(Qt::Key_M);
    ctrl(Qt::Key_B);
    allerA(5, 9);
    ctrl(Qt::Key_M);
    ASSERT_EQ(classes(jeu.partie.plan_joueur).size(), 2);
    const Grille joueur = jeu.partie.plan_joueur;
    const Grille adverse = jeu.partie.plan_adverse;

    // A dialog opened over the harbour and closed leaves the harbour as it was.
    const qsizetype m = marque();
    QDialog boite(jeu.test);
    boite.show();
    JeuDeTest::activer(&boite);
    boite.accept();
    JeuDeTest::activer(jeu.test);
    EXPECT_EQ(jeu.partie.plan_joueur, joueur);
    EXPECT_EQ(jeu.partie.plan_adverse, adverse);
    EXPECT_FALSE(jeu.test->ImBtChaloupe1->isEnabled());
    EXPECT_EQ(depuis(m), QStringList{});

    // "Retour au port" brings every ship back and empties both plans.
    plateau()->setFocus();
    ctrl(Qt::Key_P);
    EXPECT_EQ(dernier(), BIENVENUE);
    EXPECT_TRUE(jeu.partie.plan_joueur.vide());
    EXPECT_TRUE(jeu.partie.plan_adverse.vide());
    for (int i = 0; i < NB_POSTES; ++i) {
        const ImagePoste* poste = jeu.test->poste(static_cast<Poste>(i));
        EXPECT_TRUE(poste->isEnabled()) << i;
        EXPECT_FALSE(poste->image().endsWith(QStringLiteral("_FLOU"))) << i;
        EXPECT_FALSE(poste->image().endsWith(QStringLiteral("_SEL"))) << i;
    }
    EXPECT_EQ(plateau()->col(), 6);
    EXPECT_EQ(plateau()->row(), 6);
}

TEST_F(EcranPort, ToutAnchorerALaMainPuisEngager) {
    // Each ship by its menu letter, steered by the arrows, in a column of its own.
    const std::vector<std::pair<Qt::Key, int>> flotte = {{Qt::Key_A, 1}, {Qt::Key_F, 2}, {Qt::Key_B, 3},
                                                         {Qt::Key_B, 4}, {Qt::Key_G, 5}, {Qt::Key_G, 6},
                                                         {Qt::Key_C, 7}, {Qt::Key_C, 8}, {Qt::Key_C, 9}};
    for (const auto& [lettre, colonne] : flotte) {
        ctrl(lettre);
        allerA(colonne, 2);
        ctrl(Qt::Key_O);
        ctrl(Qt::Key_M);
    }
    EXPECT_EQ(dernier(), TOUS_ANCRES);
    EXPECT_EQ(classes(jeu.partie.plan_joueur), FLOTTE);
    EXPECT_EQ(classes(jeu.partie.plan_adverse), FLOTTE);
    for (int c = 1; c <= 9; ++c)
        EXPECT_TRUE(jeu.partie.plan_joueur(c, 2).endsWith(QLatin1Char('V'))) << c;
    // With nothing left in harbour and nothing chosen, a cell is named alone.
    allerA(12, 12);
    EXPECT_EQ(dernier(), QStringLiteral("L.12. "));
    ctrl(Qt::Key_E);
    JeuDeTest::traiterEvenements();
    EXPECT_FALSE(jeu.test->isVisible());
    EXPECT_EQ(dernier(), OPENING);

    // "Placer les navires" from the battle opens a full harbour again.
    jeu.bataille->PlacerClick();
    JeuDeTest::traiterEvenements();
    EXPECT_TRUE(jeu.test->isVisible());
    EXPECT_EQ(dernier(), BIENVENUE);
    EXPECT_TRUE(jeu.partie.plan_joueur.vide());
    EXPECT_TRUE(jeu.partie.plan_adverse.vide());
    EXPECT_TRUE(jeu.test->ImBtnavireamiral->isEnabled());
    EXPECT_EQ(jeu.test->port().restantAuPort(), 9);
}

TEST_F(EcranPort, LesNaviresSontDessinesALeurPlace) {
    // The screen as the player sees it: each berth's ship lies on its berth, each ship on its cells.
    QWidget* scene = jeu.test->centralWidget();
    const QColor mer(0, 128, 255);
    auto pixel = [&](QWidget* piece, QPoint ici) {
        return scene->grab().toImage().pixelColor(piece->mapTo(scene, ici));
    };
    for (int i = 0; i < NB_POSTES; ++i) {
        ImagePoste* poste = jeu.test->poste(static_cast<Poste>(i));
        EXPECT_NE(pixel(poste, poste->rect().center()), mer) << i;
    }
    const QPoint e5 = plateau()->centreCellule(5, 5);
    const QColor avant = pixel(plateau(), e5);
    EXPECT_EQ(avant, mer);
    ctrl(Qt::Key_B);
    allerA(5, 5);
    EXPECT_NE(pixel(plateau(), e5), mer); // the chosen brig under the keyboard's cell
    ctrl(Qt::Key_M);
    EXPECT_NE(pixel(plateau(), e5), mer);
    EXPECT_NE(pixel(plateau(), plateau()->centreCellule(7, 5)), mer);
    EXPECT_EQ(pixel(plateau(), plateau()->centreCellule(8, 5)), mer);
    EXPECT_EQ(pixel(jeu.test->ImBtbrick1, jeu.test->ImBtbrick1->rect().center()), mer); // its berth is empty
}
