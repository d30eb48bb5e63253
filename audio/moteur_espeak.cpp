// The narrator's speech engine on libespeak-ng, owned by one worker thread.
#include "audio/moteur_espeak.h"

#include "audio/sortie_parole.h"

#include "base/terminal.h"

#include <QCollator>
#include <QDir>
#include <QMetaObject>
#include <QMutexLocker>
#include <QRegularExpression>

#include <espeak-ng/speak_lib.h>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Milliseconds of sound per callback: small pieces so that a stop is seen within a few milliseconds.
constexpr int PIECE_MS = 20;
// How far the synthesis runs ahead of what is heard: it stops above PLEIN_MS and goes on once the ear
// has come back to REPRISE_MS. A long text costs a few milliseconds at a time instead of all at once,
// and a busy machine has most of a second to come back to it before the voice could run dry.
constexpr int PLEIN_MS = 900;
constexpr int REPRISE_MS = 600;
// The longest nap between two looks at the output, should its clock stand still (a sink waking up).
constexpr int SIESTE_MAX_MS = 250;
// An ear that has not moved for this long while the synthesis waits is not coming back soon (a frozen
// server): the text is then made to its end, and the output's own limit ends it.
constexpr int SANS_OREILLE_MS = 10000;
// The pace of a text without a voice: what the default voice says in a second, for the balloon.
constexpr int CARACTERES_PAR_SECONDE = 15;

// While the library starts, what it prints itself (in English, "Error processing file ...") goes nowhere
// unless the player asked for the toolkit's own lines: the game says what is wrong in French.
class SansSortieDErreur {
public:
    SansSortieDErreur() {
        if (messagesDeDebug())
            return;
        std::fflush(stderr);
        sauve_ = ::dup(STDERR_FILENO);
        const int rien = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (sauve_ >= 0 && rien >= 0)
            ::dup2(rien, STDERR_FILENO);
        if (rien >= 0)
            ::close(rien);
    }
    ~SansSortieDErreur() {
        if (sauve_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(sauve_, STDERR_FILENO);
        ::close(sauve_);
    }
    SansSortieDErreur(const SansSortieDErreur&) = delete;
    SansSortieDErreur& operator=(const SansSortieDErreur&) = delete;

private:
    int sauve_ = -1;
};

// What the synthesis callback needs about the text under way.
struct TexteEnCours {
    MoteurEspeak* moteur;
    int id;
    int frequence;
    std::shared_ptr<ArriveeSon> arrivee;
    int attente_vaine = 0; // ms waited without the ear moving
    qint64 echantillons = 0;
    bool interrompu = false;
    int volume = 100; // percent of the voice's level
};

} // namespace

// Lives on the engine's own thread: every call into libespeak-ng is made from here.
class TravailleurEspeak : public QObject {
    Q_OBJECT
public:
    explicit TravailleurEspeak(MoteurEspeak& moteur)
        : moteur_(moteur) {}

    // The sample rate, the French voices, and why the library cannot speak French (empty when it can).
    void demarrer(int* frequence, QList<VoixFrancaise>* voix, QString* raison,
                  MoteurParole::Reglages* defaut) {
        int f = 0;
        {
            const SansSortieDErreur calme;
            f = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, PIECE_MS, nullptr, espeakINITIALIZE_DONT_EXIT);
        }
        const char* chemin = nullptr;
        espeak_Info(&chemin);
        const QString donnees = QDir::toNativeSeparators(QString::fromLocal8Bit(chemin ? chemin : ""));
        *frequence = f > 0 ? f : 0;
        if (f <= 0) {
            *raison = QStringLiteral("libespeak-ng ne trouve pas ses données dans %1").arg(donnees);
            return;
        }
        initialise_ = true;
        espeak_SetSynthCallback(&TravailleurEspeak::rappel);
        *voix = lister();
        if (voix->isEmpty()) {
            *raison =
                QStringLiteral("aucune voix française dans les données de libespeak-ng (%1)").arg(donnees);
            return;
        }
        if (espeak_SetVoiceByName(VOIX_DEFAUT.toUtf8().constData()) == EE_OK)
            voix_active_ = VOIX_DEFAUT;
        defaut->vitesse = espeak_GetParameter(espeakRATE, 1);
        defaut->hauteur = espeak_GetParameter(espeakPITCH, 1);
        pret_ = true;
    }

    void dire(int id, const QString& texte, std::shared_ptr<ArriveeSon> arrivee) {
        TexteEnCours en_cours{&moteur_, id, moteur_.frequence(), std::move(arrivee)};
        if (moteur_.annule(id) || moteur_.fermeture_) {
            finir(en_cours, true);
            return;
        }
        if (!pret_) {
            direEnSilence(en_cours, texte);
            return;
        }
        const QString voulue = moteur_.voixVoulue();
        if (voulue != voix_active_ && espeak_SetVoiceByName(voulue.toUtf8().constData()) == EE_OK)
            voix_active_ = voulue;
        // the player's speed and pitch, or the voice's own, set again for every text
        const MoteurParole::Reglages r = moteur_.reglages();
        espeak_SetParameter(espeakRATE, r.vitesse, 0);
        espeak_SetParameter(espeakPITCH, r.hauteur, 0);
        en_cours.volume = r.volume;
        const QByteArray utf8 = texte.toUtf8();
        const espeak_ERROR e = espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0,
                                            POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &en_cours);
        finir(en_cours, en_cours.interrompu || e != EE_OK);
    }

    void fermer() {
        if (initialise_)
            espeak_Terminate();
        initialise_ = false;
        pret_ = false;
    }

private:
    // No voice: the text takes the time it would take to say, word by word, so that the parrot's balloon
    // shows each part of it long enough to be read.
    void direEnSilence(TexteEnCours& t, const QString& texte) {
        static const QRegularExpression mots(QStringLiteral("\\S+"));
        for (auto it = mots.globalMatch(texte); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            Q_EMIT moteur_.mot(t.id, qint64(m.capturedStart()) * t.frequence / CARACTERES_PAR_SECONDE,
                               int(m.capturedStart()), int(m.capturedLength()));
        }
        t.echantillons = qint64(texte.size()) * t.frequence / CARACTERES_PAR_SECONDE;
        finir(t, false);
    }

    void finir(const TexteEnCours& t, bool interrompu) {
        moteur_.oublier(t.id);
        Q_EMIT moteur_.fin(t.id, t.echantillons, interrompu);
    }

    // Called by libespeak-ng, on this thread, inside espeak_Synth. Returning 1 aborts the text.
    static int rappel(short* wav, int n, espeak_EVENT* evenements) {
        if (evenements == nullptr || evenements->user_data == nullptr)
            return 0;
        auto* t = static_cast<TexteEnCours*>(evenements->user_data);
        if (t->moteur->annule(t->id) || t->moteur->fermeture_) {
            t->interrompu = true;
            return 1;
        }
        for (espeak_EVENT* e = evenements; e->type != espeakEVENT_LIST_TERMINATED; ++e) {
            if (e->type == espeakEVENT_WORD)
                Q_EMIT t->moteur->mot(t->id, qint64(e->audio_position) * t->frequence / 1000,
                                      std::max(0, e->text_position - 1), e->length);
        }
        if (wav != nullptr && n > 0) {
            QByteArray echantillons(reinterpret_cast<const char*>(wav),
                                    static_cast<qsizetype>(n) * qsizetype(sizeof(short)));
            appliquerVolume(echantillons, t->volume);
            if (t->arrivee)
                t->arrivee->recevoir(echantillons);
            Q_EMIT t->moteur->pcm(t->id, echantillons);
            t->echantillons += n;
        }
        // far enough ahead of the ear: wait for it, or for the text to be cut
        if (t->arrivee && t->attente_vaine < SANS_OREILLE_MS) {
            for (int avance = t->arrivee->avanceMs();
                 avance > PLEIN_MS && t->attente_vaine < SANS_OREILLE_MS;) {
                const int sieste = std::min(avance - REPRISE_MS, SIESTE_MAX_MS);
                if (!t->moteur->patienter(t->id, sieste)) {
                    t->interrompu = true;
                    return 1;
                }
                const int apres = t->arrivee->avanceMs();
                t->attente_vaine = apres < avance ? 0 : t->attente_vaine + sieste;
                avance = apres;
            }
        }
        return 0;
    }

    // The French languages of the library (its own voices, not the MBROLA ones) and the variants.
    static QList<VoixFrancaise> lister() {
        QStringList langues;
        for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v) {
            const QString id = QString::fromUtf8((*v)->identifier);
            if (id.startsWith(QLatin1String("mb/")))
                continue;
            const QString base = id.section(QLatin1Char('/'), -1).toLower();
            if ((base == QLatin1String("fr") || base.startsWith(QLatin1String("fr-"))) &&
                !langues.contains(base))
                langues << base;
        }
        std::sort(langues.begin(), langues.end(), [](const QString& a, const QString& b) {
            // the voice of France first, then the others by name
            return a == VOIX_DEFAUT ? b != VOIX_DEFAUT : (b == VOIX_DEFAUT ? false : a < b);
        });
        espeak_VOICE variante{};
        variante.languages = "variant";
        QList<VarianteVoix> variantes;
        for (const espeak_VOICE** v = espeak_ListVoices(&variante); v && *v; ++v) {
            const QString id = QString::fromUtf8((*v)->identifier);
            if (!id.startsWith(QLatin1String("!v/")))
                continue;
            variantes.append({id.mid(3), QString::fromUtf8((*v)->name)});
        }
        QCollator ordre;
        ordre.setNumericMode(true);
        ordre.setCaseSensitivity(Qt::CaseInsensitive);
        // female then male numbered voices first, the named variants after them
        auto rang = [](const QString& f) {
            return (f.size() > 1 && (f[0] == QLatin1Char('f') || f[0] == QLatin1Char('m')) && f[1].isDigit())
                       ? (f[0] == QLatin1Char('f') ? 0 : 1)
                       : 2;
        };
        std::sort(variantes.begin(), variantes.end(), [&](const VarianteVoix& a, const VarianteVoix& b) {
            const int ra = rang(a.fichier), rb = rang(b.fichier);
            return ra != rb ? ra < rb : ordre.compare(a.fichier, b.fichier) < 0;
        });
        return voixFrancaises(langues, variantes);
    }

    MoteurEspeak& moteur_;
    QString voix_active_;
    bool initialise_ = false;
    bool pret_ = false; // initialised, with a French voice
};

MoteurEspeak::MoteurEspeak(QObject* parent)
    : MoteurParole(parent) {
    fil_.setObjectName(QStringLiteral("parole"));
    travailleur_ = new TravailleurEspeak(*this);
    travailleur_->moveToThread(&fil_);
    connect(&fil_, &QThread::finished, travailleur_, &QObject::deleteLater);
    fil_.start();
    int frequence = 0;
    QMetaObject::invokeMethod(
        travailleur_, [this, &frequence] { travailleur_->demarrer(&frequence, &voix_, &raison_, &defaut_); },
        Qt::BlockingQueuedConnection);
    frequence_ = frequence;
    pret_ = raison_.isEmpty();
    voix_choisie_ = VOIX_DEFAUT;
    // A folder asked for that does not exist: the library quietly takes its own, and the player should
    // know which one speaks.
    const QString demande = qEnvironmentVariable("ESPEAK_DATA_PATH");
    if (pret_ && !demande.isEmpty() && !QDir(demande).exists())
        direAuTerminal(QStringLiteral("Corsabord : ESPEAK_DATA_PATH désigne %1, qui n'existe pas ; "
                                      "libespeak-ng prend les voix qu'il a installées.")
                           .arg(QDir::toNativeSeparators(demande)));
}

MoteurEspeak::~MoteurEspeak() {
    {
        QMutexLocker verrou(&verrou_);
        fermeture_ = true;
        reveil_.wakeAll();
    }
    QMetaObject::invokeMethod(
        travailleur_, [this] { travailleur_->fermer(); }, Qt::BlockingQueuedConnection);
    fil_.quit();
    fil_.wait();
}

bool MoteurEspeak::choisirVoix(const QString& nom) {
    const bool connue =
        std::any_of(voix_.cbegin(), voix_.cend(), [&](const VoixFrancaise& v) { return v.nom == nom; });
    if (!connue)
        return false;
    QMutexLocker verrou(&verrou_);
    voix_choisie_ = nom;
    return true;
}

QString MoteurEspeak::voixChoisie() const {
    return voixVoulue();
}

MoteurParole::Reglages MoteurEspeak::reglages() const {
    const TagsParole tags = tagsVoulus();
    return {tags.vitesse.value_or(defaut_.vitesse), tags.hauteur.value_or(defaut_.hauteur),
            tags.volume.value_or(defaut_.volume)};
}

void MoteurEspeak::appliquer(const TagsParole& tags) {
    QMutexLocker verrou(&verrou_);
    tags_ = tags;
}

TagsParole MoteurEspeak::tagsVoulus() const {
    QMutexLocker verrou(&verrou_);
    return tags_;
}

QString MoteurEspeak::voixVoulue() const {
    QMutexLocker verrou(&verrou_);
    return voix_choisie_;
}

void MoteurEspeak::dire(int id, const QString& texte, std::shared_ptr<ArriveeSon> arrivee) {
    {
        QMutexLocker verrou(&verrou_);
        actifs_.insert(id);
    }
    QMetaObject::invokeMethod(travailleur_, [this, id, texte, arrivee = std::move(arrivee)]() mutable {
        travailleur_->dire(id, texte, std::move(arrivee));
    });
}

void MoteurEspeak::arreter(int id) {
    QMutexLocker verrou(&verrou_);
    if (actifs_.contains(id)) {
        annules_.insert(id);
        reveil_.wakeAll();
    }
}

bool MoteurEspeak::patienter(int id, int ms) {
    QMutexLocker verrou(&verrou_);
    if (annules_.contains(id) || fermeture_)
        return false;
    reveil_.wait(&verrou_, QDeadlineTimer(std::max(1, ms)));
    return !annules_.contains(id) && !fermeture_;
}

bool MoteurEspeak::annule(int id) const {
    QMutexLocker verrou(&verrou_);
    return annules_.contains(id);
}

void MoteurEspeak::oublier(int id) {
    QMutexLocker verrou(&verrou_);
    actifs_.remove(id);
    annules_.remove(id);
}

#include "moteur_espeak.moc"
