// The voice screen.
#include "screens/tformvoice.h"

#include "audio/clips.h"
#include "audio/lecteur_ecran.h"
#include "audio/sons.h"
#include "base/accessible.h"
#include "audio/voix_directe.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
const QString CONSIGNE = QStringLiteral(
    "Servez vous des touches \"haut\" ou \"bas\" pour changer ma voix. Entrée pour revenir au jeu.");
// Said after the instruction, for the keys the game adds to this screen.
const QString CONSIGNE_REGLAGES = QStringLiteral(
    " Gauche ou droite pour ma vitesse, page précédente ou page suivante pour mon volume, majuscule haut "
    "ou majuscule bas pour ma hauteur, majuscule page précédente ou majuscule page suivante pour le "
    "volume des sons, Echap pour tout laisser comme avant.");
const QString CONSIGNE_ECRITE = QStringLiteral("Servez vous des touches \"haut\" ou \"bas\" pour changer la "
                                               "voix de la synthèse. Entrée pour revenir au jeu.");
// The screen's sky-blue ground.
const QColor CIEL(166, 202, 240);
constexpr int HAUTEUR_LIGNE = 13;
} // namespace

// Where the screen's own voice shows: a speaker, with its sound waves while it speaks.
class TemoinVoix : public QWidget {
public:
    using QWidget::QWidget;
    void setParle(bool parle) {
        parle_ = parle;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // drawn on an 80 by 56 design, whatever the piece's size
        p.scale(width() / 80.0, height() / 56.0);
        const QColor encre(0, 48, 106);
        p.setPen(Qt::NoPen);
        p.setBrush(encre);
        p.drawRect(QRectF(14, 21, 9, 14));
        QPainterPath pavillon;
        pavillon.moveTo(23, 21);
        pavillon.lineTo(36, 10);
        pavillon.lineTo(36, 46);
        pavillon.lineTo(23, 35);
        pavillon.closeSubpath();
        p.drawPath(pavillon);
        if (!parle_)
            return;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(encre, 3, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            const qreal r = 8 + 8 * i;
            p.drawArc(QRectF(36 - r, 28 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        }
    }

private:
    bool parle_ = false;
};

TFormVoice::TFormVoice(QWidget* parent)
    : EcranModal(QRect(214, 210, 627, 292), parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FormVoice"));
    setWindowTitle(QStringLiteral("Voix"));
    QPalette ciel = palette();
    ciel.setColor(QPalette::Window, CIEL);
    setPalette(ciel);
    setAutoFillBackground(true);

    Label1 = new QLabel(CONSIGNE_ECRITE, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placer(Label1, QRect(64, 16, 500, 28));

    DirectSS = new TemoinVoix(this);
    DirectSS->setObjectName(QStringLiteral("DirectSS"));
    placer(DirectSS, QRect(272, 48, 80, 56));

    GroupBox1 = new QGroupBox(QStringLiteral("Langues"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    placer(GroupBox1, QRect(8, 112, 609, 169));

    ListTTS = new QListWidget(GroupBox1);
    ListTTS->setObjectName(QStringLiteral("ListTTS"));
    ListTTS->setSelectionMode(QAbstractItemView::SingleSelection);
    ListTTS->setUniformItemSizes(true);
    ListTTS->setAccessibleName(QStringLiteral("Voix"));
    ListTTS->installEventFilter(this);
    placer(ListTTS, QRect(8, 16, 593, 145));
    connect(ListTTS, &QListWidget::itemSelectionChanged, this, &TFormVoice::ListTTSClick);
}

void TFormVoice::setMoteur(MoteurParole* moteur, SortieParole* sortie) {
    delete voix_;
    voix_ = nullptr;
    moteur_ = moteur;
    if (!moteur_)
        return;
    voix_ = new VoixDirecte(*moteur_, this, sortie);
    voix_->setLecteur(lecteur_);
    connect(voix_, &VoixDirecte::fini, DirectSS, [this] { DirectSS->setParle(false); });
}

void TFormVoice::setLecteur(SortieLecteur* lecteur) {
    lecteur_ = lecteur;
    if (voix_)
        voix_->setLecteur(lecteur);
}

void TFormVoice::dire(const QString& texte, const QString& voix) {
    if (!voix_)
        return;
    voix_->dire(texte, voix);
    DirectSS->setParle(voix_->parle());
    // The screen's own voice is not the parrot's balloon: screen readers and braille are told here.
    annoncerPourLecteurs(DirectSS, texte.trimmed());
}

QString TFormVoice::sansVoix() const {
    return moteur_ ? moteur_->raisonSilence() : QString();
}

int TFormVoice::ligneChoisie() const {
    const QList<QListWidgetItem*> choisies = ListTTS->selectedItems();
    return choisies.isEmpty() ? -1 : ListTTS->row(choisies.first());
}

void TFormVoice::showEvent(QShowEvent* event) {
    EcranModal::showEvent(event);
    FormShow();
}

void TFormVoice::hideEvent(QHideEvent* event) {
    // Whatever closed the screen, its voice stops with it: the parrot speaks next.
    if (voix_)
        voix_->arreter();
    // Closed without Enter: the speed and volume tried here are given up.
    if (moteur_ && result() != QDialog::Accepted)
        moteur_->appliquer({avant_.vitesse, avant_.hauteur, avant_.volume});
    if (sons_ && result() != QDialog::Accepted)
        sons_->setVolumeClips(sonsAvant_);
    // No voice of a closed screen may still say it has the focus; the list is filled again on opening.
    const QSignalBlocker calme(ListTTS);
    ListTTS->clear();
    EcranModal::hideEvent(event);
}

void TFormVoice::FormShow() {
    choix_ = {};
    sonsAvant_ = sons_ ? sons_->volumeClips() : 100;
    modes_ = moteur_ ? moteur_->voix() : QList<VoixFrancaise>();
    const QSignalBlocker calme(ListTTS);
    ListTTS->clear();
    const int hauteur = std::max(1, qRound(HAUTEUR_LIGNE * echelle()));
    for (const VoixFrancaise& v : modes_)
        ListTTS->addItem(v.libelle);
    for (int i = 0; i < ListTTS->count(); ++i)
        ListTTS->item(i)->setSizeHint(QSize(0, hauteur));
    ListTTS->setCurrentRow(-1);
    ListTTS->setFocus();
    // Without a voice the screen says so where its instruction stands, for the eye and for screen
    // readers: there is nothing to choose and Enter saves nothing.
    const QString raison = sansVoix();
    Label1->setText(
        raison.isEmpty()
            ? CONSIGNE_ECRITE
            : QStringLiteral("Pas de voix à choisir : %1. Entrée pour revenir au jeu.").arg(raison));
    avant_ = moteur_ ? moteur_->reglages() : MoteurParole::Reglages{};
    dire(raison.isEmpty() ? CONSIGNE + CONSIGNE_REGLAGES : Label1->text());
}

void TFormVoice::regler(Reglage reglage, int sens) {
    if (!moteur_ || modes_.isEmpty())
        return;
    MoteurParole::Reglages r = moteur_->reglages();
    QString dit;
    switch (reglage) {
    case Reglage::Vitesse:
        r.vitesse = vitesseSuivante(r.vitesse, sens);
        dit = QStringLiteral("Vitesse %1").arg(r.vitesse);
        break;
    case Reglage::Volume:
        r.volume = volumeSuivant(r.volume, sens);
        dit = QStringLiteral("Volume %1").arg(r.volume);
        break;
    case Reglage::Hauteur:
        r.hauteur = hauteurSuivante(r.hauteur, sens);
        dit = QStringLiteral("Hauteur %1").arg(r.hauteur);
        break;
    case Reglage::Sons:
        if (!sons_)
            return;
        sons_->setVolumeClips(volumeSuivant(sons_->volumeClips(), sens));
        sons_->JouerSon(clip(QStringLiteral("WaveBut")));
        dit = QStringLiteral("Sons %1").arg(sons_->volumeClips());
        break;
    }
    moteur_->appliquer({r.vitesse, r.hauteur, r.volume});
    const int ligne = ligneChoisie();
    dire(dit, ligne >= 0 && ligne < modes_.size() ? modes_.at(ligne).nom : QString());
}

void TFormVoice::ListTTSClick() {
    const int ligne = ligneChoisie();
    if (ligne < 0 || ligne >= modes_.size())
        return;
    const VoixFrancaise& v = modes_.at(ligne);
    dire(QStringLiteral("Ma voix est: ") + v.libelle + QStringLiteral(". Entrée pour valider."), v.nom);
}

void TFormVoice::ListTTSKeyPress() {
    if (!moteur_ || modes_.isEmpty()) {
        reject(); // no voice to choose from: the parrot comes back as it was, nothing saved
        return;
    }
    // Stopped first: the engine answers once the text under way has given up.
    if (voix_)
        voix_->arreter();
    const int ligne = ligneChoisie();
    // Nothing highlighted: the engine's current voice, the parrot's own, is kept.
    const QString nom = (ligne >= 0 && ligne < modes_.size()) ? modes_.at(ligne).nom : moteur_->voixChoisie();
    if (nom.isEmpty()) {
        reject();
        return;
    }
    choix_ = {identifiantVoix(nom), moteur_->reglages(), sons_ ? sons_->volumeClips() : 100};
    accept();
}

bool TFormVoice::eventFilter(QObject* objet, QEvent* event) {
    if (objet != ListTTS || event->type() != QEvent::KeyPress)
        return EcranModal::eventFilter(objet, event);
    const auto* touche = static_cast<QKeyEvent*>(event);
    // Shift with Up or Down: the pitch, one step, heard at once.
    if (touche->modifiers() == Qt::ShiftModifier &&
        (touche->key() == Qt::Key_Up || touche->key() == Qt::Key_Down)) {
        regler(Reglage::Hauteur, touche->key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    // With Page Up or Page Down: the clips' level.
    if (touche->modifiers() == Qt::ShiftModifier &&
        (touche->key() == Qt::Key_PageUp || touche->key() == Qt::Key_PageDown)) {
        regler(Reglage::Sons, touche->key() == Qt::Key_PageUp ? 1 : -1);
        return true;
    }
    switch (touche->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ListTTSKeyPress();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        // With no row highlighted yet, the first arrow highlights an end of the list rather than
        // stepping over the row the list put its cursor on.
        if (ligneChoisie() < 0 && ListTTS->count() > 0) {
            // The list put its cursor on a row when it took the focus, without highlighting it: moved
            // off first, so that the row highlighted now is a new current one, which screen readers
            // are told of as the focus.
            ListTTS->setCurrentRow(-1);
            ListTTS->setCurrentRow(touche->key() == Qt::Key_Down ? 0 : ListTTS->count() - 1);
            return true;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        regler(Reglage::Vitesse, touche->key() == Qt::Key_Right ? 1 : -1);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        regler(Reglage::Volume, touche->key() == Qt::Key_PageUp ? 1 : -1);
        return true;
    default:
        break;
    }
    return EcranModal::eventFilter(objet, event);
}
