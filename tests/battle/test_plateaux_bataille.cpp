// The battle boards rendered: each picture lands on the pixels of its cell.
#include "base/bitmaps.h"
#include "base/board.h"
#include "battle/dessin_bataille.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {
// The part of the board's picture under a rectangle of cells, against the named picture itself.
bool montre(const QImage& plateau, const QString& nom, int c, int r) {
    const QImage attendue = bitmap(nom).convertToFormat(QImage::Format_RGB32);
    const QImage zone = plateau.copy(c * 32, r * 32, attendue.width(), attendue.height());
    return !attendue.isNull() && zone == attendue;
}
} // namespace

TEST(PlateauxBataille, ChaqueImageSurSesCases) {
    Partie p;
    p.Initialise();
    p.plan_joueur(3, 4) = QStringLiteral("BRICKV");
    p.plan_joueur(3, 5) = QStringLiteral("BRICK");
    p.plan_joueur(3, 6) = QStringLiteral("BRICK");
    p.plan_joueur(8, 12) = QStringLiteral("FREGATEH");
    for (int c = 9; c <= 11; ++c)
        p.plan_joueur(c, 12) = QStringLiteral("FREGATE");
    p.tirs_adverse(3, 6) = QStringLiteral("TOUCHE");
    p.tirs_adverse(11, 2) = QStringLiteral("MANQUE");

    Board port_joueur(false);
    port_joueur.setDessin([&p](QPainter& peintre) { Board::peindre(peintre, dessinPortJoueur(p)); });
    const QImage image = port_joueur.image();
    ASSERT_EQ(image.size(), QSize(416, 416));

    // The legend strip and a cell of open sea are those of the sea picture.
    const QImage eau = bitmap(QStringLiteral("EAU")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.copy(0, 0, 416, 32), eau.copy(0, 0, 416, 32));
    EXPECT_EQ(image.copy(0, 0, 32, 416), eau.copy(0, 0, 32, 416));
    EXPECT_EQ(image.copy(6 * 32, 9 * 32, 32, 32), eau.copy(6 * 32, 9 * 32, 32, 32));

    // The vertical brig from its first cell down, its last cell under the explosion.
    const QImage brick = bitmap(QStringLiteral("BRICKV")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(brick.size(), QSize(32, 96));
    EXPECT_EQ(image.copy(3 * 32, 4 * 32, 32, 64), brick.copy(0, 0, 32, 64));
    EXPECT_TRUE(montre(image, QStringLiteral("TOUCHE"), 3, 6));
    // The horizontal frigate to the right of its first cell, to the board's last column.
    EXPECT_TRUE(montre(image, QStringLiteral("FREGATEH"), 8, 12));
    EXPECT_TRUE(montre(image, QStringLiteral("MANQUE"), 11, 2));

    // The enemy sea: the cannon over a hit shows the hit under it; the enemy ship stays hidden.
    p.plan_adverse(5, 5) = QStringLiteral("CHALOUPEH");
    p.plan_adverse(6, 5) = QStringLiteral("CHALOUPE");
    p.tirs_joueur(6, 5) = QStringLiteral("TOUCHE");
    p.viseur = {6, 5};
    Board port_adverse(true);
    port_adverse.setDessin([&p](QPainter& peintre) { Board::peindre(peintre, dessinPortAdverse(p)); });
    const QImage ennemie = port_adverse.image();
    EXPECT_TRUE(montre(ennemie, QStringLiteral("CURSEUR_TIRE_TOUCHE"), 6, 5));
    EXPECT_EQ(ennemie.copy(5 * 32, 5 * 32, 32, 32), eau.copy(5 * 32, 5 * 32, 32, 32));
    p.flotte_detruite = true;
    // Once a fleet is gone the enemy's ships show, under the marks.
    const QImage finale = port_adverse.image();
    const QImage chaloupe = bitmap(QStringLiteral("CHALOUPEH")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(finale.copy(5 * 32, 5 * 32, 32, 32), chaloupe.copy(0, 0, 32, 32));
    EXPECT_TRUE(montre(finale, QStringLiteral("CURSEUR_TIRE_TOUCHE"), 6, 5));
}
