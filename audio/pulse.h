// The game's one connection to the sound server (libpulse, threaded main loop) and its playback streams.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

struct pa_context;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;

class FluxPulse;

// One context for the whole game, on libpulse's own thread. PipeWire's pulse server serves it as well.
// When the server goes away (killed, restarted, the player's session changes), the context fails and
// every stream on it is lost; the next stream asked for connects again, so that a server that comes back
// is heard from the next text on.
class ConnexionPulse {
public:
    // The game's connection, made at the first call and closed when its last user lets it go.
    static std::shared_ptr<ConnexionPulse> partagee();

    ConnexionPulse();
    ~ConnexionPulse();
    ConnexionPulse(const ConnexionPulse&) = delete;
    ConnexionPulse& operator=(const ConnexionPulse&) = delete;

    // Whether sound can be played now or soon: the context is ready or connecting. A context that failed
    // is replaced by a new one first. False when no server answers at all.
    bool assurer();

private:
    friend class FluxPulse;
    class Verrou;

    void connecter();  // under the lock
    void etatChange(); // on the loop's thread
    void attendre(FluxPulse* flux);
    void oublier(FluxPulse* flux);

    pa_threaded_mainloop* boucle_ = nullptr;
    pa_context* contexte_ = nullptr;
    std::vector<FluxPulse*> en_attente_; // streams waiting for the context to be ready
};

// One playback stream: 16-bit or 8-bit PCM at its own rate, fed with all it has as soon as it
// has it, its heard position read from the stream's own timing. A stream that starts late is waited
// for as long as it takes; only a lost server or a killed stream makes it lost. Signals come on the
// thread that made it.
class FluxPulse : public QObject {
    Q_OBJECT
public:
    struct Format {
        int frequence = 22050;
        int canaux = 1;
        int bits = 16;
    };

    // role is the stream's media.role ("game"), nom what mixers show for it.
    FluxPulse(std::shared_ptr<ConnexionPulse> connexion, Format format, const char* role, const QString& nom,
              int avanceMs, QObject* parent = nullptr);
    ~FluxPulse() override;

    // Adds samples, handed to the server at once (once the stream is ready).
    void ecrire(const QByteArray& pcm);
    // No more samples: joue comes once the server has played them all.
    void terminer();
    // Silences the stream at once and lets the server go; nothing more comes from it.
    void fermer();

    // Microseconds of this stream heard so far; 0 until it starts.
    qint64 entendusUs() const;
    // Whether the stream went with its server.
    bool perdu() const;
    // Whether the server has started playing it.
    bool commence() const;
    // Whether it is closed or lost: nothing more will be heard of it.
    bool ferme() const;

Q_SIGNALS:
    void joue();
    void perte();

private:
    friend class ConnexionPulse;
    void creer();   // on the loop's thread, once the context is ready
    void perdre();  // on the loop's thread
    void nourrir(); // under the lock
    void vider();   // under the lock
    void liberer(); // under the lock
    qint64 entendusSousVerrou() const;
    static void rappelEtat(pa_stream* s, void* moi);
    static void rappelDemarre(pa_stream* s, void* moi);
    // a stream let go before the server made it: ends it once made
    static void rappelOrphelin(pa_stream* s, void*);
    static void rappelVide(pa_stream* s, int succes, void* moi);

    std::shared_ptr<ConnexionPulse> connexion_;
    Format format_;
    QByteArray role_;
    QByteArray nom_;
    int avance_ms_;
    pa_stream* flux_ = nullptr;
    pa_operation* vidange_op_ = nullptr;
    QByteArray attente_; // samples not yet handed to the server, from lus_ on
    qsizetype lus_ = 0;
    qint64 ecrits_ = 0;              // bytes handed to the server
    mutable qint64 entendus_us_ = 0; // the last heard position read, kept once the stream is gone
    bool termine_ = false;
    bool vidange_ = false; // drain asked
    bool joue_ = false;
    bool perdu_ = false;
    bool commence_ = false;
    bool ferme_ = false;
};
