// The game's own settings beside Config.txt: the file Corsabord.ini, one line cle=valeur each, in UTF-8.
#pragma once

#include "base/fichier_sur.h"
#include "model/regles.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Lines "cle=valeur" as a file holds them. Lines the game does not know (another version's keys,
// comments, blank lines, bytes that are not UTF-8) are kept byte for byte and written back as they came.
class LignesCleValeur {
public:
    // Splits at CR, LF or CR LF; a break at the very end makes no extra line.
    void lire(const QByteArray& contenu);
    // Each line followed by LF.
    QByteArray octets() const;

    // The value of the first line with this key, blanks around it removed; empty if none.
    QString valeur(const QString& cle) const;
    // Each line that has a key, in the file's order: its key and its value, ASCII blanks around them
    // removed, read in place. For a file read whole in one pass, as the logbook is.
    void parcourir(const std::function<void(QByteArrayView cle, QByteArrayView valeur)>& lire) const;
    bool contient(const QString& cle) const;
    // Rewrites the first line with this key, or adds one at the end.
    void setValeur(const QString& cle, const QString& valeur);

    // The lines of a small file of the settings folder; none when it is missing, unreadable, not a plain
    // file or over taille_max bytes. False when something was there that could not be read: that file is
    // the player's and is never written over.
    bool charger(const QString& chemin, qint64 taille_max);

    // Writes the lines to chemin whole or not at all; not when they stand for a file that could not be
    // read (remplacable false), which illisible then gives as the reason. A failure is also told on
    // standard error: echec, with %1 the file's path and %2 the reason.
    EcritureSure enregistrer(const QString& chemin, bool remplacable, const QString& illisible,
                             const QString& echec) const;

private:
    qsizetype indexDe(QByteArrayView cle) const;
    QByteArrayView octetsDe(QByteArrayView cle) const;
    QList<QByteArray> lignes_;
};

// Corsabord.ini in the settings folder. A missing, unreadable or oversized file gives the defaults.
class Preferences {
public:
    static constexpr qint64 TAILLE_MAX = 64 * 1024;
    static QString nomFichier() { return QStringLiteral("Corsabord.ini"); }

    explicit Preferences(const QString& dossier);

    QString chemin() const;

    // Reads the file again; whatever goes wrong, the defaults.
    void charger();
    // Writes every line, whole or not at all. A file that was there but could not be read is the
    // player's and is never written over. A failure is also told on standard error, with the file.
    EcritureSure enregistrer() const;

    Allure allure() const;
    void setAllure(Allure allure);
    Niveau niveau() const;
    void setNiveau(Niveau niveau);
    // stereo=oui|non: the shots and sectors heard at their column's side. On unless "non" or "0".
    bool stereo() const;
    void setStereo(bool stereo);
    // signal=oui|non: a short cue where a key does nothing. On unless "non" or "0".
    bool signalRien() const;
    void setSignalRien(bool signal);
    // voix=perroquet|lecteur: the texts said by the parrot's own voice, or by the player's screen reader
    // (speech-dispatcher) when the file says "lecteur".
    bool lecteurEcran() const;
    void setLecteurEcran(bool lecteur);
    // The voice the player chose with a voix= line (true: the screen reader's); none without one, when the
    // game follows whether a screen reader runs.
    std::optional<bool> voixChoisie() const;
    // voix_annoncee=oui: the parrot has once said that he speaks through the player's screen reader.
    bool voixAnnoncee() const;
    void setVoixAnnoncee();
    // braille=oui|non: each text also on the braille display BRLTTY serves. Off unless "oui" or "1".
    bool braille() const;
    void setBraille(bool braille);
    // bref=oui|non: the brief mode (the aim in two signs, each shot told in plain words, no banter).
    // Off unless "oui" or "1".
    bool bref() const;
    void setBref(bool bref);
    // sons=10..100: the clips' level in percent, apart from the speech's. 100 unless a number in range.
    int volumeSons() const;
    void setVolumeSons(int pourcent);

    // Any setting by its key, for settings that have no getter of their own yet.
    QString valeur(const QString& cle) const { return lignes_.valeur(cle); }
    void setValeur(const QString& cle, const QString& valeur) { lignes_.setValeur(cle, valeur); }

private:
    QString dossier_;
    LignesCleValeur lignes_;
    bool remplacable_ = true;
};

// The words of the file and of the parrot for each choice.
QString cleAllure(Allure allure);
QString cleNiveau(Niveau niveau);

// Reads a whole small file of the settings folder; false when it is missing, unreadable, not a plain
// file or over taille_max bytes. existe tells whether something was there at all.
bool lireFichierReglage(const QString& chemin, qint64 taille_max, QByteArray& contenu,
                        bool* existe = nullptr);
