// A screen's 1024 by 800 design, scaled uniformly to fit the window.
#include "base/scene.h"

#include "base/bitmaps.h"

#include <QPainter>
#include <QResizeEvent>

#include <cmath>

Scene::Scene(const QString& fond, QWidget* parent)
    : QWidget(parent)
    , fond_(fond) {
    setAutoFillBackground(false);
    setMinimumSize(320, 250);
}

void Scene::placer(QWidget* piece, const QRect& design) {
    pieces_.append({piece, design});
    piece->setGeometry(versEcran(design));
}

QRect Scene::versEcran(const QRect& design) const {
    const int x = origine_.x() + static_cast<int>(std::lround(design.x() * echelle_));
    const int y = origine_.y() + static_cast<int>(std::lround(design.y() * echelle_));
    const int x2 = origine_.x() + static_cast<int>(std::lround((design.x() + design.width()) * echelle_));
    const int y2 = origine_.y() + static_cast<int>(std::lround((design.y() + design.height()) * echelle_));
    return QRect(QPoint(x, y), QPoint(x2 - 1, y2 - 1));
}

QPoint Scene::versDesign(const QPoint& ecran) const {
    return QPoint(static_cast<int>(std::floor((ecran.x() - origine_.x()) / echelle_)),
                  static_cast<int>(std::floor((ecran.y() - origine_.y()) / echelle_)));
}

void Scene::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    disposer();
}

void Scene::disposer() {
    echelle_ = std::min(width() / qreal(LARGEUR), height() / qreal(HAUTEUR));
    if (echelle_ <= 0)
        echelle_ = 1.0;
    origine_ = QPoint(static_cast<int>((width() - LARGEUR * echelle_) / 2),
                      static_cast<int>((height() - HAUTEUR * echelle_) / 2));
    for (auto& [piece, design] : pieces_)
        if (piece)
            piece->setGeometry(versEcran(design));
    Q_EMIT echelleChangee(echelle_, origine_);
    update();
}

void Scene::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Beyond the design, on a screen of other proportions, the scene sits in a frame of deep water,
    // like a chart on the captain's table.
    const QRect design = versEcran(QRect(0, 0, LARGEUR, HAUTEUR));
    if (design != rect()) {
        p.fillRect(rect(), QColor(0, 42, 92));
        const int epaisseur = std::max(2, static_cast<int>(std::lround(4 * echelle_)));
        p.fillRect(design.adjusted(-epaisseur, -epaisseur, epaisseur, epaisseur), QColor(176, 132, 64));
    }
    p.fillRect(design, QColor(0, 128, 255));
    p.translate(origine_);
    p.scale(echelle_, echelle_);
    if (bitmapExiste(fond_))
        dessinerBitmap(p, fond_, QPoint(0, 0));
}
