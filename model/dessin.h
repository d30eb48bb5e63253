// What a board shows, as a list of named pictures each with its top-left corner on a cell.
#pragma once

#include "model/grilles.h"

#include <QList>
#include <QString>

// A board on the 1024 by 800 design: 13 by 13 cells of 32 pixels, the first row and column its legend.
constexpr int CELLULE = 32;
constexpr int CELLULES = TAILLE_MER + 1;
// The column (or row) of a board under a design pixel counted from the board's left (or top) edge.
constexpr int celluleSous(int pixel) {
    return pixel / CELLULE;
}
// The design pixel at the middle of that column (or row).
constexpr int milieuCellule(int cellule) {
    return cellule * CELLULE + CELLULE / 2;
}

struct Dessin {
    QString image;
    int colonne = 0;
    int ligne = 0;
    bool operator==(const Dessin&) const = default;
};

// Every ship of a fleet grid, drawn once from its first cell, in table order within each cell.
void ajouterFlotte(QList<Dessin>& dessins, const Grille& plan);

// Every shot mark of a shot grid, each drawn by the picture of its name.
void ajouterMarques(QList<Dessin>& dessins, const Grille& tirs);
