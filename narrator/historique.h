// What the parrot said lately: the last texts, walked back and forth with Alt+Up and Alt+Down.
#pragma once

#include <QString>
#include <QStringList>

class HistoriqueTextes {
public:
    static constexpr int TAILLE = 50;

    // A new text: kept as the latest, the oldest dropped beyond TAILLE, and the walk back to the present.
    void ajouter(const QString& texte);

    // One text further back (the first step gives the latest) or forward; stops at either end. The text
    // with its place, "3 sur 12: ...", the oldest being 1; empty when nothing was said yet.
    QString reculer();
    QString avancer();

    int taille() const { return int(textes_.size()); }
    // The place of the text last walked to, from 1; 0 in the present.
    int place() const { return place_; }

private:
    QString aLaPlace() const;

    QStringList textes_;
    int place_ = 0;
};
