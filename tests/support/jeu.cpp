// The whole game built on fakes and virtual time.
#include "support/jeu.h"

#include <QApplication>
#include <QCoreApplication>

JeuDeTest::JeuDeTest() = default;

JeuDeTest::~JeuDeTest() {
    bataille.reset();
}

bool JeuDeTest::creer() {
    bataille = std::make_unique<TBataille_navale>(partie, hasard, services, dossier.path());
    QObject::connect(bataille.get(), &TBataille_navale::finDuJeu, [this](int statut) { fins << statut; });
    if (!bataille->FormCreate())
        return false;
    voice = new TFormVoice(bataille.get());
    test = new TTest(*bataille);
    about = new TFormAbout(bataille.get());
    bataille->setEcrans(voice, test, about);
    return true;
}

void JeuDeTest::demarrer() {
    bataille->demarrer();
    traiterEvenements();
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
