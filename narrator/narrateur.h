// The narrator: sets the parrot up, speaks every text of the game and remembers the last one.
#pragma once

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

    // Speaks a text, cutting off whatever was being said. An empty text is ignored.
    void Parle(const QString& texte);

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

    ServiceCompagnon& service_;
    Dialogues& dialogues_;
    LecteurSons& sons_;
    QWidget* fenetre_ = nullptr;
    QString dernier_message_;
    int requete_parole_ = 0;
    bool pret_ = false;
    bool reste_ = false; // kept on through the voice screen: his file no longer reads
};

inline const QString PERSONNAGE = QStringLiteral("Peedy");
