// The parrot on the screen: its drawing in a pose, and the speech balloon beside it.
#include "narrator/perroquet_ecran.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

DessinPerroquet::DessinPerroquet(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

bool DessinPerroquet::charger(const Personnage& personnage) {
    if (!rendu_.load(personnage.dessin()) || !rendu_.isValid())
        return false;
    for (const PartieDessin& partie : personnage.parties())
        if (!rendu_.elementExists(partie.element))
            return false;
    personnage_ = personnage;
    pose_ = personnage.poseInitiale();
    update();
    return true;
}

void DessinPerroquet::setMarge(int marge) {
    marge_ = std::max(0, marge);
    update();
}

void DessinPerroquet::setPose(const Pose& pose) {
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
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(opacite);
    const QRectF vue = rendu_.viewBoxF();
    QTransform base;
    base.translate(marge_, marge_);
    base.scale((width() - 2 * marge_) / vue.width(), (height() - 2 * marge_) / vue.height());
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
        p.setTransform(t * base);
        rendu_.render(&p, partie.element, rendu_.boundsOnElement(partie.element));
    }
}

namespace {
// Design sizes of the balloon, in pixels of the 1024 by 800 design.
constexpr double LARGEUR_MAX = 420;
constexpr double MARGE = 12;
constexpr double POLICE = 17;
constexpr double POLICE_MIN = 12;
constexpr double ECART = 10; // between the balloon and the parrot
constexpr double HAUTEUR_MAX = 560;
} // namespace

BulleParole::BulleParole(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    police_ = QFont(QStringLiteral("DejaVu Sans"));
    police_.setStyleHint(QFont::SansSerif);
}

void BulleParole::setTexte(const QString& texte) {
    texte_ = texte;
    position_ = 0;
    mettreEnPage();
}

void BulleParole::setPosition(int caractere) {
    if (caractere == position_)
        return;
    position_ = caractere;
    if (extrait_)
        mettreEnPage();
}

void BulleParole::placer(const QRect& perroquet, double k) {
    perroquet_ = perroquet;
    k_ = k > 0 ? k : 1;
    mettreEnPage();
}

QString BulleParole::texteAffiche() const {
    if (!extrait_)
        return texte_;
    // From the start of the sentence being said: the balloon cannot hold the whole text.
    int debut = 0;
    for (int i = std::min<int>(position_, texte_.size()) - 1; i > 0; --i) {
        const QChar c = texte_.at(i - 1);
        if ((c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?') ||
             c == QLatin1Char('\n')) &&
            texte_.at(i).isSpace()) {
            debut = i;
            break;
        }
    }
    return (debut > 0 ? QStringLiteral("… ") : QString()) + texte_.mid(debut).trimmed();
}

void BulleParole::mettreEnPage() {
    QWidget* fenetre = parentWidget();
    if (!fenetre || texte_.trimmed().isEmpty() || perroquet_.isEmpty())
        return;
    const QRect dispo = fenetre->rect().adjusted(4, 4, -4, -4);
    const int marge = qRound(MARGE * k_);
    const int largeurMax = std::min(qRound(LARGEUR_MAX * k_), dispo.width() - 2 * marge);
    const int hauteurMax = std::min(qRound(HAUTEUR_MAX * k_), dispo.height() - 2 * marge);
    const int drapeaux = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    // the largest type that holds the whole text, down to a legible minimum
    extrait_ = false;
    QRect besoin;
    for (double taille = POLICE; taille >= POLICE_MIN - 0.01; taille -= 1) {
        police_.setPixelSize(std::max(10, qRound(taille * k_)));
        besoin = QFontMetrics(police_).boundingRect(QRect(0, 0, largeurMax, 100000), drapeaux, texte_);
        if (besoin.height() <= hauteurMax)
            break;
    }
    if (besoin.height() > hauteurMax) {
        extrait_ = true;
        besoin = QRect(0, 0, largeurMax, hauteurMax);
    }
    const int w = std::max(besoin.width(), qRound(60 * k_)) + 2 * marge;
    const int h = std::min(besoin.height(), hauteurMax) + 2 * marge;
    // beside the parrot on the right, level with its beak, or on the left when the right is short
    const int ecart = qRound(ECART * k_);
    int x = perroquet_.right() + ecart;
    if (x + w > dispo.right() && perroquet_.left() - ecart - w >= dispo.left())
        x = perroquet_.left() - ecart - w;
    x = std::clamp(x, dispo.left(), std::max(dispo.left(), dispo.right() - w));
    int y = perroquet_.top() + perroquet_.height() / 2 - h;
    y = std::clamp(y, dispo.top(), std::max(dispo.top(), dispo.bottom() - h));
    setGeometry(x, y, w, h + ecart);
    zoneTexte_ = QRect(marge, marge, w - 2 * marge, h - 2 * marge);
    pointe_ = QPoint(x < perroquet_.left() ? w : 0, h + ecart);
    update();
}

void BulleParole::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF corps(1, 1, width() - 2, zoneTexte_.height() + zoneTexte_.top() * 2 - 2);
    QPainterPath forme;
    forme.addRoundedRect(corps, 10 * k_, 10 * k_);
    // the tail, from the balloon's bottom edge towards the beak
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
    p.setPen(QColor(20, 20, 20));
    p.setFont(police_);
    const QString texte = texteAffiche();
    const QFontMetrics fm(police_);
    if (extrait_) {
        // whole lines only, with an ellipsis when the rest does not fit
        const int lignes = std::max(1, zoneTexte_.height() / fm.lineSpacing());
        QRect r = zoneTexte_;
        r.setHeight(lignes * fm.lineSpacing());
        p.drawText(r, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, texte);
    } else {
        p.drawText(zoneTexte_, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, texte);
    }
}
