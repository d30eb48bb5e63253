// The game's modal screens, drawn on the design of the screen in front and scaled with it.
#include "base/ecran_modal.h"

#include "base/bitmaps.h"
#include "base/scene.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
QRect mettreALEchelle(const QRect& design, qreal k) {
    const auto arrondi = [k](int v) { return static_cast<int>(std::lround(v * k)); };
    return QRect(
        QPoint(arrondi(design.left()), arrondi(design.top())),
        QPoint(arrondi(design.left() + design.width()) - 1, arrondi(design.top() + design.height()) - 1));
}

QFont police(const QString& famille, QFont::StyleHint genre, int pixels, bool gras) {
    QFont f(famille);
    f.setStyleHint(genre);
    f.setPixelSize(pixels);
    f.setBold(gras);
    return f;
}
} // namespace

QFont EcranModal::policeDialogue(int pixels, bool gras) {
    return police(QStringLiteral("Liberation Sans"), QFont::SansSerif, pixels, gras);
}

QFont EcranModal::policeTitre(int pixels, bool gras) {
    return police(QStringLiteral("Liberation Serif"), QFont::Serif, pixels, gras);
}

EcranModal::EcranModal(const QRect& design, QWidget* parent, Qt::WindowFlags drapeaux)
    : QDialog(parent, drapeaux)
    , design_(design) {
    setModal(true);
    setFont(policeDialogue());
    resize(design_.size());
}

void EcranModal::placer(QWidget* piece, const QRect& design, const QFont& police) {
    pieces_.append({piece, design, police, police.pixelSize()});
    piece->setGeometry(mettreALEchelle(design, echelle_));
    piece->setFont(police);
}

void EcranModal::ajuster(const Scene& scene) {
    // Opened over the window in front: the window manager keeps it above that window, not another.
    if (parentWidget() != scene.window())
        setParent(scene.window(), windowFlags());
    echelle_ = scene.echelle();
    const QRect ecran = scene.versEcran(design_);
    setFixedSize(ecran.size());
    move(scene.mapToGlobal(ecran.topLeft()));
    disposer();
}

void EcranModal::disposer() {
    for (Piece& p : pieces_) {
        if (!p.widget)
            continue;
        p.widget->setGeometry(mettreALEchelle(p.design, echelle_));
        QFont police = p.police;
        police.setPixelSize(std::max(1, static_cast<int>(std::lround(p.pixels * echelle_))));
        p.widget->setFont(police);
        if (auto* image = qobject_cast<ImageEcran*>(p.widget))
            image->setEchelle(echelle_);
    }
}

ImageEcran::ImageEcran(const QString& nom, QWidget* parent)
    : QWidget(parent)
    , nom_(nom) {}

void ImageEcran::setEchelle(qreal echelle) {
    echelle_ = echelle;
    update();
}

void ImageEcran::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QSize taille = tailleBitmap(nom_);
    p.translate((width() - taille.width() * echelle_) / 2, (height() - taille.height() * echelle_) / 2);
    p.scale(echelle_, echelle_);
    dessinerBitmap(p, nom_, QPoint(0, 0));
}
