// What a board shows, as a list of named pictures each with its top-left corner on a cell.
#pragma once

#include "model/grilles.h"

#include <QList>
#include <QString>

struct Dessin {
    QString image;
    int colonne = 0;
    int ligne = 0;
    bool operator==(const Dessin&) const = default;
};

// Every ship of a fleet grid, drawn once from its first cell, in table order within each cell.
void ajouterFlotte(QList<Dessin>& dessins, const Grille& plan);

// Every shot mark of a shot grid ("TOUCHE", "MANQUE").
void ajouterMarques(QList<Dessin>& dessins, const Grille& tirs);
