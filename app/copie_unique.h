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
    // a copy that was killed or crashed is taken over; a folder where no lock can be written (read-only)
    // lets the game play, since it then writes no settings either.
    bool prendre();
    // Asks the copy that holds the lock to come to the front; true when it heard.
    bool appelerLaPremiere();
    const QString& dossier() const { return dossier_; }
    // The name the running copy listens on: the folder's, so that copies of other folders do not answer.
    static QString nomDuCanal(const QString& dossier);

Q_SIGNALS:
    // A second start asked this copy to come to the front.
    void appelee();

private:
    QString dossier_;
    QLockFile verrou_;
    QLocalServer* serveur_ = nullptr;
};

// What a second start does: says that the game is already open on standard error, and in a box when
// there is a screen, then calls the first copy to the front. Returns the status to end with.
int direDejaOuvert(CopieUnique& copie);

// What the first copy does when called: its window in front (or the screen open over it) comes back from
// the taskbar, is raised and takes the keyboard, as far as the desktop lets a program do so.
void ramenerAuPremierPlan(QWidget* fenetre);
