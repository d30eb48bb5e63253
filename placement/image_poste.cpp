// A harbour berth's picture.
#include "placement/image_poste.h"

#include "base/accessible.h"
#include "base/bitmaps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ImagePoste::ImagePoste(const QSize& design, QWidget* parent)
    : QWidget(parent)
    , design_(design) {
    // Tab reaches it; a click does not take the keys from the harbour's sea, which steers the ship.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    donnerRoleAccessible(this, QAccessible::Button);
}

void ImagePoste::setNavire(const QString& navire) {
    navire_ = navire;
    nommer();
}

void ImagePoste::setImage(const QString& nom) {
    if (nom == image_)
        return;
    image_ = nom;
    update();
    nommer();
}

void ImagePoste::nommer() {
    // The picture says where the ship is: chosen, gone from its berth, or waiting there.
    QString etat = QStringLiteral("à quai");
    if (image_.endsWith(QLatin1String("_SEL"), Qt::CaseInsensitive))
        etat = QStringLiteral("choisi");
    else if (image_.endsWith(QLatin1String("_FLOU"), Qt::CaseInsensitive))
        etat = QStringLiteral("parti");
    nommerPourLecteurs(this, navire_ + QStringLiteral(", ") + etat);
}

void ImagePoste::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 128, 255));
    p.scale(width() / qreal(design_.width()), height() / qreal(design_.height()));
    if (bitmapExiste(image_))
        dessinerBitmap(p, image_, QPoint(0, 0));
    // The berth that Tab reached, for those who follow the keys by eye, drawn as the boards draw their
    // cursor.
    if (hasFocus()) {
        p.resetTransform();
        p.setPen(QPen(QColor(255, 220, 80), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
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

void ImagePoste::keyPressEvent(QKeyEvent* event) {
    const bool presser = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (presser &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)) {
        event->accept();
        Q_EMIT Click();
        return;
    }
    event->ignore();
}

void ImagePoste::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ImagePoste::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
