// Who says the parrot's texts: his own voice, or the player's screen reader; and who owns the braille
// display. Followed while the game runs, and switched by F12.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class CompagnonPerroquet;
class LecteurActif;
class LecteurSpeechd;

// With no voix= line in Corsabord.ini the parrot's texts go to the player's screen reader while one runs,
// and to his own voice otherwise; a voix= line, written by the player or by F12, holds whatever runs.
// The braille display is the screen reader's while one runs; BrlAPI drives it (braille=oui) only without.
class PorteVoix : public QObject {
    Q_OBJECT
public:
    PorteVoix(CompagnonPerroquet& compagnon, LecteurActif& actif, const QString& dossierReglages,
              QObject* parent = nullptr);
    ~PorteVoix() override;

    // After the greeting: the first time the screen reader takes the texts over, the parrot says so.
    void demarrer();
    // The other voice from now on, written down, and said in it.
    void basculer();
    bool parLecteur() const { return parLecteur_; }

protected:
    // F12 in any of the game's windows.
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void appliquer();
    void ouvrirLecteur();
    void brailleSelonLecteur();

    CompagnonPerroquet& compagnon_;
    LecteurActif& actif_;
    QString dossier_;
    std::unique_ptr<LecteurSpeechd> lecteur_;
    bool parLecteur_ = false;
    bool brailleOuvert_ = false;
    bool demarre_ = false;
};
