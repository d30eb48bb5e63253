// The narrator's banter: the pools, the draw of one line from each, the idle interval.
#include "narrator/commentaires.h"

#include "support/temps_virtuel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace {

using Reserve = const QStringList& (*)();
const std::array<Reserve, 7> reserves = {MemoRate, MemoBut,    MemoCoule, MemoErate,
                                         MemoEbut, MemoEcoule, MemoPaix};

std::array<QString, 7> picks(const Commentaires& c) {
    return {c.com_rate, c.com_but, c.com_coule, c.com_erate, c.com_ebut, c.com_ecoule, c.com_paix};
}

} // namespace

TEST(Commentaires, ReservesEtBlancs) {
    const std::array<qsizetype, 7> tailles = {25, 25, 21, 25, 25, 20, 25};
    for (size_t i = 0; i < reserves.size(); ++i) {
        const QStringList& lignes = reserves[i]();
        EXPECT_EQ(lignes.size(), tailles[i]);
        EXPECT_EQ(QStringList(lignes).removeDuplicates(), 0) << i; // every line is its own remark
        // Only one line of all ends on a blank, and it keeps it.
        for (const QString& l : lignes)
            EXPECT_EQ(l.trimmed() != l, &l == &MemoErate().at(21)) << l.toStdString();
    }
}

TEST(Commentaires, ChaqueLigneSortAvecLaMemeChance) {
    TempsVirtuel temps(0);
    Hasard hasard(temps);
    Commentaires com;
    EXPECT_TRUE(com.com_paix.isEmpty());
    std::array<std::map<QString, int>, 7> vus;
    const int tirages = 20000;
    for (int n = 0; n < tirages; ++n) {
        RandomCom(hasard, com);
        const auto p = picks(com);
        for (size_t i = 0; i < p.size(); ++i)
            ++vus[i][p[i]];
    }
    for (size_t i = 0; i < reserves.size(); ++i) {
        const QStringList& lignes = reserves[i]();
        ASSERT_EQ(vus[i].size(), static_cast<size_t>(lignes.size())) << i;
        for (const QString& l : lignes)
            EXPECT_GT(vus[i][l], tirages / lignes.size() * 2 / 3) << l.toStdString();
    }
}

TEST(Commentaires, UnTirageParReserveDansLOrdreApresLaLectureDeLHorloge) {
    TempsVirtuel temps(45296789, 0); // the clock stands on one millisecond
    Hasard hasard(temps);
    Commentaires a, b;
    RandomCom(hasard, a);
    hasard.graine(7); // whatever came before, the next call reseeds from the clock
    RandomCom(hasard, b);
    EXPECT_EQ(picks(a), picks(b));
    hasard.graine(45296789);
    for (size_t i = 0; i < reserves.size(); ++i) {
        const QStringList& lignes = reserves[i]();
        EXPECT_EQ(picks(a)[i], lignes.at(hasard.tirage(static_cast<quint32>(lignes.size())))) << i;
    }
    temps.setPas(1);
    temps.heureDuJourMs();
    RandomCom(hasard, b);
    EXPECT_NE(picks(a), picks(b));
}

TEST(Commentaires, IntervalleDeTroisASixMinutes) {
    TempsVirtuel temps;
    Hasard hasard(temps);
    std::vector<int> v(2000);
    for (int& i : v)
        i = intervallePaix(hasard);
    const auto [bas, haut] = std::minmax_element(v.begin(), v.end());
    EXPECT_TRUE(*bas >= 180000 && *bas < 181000 && *haut < 360000 && *haut > 359000) << *bas << " " << *haut;
}
