// The sea at a glance: a row, a column or every hit of a sea as a quick run of short sounds, each
// sector's state told by its timbre, its column by where it is heard and, across rows, its row by pitch.
#pragma once

#include "model/grilles.h"

#include <QList>
#include <QString>

#include <array>

// What a sector is to the ear, in the legend's order: the last only on our own sea.
enum class EtatSecteur { Inexplore, Eau, Touche, Coule, Intact };

// One sound of a glance.
struct NoteCoupDOeil {
    EtatSecteur etat = EtatSecteur::Inexplore;
    double balance = 0;  // -1 for column A, full left, to +1 for column L, full right
    double demiTons = 0; // above or below the sound as recorded: row 1 the highest
    int debutMs = 0;     // from the glance's start
    bool operator==(const NoteCoupDOeil&) const = default;
};

// Each state's clip and its name in the legend.
struct SonDEtat {
    EtatSecteur etat;
    const char* clip;
    QString nom;
};
const std::array<SonDEtat, 5>& sonsDEtats();
inline const SonDEtat& sonDEtat(EtatSecteur etat) {
    return sonsDEtats()[static_cast<std::size_t>(etat)];
}

// A sector as the glance hears it. tirs: the shots fired at that sea; plan: its fleet, by which a hit on
// a ship whose every cell is hit is a sinking (the player heard it go down). notreMer: our own sea, where
// a ship's sector not fired at is heard as intact; on the enemy sea it stays unexplored.
EtatSecteur etatSecteur(const Grille& plan, const Grille& tirs, bool notreMer, int colonne, int ligne);

// The twelve sectors of a row (colonne false) or a column, in order, 110 ms apart: a row heard from left
// to right at one pitch, a column in one place from the highest (row 1) to the lowest.
QList<NoteCoupDOeil> coupDOeilLigne(const Grille& plan, const Grille& tirs, bool notreMer, bool colonne,
                                    int numero);

// Every sector hit on that sea, sunk or not, in reading order, each at its column's place and its row's
// pitch: 100 ms apart along a row, a breath more at each new row, the whole within 3 s.
QList<NoteCoupDOeil> coupDOeilTouches(const Grille& plan, const Grille& tirs);

// The glance's semitones for a row: one a row, row 1 the highest, rows 6 and 7 either side of the clip's.
double demiTonsDeLigne(int ligne);

// What the parrot says when a sea has no hit to hear, ours or the enemy's.
inline const QString AUCUN_TOUCHE_ENNEMI =
    QStringLiteral("Nous n'avons encore touché aucun navire ennemi, amiral.");
inline const QString AUCUN_TOUCHE_NOUS =
    QStringLiteral("L'ennemi n'a encore touché aucun de nos navires, amiral.");
