// The narrator: sets the parrot up, speaks every text of the game and remembers what he said.
#pragma once

#include "narrator/historique.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Dialogues;
class LecteurSons;
class ServiceCompagnon;
class QWidget;

class Narrateur : public QObject {
    Q_OBJECT
public:
    Narrateur(ServiceCompagnon& service, Dialogues& dialogues, LecteurSons& sons, QObject* parent = nullptr);

    // The window over which the narrator's notices appear.
    void setFenetre(QWidget* fenetre) { fenetre_ = fenetre; }

    // Connects the service and brings the character on with its greeting, in the voice of line 1 of
    // the speech settings. False when the character cannot be found: the notice has been shown and
    // the game must end.
    bool InstalPeedy(const QStringList& reglages);

    // Speaks a text, cutting off whatever was being said. An empty text is ignored. While a side screen
    // is open (mettreDeCote), the text waits for reprendre instead.
    // genre: what the text is about, kept with it in the history.
    void Parle(const QString& texte, GenreTexte genre = GenreTexte::Autre) { ParlePlace(texte, 0, genre); }
    // The same, heard at balance from -1 (full left) to +1 (full right).
    void ParlePlace(const QString& texte, double balance, GenreTexte genre = GenreTexte::Autre);
    // The same for the words of the sector the aim or our sea's cursor has reached.
    void ParleCase(const QString& texte, double balance);
    // A side screen's own text: said at once, even while the battle's texts wait.
    void ParleEcran(const QString& texte, double balance = 0, GenreTexte genre = GenreTexte::Autre);
    // Said once the text under way is heard out, cutting nothing (it waits likewise behind a side screen).
    void ParleEnSuite(const QString& texte, GenreTexte genre = GenreTexte::Autre);
    // Ctrl+R: the last text again, cutting off whatever was being said.
    void repeter();
    // A word said in passing (the glance's legend), cutting off whatever was being said but remembered
    // neither for Ctrl+R nor among the last texts. Its request id, 0 when the parrot is away.
    int direEnPassant(const QString& texte);
    // Whatever is being said falls silent (a glance over the sea is about to be heard).
    void taire() { couper(); }

    // Alt+Up and Alt+Down: one text back or forward among the last ones, said with its place
    // ("3 sur 12: ..."). Neither the last text nor the list changes. With a kind, the texts of that kind
    // alone; false when there is none that way, and nothing is said.
    bool reculer(std::optional<GenreTexte> genre = std::nullopt);
    bool avancer(std::optional<GenreTexte> genre = std::nullopt);
    const HistoriqueTextes& historique() const { return historique_; }

    // A side screen (the voice screen, the About card) opens: the battle's texts wait until it closes.
    void mettreDeCote();
    // It has closed: annonce, then the texts that waited, in order, each after the other. When none
    // waited, annonce is said only if toujours.
    void reprendre(const QString& annonce, bool toujours);
    int enAttente() const { return int(attente_.size()); }
    // Says a text after those already queued, cut with them by the next text.
    int ajouterALaSuite(const QString& texte, GenreTexte genre = GenreTexte::Autre);

    // Unloads the character and disconnects the service.
    void liberer();

    // The voice screen opens: the parrot steps aside (released) when he can come back, that is when his
    // character file still reads. When it no longer does, he stays as he is, silent until revenir(),
    // and the terminal says why: a file broken during a game never ends it.
    void seRetirer();
    // The voice screen has closed: the parrot comes back in the voice of the settings and greets. False
    // when he could not be brought back (the terminal says why): the game goes on without him, his
    // texts only remembered for Ctrl+R.
    bool revenir(const QStringList& reglages);

    // Plays a named animation after the character's earlier requests; returns its request id.
    int jouer(const QString& animation);

    const QString& dernier_message() const { return dernier_message_; }
    int requete_parole() const { return requete_parole_; }
    bool pret() const { return pret_; }

    ServiceCompagnon& service() { return service_; }

Q_SIGNALS:
    void requeteTerminee(int requete);

private:
    // Connects the service, loads the character and sets it up; false when it cannot be loaded.
    bool installer(const QStringList& reglages);
    // The character's set-up once loaded: placed, greeting, French, the voice of the settings, warm-up.
    void mettreEnScene(const QStringList& reglages);
    QString raisonAbsence() const;
    // Cuts off every text under way or queued and says this one, remembering nothing.
    void dire(const QString& texte, double balance = 0);
    bool case_ = false; // the text being said is a sector's words
    // Cuts off every text under way or queued.
    void couper();

    ServiceCompagnon& service_;
    Dialogues& dialogues_;
    LecteurSons& sons_;
    QWidget* fenetre_ = nullptr;
    QString dernier_message_;
    HistoriqueTextes historique_;
    QList<QPair<QString, GenreTexte>> attente_; // the battle's texts while a side screen is open
    QList<int> suite_;                          // texts queued after the one under way, cut with it
    bool a_l_ecart_ = false;
    int requete_parole_ = 0;
    bool pret_ = false;
    bool reste_ = false; // kept on through the voice screen: his file no longer reads
};

inline const QString PERSONNAGE = QStringLiteral("Peedy");
