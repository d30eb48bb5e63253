// A board as screen readers see it: a grid of sectors, each a cell named with its sector and what it holds.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <array>

class Board;

// The board itself keeps the role of a picture (a canvas): were it a table, Orca would read the whole
// row of twelve sectors at each Up or Down. Its 144 sectors are its cells, in rows from A1 to L12, then
// its twelve column headers (A to L) and twelve row headers (1 to 12), which are also its columns' and
// rows' descriptions. The cursor's cell is the one that
// has the focus while the board has it, so that a screen reader reads each move by itself.
class GrilleAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    static constexpr int COTE = 12;
    static constexpr int SECTEURS = COTE * COTE;

    explicit GrilleAccessible(Board* plateau);
    ~GrilleAccessible() override;

    // Lets Qt build this interface for every board; the board's constructor calls it.
    static void installer();
    // The board's interface, when screen readers are listening; none otherwise.
    static GrilleAccessible* de(Board* plateau);

    // Tells screen readers that the cursor's cell has the focus.
    void annoncerFocus();
    // Tells screen readers of every cell they have read whose words have changed since (they keep what
    // they read until told). Orca says nothing of it: the parrot tells the news.
    void signalerChangements();

    // The cell of a sector (col and row from 1), or a header: index from 0 in the order above.
    QAccessibleInterface* cellule(int index) const;
    int indexSecteur(int col, int row) const { return (row - 1) * COTE + (col - 1); }

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* enfant) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface: 12 rows and 12 columns, nothing selected, nothing to select.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return COTE; }
    int rowCount() const override { return COTE; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    Board* plateau() const;
    // What a cell of the given index says: "C7 : frégate, touché", a column's letter, a row's number.
    QString texte(int index) const;

private:
    mutable std::array<QAccessible::Id, SECTEURS + 2 * COTE> ids_{};
    // The words of each cell as last handed to screen readers (empty: never read).
    mutable std::array<QString, SECTEURS> lus_;
};
