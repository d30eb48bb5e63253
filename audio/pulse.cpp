// The game's one connection to the sound server (libpulse, threaded main loop) and its playback streams.
#include "audio/pulse.h"

#include <QMetaObject>

#include <pulse/context.h>
#include <pulse/operation.h>
#include <pulse/error.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <utility>

// Holds libpulse's loop lock for a scope: every call into the library from the game's thread goes under it.
class ConnexionPulse::Verrou {
public:
    explicit Verrou(pa_threaded_mainloop* boucle)
        : boucle_(boucle) {
        pa_threaded_mainloop_lock(boucle_);
    }
    ~Verrou() { pa_threaded_mainloop_unlock(boucle_); }
    Verrou(const Verrou&) = delete;
    Verrou& operator=(const Verrou&) = delete;

private:
    pa_threaded_mainloop* boucle_;
};

namespace {

// What a stream holds before the server starts playing it. The speech engine hands its sound over in
// 20 ms pieces, many times faster than it is played, so two pieces are enough to start on.
constexpr int AMORCE_MS = 40;

bool enEchec(pa_context_state_t etat) {
    return etat == PA_CONTEXT_FAILED || etat == PA_CONTEXT_TERMINATED;
}

// What the desktop's mixer and its sound policies are told about the game and its streams.
pa_proplist* proprietes(std::initializer_list<std::pair<const char*, QByteArray>> valeurs) {
    pa_proplist* p = pa_proplist_new();
    for (const auto& [cle, valeur] : valeurs)
        pa_proplist_sets(p, cle, valeur.constData());
    return p;
}

} // namespace

std::shared_ptr<ConnexionPulse> ConnexionPulse::partagee() {
    static std::weak_ptr<ConnexionPulse> partage;
    std::shared_ptr<ConnexionPulse> c = partage.lock();
    if (!c) {
        c = std::make_shared<ConnexionPulse>();
        partage = c;
    }
    return c;
}

ConnexionPulse::ConnexionPulse() {
    boucle_ = pa_threaded_mainloop_new();
    pa_threaded_mainloop_set_name(boucle_, "son");
    pa_threaded_mainloop_start(boucle_);
    Verrou verrou(boucle_);
    connecter();
}

ConnexionPulse::~ConnexionPulse() {
    {
        Verrou verrou(boucle_);
        if (contexte_) {
            pa_context_set_state_callback(contexte_, nullptr, nullptr);
            pa_context_disconnect(contexte_);
            pa_context_unref(contexte_);
            contexte_ = nullptr;
        }
    }
    pa_threaded_mainloop_stop(boucle_);
    pa_threaded_mainloop_free(boucle_);
}

void ConnexionPulse::connecter() {
    if (contexte_) {
        pa_context_set_state_callback(contexte_, nullptr, nullptr);
        pa_context_disconnect(contexte_);
        pa_context_unref(contexte_);
    }
    pa_proplist* p = proprietes({{PA_PROP_APPLICATION_NAME, QByteArrayLiteral("Corsabord")},
                                 {PA_PROP_APPLICATION_ID, QByteArrayLiteral("fr.corsabord.corsabord")},
                                 {PA_PROP_APPLICATION_ICON_NAME, QByteArrayLiteral("corsabord")},
                                 {PA_PROP_APPLICATION_LANGUAGE, QByteArrayLiteral("fr_FR")}});
    contexte_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(boucle_), "Corsabord", p);
    pa_proplist_free(p);
    pa_context_set_state_callback(
        contexte_, [](pa_context*, void* moi) { static_cast<ConnexionPulse*>(moi)->etatChange(); }, this);
    // never start a server of our own: the desktop's, or none
    pa_context_connect(contexte_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
}

void ConnexionPulse::etatChange() {
    const pa_context_state_t etat = pa_context_get_state(contexte_);
    if (etat != PA_CONTEXT_READY && !enEchec(etat))
        return;
    const std::vector<FluxPulse*> attente = std::exchange(en_attente_, {});
    for (FluxPulse* f : attente) {
        if (etat == PA_CONTEXT_READY)
            f->creer();
        else
            f->perdre();
    }
}

bool ConnexionPulse::assurer() {
    Verrou verrou(boucle_);
    if (!contexte_ || enEchec(pa_context_get_state(contexte_)))
        connecter();
    return !enEchec(pa_context_get_state(contexte_));
}

void ConnexionPulse::attendre(FluxPulse* flux) {
    en_attente_.push_back(flux);
}

void ConnexionPulse::oublier(FluxPulse* flux) {
    std::erase(en_attente_, flux);
}

FluxPulse::FluxPulse(std::shared_ptr<ConnexionPulse> connexion, Format format, const char* role,
                     const QString& nom, int avanceMs, QObject* parent)
    : QObject(parent)
    , connexion_(std::move(connexion))
    , format_(format)
    , role_(role)
    , nom_(nom.toUtf8())
    , avance_ms_(avanceMs) {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    const pa_context_state_t etat =
        connexion_->contexte_ ? pa_context_get_state(connexion_->contexte_) : PA_CONTEXT_FAILED;
    if (etat == PA_CONTEXT_READY)
        creer();
    else if (enEchec(etat))
        perdre();
    else
        connexion_->attendre(this);
}

FluxPulse::~FluxPulse() {
    fermer();
}

void FluxPulse::creer() {
    if (ferme_ || perdu_)
        return;
    pa_sample_spec echantillons{};
    echantillons.format = format_.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    echantillons.rate = static_cast<uint32_t>(format_.frequence);
    echantillons.channels = static_cast<uint8_t>(format_.canaux);
    pa_channel_map carte{};
    pa_channel_map_init_auto(&carte, echantillons.channels, PA_CHANNEL_MAP_DEFAULT);
    pa_proplist* p = proprietes({{PA_PROP_MEDIA_ROLE, role_}, {PA_PROP_MEDIA_NAME, nom_}});
    flux_ = pa_stream_new_with_proplist(connexion_->contexte_, nom_.constData(), &echantillons, &carte, p);
    pa_proplist_free(p);
    if (!flux_) {
        perdre();
        return;
    }
    pa_stream_set_state_callback(flux_, &FluxPulse::rappelEtat, this);
    pa_stream_set_started_callback(flux_, &FluxPulse::rappelDemarre, this);
    // The sink's latency: short, so that a new text or clip starts soon after the key. What the stream
    // holds beyond it (all it has been given) keeps a busy machine from running it dry.
    pa_buffer_attr tampon{};
    tampon.maxlength = static_cast<uint32_t>(-1);
    tampon.tlength = static_cast<uint32_t>(pa_usec_to_bytes(pa_usec_t(avance_ms_) * 1000, &echantillons));
    // it starts as soon as a little is there: the rest follows faster than it is played
    tampon.prebuf = static_cast<uint32_t>(pa_usec_to_bytes(pa_usec_t(AMORCE_MS) * 1000, &echantillons));
    tampon.minreq = static_cast<uint32_t>(-1);
    tampon.fragsize = static_cast<uint32_t>(-1);
    const auto drapeaux = static_cast<pa_stream_flags_t>(
        PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(flux_, nullptr, &tampon, drapeaux, nullptr, nullptr) < 0)
        perdre();
}

void FluxPulse::perdre() {
    if (perdu_ || ferme_)
        return;
    perdu_ = true;
    liberer();
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT perte(); }, Qt::QueuedConnection);
}

void FluxPulse::liberer() {
    if (vidange_op_) {
        pa_operation_cancel(vidange_op_);
        pa_operation_unref(vidange_op_);
        vidange_op_ = nullptr;
    }
    if (!flux_)
        return;
    pa_stream_set_state_callback(flux_, nullptr, nullptr);
    pa_stream_set_started_callback(flux_, nullptr, nullptr);
    if (pa_stream_get_state(flux_) == PA_STREAM_CREATING) {
        // The server has not answered yet, and a stream cannot be disconnected before it has: let go
        // now, it would be made all the same and stay connected, silent, its clock waking the sound
        // thread, until the server gave up on it. It is disconnected as soon as it is made.
        pa_stream_set_state_callback(flux_, &FluxPulse::rappelOrphelin, nullptr);
        flux_ = nullptr;
        return;
    }
    if (pa_stream_get_state(flux_) == PA_STREAM_READY)
        pa_stream_disconnect(flux_);
    pa_stream_unref(flux_);
    flux_ = nullptr;
}

void FluxPulse::nourrir() {
    if (!flux_ || pa_stream_get_state(flux_) != PA_STREAM_READY)
        return;
    // Everything there is goes to the server at once, beyond what it asks for: the sink's latency stays
    // the short one asked for, and a busy machine that keeps this thread waiting no longer runs the
    // stream dry in the middle of a word. A cut closes the stream, which drops whatever it still held.
    const qsizetype trame = qsizetype(format_.canaux) * (format_.bits / 8);
    qsizetype morceau = attente_.size() - lus_;
    morceau -= morceau % trame;
    if (morceau > 0) {
        if (pa_stream_write(flux_, attente_.constData() + lus_, size_t(morceau), nullptr, 0,
                            PA_SEEK_RELATIVE) < 0) {
            perdre();
            return;
        }
        lus_ += morceau;
        ecrits_ += morceau;
    }
    if (lus_ == attente_.size()) {
        attente_.clear();
        lus_ = 0;
    }
    if (termine_ && attente_.isEmpty() && !vidange_)
        vider();
}

void FluxPulse::vider() {
    vidange_ = true;
    // the server answers once it has played the last sample, however late the stream started
    vidange_op_ = pa_stream_drain(flux_, &FluxPulse::rappelVide, this);
    if (!vidange_op_)
        perdre();
}

void FluxPulse::rappelEtat(pa_stream* s, void* moi) {
    auto* f = static_cast<FluxPulse*>(moi);
    switch (pa_stream_get_state(s)) {
    case PA_STREAM_READY:
        f->nourrir();
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        f->perdre();
        break;
    default:
        break;
    }
}

void FluxPulse::rappelOrphelin(pa_stream* s, void*) {
    switch (pa_stream_get_state(s)) {
    case PA_STREAM_READY:
        pa_stream_disconnect(s);
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        pa_stream_set_state_callback(s, nullptr, nullptr);
        pa_stream_unref(s);
        break;
    default:
        break;
    }
}

void FluxPulse::rappelDemarre(pa_stream*, void* moi) {
    static_cast<FluxPulse*>(moi)->commence_ = true;
}

void FluxPulse::rappelVide(pa_stream*, int succes, void* moi) {
    auto* f = static_cast<FluxPulse*>(moi);
    if (f->vidange_op_) {
        pa_operation_unref(f->vidange_op_);
        f->vidange_op_ = nullptr;
    }
    if (!succes) {
        f->perdre();
        return;
    }
    f->joue_ = true;
    f->commence_ = true;
    QMetaObject::invokeMethod(
        f, [f] { Q_EMIT f->joue(); }, Qt::QueuedConnection);
}

void FluxPulse::ecrire(const QByteArray& pcm) {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    if (ferme_ || perdu_ || termine_)
        return;
    attente_.append(pcm);
    nourrir();
}

void FluxPulse::terminer() {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    if (ferme_ || perdu_ || termine_)
        return;
    termine_ = true;
    nourrir();
}

void FluxPulse::fermer() {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    if (ferme_)
        return;
    entendusSousVerrou();
    ferme_ = true;
    connexion_->oublier(this);
    liberer();
}

qint64 FluxPulse::entendusSousVerrou() const {
    const qint64 octetsParSeconde = qint64(format_.frequence) * format_.canaux * (format_.bits / 8);
    const qint64 total = ecrits_ * 1000000 / std::max<qint64>(1, octetsParSeconde);
    if (joue_)
        entendus_us_ = total;
    else if (commence_ && flux_ && pa_stream_get_state(flux_) == PA_STREAM_READY) {
        // before the server starts playing it, the stream's clock counts what the sink took ahead, not
        // what was heard
        pa_usec_t t = 0;
        if (pa_stream_get_time(flux_, &t) == 0)
            entendus_us_ = std::max(entendus_us_, std::min(qint64(t), total));
    }
    return entendus_us_;
}

qint64 FluxPulse::entendusUs() const {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    return entendusSousVerrou();
}

bool FluxPulse::perdu() const {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    return perdu_;
}

bool FluxPulse::commence() const {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    return commence_;
}

bool FluxPulse::ferme() const {
    ConnexionPulse::Verrou verrou(connexion_->boucle_);
    return ferme_ || perdu_;
}
