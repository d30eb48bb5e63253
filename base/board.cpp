// The game's boards.
#include "base/board.h"

#include "base/accessible.h"
#include "base/bitmaps.h"
#include "base/grille_accessible.h"
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
    GrilleAccessible::installer();
    relireCases();
}

void Board::setLectureSeule(bool lectureSeule) {
    lectureSeule_ = lectureSeule;
    setFocusPolicy(lectureSeule ? Qt::TabFocus : Qt::StrongFocus);
}

void Board::setRefus(bool refus) {
    if (refus == refus_)
        return;
    refus_ = refus;
    update();
}

void Board::repeindre() {
    update();
    decrireSelection();
}

void Board::setContenu(std::function<QString(int, int)> contenu) {
    contenu_ = std::move(contenu);
    decrireSelection();
}

QString Board::texteSecteur(int col, int row) const {
    QString texte = lettreColonne(col) + QString::number(row);
    if (contenu_)
        texte += QStringLiteral(" : ") + contenu_(col, row);
    return texte;
}

void Board::relireCases() {
    for (int row = 1; row < CELLULES; ++row)
        for (int col = 1; col < CELLULES; ++col)
            cases_[static_cast<size_t>((row - 1) * 12 + col - 1)] = texteSecteur(col, row);
}

void Board::decrireSelection() {
    relireCases();
    // The legend strip of a board without a fixed one is no sector.
    if (col_ < 1 || row_ < 1) {
        decrirePourLecteurs(this, QString());
        return;
    }
    decrirePourLecteurs(this, texteSecteur(col_, row_));
    // The cells a screen reader has read and that now hold something else.
    if (GrilleAccessible* grille = GrilleAccessible::de(this))
        grille->signalerChangements();
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

void Board::selectionner(int col, int row, bool parLeClavier) {
    col_ = col;
    row_ = row;
    update();
    signalerFocus(parLeClavier);
    Q_EMIT SelectCell(col_, row_);
    decrireSelection();
}

void Board::signalerFocus(bool maintenant) {
    // A key's cell has the focus at once: a screen reader reads it before the parrot names it. A move
    // made in code (the pointer sets the column, then the row; the enemy's shot on our sea) says only
    // where it ends, once the event that made it is over.
    focusEnAttente_ = !maintenant;
    if (maintenant) {
        if (GrilleAccessible* grille = GrilleAccessible::de(this))
            grille->annoncerFocus();
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!focusEnAttente_)
                return;
            focusEnAttente_ = false;
            if (GrilleAccessible* grille = GrilleAccessible::de(this))
                grille->annoncerFocus();
        },
        Qt::QueuedConnection);
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
    if (hasFocus() && accepte()) {
        QPen pen(QColor(255, 220, 80), 2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(col_ * CELLULE + 1, row_ * CELLULE + 1, CELLULE - 2, CELLULE - 2));
    }
}

void Board::keyPressEvent(QKeyEvent* event) {
    if (refus_) {
        event->ignore();
        return;
    }
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
        selectionner(col, row, true);
    else
        Q_EMIT Butee();
    event->accept();
}

void Board::mousePressEvent(QMouseEvent* event) {
    if (lectureSeule_ || refus_) {
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
    if (refus_) {
        event->ignore();
        return;
    }
    const QPoint d = versDesign(event->position());
    Q_EMIT MouseMove(d.x(), d.y());
}

void Board::mouseReleaseEvent(QMouseEvent* event) {
    if (lectureSeule_ || refus_) {
        event->ignore();
        return;
    }
    const QPoint d = versDesign(event->position());
    Q_EMIT MouseUp(event->button(), d.x(), d.y());
}

void Board::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    // Qt tells screen readers of the board's focus once this returns; the cursor's cell has it next.
    signalerFocus(false);
}

void Board::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
