// A harbour berth: the picture of one ship waiting at its quay, clicked (or reached by Tab and pressed)
// to take that ship out.
#pragma once

#include <QString>
#include <QWidget>

class ImagePoste : public QWidget {
    Q_OBJECT
public:
    // design: the picture's natural size in design pixels (the widget may be scaled).
    explicit ImagePoste(const QSize& design, QWidget* parent = nullptr);

    // The ship of the berth, as screen readers name it with its state: "Frégate, à quai".
    void setNavire(const QString& navire);
    // The name of the picture shown; the berth keeps it until given another.
    void setImage(const QString& nom);
    const QString& image() const { return image_; }

Q_SIGNALS:
    // A left click on an enabled berth, or Enter or Space while it has the focus.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void nommer();

    QSize design_;
    QString navire_;
    QString image_;
    bool presse_ = false;
};
