// The battle's midend: each beat of an exchange of fire, from "FEU!" to the closing words.
#include "battle/echange.h"

#include "model/dessin.h"

#include "base/temps.h"
#include "base/timer.h"
#include "battle/journal.h"
#include "narrator/narrateur.h"
#include "audio/sons.h"
#include "audio/stereo.h"

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

int delaiSelonAllure(int ms, Allure allure) {
    return allure == Allure::Vive ? ms * 3 / 10 : ms;
}

QString texteAllure(Allure allure) {
    return allure == Allure::Vive
               ? QStringLiteral("Allure vive, amiral: chaque coup s'enchaîne trois fois plus vite.")
               : QStringLiteral("Allure normale, amiral: chaque coup prend le temps d'être entendu.");
}

QString texteNiveau(Niveau niveau) {
    switch (niveau) {
    case Niveau::Tenace:
        return QStringLiteral("Niveau tenace, amiral: l'ennemi ne lâche plus un navire qu'il a touché.");
    case Niveau::Vraisemblance:
        return QStringLiteral("Niveau vraisemblance, amiral: l'ennemi vise là où nos navires ont le plus de "
                              "chances de se trouver.");
    case Niveau::Classique:
        break;
    }
    return QStringLiteral("Niveau classique, amiral: l'ennemi tire comme il l'a toujours fait.");
}

Niveau niveauSuivant(Niveau niveau) {
    switch (niveau) {
    case Niveau::Classique:
        return Niveau::Tenace;
    case Niveau::Tenace:
        return Niveau::Vraisemblance;
    case Niveau::Vraisemblance:
        break;
    }
    return Niveau::Classique;
}

void Echange::armer(Timer* timer, int ms) {
    timer->setInterval(delaiSelonAllure(ms, allure_));
    timer->setEnabled(true);
}

void Echange::noterPartie() {
    if (!journal_)
        return;
    const EcritureSure e = journal_->noter(niveau_, partie_);
    erreurJournal_ = e.reussie ? QString() : e.raison;
}

void Echange::passerA(Phase phase) {
    phase_ = phase;
    vue_.activerAdverse(phase_ == Phase::TourDuJoueur);
}

double Echange::balance(int colonne) const {
    return stereo_ && colonne >= 1 ? balanceDeColonne(colonne - 1, TAILLE_MER) : 0;
}

void Echange::jouerClip(const QString& nom, int colonne) {
    if (nom.isEmpty())
        return;
    const double b = balance(colonne);
    if (b == 0)
        sons_.JouerSon(clips_(nom));
    else
        sons_.JouerSonPlace(clips_(nom), b);
}

void Echange::rien(int colonne) {
    if (!signalRien_)
        return;
    const double b = balance(colonne);
    sons_.JouerSignal(clips_(QStringLiteral("WaveRien")), b);
}

void Echange::direSecteur(const QString& texte, int colonne) {
    narrateur_.ParleCase(texte, balance(colonne));
    TimerPaix->relancer();
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
    // A battle left in the middle still counts in the logbook once the player has fired.
    if (phase_ == Phase::TourDuJoueur || phase_ == Phase::Echange)
        noterPartie();
    saisie_.annuler();
    refus_ = false;
    partie_.Initialise();
    passerA(Phase::Placement);
}

void Echange::demander(const Demande& demande) {
    if (phase_ != Phase::TourDuJoueur) {
        // A key outside the player's turn drops a typed sector under way.
        if (demande.geste == Demande::Geste::Taper)
            saisie_.annuler();
        return;
    }
    switch (demande.geste) {
    case Demande::Geste::Viser:
        viser(demande.secteur, demande.curseur);
        return;
    case Demande::Geste::Taper:
        taper(demande.touche, demande.secteur);
        return;
    case Demande::Geste::Tirer:
        tirer(demande.secteur);
        return;
    }
}

void Echange::viser(Case secteur, bool curseur) {
    const int colonne = secteur.colonne, ligne = secteur.ligne;
    refus_ = false;
    if (curseur && (partie_.viseur.colonne != colonne || partie_.viseur.ligne != ligne)) {
        partie_.viseur = {colonne, ligne};
        vue_.repeindreAdverse();
    }
    partie_.message_courant = annonceSecteur(partie_.tirs_joueur, colonne, ligne);
    narrateur_.ParleCase(partie_.message_courant, balance(colonne));
    TimerPaix->relancer();
}

Case Echange::survoler(int x, int y) {
    const Case c{std::clamp(celluleSous(x), 0, TAILLE_MER), std::clamp(celluleSous(y), 0, TAILLE_MER)};
    if (phase_ != Phase::TourDuJoueur)
        return {};
    if (x > CELLULE && y > CELLULE &&
        (partie_.viseur.colonne != c.colonne || partie_.viseur.ligne != c.ligne)) {
        partie_.viseur = {c.colonne, c.ligne};
        vue_.repeindreAdverse();
    }
    return c;
}

void Echange::taper(int touche, Case secteur) {
    const SaisieSecteur::Reponse saisie = saisie_.taper(touche);
    TimerPaix->relancer();
    if (!saisie.prise) {
        if (touche != Qt::Key_Space) {
            rien(secteur.colonne);
            return;
        }
        // After a refusal the last sector heard is the refusal's, not the aim's: Space names the aim
        // again, and only the next one fires at it.
        if (refus_)
            viser(secteur, true);
        else
            tirer(secteur);
        return;
    }
    if (!saisie.texte.isEmpty()) {
        narrateur_.Parle(saisie.texte);
        refus_ = saisie.cible.colonne == 0 && !saisie_.enCours();
    }
    if (saisie.cible.colonne > 0) {
        // A typed sector is named as the arrows name it, even when the aim was already there.
        vue_.montrerViseur(saisie.cible.colonne, saisie.cible.ligne);
        viser(saisie.cible, true);
    }
}

void Echange::tirer(Case secteur) {
    const int colonne = secteur.colonne, ligne = secteur.ligne;
    const ResultatTir r = ::feu(partie_, hasard_, com_, colonne, ligne);
    if (!r.tire) {
        narrateur_.Parle(r.message);
        return;
    }
    narrateur_.Parle(FEU);
    issue_ = r.message;
    jouerClip(r.clip, colonne);
    passerA(r.flotte_detruite ? Phase::FinDePartie : Phase::Echange);
    if (r.flotte_detruite)
        noterPartie();
    armer(TimerTir, r.intervalle);
}

void Echange::TimerTirTimer() {
    vue_.repeindreAdverse();
    TimerTir->setEnabled(false);
    narrateur_.Parle(issue_);
    if (partie_.victoire_joueur)
        armer(Timergagne, 6000);
    else
        armer(TimerReplique, 6000);
}

void Echange::TimerRepliqueTimer() {
    TimerReplique->setEnabled(false);
    narrateur_.Parle(FEU_ENNEMI);
    const ResultatTir r = ::feuennemi(partie_, hasard_, com_, niveau_);
    issue_ = r.message;
    vue_.cibleEnnemie(r.colonne, r.ligne);
    jouerClip(r.clip, r.colonne);
    if (r.flotte_detruite) {
        vue_.repeindreAdverse(); // the enemy fleet shows at once
        passerA(Phase::FinDePartie);
        noterPartie();
    }
    armer(TimerEnnemi, r.intervalle);
}

void Echange::TimerEnnemiTimer() {
    vue_.repeindreJoueur();
    TimerEnnemi->setEnabled(false);
    narrateur_.Parle(issue_);
    if (partie_.victoire_adverse)
        armer(Timergagne, 6000);
    else
        passerA(Phase::TourDuJoueur);
}

void Echange::TimergagneTimer() {
    Timergagne->setEnabled(false);
    const FinDePartie fin = finDePartie(partie_);
    // Ctrl+R repeats the closing words as soon as the clip starts.
    partie_.message_courant = fin.message;
    issue_ = fin.message;
    jouerClip(fin.clip);
    armer(TimerFinal, 4000);
}

void Echange::TimerFinalTimer() {
    TimerFinal->setEnabled(false);
    narrateur_.Parle(issue_);
}

void Echange::TimerPaixTimer() {
    if (vue_.joueurAbsent())
        return; // tried again at the next count, the remark not drawn
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
    if (phase_ == Phase::TourDuJoueur || phase_ == Phase::Echange)
        noterPartie();
    for (Timer* t : {TimerTir, TimerReplique, TimerEnnemi, Timergagne, TimerFinal, TimerPaix})
        t->setEnabled(false);
    passerA(Phase::Adieux);
}

void Echange::resumer(bool notreMer, bool colonne, int colonneVisee, int ligneVisee) {
    if (phase_ == Phase::Placement) {
        narrateur_.Parle(PAS_ENCORE_EN_MER);
        return;
    }
    const int numero = colonne ? colonneVisee : ligneVisee;
    narrateur_.Parle(notreMer ? resumeNotreMer(partie_.plan_joueur, partie_.tirs_adverse, colonne, numero)
                              : resumeAdverse(partie_.tirs_joueur, colonne, numero));
}

void Echange::NaviresAFlotClick() {
    narrateur_.Parle(phase_ == Phase::Placement ? PAS_ENCORE_EN_MER : naviresAFlot(partie_));
}
