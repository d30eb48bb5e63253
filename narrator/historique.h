// What the parrot said lately: the last texts, walked back and forth with Alt+Up and Alt+Down.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What a text is about, kept with it: a sector named as the aim or a cursor reaches it, a shot's report
// (ours or the enemy's), the parrot's idle chatter, or anything else.
enum class GenreTexte { Autre, Secteur, Rapport, Propos };

class HistoriqueTextes {
public:
    static constexpr int TAILLE = 50;

    // A new text: kept as the latest, the oldest dropped beyond TAILLE, and the walk back to the present.
    void ajouter(const QString& texte, GenreTexte genre = GenreTexte::Autre);

    // One text further back (the first step gives the latest) or forward; stops at either end. The text
    // with its place, "3 sur 12: ...", the oldest being 1; empty when nothing was said yet. With a kind,
    // only the texts of that kind are walked and counted ("Rapport 2 sur 5: ..."); empty when there is
    // none that way.
    QString reculer(std::optional<GenreTexte> genre = std::nullopt);
    QString avancer(std::optional<GenreTexte> genre = std::nullopt);

    int taille() const { return int(textes_.size()); }
    // The place of the text last walked to, from 1; 0 in the present.
    int place() const { return place_; }
    GenreTexte genre(int place) const { return genres_.at(place - 1); }

private:
    QString aLaPlace(std::optional<GenreTexte> genre = std::nullopt) const;
    // The next place of that kind from place_, one step by sens (-1 back, +1 forward); 0 when none.
    int suivant(GenreTexte genre, int sens) const;

    QStringList textes_;
    QList<GenreTexte> genres_;
    int place_ = 0;
};
