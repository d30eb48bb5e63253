// The player's screen reader through speech-dispatcher (libspeechd).
#include "audio/lecteur_speechd.h"

#include "base/terminal.h"

#include <QMetaObject>
#include <QtGlobal>
#include <QPointer>

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
    : connexion_(connexion) {}

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
    auto evenement = [](size_t message, size_t de, SPDNotificationType) {
        LecteurSpeechd* l = instance.load();
        if (!l || de != client.load())
            return;
        QMetaObject::invokeMethod(
            l, [l, message] { l->finir(int(message)); }, Qt::QueuedConnection);
    };
    c->callback_end = evenement;
    c->callback_cancel = evenement;
    spd_set_notification_on(c, SPD_END);
    spd_set_notification_on(c, SPD_CANCEL);
    // French; the voice and rate stay those the player set for every program.
    spd_set_language(c, "fr");
    return lecteur;
}

bool LecteurSpeechd::dire(int id, const QString& texte) {
    if (!connexion_)
        return false;
    // SPD_MESSAGE, not SPD_TEXT: the game's texts follow one another (the report after "FEU!", those
    // that waited behind a side screen) and a text of priority text would cancel the one before it
    // unheard, while a message waits for the end of the one said; nor is a message dropped for the screen
    // reader's own chatter (key echo, focus), which is of priority text. A cut is the game's to decide:
    // it cancels its own messages before the next (arreter), which is heard at once.
    const int message = spd_say(connexion_->spd, SPD_MESSAGE, texte.toUtf8().constData());
    if (message < 0) {
        perdre();
        return false;
    }
    suivi_.envoye(id, message);
    return true;
}

void LecteurSpeechd::arreter(int id) {
    if (connexion_ && suivi_.arreter(id) && spd_cancel(connexion_->spd) < 0)
        perdre();
}

void LecteurSpeechd::finir(int message) {
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
}
