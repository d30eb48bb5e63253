// The placement screen: the harbour.
#include "placement/ttest.h"

#include "app/bitmaps.h"
#include "app/board.h"
#include "app/fenetres.h"
#include "app/scene.h"
#include "battle/tbataille_navale.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {
QPushButton* boutonCache(Scene* scene, const char* nom, const QString& titre, const QRect& design) {
    auto* bouton = new QPushButton(titre, scene);
    bouton->setObjectName(QLatin1String(nom));
    bouton->setFocusPolicy(Qt::NoFocus);
    scene->placer(bouton, design);
    bouton->hide();
    return bouton;
}

QLabel* imageCachee(Scene* scene, const char* nom, const QString& bulle, const QRect& design) {
    auto* image = new QLabel(scene);
    image->setObjectName(QLatin1String(nom));
    image->setToolTip(bulle);
    scene->placer(image, design);
    image->hide();
    return image;
}
} // namespace

TTest::TTest(TBataille_navale& bataille)
    : QMainWindow(&bataille, Qt::Window)
    , bataille_(bataille) {
    setObjectName(QStringLiteral("Test"));
    setWindowTitle(QStringLiteral("Test"));
    setWindowIcon(iconeJeu());

    scene_ = new Scene(QStringLiteral("FOND_PLACEMENT"), this);
    setCentralWidget(scene_);
    Grille_de_placement = new Board(true, scene_);
    Grille_de_placement->setObjectName(QStringLiteral("Grille_de_placement"));
    scene_->placer(Grille_de_placement, QRect(16, 110, Board::COTE, Board::COTE));
    connect(Grille_de_placement, &Board::SelectCell, this, &TTest::Grille_de_placementSelectCell);
    connect(Grille_de_placement, &Board::MouseMove, this, &TTest::Grille_de_placementMouseMove);
    connect(Grille_de_placement, &Board::MouseUp, this, &TTest::Grille_de_placementMouseUp);

    Btstart = imageCachee(scene_, "Btstart", QStringLiteral("Demarrer la partie"), QRect(216, 560, 96, 32));
    BtInitialiser =
        imageCachee(scene_, "BtInitialiser", QStringLiteral("Initialiser le port"), QRect(336, 560, 96, 32));
    ButtonVire = boutonCache(scene_, "ButtonVire", QStringLiteral("Virer de bord"), QRect(32, 568, 75, 25));
    ButtonAncre =
        boutonCache(scene_, "ButtonAncre", QStringLiteral("Mouiller l'ancre"), QRect(120, 568, 75, 25));
    Auto = boutonCache(scene_, "Auto", QStringLiteral("Automatique"), QRect(32, 608, 75, 25));
    connect(ButtonVire, &QPushButton::clicked, this, &TTest::ButtonVireClick);
    connect(ButtonAncre, &QPushButton::clicked, this, &TTest::ButtonAncreClick);
    connect(Auto, &QPushButton::clicked, this, &TTest::AutoClick);
    LabelCol = new QLabel(scene_);
    LabelCol->setObjectName(QStringLiteral("LabelCol"));
    LabelCol->hide();
    LabeLigne = new QLabel(scene_);
    LabeLigne->setObjectName(QStringLiteral("LabeLigne"));
    LabeLigne->hide();

    creerMenu();
}

TTest::~TTest() = default;

void TTest::creerMenu() {
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* placement = MainMenu1->addMenu(QStringLiteral("Placement"));
    ajouterCommande(placement, "outelaflotte1", QStringLiteral("Toute la flotte"), 'T', this,
                    &TTest::AutoClick);
    ajouterCommande(placement, "Retourauport", QStringLiteral("Retour au port"), 'P', this,
                    &TTest::RetourauportClick);
    ajouterCommande(placement, "Engager", QStringLiteral("Engager le combat"), 'E', this,
                    &TTest::EngagerClick);
    ajouterCommande(placement, "Quitter1", QStringLiteral("Quitter"), 'Q', this, &TTest::Quitter1Click);
    QMenu* navires = MainMenu1->addMenu(QStringLiteral("Navires"));
    ajouterCommande(navires, "Inspection", QStringLiteral("Inspection"), 'I', this, &TTest::InspectionClick);
    ajouterCommande(navires, "Vaisseau", QStringLiteral("Vaisseau amiral (1)"), 'A', this,
                    &TTest::ImBtnavireamiralClick);
    ajouterCommande(navires, "Fregat", QStringLiteral("Frégate (1)"), 'F', this, &TTest::FregatClick);
    ajouterCommande(navires, "Bric", QStringLiteral("Brick (2)"), 'B', this, &TTest::BricClick);
    ajouterCommande(navires, "Galeres", QStringLiteral("Galère (2)"), 'G', this, &TTest::GaleresClick);
    ajouterCommande(navires, "Chalou", QStringLiteral("Chaloupe (3)"), 'C', this, &TTest::ChalouClick);
    ajouterCommande(navires, "Orienter", QStringLiteral("Orienter"), 'O', this, &TTest::ButtonVireClick);
    ajouterCommande(navires, "Mouillerlancre1", QStringLiteral("Mouiller l'ancre"), 'M', this,
                    &TTest::ButtonAncreClick);
    ajouterCommande(MainMenu1, "SOS1", QStringLiteral("SOS"), '\0', this, &TTest::SOS1Click);
    ajouterCommande(MainMenu1, "Apropos1", QStringLiteral("A propos"), '\0', this, &TTest::Apropos1Click);
}

void TTest::ouvrir() {
    if (isVisible() && isActiveWindow())
        return; // already in front: no new activation
    montrerPleinEcran(this);
    Grille_de_placement->setFocus();
    // The activation comes once the showing is done, as a window's activation does.
    QTimer::singleShot(0, this, &TTest::FormActivate);
}

void TTest::fermer() {
    hide();
    bataille_.reprendreLaMain();
}

void TTest::repeindrePlateau() {
    Grille_de_placement->repeindre();
}

void TTest::keyPressEvent(QKeyEvent* event) {
    // A Control letter that the harbour's menu does not take goes to the battle screen's menu.
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A &&
        event->key() <= Qt::Key_Z &&
        bataille_.offrirRaccourci(QKeySequence(event->modifiers() | Qt::Key(event->key())))) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TTest::FormActivate() {
    BtInitialiserClick();
}

void TTest::Quitter1Click() {
    bataille_.Quitter1Click();
}

// The harbour's own handlers.
void TTest::BtInitialiserClick() {}
void TTest::ImBtnavireamiralClick() {}
void TTest::ImBtfregateClick() {}
void TTest::FregatClick() {}
void TTest::ImBtbrick1Click() {}
void TTest::ImBtBrick2Click() {}
void TTest::ImBtgalere1Click() {}
void TTest::ImBtgalere2Click() {}
void TTest::ImBtChaloupe1Click() {}
void TTest::ImBtchaloupe2Click() {}
void TTest::ImBtchaloupe3Click() {}
void TTest::BricClick() {}
void TTest::GaleresClick() {}
void TTest::ChalouClick() {}
void TTest::Grille_de_placementSelectCell(int, int) {}
void TTest::Grille_de_placementMouseMove(int, int) {}
void TTest::Grille_de_placementMouseUp(Qt::MouseButton, int, int) {}
void TTest::ButtonVireClick() {}
void TTest::ButtonAncreClick() {}
void TTest::AutoClick() {}
void TTest::InspectionClick() {}
void TTest::EngagerClick() {}
void TTest::RetourauportClick() {}
void TTest::SOS1Click() {}
void TTest::Apropos1Click() {}
