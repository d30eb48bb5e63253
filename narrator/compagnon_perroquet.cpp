// The game's character service: our speaking parrot, drawn in the game's window and voiced by espeak-ng.
#include "narrator/compagnon_perroquet.h"

#include "base/temps.h"
#include "audio/lecteur_ecran.h"
#include "audio/moteur_espeak.h"
#include "narrator/perroquet_ecran.h"
#include "audio/sortie_pulse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <limits>

namespace {
// A frame every 80 ms, 12.5 a second: the rate at which hand-drawn cartoons move a speaking mouth ("on
// twos"), which the eye takes for speech; twice that costs twice the drawing for nothing a player sees.
constexpr int TIC_MS = 80;
// How long the balloon stays once the voice has stopped.
constexpr int BULLE_RESTE_MS = 1500;
} // namespace

CompagnonPerroquet::CompagnonPerroquet(QWidget* fenetre, Temps& temps, QObject* parent)
    : CompagnonPerroquet(fenetre, temps, new MoteurEspeak, new SortieParolePulse, parent) {}

CompagnonPerroquet::CompagnonPerroquet(QWidget* fenetre, Temps& temps, MoteurParole* moteur,
                                       SortieParole* sortie, QObject* parent)
    : ServiceCompagnon(parent)
    , temps_(temps)
    , moteur_(moteur)
    , sortie_(sortie)
    , tic_(temps.creerTimer(this, TIC_MS))
    , file_([this](Requete& r) { commencer(r); }, [this](int id) { signaler(id); })
    , suivi_(*moteur, *sortie)
    , repos_(TIC_MS) {
    recherche_.dossiers = dossiersParDefaut();
    moteur_->setParent(this);
    sortie_->setParent(this);
    connect(tic_, &Timer::timeout, this, &CompagnonPerroquet::tic);
    connect(moteur_, &MoteurParole::pcm, this, &CompagnonPerroquet::recevoirPcm);
    connect(moteur_, &MoteurParole::mot, this, &CompagnonPerroquet::recevoirMot);
    connect(moteur_, &MoteurParole::fin, this, &CompagnonPerroquet::recevoirFin);
    connect(sortie_, &SortieParole::jouee, this, &CompagnonPerroquet::sonJoue);
    setFenetre(fenetre);
}

CompagnonPerroquet::~CompagnonPerroquet() {
    if (hote_)
        hote_->removeEventFilter(this);
    delete dessin_;
    delete bulle_;
}

void CompagnonPerroquet::setConnecte(bool connecte) {
    if (!connecte && personnage_)
        decharger(id_personnage_);
    connecte_ = connecte;
}

QStringList CompagnonPerroquet::dossiersParDefaut() {
    QStringList d;
    if (QCoreApplication::instance()) {
        const QDir ici(QCoreApplication::applicationDirPath());
        d << ici.filePath(QStringLiteral("data/narrateur"));
        // tools built in a sub-folder of the build tree
        d << ici.filePath(QStringLiteral("../data/narrateur"));
        // installed under another prefix than the one it was built for
        d << ici.filePath(QStringLiteral("../share/corsabord/narrateur"));
    }
#ifdef CORSABORD_DATA_INSTALLED
    d << QStringLiteral(CORSABORD_DATA_INSTALLED "/narrateur");
#endif
    return d;
}

QString CompagnonPerroquet::cheminPersonnage() const {
    return recherche_.chemin();
}

QString CompagnonPerroquet::raisonAbsence() const {
    return recherche_.raisonAbsence(erreur_);
}

bool CompagnonPerroquet::personnageExiste(const QString&) const {
    return !cheminPersonnage().isEmpty();
}

bool CompagnonPerroquet::charger(const QString& id, const QString&) {
    const QString chemin = cheminPersonnage();
    std::optional<Personnage> lu;
    DessinPerroquet* dessin = nullptr;
    if (chemin.isEmpty()) {
        erreur_.clear();
    } else {
        // a file that is there but unreadable or malformed is no character at all
        QString erreur;
        lu = Personnage::lire(chemin, &erreur);
        if (!lu) {
            erreur_ = QStringLiteral("%1 : %2").arg(chemin, erreur);
        } else {
            dessin = new DessinPerroquet(hote_);
            if (!dessin->charger(*lu)) {
                erreur_ = QStringLiteral("%1 : dessin illisible ou incomplet").arg(lu->dessin());
                delete dessin;
                dessin = nullptr;
                lu.reset();
            }
        }
    }
    if (!lu) {
        // The parrot this game already showed comes back as he was: a file damaged or removed during the
        // game never ends it. Only the first load needs the file.
        if (!dernier_ || !dessin_ || id_dernier_ != id)
            return false;
        std::fprintf(stderr,
                     "Corsabord : le fichier du perroquet ne se lit plus (%s) ; le perroquet déjà "
                     "chargé reste.\n",
                     qUtf8Printable(erreur_.isEmpty() ? QStringLiteral("introuvable") : erreur_));
        lu = dernier_;
    }
    if (personnage_)
        decharger(id_personnage_);
    if (dessin) {
        delete dessin_;
        dessin_ = dessin;
    }
    if (!bulle_)
        bulle_ = new BulleParole(hote_);
    personnage_ = std::move(lu);
    id_personnage_ = id;
    pose_ = personnage_->poseInitiale();
    dessin_->setPose(pose_);
    QList<const Animation*> mouvements;
    for (const QString& nom : personnage_->animationsDeRepos())
        mouvements << personnage_->animation(nom);
    repos_.setMouvements(mouvements);
    montre_ = false;
    repos_.relancerAttente();
    disposer();
    afficher(false);
    return true;
}

bool CompagnonPerroquet::personnage(const QString& id) const {
    return personnage_.has_value() && id == id_personnage_;
}

void CompagnonPerroquet::decharger(const QString& id) {
    if (!personnage(id))
        return;
    abandonnerTout();
    montre_ = false;
    bulle_reste_ = 0;
    afficher(false);
    repos_.arreter();
    dernier_ = std::move(personnage_);
    id_dernier_ = id_personnage_;
    personnage_.reset();
    id_personnage_.clear();
    planifier();
}

int CompagnonPerroquet::montrer() {
    Requete r;
    r.genre = Genre::Animation;
    r.nom = QStringLiteral("Show");
    return ajouter(r);
}

void CompagnonPerroquet::placer(int gauche, int haut) {
    gauche_ = gauche;
    haut_ = haut;
    disposer();
}

int CompagnonPerroquet::jouer(const QString& animation) {
    Requete r;
    r.genre = Genre::Animation;
    r.nom = animation;
    return ajouter(r);
}

void CompagnonPerroquet::setLangue(int) {
    // Only French is spoken; the voice is chosen by its mode.
}

bool CompagnonPerroquet::setModeVoix(const QString& mode) {
    const QString nom = voixDuMode(moteur_->voix(), mode);
    if (nom.isEmpty() || !moteur_->choisirVoix(nom)) {
        moteur_->choisirVoix(VOIX_DEFAUT);
        return false;
    }
    return true;
}

int CompagnonPerroquet::parler(const QString& texte) {
    return parlerPlace(texte, 0);
}

int CompagnonPerroquet::parlerPlace(const QString& texte, double balance) {
    Requete r;
    r.genre = Genre::Parole;
    r.nom = texte;
    r.balance = balance;
    r.case_lue = case_lue_;
    return ajouter(r);
}

int CompagnonPerroquet::parlerCase(const QString& texte, double balance) {
    case_lue_ = true;
    const int id = parlerPlace(texte, balance);
    case_lue_ = false;
    return id;
}

void CompagnonPerroquet::appliquerReglages(const TagsParole& tags) {
    moteur_->appliquer(tags);
}

int CompagnonPerroquet::ajouter(Requete r) {
    if (r.genre == Genre::Animation && personnage_)
        r.animation = personnage_->animation(r.nom);
    const int id = file_.ajouter(std::move(r), personnage_.has_value());
    planifier();
    return id;
}

void CompagnonPerroquet::signaler(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { Q_EMIT requeteTerminee(id); }, Qt::QueuedConnection);
}

void CompagnonPerroquet::avancerFile() {
    file_.avancer();
    planifier();
}

void CompagnonPerroquet::commencer(Requete& r) {
    repos_.interrompre(pose_);
    if (r.genre == Genre::Animation) {
        if (r.animation && r.animation->nom == personnage_->animation(QStringLiteral("Show"))->nom) {
            montre_ = true;
            afficher(true);
        }
        r.depart = pose_;
        if (!r.animation || r.animation->duree() == 0) {
            if (r.animation)
                pose_ = r.animation->poseA(r.depart, 0);
            if (dessin_)
                dessin_->setPose(pose_);
            r.finie = true;
        }
        return;
    }
    if (r.nom.trimmed().isEmpty()) {
        // a blank says nothing and takes no time
        r.finie = true;
        return;
    }
    if (bulle_) {
        bulle_->setTexte(r.nom);
        bulle_reste_ = BULLE_RESTE_MS;
        disposer();
        afficher(montre_);
    }
    livrer(r);
}

void CompagnonPerroquet::finir(Requete& r) {
    r.finie = true;
    if (r.genre == Genre::Parole) {
        pose_.valeurs.insert(QStringLiteral("bec"), 0);
        if (dessin_)
            dessin_->setPose(pose_);
    }
}

void CompagnonPerroquet::arreterRequete(Requete& r) {
    if (r.genre == Genre::Parole) {
        suivi_.couper(r);
        if (bulle_ && r.commencee && bulle_->texte() == r.nom)
            bulle_->retirerAnnonce();
        pose_.valeurs.insert(QStringLiteral("bec"), 0);
        bulle_reste_ = std::min(bulle_reste_, 300);
    } else if (r.animation) {
        // a cut animation leaves the parrot where it would have ended (hidden after "Hide")
        pose_ = r.animation->poseA(r.depart, r.animation->duree());
    }
    if (dessin_)
        dessin_->setPose(pose_);
}

void CompagnonPerroquet::arreter(int requete) {
    const bool coupee = file_.arreter(requete, [this](Requete& r) { arreterRequete(r); });
    planifier();
    if (coupee)
        Q_EMIT requeteCoupee(requete);
}

void CompagnonPerroquet::abandonnerTout() {
    file_.abandonner([this](Requete& r) { arreterRequete(r); });
}

int CompagnonPerroquet::requeteEnCours() const {
    return file_.enCours();
}

void CompagnonPerroquet::animerBec(Requete& r) {
    if (!personnage_)
        return;
    const qint64 entendu = suivi_.position(r);
    const float niveau = SuiviParole::niveau(r, entendu);
    const double ouverture =
        std::clamp(niveau / personnage_->niveauPlein(), 0.0, 1.0) * personnage_->becMax();
    const double avant = pose_.valeur(QStringLiteral("bec"));
    // opens at once, closes a little slower, as a beak does
    pose_.valeurs.insert(QStringLiteral("bec"),
                         ouverture >= avant ? ouverture : avant * 0.4 + ouverture * 0.6);
    if (bulle_)
        bulle_->setPosition(SuiviParole::caractere(r, entendu));
}

void CompagnonPerroquet::tic() {
    if (!personnage_) {
        tic_->setEnabled(false);
        return;
    }
    const int ms = tic_->interval();
    Requete* p = file_.parleuse();
    if (bulle_reste_ > 0 && !p) {
        bulle_reste_ -= ms;
        if (bulle_reste_ <= 0)
            afficher(montre_);
    }
    if (file_.vide()) {
        repos(ms);
        planifier();
        return;
    }
    Requete& tete = *file_.tete();
    if (tete.genre == Genre::Animation && tete.commencee && !tete.finie) {
        tete.ecoule += ms;
        if (tete.animation)
            pose_ = tete.animation->poseA(tete.depart, tete.ecoule);
        if (!tete.animation || tete.ecoule >= tete.animation->duree())
            tete.finie = true;
    }
    if (p) {
        const bool dite = suivi_.avancer(*p, ms);
        animerBec(*p);
        if (dite)
            finir(*p);
    }
    if (dessin_)
        dessin_->setPose(pose_);
    avancerFile();
}

void CompagnonPerroquet::planifier() {
    if (!personnage_) {
        tic_->setEnabled(false);
        return;
    }
    int intervalle = TIC_MS;
    if (file_.vide()) {
        // Nothing asked: the clock wakes only when something on the screen is to change, the balloon
        // going or the parrot moving, and a while after the last request not at all, as a dozing bird.
        int prochain = bulle_reste_ > 0 ? bulle_reste_ : std::numeric_limits<int>::max();
        if (montre_ && pose_.valeur(QStringLiteral("opacite"), 1) > 0.01)
            prochain = std::min(prochain, repos_.prochainReveil(pose_));
        if (prochain == std::numeric_limits<int>::max()) {
            tic_->setEnabled(false);
            return;
        }
        intervalle = prochain;
    }
    if (tic_->interval() != intervalle)
        tic_->setInterval(intervalle);
    tic_->setEnabled(true);
}

void CompagnonPerroquet::repos(int ms) {
    if (!montre_ || pose_.valeur(QStringLiteral("opacite"), 1) <= 0.01)
        return;
    if (repos_.avancer(ms, pose_) && dessin_)
        dessin_->setPose(pose_);
}
