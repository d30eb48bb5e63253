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
    TimerLegende = temps.creerTimer(this, 400);
    connect(TimerTir, &Timer::timeout, this, &Echange::TimerTirTimer);
    connect(TimerReplique, &Timer::timeout, this, &Echange::TimerRepliqueTimer);
    connect(TimerEnnemi, &Timer::timeout, this, &Echange::TimerEnnemiTimer);
    connect(Timergagne, &Timer::timeout, this, &Echange::TimergagneTimer);
    connect(TimerFinal, &Timer::timeout, this, &Echange::TimerFinalTimer);
    connect(TimerPaix, &Timer::timeout, this, &Echange::TimerPaixTimer);
    connect(TimerLegende, &Timer::timeout, this, &Echange::nommerSuivant);
    connect(&narrateur_, &Narrateur::requeteTerminee, this, &Echange::legendeEntendue);
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
    pause_ = false;
    enSuspens_.clear();
    dernierNous_.reset();
    dernierEux_.reset();
    nousEnCours_.reset();
    euxEnCours_.reset();
    raconte_.reset();
    // A battle left in the middle still counts in the logbook once the player has fired.
    if (phase_ == Phase::TourDuJoueur || phase_ == Phase::Echange)
        noterPartie();
    saisie_.annuler();
    refus_ = false;
    partie_.Initialise();
    passerA(Phase::Placement);
}

void Echange::demander(const Demande& demande) {
    if (phase_ != Phase::TourDuJoueur || pause_) {
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
    partie_.message_courant = bref_ ? annonceBreve(partie_.tirs_joueur, colonne, ligne)
                                    : annonceSecteur(partie_.tirs_joueur, colonne, ligne);
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
    Partie avant = partie_;
    const ResultatTir r = ::feu(partie_, hasard_, com_, colonne, ligne);
    if (!r.tire) {
        const bool rappel = bref_ && !r.message.isEmpty();
        if (rappel)
            partie_.message_courant = annonceBreve(partie_.tirs_joueur, colonne, ligne);
        narrateur_.Parle(rappel ? partie_.message_courant : r.message, GenreTexte::Secteur);
        return;
    }
    narrateur_.Parle(FEU);
    // In brief the result follows "FEU!" in plain words, and its beat says nothing more.
    issue_ = bref_ ? QString() : r.message;
    nousEnCours_ = r.coup();
    raconte_ = std::move(avant);
    if (bref_) {
        partie_.message_courant = r.bref;
        narrateur_.ParleEnSuite(r.bref, GenreTexte::Rapport);
        raconter();
    }
    jouerClip(r.clip, colonne);
    passerA(r.flotte_detruite ? Phase::FinDePartie : Phase::Echange);
    if (r.flotte_detruite)
        noterPartie();
    armer(TimerTir, r.intervalle);
}

void Echange::TimerTirTimer() {
    vue_.repeindreAdverse();
    TimerTir->setEnabled(false);
    narrateur_.Parle(issue_, GenreTexte::Rapport);
    raconter();
    if (partie_.victoire_joueur)
        armer(Timergagne, 6000);
    else
        armer(TimerReplique, 6000);
}

void Echange::TimerRepliqueTimer() {
    TimerReplique->setEnabled(false);
    narrateur_.Parle(FEU_ENNEMI);
    raconte_ = partie_;
    const ResultatTir r = ::feuennemi(partie_, hasard_, com_, niveau_);
    euxEnCours_ = r.coup();
    issue_ = bref_ ? r.bref : r.message;
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
    if (bref_)
        partie_.message_courant = issue_;
    narrateur_.Parle(issue_, GenreTexte::Rapport);
    raconter();
    if (partie_.victoire_adverse)
        armer(Timergagne, 6000);
    else
        passerA(Phase::TourDuJoueur);
}

void Echange::raconter() {
    raconte_.reset();
    if (nousEnCours_) {
        dernierNous_ = std::exchange(nousEnCours_, std::nullopt);
        dernierEux_.reset();
    }
    if (euxEnCours_)
        dernierEux_ = std::exchange(euxEnCours_, std::nullopt);
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
    if (vue_.joueurAbsent() || bref_ || pause_)
        return; // tried again at the next count, the remark not drawn
    RandomCom(hasard_, com_);
    narrateur_.Parle(com_.com_paix, GenreTexte::Propos);
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
    pause_ = false;
    enSuspens_.clear();
    passerA(Phase::Adieux);
}

void Echange::resumer(bool notreMer, bool colonne, int colonneVisee, int ligneVisee) {
    if (phase_ == Phase::Placement) {
        narrateur_.Parle(PAS_ENCORE_EN_MER);
        return;
    }
    const int numero = colonne ? colonneVisee : ligneVisee;
    const Partie& p = commeRaconte();
    narrateur_.Parle(notreMer ? resumeNotreMer(p.plan_joueur, p.tirs_adverse, colonne, numero)
                              : resumeAdverse(p.tirs_joueur, colonne, numero));
}

void Echange::NaviresAFlotClick() {
    narrateur_.Parle(phase_ == Phase::Placement ? PAS_ENCORE_EN_MER : naviresAFlot(commeRaconte()));
}

void Echange::jouerNotes(const QList<NoteCoupDOeil>& notes) {
    QList<SonPlace> sons;
    for (const NoteCoupDOeil& n : notes)
        sons.append(
            {clips_(QLatin1String(sonDEtat(n.etat).clip)), stereo_ ? n.balance : 0, n.demiTons, n.debutMs});
    // Over a voice the short sounds and their places are lost: the glance is what the player asked for
    // now, as any new text would be, and Ctrl+R still has the words it cut. Heard first, then the voice
    // falls silent: stopping the parrot in the middle of a text may take longer than the first sound.
    sons_.JouerSuite(sons);
    narrateur_.taire();
    TimerPaix->relancer();
}

void Echange::ecouterLigne(bool notreMer, bool colonne, int colonneVisee, int ligneVisee) {
    arreterEcoute();
    if (phase_ == Phase::Placement) {
        narrateur_.Parle(PAS_ENCORE_EN_MER);
        return;
    }
    const Partie& p = commeRaconte();
    const Grille& plan = notreMer ? p.plan_joueur : p.plan_adverse;
    const Grille& tirs = notreMer ? p.tirs_adverse : p.tirs_joueur;
    const int numero = colonne ? colonneVisee : ligneVisee;
    if (numero >= 1 && numero <= TAILLE_MER)
        jouerNotes(coupDOeilLigne(plan, tirs, notreMer, colonne, numero));
}

void Echange::ecouterTouches(bool notreMer) {
    arreterEcoute();
    if (phase_ == Phase::Placement) {
        narrateur_.Parle(PAS_ENCORE_EN_MER);
        return;
    }
    const Partie& p = commeRaconte();
    const QList<NoteCoupDOeil> notes = notreMer ? coupDOeilTouches(p.plan_joueur, p.tirs_adverse)
                                                : coupDOeilTouches(p.plan_adverse, p.tirs_joueur);
    if (notes.isEmpty())
        narrateur_.Parle(notreMer ? AUCUN_TOUCHE_NOUS : AUCUN_TOUCHE_ENNEMI);
    else
        jouerNotes(notes);
}

void Echange::ecouterLegende(bool notreMer) {
    arreterEcoute();
    legende_ = notreMer ? int(sonsDEtats().size()) : int(sonsDEtats().size()) - 1;
    nommerSuivant();
}

void Echange::nommerSuivant() {
    TimerLegende->setEnabled(false);
    if (suivante_ >= legende_) {
        arreterEcoute();
        return;
    }
    const SonDEtat& son = sonsDEtats()[std::size_t(suivante_)];
    requeteLegende_ = narrateur_.direEnPassant(son.nom);
    // With the parrot away, the names go unsaid and the sounds follow each other.
    if (requeteLegende_ == 0)
        legendeEntendue(0);
}

void Echange::legendeEntendue(int requete) {
    if (legende_ == 0 || requete != requeteLegende_)
        return;
    // Another text took the parrot's voice meanwhile: the legend gives way to it.
    if (requete != 0 && narrateur_.requete_parole() != requete) {
        arreterEcoute();
        return;
    }
    const SonDEtat& son = sonsDEtats()[std::size_t(suivante_++)];
    sons_.JouerSuite({{clips_(QLatin1String(son.clip)), 0, 0, 0}});
    requeteLegende_ = -1;
    TimerLegende->setEnabled(true);
}

void Echange::arreterEcoute() {
    sons_.ArreterSuite();
    TimerLegende->setEnabled(false);
    legende_ = 0;
    suivante_ = 0;
    requeteLegende_ = -1;
}

void Echange::dernierEchange() {
    narrateur_.Parle(phase_ == Phase::Placement ? PAS_ENCORE_EN_MER
                                                : texteDernierEchange(dernierNous_, dernierEux_));
}

void Echange::blesses() {
    narrateur_.Parle(phase_ == Phase::Placement ? PAS_ENCORE_EN_MER : texteBlesses(commeRaconte()));
}

void Echange::ouEstLeViseur(Case viseur) {
    narrateur_.Parle(phase_ == Phase::Placement
                         ? PAS_ENCORE_EN_MER
                         : texteViseur(commeRaconte().tirs_joueur, viseur.colonne, viseur.ligne));
}

void Echange::sauter(bool presDUnBlesse, Case depuis) {
    const Case c = phase_ != Phase::TourDuJoueur || pause_ ? Case{}
                   : presDUnBlesse                         ? prochainPresDUnBlesse(partie_, depuis)
                                                           : prochainInexplore(partie_.tirs_joueur, depuis);
    if (c.colonne == 0) {
        rien(depuis.colonne);
        return;
    }
    saisie_.annuler();
    vue_.montrerViseur(c.colonne, c.ligne);
    viser(c, true);
}

void Echange::basculerPause() {
    if (phase_ == Phase::Adieux)
        return;
    pause_ = !pause_;
    if (pause_) {
        for (Timer* t : {TimerTir, TimerReplique, TimerEnnemi, Timergagne, TimerFinal})
            if (t->isEnabled()) {
                enSuspens_.append({t, t->restant()});
                t->setEnabled(false);
            }
        TimerPaix->setEnabled(false);
        saisie_.annuler();
        vue_.activerAdverse(false);
        narrateur_.Parle(QStringLiteral("Pause."));
        return;
    }
    narrateur_.Parle(QStringLiteral("Fin de la pause, amiral, le combat reprend où il en était."));
    for (const auto& [t, ms] : std::exchange(enSuspens_, {}))
        t->reprendre(ms);
    TimerPaix->setEnabled(true);
    vue_.activerAdverse(phase_ == Phase::TourDuJoueur);
}
