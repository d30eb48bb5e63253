// The battle screen: the game's main window, its menu and its two seas; it turns the player's keys and
// clicks into requests to the exchange and the flow.
#pragma once

#include "base/demandes.h"
#include "base/preferences.h"
#include "narrator/services.h"
#include "battle/echange.h"
#include "battle/journal.h"
#include "model/dessin.h"
#include "narrator/narrateur.h"
#include "screens/aide.h"

#include <QMainWindow>
#include <QStringList>

#include <initializer_list>

class Board;
class Hasard;
class QLabel;
class QKeyEvent;
class QMenuBar;
class Scene;
class Timer;
struct Partie;

class TBataille_navale : public QMainWindow, public VueBatailleEcran, private VueBataille {
    Q_OBJECT
public:
    TBataille_navale(Partie& partie, Hasard& hasard, Services& services, Narrateur& narrateur,
                     const QString& dossierReglages, QWidget* parent = nullptr);
    ~TBataille_navale() override;

    // The game's flow, to which the screen reports what the player asks for.
    void setIntentions(Intentions* intentions) { intentions_ = intentions; }

    // Resets the battle, then the flow loads the speech settings and brings the narrator on. False when
    // the narrator's character cannot be found: the notice has been shown and the game must end.
    bool FormCreate();

    void Parle(const QString& texte) { narrateur_.Parle(texte); }
    Narrateur& narrateur() { return narrateur_; }
    Partie& partie() { return partie_; }
    Hasard& hasard() { return hasard_; }
    Echange& echange() { return *echange_; }

    // VueBatailleEcran
    void montrer() override;
    void cacher() override { hide(); }
    bool visible() const override { return isVisible(); }
    void passerDevant() override;
    void activer() override { FormActivate(); }
    void montrerPlateau(bool visible) override;
    void repeindre() override;
    void fermerCommandes() override;
    QWidget* fenetre() override { return this; }
    void engager() override;
    void adieux() override;
    bool enAdieux() const override;
    bool commande(const QKeySequence& touches) override;
    Timer& paix() override;
    QString garderVolumeDesSons(int pourcent) override;

    // An added key (F1 lists them), whichever menu or shortcut gave it.
    void executer(Commande commande);

    Board* port_joueur = nullptr;
    Board* port_adverse = nullptr;
    QLabel* LabelCol = nullptr;
    QLabel* LabeLigne = nullptr;
    QLabel* Infopartie = nullptr;

public Q_SLOTS:
    void FormActivate();
    void PlacerClick();
    void DegatClick();
    void Inspection1Click();
    void Quitter1Click();
    void VoixClick();
    void Rpte1Click();
    void Apropos1Click();
    void SOS1Click();
    void FormKeyPress();
    void FormClick();
    void Agent1RequestComplete(int requete);
    void port_adverseSelectCell(int col, int row);
    void port_adverseMouseMove(int x, int y);
    void port_adverseMouseUp(Qt::MouseButton bouton, int x, int y);
    void port_adverseKeyPress(int touche);

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The window manager's close (Alt+F4, the title bar) ends the game at once.
    void closeEvent(QCloseEvent* event) override;

private:
    void creerMenu();
    void creerPlateaux();
    void creerVigie(QMenuBar* barre);
    void Journal1Click();
    void EffacerJournal1Click();
    void Allure1Click();
    void Niveau1Click();
    void Stereo1Click();
    // The glance over the sea with the cursor, or its legend.
    void coupDOeil(Commande commande);
    void Bref1Click();
    // After Shift+F4: a key of the sector asked about, on our sea, taken whatever has the focus. False
    // when no question waits or the key is not the question's (a shortcut).
    bool repondreQuestion(QKeyEvent* event);
    // Our own sea read by keys: the sector under its cursor and what it holds, after the sea's name when
    // Tab has just brought the keys there.
    void direNotreMer(bool entree);
    void port_joueurKeyPress(int touche);
    // The pace or the level as chosen, written in Corsabord.ini, and said.
    void changerReglage(const QString& texte);

    // VueBataille
    void repeindreJoueur() override;
    void repeindreAdverse() override;
    void activerAdverse(bool actif) override;
    void cibleEnnemie(int colonne, int ligne) override;
    void montrerViseur(int colonne, int ligne) override;
    bool joueurAbsent() const override;

    // The seas as the parrot has told them, which every reading of them says; the battle itself while the
    // screen is built, before the exchange is there.
    const Partie& commeRaconte() const;

    Partie& partie_;
    Hasard& hasard_;
    Services& services_;
    Narrateur& narrateur_;
    Intentions* intentions_ = nullptr;
    Echange* echange_ = nullptr;
    Scene* scene_ = nullptr;
    QList<Dessin> imageJoueur_;
    QList<Dessin> imageAdverse_;
    Preferences preferences_;
    Journal journal_;
    bool selonLePointeur_ = false; // the current cell is following the pointer, not the keys
    bool selonLeViseur_ = false;   // the current cell is following a sector the exchange aimed at
    bool selonLEnnemi_ = false;    // our sea's cell is following the enemy's shot, said by its report
    SaisieSecteur saisieNous_;     // a sector typed on our own sea
    bool question_ = false;        // Shift+F4 waits for a sector of our sea
    SaisieSecteur saisieQuestion_; // that sector, as it is typed
};
