// What screen readers (Orca, a braille display) are told of the game's own widgets.
#pragma once

#include "model/grilles.h" // motsDeCase, for those who name cells

#include <QAccessible>
#include <QString>

class QWidget;

// Gives a widget of the game the role a screen reader announces for it (a board, a button, a text),
// instead of an anonymous filler. Its accessible name and description are the widget's own. Call it in
// the widget's constructor, before anything asks for its accessible interface.
void donnerRoleAccessible(QWidget* widget, QAccessible::Role role);

// Sets a widget's accessible name or description when it changes, which Qt announces to screen readers
// (once: a second event would have them say it twice); the same text again announces nothing.
void nommerPourLecteurs(QWidget* widget, const QString& nom);
void decrirePourLecteurs(QWidget* widget, const QString& description);
// The same for a text said aloud: screen readers are told even when it is the same as before (a text
// repeated word for word is news to the player).
void annoncerPourLecteurs(QWidget* widget, const QString& texte);
