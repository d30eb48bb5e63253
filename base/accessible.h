// What screen readers (Orca, a braille display) are told of the game's own widgets.
#pragma once

#include "model/grilles.h" // motsDeCase, for those who name cells

#include <QAccessible>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QTimer;
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

    explicit CalmeLecteur(QObject* parent = nullptr);
    // How long, in ms, before the window in front has been read; 0 when it has.
    qint64 reste() const;

Q_SIGNALS:
    void fenetreChangee();

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void changer();

    QElapsedTimer horloge_;
    qint64 calme_ = 0;
};

// Texts handed to a running screen reader as notifications of the window in front, which Orca 43 both
// speaks (at once, cutting what it was saying) and flashes on the braille display it drives: the one way
// another program's words reach that display. The notification stands in a status bar of its own, so that
// Orca says the text alone, without naming the notification. Texts given in one turn of the game's loop
// are told as the last of them, and those given before the bridge to the accessibility bus is up are
// told as soon as it is. A window that has just come in front is read by the screen reader first (its
// reading would wipe the text off the display at once): the texts wait until it has, keeping their
// spacing.
class NotificationsLecteurs : public QObject, public QAccessible::ActivationObserver {
    Q_OBJECT
public:
    // fenetre: the window in front when a text is told (nullptr: none, the text is dropped).
    explicit NotificationsLecteurs(std::function<QWidget*()> fenetre, QObject* parent = nullptr);
    ~NotificationsLecteurs() override;

    void notifier(const QString& texte);
    void accessibilityActiveChanged(bool actif) override;

private:
    struct Attente {
        QString texte;
        qint64 arrivee = 0;
        qint64 quand = 0;
    };
    void fenetreChangee();
    void planifier();
    void suivante();
    void montrer(const QString& texte);

    std::function<QWidget*()> fenetre_;
    QList<Attente> file_;
    bool tour_ = false; // a text came in this turn of the loop
    QElapsedTimer horloge_;
    QTimer* minuteur_;
    CalmeLecteur calme_;
};
