// The parrot in the game's window: following the window and its scale, where he and his balloon stand,
// and showing them.
#include "narrator/compagnon_perroquet.h"

#include "narrator/perroquet_ecran.h"

#include <QEvent>
#include <QMainWindow>
#include <QWidget>

#include <algorithm>

namespace {
constexpr double LARGEUR_DESIGN = 1024, HAUTEUR_DESIGN = 800;
// Room around the parrot for its moves, in design pixels.
constexpr double MARGE_DESSIN = 28;
} // namespace

void CompagnonPerroquet::setFenetre(QWidget* fenetre) {
    if (fenetre == fenetre_)
        return;
    if (hote_)
        hote_->removeEventFilter(this);
    fenetre_ = fenetre;
    // in a main window, the parrot stands in the central widget, where the design is drawn (below the menu)
    auto* principale = qobject_cast<QMainWindow*>(fenetre);
    hote_ = principale && principale->centralWidget() ? principale->centralWidget() : fenetre;
    echelle_auto_ = true;
    if (hote_)
        hote_->installEventFilter(this);
    if (dessin_)
        dessin_->setParent(hote_);
    if (bulle_)
        bulle_->setParent(hote_);
    disposer();
    afficher(montre_);
}

void CompagnonPerroquet::setEchelle(double k, QPoint origine) {
    echelle_auto_ = false;
    k_ = k > 0 ? k : 1;
    origine_ = origine;
    disposer();
}

bool CompagnonPerroquet::eventFilter(QObject* objet, QEvent* event) {
    if (objet == hote_ && event->type() == QEvent::Resize)
        disposer();
    return ServiceCompagnon::eventFilter(objet, event);
}

QRect CompagnonPerroquet::versFenetre(const QRectF& design) const {
    return QRectF(origine_.x() + design.x() * k_, origine_.y() + design.y() * k_, design.width() * k_,
                  design.height() * k_)
        .toAlignedRect();
}

void CompagnonPerroquet::disposer() {
    if (hote_ && echelle_auto_) {
        const QSize t = hote_->size();
        k_ = std::max(0.1, std::min(t.width() / LARGEUR_DESIGN, t.height() / HAUTEUR_DESIGN));
        origine_ = QPoint(qRound((t.width() - LARGEUR_DESIGN * k_) / 2),
                          qRound((t.height() - HAUTEUR_DESIGN * k_) / 2));
    }
    if (dessin_) {
        const int marge = qRound(MARGE_DESSIN * k_);
        dessin_->setMarge(marge);
        dessin_->setGeometry(rectanglePerroquet().adjusted(-marge, -marge, marge, marge));
    }
    if (bulle_)
        bulle_->placer(rectanglePerroquet(), k_);
}

QRect CompagnonPerroquet::rectanglePerroquet() const {
    const QSizeF taille = personnage_ ? personnage_->taille() : QSizeF(128, 160);
    return versFenetre(QRectF(QPointF(gauche_, haut_), taille));
}

void CompagnonPerroquet::afficher(bool visible) {
    if (dessin_) {
        dessin_->setVisible(visible && hote_);
        if (visible)
            dessin_->raise();
    }
    if (bulle_) {
        const bool parle = visible && bulle_reste_ > 0 && !bulle_->texte().trimmed().isEmpty();
        bulle_->setVisible(parle && hote_);
        if (parle)
            bulle_->raise();
    }
}

bool CompagnonPerroquet::visible() const {
    return montre_ && dessin_ && pose_.valeur(QStringLiteral("opacite"), 1) > 0.01;
}

bool CompagnonPerroquet::bulleVisible() const {
    return montre_ && bulle_ && bulle_reste_ > 0 && !bulle_->texte().trimmed().isEmpty();
}

QString CompagnonPerroquet::texteBulle() const {
    return bulleVisible() ? bulle_->texte() : QString();
}
