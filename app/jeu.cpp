// The whole game built from its services.
#include "app/jeu.h"

#include "base/bitmaps.h"
#include "base/dialogues.h"
#include "base/scene.h"
#include "base/temps.h"
#include "battle/tbataille_navale.h"
#include "narrator/compagnon_perroquet.h"
#include "screens/ecrans_de_cote.h"
#include "screens/tformabout.h"
#include "screens/tformvoice.h"
#include "placement/ttest.h"

Jeu::Jeu(Services& services_, const QString& dossierReglages, QObject* parent)
    : QObject(parent)
    , services(services_)
    , hasard(services_.temps)
    , narrateur(services_.compagnon, services_.dialogues, services_.sons)
    , flux(narrateur, services_.dialogues, dossierReglages)
    , dossierReglages_(dossierReglages)
    , perroquet_(dynamic_cast<CompagnonPerroquet*>(&services_.compagnon)) {
    // The game's pictures go with the game.
    connect(&flux, &FluxEcrans::finDuJeu, this, [] { viderCacheBitmaps(); });
    // The parrot, when he is the one on the screen, stands in whichever game window is in front, on its
    // scaled design.
    if (auto* perroquet = perroquet_)
        connect(&flux, &FluxEcrans::ecranAuPremierPlan, perroquet, [perroquet](VueEcran* ecran) {
            QWidget* fenetre = ecran->fenetre();
            perroquet->setFenetre(fenetre);
            if (auto* scene = fenetre->findChild<Scene*>())
                perroquet->setEchelle(scene->echelle(), scene->origine());
        });
}

Jeu::~Jeu() {
    bataille.reset();
}

bool Jeu::creer() {
    bataille = std::make_unique<TBataille_navale>(partie, hasard, services, narrateur, dossierReglages_);
    narrateur.setFenetre(bataille.get());
    bataille->setIntentions(&flux);
    auto* perroquet = perroquet_;
    if (perroquet)
        perroquet->setFenetre(bataille.get());
    if (!bataille->FormCreate())
        return false;
    voice = new TFormVoice(bataille.get());
    test = new TTest(partie, hasard, flux, bataille.get());
    about = new TFormAbout(bataille.get());
    connect(about, &TFormAbout::parle, &narrateur,
            [this](const QString& texte) { narrateur.ParleEcran(texte); });
    cote_ = std::make_unique<EcransDeCoteQt>(*voice, *about, services.dialogues);
    flux.setEcrans(bataille.get(), test, cote_.get());
    if (!perroquet)
        return true;
    voice->setMoteur(&perroquet->moteur());
    voice->setLecteur(perroquet->lecteur());
    voice->setSons(&services.sons);
    for (QWidget* fenetre : {static_cast<QWidget*>(bataille.get()), static_cast<QWidget*>(test)}) {
        connect(fenetre->findChild<Scene*>(), &Scene::echelleChangee, perroquet,
                [perroquet, fenetre](qreal k, QPoint origine) {
                    if (perroquet->fenetre() == fenetre)
                        perroquet->setEchelle(k, origine);
                });
    }
    return true;
}
