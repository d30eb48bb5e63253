// Follows a text from the speech engine to the ear.
#include "narrator/suivi_parole.h"

#include "audio/lecteur_ecran.h"
#include "audio/moteur_parole.h"
#include "audio/sortie_parole.h"

#include <algorithm>
#include <cmath>

namespace {
// A screen reader that has not said a text in twice its own length and 10 s more has lost it: the game
// goes on. Its voice may be much slower than the parrot's, hence the room.
constexpr qint64 LECTEUR_MARGE_MS = 10000;
} // namespace

void SuiviParole::setLecteur(SortieLecteur* lecteur) {
    lecteur_ = lecteur;
}

void SuiviParole::commencer(FileRequetes::Requete& r) {
    const bool lecteur = lecteur_ && lecteur_->disponible();
    // a running screen reader says the focused cell itself: its words only show, on their own timing,
    // whether the texts go to that reader or to the parrot's voice, which would speak over it
    const bool caseLue = lecteurActif_ && r.case_lue && LECTEUR_LIT_LES_CASES;
    r.par_lecteur = lecteur && !caseLue && lecteur_->dire(r.id, r.nom);
    r.avec_son = !r.par_lecteur && !caseLue && sortie_.disponible();
    std::shared_ptr<ArriveeSon> arrivee;
    if (r.avec_son) {
        sortie_.setBalance(r.balance);
        sortie_.commencer(moteur_.frequence());
        // the engine feeds the output itself, so that the voice never waits on the game's thread
        arrivee = sortie_.arrivee();
        r.son_direct = arrivee != nullptr;
    }
    moteur_.dire(r.id, r.nom, std::move(arrivee));
}

bool SuiviParole::recevoirPcm(FileRequetes::Requete& r, const QByteArray& pcm) {
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    const qsizetype n = pcm.size() / 2;
    // the speech level, one measure per block, for the beak
    const qint64 debut = r.echantillons;
    for (qsizetype i = 0; i < n;) {
        const qint64 bloc = (debut + i) / BLOC;
        const qsizetype fin = std::min<qsizetype>(n, (bloc + 1) * BLOC - debut);
        double somme = 0;
        for (qsizetype j = i; j < fin; ++j)
            somme += double(s[j]) * s[j];
        const float rms = float(std::sqrt(somme / std::max<qsizetype>(1, fin - i)) / 32768.0);
        if (r.enveloppe.size() <= bloc)
            r.enveloppe.append(rms);
        else
            r.enveloppe[bloc] = std::max(r.enveloppe[bloc], rms);
        i = fin;
    }
    r.echantillons += n;
    if (r.avec_son && !r.son_direct)
        sortie_.ecrire(pcm);
    return !std::exchange(r.son_recu, true);
}

void SuiviParole::recevoirMot(FileRequetes::Requete& r, qint64 echantillon, int position) {
    r.mots.append({echantillon, position});
}

bool SuiviParole::recevoirFin(FileRequetes::Requete& r, qint64 echantillons) {
    r.synthese_finie = true;
    r.echantillons = std::max(r.echantillons, echantillons);
    if (r.avec_son && r.son_recu) {
        sortie_.terminer();
        return false;
    }
    return r.echantillons == 0 && !r.par_lecteur;
}

void SuiviParole::couper(FileRequetes::Requete& r) {
    moteur_.arreter(r.id);
    if (r.avec_son)
        sortie_.couper();
    if (r.par_lecteur && lecteur_)
        lecteur_->arreter(r.id);
}

// What is heard is the output's to say: a stream that starts late is waited for, and one whose server
// went goes on on the text's own timing there, so the balloon and the beak simply follow it.
bool SuiviParole::avancer(FileRequetes::Requete& r, int ms) {
    r.ecoule += ms;
    if (r.avec_son && r.son_recu)
        r.entendu = std::max(r.entendu, sortie_.entendus());
    if (!r.synthese_finie)
        return false;
    // timed when there is no output; heard: when the output says so, however late it plays, so that the
    // balloon and the game stay with the voice
    const bool muet = !r.avec_son || !r.son_recu;
    const qint64 duree = r.echantillons * 1000 / std::max(1, moteur_.frequence());
    // a reader that tells no end has the text for the parrot's own length
    if (r.par_lecteur && (!lecteur_ || lecteur_->ditSaFin()))
        return r.ecoule >= 2 * duree + LECTEUR_MARGE_MS;
    return muet && r.ecoule >= duree;
}

qint64 SuiviParole::position(const FileRequetes::Requete& r) const {
    if (!r.avec_son || !r.son_recu)
        return qint64(r.ecoule) * moteur_.frequence() / 1000;
    return r.entendu;
}

float SuiviParole::niveau(const FileRequetes::Requete& r, qint64 echantillon) {
    const qsizetype bloc = qsizetype(echantillon / BLOC);
    return bloc < r.enveloppe.size() ? r.enveloppe.at(bloc) : 0.0f;
}

int SuiviParole::caractere(const FileRequetes::Requete& r, qint64 echantillon) {
    int c = 0;
    for (const auto& m : r.mots)
        if (m.first <= echantillon)
            c = m.second;
    return c;
}
