// Fuzzer of the call read on the running game's socket: any bytes, read whole and as they trickle in.
#include "app/appel.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray recu(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const LectureAppel lecture = lireAppel(recu);
    // The front only for the call itself; waiting only on its beginning, so nobody holds the line.
    if ((lecture == LectureAppel::PremierPlan) != recu.startsWith(APPEL_PREMIER_PLAN))
        std::abort();
    if (lecture == LectureAppel::Incomplete &&
        (recu.size() >= APPEL_PREMIER_PLAN.size() || !APPEL_PREMIER_PLAN.startsWith(recu)))
        std::abort();
    // Read as it arrives, byte by byte: once decided, more bytes change nothing.
    LectureAppel avant = LectureAppel::Incomplete;
    for (qsizetype n = 0; n <= recu.size(); ++n) {
        const LectureAppel maintenant = lireAppel(recu.first(n));
        if (avant != LectureAppel::Incomplete && maintenant != avant)
            std::abort();
        avant = maintenant;
    }
    return 0;
}
