// The speech engine behind the narrator: turns a French text into 16-bit mono PCM, in the background.
#pragma once

#include "audio/reglages_parole.h"
#include "audio/voix.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class ArriveeSon; // sortie_parole.h

// Texts are said one after the other in the order given, each under the caller's request id. Their
// sound arrives in pieces (pcm), with the start of each word (mot), then fin once the text is done or
// was stopped. Signals arrive on the thread that owns the engine object. Given an arrivee, the engine
// also hands each piece there itself, from its own thread, and keeps a little ahead of what is heard
// rather than making the whole text at once.
class MoteurParole : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Samples per second of the PCM.
    virtual int frequence() const = 0;
    // The French voices installed.
    virtual QList<VoixFrancaise> voix() const = 0;
    // Why this engine cannot speak French, in French words that name what is missing; empty when it
    // can. Texts are then timed but silent.
    virtual QString raisonSilence() const {
        return voix().isEmpty() ? QStringLiteral("aucune voix française n'est installée") : QString();
    }
    // Selects a voice by its engine name for the texts said from now on; false if it is unknown.
    virtual bool choisirVoix(const QString& nom) = 0;
    virtual QString voixChoisie() const = 0;
    // The current voice's speed (words per minute), pitch (0 to 100) and volume (0 to 200, 100 normal).
    struct Reglages {
        int vitesse = 175;
        int hauteur = 50;
        int volume = 100;
    };
    virtual Reglages reglages() const = 0;
    // The speed, pitch and volume of the texts said from now on; one left empty is the voice's own. The
    // volume is that of the speech alone.
    virtual void appliquer(const TagsParole& tags) = 0;
    virtual void dire(int id, const QString& texte, std::shared_ptr<ArriveeSon> arrivee) = 0;
    // Cuts that text short if it is being said, or drops it if it is waiting; fin still comes for it.
    virtual void arreter(int id) = 0;

Q_SIGNALS:
    void pcm(int id, const QByteArray& echantillons);
    // A word starts at that sample of the text's sound; position and longueur in characters of the text.
    void mot(int id, qint64 echantillon, int position, int longueur);
    void fin(int id, qint64 echantillons, bool interrompu);
};
