// The game's timers: a countdown that ticks every interval while it is enabled.
#pragma once

#include <QObject>

// Enabling an enabled timer does not restart it; disabling then enabling starts a full interval anew;
// setting the interval of an enabled timer restarts its countdown. It ticks every interval until
// disabled: the game's handlers disable their own timer first to use it as a one-shot.
class Timer : public QObject {
    Q_OBJECT
public:
    bool isEnabled() const { return actif_; }
    void setEnabled(bool actif);
    int interval() const { return intervalle_; }
    void setInterval(int ms);
    // Disable then enable: a full interval from now.
    void relancer();
    // The ms left before the next tick of an enabled timer; its interval when unknown.
    virtual int restant() const { return intervalle_; }
    // Enabled again with ms left before its next tick (the pause's end), then every interval as before.
    void reprendre(int ms);

Q_SIGNALS:
    void timeout();

protected:
    explicit Timer(int intervalle, QObject* parent)
        : QObject(parent)
        , intervalle_(intervalle) {}
    // The implementation counts down ms from now and calls tic() when it runs out.
    virtual void armer(int ms) = 0;
    virtual void desarmer() = 0;
    void tic();

private:
    bool actif_ = false;
    int intervalle_;
};
