// A voice without the parrot: says a text at once in a chosen voice, as the voice screen needs.
#pragma once

#include <QObject>
#include <QString>

class MoteurParole;
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
    bool parle() const { return en_cours_ != 0; }

Q_SIGNALS:
    // The text has been said (or cut off).
    void fini();

private:
    MoteurParole& moteur_;
    SortieParole* sortie_;
    int en_cours_ = 0;
    int prochain_ = 0;
    bool avec_son_ = false; // the current text goes to the sound output
};
