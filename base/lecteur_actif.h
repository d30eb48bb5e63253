// Whether the player's screen reader runs, as the desktop's accessibility bus says, followed while the game
// runs.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// Reads org.a11y.Status.ScreenReaderEnabled on the session bus's org.a11y.Bus when built and follows its
// changes. The desktop sets it when the player turns the screen reader on or off (GNOME's and MATE's
// switch, Super+Alt+S); without a session bus or an accessibility bus it stays false and says nothing.
class LecteurActif : public QObject {
    Q_OBJECT
public:
    explicit LecteurActif(QObject* parent = nullptr);
    // On another bus than the session's (the tests' own).
    explicit LecteurActif(const QDBusConnection& bus, QObject* parent = nullptr);

    bool actif() const { return actif_; }

Q_SIGNALS:
    // The screen reader was turned on or off.
    void change(bool actif);

private Q_SLOTS:
    void proprietesChangees(const QString& interface, const QVariantMap& changees,
                            const QStringList& perimees);

private:
    void lire();
    void poser(bool actif);

    QDBusConnection bus_;
    bool actif_ = false;
};
