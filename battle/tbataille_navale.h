// The battle screen: the game's main window, its menu, its two seas, the narrator and the battle's timers.
#pragma once

#include "app/preferences.h"
#include "app/services.h"
#include "battle/echange.h"
#include "battle/journal.h"
#include "model/dessin.h"
#include "narrator/narrateur.h"

#include <QMainWindow>
#include <QStringList>

#include <initializer_list>

class Board;
class DemandesBataille;
class Hasard;
class QLabel;
class QMenuBar;
class Scene;
class TFormAbout;
class TFormVoice;
class Timer;
struct Partie;

class TBataille_navale : public QMainWindow, private VueBataille {
    Q_OBJECT
public:
    TBataille_navale(Partie& partie, Hasard& hasard, Services& services, const QString& dossierReglages,
                     QWidget* parent = nullptr);
    ~TBataille_navale() override;

    // Resets the battle, loads the speech settings and brings the narrator on. False when the narrator's
    // character cannot be found: the notice has been shown and the game must end.
    bool FormCreate();

    // The game's flow, which opens the harbour and knows which screen is in front.
    void setDemandes(DemandesBataille* demandes) { demandes_ = demandes; }
    // The dialogs, created after this screen.
    void setEcrans(TFormVoice* voice, TFormAbout* about);

    // "Engager le combat" with the fleet at sea: the player's turn begins. False while leaving.
    bool engager();
    // The idle chatter, as the harbour asks for it.
    void allumerPaix();
    void relancerPaix();

    // Offers a Control-letter shortcut that the screen in front did not take to this screen's menu.
    bool offrirRaccourci(const QKeySequence& touches);

    // Shows the About screen over the screen in front, with these boards hidden while it is open.
    void montrerAPropos(std::initializer_list<QWidget*> plateaux);

    void Parle(const QString& texte) { narrateur_.Parle(texte); }
    Narrateur& narrateur() { return narrateur_; }
    Partie& partie() { return partie_; }
    Hasard& hasard() { return hasard_; }
    Echange& echange() { return *echange_; }

    QStringList MemoConfig;
    Timer* TimerPaix = nullptr;
    Timer* TimerTir = nullptr;
    Timer* TimerReplique = nullptr;
    Timer* TimerEnnemi = nullptr;
    Timer* Timergagne = nullptr;
    Timer* TimerFinal = nullptr;
    Board* port_joueur = nullptr;
    Board* port_adverse = nullptr;
    QLabel* LabelCol = nullptr;
    QLabel* LabeLigne = nullptr;
    QLabel* Infopartie = nullptr;

    int requete_adieu() const { return requete_adieu_; }

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
    // The added keys (F1 lists them).
    void AideClick();
    void Ligne1Click();
    void Colonne1Click();
    void LigneNous1Click();
    void ColonneNous1Click();
    void AFlot1Click();
    void Journal1Click();
    void EffacerJournal1Click();
    void Allure1Click();
    void Niveau1Click();
    void Stereo1Click();
    void Historique1Click();
    void HistoriqueSuivant1Click();

Q_SIGNALS:
    // The game is over: leave the event loop with this status.
    void finDuJeu(int statut);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The window manager's close (Alt+F4, the title bar) ends the game at once.
    void closeEvent(QCloseEvent* event) override;

private:
    void creerMenu();
    // Saves the settings after a voice was chosen. Empty when saved; otherwise what the parrot adds to
    // his return to say why not (the terminal has the file's whole path).
    QString enregistrerReglages();
    // At the first activation, when the speech engine has no French voice: one line on the terminal, and
    // the same words ahead of the parrot's first text.
    void avertirSansVoix();
    void creerVigie(QMenuBar* barre);
    // The pace or the level as chosen, written in Corsabord.ini, and said.
    void changerReglage(const QString& texte);
    // The farewell is over: the parrot leaves and the game ends.
    void finirLeJeu();
    void repeindreTout();
    // The scene of the game window in front: the harbour's when it is shown, this screen's otherwise.
    const Scene& sceneDevant();

    // VueBataille
    void repeindreJoueur() override;
    void repeindreAdverse() override;
    void activerAdverse(bool actif) override;
    void cibleEnnemie(int colonne, int ligne) override;
    bool joueurAbsent() const override;

    Partie& partie_;
    Hasard& hasard_;
    Services& services_;
    QString dossierReglages_;
    Narrateur narrateur_;
    Echange* echange_ = nullptr;
    Scene* scene_ = nullptr;
    DemandesBataille* demandes_ = nullptr;
    TFormVoice* FormVoice_ = nullptr;
    TFormAbout* FormAbout_ = nullptr;
    QList<Dessin> imageJoueur_;
    QList<Dessin> imageAdverse_;
    Preferences preferences_;
    Journal journal_;
    int requete_adieu_ = 0;
    bool selonLePointeur_ = false; // the current cell is following the pointer, not the keys
    // False when Config.txt was there at start-up but could not be read: it is never written over.
    bool reglagesRemplacables_ = true;
    bool voixVerifiee_ = false;
};
