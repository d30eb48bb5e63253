// Helpers shared by the game's windows: full-screen borderless showing and menu building.
#pragma once

#include <QKeySequence>
#include <QString>

class Board;
class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;

// Shows a main screen borderless and maximised over the whole screen; a screen with a parent (the
// harbour) is transient for the parent's window. activer: it also asks the desktop to bring it in front
// with the keys; a window that another covers at once does not.
void montrerPleinEcran(QMainWindow* fenetre, bool activer = true);

// A menu item with its caption and Control-letter shortcut ('\0' for none), named as the game names it.
template <typename Conteneur, typename Objet, typename Slot>
QAction* ajouterCommande(Conteneur* menu, const char* nom, const QString& titre, char lettre, Objet* cible,
                         Slot slot);

// Whether the window system lets a program move the mouse pointer (X11 does, Wayland does not).
bool pointeurDeplacable();

// The mouse pointer goes to the centre of a board's cell where the window system allows it, so that the
// pointer follows the keys.
void suivreAvecLePointeur(const QWidget* fenetre, Board* plateau, int col, int row);

// Every command of a screen's menu and every board of it refuse the player's input from now on.
void fermerCommandes(QMainWindow* fenetre);

// Alt pressed and released alone leaves the menu bar alone: it would take every key until Escape, while
// the game's keys (Alt+Up, Alt+Down among them) belong to the boards. The menus keep their Ctrl keys.
void sansAltSeul(QMenuBar* barre);

// Triggers the enabled item of this menu bar whose shortcut is the key sequence. True if one ran.
bool declencherRaccourci(QMenuBar* barre, const QKeySequence& touches);

#include "base/fenetres_impl.h"
