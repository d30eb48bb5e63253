// What the game tells about itself: the list of commands the parrot recites, and the About screen's words.
#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Every keyboard command, one a line, as the parrot recites them (22 lines, the last two empty).
const QStringList& MemoSOS();

// The whole list as one text for the parrot: each line followed by CR LF.
QString texteSOS();

// The commands the game adds to those SOS recites (that list stays as it always was). The battle screen
// runs each through one switch, so that a command without its case is a compiler warning.
enum class Commande {
    Aide,              // F1: this list, read aloud
    Ligne,             // F2, F3: the row, the column of the sector aimed at, on the enemy sea
    Colonne,           //
    LigneNous,         // Shift+F2, Shift+F3: the same on our sea
    ColonneNous,       //
    AFlot,             // F4: what each fleet still has afloat
    Journal,           // F5: the logbook
    EffacerJournal,    // Shift+F5: the logbook cleared, after a yes
    Allure,            // F6: the pace
    Niveau,            // F7: the enemy's level
    Stereo,            // F8: the stereo cues
    Historique,        // Alt+Up, Alt+Down: back and forth through the last texts
    HistoriqueSuivant, //
    Legende,           // Ctrl+F1: the glance's sounds after their names
    CoupDOeilLigne,    // Ctrl+F2, Ctrl+F3: the row, the column as a run of sounds, on the sea with the cursor
    CoupDOeilColonne,  //
    CoupDOeilTouches,  // Ctrl+F4: every hit of that sea as a run of sounds
    Bref,              // Shift+F6: the brief mode
    DernierEchange,    // F9: the last exchange
    Blesses,           // Shift+F9: the enemy's ships hit and afloat, with their sectors
    Viseur,            // F10: where the aim is
    QuestionNotreMer,  // Shift+F4, then a sector: what that sector of our sea holds
    SautInexplore,     // Alt+Right: the aim to the next sector not yet fired at
    SautBlesse,        // Alt+Left: the aim beside a hit ship still afloat
    Pause,             // F11 or Pause: the pause, and the end of it
    Rapports,          // Alt+Page Up, Alt+Page Down: back and forth through the shots' reports alone
    RapportsSuivant,   //
};

// A key the game adds. One table: the battle screen's "Vigie" menu is built from it, and F1 reads it; a
// new key is one more row here and its case in the battle screen's switch.
struct ToucheAjoutee {
    QKeyCombination touches;          // none for keys that are not one shortcut (the typed sectors)
    std::optional<Commande> commande; // none for a line that only tells (the typed sectors, the voices)
    QString titre;                    // as the menu shows it
    QString parole;                   // its line in the list F1 reads
    QKeyCombination autre = {};       // a second key for the same command, if any
};
const QList<ToucheAjoutee>& touchesAjoutees();

// The whole table as one text for the parrot: a heading, then each line followed by CR LF.
QString texteTouchesAjoutees();

// What the parrot reads when the About screen opens: who made the game, on what terms it may be
// shared, and how to get back to the game.
QString texteAPropos();

// What the About screen shows.
inline const QString NOM_JEU = QStringLiteral("Corsabord");
inline const QString VERSION_JEU = QStringLiteral("Version " CORSABORD_VERSION); // the project's, in CMake
inline const QString EDITEUR = QStringLiteral("Marelis");
inline const QString AUTEUR = QStringLiteral("Logiciel écrit par  Dorvane");

// The player's handbook: beside the game's data in a build, in the data folder of the prefix the game is
// installed in, or where it was to be installed.
QString cheminDuManuel(const QString& dossierDuJeu);
