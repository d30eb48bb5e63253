// The system's requests to end (a desktop's logout, Ctrl+C in the terminal, the terminal closed), turned
// into the game's own end.
#pragma once

#include <QObject>

class QSocketNotifier;

class FinParSignal : public QObject {
    Q_OBJECT
public:
    // From now on SIGTERM, SIGINT and SIGHUP no longer kill the game: each becomes finDemandee() in the event
    // loop. One at a time in the program.
    explicit FinParSignal(QObject* parent = nullptr);
    // The system's own handling again.
    ~FinParSignal() override;

Q_SIGNALS:
    // The system asked the game to end: it ends as when its window is closed.
    void finDemandee(int signal);

private:
    QSocketNotifier* avis_ = nullptr;
};
