// The player's screen reader through speech-dispatcher (libspeechd).
#include "audio/lecteur_speechd.h"

#include "base/terminal.h"

#include <QMetaObject>
#include <QtGlobal>

#include <libspeechd.h>

#include <atomic>
#include <cstdlib>
#include <utility>

namespace {
// libspeechd's callbacks carry no pointer of ours: there is one connection for the game.
std::atomic<LecteurSpeechd*> instance{nullptr};
std::atomic<size_t> client{0};
} // namespace

struct LecteurSpeechd::Connexion {
    SPDConnection* spd;
};

LecteurSpeechd::LecteurSpeechd(Connexion* connexion)
    : LecteurDiffere(false, nullptr)
    , connexion_(connexion) {}

LecteurSpeechd::~LecteurSpeechd() {
    // closing stops libspeechd's event thread: no callback comes after this
    if (connexion_)
        spd_close(connexion_->spd);
    delete connexion_;
    instance = nullptr;
}

std::unique_ptr<LecteurSpeechd> LecteurSpeechd::ouvrir(QString* erreur) {
    char* raison = nullptr;
    // autospawn: a desktop starts speech-dispatcher on its first client, Orca's or ours
    SPDConnection* c = spd_open2("corsabord", "jeu", nullptr, SPD_MODE_THREADED, nullptr, 1, &raison);
    // libspeechd's reason is English and spans lines: the player is told where it was looked for.
    std::free(raison);
    if (!c) {
        if (erreur) {
            const QString adresse = qEnvironmentVariable("SPEECHD_ADDRESS");
            *erreur = adresse.isEmpty() ? QStringLiteral("aucune réponse à son adresse habituelle")
                                        : QStringLiteral("aucune réponse à l'adresse %1").arg(adresse);
        }
        return nullptr;
    }
    std::unique_ptr<LecteurSpeechd> lecteur(new LecteurSpeechd(new Connexion{c}));
    instance = lecteur.get();
    client = size_t(spd_get_client_id(c));
    // The events come on libspeechd's own thread; the game's thread takes them in order.
    auto evenement = [](size_t message, size_t de, SPDNotificationType type) {
        LecteurSpeechd* l = instance.load();
        if (!l || de != client.load())
            return;
        QMetaObject::invokeMethod(
            l, [l, message, type] { l->evenement(int(message), type); }, Qt::QueuedConnection);
    };
    c->callback_begin = evenement;
    c->callback_end = evenement;
    c->callback_cancel = evenement;
    spd_set_notification_on(c, SPD_BEGIN);
    spd_set_notification_on(c, SPD_END);
    spd_set_notification_on(c, SPD_CANCEL);
    // French; the voice and rate stay those the player set for every program.
    spd_set_language(c, "fr");
    return lecteur;
}

bool LecteurSpeechd::envoyer(int id, const QString& texte) {
    // SPD_TEXT: the screen reader's own speech (Orca's, of priority message) goes first and cancels ours
    // when the player acts, so that the game never holds the reader back; ours then waits behind it, and
    // a text cancelled there ends as one said. The game sends one text at a time, after the end of the one
    // before, so that text priority's rule (the newest text cancels the one under way) never cuts its own.
    const int message = spd_say(connexion_->spd, SPD_TEXT, texte.toUtf8().constData());
    if (message < 0) {
        perdre();
        return false;
    }
    suivi_.envoye(id, message, texte, ecoule());
    return true;
}

void LecteurSpeechd::couper(int id) {
    if (connexion_ && suivi_.arreter(id) && spd_cancel(connexion_->spd) < 0)
        perdre();
}

void LecteurSpeechd::couperTout() {
    if (!connexion_ || suivi_.enCours() == 0)
        return;
    suivi_.lacher();
    if (spd_cancel(connexion_->spd) < 0)
        perdre();
}

void LecteurSpeechd::lacher() {
    lacherAttente();
    if (!connexion_ || suivi_.enCours() == 0)
        return;
    // forgotten first: the cancel events that come back find nothing to send again
    for (const int id : suivi_.lacher())
        Q_EMIT dit(id);
    if (spd_cancel(connexion_->spd) < 0)
        perdre();
}

void LecteurSpeechd::evenement(int message, int type) {
    const qint64 ms = ecoule();
    if (type == SPD_EVENT_BEGIN) {
        suivi_.commence(message, ms);
        return;
    }
    // Dropped for the screen reader's own speech (a window it reads, a key it echoes) before a word of it
    // was heard: said again after that speech, which text priority waits for.
    if (type == SPD_EVENT_CANCEL && connexion_)
        if (const std::optional<QString> texte = suivi_.reprendre(message, ms)) {
            const int nouveau = spd_say(connexion_->spd, SPD_TEXT, texte->toUtf8().constData());
            if (nouveau >= 0) {
                suivi_.renumeroter(message, nouveau);
                return;
            }
        }
    if (const int id = suivi_.fin(message))
        Q_EMIT dit(id);
}

void LecteurSpeechd::perdre() {
    direAuTerminal(QStringLiteral("Corsabord : speech-dispatcher ne répond plus ; le perroquet reprend sa "
                                  "propre voix."));
    instance = nullptr;
    spd_close(connexion_->spd);
    delete std::exchange(connexion_, nullptr);
    // what it still held will not be said: the parrot's texts under way there end
    for (const int id : suivi_.lacher())
        Q_EMIT dit(id);
    lacherAttente();
}
