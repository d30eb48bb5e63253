// The flow between the game's screens: start-up, harbour to battle and back, the voice screen and the
// About card over them, the settings file, the question before leaving and the goodbye.
#pragma once

#include "base/demandes.h"

#include <QObject>
#include <QStringList>

class Dialogues;
class Narrateur;

class FluxEcrans : public QObject, public Intentions {
    Q_OBJECT
public:
    FluxEcrans(Narrateur& narrateur, Dialogues& dialogues, const QString& dossierReglages,
               QObject* parent = nullptr);

    // The screens, created after the flow: the battle screen, the harbour, the side screens.
    void setEcrans(VueBatailleEcran* bataille, VueEcran* port, EcransDeCote* cote);

    // Shows the battle screen and runs its first activation, then the harbour's that it opened.
    void demarrer();
    // The game window in front, over which boxes open.
    VueEcran* devant();

    // Intentions
    void placer() override;
    void engager() override;
    void quitter() override;
    void voix() override;
    void aPropos(bool depuisLePort) override;
    bool demander(const QString& titre, const QString& question) override;
    void parler(const QString& texte) override;
    void allumerPaix() override;
    void relancerPaix() override;
    bool commande(const QKeySequence& touches) override;
    bool installer() override;
    void requeteTerminee(int requete) override;
    void fermer() override;

    // Why nothing can be heard, as found before the start (empty when the sound server answers).
    void setSansSon(const QString& raison) { sansSon_ = raison; }
    // A second start called the game to the front: the parrot says he is there.
    void rappelee();

    // The speech settings, as read from Config.txt and as the voice screen changes them.
    QStringList MemoConfig;
    int requete_adieu() const { return requete_adieu_; }

Q_SIGNALS:
    // The game window now in front, where the narrator must stand.
    void ecranAuPremierPlan(VueEcran* ecran);
    // The game is over: leave the event loop with this status.
    void finDuJeu(int statut);

private:
    // The battle screen comes to the front and is activated; a harbour it opens meanwhile is activated
    // once that activation is over, as a window shown during another's activation is.
    void activerBataille();
    void repeindreTout();
    // Saves the settings after a voice was chosen. Empty when saved; otherwise what the parrot adds to his
    // return to say why not (the terminal has the file's whole path).
    QString enregistrerReglages();
    // At the first activation, when no sound server answers or the speech engine has no French voice: one
    // line each on the terminal, and the same words ahead of the parrot's first text.
    void avertirSilence();
    // The farewell is over: the parrot leaves and the game ends.
    void finir();

    Narrateur& narrateur_;
    Dialogues& dialogues_;
    QString dossierReglages_;
    VueBatailleEcran* bataille_ = nullptr;
    VueEcran* port_ = nullptr;
    EcransDeCote* cote_ = nullptr;
    bool portOuvert_ = false;
    int activations_ = 0;       // activations of the battle screen under way
    bool portAActiver_ = false; // the harbour was shown during one of them
    int requete_adieu_ = 0;
    // False when Config.txt was there at start-up but could not be read: it is never written over.
    bool reglagesRemplacables_ = true;
    bool voixVerifiee_ = false;
    QString sansSon_;
};
