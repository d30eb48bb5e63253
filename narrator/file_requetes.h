// The parrot's requests in the order they were made: which one plays, which text may start ahead of the
// gestures before it, and the completions, reported in order. No drawing and no sound here.
#pragma once

#include "narrator/personnage.h"

#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class FileRequetes {
public:
    enum class Genre { Animation, Parole };
    struct Requete {
        int id = 0;
        Genre genre = Genre::Animation;
        QString nom; // the animation asked for, or the text
        const Animation* animation = nullptr;
        Pose depart;
        int ecoule = 0;
        bool commencee = false;
        bool finie = false; // over, waiting for the requests before it to complete
        // speech
        bool avec_son = false;    // heard through the sound output, or only timed
        bool par_lecteur = false; // said by the player's screen reader, over when it says so
        bool son_direct = false;  // its sound goes from the engine's thread straight to the output
        double balance = 0;       // where it is heard, left to right
        bool case_lue = false;    // a sector's words, which a screen reader reads from the focused cell
        bool synthese_finie = false;
        qint64 echantillons = 0;
        bool son_recu = false;
        qint64 entendu = 0;             // samples heard, as the output last said
        QList<float> enveloppe;         // speech level every BLOC samples
        QList<QPair<qint64, int>> mots; // first sample and character of each word
    };

    // commencer plays a request that may start now (and may mark it finished at once); signaler reports a
    // completion. Both are called from within the queue's own calls.
    FileRequetes(std::function<void(Requete&)> commencer, std::function<void(int)> signaler);

    // Queues a request and returns its new id. With nobody to play it (enScene false), it completes at
    // once and is never queued.
    int ajouter(Requete r, bool enScene);
    // Completes the finished requests at the head, in order, and starts what may start: the head, or a
    // text that does not wait for the gestures before it (any but one that hides the parrot). One text
    // at a time.
    void avancer();
    // Cancels that request, waiting or under way; couper ends it first if it had started. The others go on.
    // True when it was cut before its end.
    bool arreter(int id, const std::function<void(Requete&)>& couper);
    // Cancels every request; each is reported.
    void abandonner(const std::function<void(Requete&)>& couper);

    // The text being said, or the one with this id if it is the one being said; null otherwise.
    Requete* parleuse();
    Requete* parole(int id);
    Requete* tete() { return file_.isEmpty() ? nullptr : &file_.first(); }
    bool vide() const { return file_.isEmpty(); }
    int taille() const { return int(file_.size()); }
    // The id of the request at the head, 0 when none.
    int enCours() const { return file_.isEmpty() ? 0 : file_.first().id; }

    // True for an animation that ends with the parrot hidden.
    static bool cache(const Animation* animation);

private:
    int paroleAnticipable() const;

    std::function<void(Requete&)> commencer_;
    std::function<void(int)> signaler_;
    QList<Requete> file_;
    int prochaine_ = 0;
};
