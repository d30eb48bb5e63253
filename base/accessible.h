// What screen readers (Orca, a braille display) are told of the game's own widgets.
#pragma once

#include "model/grilles.h" // motsDeCase, for those who name cells

#include <QAccessible>
#include <QElapsedTimer>
#include <QObject>
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

// When a window of the game last came in front (shown, hidden, or given the focus, the desktop's focus
// following it), which a running screen reader reads at once: what the game hands that reader meanwhile
// would be cut by that reading, or cut it after a syllable, so it waits until the reader has begun it.
class CalmeLecteur : public QObject {
    Q_OBJECT
public:
    // How long after a window comes in front the screen reader is left to present it; Orca 43 has
    // spoken and brailled the window and its focused widget within 200 ms.
    static constexpr qint64 CALME_MS = 600;

    // The game's one watch, for every screen reader output.
    static CalmeLecteur& commun();
    // How long, in ms, before the window in front has been read; 0 when it has.
    qint64 reste() const;

Q_SIGNALS:
    void fenetreChangee();

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    explicit CalmeLecteur(QObject* parent);
    void changer();

    QElapsedTimer horloge_;
    qint64 calme_ = 0;
};

// Tells a running screen reader texte as a notification of fenetre, which Orca 43 both speaks (at once,
// cutting what it was saying) and flashes on the braille display it drives: the one way another program's
// words reach that display. The notification stands in a status bar of its own, so that Orca says the
// text alone, without naming the notification. Nothing without a window or a text.
void notifierLecteurs(QWidget* fenetre, const QString& texte);
