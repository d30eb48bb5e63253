// Where the parrot's texts go: the sound output, the player's own screen reader and braille display,
// and what comes back from them.
#include "narrator/compagnon_perroquet.h"

#include "audio/lecteur_ecran.h"
#include "audio/moteur_espeak.h"

#include <QWidget>

void CompagnonPerroquet::livrer(Requete& r) {
    if (braille_)
        braille_->afficher(r.nom);
    suivi_.commencer(r);
}

void CompagnonPerroquet::setLecteur(SortieLecteur* lecteur) {
    SortieLecteur* avant = suivi_.lecteur();
    if (avant == lecteur)
        return;
    // What the reader left behind still says of ours stops there, and that text is over: the two voices
    // never overlap, and the queue does not wait on a reader no longer heard.
    Requete* r = file_.parleuse();
    const bool laisse = avant && r && r->par_lecteur;
    if (avant) {
        disconnect(avant, nullptr, this, nullptr);
        if (laisse) {
            avant->arreter(r->id);
            if (!r->synthese_finie)
                moteur_->arreter(r->id);
            finir(*r);
        }
    }
    suivi_.setLecteur(lecteur);
    if (lecteur)
        connect(lecteur, &SortieLecteur::dit, this, &CompagnonPerroquet::lecteurADit);
    if (laisse)
        avancerFile();
}

void CompagnonPerroquet::setBraille(std::unique_ptr<SortieBraille> braille) {
    braille_ = std::move(braille);
}

void CompagnonPerroquet::recevoirPcm(int id, const QByteArray& pcm) {
    if (Requete* r = file_.parole(id))
        if (suivi_.recevoirPcm(*r, pcm))
            Q_EMIT premierSon(id);
}

void CompagnonPerroquet::recevoirMot(int id, qint64 echantillon, int position, int) {
    if (Requete* r = file_.parole(id))
        suivi_.recevoirMot(*r, echantillon, position);
}

void CompagnonPerroquet::recevoirFin(int id, qint64 echantillons, bool) {
    Requete* r = file_.parole(id);
    if (r && suivi_.recevoirFin(*r, echantillons)) {
        finir(*r); // nothing to hear
        avancerFile();
    }
}

void CompagnonPerroquet::sonJoue() {
    Requete* r = file_.parleuse();
    if (!r || !SuiviParole::finiParLaSortie(*r))
        return;
    finir(*r);
    avancerFile();
}

void CompagnonPerroquet::lecteurADit(int id) {
    Requete* r = file_.parole(id);
    if (!r || !r->par_lecteur)
        return;
    if (!r->synthese_finie)
        moteur_->arreter(id); // its sound only moved the beak
    finir(*r);
    avancerFile();
}
