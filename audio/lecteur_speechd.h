// The player's screen reader through speech-dispatcher: the voice, rate and language a player has set
// there for every program (Orca's own included), and the texts queued with its other speech.
#pragma once

#include "audio/lecteur_differe.h"
#include "audio/suivi_lecteur.h"

#include <memory>

class LecteurSpeechd : public LecteurDiffere {
    Q_OBJECT
public:
    ~LecteurSpeechd() override;

    // A connection to the player's speech-dispatcher (SPEECHD_ADDRESS, else the user's own socket,
    // started if need be as the desktop does), in French; nullptr and why, in French words, when it
    // cannot be reached.
    static std::unique_ptr<LecteurSpeechd> ouvrir(QString* erreur);

    bool disponible() const override { return connexion_ != nullptr; }
    // The texts go elsewhere from now on (the parrot's voice, the reader's notifications): everything of
    // ours still said or waiting there is cancelled, and none is sent again.
    void lacher();
    // The texts of ours speech-dispatcher still says or has waiting, or that wait to be sent.
    int enCours() const { return suivi_.enCours() + enAttente(); }

protected:
    bool envoyer(int id, const QString& texte) override;
    void couper(int id) override;
    void couperTout() override;
    bool tientEnvoye(int id) const override { return suivi_.tient(id); }

private:
    struct Connexion; // libspeechd's, which its header alone may name
    explicit LecteurSpeechd(Connexion* connexion);
    // On the game's thread: speech-dispatcher began, ended or dropped its message (libspeechd's event type).
    void evenement(int message, int type);
    // The connection broke: said once on the terminal, the parrot speaks again.
    void perdre();

    Connexion* connexion_;
    SuiviLecteur suivi_;
};
