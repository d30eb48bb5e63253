// The game's character service: our speaking parrot, drawn in the game's window and voiced by espeak-ng.
// The requests' order is the queue's (file_requetes.h), what is heard the follower's (suivi_parole.h),
// his idle moves the scheduler's (repos_perroquet.h), the character file's search personnage.h's; here,
// the requests played out on the parrot's clock (compagnon_perroquet.cpp), where he stands in the window
// (compagnon_fenetre.cpp) and where his texts go (compagnon_sorties.cpp).
#pragma once

#include "narrator/compagnon.h"
#include "narrator/file_requetes.h"
#include "narrator/personnage.h"
#include "narrator/repos_perroquet.h"
#include "narrator/suivi_parole.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <memory>
#include <optional>

class BulleParole;
class DessinPerroquet;
class MoteurParole;
class SortieBraille;
class SortieLecteur;
class SortieParole;
class Temps;
class Timer;
class QWidget;

// Requests are played in the order made and complete in that order. A text completes once it has been
// heard, or, with no sound output (or one that stopped taking the sound), once the time it takes to
// say has passed; an animation once its images have run. A text does not wait for the gestures
// queued before it (showing, greeting, waving): the parrot speaks at once and finishes moving while
// it speaks; it only waits for one that hides him. Completions are reported on the GUI thread, after
// the call that caused them. The parrot's clock only runs while something moves or is said; between
// idle moves it wakes once for the next one, a pose he holds needs no frame, and a while after the last
// request he stands still.
class CompagnonPerroquet : public ServiceCompagnon {
    Q_OBJECT
public:
    // The game's service: speech by espeak-ng heard through the default sound output.
    explicit CompagnonPerroquet(QWidget* fenetre, Temps& temps, QObject* parent = nullptr);
    // With another engine and output (tests, benchmarks); the service takes both over.
    explicit CompagnonPerroquet(QWidget* fenetre, Temps& temps, MoteurParole* moteur, SortieParole* sortie,
                                QObject* parent = nullptr);
    ~CompagnonPerroquet() override;

    // The game window in front, where the parrot and its balloon are shown from now on. In a
    // QMainWindow they stand in its central widget, so that the menu bar does not shift them.
    void setFenetre(QWidget* fenetre);
    QWidget* fenetre() const { return fenetre_; }
    // The window draws the 1024 by 800 design scaled by k from origine, in the coordinates of the
    // central widget of a main window (of the window itself otherwise). Until this is called for a
    // window, the design is fitted to that widget and centred, and follows its resizing.
    void setEchelle(double k, QPoint origine);

    // The folders searched for the character file, first found wins.
    void setDossiers(const QStringList& dossiers) { recherche_.dossiers = dossiers; }
    const QStringList& dossiers() const { return recherche_.dossiers; }
    // The character file that plays whatever character the game loads (the game asks for its narrator
    // by its own identifier and key): perroquet.json unless told otherwise.
    void setFichierPersonnage(const QString& fichier) { recherche_.fichier = fichier; }
    // The character file found in the folders, or empty.
    QString cheminPersonnage() const;
    // Next to the executable (data/narrateur), then the installed data folder.
    static QStringList dossiersParDefaut();

    MoteurParole& moteur() { return *moteur_; }

    // The player's own screen reader says the texts from now on, instead of the parrot's voice: nothing
    // of them reaches the sound output, and each ends when the reader has said it (the parrot and his
    // balloon go on meanwhile, the beak on the text's own timing). Not taken over; nullptr gives the
    // parrot his voice back, as does a reader that can no longer be reached.
    void setLecteur(SortieLecteur* lecteur);
    SortieLecteur* lecteur() const { return suivi_.lecteur(); }
    // A screen reader runs and reads the boards' focused cells: the sectors' words then only show.
    void setLecteurActif(bool actif) { suivi_.setLecteurActif(actif); }
    // A braille display that shows each text as it starts; taken over, nullptr for none.
    void setBraille(std::unique_ptr<SortieBraille> braille);

    void setConnecte(bool connecte) override;
    bool connecte() const override { return connecte_; }
    bool personnageExiste(const QString& id) const override;
    bool charger(const QString& id, const QString& cle) override;
    bool personnage(const QString& id) const override;
    void decharger(const QString& id) override;
    QString raisonAbsence() const override;
    int montrer() override;
    void placer(int gauche, int haut) override;
    int jouer(const QString& animation) override;
    void setLangue(int langue) override;
    bool setModeVoix(const QString& mode) override;
    int parler(const QString& texte) override;
    int parlerPlace(const QString& texte, double balance) override;
    int parlerCase(const QString& texte, double balance) override;
    void appliquerReglages(const TagsParole& tags) override;
    void arreter(int requete) override;

    // What the player sees, for tests.
    int requeteEnCours() const;
    int requetesEnAttente() const { return file_.taille(); }
    bool visible() const;
    bool bulleVisible() const;
    QString texteBulle() const;
    const Pose& pose() const { return pose_; }
    QRect rectanglePerroquet() const;

Q_SIGNALS:
    // The first sound of a text was handed to the output.
    void premierSon(int requete);
    // That request was cut before its end (its completion is reported all the same, just before).
    void requeteCoupee(int requete);

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    using Requete = FileRequetes::Requete;
    using Genre = FileRequetes::Genre;

    int ajouter(Requete r);
    void avancerFile();
    void commencer(Requete& r);
    // A text to the sound output or the screen reader, and to the braille display.
    void livrer(Requete& r);
    void finir(Requete& r);
    void signaler(int id);
    void tic();
    void planifier();
    void repos(int ms);
    void animerBec(Requete& r);
    void recevoirPcm(int id, const QByteArray& pcm);
    void recevoirMot(int id, qint64 echantillon, int position, int longueur);
    void recevoirFin(int id, qint64 echantillons, bool interrompu);
    void sonJoue();
    void lecteurADit(int id);
    void abandonnerTout();
    void arreterRequete(Requete& r);
    void disposer();
    void afficher(bool visible);
    QRect versFenetre(const QRectF& design) const;

    QPointer<QWidget> fenetre_;
    QPointer<QWidget> hote_; // where the parrot's widgets live: the window or its central widget
    Temps& temps_;
    MoteurParole* moteur_;
    SortieParole* sortie_;
    Timer* tic_;
    QPointer<DessinPerroquet> dessin_;
    QPointer<BulleParole> bulle_;
    RecherchePersonnage recherche_;
    QString erreur_; // what was wrong with the character file at the last load

    bool connecte_ = false;
    QString id_personnage_;
    std::optional<Personnage> personnage_;
    // the parrot last unloaded, with its drawing still in dessin_: he comes back even if his file broke
    std::optional<Personnage> dernier_;
    QString id_dernier_;
    FileRequetes file_;
    SuiviParole suivi_;
    std::unique_ptr<SortieBraille> braille_;
    Pose pose_;
    bool montre_ = false;
    int gauche_ = 430, haut_ = 628;
    bool echelle_auto_ = true;
    double k_ = 1;
    QPoint origine_;
    int bulle_reste_ = 0;
    bool case_lue_ = false; // the text asked for now is a sector's words
    ReposPerroquet repos_;
};
