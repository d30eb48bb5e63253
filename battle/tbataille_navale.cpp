// The battle screen: the game's main window.
#include "battle/tbataille_navale.h"

#include "app/accessible.h"
#include "app/board.h"
#include "app/bitmaps.h"
#include "app/dialogues.h"
#include "app/fenetres.h"
#include "app/reglages.h"
#include "app/scene.h"
#include "app/temps.h"
#include "battle/dessin_bataille.h"
#include "model/grilles.h"
#include "narrator/compagnon.h"
#include "placement/ttest.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>

namespace {
const QString GREETING = QStringLiteral("Bonjour amiral, l'ennemi approche, mais nos navires sont encore au "
                                        "port. Ordonnez control \"N\" pour placer "
                                        "nos navires, control \"Q\" pour quitter. A tout moment, si vous ne "
                                        "m'avez pas bien entendu, control \"R\" me "
                                        "fait répéter.");
const QString OPENING = QStringLiteral(
    "Flotte adverse à l'horizon, amiral. Hissons le pavillon, et sus à l'ennemi! Servez-vous des touches de "
    "direction pour diriger l'artillerie! Bonne chance, je vous confie le commandement!");

QLabel* labelCache(QWidget* parent, const char* nom) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(nom));
    label->hide();
    return label;
}
} // namespace

TBataille_navale::TBataille_navale(Partie& partie, Hasard& hasard, Services& services,
                                   const QString& dossierReglages, QWidget* parent)
    : QMainWindow(parent)
    , MemoConfig(reglagesParDefaut())
    , partie_(partie)
    , hasard_(hasard)
    , services_(services)
    , dossierReglages_(dossierReglages)
    , narrateur_(services.compagnon, services.dialogues, services.sons) {
    setObjectName(QStringLiteral("Bataille_navale"));
    setWindowTitle(QStringLiteral("Corsabord"));
    setWindowIcon(iconeJeu());
    narrateur_.setFenetre(this);

    scene_ = new Scene(QStringLiteral("FOND_BATAILLE"), this);
    setCentralWidget(scene_);
    port_joueur = new Board(false, scene_);
    port_joueur->setObjectName(QStringLiteral("port_joueur"));
    port_joueur->setEnabled(false);
    scene_->placer(port_joueur, QRect(16, 112, Board::COTE, Board::COTE));
    port_adverse = new Board(true, scene_);
    port_adverse->setObjectName(QStringLiteral("port_adverse"));
    port_adverse->setEnabled(false);
    scene_->placer(port_adverse, QRect(592, 112, Board::COTE, Board::COTE));
    port_joueur->setDessin([this](QPainter& p) { Board::peindre(p, dessinPortJoueur(partie_)); });
    port_adverse->setDessin([this](QPainter& p) { Board::peindre(p, dessinPortAdverse(partie_)); });
    // For screen readers: our ships and the enemy's shots on them; on the enemy sea, only our shots.
    port_joueur->setAccessibleName(QStringLiteral("Notre flotte"));
    port_joueur->setContenu([this](int c, int r) {
        const QString& tir = partie_.tirs_adverse(c, r);
        return motsDeCase(partie_.plan_joueur(c, r)) +
               (tir.isEmpty() ? QString() : QStringLiteral(", ") + motsDeCase(tir));
    });
    port_adverse->setAccessibleName(QStringLiteral("Flotte ennemie"));
    port_adverse->setContenu([this](int c, int r) {
        const QString& tir = partie_.tirs_joueur(c, r);
        return tir.isEmpty() ? QStringLiteral("pas encore visé") : motsDeCase(tir);
    });

    LabelCol = labelCache(scene_, "LabelCol");
    LabeLigne = labelCache(scene_, "LabeLigne");
    Infopartie = labelCache(scene_, "Infopartie");

    TimerPaix = services_.temps.creerTimer(this, 40000, true);

    creerMenu();
    connect(&narrateur_, &Narrateur::requeteTerminee, this, &TBataille_navale::Agent1RequestComplete);
}

TBataille_navale::~TBataille_navale() = default;

void TBataille_navale::creerMenu() {
    QMenuBar* Menu_bataille = menuBar();
    Menu_bataille->setObjectName(QStringLiteral("Menu_bataille"));
    QMenu* combat = Menu_bataille->addMenu(QStringLiteral("Combat"));
    ajouterCommande(combat, "Placer", QStringLiteral("Placer les navires"), 'N', this,
                    &TBataille_navale::PlacerClick);
    ajouterCommande(combat, "Degat", QStringLiteral("Dégats de l'ennemi"), 'D', this,
                    &TBataille_navale::DegatClick);
    ajouterCommande(combat, "Inspection1", QStringLiteral("Inspecter la flotte"), 'I', this,
                    &TBataille_navale::Inspection1Click);
    ajouterCommande(combat, "Quitter1", QStringLiteral("Quitter"), 'Q', this,
                    &TBataille_navale::Quitter1Click);
    QMenu* synthese = Menu_bataille->addMenu(QStringLiteral("Synthèse"));
    ajouterCommande(synthese, "Voix1", QStringLiteral("Voix"), 'V', this, &TBataille_navale::VoixClick);
    ajouterCommande(synthese, "Rpte1", QStringLiteral("Répète"), 'R', this, &TBataille_navale::Rpte1Click);
    ajouterCommande(Menu_bataille, "Apropos1", QStringLiteral("A propos"), 'J', this,
                    &TBataille_navale::Apropos1Click);
    ajouterCommande(Menu_bataille, "SOS1", QStringLiteral("SOS"), 'S', this, &TBataille_navale::SOS1Click);
}

bool TBataille_navale::FormCreate() {
    partie_.Initialise();
    MemoConfig = FichierReglages(dossierReglages_).charger();
    return narrateur_.InstalPeedy(MemoConfig);
}

void TBataille_navale::setEcrans(TFormVoice* voice, TTest* test, TFormAbout* about) {
    FormVoice_ = voice;
    Test_ = test;
    FormAbout_ = about;
}

void TBataille_navale::demarrer() {
    montrerPleinEcran(this);
    Q_EMIT ecranAuPremierPlan(this);
    FormActivate();
}

void TBataille_navale::reprendreLaMain() {
    raise();
    activateWindow();
    Q_EMIT ecranAuPremierPlan(this);
    FormActivate();
}

void TBataille_navale::FormActivate() {
    partie_.copierPlans();
    partie_.infopartie.clear();
    Infopartie->clear();
    repeindreTout();
    if (port_adverse->isEnabled()) {
        partie_.message_courant = OPENING;
        Parle(partie_.message_courant);
        port_adverse->setFocus();
    } else {
        partie_.message_courant = GREETING;
        PlacerClick();
        Parle(partie_.message_courant);
    }
}

void TBataille_navale::PlacerClick() {
    TimerPaix->setEnabled(false);
    partie_.Initialise();
    if (Test_) {
        Test_->ouvrir();
        Q_EMIT ecranAuPremierPlan(Test_);
    }
}

void TBataille_navale::DegatClick() {
    // The enemy's losses are reported once the battle's fire is in place.
}

void TBataille_navale::Inspection1Click() {
    // Our losses are reported once the battle's fire is in place.
}

void TBataille_navale::Quitter1Click() {
    Parle(QStringLiteral(
        "Voulez vous vraiment revenir à terre, amiral? \"O\" pour quitter, \"N\" pour revenir au "
        "combat."));
    QWidget* devant =
        (Test_ && Test_->isVisible()) ? static_cast<QWidget*>(Test_) : static_cast<QWidget*>(this);
    const bool oui = services_.dialogues.ouiNon(devant, QStringLiteral("Rompre le combat"),
                                                QStringLiteral("Voulez vous vraiment revenir à terre?"));
    repeindreTout();
    if (!oui) {
        Parle(QStringLiteral("Votre courage vous honore, amiral, nous retournons au combat!"));
        return;
    }
    narrateur_.jouer(QStringLiteral("Wave"));
    Parle(QStringLiteral("Nous retournons à terre, amiral. Au revoir, et à bientôt pour un autre combat!"));
    requete_adieu_ = narrateur_.jouer(QStringLiteral("Hide"));
}

void TBataille_navale::VoixClick() {
    // The voice screen comes with its own work.
}

void TBataille_navale::Rpte1Click() {
    Parle(narrateur_.dernier_message());
}

void TBataille_navale::Apropos1Click() {
    // The About screen comes with its own work.
}

void TBataille_navale::SOS1Click() {
    // The spoken list of commands comes with the About screen.
}

void TBataille_navale::FormKeyPress() {
    TimerPaix->relancer();
}

void TBataille_navale::FormClick() {
    TimerPaix->relancer();
}

void TBataille_navale::Agent1RequestComplete(int requete) {
    if (requete == 0 || requete != requete_adieu_)
        return;
    narrateur_.liberer();
    viderCacheBitmaps();
    Q_EMIT finDuJeu(0);
}

bool TBataille_navale::offrirRaccourci(const QKeySequence& touches) {
    if (!isEnabled() || QApplication::activeModalWidget())
        return false;
    return declencherRaccourci(menuBar(), touches);
}

void TBataille_navale::repeindreTout() {
    port_joueur->repeindre();
    port_adverse->repeindre();
    if (Test_)
        Test_->repeindrePlateau();
}

void TBataille_navale::keyPressEvent(QKeyEvent* event) {
    FormKeyPress();
    QMainWindow::keyPressEvent(event);
}

void TBataille_navale::mousePressEvent(QMouseEvent* event) {
    FormClick();
    QMainWindow::mousePressEvent(event);
}

void TBataille_navale::closeEvent(QCloseEvent* event) {
    // Closed from outside the game: no farewell and no question, the settings stay as they are.
    event->accept();
    Q_EMIT finDuJeu(0);
}
