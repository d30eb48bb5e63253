// The catalogue of the game's pictures: vector sources in the resources, rendered and cached on demand.
#include "base/bitmaps.h"

#include "model/dessin.h"

#include <QCache>
#include <QColor>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTransform>

#include <cmath>

namespace {

struct Entree {
    const char* nom;
    int largeur;
    int hauteur;
};

// The sea behind every picture: drawn opaque, a picture looks cut out over the boards.
const QColor couleurMer(0, 128, 255);

constexpr Entree entrees[] = {
    {"EAU", 416, 416},
    {"CURSEUR_TIRE", 32, 32},
    {"START", 96, 32},
    {"START_CLICK", 96, 32},
    {"INITIALISER", 96, 32},
    {"INITIALISER_CLICK", 96, 32},
    {"FOND_BATAILLE", 1024, 800},
    {"FOND_PLACEMENT", 1024, 800},
    {"ICONE", 32, 32},
    {"LOGO", 134, 72},
};

const QHash<QString, QSize>& tailles() {
    static const QHash<QString, QSize> table = [] {
        QHash<QString, QSize> t;
        for (const Entree& e : entrees)
            t.insert(QLatin1String(e.nom), QSize(e.largeur, e.hauteur));
        // Each mark of a shot, and the aiming cursor over a sector so marked.
        for (const Marque m : {Marque::Touche, Marque::Manque}) {
            t.insert(nomMarque(m), QSize(CELLULE, CELLULE));
            t.insert(QStringLiteral("CURSEUR_TIRE_") + nomMarque(m), QSize(CELLULE, CELLULE));
        }
        // Each class of ship lying horizontally or vertically, and its berth in the harbour, chosen or empty.
        for (int i = 0; i < int(CLASSES_NAVIRES.size()); ++i) {
            const QSize couche(CLASSES_NAVIRES[i].longueur * CELLULE, CELLULE);
            t.insert(nomNavire(i), couche);
            t.insert(QLatin1String(CLASSES_NAVIRES[i].image) + QLatin1Char('V'), couche.transposed());
            t.insert(imagePoste(i, "_SEL"), couche);
            t.insert(imagePoste(i, "_FLOU"), couche);
        }
        return t;
    }();
    return table;
}

// Rendered pictures, keyed by name and pixel size; the cost is counted in kilobytes.
QCache<QString, QImage>& cache() {
    static QCache<QString, QImage> c(192 * 1024);
    return c;
}

QImage rendre(const QString& majuscule, QSize taille) {
    const QString cle = majuscule + QLatin1Char('@') + QString::number(taille.width()) + QLatin1Char('x') +
                        QString::number(taille.height());
    if (const QImage* deja = cache().object(cle))
        return *deja;

    QImage image(taille, QImage::Format_RGB32);
    image.fill(couleurMer);
    QSvgRenderer svg(QStringLiteral(":/art/") + majuscule.toLower() + QStringLiteral(".svg"));
    if (svg.isValid()) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(taille)));
    }
    const int cout = std::max<qsizetype>(1, image.sizeInBytes() / 1024);
    cache().insert(cle, new QImage(image), static_cast<int>(cout));
    return image;
}

} // namespace

bool bitmapExiste(const QString& nom) {
    return tailles().contains(nom.toUpper());
}

QSize tailleBitmap(const QString& nom) {
    return tailles().value(nom.toUpper());
}

QImage bitmap(const QString& nom, qreal echelle) {
    const QString majuscule = nom.toUpper();
    const QSize naturelle = tailles().value(majuscule);
    if (!naturelle.isValid() || !(echelle > 0))
        return {};
    const QSize taille(std::max(1, qRound(naturelle.width() * echelle)),
                       std::max(1, qRound(naturelle.height() * echelle)));
    return rendre(majuscule, taille);
}

void dessinerBitmap(QPainter& p, const QString& nom, QPoint pos) {
    const QString majuscule = nom.toUpper();
    const QSize naturelle = tailles().value(majuscule);
    if (!naturelle.isValid())
        return;
    const QRectF cible(pos, naturelle);
    // The world transform and the pixel ratio only: a widget's painter also carries the widget's offset in
    // its window, which drawing after resetTransform() below would add a second time.
    const qreal dpr = p.device() ? p.device()->devicePixelRatio() : 1.0;
    const QTransform t = p.transform() * QTransform::fromScale(dpr, dpr);
    if (t.isRotating()) {
        // Never done by the game; drawn correctly, if not pixel-sharp.
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const qreal echelle = std::sqrt(std::abs(t.determinant()));
        p.drawImage(cible, bitmap(majuscule, echelle));
        p.restore();
        return;
    }
    // Rounding each edge on the device, rather than the size, lets neighbouring pictures meet exactly.
    const QRectF surDevice = t.mapRect(cible);
    const int gauche = qRound(surDevice.left());
    const int haut = qRound(surDevice.top());
    const QSize pixels(std::max(1, qRound(surDevice.right()) - gauche),
                       std::max(1, qRound(surDevice.bottom()) - haut));
    QImage image = rendre(majuscule, pixels);
    p.save();
    p.resetTransform();
    // After the reset the painter still scales by the pixel ratio: the image carries the same ratio so that
    // each of its pixels lands on one device pixel.
    image.setDevicePixelRatio(dpr);
    p.drawImage(QPointF(gauche / dpr, haut / dpr), image);
    p.restore();
}

void viderCacheBitmaps() {
    cache().clear();
}

QStringList catalogue() {
    return tailles().keys();
}

QIcon iconeJeu() {
    QIcon icone;
    for (int cote : {16, 24, 32, 48, 64, 128, 256})
        icone.addPixmap(QPixmap::fromImage(bitmap(QStringLiteral("ICONE"), cote / 32.0)));
    return icone;
}
