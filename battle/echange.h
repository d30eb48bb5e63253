// The battle's midend: the phase of play and the chain of timers that paces each exchange of fire.
#pragma once

#include "model/regles.h"
#include "battle/ciblage.h"
#include "battle/coup_d_oeil.h"
#include "battle/tir.h"
#include "battle/vigie.h"
#include "narrator/commentaires.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <optional>

class Journal;
class LecteurSons;
class Narrateur;
class Temps;
class Timer;

// What the battle asks of its screen.
class VueBataille {
public:
    virtual ~VueBataille() = default;
    virtual void repeindreJoueur() = 0;
    virtual void repeindreAdverse() = 0;
    // The enemy sea takes aim and fire (and the keyboard) or refuses all input.
    virtual void activerAdverse(bool actif) = 0;
    // The computer's shot lands: the sector becomes the current cell of our sea.
    virtual void cibleEnnemie(int colonne, int ligne) = 0;
    // A typed sector is aimed at: it becomes the current cell of the enemy sea, which asks nothing more.
    virtual void montrerViseur(int /*colonne*/, int /*ligne*/) {}
    // Every window of the game is minimised: the idle chatter waits for the player's return.
    virtual bool joueurAbsent() const { return false; }
};

// The clip of a name, as the game's resources hold it.
using SourceClips = std::function<QByteArray(const QString&)>;

// A delay of the exchange or of the end at the chosen pace. The quick pace keeps three tenths of each:
// the default delays leave time for a clip and a whole comment to be heard; the quick one leaves the
// clip's first second and the result's first words (the shortest, 3.5 s after an enemy's miss, becomes
// 1.05 s, about as long as "Feu ennemi!" itself), so a long comment may be cut by the next beat.
int delaiSelonAllure(int ms, Allure allure);

// What the parrot says when the pace or the level changes.
QString texteAllure(Allure allure);
QString texteNiveau(Niveau niveau);
// The levels in turn: classique, tenace, vraisemblance, then classique again.
Niveau niveauSuivant(Niveau niveau);

// What the player asks of the enemy sea, whatever key or button gave it. An arrow, the pointer or a
// typed sector aims; a key goes to the typed sector's entry first, and Space outside an entry fires; a
// mouse release fires.
struct Demande {
    enum class Geste { Viser, Taper, Tirer };
    Geste geste = Geste::Viser;
    Case secteur;        // the sector aimed at: the request's own, or the enemy sea's current cell
    int touche = 0;      // Taper: the key, as Qt names it
    bool curseur = true; // Viser: the aiming cursor goes there (false when the pointer carries it)

    static Demande viser(Case secteur, bool curseur = true) { return {Geste::Viser, secteur, 0, curseur}; }
    static Demande taper(int touche, Case secteur) { return {Geste::Taper, secteur, touche, true}; }
    static Demande tirer(Case secteur) { return {Geste::Tirer, secteur, 0, true}; }
};

enum class Phase {
    Placement,    // the fleet is in harbour
    TourDuJoueur, // the enemy sea is open to the player's fire
    Echange,      // a shot and its reply are being played out
    FinDePartie,  // a fleet is gone
    Adieux,       // the player confirmed quitting: the parrot says goodbye, nothing else happens
};

class Echange : public QObject {
    Q_OBJECT
public:
    Echange(Partie& partie, Hasard& hasard, Temps& temps, Narrateur& narrateur, LecteurSons& sons,
            SourceClips clips, VueBataille& vue, QObject* parent = nullptr);

    Phase phase() const { return phase_; }
    // The battle as the parrot has told it: a shot fired and not yet told is not in it, so that no reading
    // of the seas (a row, the glance, the hit ships, a cell to a screen reader) names its result first.
    const Partie& commeRaconte() const { return raconte_ ? *raconte_ : partie_; }
    Allure allure() const { return allure_; }
    void setAllure(Allure allure) { allure_ = allure; }
    // The shots' clips and the sectors' names heard at their column's side (true) or all centred.
    bool stereo() const { return stereo_; }
    void setStereo(bool stereo) { stereo_ = stereo; }
    // A short cue where a key does nothing (the sea's edge, a shot under way, a game over), or silence.
    bool signalRien() const { return signalRien_; }
    void setSignalRien(bool signal) { signalRien_ = signal; }
    // The brief mode: the aim in two signs, each shot's result in plain words, no banter or idle chatter.
    bool bref() const { return bref_; }
    void setBref(bool bref) { bref_ = bref; }
    Niveau niveau() const { return niveau_; }
    void setNiveau(Niveau niveau) { niveau_ = niveau; }
    // Where each game over, or left after a shot, is written; none in tests that do not ask for it.
    void setJournal(Journal* journal) { journal_ = journal; }
    // Why the logbook could not be written last time; empty when it was.
    const QString& erreurJournal() const { return erreurJournal_; }
    const Commentaires& commentaires() const { return com_; }

    // "Engager le combat" with the whole fleet at sea: the player's turn begins.
    void engager();
    // "Placer les navires": every timer of the exchange and of the end stopped, the idle chatter off,
    // the battle reset.
    void placer();
    // The one way in for what the player asks of the enemy sea: an aim is named, a shot is fired and
    // played out, in the player's turn only; a typed sector is aimed at as an arrow would.
    void demander(const Demande& demande);
    // The pointer moves over the enemy sea, at (x, y) pixels of the board: past the legend strip the
    // cursor follows it. The cell to make current, column then row, 0 where that coordinate stays.
    Case survoler(int x, int y);
    // A row or a column of either sea, through the sector aimed at; what each fleet has afloat.
    void resumer(bool notreMer, bool colonne, int colonneVisee, int ligneVisee);
    void NaviresAFlotClick();
    // The loss reports.
    void Inspection1Click();
    void DegatClick();
    // A key did nothing: its cue, at the side of that column when the stereo cues are on (0: centred).
    void rien(int colonne = 0);
    // A sector named outside the aim (our own sea), at its column's side; the idle chatter waits.
    void direSecteur(const QString& texte, int colonne);
    // The queries that move nothing: the last exchange, the enemy's ships hit and afloat, where the aim
    // (the enemy sea's current cell) is.
    void dernierEchange();
    void blesses();
    void ouEstLeViseur(Case viseur);
    // A jump of the aim, in the player's turn: to the next sector not yet fired at, or (presDUnBlesse) to
    // the next one beside a hit ship still afloat; named as the arrows name it. The cue when there is none.
    void sauter(bool presDUnBlesse, Case depuis);
    // The pause: the exchange's and the end's timers stopped where they were and the idle chatter silent,
    // the enemy sea closed; then everything on from there.
    void basculerPause();
    bool enPause() const { return pause_; }
    // The player confirmed quitting: the exchange and the idle chatter fall silent for the goodbye.
    void adieux();

    // The sea at a glance, cutting off the parrot: the row or the column through that sector of either
    // sea (Ctrl+F2, Ctrl+F3), every hit of that sea (Ctrl+F4), each heard as a run of short sounds.
    void ecouterLigne(bool notreMer, bool colonne, int colonneVisee, int ligneVisee);
    void ecouterTouches(bool notreMer);
    // Ctrl+F1: each of the glance's sounds after its name; four on the enemy sea, five on ours.
    void ecouterLegende(bool notreMer);
    // A key or a click: the glance or the legend under way falls silent at once.
    void arreterEcoute();

    Timer* TimerTir = nullptr;
    Timer* TimerReplique = nullptr;
    Timer* TimerEnnemi = nullptr;
    Timer* Timergagne = nullptr;
    Timer* TimerFinal = nullptr;
    Timer* TimerPaix = nullptr;
    Timer* TimerLegende = nullptr; // a breath after each of the legend's sounds

public Q_SLOTS:
    void TimerTirTimer();
    void TimerRepliqueTimer();
    void TimerEnnemiTimer();
    void TimergagneTimer();
    void TimerFinalTimer();
    void TimerPaixTimer();

private:
    // The sector is named, and the cursor goes there unless the pointer moved the aim (the pointer
    // itself carries the cursor, legend strip aside).
    void viser(Case secteur, bool curseur);
    // A key on the enemy sea: a typed sector's letter or digit, or Space to fire at the sector aimed at.
    void taper(int touche, Case secteur);
    // The player's shot.
    void tirer(Case secteur);
    void passerA(Phase phase);
    // The clip of that name; a shot's at the side of its column (0: centred).
    void jouerClip(const QString& nom, int colonne = 0);
    // Where a column of the sea is heard, left to right; centred when the cues are off.
    double balance(int colonne) const;
    void armer(Timer* timer, int ms);
    void noterPartie();
    void jouerNotes(const QList<NoteCoupDOeil>& notes);
    // The legend's next name, once the sound before it has rung out.
    void nommerSuivant();
    // The legend's name just said has been heard: its sound.
    void legendeEntendue(int requete);

    Partie& partie_;
    Hasard& hasard_;
    Narrateur& narrateur_;
    LecteurSons& sons_;
    SourceClips clips_;
    VueBataille& vue_;
    Commentaires com_;
    Phase phase_ = Phase::Placement;
    Allure allure_ = Allure::Normale;
    bool stereo_ = true;
    bool signalRien_ = true;
    Niveau niveau_ = Niveau::Classique;
    Journal* journal_ = nullptr;
    QString erreurJournal_;
    SaisieSecteur saisie_;
    bool bref_ = false;
    bool pause_ = false;
    QList<QPair<Timer*, int>> enSuspens_; // the timers the pause stopped, with the ms each had left
    // The last exchange as F9 tells it: each shot once its result has been told, never before.
    std::optional<CoupJoue> dernierNous_, dernierEux_;
    std::optional<CoupJoue> nousEnCours_, euxEnCours_; // shots whose result is still to be told
    std::optional<Partie> raconte_;                    // the battle before them, until they are told
    void raconter();     // the shots whose result was just told become the last exchange
    bool refus_ = false; // a typed entry was just refused or dropped: Space names the aim before firing
    // What the shot under way turned out to be, said when its timer runs out.
    QString issue_;
    // The legend under way: how many sounds it has (0: none), the next to name, the name being said.
    int legende_ = 0;
    int suivante_ = 0;
    int requeteLegende_ = 0;
};
