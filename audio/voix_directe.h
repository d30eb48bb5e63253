// A voice without the parrot: says a text at once in a chosen voice, as the voice screen needs.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class MoteurParole;
class SortieLecteur;
class SortieParole;

// Shares the game's speech engine (there is one per process) and has its own sound output. A new text
// cuts off the one being said.
class VoixDirecte : public QObject {
    Q_OBJECT
public:
    // The sound output is the default one; sortie, when given, is taken over (tests).
    explicit VoixDirecte(MoteurParole& moteur, QObject* parent = nullptr, SortieParole* sortie = nullptr);

    // Says texte in the voice of that engine name ("fr", "fr+f3", ...); an unknown name keeps the voice.
    void dire(const QString& texte, const QString& voix = QString());
    void arreter();
    // The player's screen reader says the texts from now on, in its own voice (not taken over); nullptr
    // gives them back to the engine.
    void setLecteur(SortieLecteur* lecteur);
    bool parle() const { return en_cours_ != 0; }

Q_SIGNALS:
    // The text has been said (or cut off).
    void fini();

private:
    MoteurParole& moteur_;
    SortieParole* sortie_;
    int en_cours_ = 0;
    int prochain_ = 0;
    bool avec_son_ = false;   // the current text goes to the sound output
    bool son_direct_ = false; // ... from the engine's thread
    QPointer<SortieLecteur> lecteur_;
    bool par_lecteur_ = false; // the current text is the screen reader's
};
