// The narrator's speech heard through the sound server: a stream for every text, fed as the server asks.
#pragma once

#include "audio/sortie_parole.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <memory>

class ConnexionPulse;
class FluxPulse;
class QTimer;

// A text is heard whole, however late its stream starts (a sink waking from suspend, a Bluetooth
// headset, a busy machine): the heard position is the stream's own. Only a lost server makes the text
// go on on its own timing, silent, ending when it would have been heard; the next text connects again.
// Between texts no stream stays open.
class SortieParolePulse : public SortieParole {
    Q_OBJECT
public:
    explicit SortieParolePulse(QObject* parent = nullptr);
    ~SortieParolePulse() override;

    bool disponible() const override;
    void commencer(int frequence) override;
    void ecrire(const QByteArray& pcm) override;
    void terminer() override;
    void couper() override;
    qint64 entendus() const override;

    // Whether a stream is open now (a text is being heard); none between texts.
    bool ouverte() const;
    // Whether the current text lost its server and goes on on its own timing.
    bool decrochee() const { return decroche_; }

private:
    void decrocher();
    void finir();
    void planifierFin();
    void lacherFlux();

    std::shared_ptr<ConnexionPulse> connexion_;
    std::unique_ptr<FluxPulse> flux_;
    QTimer* minuterie_ = nullptr; // the end of a text timed on its own, and the frozen server's limit
    int frequence_ = 0;
    qint64 recus_ = 0;      // samples of the current text received
    qint64 a_la_perte_ = 0; // samples heard when the server went
    QElapsedTimer depuis_perte_;
    bool actif_ = false;
    bool termine_ = false;
    bool decroche_ = false;
};
