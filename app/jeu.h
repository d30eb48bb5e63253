// The whole game built from its services: the narrator, the flow and the four screens in their order.
#pragma once

#include "app/flux.h"
#include "narrator/services.h"
#include "model/grilles.h"
#include "model/hasard.h"
#include "narrator/narrateur.h"

#include <QObject>
#include <QString>

#include <memory>

class CompagnonPerroquet;
class TBataille_navale;
class TFormAbout;
class TFormVoice;
class TTest;

class Jeu : public QObject {
    Q_OBJECT
public:
    // The game keeps Config.txt and its other files in dossierReglages.
    Jeu(Services& services, const QString& dossierReglages, QObject* parent = nullptr);
    ~Jeu() override;

    // The screens in the order battle, voice, placement, About, the battle's set-up between the first
    // two. False when the narrator's character cannot be found: the notice has been shown and the
    // game must end.
    bool creer();
    // The battle screen shown and activated, and the harbour it opens.
    void demarrer() { flux.demarrer(); }

    Services& services;
    Partie partie;
    Hasard hasard;
    Narrateur narrateur;
    FluxEcrans flux;
    std::unique_ptr<TBataille_navale> bataille;
    TFormVoice* voice = nullptr;
    TTest* test = nullptr;
    TFormAbout* about = nullptr;

private:
    QString dossierReglages_;
    // The parrot, when he is the character on the screen (the tests use a fake): he follows the window in
    // front and lends the voice screen his engine.
    CompagnonPerroquet* perroquet_;
    std::unique_ptr<EcransDeCote> cote_;
};
