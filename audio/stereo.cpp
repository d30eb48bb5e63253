// Placing a sound between the left and the right.
#include "audio/stereo.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

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
    auto lire = [&](const uchar* p) -> int {
        return bits == 8 ? (int(*p) - 128) * 256 : qFromLittleEndian<qint16>(p);
    };
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

double balanceDeColonne(int colonne, int colonnes) {
    if (colonnes <= 1)
        return 0;
    return std::clamp(-1.0 + 2.0 * colonne / (colonnes - 1), -1.0, 1.0);
}
