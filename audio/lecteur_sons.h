// The battle's clips and the alert beep, one at a time, on whatever output the game was given.
#pragma once

#include "audio/riff.h"
#include "audio/sons.h"

#include <QByteArray>

#include <memory>

// Where the samples are heard: the machine's sound output, or a stand-in in tests.
class SortieAudio {
public:
    virtual ~SortieAudio() = default;
    // Whether the machine has a sound output at this moment.
    virtual bool existe() const = 0;
    // Starts the samples, placed from -1 (full left) to +1 (full right), and returns at once.
    virtual void jouer(const ClipPcm& pcm, double balance) = 0;
    // Cuts off whatever this output is playing.
    virtual void arreter() = 0;
};

// Plays one clip at a time, as a one-shot player does: a new clip cuts off the one still playing.
class LecteurSonsJeu : public LecteurSons {
public:
    // On the machine's sound server.
    LecteurSonsJeu();
    // On the given output (tests pass a stand-in); cues, and runs, on outputs of their own when given.
    explicit LecteurSonsJeu(std::unique_ptr<SortieAudio> sortie, std::unique_ptr<SortieAudio> signaux = {},
                            std::unique_ptr<SortieAudio> suites = {});

    void JouerSon(const QByteArray& clip) override;
    void JouerSonPlace(const QByteArray& clip, double balance) override;
    void JouerSignal(const QByteArray& clip, double balance) override;
    void JouerSuite(const QList<SonPlace>& sons) override;
    void ArreterSuite() override;
    void Bip() override;
    void setVolumeClips(int pourcent) override { volume_ = pourcent; }
    int volumeClips() const override { return volume_; }

    // The alert: two short rising tones, 150 ms in all.
    static ClipPcm sonBip();

private:
    std::unique_ptr<SortieAudio> sortie_;
    std::unique_ptr<SortieAudio> signaux_; // the cues' own, so that a cue never cuts a shot's clip
    std::unique_ptr<SortieAudio> suites_;  // the glances' own, for the same reason
    int volume_ = 100;
    // The clip at the clips' level.
    ClipPcm aLaMesure(ClipPcm pcm) const;
};
