// What screen readers get of the game: named boards and berths with their roles, the selected sector and
// what it holds after each move, the enemy's ships kept hidden. The balloon, and the events that tell a
// screen reader of each change, are checked over AT-SPI on the running game (tools/lecteur_ecran.sh).
#include "audio/lecteur_differe.h"
#include "base/accessible.h"
#include "base/board.h"
#include "placement/image_poste.h"
#include "support/jeu.h"

#include <QAccessible>
#include <QListWidget>
#include <QSignalSpy>
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
        EXPECT_TRUE(poste->text(QAccessible::Name).endsWith(QStringLiteral(", à quai")));
        noms << poste->text(QAccessible::Name);
    }
    EXPECT_EQ(noms.first(), QStringLiteral("Vaisseau amiral, à quai"));
    noms.removeDuplicates();
    EXPECT_EQ(noms.size(), NB_POSTES);

    // Tab reaches the berths from the harbour's sea, in the basin's order; Enter on one takes its ship out
    // as its Control key would, and the keys go back to the sea, which steers it.
    JeuDeTest::activer(jeu.test);
    jeu.test->Grille_de_placement->setFocus();
    jeu.touche(Qt::Key_Tab);
    jeu.touche(Qt::Key_Tab);
    ASSERT_TRUE(jeu.test->ImBtfregate->hasFocus());
    jeu.touche(Qt::Key_Return);
    EXPECT_TRUE(jeu.test->port().navire_choisi);
    EXPECT_EQ(interface(jeu.test->ImBtfregate)->text(QAccessible::Name), QStringLiteral("Frégate, choisi"));
    EXPECT_TRUE(jeu.test->Grille_de_placement->hasFocus());
    jeu.touche(Qt::Key_Down);
    jeu.ctrl(Qt::Key_M);
    EXPECT_EQ(interface(jeu.test->ImBtfregate)->text(QAccessible::Name), QStringLiteral("Frégate, parti"));
}

// Each sector of each board is a cell of a 12 by 12 grid with its columns' letters and rows' numbers,
// named with its sector and what the player may know of it; the cursor's cell has the focus with its
// board.
TEST(Accessibilite, LesCasesDisentLeurSecteurEtCeQuEllesContiennent) {
    JeuDeTest jeu;
    ASSERT_TRUE(jeu.creer());
    jeu.demarrer();
    Partie& p = jeu.partie;
    p.plan_joueur(3, 1) = QStringLiteral("FREGATEV");
    p.plan_joueur(3, 2) = QStringLiteral("FREGATE");
    p.tirs_adverse(3, 2) = QStringLiteral("TOUCHE");
    p.tirs_adverse(7, 7) = QStringLiteral("MANQUE");
    p.plan_adverse(5, 5) = QStringLiteral("CHALOUPEH");
    p.plan_adverse(6, 5) = QStringLiteral("CHALOUPE");
    p.tirs_joueur(6, 5) = QStringLiteral("TOUCHE");
    p.tirs_joueur(12, 12) = QStringLiteral("MANQUE");
    Board* port = jeu.test->Grille_de_placement;
    Board* joueur = jeu.bataille->port_joueur;
    Board* adverse = jeu.bataille->port_adverse;
    adverse->setEnabled(true); // the player's turn
    for (Board* b : {port, joueur, adverse})
        b->repeindre(); // as the game does when it marks its plans
    const struct {
        Board* plateau;
        int col, row;
        const char* texte;
    } cas[] = {
        {port, 3, 1, "C1 : frégate"},
        {port, 3, 3, "C3 : eau"},
        {joueur, 3, 2, "C2 : frégate, touché"},
        {joueur, 7, 7, "G7 : eau, manqué"},
        {adverse, 5, 5, "E5 : pas encore visé"}, // the enemy's ship stays hidden
        {adverse, 6, 5, "F5 : touché"},
        {adverse, 12, 12, "L12 : manqué"},
    };
    for (const auto& c : cas) {
        QAccessibleTableInterface* grille = interface(c.plateau)->tableInterface();
        ASSERT_NE(grille, nullptr);
        EXPECT_EQ(grille->rowCount() * grille->columnCount(), 144);
        QAccessibleInterface* cellule = grille->cellAt(c.row - 1, c.col - 1);
        ASSERT_NE(cellule, nullptr);
        EXPECT_EQ(cellule->role(), QAccessible::Cell);
        EXPECT_EQ(cellule->text(QAccessible::Name), QString::fromUtf8(c.texte)) << c.texte;
        EXPECT_EQ(cellule->parent(), interface(c.plateau));
        EXPECT_EQ(interface(c.plateau)->child(interface(c.plateau)->indexOfChild(cellule)), cellule);
        QAccessibleTableCellInterface* place = cellule->tableCellInterface();
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->columnIndex(), c.col - 1);
        EXPECT_EQ(place->rowIndex(), c.row - 1);
        EXPECT_EQ(grille->columnDescription(c.col - 1), QString(QLatin1Char(c.texte[0])));
        EXPECT_EQ(grille->rowDescription(c.row - 1), QString::number(c.row));
        // Focused only where the keys are: on the board that has them, at its cursor.
        c.plateau->setCellule(c.col, c.row);
        EXPECT_FALSE(cellule->state().focused) << c.texte;
        JeuDeTest::activer(c.plateau->window());
        c.plateau->setFocus();
        EXPECT_TRUE(cellule->state().focused) << c.texte;
        EXPECT_EQ(interface(c.plateau)->focusChild(), cellule) << c.texte;
        c.plateau->clearFocus();
    }
    // A shot's result reaches its cell when the mark shows, not before.
    p.tirs_joueur(5, 5) = QStringLiteral("TOUCHE");
    QAccessibleInterface* e5 = interface(adverse)->tableInterface()->cellAt(4, 4);
    EXPECT_EQ(e5->text(QAccessible::Name), QStringLiteral("E5 : pas encore visé"));
    adverse->repeindre();
    EXPECT_EQ(e5->text(QAccessible::Name), QStringLiteral("E5 : touché"));
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

TEST(Accessibilite, NotreFlotteSeLitDesLeDebutEtSeRejointParTab) {
    JeuDeTest jeu;
    ASSERT_TRUE(jeu.creer());
    jeu.demarrer();
    Board* joueur = jeu.bataille->port_joueur;
    EXPECT_EQ(description(joueur), QStringLiteral("A1 : eau"));
    jeu.test->AutoClick();
    jeu.test->EngagerClick();
    JeuDeTest::activer(jeu.bataille.get());
    ASSERT_TRUE(jeu.bataille->port_adverse->hasFocus());
    jeu.touche(Qt::Key_Tab);
    ASSERT_TRUE(joueur->hasFocus());
    EXPECT_TRUE(description(joueur).startsWith(QStringLiteral("A1 : "))) << qPrintable(description(joueur));
    EXPECT_TRUE(interface(joueur)->state().focused);
    // the arrows read our sea, sector by sector
    jeu.touche(Qt::Key_Down);
    const QString b2 = description(joueur);
    EXPECT_TRUE(b2.startsWith(QStringLiteral("A2 : "))) << qPrintable(b2);
    EXPECT_EQ(b2.mid(5), motsDeCase(jeu.partie.plan_joueur(1, 2)));
    // nothing fired: the enemy's sea and the battle are as they were
    EXPECT_EQ(jeu.partie.nb_tirs_joueur, 0);
    jeu.touche(Qt::Key_Tab);
    EXPECT_TRUE(jeu.bataille->port_adverse->hasFocus());
    // the mouse on our sea neither takes the keys from the enemy's nor moves the sector read
    QTest::mouseClick(joueur, Qt::LeftButton, {}, joueur->centreCellule(5, 5));
    EXPECT_TRUE(jeu.bataille->port_adverse->hasFocus());
    EXPECT_EQ(description(joueur), b2);
}

TEST(Accessibilite, LaListeDesVoixAnnonceSaPremiereVoixEtNeGardePasLeFocusFermee) {
    JeuDeTest jeu;
    FauxMoteurParole moteur(voixFrancaises({QStringLiteral("fr"), QStringLiteral("fr-be")}, {}));
    ASSERT_TRUE(jeu.creer());
    jeu.voice->setMoteur(&moteur, new SortieMuette);
    jeu.demarrer();
    QListWidget* liste = jeu.voice->ListTTS;
    jeu.dialogues.pendant = [&](QDialog* ecran) {
        ecran->show();
        JeuDeTest::activer(ecran);
        ASSERT_TRUE(liste->hasFocus());
        // Screen readers hear of the row that becomes the current one while the list has the focus
        // (Qt tells them then): the first arrow must make one, even where the list had put its cursor.
        QSignalSpy courante(liste->selectionModel(), &QItemSelectionModel::currentChanged);
        QTest::keyClick(liste, Qt::Key_Down);
        ASSERT_FALSE(courante.isEmpty());
        EXPECT_EQ(courante.last().first().toModelIndex().row(), 0);
        EXPECT_TRUE(interface(liste)->child(0)->state().focused);
        QTest::keyClick(liste, Qt::Key_Escape);
    };
    jeu.bataille->VoixClick();
    jeu.dialogues.pendant = nullptr;
    // closed: none of its voices still says it has the focus
    EXPECT_FALSE(jeu.voice->isVisible());
    for (int i = 0; i < interface(liste)->childCount(); ++i)
        EXPECT_FALSE(interface(liste)->child(i)->state().focused) << i;
}

// What the game hands a screen reader: never a text the same turn cut, never while a window that has just
// come in front is being read, and a cut one, still waiting, takes the stale ones before it along.
class LecteurNote : public LecteurDiffere {
public:
    LecteurNote()
        : LecteurDiffere(true, nullptr) {}
    bool disponible() const override { return true; }
    QStringList recus; // "texte" handed, "-id" cut once handed, "*" everything stale
    bool enLecture = false;

protected:
    bool envoyer(int, const QString& texte) override {
        enLecture = enLecture || CalmeLecteur::commun().reste() > 0;
        recus << texte;
        return true;
    }
    void couper(int id) override { recus << QStringLiteral("-%1").arg(id); }
    void couperTout() override { recus << QStringLiteral("*"); }
};

TEST(Accessibilite, LeLecteurRecoitSesTextesApresLeTourEtLaLectureDeLaFenetre) {
    LecteurNote lecteur;
    const auto attendre = [&](qsizetype n) {
        return QTest::qWaitFor([&] { return lecteur.recus.size() >= n; });
    };
    const auto recus = [&](qsizetype depuis) { return lecteur.recus.mid(depuis).join(u' ').toStdString(); };
    // a window comes in front: its reading goes first
    QWidget fenetre;
    fenetre.show();
    lecteur.dire(1, QStringLiteral("bienvenue"));
    lecteur.arreter(1);
    lecteur.dire(2, QStringLiteral("rapport"));
    EXPECT_EQ(recus(0), "*"); // nothing handed in this turn
    ASSERT_TRUE(attendre(2));
    EXPECT_EQ(recus(0), "* rapport");
    lecteur.arreter(2);
    // two texts waiting for a new window, the second cut: neither comes, the next one does
    fenetre.hide();
    lecteur.dire(3, QStringLiteral("vieux"));
    QCoreApplication::processEvents();
    lecteur.dire(4, QStringLiteral("coupé"));
    lecteur.arreter(4);
    lecteur.dire(5, QStringLiteral("neuf"));
    ASSERT_TRUE(attendre(5));
    EXPECT_EQ(recus(2), "-2 * neuf");
    EXPECT_FALSE(lecteur.enLecture);
    // no window coming: still nothing handed in the turn that cut it
    lecteur.dire(6, QStringLiteral("accueil"));
    lecteur.arreter(6);
    lecteur.dire(7, QStringLiteral("flotte"));
    ASSERT_TRUE(attendre(7));
    EXPECT_EQ(recus(5), "* flotte");
}
