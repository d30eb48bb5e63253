// The flow between the game's screens.
#include "app/flux.h"

#include "base/dialogues.h"
#include "base/terminal.h"
#include "base/reglages.h"
#include "base/timer.h"
#include "narrator/narrateur.h"

#include <QDir>
#include <QFileInfo>

FluxEcrans::FluxEcrans(Narrateur& narrateur, Dialogues& dialogues, const QString& dossierReglages,
                       QObject* parent)
    : QObject(parent)
    , MemoConfig(reglagesParDefaut())
    , narrateur_(narrateur)
    , dialogues_(dialogues)
    , dossierReglages_(dossierReglages) {}

void FluxEcrans::setEcrans(VueBatailleEcran* bataille, VueEcran* port, EcransDeCote* cote) {
    bataille_ = bataille;
    port_ = port;
    cote_ = cote;
}

bool FluxEcrans::installer() {
    MemoConfig = FichierReglages(dossierReglages_).charger(&reglagesRemplacables_);
    return narrateur_.InstalPeedy(MemoConfig);
}

void FluxEcrans::demarrer() {
    bataille_->montrer();
    activerBataille();
}

void FluxEcrans::activerBataille() {
    Q_EMIT ecranAuPremierPlan(bataille_);
    ++activations_;
    bataille_->activer();
    avertirSilence();
    --activations_;
    if (activations_ == 0 && portAActiver_ && port_) {
        portAActiver_ = false;
        port_->activer();
    }
}

void FluxEcrans::avertirSilence() {
    // Once, at the first activation: the voice screen has its engine by then.
    if (voixVerifiee_ || !cote_)
        return;
    voixVerifiee_ = true;
    QString avis;
    if (!sansSon_.isEmpty()) {
        direAuTerminal(
            QStringLiteral("Corsabord : pas de son, %1 ; le jeu se joue avec la bulle du perroquet, "
                           "en silence.")
                .arg(sansSon_));
        avis += QStringLiteral("Pas de son : %1. ").arg(sansSon_);
    }
    if (const QString raison = cote_->sansVoix(); !raison.isEmpty()) {
        direAuTerminal(
            QStringLiteral("Corsabord : pas de voix pour le perroquet, %1 ; le jeu se joue avec sa bulle "
                           "et les bruitages.")
                .arg(raison));
        avis += QStringLiteral("Pas de voix pour le perroquet : %1. ").arg(raison);
    }
    if (avis.isEmpty())
        return;
    // In the balloon, ahead of the first words, once the screens have all said theirs.
    QMetaObject::invokeMethod(
        this, [this, avis] { narrateur_.Parle(avis + narrateur_.dernier_message()); }, Qt::QueuedConnection);
}

VueEcran* FluxEcrans::devant() {
    if (port_ && port_->visible())
        return port_;
    return bataille_;
}

void FluxEcrans::placer() {
    if (!port_ || bataille_->enAdieux())
        return;
    if (portOuvert_ && port_->visible())
        return; // already in front: no new activation
    portOuvert_ = true;
    port_->montrer();
    Q_EMIT ecranAuPremierPlan(port_);
    port_->passerDevant();
    if (activations_ > 0)
        portAActiver_ = true;
    else
        port_->activer();
}

void FluxEcrans::engager() {
    if (bataille_->enAdieux())
        return;
    bataille_->engager();
    portOuvert_ = false;
    if (port_)
        port_->cacher();
    bataille_->passerDevant();
    activerBataille();
}

void FluxEcrans::parler(const QString& texte) {
    narrateur_.Parle(texte);
}

void FluxEcrans::allumerPaix() {
    if (!bataille_->enAdieux())
        bataille_->paix().setEnabled(true);
}

void FluxEcrans::relancerPaix() {
    if (!bataille_->enAdieux())
        bataille_->paix().relancer();
}

bool FluxEcrans::commande(const QKeySequence& touches) {
    return bataille_->commande(touches);
}

bool FluxEcrans::demander(const QString& titre, const QString& question) {
    VueEcran* ecran = devant();
    const bool oui = dialogues_.ouiNon(ecran ? ecran->fenetre() : nullptr, titre, question);
    repeindreTout();
    return oui;
}

void FluxEcrans::rappelee() {
    // Nothing talks over the goodbye.
    if (!bataille_->enAdieux())
        narrateur_.Parle(QStringLiteral("Je suis déjà là, amiral."));
}

void FluxEcrans::quitter() {
    if (bataille_->enAdieux())
        return;
    narrateur_.Parle(QStringLiteral(
        "Voulez vous vraiment revenir à terre, amiral? \"O\" pour quitter, \"N\" pour revenir au "
        "combat."));
    if (!demander(QStringLiteral("Rompre le combat"),
                  QStringLiteral("Voulez vous vraiment revenir à terre?"))) {
        narrateur_.Parle(QStringLiteral("Votre courage vous honore, amiral, nous retournons au combat!"));
        return;
    }
    // Nothing may talk over the goodbye or cut it short.
    bataille_->adieux();
    bataille_->fermerCommandes();
    if (port_)
        port_->fermerCommandes();
    narrateur_.jouer(QStringLiteral("Wave"));
    narrateur_.Parle(
        QStringLiteral("Nous retournons à terre, amiral. Au revoir, et à bientôt pour un autre combat!"));
    requete_adieu_ = narrateur_.jouer(QStringLiteral("Hide"));
    // Without the parrot (his file broke during the game) there is no farewell to wait for.
    if (requete_adieu_ == 0)
        finir();
}

void FluxEcrans::requeteTerminee(int requete) {
    if (requete != 0 && requete == requete_adieu_)
        finir();
}

void FluxEcrans::finir() {
    narrateur_.liberer();
    Q_EMIT finDuJeu(0);
}

void FluxEcrans::fermer() {
    // Closed from outside the game: no farewell and no question, the settings stay as they are.
    Q_EMIT finDuJeu(0);
}

void FluxEcrans::voix() {
    Timer& paix = bataille_->paix();
    paix.setEnabled(false);
    // The battle goes on behind the screen: what it says waits for the parrot's return.
    narrateur_.mettreDeCote();
    // The parrot leaves while the voice screen speaks with the engine.
    narrateur_.seRetirer();
    QString pasEnregistree;
    if (const auto choix = cote_->choisirVoix(*devant())) {
        MemoConfig = reglagesAvecVoix(MemoConfig, choix->mode, choix->vitesse, choix->hauteur, choix->volume);
        pasEnregistree = enregistrerReglages();
        if (const QString raison = bataille_->garderVolumeDesSons(choix->sons); !raison.isEmpty())
            pasEnregistree +=
                QStringLiteral(" Le volume des sons n'a pas pu être enregistré : %1.").arg(raison);
    }
    // However the screen was closed, the parrot comes back: in the chosen voice after Enter, in the one
    // it had otherwise. Should he not be able to, the battle goes on all the same.
    narrateur_.revenir(MemoConfig);
    narrateur_.reprendre(QStringLiteral("Je reviens au jeu") + pasEnregistree, true);
    paix.setEnabled(true);
    repeindreTout();
}

QString FluxEcrans::enregistrerReglages() {
    const FichierReglages fichier(dossierReglages_);
    const EcritureSure ecriture =
        reglagesRemplacables_ ? fichier.enregistrer(MemoConfig)
                              : EcritureSure{false, QStringLiteral("il était illisible au démarrage")};
    if (ecriture.reussie)
        return QString();
    const QString chemin =
        fichier.chemin().isEmpty() ? QDir(dossierReglages_).filePath(FichierReglages::NOM) : fichier.chemin();
    direAuTerminal(QStringLiteral("Corsabord : la voix choisie n'a pas pu être enregistrée dans %1 : %2.")
                       .arg(QDir::toNativeSeparators(chemin), ecriture.raison));
    return QStringLiteral(". Hélas, amiral, ma nouvelle voix n'a pas pu être enregistrée dans %1 : %2.")
        .arg(QFileInfo(chemin).fileName(), ecriture.raison);
}

void FluxEcrans::aPropos(bool depuisLePort) {
    // From the battle screen the idle chatter waits, and our sea is hidden with the harbour's board;
    // from the harbour, only its board.
    Timer& paix = bataille_->paix();
    if (!depuisLePort)
        paix.setEnabled(false);
    if (port_)
        port_->montrerPlateau(false);
    if (!depuisLePort)
        bataille_->montrerPlateau(false);
    narrateur_.mettreDeCote();
    cote_->aPropos(*devant());
    if (!depuisLePort)
        bataille_->montrerPlateau(true);
    if (port_)
        port_->montrerPlateau(true);
    // What the battle said meanwhile, if anything, after the card.
    narrateur_.reprendre(QStringLiteral("Je reviens au jeu"), false);
    if (!depuisLePort)
        paix.setEnabled(true);
}

void FluxEcrans::repeindreTout() {
    bataille_->repeindre();
    if (port_)
        port_->repeindre();
}
