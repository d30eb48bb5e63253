// Helpers shared by the game's windows.
#include "app/fenetres.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

void montrerPleinEcran(QMainWindow* fenetre) {
    fenetre->setWindowFlag(Qt::FramelessWindowHint, true);
    const QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (ecran)
        fenetre->setGeometry(ecran->geometry());
    fenetre->showMaximized();
    fenetre->raise();
    fenetre->activateWindow();
}

namespace {
bool chercher(const QList<QAction*>& actions, const QKeySequence& touches) {
    for (QAction* action : actions) {
        if (action->menu()) {
            if (action->isEnabled() && chercher(action->menu()->actions(), touches))
                return true;
            continue;
        }
        if (!action->shortcut().isEmpty() && action->shortcut() == touches && action->isEnabled()) {
            action->trigger();
            return true;
        }
    }
    return false;
}
} // namespace

bool declencherRaccourci(QMenuBar* barre, const QKeySequence& touches) {
    return chercher(barre->actions(), touches);
}
