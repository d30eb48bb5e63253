// The harbour's random layouts: a ship, and the whole fleet ship after ship, drawn on the game's clock.
#include "placement/port.h"

bool Port::cycle(Grille& plan) {
    // One seeding per cycle: the column and the row are two successive draws of the same seed.
    hasard_.Randomize();
    placement_tempo.colonne = static_cast<int>(hasard_.tirage(13));
    placement_tempo.ligne = static_cast<int>(hasard_.tirage(13));
    bool ok = false;
    if (hasard_.tirage(2) == 1) {
        Pivoter(placement_tempo.bateau.nom);
        PoserNavire(plan, placement_tempo, ok);
    }
    return ok;
}

void Port::disposer(Grille& plan) {
    while (!cycle(plan)) {
    }
}

void Port::Place() {
    navire_choisi = false;
    disposer(partie_.plan_joueur);
    navire_choisi = false;
    // The computer's ship uses the same cycle as the player's: reading the clock a second time
    // between the column and the row would put its first cell on the diagonal.
    disposer(partie_.plan_adverse);
    DecompterNavire(placement_tempo.bateau.nom);
    GriserPostes();
}

QString Port::placerLaFlotte() {
    for (int i = 1; i <= 2; ++i) {
        num_brick = i;
        ChoisirNavire(def_brick);
        RestaurerPostes();
        Place();
        num_galere = i;
        ChoisirNavire(def_galere);
        RestaurerPostes();
        Place();
    }
    for (int i = 1; i <= 3; ++i) {
        num_chaloupe = i;
        ChoisirNavire(def_chaloupe);
        RestaurerPostes();
        Place();
    }
    ChoisirNavire(def_amiral);
    RestaurerPostes();
    Place();
    ChoisirNavire(def_fregate);
    RestaurerPostes();
    Place();
    partie_.message_courant =
        QStringLiteral("Tous les navires sont en place, amiral. Control \"E\" pour engager le "
                       "combat, ou control \"P\" pour le retour au port.");
    return partie_.message_courant;
}

QString Port::AutoClick() {
    BtInitialiserClick();
    return placerLaFlotte();
}
