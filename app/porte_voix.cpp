// Who says the parrot's texts, and who owns the braille display.
#include "app/porte_voix.h"

#include "audio/braille_brlapi.h"
#include "audio/lecteur_annonces.h"
#include "audio/lecteur_speechd.h"
#include "base/lecteur_actif.h"
#include "base/preferences.h"
#include "base/terminal.h"
#include "narrator/compagnon_perroquet.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
// One short sentence, said the first time the player's screen reader takes the parrot's texts over.
const QString PAR_LECTEUR_PREMIERE =
    QStringLiteral("Désormais, je parle par votre lecteur d'écran ; F12 me rend ma propre voix.");
// What F12 says, in the voice it has just chosen.
const QString PAR_LECTEUR = QStringLiteral("Je parle par votre lecteur d'écran.");
const QString PAR_PERROQUET = QStringLiteral("Je reprends ma propre voix.");
const QString SANS_LECTEUR = QStringLiteral("Aucun lecteur d'écran ne répond ; je garde ma propre voix.");
} // namespace

PorteVoix::PorteVoix(CompagnonPerroquet& compagnon, LecteurActif& actif, const QString& dossierReglages,
                     QObject* parent)
    : QObject(parent)
    , compagnon_(compagnon)
    , actif_(actif)
    , dossier_(dossierReglages) {
    appliquer();
    connect(&actif_, &LecteurActif::change, this, [this] {
        appliquer();
        if (demarre_)
            demarrer();
    });
    connect(&compagnon_, &CompagnonPerroquet::requeteCoupee, this, [this](int requete) {
        if (requete == premiere_ && premiere_)
            premiereCoupee_ = true;
    });
    qApp->installEventFilter(this);
}

PorteVoix::~PorteVoix() {
    compagnon_.setLecteur(nullptr);
}

void PorteVoix::appliquer() {
    const Preferences preferences(dossier_);
    const bool voulu = preferences.voixChoisie().value_or(actif_.actif());
    SortieLecteur* lecteur = nullptr;
    if (voulu && preferences.braille() && actif_.actif()) {
        // Braille wanted and a screen reader running: it shows on its display only what it presents
        // itself, so the texts go to it as its own notifications, not to speech-dispatcher as well,
        // where it would hear them twice.
        if (!annonces_)
            annonces_ = std::make_unique<LecteurAnnonces>([this] { return fenetreDevant(); });
        lecteur = annonces_.get();
    } else if (voulu) {
        if (!lecteur_)
            ouvrirLecteur();
        if (lecteur_)
            lecteur_->setLecteurActif(actif_.actif());
        if (lecteur_ && lecteur_->disponible())
            lecteur = lecteur_.get();
    }
    parLecteur_ = lecteur != nullptr;
    compagnon_.setLecteur(lecteur);
    // what speech-dispatcher still holds of ours is not said, nor sent again, once the texts go elsewhere
    if (lecteur_ && lecteur != lecteur_.get())
        lecteur_->lacher();
    compagnon_.setLecteurActif(actif_.actif());
    Q_EMIT lecteurChoisi(lecteur);
    brailleSelonLecteur();
}

QWidget* PorteVoix::fenetreDevant() const {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return compagnon_.fenetre() ? compagnon_.fenetre()->window() : nullptr;
}

void PorteVoix::ouvrirLecteur() {
    QString raison;
    lecteur_ = LecteurSpeechd::ouvrir(&raison);
    if (!lecteur_)
        direAuTerminal(QStringLiteral("Corsabord : speech-dispatcher est injoignable (%1) ; le perroquet "
                                      "parle de sa propre voix.")
                           .arg(raison));
}

void PorteVoix::brailleSelonLecteur() {
    // One owner: while the player's screen reader runs, the display and its keys are its own.
    const bool voulu = Preferences(dossier_).braille() && !actif_.actif();
    if (voulu == brailleOuvert_)
        return;
    brailleOuvert_ = voulu;
    if (!voulu) {
        compagnon_.setBraille(nullptr);
        return;
    }
    QString raison;
    std::unique_ptr<BrailleBrlapi> braille = BrailleBrlapi::ouvrir(&raison);
    if (!braille)
        direAuTerminal(
            QStringLiteral("Corsabord : pas de plage braille (%1) ; le jeu continue sans elle.").arg(raison));
    compagnon_.setBraille(std::move(braille));
}

void PorteVoix::setParole(std::function<void(const QString&)> dire,
                          std::function<int(const QString&)> enchainer) {
    dire_ = std::move(dire);
    enchainer_ = std::move(enchainer);
}

void PorteVoix::demarrer() {
    demarre_ = true;
    if (!parLecteur_ || attente_)
        return;
    const Preferences preferences(dossier_);
    if (preferences.voixChoisie() || preferences.voixAnnoncee())
        return;
    // Said once the greeting and the harbour's welcome are over, so that it holds none of the game's
    // texts back. Written down only once said to its end: a player who pressed a key over it hears it at
    // the next start.
    const auto direSiLibre = [this] {
        if (!attente_ || premiere_ || compagnon_.requetesEnAttente() > 0 || !parLecteur_)
            return;
        premiere_ = enchainer_(PAR_LECTEUR_PREMIERE);
        premiereCoupee_ = false;
        // no parrot to say it: not said, nor asked again before the next start
        if (!premiere_) {
            disconnect(attente_);
            attente_ = {};
        }
    };
    attente_ = connect(
        &compagnon_, &ServiceCompagnon::requeteTerminee, this,
        [this, direSiLibre](int requete) {
            if (!premiere_) {
                direSiLibre();
                return;
            }
            if (requete != premiere_)
                return;
            disconnect(attente_);
            attente_ = {};
            premiere_ = 0;
            if (premiereCoupee_)
                return;
            Preferences p(dossier_);
            p.setVoixAnnoncee();
            p.enregistrer();
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(this, direSiLibre, Qt::QueuedConnection);
}

void PorteVoix::basculer() {
    Preferences preferences(dossier_);
    const bool voulu = !parLecteur_;
    preferences.setLecteurEcran(voulu);
    preferences.enregistrer();
    appliquer();
    // what the other voice was saying stops there: the new one answers at once
    dire_(parLecteur_ ? PAR_LECTEUR : voulu ? SANS_LECTEUR : PAR_PERROQUET);
}

bool PorteVoix::eventFilter(QObject* objet, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !objet->isWidgetType())
        return false;
    const auto* touche = static_cast<QKeyEvent*>(event);
    if (touche->key() != Qt::Key_F12 || touche->modifiers() != Qt::NoModifier)
        return false;
    // Taken at the first widget it reaches, so that no screen sees it and it switches once per press.
    if (!touche->isAutoRepeat())
        basculer();
    return true;
}
