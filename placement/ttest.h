// The placement screen: the harbour where the player lays the fleet out before engaging the battle.
#pragma once

#include <QMainWindow>

class Board;
class QLabel;
class QPushButton;
class Scene;
class TBataille_navale;

class TTest : public QMainWindow {
    Q_OBJECT
public:
    // Shown over the battle screen, which owns the narrator and the battle.
    explicit TTest(TBataille_navale& bataille);
    ~TTest() override;

    // The game's flow brings the harbour to the front: shown, then activated (harbour reset).
    void ouvrir();
    // The harbour hands the game back to the battle screen.
    void fermer();
    void repeindrePlateau();

    Board* Grille_de_placement = nullptr;
    QPushButton* ButtonVire = nullptr;
    QPushButton* ButtonAncre = nullptr;
    QPushButton* Auto = nullptr;
    QLabel* Btstart = nullptr;
    QLabel* BtInitialiser = nullptr;
    QLabel* LabelCol = nullptr;
    QLabel* LabeLigne = nullptr;

public Q_SLOTS:
    void FormActivate();
    void BtInitialiserClick();
    void ImBtnavireamiralClick();
    void ImBtfregateClick();
    void FregatClick();
    void ImBtbrick1Click();
    void ImBtBrick2Click();
    void ImBtgalere1Click();
    void ImBtgalere2Click();
    void ImBtChaloupe1Click();
    void ImBtchaloupe2Click();
    void ImBtchaloupe3Click();
    void BricClick();
    void GaleresClick();
    void ChalouClick();
    void Grille_de_placementSelectCell(int col, int row);
    void Grille_de_placementMouseMove(int x, int y);
    void Grille_de_placementMouseUp(Qt::MouseButton bouton, int x, int y);
    void ButtonVireClick();
    void ButtonAncreClick();
    void AutoClick();
    void InspectionClick();
    void EngagerClick();
    void RetourauportClick();
    void Quitter1Click();
    void SOS1Click();
    void Apropos1Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void creerMenu();

    TBataille_navale& bataille_;
    Scene* scene_ = nullptr;
};
