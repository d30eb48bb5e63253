// What the parrot said lately.
#include "narrator/historique.h"

#include <algorithm>

void HistoriqueTextes::ajouter(const QString& texte) {
    textes_.append(texte);
    while (textes_.size() > TAILLE)
        textes_.removeFirst();
    place_ = 0;
}

QString HistoriqueTextes::reculer() {
    if (textes_.isEmpty())
        return QString();
    place_ = place_ == 0 ? taille() : std::max(1, place_ - 1);
    return aLaPlace();
}

QString HistoriqueTextes::avancer() {
    if (textes_.isEmpty())
        return QString();
    place_ = place_ == 0 ? taille() : std::min(taille(), place_ + 1);
    return aLaPlace();
}

QString HistoriqueTextes::aLaPlace() const {
    return QStringLiteral("%1 sur %2: %3").arg(place_).arg(taille()).arg(textes_.at(place_ - 1));
}
