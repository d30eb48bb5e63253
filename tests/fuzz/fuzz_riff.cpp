// Fuzzer of the clips' reader: any bytes, and what it accepts must be playable as it says.
#include "audio/riff.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray image(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const std::optional<ClipPcm> pcm = lireRiff(image);
    if (!pcm)
        return 0;
    const bool formatJouable = (pcm->bits == 8 || pcm->bits == 16) &&
                               (pcm->canaux == 1 || pcm->canaux == 2) && pcm->frequence >= 1000 &&
                               pcm->frequence <= 192000;
    const qsizetype bloc = pcm->canaux * pcm->bits / 8;
    // Whole frames only, never more than the image holds.
    if (!formatJouable || pcm->echantillons.isEmpty() || pcm->echantillons.size() % bloc != 0 ||
        pcm->echantillons.size() > image.size() || !image.contains(pcm->echantillons))
        std::abort();
    return 0;
}
