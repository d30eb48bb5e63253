// The parrot on the screen: its drawing in a pose, and the speech balloon beside it.
#pragma once

#include "narrator/personnage.h"

#include <QHash>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTextLayout>
#include <QWidget>

// Draws the character's parts in the current pose. Lets the mouse through to the boards beneath. Each
// part is rendered from the drawing once for the size shown, then only moved, turned and blended.
class DessinPerroquet : public QWidget {
    Q_OBJECT
public:
    explicit DessinPerroquet(QWidget* parent = nullptr);

    // False when the drawing cannot be read or lacks one of the character's parts.
    bool charger(const Personnage& personnage);
    void setPose(const Pose& pose);
    const Pose& pose() const { return pose_; }
    // Room around the character's own rectangle for moves that go beyond it (a jump, a raised hat).
    void setMarge(int marge);
    int marge() const { return marge_; }
    // How many times the parts were rendered from the drawing (once per part and size).
    int rendus() const { return rendus_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTransform transformGroupe(const QString& nom, int profondeur = 0) const;
    void preparerImages(double echelle, qreal ratio);

    std::optional<Personnage> personnage_;
    QSvgRenderer rendu_;
    Pose pose_;
    int marge_ = 0;
    // each part as rendered at echelle_ (device pixels per drawing unit), and where it goes
    struct ImagePartie {
        QPixmap image;
        QRectF place;
    };
    QHash<QString, ImagePartie> images_;
    double echelle_ = 0;
    int rendus_ = 0;
};

// The text being said, dark on light, in a rounded balloon whose tail points at the parrot. A long text
// shows a few lines at a time, those the voice is saying, so that the balloon hides little of the game.
class BulleParole : public QWidget {
    Q_OBJECT
public:
    explicit BulleParole(QWidget* parent = nullptr);

    // The text shown, and told to screen readers once the game's turn is over, unless cut by then.
    void setTexte(const QString& texte);
    const QString& texte() const { return texte_; }
    // The text was cut before screen readers were told it: they are not.
    void retirerAnnonce();
    // Tells screen readers the text, once; waits for the accessibility bridge when it is not up yet.
    void annoncer();
    // Where in the text the voice is (a character index).
    void setPosition(int caractere);
    // Lays the balloon out beside the parrot's rectangle, inside its parent, at scale k.
    void placer(const QRect& perroquet, double k);

    // The lines of the text in the balloon, and the first one shown.
    int lignes() const { return mise_en_page_.lineCount(); }
    int premiereLigne() const { return premiere_; }
    int lignesVisibles() const { return visibles_; }

Q_SIGNALS:
    // Screen readers were told this text.
    void annoncee(const QString& texte);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void mettreEnPage();
    int lignePour(int caractere) const;
    void suivreLaVoix();
    void dessiner(QPainter& p);
    void redessiner();

    QString texte_;
    bool annonce_ = false; // the text is still to be told to screen readers
    int position_ = 0;
    QRect perroquet_;
    double k_ = 1;
    QFont police_;
    QTextLayout mise_en_page_;
    QRect zoneTexte_;
    QPoint pointe_;
    int premiere_ = 0;
    int visibles_ = 0;
    // the balloon as last drawn: a frame of the parrot beside it, which repaints it where they meet,
    // only copies it
    QPixmap image_;
};
