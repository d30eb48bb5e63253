// Who says the parrot's texts: his own voice, or the player's screen reader; and who owns the braille
// display. Followed while the game runs, and switched by F12.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class CompagnonPerroquet;
class LecteurActif;
class LecteurAnnonces;
class LecteurSpeechd;
class SortieLecteur;
class QWidget;

// With no voix= line in Corsabord.ini the parrot's texts go to the player's screen reader while one runs,
// and to his own voice otherwise; a voix= line, written by the player or by F12, holds whatever runs.
// The braille display is the screen reader's while one runs; BrlAPI drives it (braille=oui) only without.
// With braille=oui and a screen reader running, the texts it is given are its notifications, which it
// both speaks and brailles.
class PorteVoix : public QObject {
    Q_OBJECT
public:
    PorteVoix(CompagnonPerroquet& compagnon, LecteurActif& actif, const QString& dossierReglages,
              QObject* parent = nullptr);
    ~PorteVoix() override;

    // How the parrot's words of this switch are said: dire cuts what is being said, enchainer follows it
    // and gives its request (0: not said) (the game's narrator).
    void setParole(std::function<void(const QString&)> dire, std::function<int(const QString&)> enchainer);
    // Once the game has started: the first time the screen reader takes the texts over, the parrot says
    // so as soon as he has nothing else to say, cut as any text by the next one; until it is said to its
    // end, again at each start.
    void demarrer();
    // The other voice from now on, written down, and said in it.
    void basculer();
    bool parLecteur() const { return parLecteur_; }

Q_SIGNALS:
    // The texts go to this screen reader from now on; nullptr for the parrot's own voice.
    void lecteurChoisi(SortieLecteur* lecteur);

protected:
    // F12 in any of the game's windows.
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void appliquer();
    void ouvrirLecteur();
    void brailleSelonLecteur();
    // Where the screen reader's notifications stand: the window in front.
    QWidget* fenetreDevant() const;

    CompagnonPerroquet& compagnon_;
    LecteurActif& actif_;
    QString dossier_;
    std::unique_ptr<LecteurSpeechd> lecteur_;
    std::unique_ptr<LecteurAnnonces> annonces_;
    bool parLecteur_ = false;
    bool brailleOuvert_ = false;
    bool demarre_ = false;
    std::function<void(const QString&)> dire_;
    std::function<int(const QString&)> enchainer_;
    QMetaObject::Connection attente_; // the first-time sentence waiting for the parrot to be silent
    int premiere_ = 0;                // its request, while said
    bool premiereCoupee_ = false;
};
