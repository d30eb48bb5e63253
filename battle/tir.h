// The shots of both sides as values: what was marked, what sank, what the narrator will say, which clip.
#pragma once

#include "battle/ciblage.h"
#include "model/grilles.h"
#include "model/regles.h"
#include "model/hasard.h"
#include "narrator/commentaires.h"

#include <QString>

// A shot as it is told in plain words: where it fell, what it hit, which ship it sank.
struct CoupJoue {
    Case secteur;
    QString marque; // its mark's name (nomMarque)
    QString coule;  // the stem of the ship it sank ("FREGATE"), empty when none
};

// The outcome of one shot, for the battle's timers to play out.
struct ResultatTir {
    bool tire = false; // false: the cell was already marked (or off the sea) and nothing was fired
    int colonne = 0;   // the sector fired at
    int ligne = 0;
    QString marque;               // the mark's name (nomMarque): what the sector holds now
    bool coule = false;           // a ship went down with this shot
    bool flotte_detruite = false; // that was the side's last ship
    QString clip;                 // the clip started with the shot; empty when nothing was fired
    int intervalle = 0;           // ms until the result is spoken
    QString message;              // the result to speak when the timer elapses (at once for a refused shot)
    QString ligne_rapport;        // the line added to the loss report; empty when nothing sank
    QString navire_coule;         // the stem of the ship it sank ("FREGATE"), empty when none
    QString bref;                 // the result in plain words, for the brief mode ("D2 : touché.")

    CoupJoue coup() const { return {{colonne, ligne}, marque, navire_coule}; }
};

// A sector in brief: column 4, row 2 gives "D2".
QString secteurBref(int colonne, int ligne);
// What a shot did, in a few words: "à l'eau", "touché", "coulé, la frégate" (ours: "coulé, notre frégate").
QString etatBref(const CoupJoue& coup, bool notreNavire);
// The brief mode's texts: the aim ("D2", "D2, déjà touché."), the player's shot ("D2 : coulé, la
// frégate.") and the enemy's ("Impact en D2.", "Touché en D2 : coulé, notre frégate.").
QString annonceBreve(const Grille& tirs, int colonne, int ligne);
QString resultatBref(const CoupJoue& coup);
QString rapportEnnemiBref(const CoupJoue& coup);

// What the narrator says of a sector of the enemy sea as the player aims at it.
QString annonceSecteur(const Grille& tirs, int colonne, int ligne);

// The player's shot at a sector of the enemy sea. Marks tirs_joueur, counts the shot, checks for a
// sinking, draws fresh comments, adds the report line and, after the last enemy ship, sets the victory.
// A sector already marked fires nothing and costs nothing. Composes partie.message_courant.
ResultatTir feu(Partie& partie, Hasard& hasard, Commentaires& com, int colonne, int ligne);

// The computer's turn once "Feu ennemi!" has been said: one shot at the player's sea, the sinking check,
// fresh comments, the report and, after a sinking, a memory wiped clean. Composes partie.message_courant.
ResultatTir feuennemi(Partie& partie, Hasard& hasard, Commentaires& com, Niveau niveau = Niveau::Classique);

// The two loss reports, each line followed by a line break, or the sentence that replaces them.
QString rapportNosPertes(const Partie& partie);
QString rapportPertesEnnemies(const Partie& partie);

// The end of a game: the clip of the victory or the defeat and the closing words to say after it.
struct FinDePartie {
    QString clip;
    QString message;
};
FinDePartie finDePartie(const Partie& partie);

inline const QString FEU = QStringLiteral("FEU!");
inline const QString FEU_ENNEMI = QStringLiteral("Feu ennemi!");
inline const QString FIN_DE_LA_PARTIE = QStringLiteral("Fin de la partie");
