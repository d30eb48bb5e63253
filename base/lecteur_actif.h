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
// Orca started by hand or by a session script sets only IsEnabled: then a program named orca among the
// accessibility bus's clients is the reader, followed as it joins and leaves that bus.
class LecteurActif : public QObject {
    Q_OBJECT
public:
    explicit LecteurActif(QObject* parent = nullptr);
    // On another bus than the session's (the tests' own).
    explicit LecteurActif(const QDBusConnection& bus, QObject* parent = nullptr);
    ~LecteurActif() override;

    bool actif() const { return actif_; }

Q_SIGNALS:
    // The screen reader was turned on or off.
    void change(bool actif);

private Q_SLOTS:
    void proprietesChangees(const QString& interface, const QVariantMap& changees,
                            const QStringList& perimees);

    // A client joined or left the accessibility bus.
    void clientChange(const QString& nom, const QString& avant, const QString& apres);

private:
    void lire();
    void poser(bool actif);
    QVariant propriete(const QString& nom) const;
    // Joins the accessibility bus once IsEnabled is on, and looks there for Orca.
    void suivreBusAccessibilite();
    bool estOrca(const QString& client) const;
    void evaluer();

    QDBusConnection bus_;
    bool actif_ = false;
    bool annonce_ = false; // ScreenReaderEnabled
    bool ouvert_ = false;  // IsEnabled
    QString nomBus_;       // our connection to the accessibility bus, when joined
    QStringList orcas_;    // Orca's connections there
};
