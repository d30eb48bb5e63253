// The whole game built on fakes and virtual time, as the screen tests play it.
#pragma once

#include "app/jeu.h"
#include "narrator/services.h"
#include "battle/tbataille_navale.h"
#include "screens/tformabout.h"
#include "screens/tformvoice.h"
#include "placement/ttest.h"
#include "support/faux.h"
#include "support/temps_virtuel.h"

#include <QEvent>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class Board;

struct JeuDeTest {
    TempsVirtuel temps;
    FauxDialogues dialogues;
    FauxSons sons;
    FauxCompagnon compagnon;
    // The game's character when the test gives its own (the real parrot), instead of the fake.
    std::unique_ptr<ServiceCompagnon> propre;
    Services services;
    QTemporaryDir dossier;
    // The game as the player's is built, on these services.
    Jeu jeu{services, dossier.path()};
    Partie& partie = jeu.partie;
    Hasard& hasard = jeu.hasard;
    std::unique_ptr<TBataille_navale>& bataille = jeu.bataille;
    FluxEcrans* flux = &jeu.flux;
    TFormVoice* voice = nullptr;
    TTest* test = nullptr;
    TFormAbout* about = nullptr;
    QList<int> fins; // the exit statuses the game asked for

    JeuDeTest();
    // With the character fabrique makes on the game's clock.
    explicit JeuDeTest(const std::function<std::unique_ptr<ServiceCompagnon>(Temps&)>& fabrique);
    ~JeuDeTest();

    // Start-up as the game does it: the battle screen and its set-up, then the other screens.
    bool creer();
    // The battle screen shown and activated, and the harbour it opens.
    void demarrer();
    // Lets queued events run (activations that come once a window is shown).
    static void traiterEvenements();
    // The window in front gets the keyboard, as the player's window would.
    static void activer(QWidget* fenetre);

    // The window in front: the harbour while it is shown, otherwise the battle screen.
    QWidget* devant() const;
    // A key where a player's key goes: to the widget that has the focus in the window in front.
    void touche(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier);
    void ctrl(Qt::Key k) { touche(k, Qt::ControlModifier); }
    // The pointer over a board, at design pixels of the board (0 to 415 inside it).
    static void pointeur(Board* board, QEvent::Type type, Qt::MouseButton b, int x, int y);
};
