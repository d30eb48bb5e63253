// A harbour berth's picture.
#include "placement/image_poste.h"

#include "base/accessible.h"
#include "base/bitmaps.h"

#include <QMouseEvent>
#include <QPainter>

ImagePoste::ImagePoste(const QSize& design, QWidget* parent)
    : QWidget(parent)
    , design_(design) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    donnerRoleAccessible(this, QAccessible::Button);
}

void ImagePoste::setImage(const QString& nom) {
    if (nom == image_)
        return;
    image_ = nom;
    update();
    // The picture says where the ship is: chosen, gone from its berth, or waiting there.
    if (nom.endsWith(QLatin1String("_SEL"), Qt::CaseInsensitive))
        decrirePourLecteurs(this, QStringLiteral("choisi"));
    else if (nom.endsWith(QLatin1String("_FLOU"), Qt::CaseInsensitive))
        decrirePourLecteurs(this, QStringLiteral("parti du port"));
    else
        decrirePourLecteurs(this, QStringLiteral("au port"));
}

void ImagePoste::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 128, 255));
    p.scale(width() / qreal(design_.width()), height() / qreal(design_.height()));
    if (bitmapExiste(image_))
        dessinerBitmap(p, image_, QPoint(0, 0));
}

void ImagePoste::mousePressEvent(QMouseEvent* event) {
    presse_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ImagePoste::mouseReleaseEvent(QMouseEvent* event) {
    const bool clic =
        presse_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    presse_ = false;
    event->accept();
    if (clic)
        Q_EMIT Click();
}
