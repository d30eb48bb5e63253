// The whole game built on fakes and virtual time.
#include "support/jeu.h"

#include "base/board.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

JeuDeTest::JeuDeTest()
    : services{temps, dialogues, sons, compagnon} {}

JeuDeTest::JeuDeTest(const std::function<std::unique_ptr<ServiceCompagnon>(Temps&)>& fabrique)
    : propre(fabrique(temps))
    , services{temps, dialogues, sons, *propre} {}

JeuDeTest::~JeuDeTest() = default;

bool JeuDeTest::creer() {
    QObject::connect(&jeu.flux, &FluxEcrans::finDuJeu, [this](int statut) { fins << statut; });
    if (!jeu.creer())
        return false;
    voice = jeu.voice;
    test = jeu.test;
    about = jeu.about;
    return true;
}

void JeuDeTest::demarrer() {
    jeu.demarrer();
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

QWidget* JeuDeTest::devant() const {
    if (test && test->isVisible())
        return test;
    return bataille.get();
}

void JeuDeTest::touche(Qt::Key k, Qt::KeyboardModifiers m) {
    QWidget* fenetre = devant();
    if (QApplication::activeWindow() != fenetre)
        activer(fenetre);
    QWidget* cible = fenetre->focusWidget() ? fenetre->focusWidget() : fenetre;
    QTest::keyClick(cible, k, m);
}

void JeuDeTest::pointeur(Board* board, QEvent::Type type, Qt::MouseButton b, int x, int y) {
    const qreal k = board->width() / qreal(Board::COTE);
    const QPointF ici((x + 0.5) * k, (y + 0.5) * k);
    QMouseEvent e(type, ici, board->mapToGlobal(ici), b, type == QEvent::MouseMove ? Qt::NoButton : b,
                  Qt::NoModifier);
    QApplication::sendEvent(board, &e);
}
