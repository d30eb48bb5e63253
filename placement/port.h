// The harbour: choosing, steering, turning and anchoring the fleet, the random layouts and the reports.
#pragma once

#include "model/dessin.h"
#include "model/grilles.h"
#include "model/hasard.h"

#include <QList>
#include <QString>

#include <array>

// The ship being steered over the board, and the scratch of every random layout.
struct t_coord_placement_tempo {
    int colonne = 0;     // first cell's column, 0 to 12
    int ligne = 0;       // first cell's row, 0 to 12
    t_def_bateau bateau; // a copy of the class; the last letter of its nom is the orientation
};

// The berths of the harbour, one per ship of the fleet, class by class in the fleet's order.
enum class Poste {
    ImBtnavireamiral,
    ImBtfregate,
    ImBtbrick1,
    ImBtBrick2,
    ImBtGalere1,
    ImBtGalere2,
    ImBtChaloupe1,
    ImBtchaloupe2,
    ImBtchaloupe3,
};
constexpr int NB_POSTES = [] {
    int n = 0;
    for (const ClasseNavire& c : CLASSES_NAVIRES)
        n += c.nombre;
    return n;
}();
static_assert(static_cast<int>(Poste::ImBtchaloupe3) == NB_POSTES - 1, "one berth per ship of the fleet");

// What a berth shows: enabled or not, and the name of its picture.
struct EtatPoste {
    bool actif = true;
    QString image;
    bool operator==(const EtatPoste&) const = default;
};

// The answer to "Engager le combat".
struct Engagement {
    bool engage = false;
    QString texte; // the refusal to speak; empty when the fleet sails to battle
};

// The harbour's rules and state, without any screen. Each command composes partie.message_courant
// and returns the text the narrator must say (empty: say nothing).
class Port {
public:
    Port(Partie& partie, Hasard& hasard);

    // What screen readers call a berth: "Vaisseau amiral", "Brick 1".
    static QString nomPoste(int poste);

    // Working copies of the classes: nombre counts the ships still in harbour.
    t_def_bateau def_amiral;
    t_def_bateau def_fregate;
    t_def_bateau def_brick;
    t_def_bateau def_galere;
    t_def_bateau def_chaloupe;

    t_coord_placement_tempo placement_tempo;
    bool navire_choisi = false;
    int num_brick = 0;
    int num_galere = 0;
    int num_chaloupe = 0;
    QString texte_inspection;

    const std::array<EtatPoste, NB_POSTES>& postes() const { return postes_; }
    const EtatPoste& poste(Poste p) const { return postes_[static_cast<int>(p)]; }

    // Writes the ship into the plan if it lies wholly on the sea and on open water only; ok is then
    // set, otherwise nothing changes.
    static void PoserNavire(Grille& plan, const t_coord_placement_tempo& navire, bool& ok);
    // Flips the orientation letter: H becomes V, anything else H.
    static void Pivoter(QString& nom);
    void ChoisirNavire(const t_def_bateau& classe);
    void DecompterNavire(const QString& nom);
    void GriserPostes();
    void RestaurerPostes();

    // Ships still in harbour, all classes together; 0 when the fleet is complete.
    int restantAuPort() const;

    // The harbour reset without its speech: every ship back at its berth, both plans emptied.
    void viderPort();
    // The welcome speech, into message_courant.
    QString bienvenue();
    // The whole reset: viderPort then bienvenue.
    QString BtInitialiserClick();

    // The nine berth choices, and the menu commands that pick a berth.
    QString choisir(Poste p);
    QString ImBtnavireamiralClick() { return choisir(Poste::ImBtnavireamiral); }
    QString ImBtfregateClick() { return choisir(Poste::ImBtfregate); }
    QString FregatClick() { return choisir(Poste::ImBtfregate); }
    QString ImBtbrick1Click() { return choisir(Poste::ImBtbrick1); }
    QString ImBtBrick2Click() { return choisir(Poste::ImBtBrick2); }
    QString ImBtgalere1Click() { return choisir(Poste::ImBtGalere1); }
    QString ImBtgalere2Click() { return choisir(Poste::ImBtGalere2); }
    QString ImBtChaloupe1Click() { return choisir(Poste::ImBtChaloupe1); }
    QString ImBtchaloupe2Click() { return choisir(Poste::ImBtchaloupe2); }
    QString ImBtchaloupe3Click() { return choisir(Poste::ImBtchaloupe3); }
    QString BricClick();
    QString GaleresClick();
    QString ChalouClick();

    // The announcement of a board cell (1 to 12 each).
    QString annoncerCase(int colonne, int ligne);
    // The chosen ship follows the pointer to a cell (0 to 12 each); true when it moved.
    bool deplacer(int colonne, int ligne);
    QString ButtonVireClick();
    QString ButtonAncreClick();

    // Lays out the ship held in placement_tempo on both plans and counts it out of the harbour.
    void Place();
    // "Toute la flotte" after its reset: the whole fleet of both sides, in the placing order.
    QString placerLaFlotte();
    // "Toute la flotte" with its reset.
    QString AutoClick();

    QString InspectionClick();
    Engagement EngagerClick();

    // The board's pictures in drawing order: the sea, the anchored ships, the chosen ship last.
    QList<Dessin> dessinPlateau() const;

private:
    struct DescriptionPoste;
    // The working copies in the fleet's order.
    std::array<t_def_bateau*, 5> parClasse();
    static const std::array<DescriptionPoste, NB_POSTES>& descriptions();
    t_def_bateau& classeDe(Poste p);
    EtatPoste& etat(Poste p) { return postes_[static_cast<int>(p)]; }
    void afficher(Poste p, const QString& image) { etat(p).image = image; }
    void griser(Poste p);
    void retrouverNumeroDuPoste();
    // One cycle of a layout loop on a plan: one seeding, column, row, coin and maybe an attempt.
    bool cycle(Grille& plan);
    void disposer(Grille& plan);

    Partie& partie_;
    Hasard& hasard_;
    std::array<EtatPoste, NB_POSTES> postes_;
};
