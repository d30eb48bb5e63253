// The narrator's speech heard through Qt Multimedia: a fresh QAudioSink for every text, fed in push mode.
#pragma once

#include "narrator/sortie_parole.h"

#include <QByteArray>
#include <QElapsedTimer>

class QAudioSink;
class QIODevice;
class QTimer;

// Keeps only a short stretch of sound in the sink so that cutting off a text is heard at once. Every
// text gets its own sink, let go as soon as the text has been heard or cut: a sink started again
// comes back with a smaller buffer each time (Qt 6.4 on PulseAudio), and a sink left open costs
// wake-ups while the game rests. When the sound server stops taking the sound, the text goes on
// on its own timing, silent, and ends when it would have been heard.
class SortieParoleQt : public SortieParole {
    Q_OBJECT
public:
    explicit SortieParoleQt(QObject* parent = nullptr);
    ~SortieParoleQt() override;

    bool disponible() const override;
    void commencer(int frequence) override;
    void ecrire(const QByteArray& pcm) override;
    void terminer() override;
    void couper() override;
    qint64 entendus() const override;

    // Whether a sink is open now (a text is being heard); none between texts.
    bool ouverte() const { return sink_ != nullptr; }
    // Whether the current text lost its sound output and goes on on its own timing.
    bool decrochee() const { return decroche_; }

private:
    void nourrir();
    void decrocher();
    void lacher();
    void finir();
    qint64 positionSink() const;

    QAudioSink* sink_ = nullptr;
    QIODevice* flux_ = nullptr;
    QTimer* pompe_ = nullptr;
    QByteArray attente_;
    int frequence_ = 0;
    qint64 ecrits_ = 0; // bytes of the current text given to the sink
    qint64 recus_ = 0;  // samples of the current text received
    qint64 entendus_ = 0;
    QElapsedTimer immobile_; // since the heard position last moved
    QElapsedTimer horloge_;  // since the output was lost, for the text's own timing
    bool termine_ = false;
    bool actif_ = false;
    bool decroche_ = false;
};
