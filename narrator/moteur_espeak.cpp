// The narrator's speech engine on libespeak-ng, owned by one worker thread.
#include "narrator/moteur_espeak.h"

#include <QCollator>
#include <QMetaObject>
#include <QMutexLocker>

#include <espeak-ng/speak_lib.h>

#include <algorithm>

namespace {

// Milliseconds of sound per callback: small pieces so that a stop is seen within a few milliseconds.
constexpr int PIECE_MS = 20;

// What the synthesis callback needs about the text under way.
struct TexteEnCours {
    MoteurEspeak* moteur;
    int id;
    int frequence;
    qint64 echantillons = 0;
    bool interrompu = false;
};

} // namespace

// Lives on the engine's own thread: every call into libespeak-ng is made from here.
class TravailleurEspeak : public QObject {
    Q_OBJECT
public:
    explicit TravailleurEspeak(MoteurEspeak& moteur)
        : moteur_(moteur) {}

    void demarrer(int* frequence, QList<VoixFrancaise>* voix) {
        const int f =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, PIECE_MS, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (f <= 0) {
            *frequence = 0;
            return;
        }
        *frequence = f;
        espeak_SetSynthCallback(&TravailleurEspeak::rappel);
        *voix = lister();
        if (espeak_SetVoiceByName(VOIX_DEFAUT.toUtf8().constData()) == EE_OK)
            voix_active_ = VOIX_DEFAUT;
        pret_ = true;
    }

    void dire(int id, const QString& texte) {
        TexteEnCours en_cours{&moteur_, id, moteur_.frequence()};
        if (!pret_ || moteur_.annule(id) || moteur_.fermeture_) {
            finir(en_cours, true);
            return;
        }
        const QString voulue = moteur_.voixVoulue();
        if (voulue != voix_active_ && espeak_SetVoiceByName(voulue.toUtf8().constData()) == EE_OK)
            voix_active_ = voulue;
        const QByteArray utf8 = texte.toUtf8();
        const espeak_ERROR e = espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0,
                                            POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &en_cours);
        finir(en_cours, en_cours.interrompu || e != EE_OK);
    }

    MoteurParole::Reglages reglages() const {
        MoteurParole::Reglages r;
        if (pret_) {
            r.vitesse = espeak_GetParameter(espeakRATE, 1);
            r.hauteur = espeak_GetParameter(espeakPITCH, 1);
            r.volume = espeak_GetParameter(espeakVOLUME, 1);
        }
        return r;
    }

    void fermer() {
        if (pret_)
            espeak_Terminate();
        pret_ = false;
    }

private:
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
            Q_EMIT t->moteur->pcm(t->id, QByteArray(reinterpret_cast<const char*>(wav),
                                                    static_cast<qsizetype>(n) * qsizetype(sizeof(short))));
            t->echantillons += n;
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
    bool pret_ = false;
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
        travailleur_, [this, &frequence] { travailleur_->demarrer(&frequence, &voix_); },
        Qt::BlockingQueuedConnection);
    frequence_ = frequence;
    voix_choisie_ = VOIX_DEFAUT;
}

MoteurEspeak::~MoteurEspeak() {
    fermeture_ = true;
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
    Reglages r;
    QMetaObject::invokeMethod(
        travailleur_, [this, &r] { r = travailleur_->reglages(); }, Qt::BlockingQueuedConnection);
    return r;
}

QString MoteurEspeak::voixVoulue() const {
    QMutexLocker verrou(&verrou_);
    return voix_choisie_;
}

void MoteurEspeak::dire(int id, const QString& texte) {
    {
        QMutexLocker verrou(&verrou_);
        actifs_.insert(id);
    }
    QMetaObject::invokeMethod(travailleur_, [this, id, texte] { travailleur_->dire(id, texte); });
}

void MoteurEspeak::arreter(int id) {
    QMutexLocker verrou(&verrou_);
    if (actifs_.contains(id))
        annules_.insert(id);
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
