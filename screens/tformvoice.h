// The voice screen, where the player gives the narrator another voice, hearing each one as it is highlighted.
#pragma once

#include "base/ecran_modal.h"
#include "audio/moteur_parole.h"
#include "audio/voix.h"

#include <QList>
#include <QPointer>
#include <QString>

class LecteurSons;
class QGroupBox;
class QLabel;
class QListWidget;
class SortieParole;
class TemoinVoix;
class SortieLecteur;
class VoixDirecte;

class TFormVoice : public EcranModal {
    Q_OBJECT
public:
    explicit TFormVoice(QWidget* parent = nullptr);

    // The game's speech engine, the one the parrot speaks with, through which this screen says its
    // texts while the parrot is away. sortie, when given, is taken over (tests); otherwise the sound
    // goes to the default output.
    void setMoteur(MoteurParole* moteur, SortieParole* sortie = nullptr);
    // The player's screen reader says the screen's texts instead of the highlighted voice (not taken over).
    void setLecteur(SortieLecteur* lecteur);
    // The game's clips, whose level this screen sets and lets the player hear (not taken over).
    void setSons(LecteurSons* sons) { sons_ = sons; }

    // The player's choice, once the screen has closed with Enter (accepted): the mode identifier of
    // the voice and the engine's speed, pitch and volume at that moment.
    struct Choix {
        QString mode;
        MoteurParole::Reglages reglages;
        int sons = 100; // the clips' level
    };
    const Choix& choix() const { return choix_; }

    // The highlighted row, -1 when none.
    int ligneChoisie() const;

    // Why the engine given has no voice to choose from, in French; empty when it has, or when none was
    // given.
    QString sansVoix() const;

    QLabel* Label1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QListWidget* ListTTS = nullptr;

public Q_SLOTS:
    void FormShow();
    void ListTTSClick();
    void ListTTSKeyPress();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void dire(const QString& texte, const QString& voix = QString());
    // Left, Right (speed), Page Up, Page Down (volume) and Shift+Up, Shift+Down (pitch): one step, heard
    // at once in the highlighted voice.
    // Shift+Page Up, Shift+Page Down: the clips' level, heard at once on a shot's clip.
    enum class Reglage { Vitesse, Volume, Hauteur, Sons };
    void regler(Reglage reglage, int sens);

    MoteurParole* moteur_ = nullptr;
    VoixDirecte* voix_ = nullptr;
    QPointer<SortieLecteur> lecteur_;
    TemoinVoix* DirectSS = nullptr;
    QList<VoixFrancaise> modes_;
    Choix choix_;
    MoteurParole::Reglages avant_; // as the screen opened, given back unless Enter is pressed
    LecteurSons* sons_ = nullptr;
    int sonsAvant_ = 100;
};
