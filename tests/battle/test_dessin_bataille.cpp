// What the battle boards show: the fleets from the plans, the marks over them, the enemy hidden, the cannon.
#include "battle/dessin_bataille.h"

#include <gtest/gtest.h>

namespace {
Partie partieEnCours() {
    Partie p;
    p.Initialise();
    p.plan_joueur(3, 4) = QStringLiteral("BRICKV");
    p.plan_joueur(3, 5) = QStringLiteral("BRICK");
    p.plan_joueur(3, 6) = QStringLiteral("BRICK");
    p.plan_adverse(8, 2) = QStringLiteral("CHALOUPEH");
    p.plan_adverse(9, 2) = QStringLiteral("CHALOUPE");
    p.tirs_adverse(3, 5) = QStringLiteral("TOUCHE");
    p.tirs_adverse(11, 11) = QStringLiteral("MANQUE");
    p.tirs_joueur(8, 2) = QStringLiteral("TOUCHE");
    p.tirs_joueur(1, 12) = QStringLiteral("MANQUE");
    return p;
}
} // namespace

TEST(DessinBataille, NotreMerFlotteSousLesMarques) {
    const Partie p = partieEnCours();
    EXPECT_EQ(dessinPortJoueur(p), (QList<Dessin>{{QStringLiteral("EAU"), 0, 0},
                                                  {QStringLiteral("BRICKV"), 3, 4},
                                                  {QStringLiteral("TOUCHE"), 3, 5},
                                                  {QStringLiteral("MANQUE"), 11, 11}}));
}

TEST(DessinBataille, LaMerEnnemieCacheSaFlotteJusquALaFin) {
    Partie p = partieEnCours();
    // No aim yet: no cannon; the enemy ship under our hit stays hidden.
    EXPECT_EQ(dessinPortAdverse(p), (QList<Dessin>{{QStringLiteral("EAU"), 0, 0},
                                                   {QStringLiteral("MANQUE"), 1, 12},
                                                   {QStringLiteral("TOUCHE"), 8, 2}}));
    p.flotte_detruite = true;
    EXPECT_EQ(dessinPortAdverse(p), (QList<Dessin>{{QStringLiteral("EAU"), 0, 0},
                                                   {QStringLiteral("CHALOUPEH"), 8, 2},
                                                   {QStringLiteral("MANQUE"), 1, 12},
                                                   {QStringLiteral("TOUCHE"), 8, 2}}));
}

TEST(DessinBataille, LeCanonMontreLaMarqueDeSaCase) {
    Partie p = partieEnCours();
    const auto curseur = [&p](int c, int r) {
        p.viseur = {c, r};
        return dessinPortAdverse(p).last();
    };
    EXPECT_EQ(curseur(5, 5), (Dessin{QStringLiteral("CURSEUR_TIRE"), 5, 5}));
    EXPECT_EQ(curseur(8, 2), (Dessin{QStringLiteral("CURSEUR_TIRE_TOUCHE"), 8, 2}));
    EXPECT_EQ(curseur(1, 12), (Dessin{QStringLiteral("CURSEUR_TIRE_MANQUE"), 1, 12}));
    p.viseur = {13, 13};
    EXPECT_EQ(dessinPortAdverse(p).last(), (Dessin{QStringLiteral("TOUCHE"), 8, 2}));
}
