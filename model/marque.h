// A shot's mark on a shot grid: a hit or a miss, and its one spelling.
#pragma once

#include <QString>

#include <optional>

enum class Marque { Touche, Manque };

// What a shot grid holds for the mark, which is also the name of its picture.
const QString& nomMarque(Marque marque);

// The mark a cell of a shot grid holds; none for a sector not fired at (or any other name).
std::optional<Marque> marqueDe(const QString& cellule);

inline bool estMarque(const QString& cellule, Marque marque) {
    return cellule == nomMarque(marque);
}
