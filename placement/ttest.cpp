// The placement screen: the harbour.
#include "placement/ttest.h"

#include "base/accessible.h"
#include "base/bitmaps.h"
#include "base/board.h"
#include "base/demandes.h"
#include "base/fenetres.h"
#include "base/scene.h"
#include "base/timer.h"
#include "screens/aide.h"
#include "placement/image_poste.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

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

// The berths, in their order: the widget's name and where it lies in the basin.
struct PlacePoste {
    const char* nom;
    QRect place;
};
const std::array<PlacePoste, NB_POSTES> POSTES = {{
    {"ImBtnavireamiral", QRect(664, 160, 160, 32)},
    {"ImBtfregate", QRect(856, 336, 128, 32)},
    {"ImBtbrick1", QRect(800, 456, 96, 32)},
    {"ImBtBrick2", QRect(672, 232, 96, 32)},
    {"ImBtGalere1", QRect(888, 272, 96, 32)},
    {"ImBtGalere2", QRect(888, 408, 96, 32)},
    {"ImBtChaloupe1", QRect(920, 152, 64, 32)},
    {"ImBtchaloupe2", QRect(704, 456, 64, 32)},
    {"ImBtchaloupe3", QRect(912, 456, 64, 32)},
}};

} // namespace

TTest::TTest(Partie& partie, Hasard& hasard, Intentions& intentions, QWidget* parent)
    // A window of the battle window's own (a dialog to the window manager), so that the desktop shows one
    // entry for the game in its taskbar.
    : QMainWindow(parent, Qt::Dialog)
    , intentions_(intentions)
    , partie_(partie)
    , port_(partie, hasard) {
    setObjectName(QStringLiteral("Test"));
    setWindowTitle(QStringLiteral("Corsabord — Au port"));
    setWindowIcon(iconeJeu());

    scene_ = new Scene(QStringLiteral("FOND_PLACEMENT"), this);
    setCentralWidget(scene_);
    Grille_de_placement = new Board(true, scene_);
    Grille_de_placement->setObjectName(QStringLiteral("Grille_de_placement"));
    scene_->placer(Grille_de_placement, QRect(16, 110, Board::COTE, Board::COTE));
    connect(Grille_de_placement, &Board::SelectCell, this, &TTest::Grille_de_placementSelectCell);
    connect(Grille_de_placement, &Board::MouseMove, this, &TTest::Grille_de_placementMouseMove);
    connect(Grille_de_placement, &Board::MouseUp, this, &TTest::Grille_de_placementMouseUp);
    Grille_de_placement->setDessin([this](QPainter& p) { dessinerPlateau(p); });
    Grille_de_placement->setAccessibleName(QStringLiteral("Plan de la flotte"));
    Grille_de_placement->setContenu([this](int c, int r) { return motsDeCase(partie_.plan_joueur(c, r)); });
    creerPostes();

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
    sansAltSeul(MainMenu1);
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

void TTest::repeindrePlateau() {
    Grille_de_placement->repeindre();
}

void TTest::keyPressEvent(QKeyEvent* event) {
    // A Control letter that the harbour's menu does not take, a function key or Pause, or Alt with an up or
    // down arrow (the narrator's last texts) goes to the battle screen's menu.
    const bool lettre =
        (event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z;
    const bool fonction =
        (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12) || event->key() == Qt::Key_Pause;
    const bool historique = (event->modifiers() & Qt::AltModifier) &&
                            (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down);
    if ((lettre || fonction || historique) &&
        intentions_.commande(QKeySequence(event->modifiers() | Qt::Key(event->key())))) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TTest::montrer() {
    montrerPleinEcran(this);
}

void TTest::passerDevant() {
    Grille_de_placement->setFocus();
}

void TTest::montrerPlateau(bool visible) {
    Grille_de_placement->setVisible(visible);
}

void TTest::fermerCommandes() {
    ::fermerCommandes(this);
}

void TTest::FormActivate() {
    BtInitialiserClick();
}

void TTest::Quitter1Click() {
    intentions_.quitter();
}

void TTest::creerPostes() {
    for (int i = 0; i < NB_POSTES; ++i) {
        auto* poste = new ImagePoste(POSTES[i].place.size(), scene_);
        poste->setObjectName(QLatin1String(POSTES[i].nom));
        poste->setNavire(Port::nomPoste(i));
        scene_->placer(poste, POSTES[i].place);
        postes_[i] = poste;
    }
    ImBtnavireamiral = postes_[0];
    ImBtfregate = postes_[1];
    ImBtbrick1 = postes_[2];
    ImBtBrick2 = postes_[3];
    ImBtGalere1 = postes_[4];
    ImBtGalere2 = postes_[5];
    ImBtChaloupe1 = postes_[6];
    ImBtchaloupe2 = postes_[7];
    ImBtchaloupe3 = postes_[8];
    connect(ImBtnavireamiral, &ImagePoste::Click, this, &TTest::ImBtnavireamiralClick);
    connect(ImBtfregate, &ImagePoste::Click, this, &TTest::ImBtfregateClick);
    connect(ImBtbrick1, &ImagePoste::Click, this, &TTest::ImBtbrick1Click);
    connect(ImBtBrick2, &ImagePoste::Click, this, &TTest::ImBtBrick2Click);
    connect(ImBtGalere1, &ImagePoste::Click, this, &TTest::ImBtgalere1Click);
    connect(ImBtGalere2, &ImagePoste::Click, this, &TTest::ImBtgalere2Click);
    connect(ImBtChaloupe1, &ImagePoste::Click, this, &TTest::ImBtChaloupe1Click);
    connect(ImBtchaloupe2, &ImagePoste::Click, this, &TTest::ImBtchaloupe2Click);
    connect(ImBtchaloupe3, &ImagePoste::Click, this, &TTest::ImBtchaloupe3Click);
    // A ship taken out by Enter on its berth follows the harbour's sea's cursor: the keys go there to steer
    // it.
    for (ImagePoste* poste : postes_)
        connect(poste, &ImagePoste::Click, this, [this, poste] {
            if (poste->hasFocus() && port_.navire_choisi)
                Grille_de_placement->setFocus(Qt::OtherFocusReason);
        });
    montrerPostes();
}

void TTest::montrerPostes() {
    for (int i = 0; i < NB_POSTES; ++i) {
        const EtatPoste& etat = port_.postes()[i];
        postes_[i]->setImage(etat.image);
        postes_[i]->setEnabled(etat.actif);
    }
}

void TTest::dire(const QString& texte) {
    montrerPostes();
    if (!texte.isEmpty())
        intentions_.parler(texte);
}

void TTest::dessinerPlateau(QPainter& p) const {
    Board::peindre(p, port_.dessinPlateau());
}

// The harbour reset: every ship back at its berth, both plans empty, the welcome.
void TTest::BtInitialiserClick() {
    port_.viderPort();
    montrerPostes();
    repeindrePlateau();
    // Bringing the selection to the middle of the sea announces the cells it passes through.
    Grille_de_placement->setRow(6);
    Grille_de_placement->setCol(6);
    dire(port_.bienvenue());
}

void TTest::ImBtnavireamiralClick() {
    dire(port_.ImBtnavireamiralClick());
}

void TTest::ImBtfregateClick() {
    dire(port_.ImBtfregateClick());
}

void TTest::FregatClick() {
    dire(port_.FregatClick());
}

void TTest::ImBtbrick1Click() {
    dire(port_.ImBtbrick1Click());
}

void TTest::ImBtBrick2Click() {
    dire(port_.ImBtBrick2Click());
}

void TTest::ImBtgalere1Click() {
    dire(port_.ImBtgalere1Click());
}

void TTest::ImBtgalere2Click() {
    dire(port_.ImBtgalere2Click());
}

void TTest::ImBtChaloupe1Click() {
    dire(port_.ImBtChaloupe1Click());
}

void TTest::ImBtchaloupe2Click() {
    dire(port_.ImBtchaloupe2Click());
}

void TTest::ImBtchaloupe3Click() {
    dire(port_.ImBtchaloupe3Click());
}

void TTest::BricClick() {
    dire(port_.BricClick());
}

void TTest::GaleresClick() {
    dire(port_.GaleresClick());
}

void TTest::ChalouClick() {
    dire(port_.ChalouClick());
}

void TTest::Grille_de_placementSelectCell(int col, int row) {
    LabelCol->setText(QString(lettreColonne(col)));
    LabeLigne->setText(QString::number(row));
    intentions_.parler(port_.annoncerCase(col, row));
    // The chosen ship goes to the selected cell, as it goes where the pointer goes; the keyboard
    // thus steers it whether or not the pointer can be moved.
    intentions_.relancerPaix();
    if (port_.deplacer(col, row))
        repeindrePlateau();
    suivreAvecLePointeur(this, Grille_de_placement, col, row);
}

void TTest::Grille_de_placementMouseMove(int x, int y) {
    intentions_.relancerPaix();
    if (x < 0 || y < 0 || x >= Board::COTE || y >= Board::COTE)
        return;
    if (port_.deplacer(celluleSous(x), celluleSous(y)))
        repeindrePlateau();
}

void TTest::Grille_de_placementMouseUp(Qt::MouseButton bouton, int, int) {
    if (!port_.navire_choisi)
        return;
    if (bouton == Qt::RightButton)
        ButtonVireClick();
    else if (bouton == Qt::LeftButton)
        ButtonAncreClick();
}

void TTest::ButtonVireClick() {
    const QString texte = port_.ButtonVireClick();
    if (port_.navire_choisi)
        repeindrePlateau();
    dire(texte);
}

void TTest::ButtonAncreClick() {
    const bool choisi = port_.navire_choisi;
    const QString texte = port_.ButtonAncreClick();
    if (choisi)
        repeindrePlateau();
    dire(texte);
}

void TTest::AutoClick() {
    BtInitialiserClick();
    const QString texte = port_.placerLaFlotte();
    repeindrePlateau();
    dire(texte);
}

void TTest::InspectionClick() {
    dire(port_.InspectionClick());
}

void TTest::EngagerClick() {
    intentions_.allumerPaix();
    const Engagement engagement = port_.EngagerClick();
    if (!engagement.engage) {
        dire(engagement.texte);
        return;
    }
    intentions_.engager();
}

void TTest::RetourauportClick() {
    BtInitialiserClick();
}

void TTest::SOS1Click() {
    intentions_.parler(texteSOS());
}

void TTest::Apropos1Click() {
    intentions_.aPropos(true);
}

void TTest::closeEvent(QCloseEvent* event) {
    event->accept();
    intentions_.fermer();
}
