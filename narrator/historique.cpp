// What the parrot said lately.
#include "narrator/historique.h"

#include <algorithm>

void HistoriqueTextes::ajouter(const QString& texte, GenreTexte genre) {
    textes_.append(texte);
    genres_.append(genre);
    while (textes_.size() > TAILLE) {
        textes_.removeFirst();
        genres_.removeFirst();
    }
    place_ = 0;
}

int HistoriqueTextes::suivant(GenreTexte genre, int sens) const {
    // From the present, back starts past the latest text.
    for (int p = place_ == 0 ? (sens < 0 ? taille() : 0) : place_ + sens; p >= 1 && p <= taille(); p += sens)
        if (genres_.at(p - 1) == genre)
            return p;
    return 0;
}

QString HistoriqueTextes::reculer(std::optional<GenreTexte> genre) {
    if (textes_.isEmpty())
        return QString();
    if (genre) {
        const int p = suivant(*genre, -1);
        if (p == 0)
            return QString();
        place_ = p;
        return aLaPlace(genre);
    }
    place_ = place_ == 0 ? taille() : std::max(1, place_ - 1);
    return aLaPlace();
}

QString HistoriqueTextes::avancer(std::optional<GenreTexte> genre) {
    if (textes_.isEmpty())
        return QString();
    if (genre) {
        const int p = place_ == 0 ? 0 : suivant(*genre, 1);
        if (p == 0)
            return QString();
        place_ = p;
        return aLaPlace(genre);
    }
    place_ = place_ == 0 ? taille() : std::min(taille(), place_ + 1);
    return aLaPlace();
}

QString HistoriqueTextes::aLaPlace(std::optional<GenreTexte> genre) const {
    if (genre) {
        // Counted among the texts of that kind alone.
        const auto rang = std::count(genres_.begin(), genres_.begin() + place_, *genre);
        const auto total = std::count(genres_.begin(), genres_.end(), *genre);
        return QStringLiteral("%1%2 sur %3: %4")
            .arg(*genre == GenreTexte::Rapport ? QStringLiteral("Rapport ") : QString())
            .arg(rang)
            .arg(total)
            .arg(textes_.at(place_ - 1));
    }
    return QStringLiteral("%1 sur %2: %3").arg(place_).arg(taille()).arg(textes_.at(place_ - 1));
}
