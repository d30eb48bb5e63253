// Reading the battle's clips from RIFF WAVE images.
#include "audio/riff.h"

#include <algorithm>

namespace {

// Little-endian fields, read byte by byte; callers have checked that they lie within the image.
quint32 lire32(const QByteArray& a, qsizetype pos) {
    quint32 v = 0;
    for (qsizetype i = 3; i >= 0; --i)
        v = v << 8 | static_cast<uchar>(a.at(pos + i));
    return v;
}

quint16 lire16(const QByteArray& a, qsizetype pos) {
    return static_cast<quint16>(static_cast<uchar>(a.at(pos)) | static_cast<uchar>(a.at(pos + 1)) << 8);
}

} // namespace

std::optional<ClipPcm> lireRiff(const QByteArray& riff) {
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;
    // A RIFF size that claims more than the image holds is read up to the image's end.
    const qint64 fin = std::min<qint64>(riff.size(), 8 + qint64(lire32(riff, 4)));
    bool formatLu = false;
    bool donneesLues = false;
    ClipPcm pcm;
    quint16 codage = 0;
    qint64 pos = 12;
    while (pos + 8 <= fin) {
        const QByteArray id = riff.mid(pos, 4);
        const qint64 longueur = lire32(riff, pos + 4);
        const qint64 debut = pos + 8;
        const qint64 disponible = std::min(longueur, fin - debut);
        if (id == "fmt " && !formatLu && disponible >= 16) {
            codage = lire16(riff, debut);
            pcm.canaux = lire16(riff, debut + 2);
            pcm.frequence = static_cast<int>(lire32(riff, debut + 4));
            pcm.bits = lire16(riff, debut + 14);
            formatLu = true;
        } else if (id == "data" && !donneesLues) {
            pcm.echantillons = riff.mid(debut, disponible);
            donneesLues = true;
        }
        // Chunks are padded to an even length.
        pos = debut + longueur + (longueur & 1);
    }
    if (!formatLu || !donneesLues || codage != 1)
        return std::nullopt;
    if (pcm.bits != 8 && pcm.bits != 16)
        return std::nullopt;
    if (pcm.canaux < 1 || pcm.canaux > 2 || pcm.frequence < 1000 || pcm.frequence > 192000)
        return std::nullopt;
    const int bloc = pcm.canaux * pcm.bits / 8;
    pcm.echantillons.truncate(pcm.echantillons.size() - pcm.echantillons.size() % bloc);
    if (pcm.echantillons.isEmpty())
        return std::nullopt;
    return pcm;
}
