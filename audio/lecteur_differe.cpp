// The parrot's texts, held until the game's turn is over and the screen reader has begun the window in front.
#include "audio/lecteur_differe.h"

#include "base/accessible.h"

#include <QTimer>

#include <algorithm>
#include <utility>

LecteurDiffere::LecteurDiffere(bool lecteurActif, QObject* parent)
    : SortieLecteur(parent)
    , minuteur_(new QTimer(this))
    , calme_(CalmeLecteur::commun())
    , lecteurActif_(lecteurActif) {
    horloge_.start();
    minuteur_->setSingleShot(true);
    connect(minuteur_, &QTimer::timeout, this, &LecteurDiffere::suivante);
    connect(&calme_, &CalmeLecteur::fenetreChangee, this, &LecteurDiffere::fenetreChangee);
}

bool LecteurDiffere::dire(int id, const QString& texte) {
    if (!disponible())
        return false;
    const qint64 maintenant = horloge_.elapsed();
    qint64 quand = maintenant + (lecteurActif_ ? calme_.reste() : 0);
    // behind a text still waiting, at the distance the parrot put between them
    if (!file_.isEmpty())
        quand = std::max(quand, file_.last().quand + maintenant - file_.last().arrivee);
    file_.append({id, texte, maintenant, quand});
    // A timer, even of 0 ms, runs out once this turn of the loop is over: whatever the game cuts or says
    // in this turn is settled by then.
    planifier();
    return true;
}

void LecteurDiffere::arreter(int id) {
    const auto attente =
        std::find_if(file_.begin(), file_.end(), [id](const Attente& a) { return a.id == id; });
    if (attente == file_.end()) {
        couper(id);
        return;
    }
    file_.erase(file_.begin(), attente + 1);
    couperTout();
    planifier();
}

bool LecteurDiffere::tient(int id) const {
    return tientEnvoye(id) ||
           std::any_of(file_.cbegin(), file_.cend(), [id](const Attente& a) { return a.id == id; });
}

void LecteurDiffere::planifier() {
    if (file_.isEmpty() || !pret()) {
        minuteur_->stop();
        return;
    }
    minuteur_->start(int(std::max<qint64>(0, file_.first().quand - horloge_.elapsed())));
}

void LecteurDiffere::suivante() {
    if (file_.isEmpty() || !pret())
        return;
    if (file_.first().quand > horloge_.elapsed()) {
        planifier();
        return;
    }
    const Attente a = file_.takeFirst();
    if (!envoyer(a.id, a.texte)) {
        Q_EMIT dit(a.id); // not reached: it ends here
        return;
    }
    planifier();
}

void LecteurDiffere::fenetreChangee() {
    if (!lecteurActif_ || file_.isEmpty())
        return;
    // what waits moves back with the first, keeping its spacing
    const qint64 calme = horloge_.elapsed() + calme_.reste();
    if (const qint64 retard = calme - file_.first().quand; retard > 0)
        for (Attente& a : file_)
            a.quand += retard;
    planifier();
}

void LecteurDiffere::lacherAttente() {
    minuteur_->stop();
    for (const Attente& a : std::exchange(file_, {}))
        Q_EMIT dit(a.id);
}
