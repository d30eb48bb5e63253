// Placing a sound between the left and the right.
#include "audio/stereo.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// A sample of 8-bit unsigned or 16-bit signed little-endian PCM, on the 16-bit scale.
int lireEchantillon(const uchar* p, int bits) {
    return bits == 8 ? (int(*p) - 128) * 256 : qFromLittleEndian<qint16>(p);
}
} // namespace

QByteArray placerEnStereo(const QByteArray& pcm, int canaux, int bits, double balance) {
    balance = std::clamp(balance, -1.0, 1.0);
    const double gauche = balance > 0 ? 1.0 - balance : 1.0;
    const double droite = balance < 0 ? 1.0 + balance : 1.0;
    const int octets = bits == 8 ? 1 : 2;
    const int trame = std::max(1, canaux) * octets;
    const qsizetype trames = pcm.size() / trame;
    QByteArray sortie(trames * 4, Qt::Uninitialized);
    const auto* src = reinterpret_cast<const uchar*>(pcm.constData());
    auto* dst = reinterpret_cast<uchar*>(sortie.data());
    auto lire = [&](const uchar* p) { return lireEchantillon(p, bits); };
    auto ecrire = [](uchar* p, double v) {
        qToLittleEndian<qint16>(qint16(std::lround(std::clamp(v, -32768.0, 32767.0))), p);
    };
    for (qsizetype i = 0; i < trames; ++i) {
        const uchar* t = src + i * trame;
        const int g = lire(t);
        const int d = canaux >= 2 ? lire(t + octets) : g;
        ecrire(dst + i * 4, g * gauche);
        ecrire(dst + i * 4 + 2, d * droite);
    }
    return sortie;
}

qsizetype silencesEnTete(const QByteArray& pcm) {
    // what the voice makes before a word is digital silence; dither or a breath would not be cut
    constexpr int SILENCE = 4;
    const auto* p = reinterpret_cast<const uchar*>(pcm.constData());
    const qsizetype n = pcm.size() / 2;
    for (qsizetype i = 0; i < n; ++i)
        if (std::abs(int(qFromLittleEndian<qint16>(p + i * 2))) > SILENCE)
            return i;
    return n;
}

double balanceDeColonne(int colonne, int colonnes) {
    if (colonnes <= 1)
        return 0;
    return std::clamp(-1.0 + 2.0 * colonne / (colonnes - 1), -1.0, 1.0);
}

namespace {
// The clip's first channel as 16-bit mono at frequence, read faster (higher) or slower (lower) by
// demiTons, between its samples by straight lines.
QByteArray reechantillonner(const ClipPcm& pcm, int frequence, double demiTons) {
    const int octets = pcm.bits == 8 ? 1 : 2;
    const int trame = std::max(1, pcm.canaux) * octets;
    const qsizetype n = pcm.echantillons.size() / trame;
    if (n == 0 || pcm.frequence <= 0 || frequence <= 0)
        return {};
    const double pas = double(pcm.frequence) / frequence * std::pow(2.0, demiTons / 12.0);
    // Pitched down, a sound keeps its own length: what would run past it is left out and its end faded
    // over 10 ms, so that the sounds of a glance never run into the next one.
    const auto entiers = qsizetype(double(n - 1) / pas) + 1;
    const qsizetype sorties =
        std::min(entiers, std::max<qsizetype>(1, qsizetype(double(n) * frequence / pcm.frequence)));
    const qsizetype fondu = sorties < entiers ? std::min<qsizetype>(sorties, frequence / 100) : 0;
    const auto* src = reinterpret_cast<const uchar*>(pcm.echantillons.constData());
    QByteArray mono(sorties * 2, Qt::Uninitialized);
    auto* dst = reinterpret_cast<uchar*>(mono.data());
    for (qsizetype i = 0; i < sorties; ++i) {
        const double x = i * pas;
        const auto k = std::min(qsizetype(x), n - 1);
        const double f = x - double(k);
        const int a = lireEchantillon(src + k * trame, pcm.bits);
        const int b = k + 1 < n ? lireEchantillon(src + (k + 1) * trame, pcm.bits) : a;
        const double gain = sorties - i <= fondu ? double(sorties - i) / double(fondu) : 1.0;
        qToLittleEndian<qint16>(qint16(std::lround((a + (b - a) * f) * gain)), dst + i * 2);
    }
    return mono;
}
} // namespace

ClipPcm melangerSuite(const QList<SonDeSuite>& sons, int frequence) {
    ClipPcm sortie;
    sortie.frequence = frequence;
    sortie.canaux = 2;
    sortie.bits = 16;
    std::vector<int> somme; // left and right in turn
    for (const SonDeSuite& son : sons) {
        const QByteArray place =
            placerEnStereo(reechantillonner(son.pcm, frequence, son.demiTons), 1, 16, son.balance);
        const auto debut = std::size_t(std::max(0, son.debutMs)) * std::size_t(frequence) / 1000 * 2;
        const auto valeurs = std::size_t(place.size() / 2);
        somme.resize(std::max(somme.size(), debut + valeurs), 0);
        const auto* p = reinterpret_cast<const uchar*>(place.constData());
        for (std::size_t i = 0; i < valeurs; ++i)
            somme[debut + i] += qFromLittleEndian<qint16>(p + i * 2);
    }
    sortie.echantillons.resize(qsizetype(somme.size() * 2));
    auto* dst = reinterpret_cast<uchar*>(sortie.echantillons.data());
    for (std::size_t i = 0; i < somme.size(); ++i)
        qToLittleEndian<qint16>(qint16(std::clamp(somme[i], -32768, 32767)), dst + i * 2);
    return sortie;
}
