// The battle screen: the game's main window.
#include "battle/tbataille_navale.h"

#include "base/accessible.h"
#include "base/board.h"
#include "base/bitmaps.h"
#include "base/fenetres.h"
#include "base/scene.h"
#include "base/temps.h"
#include "base/timer.h"
#include "battle/dessin_bataille.h"
#include "model/grilles.h"
#include "screens/aide.h"
#include "audio/clips.h"
#include "audio/sons.h"
#include "narrator/compagnon.h"

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

TBataille_navale::TBataille_navale(Partie& partie, Hasard& hasard, Services& services, Narrateur& narrateur,
                                   const QString& dossierReglages, QWidget* parent)
    : QMainWindow(parent)
    , partie_(partie)
    , hasard_(hasard)
    , services_(services)
    , narrateur_(narrateur)
    , preferences_(dossierReglages)
    , journal_(dossierReglages) {
    setObjectName(QStringLiteral("Bataille_navale"));
    setWindowTitle(QStringLiteral("Corsabord"));
    setWindowIcon(iconeJeu());

    scene_ = new Scene(QStringLiteral("FOND_BATAILLE"), this);
    setCentralWidget(scene_);
    creerPlateaux();

    LabelCol = labelCache(scene_, "LabelCol");
    LabeLigne = labelCache(scene_, "LabeLigne");
    Infopartie = labelCache(scene_, "Infopartie");

    echange_ = new Echange(partie_, hasard_, services_.temps, narrateur_, services_.sons, &clip, *this, this);
    echange_->setAllure(preferences_.allure());
    echange_->setNiveau(preferences_.niveau());
    echange_->setStereo(preferences_.stereo());
    echange_->setSignalRien(preferences_.signalRien());
    echange_->setBref(preferences_.bref());
    services_.sons.setVolumeClips(preferences_.volumeSons());
    echange_->setJournal(&journal_);

    creerMenu();
    connect(&narrateur_, &Narrateur::requeteTerminee, this, &TBataille_navale::Agent1RequestComplete);
}

TBataille_navale::~TBataille_navale() = default;

void TBataille_navale::creerPlateaux() {
    // Its legend strip, as the enemy sea's, is no sector: the keys stop at A and at 1.
    port_joueur = new Board(true, scene_);
    port_joueur->setObjectName(QStringLiteral("port_joueur"));
    // Our sea only shows, yet a player who listens reaches it by Tab and reads it with the arrows.
    port_joueur->setLectureSeule(true);
    scene_->placer(port_joueur, QRect(16, 112, Board::COTE, Board::COTE));
    port_adverse = new Board(true, scene_);
    port_adverse->setObjectName(QStringLiteral("port_adverse"));
    port_adverse->setEnabled(false);
    scene_->placer(port_adverse, QRect(592, 112, Board::COTE, Board::COTE));
    // Each board paints what it was last asked to show: a new mark appears when its result is spoken,
    // whatever else makes the window system redraw the board in between.
    port_joueur->setDessin([this](QPainter& p) { Board::peindre(p, imageJoueur_); });
    port_adverse->setDessin([this](QPainter& p) { Board::peindre(p, imageAdverse_); });
    connect(port_adverse, &Board::SelectCell, this, &TBataille_navale::port_adverseSelectCell);
    connect(port_adverse, &Board::MouseMove, this, &TBataille_navale::port_adverseMouseMove);
    connect(port_adverse, &Board::MouseUp, this, &TBataille_navale::port_adverseMouseUp);
    connect(port_adverse, &Board::KeyPress, this,
            [this](int touche, Qt::KeyboardModifiers, const QString& texte, quint32 scan) {
                port_adverseKeyPress(toucheTapee(touche, texte, scan));
            });
    // A key that moves nothing at the sea's edge has its cue; our sea speaks each sector the keys reach.
    connect(port_adverse, &Board::Butee, this, [this] { echange_->rien(port_adverse->col()); });
    connect(port_joueur, &Board::Butee, this, [this] { echange_->rien(port_joueur->col()); });
    connect(port_joueur, &Board::SelectCell, this, [this] {
        if (!selonLEnnemi_)
            direNotreMer(false);
    });
    connect(port_joueur, &Board::KeyPress, this,
            [this](int touche, Qt::KeyboardModifiers, const QString& texte, quint32 scan) {
                port_joueurKeyPress(toucheTapee(touche, texte, scan));
            });
    // Every event of the game passes here first: Tab reaching either sea, the keys of a question about our
    // sea, and any key or click, which silences a glance under way before it does what it does.
    qApp->installEventFilter(this);
    // For screen readers: our ships and the enemy's shots on them; on the enemy sea, only our shots.
    port_joueur->setAccessibleName(QStringLiteral("Notre flotte"));
    port_joueur->setContenu([this](int c, int r) {
        const Partie& p = commeRaconte();
        const QString& tir = p.tirs_adverse(c, r);
        return motsDeCase(p.plan_joueur(c, r)) +
               (tir.isEmpty() ? QString() : QStringLiteral(", ") + motsDeCase(tir));
    });
    // A sector from the start, before the enemy's first shot makes his target the selected one.
    port_joueur->setCol(1);
    port_joueur->setRow(1);
    port_adverse->setAccessibleName(QStringLiteral("Flotte ennemie"));
    port_adverse->setContenu([this](int c, int r) {
        const QString& tir = commeRaconte().tirs_joueur(c, r);
        return tir.isEmpty() ? QStringLiteral("pas encore visé") : motsDeCase(tir);
    });
}

const Partie& TBataille_navale::commeRaconte() const {
    return echange_ ? echange_->commeRaconte() : partie_;
}

void TBataille_navale::creerMenu() {
    QMenuBar* Menu_bataille = menuBar();
    Menu_bataille->setObjectName(QStringLiteral("Menu_bataille"));
    sansAltSeul(Menu_bataille);
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
    creerVigie(Menu_bataille);
}

bool TBataille_navale::FormCreate() {
    partie_.Initialise();
    return intentions_->installer();
}

void TBataille_navale::montrer() {
    // Shown once, at start-up, when the harbour opens over it at once and takes the keys.
    montrerPleinEcran(this, false);
}

void TBataille_navale::passerDevant() {
    raise();
    activateWindow();
}

void TBataille_navale::engager() {
    echange_->engager();
}

void TBataille_navale::adieux() {
    echange_->adieux();
}

bool TBataille_navale::enAdieux() const {
    return echange_->phase() == Phase::Adieux;
}

Timer& TBataille_navale::paix() {
    return *echange_->TimerPaix;
}

QString TBataille_navale::garderVolumeDesSons(int pourcent) {
    if (pourcent == preferences_.volumeSons())
        return QString(); // nothing new: Corsabord.ini is left as it is
    preferences_.setVolumeSons(pourcent);
    const EcritureSure e = preferences_.enregistrer();
    return e.reussie ? QString() : e.raison;
}

void TBataille_navale::montrerPlateau(bool visible) {
    port_joueur->setVisible(visible);
}

void TBataille_navale::fermerCommandes() {
    ::fermerCommandes(this);
}

void TBataille_navale::FormActivate() {
    partie_.copierPlans();
    partie_.infopartie.clear();
    Infopartie->clear();
    repeindre();
    if (echange_->phase() == Phase::TourDuJoueur) {
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
    if (echange_->phase() == Phase::Adieux)
        return;
    echange_->placer();
    intentions_->placer();
}

void TBataille_navale::DegatClick() {
    echange_->DegatClick();
}

void TBataille_navale::Inspection1Click() {
    echange_->Inspection1Click();
}

void TBataille_navale::Quitter1Click() {
    intentions_->quitter();
}

void TBataille_navale::VoixClick() {
    intentions_->voix();
}

void TBataille_navale::Rpte1Click() {
    narrateur_.repeter();
}

void TBataille_navale::Apropos1Click() {
    intentions_->aPropos(false);
}

void TBataille_navale::SOS1Click() {
    echange_->TimerPaix->setEnabled(false);
    Parle(texteSOS());
    echange_->TimerPaix->setEnabled(true);
}

void TBataille_navale::FormKeyPress() {
    intentions_->relancerPaix();
}

void TBataille_navale::FormClick() {
    intentions_->relancerPaix();
}

void TBataille_navale::port_adverseSelectCell(int col, int row) {
    LabelCol->setText(QString(lettreColonne(col)));
    LabeLigne->setText(QString::number(row));
    if (!selonLeViseur_)
        echange_->demander(Demande::viser({col, row}, !selonLePointeur_));
    suivreAvecLePointeur(this, port_adverse, col, row);
}

void TBataille_navale::montrerViseur(int colonne, int ligne) {
    selonLeViseur_ = true;
    if (colonne == port_adverse->col() && ligne == port_adverse->row())
        port_adverseSelectCell(colonne, ligne);
    else
        port_adverse->setCellule(colonne, ligne);
    selonLeViseur_ = false;
}

void TBataille_navale::port_adverseMouseMove(int x, int y) {
    const Case c = echange_->survoler(x, y);
    selonLePointeur_ = true;
    if (c.colonne > 0)
        port_adverse->setCol(c.colonne);
    if (c.ligne > 0)
        port_adverse->setRow(c.ligne);
    selonLePointeur_ = false;
}

void TBataille_navale::port_adverseMouseUp(Qt::MouseButton, int, int) {
    echange_->demander(Demande::tirer({port_adverse->col(), port_adverse->row()}));
}

void TBataille_navale::port_adverseKeyPress(int touche) {
    echange_->demander(Demande::taper(touche, {port_adverse->col(), port_adverse->row()}));
}

bool TBataille_navale::joueurAbsent() const {
    // Every window of the game is minimised: the player has left it for something else.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible() && !w->isMinimized())
            return false;
    return isMinimized();
}

void TBataille_navale::Agent1RequestComplete(int requete) {
    intentions_->requeteTerminee(requete);
}

bool TBataille_navale::commande(const QKeySequence& touches) {
    if (!isEnabled() || QApplication::activeModalWidget())
        return false;
    return declencherRaccourci(menuBar(), touches);
}

void TBataille_navale::repeindre() {
    repeindreJoueur();
    repeindreAdverse();
}

void TBataille_navale::repeindreJoueur() {
    imageJoueur_ = dessinPortJoueur(partie_);
    port_joueur->repeindre();
}

void TBataille_navale::repeindreAdverse() {
    imageAdverse_ = dessinPortAdverse(partie_);
    port_adverse->repeindre();
}

void TBataille_navale::activerAdverse(bool actif) {
    // While a shot plays out and once the game is over, the enemy sea refuses the keys and the pointer but
    // keeps the focus, and a screen reader stays on it: the keys go on to the screen, which answers them
    // with the cue. Tab still reads our sea meanwhile, and the player stays there when the turn comes back.
    const Phase phase = echange_->phase();
    if (!actif && (phase == Phase::Echange || phase == Phase::FinDePartie) && port_adverse->isEnabled()) {
        port_adverse->setRefus(true);
        return;
    }
    const bool retourDuTir = port_adverse->isEnabled() && !port_adverse->accepte();
    port_adverse->setRefus(false);
    // In the harbour and at the farewell it is closed: a disabled board hands the keys on to the next in
    // the Tab order, our sea, which would read it by surprise; they go to the screen instead.
    if (!actif && port_adverse->hasFocus())
        scene_->setFocus(Qt::OtherFocusReason);
    port_adverse->setEnabled(actif);
    if (actif && !(retourDuTir && port_joueur->hasFocus()))
        port_adverse->setFocus();
}

void TBataille_navale::cibleEnnemie(int colonne, int ligne) {
    LabelCol->setText(QString(lettreColonne(colonne)));
    LabeLigne->setText(QString::number(ligne));
    selonLEnnemi_ = true;
    port_joueur->setCellule(colonne, ligne);
    selonLEnnemi_ = false;
}

void TBataille_navale::keyPressEvent(QKeyEvent* event) {
    FormKeyPress();
    if (repondreQuestion(event)) {
        event->accept();
        return;
    }
    // A key of the sea while a shot is played out or once the game is over: nothing to do, said by the
    // cue. Modifiers alone, menus' keys and function keys are not the sea's.
    const Phase phase = echange_->phase();
    const bool sansCommande =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if ((phase == Phase::Echange || phase == Phase::FinDePartie || echange_->enPause()) && sansCommande &&
        toucheTapee(event->key(), event->text(), event->nativeScanCode()) != 0 &&
        !(event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F35) && event->key() != Qt::Key_Tab &&
        event->key() != Qt::Key_Backtab) {
        echange_->rien(port_adverse->col());
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TBataille_navale::mousePressEvent(QMouseEvent* event) {
    FormClick();
    QMainWindow::mousePressEvent(event);
}

void TBataille_navale::closeEvent(QCloseEvent* event) {
    event->accept();
    intentions_->fermer();
}
