// The battle's clips heard through the sound server: a stream for every clip.
#pragma once

#include "audio/lecteur_sons.h"

#include <QObject>

#include <memory>

class ConnexionPulse;
class FluxPulse;

// One clip at a time; its stream closes once the clip has been heard, so nothing stays open at rest.
class SortieAudioPulse : public QObject, public SortieAudio {
    Q_OBJECT
public:
    explicit SortieAudioPulse(QObject* parent = nullptr);
    ~SortieAudioPulse() override;

    bool existe() const override;
    void jouer(const ClipPcm& pcm, double balance) override;
    void arreter() override;
    // How far into the current clip the sound server has played, in microseconds; 0 with none.
    qint64 entendusUs() const;
    // Whether a clip's stream is open now.
    bool ouverte() const;

private:
    std::shared_ptr<ConnexionPulse> connexion_;
    std::unique_ptr<FluxPulse> flux_;
};
