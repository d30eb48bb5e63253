// Template part of the window helpers.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

template <typename Conteneur, typename Objet, typename Slot>
QAction* ajouterCommande(Conteneur* menu, const char* nom, const QString& titre, char lettre, Objet* cible,
                         Slot slot) {
    QAction* action = menu->addAction(titre);
    action->setObjectName(QLatin1String(nom));
    if (lettre != '\0')
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_A + (lettre - 'A'))));
    QObject::connect(action, &QAction::triggered, cible, [cible, slot] { (cible->*slot)(); });
    return action;
}
