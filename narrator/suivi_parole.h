// Follows a text from the speech engine to the ear: the sound handed to the output, the speech level for
// the beak, the word being heard for the balloon, and when a text is over. No drawing here.
#pragma once

#include "narrator/file_requetes.h"
#include "audio/lecteur_ecran.h"

#include <QByteArray>
#include <QPointer>

class MoteurParole;
class SortieParole;

// The boards' cells take the focus as the aim and the cursors move: a running screen reader reads each
// sector from its cell, and the parrot's words for it only show in the balloon.
inline constexpr bool LECTEUR_LIT_LES_CASES = true;

class SuiviParole {
public:
    // Samples per level measure of the speech, for the beak.
    static constexpr int BLOC = 441;

    SuiviParole(MoteurParole& moteur, SortieParole& sortie)
        : moteur_(moteur)
        , sortie_(sortie) {}

    // The player's screen reader says the texts from now on instead of the output (not taken over);
    // nullptr for none.
    void setLecteur(SortieLecteur* lecteur);
    SortieLecteur* lecteur() const { return lecteur_; }
    // Whether a screen reader runs, which reads the boards' focused cells by itself, whoever says the texts.
    void setLecteurActif(bool actif) { lecteurActif_ = actif; }

    // The text starts: said by the screen reader when there is one that takes it; otherwise heard
    // through the output when it is there (asked once per text, so that a sound server that went away
    // is looked for again), otherwise timed. The engine makes its sound all the same, for the beak.
    void commencer(FileRequetes::Requete& r);
    // A piece of the text's sound: measured for the beak, and handed to the output unless the engine
    // hands it there itself. True for its first.
    bool recevoirPcm(FileRequetes::Requete& r, const QByteArray& pcm);
    void recevoirMot(FileRequetes::Requete& r, qint64 echantillon, int position);
    // The engine has made the whole text. True when it is over already: nothing to hear.
    bool recevoirFin(FileRequetes::Requete& r, qint64 echantillons);
    // The output has played everything it was given: true when that ends this text.
    static bool finiParLaSortie(const FileRequetes::Requete& r) { return r.avec_son && r.synthese_finie; }
    // The text is cut: the engine stops it, the output falls silent and the reader cancels it.
    void couper(FileRequetes::Requete& r);

    // A frame: the time passed, and what the output has played. True when a text with no sound to follow
    // has taken the time it takes to say, or one the reader never finishes twice that and 10 s.
    bool avancer(FileRequetes::Requete& r, int ms);
    // The sample being heard: the output's, or the time spent for a text only timed.
    qint64 position(const FileRequetes::Requete& r) const;
    // The speech level at that sample, from 0.
    static float niveau(const FileRequetes::Requete& r, qint64 echantillon);
    // The character of the text where the word being heard starts.
    static int caractere(const FileRequetes::Requete& r, qint64 echantillon);

private:
    MoteurParole& moteur_;
    SortieParole& sortie_;
    QPointer<SortieLecteur> lecteur_;
    bool lecteurActif_ = false;
};
