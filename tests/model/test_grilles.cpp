// The grids, the sector names, the reset of the battle and the sinking check.
#include "model/grilles.h"
#include "support/flotte.h"

#include <gtest/gtest.h>

namespace {

// Fires at a cell of a sea: a hit where a ship lies, a miss elsewhere.
void tirer(Grille& tirs, const Grille& mer, int c, int r) {
    tirs(c, r) = mer(c, r).isEmpty() ? QStringLiteral("MANQUE") : QStringLiteral("TOUCHE");
}

} // namespace

TEST(Secteur, LettreNumeroEtPoints) {
    EXPECT_EQ(nomSecteur(3, 7), QStringLiteral("C.7. "));
    EXPECT_EQ(nomSecteur(1, 1), QStringLiteral("A.1. "));
    EXPECT_EQ(nomSecteur(12, 12), QStringLiteral("L.12. "));
}

TEST(Flotte, TablesDeBase) {
    ASSERT_EQ(noms_navires.size(), 10u);
    EXPECT_EQ(noms_navires[0], QStringLiteral("NAVIRE-AMIRALH"));
    EXPECT_EQ(noms_navires[9], QStringLiteral("CHALOUPEV"));
    const ClassesNavires classes = classesDeBase();
    int navires = 0, cellules = 0;
    for (const auto& c : classes) {
        navires += c.nombre;
        cellules += c.nombre * c.longueur;
    }
    EXPECT_EQ(navires, 9);
    EXPECT_EQ(cellules, 27);
    EXPECT_TRUE(estNomNavire(QStringLiteral("BRICKV")));
    EXPECT_FALSE(estNomNavire(QStringLiteral("BRICK")));
    EXPECT_FALSE(estNomNavire(QStringLiteral("brickv")));
    Partie p;
    EXPECT_EQ(p.longueurDe(QStringLiteral("NAVIRE-AMIRALV")), 5);
    EXPECT_EQ(p.longueurDe(QStringLiteral("CHALOUPEH")), 2);
}

TEST(Initialise, RemetLaBatailleAuDepart) {
    Partie p;
    p.nb_tirs_joueur = 4;
    p.nb_tirs_adverse = 3;
    p.victoire_joueur = p.victoire_adverse = p.flotte_detruite = true;
    p.viseur = {4, 5};
    p.tirs_joueur(2, 2) = QStringLiteral("TOUCHE");
    p.tirs_adverse(12, 12) = QStringLiteral("MANQUE");
    p.MemoInfo << QStringLiteral("Tir numéro 3: BRICK  hors de combat. ");
    p.coup_ia.colonne_origine = 7;
    p.coup_ia.poursuite = true;
    p.coup_ia.sens = QStringLiteral("H");
    p.coup_ia.ecart = 3;
    p.coup_ia.essai_bas = true;
    p.plan_joueur(1, 1) = QStringLiteral("CHALOUPEH");
    p.mer_adverse(5, 5) = QStringLiteral("FREGATE");
    p.message_courant = QStringLiteral("garde");
    p.infopartie = QStringLiteral("Fin de la partie");

    p.Initialise();

    EXPECT_EQ(p.nb_tirs_joueur, 0);
    EXPECT_EQ(p.nb_tirs_adverse, 0);
    EXPECT_FALSE(p.victoire_joueur || p.victoire_adverse || p.flotte_detruite);
    EXPECT_EQ(p.viseur.colonne, 13);
    EXPECT_EQ(p.viseur.ligne, 13);
    EXPECT_TRUE(p.tirs_joueur.vide());
    EXPECT_TRUE(p.tirs_adverse.vide());
    EXPECT_EQ(p.MemoInfo, QStringList{QStringLiteral("Voici le rapport de nos pertes, amiral:")});
    EXPECT_EQ(p.MemoEinfo, QStringList{QStringLiteral("Voici le rapport des pertes ennemies, amiral:")});
    EXPECT_FALSE(p.coup_ia.poursuite);
    EXPECT_TRUE(p.coup_ia.sens.isEmpty());
    EXPECT_EQ(p.coup_ia.ecart, 1);
    EXPECT_FALSE(p.coup_ia.essai_bas);
    EXPECT_EQ(p.coup_ia.colonne_origine, 7); // the coordinates are kept
    // What belongs to the harbour and the narrator is left alone.
    EXPECT_EQ(p.plan_joueur(1, 1), QStringLiteral("CHALOUPEH"));
    EXPECT_EQ(p.mer_adverse(5, 5), QStringLiteral("FREGATE"));
    EXPECT_EQ(p.message_courant, QStringLiteral("garde"));
    EXPECT_EQ(p.infopartie, QStringLiteral("Fin de la partie"));
}

TEST(VerifieCoule, UnNavireCouleQuandToutesSesCasesSontTouchees) {
    Partie p;
    poserNavire(p.mer_adverse, QStringLiteral("FREGATEV"), 4, 5, 3);
    poserNavire(p.mer_adverse, QStringLiteral("CHALOUPEH"), 2, 1, 1);
    // The bow is hit first, then the rest in any order: it sinks only with the last cell.
    for (int r : {3, 6, 5}) {
        tirer(p.tirs_joueur, p.mer_adverse, 5, r);
        EXPECT_FALSE(p.VerifieCoule(p.mer_adverse, p.tirs_joueur, QStringLiteral("adverse")));
        EXPECT_EQ(p.mer_adverse(5, 3), QStringLiteral("FREGATEV"));
    }
    tirer(p.tirs_joueur, p.mer_adverse, 5, 4);
    EXPECT_TRUE(p.VerifieCoule(p.mer_adverse, p.tirs_joueur, QStringLiteral("adverse")));
    EXPECT_EQ(p.infopartie, QStringLiteral("FREGATE adverse hors de combat. "));
    EXPECT_TRUE(p.mer_adverse(5, 3).isEmpty());                // the bow no longer counts
    EXPECT_EQ(p.mer_adverse(5, 4), QStringLiteral("FREGATE")); // the rest keeps the stem
    EXPECT_FALSE(p.flotte_detruite);
    // A second check finds it sunk no more.
    p.infopartie.clear();
    EXPECT_FALSE(p.VerifieCoule(p.mer_adverse, p.tirs_joueur, QStringLiteral("adverse")));
    EXPECT_TRUE(p.infopartie.isEmpty());
}

TEST(VerifieCoule, CoteEnnemiDeuxBlancs) {
    Partie p;
    poserNavire(p.mer_joueur, QStringLiteral("NAVIRE-AMIRALH"), 5, 8, 12);
    for (int c = 8; c <= 12; ++c)
        tirer(p.tirs_adverse, p.mer_joueur, c, 12);
    EXPECT_TRUE(p.VerifieCoule(p.mer_joueur, p.tirs_adverse, QString()));
    EXPECT_EQ(p.infopartie, QStringLiteral("NAVIRE-AMIRAL  hors de combat. "));
    EXPECT_TRUE(p.flotte_detruite);
}

TEST(VerifieCoule, PlusieursDansUnControleGardeLeDernierEtLaFlotte) {
    Partie p;
    // Side by side with no gap: still two ships.
    poserNavire(p.mer_joueur, QStringLiteral("BRICKH"), 3, 2, 2);
    poserNavire(p.mer_joueur, QStringLiteral("GALEREH"), 3, 2, 3);
    poserNavire(p.mer_joueur, QStringLiteral("CHALOUPEV"), 2, 10, 10);
    for (int c = 2; c <= 4; ++c) {
        tirer(p.tirs_adverse, p.mer_joueur, c, 2);
        tirer(p.tirs_adverse, p.mer_joueur, c, 3);
    }
    EXPECT_TRUE(p.VerifieCoule(p.mer_joueur, p.tirs_adverse, QString()));
    EXPECT_EQ(p.infopartie, QStringLiteral("GALERE  hors de combat. ")); // last in column order
    EXPECT_TRUE(p.mer_joueur(2, 2).isEmpty());
    EXPECT_TRUE(p.mer_joueur(2, 3).isEmpty());
    EXPECT_FALSE(p.flotte_detruite);
    tirer(p.tirs_adverse, p.mer_joueur, 10, 11);
    tirer(p.tirs_adverse, p.mer_joueur, 10, 10);
    EXPECT_TRUE(p.VerifieCoule(p.mer_joueur, p.tirs_adverse, QString()));
    EXPECT_TRUE(p.flotte_detruite);
}

TEST(VerifieCoule, CopieDesPlansRendLesProues) {
    Partie p;
    poserNavire(p.plan_adverse, QStringLiteral("CHALOUPEH"), 2, 11, 1);
    p.copierPlans();
    tirer(p.tirs_joueur, p.mer_adverse, 11, 1);
    tirer(p.tirs_joueur, p.mer_adverse, 12, 1);
    EXPECT_TRUE(p.VerifieCoule(p.mer_adverse, p.tirs_joueur, QStringLiteral("adverse")));
    EXPECT_TRUE(p.flotte_detruite);
    EXPECT_EQ(p.plan_adverse(11, 1), QStringLiteral("CHALOUPEH")); // the plan keeps drawing it
}
