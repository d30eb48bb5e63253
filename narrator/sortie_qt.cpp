// The narrator's speech heard through Qt Multimedia: a fresh QAudioSink for every text, fed in push mode.
#include "narrator/sortie_qt.h"

#include "narrator/sons_qt.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include <utility>

namespace {
// How much sound the sink may hold ahead of what is heard.
constexpr int AVANCE_MS = 60;
constexpr int POMPE_MS = 5;
// A heard position that stands still this long while sound waits means the server took no more.
constexpr int IMMOBILE_MS = 400;
// Once the output is lost, the text's end is only watched for.
constexpr int VEILLE_MS = 20;
} // namespace

SortieParoleQt::SortieParoleQt(QObject* parent)
    : SortieParole(parent)
    , pompe_(new QTimer(this)) {
    pompe_->setInterval(POMPE_MS);
    pompe_->setTimerType(Qt::PreciseTimer);
    connect(pompe_, &QTimer::timeout, this, &SortieParoleQt::nourrir);
}

SortieParoleQt::~SortieParoleQt() {
    lacher();
}

bool SortieParoleQt::disponible() const {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void SortieParoleQt::lacher() {
    if (!sink_)
        return;
    // Qt's PulseAudio sink runs the event loop in its destructor and may still be called back by the
    // server just after it stops: it goes from the event loop, a while later.
    flux_ = nullptr;
    laisserPartir(std::exchange(sink_, nullptr));
}

void SortieParoleQt::commencer(int frequence) {
    couper();
    frequence_ = frequence;
    actif_ = true;
    pompe_->setInterval(POMPE_MS);
    pompe_->start();
    immobile_.start();
    QAudioFormat format;
    format.setSampleRate(frequence);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
    if (sortie.isNull()) {
        decrocher();
        return;
    }
    // without a parent: Qt gives the sink's PulseAudio half the same parent, and the two must go together
    sink_ = new QAudioSink(sortie, format);
    sink_->setBufferSize(frequence * 2 * AVANCE_MS / 1000);
    flux_ = sink_->start();
    if (!flux_ || sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError)
        decrocher();
}

void SortieParoleQt::ecrire(const QByteArray& pcm) {
    if (!actif_)
        return;
    recus_ += pcm.size() / 2;
    if (decroche_)
        return;
    attente_.append(pcm);
    nourrir();
}

void SortieParoleQt::terminer() {
    termine_ = true;
    nourrir();
}

void SortieParoleQt::couper() {
    pompe_->stop();
    lacher();
    attente_.clear();
    actif_ = false;
    termine_ = false;
    decroche_ = false;
    ecrits_ = 0;
    recus_ = 0;
    entendus_ = 0;
}

qint64 SortieParoleQt::positionSink() const {
    if (!sink_ || frequence_ <= 0)
        return 0;
    const qint64 joues = sink_->processedUSecs() * frequence_ / 1000000;
    return qMin(joues, ecrits_ / 2);
}

qint64 SortieParoleQt::entendus() const {
    if (decroche_)
        return qMin(recus_, entendus_ + horloge_.elapsed() * frequence_ / 1000);
    return qMax(entendus_, positionSink());
}

void SortieParoleQt::decrocher() {
    lacher();
    attente_.clear();
    decroche_ = true;
    horloge_.start();
    pompe_->setInterval(VEILLE_MS);
    if (!pompe_->isActive())
        pompe_->start();
}

void SortieParoleQt::finir() {
    pompe_->stop();
    lacher();
    actif_ = false;
    Q_EMIT jouee();
}

void SortieParoleQt::nourrir() {
    if (!actif_)
        return;
    if (decroche_) {
        if (termine_ && entendus() >= recus_)
            finir();
        return;
    }
    if (!sink_ || !flux_ || sink_->error() == QAudio::FatalError || sink_->error() == QAudio::IOError) {
        decrocher();
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
    const qint64 position = positionSink();
    if (position > entendus_) {
        entendus_ = position;
        immobile_.start();
    } else if (recus_ - entendus_ > frequence_ / 50 && immobile_.elapsed() > IMMOBILE_MS) {
        decrocher();
        return;
    }
    if (!termine_ || !attente_.isEmpty())
        return;
    // heard to the end, give or take a few milliseconds of rounding; or the sink ran dry
    const qint64 reste = ecrits_ / 2 - entendus_;
    const QAudio::State etat = sink_->state();
    if (reste <= frequence_ / 200 || (etat == QAudio::IdleState && reste <= frequence_ / 10))
        finir();
}
