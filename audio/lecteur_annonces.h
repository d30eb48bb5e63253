// The player's screen reader told each text as a notification, which it speaks and brailles itself: the
// way to the braille display it drives.
#pragma once

#include "audio/lecteur_ecran.h"
#include "base/accessible.h"

#include <functional>

class QWidget;

// Each text becomes a notification of the window in front. The screen reader speaks it in the player's
// voice, cutting what it was saying, and flashes it on its braille display; it tells no end, so each
// text lasts as long as the parrot would take to say it. A text cut stops nothing there: the next one
// cuts it.
class LecteurAnnonces : public SortieLecteur {
    Q_OBJECT
public:
    explicit LecteurAnnonces(std::function<QWidget*()> fenetre, QObject* parent = nullptr);

    bool disponible() const override { return true; }
    bool dire(int id, const QString& texte) override;
    void arreter(int) override {}
    bool ditSaFin() const override { return false; }

private:
    NotificationsLecteurs notifications_;
};
