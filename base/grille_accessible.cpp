// A board's sectors as screen readers see them.
#include "base/grille_accessible.h"

#include "base/board.h"
#include "model/grilles.h"

#include <QWidget>

namespace {
QAccessibleInterface* interfacePlateau(const QString&, QObject* objet) {
    if (auto* plateau = qobject_cast<Board*>(objet))
        return new GrilleAccessible(plateau);
    return nullptr;
}

// One cell of the grid: a sector, or a column's or a row's header. It lives as long as its board's
// interface, which hands it out and forgets it with the board.
class CelluleAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CelluleAccessible(Board* plateau, int index)
        : plateau_(plateau)
        , index_(index) {}

    GrilleAccessible* grille() const {
        return plateau_
                   ? static_cast<GrilleAccessible*>(QAccessible::queryAccessibleInterface(plateau_.data()))
                   : nullptr;
    }
    bool secteur() const { return index_ < GrilleAccessible::SECTEURS; }
    // Column and row from 1, 0 for a header's missing one.
    int col() const {
        if (secteur())
            return index_ % GrilleAccessible::COTE + 1;
        const int entete = index_ - GrilleAccessible::SECTEURS;
        return entete < GrilleAccessible::COTE ? entete + 1 : 0;
    }
    int row() const {
        if (secteur())
            return index_ / GrilleAccessible::COTE + 1;
        const int entete = index_ - GrilleAccessible::SECTEURS - GrilleAccessible::COTE;
        return entete >= 0 ? entete + 1 : 0;
    }

    bool isValid() const override { return plateau_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        QAccessibleInterface* g = grille();
        return g ? g->window() : nullptr;
    }
    QAccessibleInterface* parent() const override { return grille(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        GrilleAccessible* g = grille();
        return g && t == QAccessible::Name ? g->texte(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!plateau_)
            return {};
        // The legend strip takes the first row and column of the picture.
        const QPoint coin = plateau_->centreCellule(col(), row()) - plateau_->centreCellule(0, 0);
        const int cote = plateau_->centreCellule(1, 1).x() - plateau_->centreCellule(0, 0).x();
        return QRect(plateau_->mapToGlobal(coin), QSize(cote, cote));
    }
    QAccessible::Role role() const override {
        if (secteur())
            return QAccessible::Cell;
        return row() == 0 ? QAccessible::ColumnHeader : QAccessible::RowHeader;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!plateau_)
            return s;
        s.invisible = !plateau_->isVisible();
        s.disabled = !plateau_->isEnabled();
        if (secteur()) {
            s.focusable = true;
            s.focused = plateau_->hasFocus() && plateau_->col() == col() && plateau_->row() == row();
        }
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    // QAccessibleTableCellInterface. A cell names no header cells: Orca 43 would say the new column's or
    // row's header before each cell ("G en-tête de colonne G6 : eau"), the sector twice, and a player
    // moving on would hear the header only. The headers are the grid's own (column and row descriptions,
    // header children), and each cell's name begins with its sector.
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return std::max(col() - 1, 0); }
    int rowIndex() const override { return std::max(row() - 1, 0); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return grille(); }

private:
    QPointer<Board> plateau_;
    int index_;
};
} // namespace

GrilleAccessible::GrilleAccessible(Board* plateau)
    : QAccessibleWidget(plateau, QAccessible::Canvas) {}

GrilleAccessible::~GrilleAccessible() {
    for (QAccessible::Id id : ids_)
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
}

void GrilleAccessible::installer() {
    static const bool installee = [] {
        QAccessible::installFactory(interfacePlateau);
        return true;
    }();
    Q_UNUSED(installee);
}

GrilleAccessible* GrilleAccessible::de(Board* plateau) {
    if (!QAccessible::isActive())
        return nullptr;
    return static_cast<GrilleAccessible*>(QAccessible::queryAccessibleInterface(plateau));
}

Board* GrilleAccessible::plateau() const {
    return static_cast<Board*>(widget());
}

QString GrilleAccessible::texte(int index) const {
    if (index < SECTEURS) {
        const int col = index % COTE + 1;
        const int row = index / COTE + 1;
        return lus_[index] = plateau()->texteCase(col, row);
    }
    const int entete = index - SECTEURS;
    return entete < COTE ? QString(lettreColonne(entete + 1)) : QString::number(entete - COTE + 1);
}

QAccessibleInterface* GrilleAccessible::cellule(int index) const {
    if (index < 0 || index >= int(ids_.size()))
        return nullptr;
    auto& id = ids_[index];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new CelluleAccessible(plateau(), index));
    return QAccessible::accessibleInterface(id);
}

void GrilleAccessible::annoncerFocus() {
    const Board* b = plateau();
    if (!b->hasFocus() || b->col() < 1 || b->row() < 1)
        return;
    QAccessibleEvent focus(cellule(indexSecteur(b->col(), b->row())), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void GrilleAccessible::signalerChangements() {
    for (int i = 0; i < SECTEURS; ++i) {
        if (lus_[i].isEmpty() || ids_[i] == 0)
            continue;
        const QString avant = lus_[i];
        if (texte(i) == avant)
            continue;
        QAccessibleEvent changement(cellule(i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changement);
    }
}

void* GrilleAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int GrilleAccessible::childCount() const {
    return int(ids_.size());
}

QAccessibleInterface* GrilleAccessible::child(int index) const {
    return cellule(index);
}

int GrilleAccessible::indexOfChild(const QAccessibleInterface* enfant) const {
    if (!enfant)
        return -1;
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(enfant));
    for (int i = 0; i < int(ids_.size()); ++i)
        if (ids_[i] == id)
            return i;
    return -1;
}

QAccessibleInterface* GrilleAccessible::childAt(int x, int y) const {
    const Board* b = plateau();
    const QPoint d = b->versDesign(b->mapFromGlobal(QPoint(x, y)));
    const int col = celluleSous(d.x());
    const int row = celluleSous(d.y());
    if (col < 1 || row < 1 || col > COTE || row > COTE || d.x() < 0 || d.y() < 0)
        return nullptr;
    return cellule(indexSecteur(col, row));
}

QAccessibleInterface* GrilleAccessible::focusChild() const {
    const Board* b = plateau();
    if (b->hasFocus() && b->col() >= 1 && b->row() >= 1)
        return cellule(indexSecteur(b->col(), b->row()));
    return QAccessibleWidget::focusChild();
}

QAccessibleInterface* GrilleAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= COTE || column >= COTE)
        return nullptr;
    return cellule(row * COTE + column);
}

QString GrilleAccessible::columnDescription(int column) const {
    return texte(SECTEURS + column);
}

QString GrilleAccessible::rowDescription(int row) const {
    return texte(SECTEURS + COTE + row);
}
