// The game's boards.
#include "base/board.h"

#include "base/accessible.h"
#include "base/bitmaps.h"
#include "model/grilles.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

Board::Board(bool fixe, QWidget* parent)
    : QWidget(parent)
    , fixe_(fixe)
    , col_(premiere())
    , row_(premiere()) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    donnerRoleAccessible(this, QAccessible::Canvas);
}

void Board::setLectureSeule(bool lectureSeule) {
    lectureSeule_ = lectureSeule;
    setFocusPolicy(lectureSeule ? Qt::TabFocus : Qt::StrongFocus);
}

void Board::repeindre() {
    update();
    decrireSelection();
}

void Board::setContenu(std::function<QString(int, int)> contenu) {
    contenu_ = std::move(contenu);
    decrireSelection();
}

void Board::decrireSelection() {
    // The legend strip of a board without a fixed one is no sector.
    if (col_ < 1 || row_ < 1) {
        decrirePourLecteurs(this, QString());
        return;
    }
    QString description = lettreColonne(col_) + QString::number(row_);
    if (contenu_)
        description += QStringLiteral(" : ") + contenu_(col_, row_);
    decrirePourLecteurs(this, description);
}

void Board::setCol(int col) {
    col = std::clamp(col, premiere(), CELLULES - 1);
    if (col != col_)
        selectionner(col, row_);
}

void Board::setRow(int row) {
    row = std::clamp(row, premiere(), CELLULES - 1);
    if (row != row_)
        selectionner(col_, row);
}

void Board::setCellule(int col, int row) {
    col = std::clamp(col, premiere(), CELLULES - 1);
    row = std::clamp(row, premiere(), CELLULES - 1);
    if (col != col_ || row != row_)
        selectionner(col, row);
}

void Board::selectionner(int col, int row) {
    col_ = col;
    row_ = row;
    update();
    Q_EMIT SelectCell(col_, row_);
    decrireSelection();
}

QPoint Board::versDesign(const QPointF& position) const {
    const qreal k = width() / qreal(COTE);
    return QPoint(static_cast<int>(std::floor(position.x() / k)),
                  static_cast<int>(std::floor(position.y() / k)));
}

QPoint Board::centreCellule(int col, int row) const {
    const qreal k = width() / qreal(COTE);
    return QPoint(static_cast<int>(milieuCellule(col) * k), static_cast<int>(milieuCellule(row) * k));
}

void Board::peindre(QPainter& p, const QList<Dessin>& dessins) {
    for (const Dessin& d : dessins)
        dessinerBitmap(p, d.image, QPoint(CELLULE * d.colonne, CELLULE * d.ligne));
}

QImage Board::image() {
    QImage image(COTE, COTE, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 255));
    QPainter p(&image);
    if (dessin_)
        dessin_(p);
    return image;
}

void Board::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 128, 255));
    const qreal k = width() / qreal(COTE);
    p.scale(k, k);
    p.setClipRect(QRect(0, 0, COTE, COTE));
    if (dessin_)
        dessin_(p);
    // The keyboard's cell, for those who follow the board by eye as well as by ear.
    if (hasFocus() && isEnabled()) {
        QPen pen(QColor(255, 220, 80), 2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(col_ * CELLULE + 1, row_ * CELLULE + 1, CELLULE - 2, CELLULE - 2));
    }
}

void Board::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F35) || event->key() == Qt::Key_Pause) {
        // Control letters, function keys and Pause belong to the menus.
        event->ignore();
        return;
    }
    int col = col_;
    int row = row_;
    switch (event->key()) {
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Home:
        col = premiere();
        break;
    case Qt::Key_End:
        col = CELLULES - 1;
        break;
    case Qt::Key_PageUp:
        row = premiere();
        break;
    case Qt::Key_PageDown:
        row = CELLULES - 1;
        break;
    default:
        Q_EMIT KeyPress(event->key(), event->modifiers(), event->text(), event->nativeScanCode());
        event->accept();
        return;
    }
    col = std::clamp(col, premiere(), CELLULES - 1);
    row = std::clamp(row, premiere(), CELLULES - 1);
    if (col != col_ || row != row_)
        selectionner(col, row);
    else
        Q_EMIT Butee();
    event->accept();
}

void Board::mousePressEvent(QMouseEvent* event) {
    if (lectureSeule_) {
        event->ignore();
        return;
    }
    const QPoint d = versDesign(event->position());
    const int col = celluleSous(d.x());
    const int row = celluleSous(d.y());
    if (col >= premiere() && row >= premiere() && col < CELLULES && row < CELLULES)
        selectionner(col, row);
}

void Board::mouseMoveEvent(QMouseEvent* event) {
    const QPoint d = versDesign(event->position());
    Q_EMIT MouseMove(d.x(), d.y());
}

void Board::mouseReleaseEvent(QMouseEvent* event) {
    if (lectureSeule_) {
        event->ignore();
        return;
    }
    const QPoint d = versDesign(event->position());
    Q_EMIT MouseUp(event->button(), d.x(), d.y());
}

void Board::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void Board::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
