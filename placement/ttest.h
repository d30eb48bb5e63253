// The placement screen: the harbour where the player lays the fleet out before engaging the battle.
#pragma once

#include "base/demandes.h"
#include "placement/port.h"

#include <QMainWindow>

#include <array>

class Board;
class ImagePoste;
class QLabel;
class QPainter;
class QPushButton;
class Scene;

class TTest : public QMainWindow, public VueEcran {
    Q_OBJECT
public:
    // Shown over the battle screen (parent); asks the game's flow for speech, the idle chatter, the
    // battle and quitting.
    TTest(Partie& partie, Hasard& hasard, Intentions& intentions, QWidget* parent);
    ~TTest() override;

    void repeindrePlateau();

    // VueEcran
    void montrer() override;
    void cacher() override { hide(); }
    bool visible() const override { return isVisible(); }
    void passerDevant() override;
    void activer() override { FormActivate(); }
    void montrerPlateau(bool visible) override;
    void repeindre() override { repeindrePlateau(); }
    void fermerCommandes() override;
    QWidget* fenetre() override { return this; }

    // The harbour's state and rules.
    Port& port() { return port_; }
    const Port& port() const { return port_; }
    // The berth widget of a ship.
    ImagePoste* poste(Poste p) const { return postes_[static_cast<int>(p)]; }

    Board* Grille_de_placement = nullptr;
    QPushButton* ButtonVire = nullptr;
    QPushButton* ButtonAncre = nullptr;
    QPushButton* Auto = nullptr;
    QLabel* Btstart = nullptr;
    QLabel* BtInitialiser = nullptr;
    QLabel* LabelCol = nullptr;
    QLabel* LabeLigne = nullptr;
    ImagePoste* ImBtnavireamiral = nullptr;
    ImagePoste* ImBtfregate = nullptr;
    ImagePoste* ImBtbrick1 = nullptr;
    ImagePoste* ImBtBrick2 = nullptr;
    ImagePoste* ImBtGalere1 = nullptr;
    ImagePoste* ImBtGalere2 = nullptr;
    ImagePoste* ImBtChaloupe1 = nullptr;
    ImagePoste* ImBtchaloupe2 = nullptr;
    ImagePoste* ImBtchaloupe3 = nullptr;

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
    // The game puts the harbour away by hiding it; a close comes from the window manager and ends the
    // game as the same close on the battle screen does.
    void closeEvent(QCloseEvent* event) override;

private:
    void creerMenu();
    void creerPostes();
    // The berths show what the harbour says of them.
    void montrerPostes();
    // Speaks a text, if there is one, after the berths have been brought up to date.
    void dire(const QString& texte);
    void dessinerPlateau(QPainter& p) const;

    Intentions& intentions_;
    Partie& partie_;
    Port port_;
    Scene* scene_ = nullptr;
    std::array<ImagePoste*, NB_POSTES> postes_{};
};
