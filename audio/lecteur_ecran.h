// The player's own screen reader and braille display, as the parrot's texts reach them.
#pragma once

#include <QObject>
#include <QString>

// Speech through the player's screen reader instead of the parrot's own voice. Texts are said one after
// the other under the parrot's request ids; a text the parrot cuts is cancelled there before the next.
class SortieLecteur : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // False once the reader can no longer be reached: the parrot's own voice takes over.
    virtual bool disponible() const = 0;
    // Says texte after what the reader still says of ours; false when it was refused.
    virtual bool dire(int id, const QString& texte) = 0;
    // That text is cut: if the reader still says it or has it waiting, ours there are cancelled.
    virtual void arreter(int id) = 0;
    // Whether the reader tells when it has said a text (dit). One that cannot leaves each text its length
    // in the parrot's own voice, whose sound is made but not heard, so that the game keeps its flow.
    virtual bool ditSaFin() const { return true; }

Q_SIGNALS:
    // The reader has said that text to its end, or dropped it.
    void dit(int id);
};

// A braille display that shows each text the parrot says.
class SortieBraille {
public:
    virtual ~SortieBraille() = default;
    virtual void afficher(const QString& texte) = 0;
};
