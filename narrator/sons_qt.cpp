// Reading RIFF WAVE images and playing them through a QAudioSink, one clip at a time.
#include "narrator/sons_qt.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define CORSABORD_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORSABORD_ASAN 1
#endif
#endif
#ifdef CORSABORD_ASAN
#include <sanitizer/lsan_interface.h>
#endif

void quitterLeJeu(int statut) {
    std::fflush(nullptr);
#ifdef CORSABORD_ASAN
    // the leak check that would have run at exit
    if (__lsan_do_recoverable_leak_check() != 0 && statut == 0)
        statut = 1;
#endif
    std::_Exit(statut);
}

namespace {
int sinksLaches = 0;
} // namespace

void laisserPartir(QAudioSink* sink) {
    if (!sink)
        return;
    sink->disconnect();
    sink->stop();
    ++sinksLaches;
    QObject::connect(sink, &QObject::destroyed, [] { --sinksLaches; });
    QTimer::singleShot(2000, sink, &QObject::deleteLater);
}

void attendreLesSinksLaches(int ms) {
    QElapsedTimer montre;
    montre.start();
    while (sinksLaches > 0 && montre.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
}

SortieAudioQt::SortieAudioQt(const QAudioDevice& appareil, QObject* parent)
    : QObject(parent)
    , appareil_(appareil) {}

SortieAudioQt::~SortieAudioQt() {
    arreter();
}

bool SortieAudioQt::existe() const {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void SortieAudioQt::jouer(const ClipPcm& pcm) {
    arreter();
    const QAudioDevice appareil = appareil_.isNull() ? QMediaDevices::defaultAudioOutput() : appareil_;
    if (appareil.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(pcm.frequence);
    format.setChannelCount(pcm.canaux);
    format.setSampleFormat(pcm.bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);

    // the sink without a parent: Qt gives the sink's PulseAudio half the sink's parent, and a parent
    // deleting both would delete that half twice; the clip's buffer goes with the sink
    sink_ = new QAudioSink(appareil, format);
    tampon_ = new QBuffer(sink_);
    tampon_->setData(pcm.echantillons);
    tampon_->open(QIODevice::ReadOnly);
    QAudioSink* sink = sink_;
    connect(sink_, &QAudioSink::stateChanged, this, [this, sink, format](QAudio::State etat) {
        if (sink != sink_)
            return;
        if (sink->error() != QAudio::NoError && sink->error() != QAudio::UnderrunError) {
            arreter();
            return;
        }
        // Idle: every sample has been handed over, but the last of them are still in the sound server's
        // buffer. The stream is let go once they have been heard, unless a new clip has taken its place.
        if (etat == QAudio::IdleState) {
            const int resteMs =
                static_cast<int>(format.durationForBytes(static_cast<qint32>(sink->bufferSize())) / 1000);
            QTimer::singleShot(resteMs + 500, this, [this, sink] {
                if (sink == sink_ && sink->state() == QAudio::IdleState)
                    arreter();
            });
        }
    });
    sink_->start(tampon_);
}

qint64 SortieAudioQt::entendusUs() const {
    return sink_ ? sink_->processedUSecs() : 0;
}

void SortieAudioQt::arreter() {
    laisserPartir(std::exchange(sink_, nullptr));
    tampon_ = nullptr; // goes with its sink
}

LecteurSonsQt::LecteurSonsQt()
    : LecteurSonsQt(std::make_unique<SortieAudioQt>()) {}

LecteurSonsQt::LecteurSonsQt(std::unique_ptr<SortieAudio> sortie)
    : sortie_(std::move(sortie)) {}

void LecteurSonsQt::JouerSon(const QByteArray& clip) {
    if (clip.isEmpty())
        return;
    if (!sortie_->existe())
        return;
    const std::optional<ClipPcm> pcm = lireRiff(clip);
    // A clip that cannot be played is simply not heard: no default sound stands in for it.
    if (!pcm)
        return;
    sortie_->arreter();
    sortie_->jouer(*pcm);
}

void LecteurSonsQt::Bip() {
    if (!sortie_->existe())
        return;
    sortie_->arreter();
    sortie_->jouer(sonBip());
}

ClipPcm LecteurSonsQt::sonBip() {
    ClipPcm pcm;
    pcm.frequence = 22050;
    pcm.canaux = 1;
    pcm.bits = 16;
    // Two tones a fourth apart, each with a soft edge so that neither clicks.
    struct Ton {
        double frequence;
        double duree;
    };
    const Ton tons[] = {{880.0, 0.07}, {1174.66, 0.08}};
    for (const Ton& ton : tons) {
        const int n = static_cast<int>(ton.duree * pcm.frequence);
        const int bord = pcm.frequence / 200;
        for (int i = 0; i < n; ++i) {
            const double enveloppe = std::min({1.0, double(i) / bord, double(n - 1 - i) / bord});
            const double x = 0.45 * enveloppe *
                             (std::sin(2 * std::numbers::pi * ton.frequence * i / pcm.frequence) +
                              0.25 * std::sin(4 * std::numbers::pi * ton.frequence * i / pcm.frequence));
            const auto v = static_cast<qint16>(std::lround(32767 * x / 1.25));
            uchar octets[2];
            qToLittleEndian(v, octets);
            pcm.echantillons.append(reinterpret_cast<const char*>(octets), 2);
        }
    }
    return pcm;
}
