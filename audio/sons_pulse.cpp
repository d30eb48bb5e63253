// The battle's clips heard through the sound server: a stream for every clip.
#include "audio/sons_pulse.h"

#include "audio/pulse.h"
#include "audio/stereo.h"

namespace {
// A clip is handed over whole; this only bounds what the server holds ahead of what is heard.
constexpr int AVANCE_MS = 150;
} // namespace

SortieAudioPulse::SortieAudioPulse(QObject* parent)
    : QObject(parent)
    , connexion_(ConnexionPulse::partagee()) {}

SortieAudioPulse::~SortieAudioPulse() {
    arreter();
}

bool SortieAudioPulse::existe() const {
    return connexion_->assurer();
}

void SortieAudioPulse::jouer(const ClipPcm& pcm, double balance) {
    arreter();
    const bool place = balance != 0;
    const FluxPulse::Format format{pcm.frequence, place ? 2 : pcm.canaux, place ? 16 : pcm.bits};
    flux_ = std::make_unique<FluxPulse>(connexion_, format, "game", QStringLiteral("Bruitages"), AVANCE_MS);
    FluxPulse* flux = flux_.get();
    // heard: the stream goes, and the server has one client less to serve at rest
    connect(flux, &FluxPulse::joue, this, [flux] { flux->fermer(); });
    flux->ecrire(place ? placerEnStereo(pcm.echantillons, pcm.canaux, pcm.bits, balance) : pcm.echantillons);
    flux->terminer();
}

void SortieAudioPulse::arreter() {
    flux_.reset();
}

qint64 SortieAudioPulse::entendusUs() const {
    return flux_ ? flux_->entendusUs() : 0;
}

bool SortieAudioPulse::ouverte() const {
    return flux_ && !flux_->ferme();
}
