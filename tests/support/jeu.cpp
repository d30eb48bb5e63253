// The whole game built on fakes and virtual time.
#include "support/jeu.h"

#include <QApplication>
#include <QCoreApplication>

JeuDeTest::JeuDeTest() = default;

JeuDeTest::~JeuDeTest() {
    bataille.reset();
    flux.reset();
}

bool JeuDeTest::creer() {
    bataille = std::make_unique<TBataille_navale>(partie, hasard, services, dossier.path());
    QObject::connect(bataille.get(), &TBataille_navale::finDuJeu, [this](int statut) { fins << statut; });
    if (!bataille->FormCreate())
        return false;
    voice = new TFormVoice(bataille.get());
    flux = std::make_unique<FluxEcrans>(*bataille);
    test = new TTest(partie, hasard, *flux, bataille.get());
    about = new TFormAbout(bataille.get());
    bataille->setEcrans(voice, about);
    flux->setPort(test);
    return true;
}

void JeuDeTest::demarrer() {
    flux->demarrer();
}

void JeuDeTest::traiterEvenements() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void JeuDeTest::activer(QWidget* fenetre) {
    fenetre->activateWindow();
    QApplication::setActiveWindow(fenetre);
    traiterEvenements();
}
