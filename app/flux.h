// The flow between the game's screens: start-up, harbour to battle and back, quitting.
#pragma once

#include "app/demandes.h"

#include <QObject>

class TBataille_navale;
class TTest;

class FluxEcrans : public QObject, public DemandesPort, public DemandesBataille {
    Q_OBJECT
public:
    explicit FluxEcrans(TBataille_navale& bataille, QObject* parent = nullptr);

    // The harbour, created after the battle screen, on the flow's requests.
    void setPort(TTest* test) { test_ = test; }

    // Shows the battle screen and runs its first activation, then the harbour's that it opened.
    void demarrer();

    // DemandesPort
    void parler(const QString& texte) override;
    void allumerPaix() override;
    void relancerPaix() override;
    void engager() override;
    void quitter() override;
    void montrerAPropos(QWidget* plateau) override;
    void fermerLeJeu() override;
    bool offrirRaccourci(const QKeySequence& touches) override;

    // DemandesBataille
    void ouvrirPort() override;
    void repeindrePort() override;
    void montrerPlateauDuPort(bool visible) override;
    QWidget* devant() override;
    void fermerLesCommandes() override;

Q_SIGNALS:
    // The game window now in front, where the narrator must stand.
    void ecranAuPremierPlan(QWidget* fenetre);

private:
    // The battle screen comes to the front and is activated; a harbour it opens meanwhile is
    // activated once that activation is over, as a window shown during another's activation is.
    void activerBataille();

    TBataille_navale& bataille_;
    TTest* test_ = nullptr;
    bool portOuvert_ = false;
    int activations_ = 0;       // activations of the battle screen under way
    bool portAActiver_ = false; // the harbour was shown during one of them
};
