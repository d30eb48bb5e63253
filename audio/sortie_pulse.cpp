// The narrator's speech heard through the sound server: a stream for every text, fed as the server asks.
#include "audio/sortie_pulse.h"

#include "audio/pulse.h"
#include "audio/stereo.h"

#include <QTimer>

#include <algorithm>

namespace {
// Sound held ahead of what is heard: a cut is silent at once whatever this is (the stream goes), so it
// is set for a busy machine, not for the cut.
constexpr int AVANCE_MS = 150;
// A server that has taken a whole text and not played it this long after its end is frozen, not late:
// no device takes that long to wake. The text then ends, so that the game never waits on it.
constexpr int GELE_MS = 10000;
} // namespace

SortieParolePulse::SortieParolePulse(QObject* parent)
    : SortieParole(parent)
    , connexion_(ConnexionPulse::partagee())
    , minuterie_(new QTimer(this)) {
    minuterie_->setSingleShot(true);
    connect(minuterie_, &QTimer::timeout, this, &SortieParolePulse::finir);
}

SortieParolePulse::~SortieParolePulse() {
    flux_.reset();
}

bool SortieParolePulse::disponible() const {
    return connexion_->assurer();
}

void SortieParolePulse::lacherFlux() {
    if (!flux_)
        return;
    flux_->disconnect(this);
    flux_.reset();
}

void SortieParolePulse::commencer(int frequence) {
    couper();
    frequence_ = frequence;
    actif_ = true;
    const bool stereo = balance_ != 0;
    flux_ = std::make_unique<FluxPulse>(connexion_, FluxPulse::Format{frequence, stereo ? 2 : 1, 16}, "game",
                                        QStringLiteral("Paroles du perroquet"), AVANCE_MS);
    connect(flux_.get(), &FluxPulse::joue, this, &SortieParolePulse::finir);
    connect(flux_.get(), &FluxPulse::perte, this, &SortieParolePulse::decrocher);
}

void SortieParolePulse::ecrire(const QByteArray& pcm) {
    if (!actif_)
        return;
    recus_ += pcm.size() / 2;
    if (decroche_ || !flux_)
        return;
    flux_->ecrire(balance_ != 0 ? placerEnStereo(pcm, 1, 16, balance_) : pcm);
}

void SortieParolePulse::terminer() {
    if (!actif_ || termine_)
        return;
    termine_ = true;
    if (decroche_) {
        planifierFin();
        return;
    }
    flux_->terminer();
    const qint64 resteMs = (recus_ - entendus()) * 1000 / std::max(1, frequence_);
    minuterie_->start(int(std::min<qint64>(resteMs + GELE_MS, 24 * 3600 * 1000)));
}

void SortieParolePulse::couper() {
    minuterie_->stop();
    lacherFlux();
    actif_ = false;
    termine_ = false;
    decroche_ = false;
    recus_ = 0;
    a_la_perte_ = 0;
}

qint64 SortieParolePulse::entendus() const {
    if (decroche_)
        return std::min(recus_, a_la_perte_ + depuis_perte_.elapsed() * frequence_ / 1000);
    if (!flux_)
        return 0;
    return std::min(recus_, flux_->entendusUs() * frequence_ / 1000000);
}

bool SortieParolePulse::ouverte() const {
    return flux_ && !flux_->ferme();
}

void SortieParolePulse::decrocher() {
    if (!actif_ || decroche_)
        return;
    a_la_perte_ = entendus();
    decroche_ = true;
    depuis_perte_.start();
    if (termine_)
        planifierFin();
}

void SortieParolePulse::planifierFin() {
    const qint64 resteMs = std::max<qint64>(0, (recus_ - entendus()) * 1000 / std::max(1, frequence_));
    minuterie_->start(int(std::min<qint64>(resteMs, 24 * 3600 * 1000)));
}

void SortieParolePulse::finir() {
    if (!actif_)
        return;
    minuterie_->stop();
    actif_ = false;
    // the stream goes now, from the server's answer; the object with the next text
    if (flux_)
        flux_->fermer();
    Q_EMIT jouee();
}
