// The narrator's speech heard through Qt Multimedia: a QAudioSink fed in push mode.
#include "narrator/sortie_qt.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

namespace {
// How much sound the sink may hold ahead of what is heard.
constexpr int AVANCE_MS = 60;
constexpr int POMPE_MS = 5;
} // namespace

SortieParoleQt::SortieParoleQt(QObject* parent)
    : SortieParole(parent)
    , pompe_(new QTimer(this)) {
    pompe_->setInterval(POMPE_MS);
    pompe_->setTimerType(Qt::PreciseTimer);
    connect(pompe_, &QTimer::timeout, this, &SortieParoleQt::nourrir);
}

SortieParoleQt::~SortieParoleQt() {
    if (sink_)
        sink_->stop();
}

bool SortieParoleQt::disponible() const {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void SortieParoleQt::ouvrir(int frequence) {
    if (sink_ && frequence == frequence_)
        return;
    delete sink_;
    sink_ = nullptr;
    frequence_ = frequence;
    QAudioFormat format;
    format.setSampleRate(frequence);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
    if (sortie.isNull())
        return;
    sink_ = new QAudioSink(sortie, format, this);
    sink_->setBufferSize(frequence * 2 * AVANCE_MS / 1000);
}

void SortieParoleQt::commencer(int frequence) {
    couper();
    ouvrir(frequence);
    actif_ = true;
    termine_ = false;
    ecrits_ = 0;
    if (sink_)
        flux_ = sink_->start();
    pompe_->start();
}

void SortieParoleQt::ecrire(const QByteArray& pcm) {
    if (!actif_)
        return;
    attente_.append(pcm);
    nourrir();
}

void SortieParoleQt::terminer() {
    termine_ = true;
    nourrir();
}

void SortieParoleQt::couper() {
    attente_.clear();
    actif_ = false;
    termine_ = false;
    ecrits_ = 0;
    pompe_->stop();
    if (sink_ && flux_) {
        // reset drops what the sink still holds instead of letting it drain
        sink_->reset();
        sink_->stop();
    }
    flux_ = nullptr;
}

qint64 SortieParoleQt::entendus() const {
    if (!sink_ || !flux_ || frequence_ <= 0)
        return 0;
    const qint64 joues = sink_->processedUSecs() * frequence_ / 1000000;
    return qMin(joues, ecrits_ / 2);
}

void SortieParoleQt::nourrir() {
    if (!actif_)
        return;
    if (!sink_ || !flux_) {
        // the device went away: nothing can be heard, the text is over
        actif_ = false;
        pompe_->stop();
        attente_.clear();
        Q_EMIT jouee();
        return;
    }
    qint64 libre = sink_->bytesFree();
    while (libre >= 2 && !attente_.isEmpty()) {
        const qint64 morceau = qMin<qint64>(libre & ~qint64(1), attente_.size());
        const qint64 ecrit = flux_->write(attente_.constData(), morceau);
        if (ecrit <= 0)
            break;
        attente_.remove(0, ecrit);
        ecrits_ += ecrit;
        libre -= ecrit;
    }
    if (!termine_ || !attente_.isEmpty())
        return;
    // heard to the end, give or take a few milliseconds of rounding; or the sink ran dry
    const qint64 reste = ecrits_ / 2 - entendus();
    const QAudio::State etat = sink_->state();
    if (reste <= frequence_ / 200 || etat == QAudio::StoppedState ||
        (etat == QAudio::IdleState && reste <= frequence_ / 10)) {
        actif_ = false;
        pompe_->stop();
        Q_EMIT jouee();
    }
}
