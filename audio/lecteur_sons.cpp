// The battle's clips and the alert beep, one at a time.
#include "audio/lecteur_sons.h"

#include "audio/reglages_parole.h"

#include "audio/sons_pulse.h"
#include "audio/stereo.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

LecteurSonsJeu::LecteurSonsJeu()
    : LecteurSonsJeu(std::make_unique<SortieAudioPulse>(), std::make_unique<SortieAudioPulse>(),
                     std::make_unique<SortieAudioPulse>()) {}

LecteurSonsJeu::LecteurSonsJeu(std::unique_ptr<SortieAudio> sortie, std::unique_ptr<SortieAudio> signaux,
                               std::unique_ptr<SortieAudio> suites)
    : sortie_(std::move(sortie))
    , signaux_(std::move(signaux))
    , suites_(std::move(suites)) {}

void LecteurSonsJeu::JouerSuite(const QList<SonPlace>& sons) {
    if (!suites_)
        return;
    suites_->arreter();
    QList<SonDeSuite> suite;
    for (const SonPlace& son : sons)
        if (const std::optional<ClipPcm> pcm = lireRiff(son.clip))
            suite.append({*pcm, son.balance, son.demiTons, son.debutMs});
    if (suite.isEmpty() || !suites_->existe())
        return;
    // Mixed whole before it goes: each sound then falls on the sample, whatever the machine's load.
    suites_->jouer(melangerSuite(suite), 0);
}

void LecteurSonsJeu::ArreterSuite() {
    if (suites_)
        suites_->arreter();
}

ClipPcm LecteurSonsJeu::aLaMesure(ClipPcm pcm) const {
    if (volume_ == 100)
        return pcm;
    if (pcm.bits == 16) {
        appliquerVolume(pcm.echantillons, volume_);
    } else {
        // 8-bit samples are unsigned, silence at 128.
        for (char& o : pcm.echantillons) {
            const int v = static_cast<uchar>(o) - 128;
            o = static_cast<char>(static_cast<uchar>(128 + v * volume_ / 100));
        }
    }
    return pcm;
}

void LecteurSonsJeu::JouerSignal(const QByteArray& clip, double balance) {
    if (!signaux_) {
        JouerSonPlace(clip, balance);
        return;
    }
    const std::optional<ClipPcm> pcm = clip.isEmpty() ? std::nullopt : lireRiff(clip);
    if (!pcm || !signaux_->existe())
        return;
    signaux_->arreter();
    signaux_->jouer(aLaMesure(*pcm), balance);
}

void LecteurSonsJeu::JouerSon(const QByteArray& clip) {
    JouerSonPlace(clip, 0);
}

void LecteurSonsJeu::JouerSonPlace(const QByteArray& clip, double balance) {
    if (clip.isEmpty())
        return;
    if (!sortie_->existe())
        return;
    const std::optional<ClipPcm> pcm = lireRiff(clip);
    // A clip that cannot be played is simply not heard: no default sound stands in for it.
    if (!pcm)
        return;
    sortie_->arreter();
    sortie_->jouer(aLaMesure(*pcm), balance);
}

void LecteurSonsJeu::Bip() {
    if (!sortie_->existe())
        return;
    sortie_->arreter();
    sortie_->jouer(aLaMesure(sonBip()), 0);
}

ClipPcm LecteurSonsJeu::sonBip() {
    ClipPcm pcm;
    pcm.frequence = 22050;
    pcm.canaux = 1;
    pcm.bits = 16;
    // Two tones a fourth apart, each with a soft edge so that neither clicks.
    struct Ton {
        double frequence;
        double duree;
    };
    const Ton tons[] = {{880.0, 0.07}, {1174.66, 0.08}};
    for (const Ton& ton : tons) {
        const int n = static_cast<int>(ton.duree * pcm.frequence);
        const int bord = pcm.frequence / 200;
        for (int i = 0; i < n; ++i) {
            const double enveloppe = std::min({1.0, double(i) / bord, double(n - 1 - i) / bord});
            const double x = 0.45 * enveloppe *
                             (std::sin(2 * std::numbers::pi * ton.frequence * i / pcm.frequence) +
                              0.25 * std::sin(4 * std::numbers::pi * ton.frequence * i / pcm.frequence));
            const auto v = static_cast<qint16>(std::lround(32767 * x / 1.25));
            uchar octets[2];
            qToLittleEndian(v, octets);
            pcm.echantillons.append(reinterpret_cast<const char*>(octets), 2);
        }
    }
    return pcm;
}
