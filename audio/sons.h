// The game's sound output: the battle's clips and the alert beep.
#pragma once

#include <QByteArray>
#include <QList>

// One sound of a run: the clip, where it is heard (-1 full left to +1 full right), how many semitones
// above or below its recording, and when it starts from the run's start.
struct SonPlace {
    QByteArray clip;
    double balance = 0;
    double demiTons = 0;
    int debutMs = 0;
};

class LecteurSons {
public:
    virtual ~LecteurSons() = default;
    // Plays a whole RIFF WAVE image and returns at once; a new clip cuts off the one still playing.
    // Nothing happens for an empty clip or when the machine has no sound output.
    virtual void JouerSon(const QByteArray& clip) = 0;
    // The same, placed from -1 (full left) to +1 (full right): where on the sea a shot fell.
    virtual void JouerSonPlace(const QByteArray& clip, double balance) {
        (void)balance;
        JouerSon(clip);
    }
    // A short cue over whatever plays, cutting nothing: a shot's clip goes on under it.
    virtual void JouerSignal(const QByteArray& clip, double balance) { JouerSonPlace(clip, balance); }
    // A run of short sounds (a glance over the sea) heard as one, on a stream of its own that neither
    // cuts nor is cut by a shot's clip or a cue; a new run cuts the one still playing.
    virtual void JouerSuite(const QList<SonPlace>& sons) { (void)sons; }
    // Cuts the run under way at once; nothing when none plays.
    virtual void ArreterSuite() {}
    // A short alert of our own (a desktop bell is often silent).
    virtual void Bip() = 0;
    // The clips' and cues' level in percent of their own (100, the default, leaves them as they are),
    // apart from the speech's.
    virtual void setVolumeClips(int pourcent) { (void)pourcent; }
    virtual int volumeClips() const { return 100; }
};
