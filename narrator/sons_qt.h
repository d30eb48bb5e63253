// The game's sound output over Qt Multimedia: the battle's clips and the alert beep.
#pragma once

#include "narrator/riff.h"
#include "narrator/sons.h"

#include <QAudioDevice>
#include <QByteArray>
#include <QObject>

#include <memory>
#include <optional>

class QAudioSink;
class QBuffer;

// Ends the program with this status once the game has closed everything of its own. Qt's sound engine
// (Qt 6.4 on PulseAudio) tears its server connection down at exit without holding the lock of its
// PulseAudio main loop, and a few quits in a thousand then abort or crash in libpulse. Leaving from
// here skips that teardown: the system closes the connection with the process.
[[noreturn]] void quitterLeJeu(int statut);

// Stops a sink and deletes it a while later. Qt 6.4's PulseAudio sink may still hear from the server
// (a drain's answer) just after it is stopped and calls itself back then: deleted at once, it crashes.
void laisserPartir(QAudioSink* sink);

// Runs the event loop until every sink let go has been deleted, for at most ms: for the end of a run whose
// memory is checked for leaks, where a sink still waiting its turn would count as lost.
void attendreLesSinksLaches(int ms = 3000);

// Where the samples are heard: the machine's sound output, or a stand-in in tests.
class SortieAudio {
public:
    virtual ~SortieAudio() = default;
    // Whether the machine has a sound output at this moment.
    virtual bool existe() const = 0;
    // Starts the samples and returns at once.
    virtual void jouer(const ClipPcm& pcm) = 0;
    // Cuts off whatever this output is playing.
    virtual void arreter() = 0;
};

// The default sound output, one stream at a time. The narrator's speech has its own stream and
// plays on beside it.
class SortieAudioQt : public QObject, public SortieAudio {
    Q_OBJECT
public:
    // On the given device; with none, on whatever is the machine's default output at each clip.
    explicit SortieAudioQt(const QAudioDevice& appareil = QAudioDevice(), QObject* parent = nullptr);
    ~SortieAudioQt() override;

    bool existe() const override;
    void jouer(const ClipPcm& pcm) override;
    void arreter() override;
    // How far into the current clip the sound server has played, in microseconds; 0 with none.
    qint64 entendusUs() const;

private:
    QAudioDevice appareil_;
    QAudioSink* sink_ = nullptr;
    QBuffer* tampon_ = nullptr;
};

// Plays one clip at a time, as a one-shot player does: a new clip cuts off the one still playing.
class LecteurSonsQt : public LecteurSons {
public:
    // On the machine's default sound output.
    LecteurSonsQt();
    // On the given output (tests pass a stand-in).
    explicit LecteurSonsQt(std::unique_ptr<SortieAudio> sortie);

    void JouerSon(const QByteArray& clip) override;
    void Bip() override;

    // The alert: two short rising tones, 150 ms in all.
    static ClipPcm sonBip();

private:
    std::unique_ptr<SortieAudio> sortie_;
};
