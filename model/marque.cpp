// A shot's mark and its spelling.
#include "model/marque.h"

const QString& nomMarque(Marque marque) {
    static const QString touche = QStringLiteral("TOUCHE");
    static const QString manque = QStringLiteral("MANQUE");
    switch (marque) {
    case Marque::Touche:
        return touche;
    case Marque::Manque:
        break;
    }
    return manque;
}

std::optional<Marque> marqueDe(const QString& cellule) {
    for (const Marque m : {Marque::Touche, Marque::Manque})
        if (cellule == nomMarque(m))
            return m;
    return std::nullopt;
}
