// The speaking character service: a character on the screen that plays animations and speaks.
#pragma once

#include "audio/reglages_parole.h"

#include <QObject>
#include <QString>

// Every request (showing, animation, speech) gets an id at once and completes later, in the order the
// requests were made on the character; each completion is reported once with its id.
class ServiceCompagnon : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setConnecte(bool connecte) = 0;
    virtual bool connecte() const = 0;

    // Whether the character's file is where the service looks for it.
    virtual bool personnageExiste(const QString& id) const = 0;
    // Loads the character under id from the file named by cle; false when it cannot be read.
    virtual bool charger(const QString& id, const QString& cle) = 0;
    // Whether a character is loaded under id.
    virtual bool personnage(const QString& id) const = 0;
    virtual void decharger(const QString& id) = 0;
    // Why the character could not be found or loaded, in words a player can act on: which file, and
    // where it was looked for. Empty when the service cannot say.
    virtual QString raisonAbsence() const { return QString(); }

    // The loaded character comes onto the screen with its showing animation.
    virtual int montrer() = 0;
    // Left and top of the character in pixels of the 1024 by 800 design.
    virtual void placer(int gauche, int haut) = 0;
    virtual int jouer(const QString& animation) = 0;
    // 1036 is French (France).
    virtual void setLangue(int langue) = 0;
    // A voice mode identifier in braces; false when the service refuses it and keeps its default voice.
    virtual bool setModeVoix(const QString& mode) = 0;
    virtual int parler(const QString& texte) = 0;
    // A text heard at balance, from -1 (full left) to +1 (full right); 0 is parler's centre.
    virtual int parlerPlace(const QString& texte, double balance) = 0;
    // The same for the words of the sector the aim or a board's cursor has reached, which a screen reader
    // may read from the focused cell itself.
    virtual int parlerCase(const QString& texte, double balance) {
        return balance == 0 ? parler(texte) : parlerPlace(texte, balance);
    }
    // The speed, pitch and volume of the texts said from now on; one left empty is the voice's own.
    virtual void appliquerReglages(const TagsParole& tags) = 0;
    // Cancels that request if it is waiting or under way; other requests go on.
    virtual void arreter(int requete) = 0;

Q_SIGNALS:
    void requeteTerminee(int requete);
};
