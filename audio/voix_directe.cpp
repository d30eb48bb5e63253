// A voice without the parrot: says a text at once in a chosen voice, as the voice screen needs.
#include "audio/voix_directe.h"

#include "audio/lecteur_ecran.h"
#include "audio/moteur_parole.h"
#include "audio/sortie_parole.h"
#include "audio/sortie_pulse.h"

namespace {
// Far from the parrot's request ids, which count up from 1.
constexpr int PREMIER_ID = 1 << 30;
} // namespace

VoixDirecte::VoixDirecte(MoteurParole& moteur, QObject* parent, SortieParole* sortie)
    : QObject(parent)
    , moteur_(moteur)
    , sortie_(sortie ? sortie : new SortieParolePulse)
    , prochain_(PREMIER_ID) {
    sortie_->setParent(this);
    connect(&moteur_, &MoteurParole::pcm, this, [this](int id, const QByteArray& pcm) {
        if (id == en_cours_ && avec_son_ && !son_direct_)
            sortie_->ecrire(pcm);
    });
    connect(&moteur_, &MoteurParole::fin, this, [this](int id, qint64, bool) {
        if (id != en_cours_)
            return;
        if (avec_son_) {
            sortie_->terminer();
        } else {
            en_cours_ = 0;
            Q_EMIT fini();
        }
    });
    connect(sortie_, &SortieParole::jouee, this, [this] {
        if (en_cours_ == 0)
            return;
        en_cours_ = 0;
        Q_EMIT fini();
    });
}

void VoixDirecte::setLecteur(SortieLecteur* lecteur) {
    if (lecteur_)
        disconnect(lecteur_, nullptr, this, nullptr);
    lecteur_ = lecteur;
    if (!lecteur_)
        return;
    connect(lecteur_, &SortieLecteur::dit, this, [this](int id) {
        if (id != en_cours_ || !par_lecteur_)
            return;
        en_cours_ = 0;
        Q_EMIT fini();
    });
}

void VoixDirecte::dire(const QString& texte, const QString& voix) {
    arreter();
    if (!voix.isEmpty())
        moteur_.choisirVoix(voix);
    en_cours_ = ++prochain_;
    par_lecteur_ = lecteur_ && lecteur_->disponible() && lecteur_->dire(en_cours_, texte);
    if (par_lecteur_ && lecteur_->ditSaFin())
        return;
    // Asked once per text, as the parrot does: a sound server that went away is looked for again. A
    // reader that tells no end has the text while the engine makes it, unheard.
    avec_son_ = !par_lecteur_ && sortie_->disponible();
    std::shared_ptr<ArriveeSon> arrivee;
    if (avec_son_) {
        sortie_->commencer(moteur_.frequence());
        arrivee = sortie_->arrivee();
    }
    son_direct_ = arrivee != nullptr;
    moteur_.dire(en_cours_, texte, std::move(arrivee));
}

void VoixDirecte::arreter() {
    if (en_cours_ == 0)
        return;
    if (par_lecteur_ && lecteur_)
        lecteur_->arreter(en_cours_);
    if (!par_lecteur_ || (lecteur_ && !lecteur_->ditSaFin()))
        moteur_.arreter(en_cours_);
    if (!par_lecteur_)
        sortie_->couper();
    en_cours_ = 0;
    Q_EMIT fini();
}
