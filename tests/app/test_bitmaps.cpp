// The picture catalogue: every name and size, lookup whatever the case, the cut-out look and sharp drawing.
#include "base/bitmaps.h"

#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {

const QRgb mer = qRgb(0, 128, 255);

struct Attendu {
    const char* nom;
    int largeur;
    int hauteur;
};

// The pictures the boards, berths and screens draw, with their sizes in design pixels.
const Attendu attendus[] = {
    {"EAU", 416, 416},
    {"NAVIRE-AMIRALH", 160, 32},
    {"NAVIRE-AMIRALV", 32, 160},
    {"NAVIRE_AMIRAL_SEL", 160, 32},
    {"NAVIRE_AMIRAL_FLOU", 160, 32},
    {"FREGATEH", 128, 32},
    {"FREGATEV", 32, 128},
    {"FREGATE_SEL", 128, 32},
    {"FREGATE_FLOU", 128, 32},
    {"BRICKH", 96, 32},
    {"BRICKV", 32, 96},
    {"BRICK_SEL", 96, 32},
    {"BRICK_FLOU", 96, 32},
    {"GALEREH", 96, 32},
    {"GALEREV", 32, 96},
    {"GALERE_SEL", 96, 32},
    {"GALERE_FLOU", 96, 32},
    {"CHALOUPEH", 64, 32},
    {"CHALOUPEV", 32, 64},
    {"CHALOUPE_SEL", 64, 32},
    {"CHALOUPE_FLOU", 64, 32},
    {"TOUCHE", 32, 32},
    {"MANQUE", 32, 32},
    {"CURSEUR_TIRE", 32, 32},
    {"CURSEUR_TIRE_TOUCHE", 32, 32},
    {"CURSEUR_TIRE_MANQUE", 32, 32},
    {"START", 96, 32},
    {"START_CLICK", 96, 32},
    {"INITIALISER", 96, 32},
    {"INITIALISER_CLICK", 96, 32},
    {"FOND_BATAILLE", 1024, 800},
    {"FOND_PLACEMENT", 1024, 800},
    {"ICONE", 32, 32},
    {"LOGO", 134, 72},
};

bool toutMer(const QImage& image, const QRect& zone) {
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (image.pixel(x, y) != mer)
                return false;
    return true;
}

} // namespace

TEST(Bitmaps, LeCatalogueEstCompletAvecSesTailles) {
    const QStringList noms = catalogue();
    EXPECT_EQ(noms.size(), static_cast<qsizetype>(std::size(attendus)));
    for (const Attendu& a : attendus) {
        const QString nom = QLatin1String(a.nom);
        SCOPED_TRACE(a.nom);
        EXPECT_TRUE(noms.contains(nom));
        EXPECT_TRUE(bitmapExiste(nom));
        EXPECT_EQ(tailleBitmap(nom), QSize(a.largeur, a.hauteur));
        // Each picture has its vector source in the resources, drawn on the same canvas size.
        QSvgRenderer source(QStringLiteral(":/art/") + nom.toLower() + QStringLiteral(".svg"));
        ASSERT_TRUE(source.isValid());
        EXPECT_EQ(source.defaultSize(), QSize(a.largeur, a.hauteur));
        const QImage image = bitmap(nom);
        EXPECT_EQ(image.size(), QSize(a.largeur, a.hauteur));
        EXPECT_FALSE(image.hasAlphaChannel());
    }
}

TEST(Bitmaps, LeNomSeCherceSansEgardALaCasse) {
    EXPECT_EQ(tailleBitmap(QStringLiteral("fregateH")), QSize(128, 32));
    EXPECT_EQ(tailleBitmap(QStringLiteral("brick_SEL")), QSize(96, 32));
    EXPECT_EQ(tailleBitmap(QStringLiteral("navire-amiralV")), QSize(32, 160));
    EXPECT_TRUE(bitmapExiste(QStringLiteral("Curseur_Tire_Touche")));
    EXPECT_EQ(bitmap(QStringLiteral("chaloupeH")), bitmap(QStringLiteral("CHALOUPEH")));
    EXPECT_NE(bitmap(QStringLiteral("CHALOUPEH")),
              bitmap(QStringLiteral("CHALOUPEV")).transformed(QTransform()));

    // The hyphen of the flagship's orientation names and the underscore of its harbour names are kept apart.
    EXPECT_FALSE(bitmapExiste(QStringLiteral("NAVIRE_AMIRALH")));
    EXPECT_FALSE(bitmapExiste(QStringLiteral("NAVIRE-AMIRAL_SEL")));
    EXPECT_FALSE(bitmapExiste(QStringLiteral("CHALOUPE")));
    EXPECT_FALSE(tailleBitmap(QStringLiteral("CHALOUPE")).isValid());
    EXPECT_TRUE(bitmap(QStringLiteral("CHALOUPE")).isNull());
    EXPECT_TRUE(bitmap(QString()).isNull());
}

TEST(Bitmaps, LesImagesSeDetachentSurLaMer) {
    // Ships, marks and cursors sit on the sea colour: drawn opaque on the board they look cut out.
    for (const Attendu& a : attendus) {
        const QString nom = QLatin1String(a.nom);
        if (nom.startsWith(QLatin1String("START")) || nom.startsWith(QLatin1String("INITIALISER")) ||
            nom.startsWith(QLatin1String("FOND")) || nom == QLatin1String("EAU") ||
            nom == QLatin1String("LOGO") || nom == QLatin1String("ICONE"))
            continue;
        SCOPED_TRACE(a.nom);
        const QImage image = bitmap(nom);
        const int d = image.width() - 1;
        const int b = image.height() - 1;
        EXPECT_EQ(image.pixel(0, 0), mer);
        EXPECT_EQ(image.pixel(d, 0), mer);
        EXPECT_EQ(image.pixel(0, b), mer);
        EXPECT_EQ(image.pixel(d, b), mer);
        // Something is drawn: the picture is not just sea, except the empty berths which must be.
        const bool vide = toutMer(image, image.rect());
        EXPECT_EQ(vide, nom.endsWith(QLatin1String("_FLOU")));
    }
    // The board's playing field is plain sea, its legend is not.
    const QImage eau = bitmap(QStringLiteral("EAU"));
    EXPECT_TRUE(toutMer(eau, QRect(32, 32, 384, 384)));
    EXPECT_FALSE(toutMer(eau, QRect(0, 0, 416, 32)));
    EXPECT_FALSE(toutMer(eau, QRect(0, 32, 32, 384)));
}

TEST(Bitmaps, LesFondsLaissentLaMerLibreSousLesPlateauxEtAuxPostes) {
    const QImage bataille = bitmap(QStringLiteral("FOND_BATAILLE"));
    EXPECT_TRUE(toutMer(bataille, QRect(16, 112, 416, 416)));
    EXPECT_TRUE(toutMer(bataille, QRect(592, 112, 416, 416)));
    EXPECT_FALSE(toutMer(bataille, QRect(0, 0, 1024, 112)));

    const QImage port = bitmap(QStringLiteral("FOND_PLACEMENT"));
    EXPECT_TRUE(toutMer(port, QRect(16, 110, 416, 416)));
    const QRect postes[] = {{664, 160, 160, 32}, {856, 336, 128, 32}, {800, 456, 96, 32},
                            {672, 232, 96, 32},  {888, 272, 96, 32},  {888, 408, 96, 32},
                            {920, 152, 64, 32},  {704, 456, 64, 32},  {912, 456, 64, 32}};
    for (const QRect& poste : postes) {
        SCOPED_TRACE(poste.x());
        EXPECT_TRUE(toutMer(port, poste));
        // The berth lies inside the walled harbour: stone or timber is met on the way out to the right.
        EXPECT_FALSE(
            toutMer(port, QRect(poste.right() + 1, poste.center().y(), 1024 - poste.right() - 1, 1)));
    }
}

TEST(Bitmaps, LEchelleDonneUneImageNetteALaBonneTaille) {
    EXPECT_EQ(bitmap(QStringLiteral("TOUCHE"), 2.0).size(), QSize(64, 64));
    EXPECT_EQ(bitmap(QStringLiteral("FREGATEV"), 1.5).size(), QSize(48, 192));
    EXPECT_TRUE(bitmap(QStringLiteral("TOUCHE"), 0.0).isNull());

    // Drawn under a doubled transform, the picture is the one rendered at twice the size, pixel for pixel.
    QImage ecran(200, 200, QImage::Format_RGB32);
    ecran.fill(Qt::black);
    {
        QPainter p(&ecran);
        p.scale(2, 2);
        dessinerBitmap(p, QStringLiteral("manque"), QPoint(10, 20));
    }
    EXPECT_EQ(ecran.copy(20, 40, 64, 64), bitmap(QStringLiteral("MANQUE"), 2.0));
    EXPECT_EQ(ecran.pixel(19, 39), qRgb(0, 0, 0));
    EXPECT_EQ(ecran.pixel(84, 104), qRgb(0, 0, 0));

    // On a screen of twice the pixel density, with no transform of its own, the same.
    QImage dense(200, 200, QImage::Format_RGB32);
    dense.setDevicePixelRatio(2.0);
    dense.fill(Qt::black);
    {
        QPainter p(&dense);
        dessinerBitmap(p, QStringLiteral("MANQUE"), QPoint(10, 20));
    }
    QImage zone = dense.copy(20, 40, 64, 64);
    zone.setDevicePixelRatio(1.0);
    EXPECT_EQ(zone, bitmap(QStringLiteral("MANQUE"), 2.0));
}

TEST(Bitmaps, DesImagesVoisinesSeJoignentSansJourAUneEchelleQuelconque) {
    // A ship beside a hit mark on a board scaled by an odd factor: no gap, no overlap out of the cells.
    QImage ecran(300, 100, QImage::Format_RGB32);
    ecran.fill(Qt::red);
    {
        QPainter p(&ecran);
        p.translate(3.3, 1.7);
        p.scale(1.37, 1.37);
        dessinerBitmap(p, QStringLiteral("CHALOUPEH"), QPoint(16, 16));
        dessinerBitmap(p, QStringLiteral("TOUCHE"), QPoint(80, 16));
        dessinerBitmap(p, QStringLiteral("MANQUE"), QPoint(112, 16));
    }
    const int y = qRound(1.7 + 1.37 * 32);
    const int debut = qRound(3.3 + 1.37 * 16);
    const int fin = qRound(3.3 + 1.37 * 144);
    for (int x = debut; x < fin; ++x)
        EXPECT_NE(ecran.pixel(x, y), qRgb(255, 0, 0)) << x;
    EXPECT_EQ(ecran.pixel(debut - 1, y), qRgb(255, 0, 0));
    EXPECT_EQ(ecran.pixel(fin, y), qRgb(255, 0, 0));
}

TEST(Bitmaps, LIconeDuJeu) {
    const QIcon icone = iconeJeu();
    ASSERT_FALSE(icone.isNull());
    EXPECT_EQ(icone.pixmap(32, 32).size(), QSize(32, 32));
    EXPECT_TRUE(icone.availableSizes().contains(QSize(32, 32)));
}
