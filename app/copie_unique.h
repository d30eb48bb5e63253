// One copy of the game at a time per settings folder: a lock in the folder, and a call from a second start
// that brings the running copy's window to the front.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

class CopieUnique : public QObject {
    Q_OBJECT
public:
    // The lock of the settings folder dossier (the folder that holds Config.txt).
    explicit CopieUnique(const QString& dossier, QObject* parent = nullptr);
    ~CopieUnique() override;

    // Takes the folder's lock and listens for later starts; false when a running copy holds it. The lock of
    // a copy that was killed or crashed is taken over, and so is its socket; a folder where no lock can be
    // written (read-only) lets the game play, since it then writes no settings either.
    bool prendre();
    // Asks the copy that holds the lock to come to the front; true when it heard.
    bool appelerLaPremiere();
    const QString& dossier() const { return dossier_; }
    // The socket the running copy listens on, named after the folder so that copies of other folders do not
    // answer, in the player's own folder of sockets.
    static QString nomDuCanal(const QString& dossier);
    // The player's own folder of sockets: fr.corsabord.corsabord (the game's id) in $XDG_RUNTIME_DIR, or
    // corsabord-<uid> in the temporary folder when that is unset. Made when asked, with room for its owner
    // alone; empty, with why in raison, when it cannot be made or is not the player's alone (someone else may
    // have made it first).
    static QString dossierDesCanaux(bool creer, QString* raison = nullptr);

    // Calls answered at once: more are hung up on, and so is a call that stays silent for a while.
    static constexpr int APPELS_MAX = 4;
    static constexpr int SILENCE_MAX_MS = 2000;

Q_SIGNALS:
    // A second start asked this copy to come to the front.
    void appelee();

private:
    void accueillir();

    QString dossier_;
    QLockFile verrou_;
    QLocalServer* serveur_ = nullptr;
    int appels_ = 0; // connections open now
};

// What a second start does: calls the first copy to the front and says so in one line on standard error.
// Returns the status to end with.
int direDejaOuvert(CopieUnique& copie);

// What the first copy does when called: its window in front (or the screen open over it) comes back from
// the taskbar, is raised and takes the keyboard, as far as the desktop lets a program do so.
void ramenerAuPremierPlan(QWidget* fenetre);
