// The battle's midend: each beat of an exchange of fire, from "FEU!" to the closing words.
#include "battle/echange.h"

#include "app/temps.h"
#include "app/timer.h"
#include "narrator/narrateur.h"
#include "narrator/sons.h"

#include <algorithm>

Echange::Echange(Partie& partie, Hasard& hasard, Temps& temps, Narrateur& narrateur, LecteurSons& sons,
                 SourceClips clips, VueBataille& vue, QObject* parent)
    : QObject(parent)
    , partie_(partie)
    , hasard_(hasard)
    , narrateur_(narrateur)
    , sons_(sons)
    , clips_(std::move(clips))
    , vue_(vue) {
    TimerTir = temps.creerTimer(this, 4000);
    TimerReplique = temps.creerTimer(this, 6000);
    TimerEnnemi = temps.creerTimer(this, 6000);
    Timergagne = temps.creerTimer(this, 6000);
    TimerFinal = temps.creerTimer(this, 4000);
    // The idle chatter waits 40 s for its first remark.
    TimerPaix = temps.creerTimer(this, 40000, true);
    connect(TimerTir, &Timer::timeout, this, &Echange::TimerTirTimer);
    connect(TimerReplique, &Timer::timeout, this, &Echange::TimerRepliqueTimer);
    connect(TimerEnnemi, &Timer::timeout, this, &Echange::TimerEnnemiTimer);
    connect(Timergagne, &Timer::timeout, this, &Echange::TimergagneTimer);
    connect(TimerFinal, &Timer::timeout, this, &Echange::TimerFinalTimer);
    connect(TimerPaix, &Timer::timeout, this, &Echange::TimerPaixTimer);
}

void Echange::passerA(Phase phase) {
    phase_ = phase;
    vue_.activerAdverse(phase_ == Phase::TourDuJoueur);
}

void Echange::jouerClip(const QString& nom) {
    if (!nom.isEmpty())
        sons_.JouerSon(clips_(nom));
}

void Echange::engager() {
    if (phase_ == Phase::Adieux)
        return;
    passerA(Phase::TourDuJoueur);
}

void Echange::placer() {
    if (phase_ == Phase::Adieux)
        return;
    // A shot or an end still counting down would otherwise speak over the harbour and re-open the
    // enemy sea on the fresh battle.
    for (Timer* t : {TimerTir, TimerReplique, TimerEnnemi, Timergagne, TimerFinal})
        t->setEnabled(false);
    TimerPaix->setEnabled(false);
    partie_.Initialise();
    passerA(Phase::Placement);
}

void Echange::viser(int colonne, int ligne, bool curseur) {
    if (phase_ != Phase::TourDuJoueur)
        return;
    if (curseur && (partie_.viseur.colonne != colonne || partie_.viseur.ligne != ligne)) {
        partie_.viseur = {colonne, ligne};
        vue_.repeindreAdverse();
    }
    partie_.message_courant = annonceSecteur(partie_.tirs_joueur, colonne, ligne);
    narrateur_.Parle(partie_.message_courant);
    TimerPaix->relancer();
}

Case Echange::survoler(int x, int y) {
    constexpr int CELLULE = 32;
    const Case c{std::clamp(x / CELLULE, 0, TAILLE_MER), std::clamp(y / CELLULE, 0, TAILLE_MER)};
    if (phase_ != Phase::TourDuJoueur)
        return {};
    if (x > CELLULE && y > CELLULE &&
        (partie_.viseur.colonne != c.colonne || partie_.viseur.ligne != c.ligne)) {
        partie_.viseur = {c.colonne, c.ligne};
        vue_.repeindreAdverse();
    }
    return c;
}

void Echange::touche(bool espace, int colonne, int ligne) {
    if (phase_ != Phase::TourDuJoueur)
        return;
    TimerPaix->relancer();
    if (espace)
        feu(colonne, ligne);
}

void Echange::feu(int colonne, int ligne) {
    if (phase_ != Phase::TourDuJoueur)
        return;
    const ResultatTir r = ::feu(partie_, hasard_, com_, colonne, ligne);
    if (!r.tire) {
        narrateur_.Parle(r.message);
        return;
    }
    narrateur_.Parle(FEU);
    jouerClip(r.clip);
    passerA(r.flotte_detruite ? Phase::FinDePartie : Phase::Echange);
    TimerTir->setInterval(r.intervalle);
    TimerTir->setEnabled(true);
}

void Echange::TimerTirTimer() {
    vue_.repeindreAdverse();
    TimerTir->setEnabled(false);
    narrateur_.Parle(partie_.message_courant);
    if (partie_.victoire_joueur)
        Timergagne->setEnabled(true);
    else
        TimerReplique->setEnabled(true);
}

void Echange::TimerRepliqueTimer() {
    TimerReplique->setEnabled(false);
    narrateur_.Parle(FEU_ENNEMI);
    const ResultatTir r = ::feuennemi(partie_, hasard_, com_);
    vue_.cibleEnnemie(r.colonne, r.ligne);
    TimerEnnemi->setInterval(r.intervalle);
    jouerClip(r.clip);
    if (r.flotte_detruite) {
        vue_.repeindreAdverse(); // the enemy fleet shows at once
        passerA(Phase::FinDePartie);
    }
    TimerEnnemi->setEnabled(true);
}

void Echange::TimerEnnemiTimer() {
    vue_.repeindreJoueur();
    TimerEnnemi->setEnabled(false);
    narrateur_.Parle(partie_.message_courant);
    if (partie_.victoire_adverse)
        Timergagne->setEnabled(true);
    else
        passerA(Phase::TourDuJoueur);
}

void Echange::TimergagneTimer() {
    Timergagne->setEnabled(false);
    const FinDePartie fin = finDePartie(partie_);
    partie_.message_courant = fin.message;
    jouerClip(fin.clip);
    TimerFinal->setEnabled(true);
}

void Echange::TimerFinalTimer() {
    TimerFinal->setEnabled(false);
    narrateur_.Parle(partie_.message_courant);
}

void Echange::TimerPaixTimer() {
    RandomCom(hasard_, com_);
    narrateur_.Parle(com_.com_paix);
    TimerPaix->setInterval(intervallePaix(hasard_));
}

void Echange::Inspection1Click() {
    narrateur_.Parle(rapportNosPertes(partie_));
}

void Echange::DegatClick() {
    narrateur_.Parle(rapportPertesEnnemies(partie_));
}

void Echange::adieux() {
    for (Timer* t : {TimerTir, TimerReplique, TimerEnnemi, Timergagne, TimerFinal, TimerPaix})
        t->setEnabled(false);
    passerA(Phase::Adieux);
}
