// The parrot on the screen: its drawing in a pose, and the speech balloon beside it.
#include "narrator/perroquet_ecran.h"

#include "base/accessible.h"

#include <QFontMetrics>
#include <QMetaObject>
#include <QPointer>
#include <QtMath>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <utility>

DessinPerroquet::DessinPerroquet(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    donnerRoleAccessible(this, QAccessible::Graphic);
    setAccessibleName(QStringLiteral("Le perroquet"));
}

bool DessinPerroquet::charger(const Personnage& personnage) {
    if (!rendu_.load(personnage.dessin()) || !rendu_.isValid())
        return false;
    for (const PartieDessin& partie : personnage.parties())
        if (!rendu_.elementExists(partie.element))
            return false;
    personnage_ = personnage;
    pose_ = personnage.poseInitiale();
    images_.clear();
    echelle_ = 0;
    update();
    return true;
}

void DessinPerroquet::preparerImages(double echelle, qreal ratio) {
    const double pixels = echelle * ratio;
    if (qFuzzyCompare(pixels, echelle_) && !images_.isEmpty())
        return;
    images_.clear();
    echelle_ = pixels;
    // a transparent pixel of room around each part: its smoothed edge is in its own picture, even turned
    const double bord = 1.0 / pixels;
    for (const PartieDessin& partie : personnage_->parties()) {
        if (images_.contains(partie.element))
            continue;
        const QRectF place = rendu_.boundsOnElement(partie.element).adjusted(-bord, -bord, bord, bord);
        const QSize taille(std::max(1, qCeil(place.width() * pixels)),
                           std::max(1, qCeil(place.height() * pixels)));
        QPixmap image(taille);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(taille.width() / place.width(), taille.height() / place.height());
            p.translate(-place.topLeft());
            rendu_.render(&p, partie.element, rendu_.boundsOnElement(partie.element));
        }
        // one of its pixels on one pixel of the screen when copied as it is
        image.setDevicePixelRatio(ratio);
        ++rendus_;
        images_.insert(partie.element, {image, place});
    }
}

void DessinPerroquet::setMarge(int marge) {
    marge_ = std::max(0, marge);
    update();
}

void DessinPerroquet::setPose(const Pose& pose) {
    // the same pose again draws nothing new
    if (pose == pose_)
        return;
    pose_ = pose;
    update();
}

QTransform DessinPerroquet::transformGroupe(const QString& nom, int profondeur) const {
    const GroupeDessin* g = personnage_ ? personnage_->groupe(nom) : nullptr;
    if (!g || profondeur > 16)
        return {};
    const double angle = g->angle.isEmpty() ? 0 : pose_.valeur(g->angle);
    const double saut = g->saut.isEmpty() ? 0 : pose_.valeur(g->saut);
    const double echelle = g->echelle.isEmpty() ? 1 : pose_.valeur(g->echelle, 1);
    QTransform t;
    t.translate(g->pivot.x(), g->pivot.y() - saut);
    t.rotate(angle);
    t.scale(echelle, echelle);
    t.translate(-g->pivot.x(), -g->pivot.y());
    return g->parent.isEmpty() ? t : t * transformGroupe(g->parent, profondeur + 1);
}

void DessinPerroquet::paintEvent(QPaintEvent*) {
    if (!personnage_ || !rendu_.isValid())
        return;
    const double opacite = std::clamp(pose_.valeur(QStringLiteral("opacite"), 1), 0.0, 1.0);
    if (opacite <= 0.01)
        return;
    QPainter p(this);
    // No antialiasing of the painter's own: a turned part's edge is smoothed by its picture's transparent
    // border, and the painter's would triple the pieces of each row it draws, which it then spreads over
    // helper threads, waking them at every frame of a move.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(opacite);
    const QRectF vue = rendu_.viewBoxF();
    const double sx = (width() - 2 * marge_) / vue.width(), sy = (height() - 2 * marge_) / vue.height();
    if (sx <= 0 || sy <= 0)
        return;
    preparerImages(std::max(sx, sy), devicePixelRatioF());
    QTransform base;
    base.translate(marge_, marge_);
    base.scale(sx, sy);
    base.translate(-vue.x(), -vue.y());
    for (const PartieDessin& partie : personnage_->parties()) {
        bool visible = true;
        for (auto it = partie.si.cbegin(); it != partie.si.cend(); ++it)
            visible = visible && pose_.etats.value(it.key()) == it.value();
        if (!visible)
            continue;
        QTransform t;
        if (!partie.angle.isEmpty()) {
            t.translate(partie.pivot.x(), partie.pivot.y());
            t.rotate(pose_.valeur(partie.angle));
            t.translate(-partie.pivot.x(), -partie.pivot.y());
        }
        if (!partie.groupe.isEmpty())
            t = t * transformGroupe(partie.groupe);
        const QTransform tt = t * base;
        const ImagePartie& image = images_[partie.element];
        // A part neither turned nor resized is copied pixel for pixel where it goes: its picture was
        // rendered at this very size, and a plain copy costs a fraction of a transformed drawing (which
        // the painter spreads over helper threads, waking them at every frame).
        const double ratio = devicePixelRatioF();
        const bool aPlat = tt.m12() == 0 && tt.m21() == 0 && tt.type() <= QTransform::TxScale &&
                           std::abs(tt.m11() * ratio - echelle_) <= echelle_ / 100 &&
                           std::abs(tt.m22() * ratio - echelle_) <= echelle_ / 100;
        if (aPlat) {
            const QPointF coin = tt.map(image.place.topLeft()) * ratio;
            p.resetTransform();
            p.drawPixmap(QPointF(std::round(coin.x()) / ratio, std::round(coin.y()) / ratio), image.image);
        } else {
            p.setTransform(tt);
            p.drawPixmap(image.place, image.image, QRectF(image.image.rect()));
        }
    }
}

namespace {
// Whether the bridge to the accessibility bus is up, as Qt tells it; the balloons whose text waits for
// it are told as soon as it is.
class ObservateurAccessibilite : public QAccessible::ActivationObserver {
public:
    ObservateurAccessibilite() { QAccessible::installActivationObserver(this); }
    ~ObservateurAccessibilite() override { QAccessible::removeActivationObserver(this); }
    bool actif() const { return actif_; }
    void attendre(BulleParole* bulle) {
        if (!bulles_.contains(bulle))
            bulles_ << bulle;
    }
    void accessibilityActiveChanged(bool actif) override {
        actif_ = actif;
        if (!actif)
            return;
        for (const QPointer<BulleParole>& b : std::exchange(bulles_, {}))
            if (b)
                QMetaObject::invokeMethod(b, &BulleParole::annoncer, Qt::QueuedConnection);
    }

private:
    bool actif_ = QAccessible::isActive();
    QList<QPointer<BulleParole>> bulles_;
};

ObservateurAccessibilite& observateur() {
    static ObservateurAccessibilite o;
    return o;
}

// Design sizes of the balloon, in pixels of the 1024 by 800 design.
constexpr double LARGEUR_MAX = 420;
constexpr double MARGE = 12;
constexpr double POLICE = 17;
constexpr double ECART = 10; // between the balloon and the parrot
constexpr int LIGNES_MAX = 5;
} // namespace

BulleParole::BulleParole(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    police_ = QFont(QStringLiteral("DejaVu Sans"));
    police_.setStyleHint(QFont::SansSerif);
    // Screen readers and braille displays read the whole text said, as a label's.
    donnerRoleAccessible(this, QAccessible::StaticText);
    observateur();
}

void BulleParole::setTexte(const QString& texte) {
    texte_ = texte;
    position_ = 0;
    premiere_ = 0;
    mettreEnPage();
    // Told once the game's turn is over: a text the next one replaces at once was never said, and screen
    // readers are not told it either.
    if (!std::exchange(annonce_, true))
        QMetaObject::invokeMethod(this, &BulleParole::annoncer, Qt::QueuedConnection);
}

void BulleParole::retirerAnnonce() {
    annonce_ = false;
}

void BulleParole::annoncer() {
    if (!annonce_)
        return;
    // Until the bridge to the accessibility bus is up (a moment after the game starts), the text waits
    // for it: the greeting and the harbour's welcome reach screen readers too.
    if (!observateur().actif()) {
        observateur().attendre(this);
        return;
    }
    annonce_ = false;
    if (texte_.trimmed().isEmpty())
        return;
    annoncerPourLecteurs(this, texte_.trimmed());
    Q_EMIT annoncee(texte_.trimmed());
}

void BulleParole::setPosition(int caractere) {
    if (caractere == position_)
        return;
    position_ = caractere;
    suivreLaVoix();
}

void BulleParole::placer(const QRect& perroquet, double k) {
    perroquet_ = perroquet;
    k_ = k > 0 ? k : 1;
    mettreEnPage();
}

int BulleParole::lignePour(int caractere) const {
    for (int i = mise_en_page_.lineCount() - 1; i >= 0; --i)
        if (mise_en_page_.lineAt(i).textStart() <= caractere)
            return i;
    return 0;
}

void BulleParole::suivreLaVoix() {
    const int n = mise_en_page_.lineCount();
    if (visibles_ <= 0 || n <= visibles_)
        return;
    // from the line where the sentence being said starts, moving on when the voice goes past the last line
    int debutPhrase = 0;
    for (int i = std::min<int>(position_, texte_.size()) - 1; i > 0; --i) {
        const QChar c = texte_.at(i - 1);
        if ((c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?') ||
             c == QLatin1Char(':') || c == QLatin1Char('\n')) &&
            texte_.at(i).isSpace()) {
            debutPhrase = i;
            break;
        }
    }
    const int courante = lignePour(position_);
    int premiere = lignePour(debutPhrase);
    if (courante - premiere >= visibles_)
        premiere = courante - visibles_ + 1;
    premiere = std::clamp(premiere, 0, n - visibles_);
    if (premiere != premiere_) {
        premiere_ = premiere;
        redessiner();
    }
}

void BulleParole::mettreEnPage() {
    image_ = QPixmap();
    QWidget* hote = parentWidget();
    if (!hote || texte_.trimmed().isEmpty() || perroquet_.isEmpty())
        return;
    const QRect dispo = hote->rect().adjusted(4, 4, -4, -4);
    const int marge = qRound(MARGE * k_);
    const int largeurMax = std::max(40, std::min(qRound(LARGEUR_MAX * k_), dispo.width() - 2 * marge));
    police_.setPixelSize(std::max(11, qRound(POLICE * k_)));
    // A line break of the text (the loss reports have one after each line) starts a new line here too.
    mise_en_page_.setText(QString(texte_).replace(QLatin1Char('\n'), QChar::LineSeparator));
    mise_en_page_.setFont(police_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mise_en_page_.setTextOption(option);
    mise_en_page_.beginLayout();
    qreal y = 0, largeur = 0;
    for (;;) {
        QTextLine ligne = mise_en_page_.createLine();
        if (!ligne.isValid())
            break;
        ligne.setLineWidth(largeurMax);
        ligne.setPosition(QPointF(0, y));
        y += ligne.height();
        largeur = std::max(largeur, ligne.naturalTextWidth());
    }
    mise_en_page_.endLayout();
    const int n = mise_en_page_.lineCount();
    const qreal hauteurLigne =
        n > 0 ? mise_en_page_.lineAt(0).height() : QFontMetricsF(police_).lineSpacing();
    const int placeLignes = std::max(1, int((dispo.height() - 2 * marge) / hauteurLigne));
    visibles_ = std::min({n, LIGNES_MAX, placeLignes});
    premiere_ = 0;
    suivreLaVoix();
    const int w = std::max(qCeil(largeur), qRound(60 * k_)) + 2 * marge;
    const int h = qCeil(visibles_ * hauteurLigne) + 2 * marge;
    // beside the parrot on the right, the tail at its middle, or on the left when the right is short
    const int ecart = qRound(ECART * k_);
    int x = perroquet_.right() + ecart;
    if (x + w > dispo.right() && perroquet_.left() - ecart - w >= dispo.left())
        x = perroquet_.left() - ecart - w;
    x = std::clamp(x, dispo.left(), std::max(dispo.left(), dispo.right() - w));
    int y0 = perroquet_.top() + perroquet_.height() / 2 - h;
    y0 = std::clamp(y0, dispo.top(), std::max(dispo.top(), dispo.bottom() - h - ecart));
    setGeometry(x, y0, w, h + ecart);
    zoneTexte_ = QRect(marge, marge, w - 2 * marge, h - 2 * marge);
    pointe_ = QPoint(x < perroquet_.left() ? w : 0, h + ecart);
    redessiner();
}

void BulleParole::redessiner() {
    image_ = QPixmap();
    update();
}

void BulleParole::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (image_.isNull() || image_.size() != size() * ratio) {
        image_ = QPixmap(size() * ratio);
        image_.setDevicePixelRatio(ratio);
        image_.fill(Qt::transparent);
        QPainter p(&image_);
        dessiner(p);
    }
    QPainter(this).drawPixmap(0, 0, image_);
}

void BulleParole::dessiner(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF corps(1, 1, width() - 2, zoneTexte_.height() + zoneTexte_.top() * 2 - 2);
    QPainterPath forme;
    forme.addRoundedRect(corps, 10 * k_, 10 * k_);
    // the tail, from the balloon's bottom edge towards the parrot
    const bool aDroite = pointe_.x() > 0;
    const double base = aDroite ? corps.right() - 36 * k_ : corps.left() + 20 * k_;
    QPainterPath queue;
    queue.moveTo(base, corps.bottom() - 2);
    queue.lineTo(base + 16 * k_, corps.bottom() - 2);
    queue.lineTo(pointe_);
    queue.closeSubpath();
    forme = forme.united(queue);
    p.setPen(QPen(QColor(40, 40, 40), std::max(1.0, 1.5 * k_)));
    p.setBrush(QColor(255, 252, 235));
    p.drawPath(forme);
    if (mise_en_page_.lineCount() == 0)
        return;
    p.setPen(QColor(20, 20, 20));
    p.setClipRect(zoneTexte_);
    const qreal haut = mise_en_page_.lineAt(std::min(premiere_, mise_en_page_.lineCount() - 1)).y();
    mise_en_page_.draw(&p, QPointF(zoneTexte_.left(), zoneTexte_.top() - haut));
}
