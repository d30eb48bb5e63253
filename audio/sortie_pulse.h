// The narrator's speech heard through the sound server: a stream for every text, fed from the engine's
// thread.
#pragma once

#include "audio/sortie_parole.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <memory>

class CanalParole;
class ConnexionPulse;
class FluxPulse;
class QTimer;

// A text is heard whole, however late its stream starts (a sink waking from suspend, a Bluetooth
// headset, a busy machine): the heard position is the stream's own. Only a lost server makes the text
// go on on its own timing, silent, ending when it would have been heard; the next text connects again.
// The engine hands the sound over from its own thread (arrivee), so that a game thread held up by the
// display never runs the voice dry. Between texts no stream stays open.
class SortieParolePulse : public SortieParole {
    Q_OBJECT
public:
    explicit SortieParolePulse(QObject* parent = nullptr);
    ~SortieParolePulse() override;

    bool disponible() const override;
    void commencer(int frequence) override;
    void ecrire(const QByteArray& pcm) override;
    std::shared_ptr<ArriveeSon> arrivee() const override;
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
    qint64 recus() const;

    std::shared_ptr<ConnexionPulse> connexion_;
    std::unique_ptr<FluxPulse> flux_;
    std::shared_ptr<CanalParole> canal_; // the current text's way in, kept once heard for its count
    QTimer* minuterie_ = nullptr;        // the end of a text timed on its own, and the frozen server's limit
    int frequence_ = 0;
    qint64 a_la_perte_ = 0;   // samples heard when the server went
    qint64 entendus_fin_ = 0; // samples of the last text heard, once it is over
    QElapsedTimer depuis_perte_;
    bool actif_ = false;
    bool termine_ = false;
    bool decroche_ = false;
};
