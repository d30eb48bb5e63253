// Where the narrator's speech is heard: a stream of 16-bit mono PCM that can be cut off at once.
#pragma once

#include <QByteArray>
#include <QObject>

#include <memory>

// Where a text's sound goes straight from the engine's own thread, without waiting on the game's: the
// sound output's side that takes it. Safe from any thread.
class ArriveeSon {
public:
    virtual ~ArriveeSon() = default;
    // Takes a piece of the text's sound.
    virtual void recevoir(const QByteArray& echantillons) = 0;
    // Milliseconds of sound taken and not yet heard; -1 when that cannot be told (the output lost its
    // server, or the text was cut), and the engine then does not wait on it.
    virtual int avanceMs() const = 0;
};

class SortieParole : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // False when the machine has no sound output: speech is then timed instead of heard.
    virtual bool disponible() const = 0;
    // A new text starts at this sample rate; what was still playing is dropped.
    virtual void commencer(int frequence) = 0;
    virtual void ecrire(const QByteArray& pcm) = 0;
    // Where the speech engine hands the current text's sound itself, from its own thread; none when the
    // output takes it only through ecrire.
    virtual std::shared_ptr<ArriveeSon> arrivee() const { return nullptr; }
    // No more sound for this text: jouee comes once it has all been heard.
    virtual void terminer() = 0;
    // Drops what is queued and silences the output now.
    virtual void couper() = 0;
    // Samples of the current text already heard.
    virtual qint64 entendus() const = 0;

    // Where the texts started from now on are placed, from -1 (full left) to +1 (full right).
    void setBalance(double balance) { balance_ = balance; }
    double balance() const { return balance_; }

Q_SIGNALS:
    void jouee();

protected:
    double balance_ = 0;
};
