// The narrator's speech heard through the sound server: a stream for every text, fed from the engine's
// thread.
#include "audio/sortie_pulse.h"

#include "audio/pulse.h"
#include "audio/stereo.h"

#include <QMutex>
#include <QMutexLocker>
#include <QTimer>

#include <algorithm>

namespace {
// Sound the server holds ahead of what is heard. The engine keeps most of a second more on our side of
// it, written from its own thread, so this only has to cover the sound thread being late; a cut is silent
// at once whatever this is (the stream goes).
constexpr int AVANCE_MS = 150;
// A server that has taken a whole text and not played it this long after its end is frozen, not late:
// no device takes that long to wake. The text then ends, so that the game never waits on it.
constexpr int GELE_MS = 10000;
// The most of a text's opening silence left out.
constexpr int SILENCE_COUPE_MS = 250;
} // namespace

// One text's way into the stream, from any thread: once the text is over or cut it takes nothing more,
// so a piece made late never reaches the next text.
class CanalParole : public ArriveeSon {
public:
    CanalParole(FluxPulse* flux, double balance, int frequence)
        : flux_(flux)
        , balance_(balance)
        , frequence_(std::max(1, frequence)) {}

    void recevoir(const QByteArray& pcm) override {
        QMutexLocker verrou(&verrou_);
        recus_ += pcm.size() / 2;
        QByteArray son = pcm;
        if (en_tete_) {
            // The voice opens every text with a pause before its first sound (longer before a "k" or a
            // "p"): silence that would only delay the word after the key. It is not sent; it counts as
            // heard as soon as the rest is.
            const qsizetype muets =
                std::min<qsizetype>(silencesEnTete(son), frequence_ * SILENCE_COUPE_MS / 1000 - sautes_);
            sautes_ += muets;
            son.remove(0, muets * 2);
            en_tete_ = son.isEmpty() && sautes_ < frequence_ * SILENCE_COUPE_MS / 1000;
        }
        if (flux_ && !son.isEmpty())
            flux_->ecrire(balance_ != 0 ? placerEnStereo(son, 1, 16, balance_) : son);
    }
    int avanceMs() const override {
        QMutexLocker verrou(&verrou_);
        if (!flux_ || flux_->ferme())
            return -1;
        return int(std::max<qint64>(0, recus_ - entendusSousVerrou(flux_->entendusUs())) * 1000 / frequence_);
    }
    // Samples of the text heard, from what the stream has played of it (us).
    qint64 entendus(qint64 us) const {
        QMutexLocker verrou(&verrou_);
        return entendusSousVerrou(us);
    }
    void fermer() {
        QMutexLocker verrou(&verrou_);
        flux_ = nullptr;
    }
    qint64 recus() const {
        QMutexLocker verrou(&verrou_);
        return recus_;
    }

private:
    qint64 entendusSousVerrou(qint64 us) const {
        // The opening silence left out is heard with the first sound, not before. The stream's time is
        // rounded up: whole microseconds of a whole count of samples give that count back, not one less.
        return us > 0 ? std::min(recus_, sautes_ + (us * frequence_ + 999999) / 1000000) : 0;
    }

    mutable QMutex verrou_;
    FluxPulse* flux_;
    const double balance_;
    const int frequence_;
    qint64 recus_ = 0;
    qint64 sautes_ = 0; // samples of the opening silence left out
    bool en_tete_ = true;
};

SortieParolePulse::SortieParolePulse(QObject* parent)
    : SortieParole(parent)
    , connexion_(ConnexionPulse::partagee())
    , minuterie_(new QTimer(this)) {
    minuterie_->setSingleShot(true);
    connect(minuterie_, &QTimer::timeout, this, &SortieParolePulse::finir);
}

SortieParolePulse::~SortieParolePulse() {
    if (canal_)
        canal_->fermer();
    flux_.reset();
}

bool SortieParolePulse::disponible() const {
    return connexion_->assurer();
}

void SortieParolePulse::lacherFlux() {
    if (canal_)
        canal_->fermer();
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
    canal_ = std::make_shared<CanalParole>(flux_.get(), balance_, frequence_);
}

void SortieParolePulse::ecrire(const QByteArray& pcm) {
    if (actif_ && canal_)
        canal_->recevoir(pcm);
}

std::shared_ptr<ArriveeSon> SortieParolePulse::arrivee() const {
    return actif_ ? canal_ : nullptr;
}

qint64 SortieParolePulse::recus() const {
    return canal_ ? canal_->recus() : 0;
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
    const qint64 resteMs = (recus() - entendus()) * 1000 / std::max(1, frequence_);
    minuterie_->start(int(std::min<qint64>(resteMs + GELE_MS, 24 * 3600 * 1000)));
}

void SortieParolePulse::couper() {
    minuterie_->stop();
    lacherFlux();
    canal_.reset();
    actif_ = false;
    termine_ = false;
    decroche_ = false;
    a_la_perte_ = 0;
    entendus_fin_ = 0;
}

qint64 SortieParolePulse::entendus() const {
    if (!actif_)
        return entendus_fin_;
    if (decroche_)
        return std::min(recus(), a_la_perte_ + depuis_perte_.elapsed() * frequence_ / 1000);
    if (!flux_ || !canal_)
        return 0;
    return canal_->entendus(flux_->entendusUs());
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
    const qint64 resteMs = std::max<qint64>(0, (recus() - entendus()) * 1000 / std::max(1, frequence_));
    minuterie_->start(int(std::min<qint64>(resteMs, 24 * 3600 * 1000)));
}

void SortieParolePulse::finir() {
    if (!actif_)
        return;
    minuterie_->stop();
    entendus_fin_ = entendus();
    actif_ = false;
    if (canal_)
        canal_->fermer();
    // the stream goes now, from the server's answer; the object with the next text
    if (flux_)
        flux_->fermer();
    Q_EMIT jouee();
}
