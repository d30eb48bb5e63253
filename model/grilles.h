// The sea grids, the fleet, the battle state and the sinking check shared by both screens.
#pragma once

#include "model/marque.h"

#include <QString>
#include <QStringList>

#include <array>

// Columns and rows of the sea run from 1 to 12; 0 is the legend strip of the boards.
constexpr int TAILLE_MER = 12;

// A 12 by 12 grid of cell names, indexed by column then row. A cell name is both the game fact
// and the name of the picture that draws it: "" open sea or not fired at, "FREGATEH" the first
// cell of a frigate lying horizontally, "FREGATE" another cell of it, a shot's mark (marque.h) a shot.
class Grille {
public:
    const QString& operator()(int colonne, int ligne) const { return cases_[colonne][ligne]; }
    QString& operator()(int colonne, int ligne) { return cases_[colonne][ligne]; }
    void vider();
    bool vide() const;
    bool operator==(const Grille&) const = default;

private:
    std::array<std::array<QString, TAILLE_MER + 1>, TAILLE_MER + 1> cases_;
};

// The five classes of a fleet, flagship first: the one table that the grids, the harbour, the pictures
// and the screen readers' words take the fleet from.
struct ClasseNavire {
    const char* image;   // with H or V, the picture of a ship lying so and the name of its first cell
    const char* poste;   // with _SEL or _FLOU, the picture of its berth, chosen or empty
    const char* mots;    // its name in French, as the parrot and screen readers say it (UTF-8)
    const char* pluriel; // the same, for more than one (UTF-8)
    bool feminin;        // une frégate, la galère
    int longueur;        // cells
    int nombre;          // ships of the class in a fleet
};
inline constexpr std::array<ClasseNavire, 5> CLASSES_NAVIRES = {{
    {"NAVIRE-AMIRAL", "NAVIRE_AMIRAL", "vaisseau amiral", "vaisseaux amiraux", false, 5, 1},
    {"FREGATE", "FREGATE", "frégate", "frégates", true, 4, 1},
    {"BRICK", "BRICK", "brick", "bricks", false, 3, 2},
    {"GALERE", "GALERE", "galère", "galères", true, 3, 2},
    {"CHALOUPE", "CHALOUPE", "chaloupe", "chaloupes", true, 2, 3},
}};
enum ClasseDeNavire { Amiral, Fregate, Brick, Galere, Chaloupe };

// The name of a class's ship lying horizontally ("FREGATEH"), and the picture of its berth ("FREGATE_SEL"
// with suffixe "_SEL").
QString nomNavire(int classe);
QString imagePoste(int classe, const char* suffixe);

// Ships of a class in words: "un brick", "une galère", "deux bricks", "trois chaloupes", "4 bricks".
QString nombreDeNavires(int classe, int nombre);
// The one ship of a class: "le vaisseau amiral", "la frégate".
QString leNavire(int classe);

// The ten names a ship's first cell can hold: its class with its orientation letter.
extern const std::array<QString, 10> noms_navires;

// True when the cell holds the first cell of a ship.
bool estNomNavire(const QString& cellule);

// The name without its last letter (the orientation): "FREGATEH" gives "FREGATE".
QString racine(const QString& nom);

struct t_def_bateau {
    int nombre = 0;   // ships of the class in a fleet (in the harbour's working copies: still in harbour)
    int longueur = 0; // cells
    QString nom;      // the class's name with the letter H
    bool operator==(const t_def_bateau&) const = default;
};

using ClassesNavires = std::array<t_def_bateau, 5>;

// The five classes as a full fleet has them: flagship, frigate, brigs, galleys, longboats.
ClassesNavires classesDeBase();

// The letter of a column: 1 is A, 12 is L.
QChar lettreColonne(int colonne);

// What a cell of a grid holds, in words: "eau", "frégate", "touché", "manqué"...
QString motsDeCase(const QString& cellule);

// A sector as the narrator says it: column 3, row 7 gives "C.7. ".
QString nomSecteur(int colonne, int ligne);

// The aiming cursor on the enemy sea; 13, 13 aims at nothing.
struct t_viseur {
    int colonne = 13;
    int ligne = 13;
};

// The computer's targeting memory.
struct t_coup_ia {
    int colonne_origine = 0;
    int ligne_origine = 0;
    int colonne_cible = 0;
    int ligne_cible = 0;
    bool poursuite = false;
    QString sens;
    int ecart = 1;
    bool suite = false;
    bool retour = false;
    bool essai_droite = false;
    bool essai_haut = false;
    bool essai_bas = false;
    bool essai_gauche = false;
};

inline const QString ENTETE_NOS_PERTES = QStringLiteral("Voici le rapport de nos pertes, amiral:");
inline const QString ENTETE_PERTES_ENNEMIES = QStringLiteral("Voici le rapport des pertes ennemies, amiral:");

// The whole state of a game: what the harbour lays out and what the battle plays on.
struct Partie {
    // Laid out in the harbour.
    Grille plan_joueur;
    Grille plan_adverse;
    ClassesNavires classes_navires = classesDeBase();
    QString message_courant; // the narrator's next text, composed by either screen

    // Played in battle.
    Grille mer_joueur;
    Grille mer_adverse;
    Grille tirs_joueur;
    Grille tirs_adverse;
    t_viseur viseur;
    int nb_tirs_joueur = 0;
    int nb_tirs_adverse = 0;
    bool victoire_joueur = false;
    bool victoire_adverse = false;
    bool flotte_detruite = false;
    QString infopartie;    // the last sinking text, "Fin de la partie" once a game is over
    QString dernier_coule; // the stem of the last ship VerifieCoule found sunk ("FREGATE")
    QStringList MemoInfo;  // our losses
    QStringList MemoEinfo; // the enemy's losses
    t_coup_ia coup_ia;

    // A battle not yet begun: counters, flags, reports, cursor, targeting memory and shots reset.
    void Initialise();

    // The working seas take the plans afresh.
    void copierPlans();

    // The length of a ship from any of its names, through the class with the same stem; 0 if none.
    int longueurDe(const QString& nom) const;

    // Finds the ships that this sea's shots have just sunk: empties their first cell in the sea,
    // sets infopartie to the last one's sinking text and flotte_detruite when no ship is left.
    // cote is "adverse" for the player's fire and empty for the enemy's. Returns whether one sank.
    bool VerifieCoule(Grille& mer, const Grille& tirs, const QString& cote);
};
