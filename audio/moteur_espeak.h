// The narrator's speech engine on libespeak-ng, owned by one worker thread.
#pragma once

#include "audio/moteur_parole.h"

#include <QMutex>
#include <QSet>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

class TravailleurEspeak;

// The library is initialised, asked and shut down on its own thread only. Stopping works from any
// thread: the synthesis callback sees the request marked and aborts the text at its next piece.
class MoteurEspeak : public MoteurParole {
    Q_OBJECT
public:
    // Blocks until the library is ready (a few milliseconds).
    explicit MoteurEspeak(QObject* parent = nullptr);
    ~MoteurEspeak() override;

    // False when libespeak-ng could not start (no data found) or has no French voice: texts then take
    // the time they would take to say, word by word, in silence.
    bool pret() const { return pret_; }

    int frequence() const override { return frequence_ > 0 ? frequence_ : 22050; }
    QList<VoixFrancaise> voix() const override { return voix_; }
    QString raisonSilence() const override { return raison_; }
    bool choisirVoix(const QString& nom) override;
    QString voixChoisie() const override;
    Reglages reglages() const override;
    void appliquer(const TagsParole& tags) override;
    void dire(int id, const QString& texte, std::shared_ptr<ArriveeSon> arrivee) override;
    void arreter(int id) override;

private:
    friend class TravailleurEspeak;
    bool annule(int id) const;
    // Waits up to ms on the synthesis thread, or less if the text is cut; false when it was.
    bool patienter(int id, int ms);
    void oublier(int id);
    QString voixVoulue() const;
    TagsParole tagsVoulus() const;

    QThread fil_;
    TravailleurEspeak* travailleur_ = nullptr;
    mutable QMutex verrou_;
    QWaitCondition reveil_; // a waiting synthesis told that its text was cut
    QSet<int> actifs_;      // said or waiting to be
    QSet<int> annules_;
    QString voix_choisie_;
    TagsParole tags_;
    Reglages defaut_; // the engine's own speed and pitch, read once it has started
    std::atomic<bool> fermeture_{false};
    int frequence_ = 0;
    bool pret_ = false;
    QString raison_;
    QList<VoixFrancaise> voix_;
};
