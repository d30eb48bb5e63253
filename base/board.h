// The game's boards: a 13 by 13 grid of 32 px cells, selection by keys and mouse, drawn whole by its screen.
#pragma once

#include "model/dessin.h"

#include <QWidget>

#include <array>
#include <functional>

class Board : public QWidget {
    Q_OBJECT
public:
    static constexpr int COTE = CELLULES * CELLULE; // 416 design pixels

    // fixe: the first row and column are the legend strip, never selected.
    explicit Board(bool fixe, QWidget* parent = nullptr);

    int col() const { return col_; }
    int row() const { return row_; }
    // Selects a cell only when the value changes; a change announces it (SelectCell).
    void setCol(int col);
    void setRow(int row);
    // Selects both at once: one announcement, even when column and row both change; none if neither does.
    void setCellule(int col, int row);

    // A board that shows only, as our own sea in battle: the mouse goes through it to the screen and
    // takes the keys from no other board, while Tab still brings them here to read it, sector by sector.
    void setLectureSeule(bool lectureSeule);
    // A board that refuses the player's keys and pointer for a while (a shot under way, a game over)
    // yet keeps the focus, so that a screen reader stays where the player is. The keys it refuses go on
    // to its window, as if the board were not there.
    void setRefus(bool refus);
    // Whether the board takes the player's aim and fire now: enabled, and not refusing.
    bool accepte() const { return isEnabled() && !refus_; }

    // Draws each picture with its top-left corner on its cell, in list order.
    static void peindre(QPainter& p, const QList<Dessin>& dessins);

    // The board's whole picture, painted in design pixels (0 to 416) whatever the scale.
    void setDessin(std::function<void(QPainter&)> dessin) { dessin_ = std::move(dessin); }
    // Repaints the board and tells screen readers what the selected cell holds now.
    void repeindre();

    // What the player may know of a cell (col, row from 1 to 12), in words. Screen readers get it for
    // each cell of the board, the cursor's focused, and the selected sector and this as the board's
    // description, brought up to date on each move and repaint.
    void setContenu(std::function<QString(int col, int row)> contenu);
    // A sector and what it holds: "C7 : frégate, touché".
    QString texteSecteur(int col, int row) const;
    // The same, as screen readers get each cell of the board: as of the last move or repaint, so that a
    // shot's result is known when it shows, not before.
    QString texteCase(int col, int row) const {
        return cases_[static_cast<size_t>((row - 1) * 12 + col - 1)];
    }
    // Renders the board at design size, as a test or a screenshot sees it.
    QImage image();

    // Design pixels of the board under a widget position.
    QPoint versDesign(const QPointF& position) const;
    // The widget position of a cell's centre.
    QPoint centreCellule(int col, int row) const;

Q_SIGNALS:
    // A cell was selected: by an arrow key, Home/End, a mouse press on a cell (even the selected
    // one) or a change made in code.
    void SelectCell(int col, int row);
    // A move key that moves nothing: the cursor is at the sea's edge.
    void Butee();
    // Pointer positions and buttons, in design pixels of the board.
    void MouseMove(int x, int y);
    void MouseUp(Qt::MouseButton bouton, int x, int y);
    // A key the board does not use for moving (Space, Enter, letters, a modifier alone...), with what it
    // types and its scan code (0 where the platform has none).
    void KeyPress(int touche, Qt::KeyboardModifiers modificateurs, const QString& texte, quint32 scan);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int premiere() const { return fixe_ ? 1 : 0; }
    void selectionner(int col, int row, bool parLeClavier = false);
    // Tells screen readers that the cursor's cell has the focus, now or once the current event is over.
    void signalerFocus(bool maintenant);
    void decrireSelection();
    // Brings the words of every cell up to date.
    void relireCases();

    bool fixe_;
    bool lectureSeule_ = false;
    bool refus_ = false;
    bool focusEnAttente_ = false;
    std::array<QString, 144> cases_;
    int col_;
    int row_;
    std::function<void(QPainter&)> dessin_;
    std::function<QString(int, int)> contenu_;
};
