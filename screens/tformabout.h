// The About screen: the game's name, version, maker and author, read aloud by the parrot.
#pragma once

#include "base/ecran_modal.h"

#include <functional>

class QLabel;
class QUrl;
class QPushButton;

class TFormAbout : public EcranModal {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    ImageEcran* Image2 = nullptr; // the game's icon
    QLabel* l1 = nullptr;
    QLabel* l2 = nullptr;
    QLabel* Label1 = nullptr;
    ImageEcran* Image1 = nullptr; // the maker's logo
    QLabel* l4 = nullptr;
    QPushButton* Button1 = nullptr;

    // Opens the player's handbook (F1); the desktop's viewer by default, a fake in the tests.
    std::function<void(const QUrl&)> ouvrir;
    // The desktop's viewer through xdg-open (x-www-browser without it), with its output kept off the
    // terminal; a handbook that is missing or that no viewer takes is said aloud and told on standard error.
    void ouvrirAvecLeBureau(const QUrl& adresse);

Q_SIGNALS:
    // A text for the narrator.
    void parle(const QString& texte);

public Q_SLOTS:
    void FormShow();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Escape and the window manager close the screen as OK does.
    void reject() override;

private:
    void fermer(int resultat);
    void manuelFerme(const QString& manuel, const QString& raison);
};
