// The lookout for play by ear: sectors typed as a letter and a number, a row or a column of either sea in
// one sentence, and what each fleet still has afloat.
#pragma once

#include "battle/ciblage.h"
#include "battle/tir.h"
#include "model/grilles.h"

#include <QString>

#include <optional>

// A key as a typed sector reads it, whatever the keyboard's layout: a digit typed with or without Shift,
// on the keypad or on the top row, becomes Qt::Key_0 to Qt::Key_9; a modifier pressed alone (Shift, Ctrl,
// Alt, AltGr, Caps Lock...) becomes 0, which the entry lets pass; any other key stays as Qt names it.
// texte: what the key types; rangee: its scan code on X11 and Wayland (0 when unknown), by which the
// top row's keys are known on any layout.
int toucheTapee(int touche, const QString& texte = {}, quint32 rangee = 0);

// A sector typed on the enemy sea: a column letter A to L, then a row number 1 to 12. Nothing is fired:
// the sector is only aimed at, and Space fires as before.
class SaisieSecteur {
public:
    struct Reponse {
        bool prise = false; // the key belonged to the entry; otherwise the board handles it as before
        Case cible;         // the sector to aim at, {0, 0} when none
        QString texte;      // what the parrot says when nothing is aimed at (a prompt or a refusal)
    };

    // One key, as toucheTapee reads it (Qt::Key_A, Qt::Key_7, Qt::Key_Space...; 0 for a modifier alone,
    // taken and passed over). The unshifted top row of a French keyboard (& é " ' ( - è _ ç à) counts as
    // the digits 1 to 0 above it.
    Reponse taper(int touche);
    bool enCours() const { return colonne_ > 0; }
    void annuler() {
        colonne_ = 0;
        dizaine_ = false;
    }

private:
    // A key that is neither a letter nor a digit, in the middle of an entry.
    Reponse conclure(int touche);

    int colonne_ = 0;      // the letter typed, 0 when no entry is under way
    bool dizaine_ = false; // "1" typed: 10, 11 or 12 may follow
};

// A row or a column of the enemy sea as the player's shots left it: "Colonne C : touché en C.4 et C.5,
// dans l'eau en C.1 et C.9, le reste inexploré."
QString resumeAdverse(const Grille& tirs_joueur, bool colonne, int numero);
// The same on our sea: the enemy's shots on it, and our ships it has not found yet.
QString resumeNotreMer(const Grille& plan_joueur, const Grille& tirs_adverse, bool colonne, int numero);
// What the enemy still has afloat, then what remains of ours, one sentence each.
QString naviresAFlot(const Partie& partie);

// The queries that move nothing. The last exchange: our last shot and the enemy's reply, when there is one.
QString texteDernierEchange(const std::optional<CoupJoue>& nous, const std::optional<CoupJoue>& eux);
// The enemy's sectors hit where no ship has sunk yet, in groups of neighbours as the eye sees them on the
// board (which ship a hit belongs to stays unknown): "Touchés, pas encore coulés : D.2 et D.3, puis H.7."
QString texteBlesses(const Partie& partie);
// Where the aim is on the enemy sea, and what the player knows of that sector.
QString texteViseur(const Grille& tirs_joueur, int colonne, int ligne);
// A sector of our sea: "C.7 : frégate, touché."
QString texteNotreMer(const Grille& plan_joueur, const Grille& tirs_adverse, int colonne, int ligne);

// The jumps, in reading order (A1 to L1, then A2...) from the sector after depuis, round to depuis itself;
// {0, 0} when there is none. The next sector not yet fired at:
Case prochainInexplore(const Grille& tirs_joueur, Case depuis);
// The next one not yet fired at beside a hit of an enemy ship still afloat.
Case prochainPresDUnBlesse(const Partie& partie, Case depuis);

inline const QString PAS_ENCORE_EN_MER =
    QStringLiteral("Nos navires sont encore au port, amiral, la bataille n'a pas commencé.");
