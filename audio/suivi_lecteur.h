// What goes to the player's screen reader and braille display: the texts under way there, which cut
// cancels them, and a long text cut into the display's windows.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The texts the screen reader holds for us, in the order sent, each under the parrot's id and the
// reader's own message number.
class SuiviLecteur {
public:
    // The reader took the text id as its message.
    void envoye(int id, int message);
    // The parrot cuts the text id: true when the reader still holds it, and then everything of ours
    // there is to be cancelled (what came before it is stale). A text never sent cancels nothing.
    bool arreter(int id);
    // The reader ended or dropped its message: our id, or 0 when it is none of ours still held.
    int fin(int message);
    bool tient(int id) const;
    // The reader is gone: the ids it held, in order, and nothing held any more.
    QList<int> lacher();
    int enCours() const { return int(envoyes_.size()); }

private:
    QList<QPair<int, int>> envoyes_; // id, message
};

// A text on a braille display of largeur cells: whole when it fits, otherwise cut between words into
// windows that the display's own keys move through, as a braille reader pans a line.
class FenetresBraille {
public:
    // The text shown from its first window; blanks and line breaks each count as one space.
    void afficher(const QString& texte, int largeur);
    // One window forward or back; false at either end, where the window stays.
    bool avancer();
    bool reculer();
    QString fenetre() const { return fenetres_.value(index_); }
    const QStringList& fenetres() const { return fenetres_; }

    // The windows of texte, each at most largeur characters; a word longer than that is cut in pieces.
    static QStringList decouper(const QString& texte, int largeur);

private:
    QStringList fenetres_;
    int index_ = 0;
};
