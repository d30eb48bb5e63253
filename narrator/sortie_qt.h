// The narrator's speech heard through Qt Multimedia: a QAudioSink fed in push mode.
#pragma once

#include "narrator/sortie_parole.h"

#include <QByteArray>
#include <QList>

class QAudioSink;
class QIODevice;
class QTimer;

// Keeps only a short stretch of sound in the sink so that cutting off a text is heard at once.
class SortieParoleQt : public SortieParole {
    Q_OBJECT
public:
    explicit SortieParoleQt(QObject* parent = nullptr);
    ~SortieParoleQt() override;

    bool disponible() const override;
    void commencer(int frequence) override;
    void ecrire(const QByteArray& pcm) override;
    void terminer() override;
    void couper() override;
    qint64 entendus() const override;

private:
    void nourrir();
    void ouvrir(int frequence);

    QAudioSink* sink_ = nullptr;
    QIODevice* flux_ = nullptr;
    QTimer* pompe_ = nullptr;
    QByteArray attente_;
    int frequence_ = 0;
    qint64 ecrits_ = 0; // bytes of the current text given to the sink
    bool termine_ = false;
    bool actif_ = false;
};
