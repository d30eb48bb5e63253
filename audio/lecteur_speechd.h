// The player's screen reader through speech-dispatcher: the voice, rate and language a player has set
// there for every program (Orca's own included), and the texts queued with its other speech.
#pragma once

#include "audio/lecteur_ecran.h"
#include "audio/suivi_lecteur.h"
#include "base/accessible.h"

#include <QElapsedTimer>
#include <QList>

#include <memory>

class QTimer;

class LecteurSpeechd : public SortieLecteur {
    Q_OBJECT
public:
    ~LecteurSpeechd() override;

    // A connection to the player's speech-dispatcher (SPEECHD_ADDRESS, else the user's own socket,
    // started if need be as the desktop does), in French; nullptr and why, in French words, when it
    // cannot be reached.
    static std::unique_ptr<LecteurSpeechd> ouvrir(QString* erreur);

    bool disponible() const override { return connexion_ != nullptr; }
    bool dire(int id, const QString& texte) override;
    void arreter(int id) override;
    // The texts go elsewhere from now on (the parrot's voice, the reader's notifications): everything of
    // ours still said or waiting there is cancelled, and none is sent again.
    void lacher();
    // A screen reader runs, which reads each window coming in front: a text sent meanwhile waits until
    // that reading has begun (CalmeLecteur), then queues behind it instead of being cut by it after a
    // syllable and said again.
    void setLecteurActif(bool actif) { lecteurActif_ = actif; }
    // The texts of ours speech-dispatcher still says or has waiting, or that wait to be sent.
    int enCours() const { return suivi_.enCours() + int(enAttente_.size()); }
    bool tient(int id) const;

private:
    struct Connexion; // libspeechd's, which its header alone may name
    explicit LecteurSpeechd(Connexion* connexion);
    // On the game's thread: speech-dispatcher began, ended or dropped its message (libspeechd's event type).
    void evenement(int message, int type);
    // The connection broke: said once on the terminal, the parrot speaks again.
    void perdre();
    bool envoyer(int id, const QString& texte);
    void envoyerAttente();

    Connexion* connexion_;
    SuiviLecteur suivi_;
    QElapsedTimer horloge_;
    struct Attente {
        int id;
        QString texte;
    };
    QList<Attente> enAttente_; // not sent yet: the screen reader reads the window in front
    CalmeLecteur calme_;
    QTimer* minuteur_;
    bool lecteurActif_ = false;
};
