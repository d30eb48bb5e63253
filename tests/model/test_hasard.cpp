// The random generator: its draws for fixed seeds and its seeding from the clock.
#include "model/hasard.h"

#include <gtest/gtest.h>

namespace {
class HorlogeFixe : public Horloge {
public:
    quint32 lecture = 0;
    quint32 heureDuJourMs() override { return lecture; }
};
} // namespace

TEST(Hasard, TiragesPourGrainesFixes) {
    HorlogeFixe h;
    Hasard hasard(h);
    hasard.graine(0);
    // state 1, then 134775814, then ...: the draw is the high half of state * n.
    EXPECT_EQ(hasard.tirage(13), 0u);
    EXPECT_EQ(hasard.etat(), 1u);
    EXPECT_EQ(hasard.tirage(13), static_cast<quint32>((134775814ull * 13) >> 32));
    EXPECT_EQ(hasard.etat(), 134775814u);

    hasard.graine(0xFFFFFFFFu);
    // The product wraps modulo 2^32.
    const quint32 attendu = static_cast<quint32>((0xFFFFFFFFull * 134775813ull + 1ull) & 0xFFFFFFFFull);
    const quint32 tire = hasard.tirage(1000);
    EXPECT_EQ(hasard.etat(), attendu);
    EXPECT_EQ(tire, static_cast<quint32>((static_cast<quint64>(attendu) * 1000) >> 32));
    EXPECT_LT(tire, 1000u);

    hasard.graine(43200000);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(hasard.tirage(1), 0u);
}

TEST(Hasard, MemeLectureMemesTirages) {
    HorlogeFixe h;
    Hasard hasard(h);
    h.lecture = 45296789; // 12:34:56.789
    hasard.Randomize();
    EXPECT_EQ(hasard.etat(), 45296789u);
    const quint32 a = hasard.tirage(13), b = hasard.tirage(13);
    hasard.Randomize();
    EXPECT_EQ(hasard.tirage(13), a);
    EXPECT_EQ(hasard.tirage(13), b);
}

TEST(Hasard, ToutesLesValeursSortent) {
    HorlogeFixe h;
    Hasard hasard(h);
    hasard.graine(12345);
    int vus[13] = {};
    for (int i = 0; i < 13000; ++i)
        ++vus[hasard.tirage(13)];
    for (int v : vus)
        EXPECT_GT(v, 800);
}
