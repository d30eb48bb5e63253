// The game's modal screens (voice, About): drawn on the design of the screen in front and scaled with it.
#pragma once

#include <QDialog>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>

class Scene;

// A screen whose client area, pieces and fonts are given in pixels of the 1024 by 800 design, and which
// opens at its place over the scene in front, as large as that scene's scale makes it.
class EcranModal : public QDialog {
    Q_OBJECT
public:
    // The design's text fonts: the dialog font and the serif of the titles, free fonts metric-compatible
    // with the usual desktop ones.
    static QFont policeDialogue(int pixels = 11, bool gras = false);
    static QFont policeTitre(int pixels, bool gras = true);

    // Lays the screen out over that scene: its client area on its design rectangle there, every piece
    // and font scaled as the scene is.
    void ajuster(const Scene& scene);

    qreal echelle() const { return echelle_; }
    const QRect& design() const { return design_; }

protected:
    EcranModal(const QRect& design, QWidget* parent, Qt::WindowFlags drapeaux);

    // Keeps a piece on a rectangle of its parent's design, with its text in that font, whose pixel size
    // is taken as design pixels.
    void placer(QWidget* piece, const QRect& design, const QFont& police = policeDialogue());

private:
    struct Piece {
        QPointer<QWidget> widget;
        QRect design;
        QFont police;
        int pixels;
    };
    void disposer();

    QRect design_;
    qreal echelle_ = 1.0;
    QList<Piece> pieces_;
};

// A named picture of the game, centred in its piece at its natural size times the screen's scale.
class ImageEcran : public QWidget {
    Q_OBJECT
public:
    ImageEcran(const QString& nom, QWidget* parent);
    void setEchelle(qreal echelle);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString nom_;
    qreal echelle_ = 1.0;
};
