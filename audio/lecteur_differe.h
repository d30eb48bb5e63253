// The one place where the parrot's texts wait before they reach the player's screen reader.
#pragma once

#include "audio/lecteur_ecran.h"

#include <QElapsedTimer>
#include <QList>

class CalmeLecteur;
class QTimer;

// A screen reader handed the parrot's texts at the end of the game's turn, not at once: a text the game
// cuts or replaces in the same turn (Ctrl+T resets the harbour, whose welcome the fleet's report follows
// at once) never reaches it, where it would start for a syllable. While a screen reader runs, it first reads
// each window that comes in front; a text handed meanwhile would be cut by that reading, or cut it, so the
// texts wait until it has begun, keeping the spacing the parrot gave them.
class LecteurDiffere : public SortieLecteur {
    Q_OBJECT
public:
    bool dire(int id, const QString& texte) final;
    // A text still waiting here is dropped, with the stale ones before it; one handed already is cut there.
    void arreter(int id) final;
    // Whether a screen reader runs, which reads the windows coming in front.
    void setLecteurActif(bool actif) { lecteurActif_ = actif; }
    // Whether that text of ours waits here, or is still said there.
    bool tient(int id) const;

protected:
    LecteurDiffere(bool lecteurActif, QObject* parent);

    // Hands the text to the reader; false when it can no longer be reached.
    virtual bool envoyer(int id, const QString& texte) = 0;
    // That text, handed already, is cut there; or everything of ours said or waiting there, now stale.
    virtual void couper(int) {}
    virtual void couperTout() {}
    virtual bool tientEnvoye(int) const { return false; }
    // Whether the reader can be handed a text now; once it can, planifier() hands what waits.
    virtual bool pret() const { return true; }

    void planifier();
    // Milliseconds since the reader was made: its one clock.
    qint64 ecoule() const { return horloge_.elapsed(); }
    // Every text waiting here is dropped: each ends for the parrot.
    void lacherAttente();
    int enAttente() const { return int(file_.size()); }

private:
    struct Attente {
        int id;
        QString texte;
        qint64 arrivee;
        qint64 quand;
    };
    void suivante();
    void fenetreChangee();

    QList<Attente> file_;
    QElapsedTimer horloge_;
    QTimer* minuteur_;
    CalmeLecteur& calme_;
    bool lecteurActif_;
};
