// The call read on the running game's socket.
#include "app/appel.h"

#include <algorithm>

LectureAppel lireAppel(const QByteArray& recu) {
    const qsizetype n = std::min(recu.size(), APPEL_PREMIER_PLAN.size());
    // A wrong byte is refused at once, so that nobody keeps the line busy with a call that cannot be.
    if (recu.first(n) != APPEL_PREMIER_PLAN.first(n))
        return LectureAppel::Refusee;
    return n == APPEL_PREMIER_PLAN.size() ? LectureAppel::PremierPlan : LectureAppel::Incomplete;
}
