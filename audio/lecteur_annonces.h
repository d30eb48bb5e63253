// The player's screen reader told each text as a notification, which it speaks and brailles itself: the
// way to the braille display it drives.
#pragma once

#include "audio/lecteur_differe.h"

#include <QAccessible>

#include <functional>

class QWidget;

// Each text becomes a notification of the window in front. The screen reader speaks it in the player's
// voice, cutting what it was saying, and flashes it on its braille display; it tells no end, so each
// text lasts as long as the parrot would take to say it. A text cut once told stops nothing there: the
// next one cuts it. Texts given before the bridge to the accessibility bus is up are told once it is.
class LecteurAnnonces : public LecteurDiffere, public QAccessible::ActivationObserver {
    Q_OBJECT
public:
    // fenetre: the window in front when a text is told (nullptr: none, the text is dropped).
    explicit LecteurAnnonces(std::function<QWidget*()> fenetre, QObject* parent = nullptr);
    ~LecteurAnnonces() override;

    bool disponible() const override { return true; }
    bool ditSaFin() const override { return false; }
    void accessibilityActiveChanged(bool actif) override;

protected:
    bool envoyer(int id, const QString& texte) override;
    bool pret() const override { return QAccessible::isActive(); }

private:
    std::function<QWidget*()> fenetre_;
};
