// Helpers shared by the game's windows.
#include "base/fenetres.h"

#include "base/board.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QWindow>

void montrerPleinEcran(QMainWindow* fenetre, bool activer) {
    fenetre->setWindowFlag(Qt::FramelessWindowHint, true);
    const QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (ecran)
        fenetre->setGeometry(ecran->geometry());
    // The harbour belongs to the battle window: one entry in the taskbar, and the desktop keeps it above.
    if (QWidget* proprietaire = fenetre->parentWidget() ? fenetre->parentWidget()->window() : nullptr) {
        fenetre->winId();
        if (fenetre->windowHandle() && proprietaire->windowHandle())
            fenetre->windowHandle()->setTransientParent(proprietaire->windowHandle());
    }
    // A window shown behind the one that comes in front at once asks the desktop for nothing: two windows
    // asking in turn would pass the focus back and forth between them, and a screen reader with it.
    fenetre->setAttribute(Qt::WA_ShowWithoutActivating, !activer);
    fenetre->showMaximized();
    fenetre->setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (!activer)
        return;
    fenetre->raise();
    fenetre->activateWindow();
}

bool pointeurDeplacable() {
    const QString plateforme = QGuiApplication::platformName();
    return plateforme == QLatin1String("xcb") || plateforme == QLatin1String("windows") ||
           plateforme == QLatin1String("cocoa");
}

void suivreAvecLePointeur(const QWidget* fenetre, Board* plateau, int col, int row) {
    if (!pointeurDeplacable() || !fenetre->isVisible())
        return;
    const QPoint global = plateau->mapToGlobal(plateau->centreCellule(col, row));
    if (QCursor::pos() != global)
        QCursor::setPos(global);
}

void fermerCommandes(QMainWindow* fenetre) {
    for (QAction* action : fenetre->findChildren<QAction*>())
        action->setEnabled(false);
    for (Board* plateau : fenetre->findChildren<Board*>())
        plateau->setEnabled(false);
}

namespace {
bool chercher(const QList<QAction*>& actions, const QKeySequence& touches) {
    for (QAction* action : actions) {
        if (action->menu()) {
            if (action->isEnabled() && chercher(action->menu()->actions(), touches))
                return true;
            continue;
        }
        if (action->shortcuts().contains(touches) && action->isEnabled()) {
            action->trigger();
            return true;
        }
    }
    return false;
}
} // namespace

namespace {
class StyleSansAltSeul : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* retour) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, retour);
    }
};
} // namespace

void sansAltSeul(QMenuBar* barre) {
    // A proxy of the application's style, for this bar alone; the bar owns it.
    auto* style = new StyleSansAltSeul(QStyleFactory::create(barre->style()->name()));
    style->setParent(barre);
    barre->setStyle(style);
}

bool declencherRaccourci(QMenuBar* barre, const QKeySequence& touches) {
    return chercher(barre->actions(), touches);
}
