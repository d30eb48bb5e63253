// The battle screen: the game's main window, its menu, its two seas, the narrator and the battle's timers.
#pragma once

#include "app/services.h"
#include "narrator/narrateur.h"

#include <QMainWindow>
#include <QStringList>

class Board;
class Hasard;
class QLabel;
class Scene;
class TFormAbout;
class TFormVoice;
class TTest;
class Timer;
struct Partie;

class TBataille_navale : public QMainWindow {
    Q_OBJECT
public:
    TBataille_navale(Partie& partie, Hasard& hasard, Services& services, const QString& dossierReglages,
                     QWidget* parent = nullptr);
    ~TBataille_navale() override;

    // Resets the battle, loads the speech settings and brings the narrator on. False when the narrator's
    // character cannot be found: the notice has been shown and the game must end.
    bool FormCreate();

    // The other screens, created after this one.
    void setEcrans(TFormVoice* voice, TTest* test, TFormAbout* about);

    // Shows the battle screen and runs its first activation.
    void demarrer();

    // The placement screen hands the game back: the battle screen comes to the front and is activated.
    void reprendreLaMain();

    // Offers a Control-letter shortcut that the screen in front did not take to this screen's menu.
    bool offrirRaccourci(const QKeySequence& touches);

    void Parle(const QString& texte) { narrateur_.Parle(texte); }
    Narrateur& narrateur() { return narrateur_; }
    Partie& partie() { return partie_; }
    Hasard& hasard() { return hasard_; }

    QStringList MemoConfig;
    Timer* TimerPaix = nullptr;
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

Q_SIGNALS:
    // The game window now in front, where the narrator must stand.
    void ecranAuPremierPlan(QWidget* fenetre);
    // The game is over: leave the event loop with this status.
    void finDuJeu(int statut);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The window manager's close (Alt+F4, the title bar) ends the game at once.
    void closeEvent(QCloseEvent* event) override;

private:
    void creerMenu();
    void repeindreTout();

    Partie& partie_;
    Hasard& hasard_;
    Services& services_;
    QString dossierReglages_;
    Narrateur narrateur_;
    Scene* scene_ = nullptr;
    TFormVoice* FormVoice_ = nullptr;
    TTest* Test_ = nullptr;
    TFormAbout* FormAbout_ = nullptr;
    int requete_adieu_ = 0;
};
