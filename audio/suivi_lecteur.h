// What goes to the player's screen reader and braille display: the texts under way there, which cut
// cancels them, and a long text cut into the display's windows.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// The texts the screen reader holds for us, in the order sent, each under the parrot's id and the
// reader's own message number.
class SuiviLecteur {
public:
    // A text the screen reader's own speech drops before its first words is said again after that speech,
    // for as long as the reader keeps its own speech going but no more than this; one it cuts before a
    // third of it was said (at 15 characters a second; at least 400 ms, at most 1 s: no more than a few
    // words are heard twice), at most this many times.
    static constexpr qint64 ATTENTE_MAX_MS = 10000;
    static constexpr int REPRISES = 3;

    // The reader took the text id as its message.
    void envoye(int id, int message, const QString& texte = {}, qint64 ms = 0);
    // The reader began to say that message, at ms.
    void commence(int message, qint64 ms);
    // The reader dropped that message at ms, not at our asking (the screen reader's own speech goes
    // first): its text when it is to be said again after that speech, under the new number that
    // renumeroter then gives it. None when it was heard enough, or dropped too often: it ends there.
    std::optional<QString> reprendre(int message, qint64 ms);
    void renumeroter(int message, int nouveau);
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
    struct Envoi {
        int id = 0;
        int message = 0;
        QString texte;
        qint64 envoi = -1; // when first sent, once known
        qint64 debut = -1;
        int reprises = 0;
    };
    QList<Envoi> envoyes_;
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
