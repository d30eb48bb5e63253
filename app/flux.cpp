// The flow between the game's screens.
#include "app/flux.h"

#include "app/board.h"
#include "app/fenetres.h"
#include "battle/tbataille_navale.h"
#include "placement/ttest.h"

FluxEcrans::FluxEcrans(TBataille_navale& bataille, QObject* parent)
    : QObject(parent)
    , bataille_(bataille) {
    bataille_.setDemandes(this);
}

void FluxEcrans::demarrer() {
    montrerPleinEcran(&bataille_);
    activerBataille();
}

void FluxEcrans::activerBataille() {
    Q_EMIT ecranAuPremierPlan(&bataille_);
    ++activations_;
    bataille_.FormActivate();
    --activations_;
    if (activations_ == 0 && portAActiver_ && test_) {
        portAActiver_ = false;
        test_->FormActivate();
    }
}

void FluxEcrans::parler(const QString& texte) {
    bataille_.Parle(texte);
}

void FluxEcrans::allumerPaix() {
    bataille_.allumerPaix();
}

void FluxEcrans::relancerPaix() {
    bataille_.relancerPaix();
}

void FluxEcrans::engager() {
    if (!bataille_.engager())
        return;
    portOuvert_ = false;
    if (test_)
        test_->hide();
    bataille_.raise();
    bataille_.activateWindow();
    activerBataille();
}

void FluxEcrans::quitter() {
    bataille_.Quitter1Click();
}

void FluxEcrans::montrerAPropos(QWidget* plateau) {
    bataille_.montrerAPropos({plateau});
}

void FluxEcrans::fermerLeJeu() {
    bataille_.close();
}

bool FluxEcrans::offrirRaccourci(const QKeySequence& touches) {
    return bataille_.offrirRaccourci(touches);
}

void FluxEcrans::ouvrirPort() {
    if (!test_)
        return;
    if (portOuvert_ && test_->isVisible())
        return; // already in front: no new activation
    portOuvert_ = true;
    montrerPleinEcran(test_);
    Q_EMIT ecranAuPremierPlan(test_);
    test_->Grille_de_placement->setFocus();
    if (activations_ > 0)
        portAActiver_ = true;
    else
        test_->FormActivate();
}

void FluxEcrans::repeindrePort() {
    if (test_)
        test_->repeindrePlateau();
}

void FluxEcrans::montrerPlateauDuPort(bool visible) {
    if (test_)
        test_->Grille_de_placement->setVisible(visible);
}

QWidget* FluxEcrans::devant() {
    if (test_ && test_->isVisible())
        return test_;
    return &bataille_;
}

void FluxEcrans::fermerLesCommandes() {
    fermerCommandes(&bataille_);
    if (test_)
        fermerCommandes(test_);
}
