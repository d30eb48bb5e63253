// A screen's 1024 by 800 design, scaled uniformly to fit the window, with its pieces at design positions.
#pragma once

#include <QHash>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

class Scene : public QWidget {
    Q_OBJECT
public:
    static constexpr int LARGEUR = 1024;
    static constexpr int HAUTEUR = 800;

    explicit Scene(const QString& fond, QWidget* parent = nullptr);

    // Keeps a piece of the screen at a rectangle of the design, whatever the window's size.
    void placer(QWidget* piece, const QRect& design);

    // Scale factor and where the design's top-left corner lies in the scene.
    qreal echelle() const { return echelle_; }
    QPoint origine() const { return origine_; }
    QRect versEcran(const QRect& design) const;
    QPoint versDesign(const QPoint& ecran) const;

Q_SIGNALS:
    void echelleChangee(qreal echelle, QPoint origine);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void disposer();

    QString fond_;
    qreal echelle_ = 1.0;
    QPoint origine_;
    QList<QPair<QPointer<QWidget>, QRect>> pieces_;
};
