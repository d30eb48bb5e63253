// A harbour berth: the picture of one ship waiting at its quay, clicked to take that ship out.
#pragma once

#include <QString>
#include <QWidget>

class ImagePoste : public QWidget {
    Q_OBJECT
public:
    // design: the picture's natural size in design pixels (the widget may be scaled).
    explicit ImagePoste(const QSize& design, QWidget* parent = nullptr);

    // The name of the picture shown; the berth keeps it until given another.
    void setImage(const QString& nom);
    const QString& image() const { return image_; }

Q_SIGNALS:
    // A left click on an enabled berth.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize design_;
    QString image_;
    bool presse_ = false;
};
