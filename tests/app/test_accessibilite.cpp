// What screen readers get of the game: named boards and berths with their roles, the selected sector and
// what it holds after each move, the enemy's ships kept hidden. The balloon, and the events that tell a
// screen reader of each change, are checked over AT-SPI on the running game (tools/lecteur_ecran.sh).
#include "app/board.h"
#include "placement/image_poste.h"
#include "support/jeu.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QAccessibleInterface* interface(QObject* objet) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(objet);
    EXPECT_NE(i, nullptr);
    return i;
}

QString description(QObject* objet) {
    return interface(objet)->text(QAccessible::Description);
}

} // namespace

TEST(Accessibilite, PlateauxEtPostesOntNomRoleEtEtat) {
    JeuDeTest jeu;
    ASSERT_TRUE(jeu.creer());
    jeu.demarrer();
    for (Board* b : {jeu.bataille->port_joueur, jeu.bataille->port_adverse, jeu.test->Grille_de_placement}) {
        EXPECT_EQ(interface(b)->role(), QAccessible::Canvas);
        EXPECT_FALSE(interface(b)->text(QAccessible::Name).isEmpty()) << qPrintable(b->objectName());
    }

    QStringList noms;
    for (int i = 0; i < NB_POSTES; ++i) {
        QAccessibleInterface* poste = interface(jeu.test->poste(static_cast<Poste>(i)));
        EXPECT_EQ(poste->role(), QAccessible::Button);
        EXPECT_EQ(poste->text(QAccessible::Description), QStringLiteral("au port"));
        noms << poste->text(QAccessible::Name);
    }
    EXPECT_EQ(noms.first(), QStringLiteral("Vaisseau amiral"));
    noms.removeDuplicates();
    EXPECT_EQ(noms.size(), NB_POSTES);

    // Taking the frigate out: its berth says it was chosen.
    jeu.test->ImBtfregateClick();
    EXPECT_EQ(description(jeu.test->ImBtfregate), QStringLiteral("choisi"));
}

TEST(Accessibilite, LeSecteurEtSonContenuSuiventChaqueDeplacement) {
    JeuDeTest jeu;
    ASSERT_TRUE(jeu.creer());
    jeu.demarrer();
    Board* plan = jeu.test->Grille_de_placement;
    jeu.partie.plan_joueur(3, 1) = QStringLiteral("FREGATEV");
    jeu.partie.plan_joueur(3, 2) = QStringLiteral("FREGATE");
    plan->setCol(2);
    plan->setRow(2);
    QTest::keyClick(plan, Qt::Key_Right);
    EXPECT_EQ(description(plan), QStringLiteral("C2 : frégate"));
    QTest::keyClick(plan, Qt::Key_Down);
    EXPECT_EQ(description(plan), QStringLiteral("C3 : eau"));

    // In battle: our sea tells our ships and the enemy's shots; the enemy's sea only our own shots.
    Board* adverse = jeu.bataille->port_adverse;
    Board* joueur = jeu.bataille->port_joueur;
    adverse->setEnabled(true); // the player's turn
    jeu.partie.plan_adverse(5, 5) = QStringLiteral("CHALOUPEH");
    jeu.partie.plan_adverse(6, 5) = QStringLiteral("CHALOUPE");
    jeu.partie.tirs_joueur(6, 5) = QStringLiteral("TOUCHE");
    adverse->setCol(5);
    adverse->setRow(5);
    EXPECT_EQ(description(adverse), QStringLiteral("E5 : pas encore visé"));
    QTest::keyClick(adverse, Qt::Key_Right);
    EXPECT_EQ(description(adverse), QStringLiteral("F5 : touché"));
    jeu.partie.tirs_adverse(3, 2) = QStringLiteral("TOUCHE");
    joueur->setCol(3);
    joueur->setRow(2);
    EXPECT_EQ(description(joueur), QStringLiteral("C2 : frégate, touché"));
    // A shot landing where the cursor already is: known after the repaint that shows it.
    jeu.partie.tirs_joueur(6, 5) = QStringLiteral("MANQUE");
    adverse->repeindre();
    EXPECT_EQ(description(adverse), QStringLiteral("F5 : manqué"));
}
