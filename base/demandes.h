// What the screens ask of the game's flow, and what the flow sees of them: neither reaches into the other.
#pragma once

#include <QString>

#include <optional>

class QKeySequence;
class QWidget;
class Timer;

// The player's intentions, as a screen reports them to the flow.
class Intentions {
public:
    virtual ~Intentions() = default;
    // Ctrl+N: the fleet goes back to the harbour, which comes to the front.
    virtual void placer() = 0;
    // "Engager le combat" with the fleet laid out: the harbour closes and the battle begins.
    virtual void engager() = 0;
    // Ctrl+Q: the question, then the goodbye after Yes.
    virtual void quitter() = 0;
    // Ctrl+V: the voice screen over the screen in front.
    virtual void voix() = 0;
    // Ctrl+J: the About card over the screen that asked for it.
    virtual void aPropos(bool depuisLePort) = 0;
    // A question the player answers Yes or No, in a box over the screen in front.
    virtual bool demander(const QString& titre, const QString& question) = 0;
    // Speaks through the narrator.
    virtual void parler(const QString& texte) = 0;
    // The idle chatter switched on (a running countdown is left alone), or waiting a full interval anew.
    virtual void allumerPaix() = 0;
    virtual void relancerPaix() = 0;
    // A command key that the harbour does not take, for the battle screen's menu; true if a command ran.
    virtual bool commande(const QKeySequence& touches) = 0;
    // Start-up: the speech settings read and the narrator brought on; false when he cannot be.
    virtual bool installer() = 0;
    // The narrator finished this request (the farewell's end closes the game).
    virtual void requeteTerminee(int requete) = 0;
    // The window manager closed a game window: the game ends at once.
    virtual void fermer() = 0;
};

// A game window as the flow drives it.
class VueEcran {
public:
    virtual ~VueEcran() = default;
    // Borderless over the whole screen, in front.
    virtual void montrer() = 0;
    virtual void cacher() = 0;
    virtual bool visible() const = 0;
    // Raised and given the keyboard.
    virtual void passerDevant() = 0;
    // The screen's own activation: what it says and does when it comes to the front.
    virtual void activer() = 0;
    // Its board hidden or shown again while the About card lies over it.
    virtual void montrerPlateau(bool visible) = 0;
    virtual void repeindre() = 0;
    // The player is leaving: the screen takes no further command.
    virtual void fermerCommandes() = 0;
    // The window itself, where boxes open and the parrot stands; none for a screen without one.
    virtual QWidget* fenetre() = 0;
};

// The battle screen: a window, and the battle it runs.
class VueBatailleEcran : public VueEcran {
public:
    // The battle begins or goes on with the fleet as the harbour left it.
    virtual void engager() = 0;
    // Nothing may talk over the goodbye: the battle's timers stop.
    virtual void adieux() = 0;
    virtual bool enAdieux() const = 0;
    // Its menu's command for these keys, if one is enabled; true if it ran.
    virtual bool commande(const QKeySequence& touches) = 0;
    // The idle chatter's countdown.
    virtual Timer& paix() = 0;
    // The clips' level chosen on the voice screen, kept in the game's settings; why it could not be
    // written, empty when it was.
    virtual QString garderVolumeDesSons(int pourcent) {
        (void)pourcent;
        return {};
    }
};

// The voice screen and the About card, which open modally over the screen in front.
class EcransDeCote {
public:
    struct ChoixVoix {
        QString mode; // the voice's mode identifier
        int vitesse = 175;
        int hauteur = 50;
        int volume = 100;
        int sons = 100; // the clips' level, in percent
    };
    virtual ~EcransDeCote() = default;
    // The voice screen; the voice chosen when the player left it by Enter.
    virtual std::optional<ChoixVoix> choisirVoix(VueEcran& devant) = 0;
    virtual void aPropos(VueEcran& devant) = 0;
    // Why the speech engine has no French voice; empty when it has one.
    virtual QString sansVoix() const = 0;
};
