// What the two main screens ask of the game's flow, so that neither reaches into the other.
#pragma once

#include <QKeySequence>
#include <QString>

class QWidget;

// The harbour's requests.
class DemandesPort {
public:
    virtual ~DemandesPort() = default;
    // Speaks through the narrator.
    virtual void parler(const QString& texte) = 0;
    // Switches the idle chatter on, leaving a running countdown alone.
    virtual void allumerPaix() = 0;
    // The idle chatter waits a full interval from now.
    virtual void relancerPaix() = 0;
    // The fleet sails: the harbour closes and the battle begins.
    virtual void engager() = 0;
    virtual void quitter() = 0;
    // The About screen over the harbour, its board hidden meanwhile.
    virtual void montrerAPropos(QWidget* plateau) = 0;
    // The window manager closed the harbour: the game ends at once, as for the battle window.
    virtual void fermerLeJeu() = 0;
    // A Control letter that the harbour's menu does not take; true if a command ran.
    virtual bool offrirRaccourci(const QKeySequence& touches) = 0;
};

// The battle screen's requests.
class DemandesBataille {
public:
    virtual ~DemandesBataille() = default;
    // The fleet goes back to the harbour, which comes to the front.
    virtual void ouvrirPort() = 0;
    virtual void repeindrePort() = 0;
    // The harbour's board hidden or shown again, as the About screen that lies over it asks.
    virtual void montrerPlateauDuPort(bool visible) = 0;
    // The game window in front, over which boxes open.
    virtual QWidget* devant() = 0;
    // The player is leaving: no screen takes any further command.
    virtual void fermerLesCommandes() = 0;
};
