// The parrot's idle moves on virtual time: when each starts, how its frames fall, when he dozes off.
#include "narrator/repos_perroquet.h"

#include <gtest/gtest.h>

namespace {

Animation mouvement(const char* nom, QList<std::pair<int, double>> images) {
    Animation a;
    a.nom = QLatin1String(nom);
    a.repos = true;
    for (const auto& [duree, aile] : images)
        a.images.append({duree, Pose{{{QStringLiteral("aile"), aile}}, {}}});
    return a;
}
// A flutter, and a look that holds its last 300 ms still.
const Animation BATTRE = mouvement("Battre", {{90, 10}, {90, 0}});
const Animation TENIR = mouvement("Tenir", {{200, 10}, {200, 0}, {300, 0}});

struct Evenement {
    int t;
    QByteArray quoi; // the move that starts, "fin" when it ends, "dort" when no wake-up is left
    bool operator==(const Evenement&) const = default;
};

} // namespace

TEST(ReposPerroquet, LesMouvementsAlternentPuisIlSAssoupit) {
    ReposPerroquet repos(80);
    repos.setMouvements({&BATTRE, &TENIR});
    Pose pose;
    QList<Evenement> vus;
    int t = 0, reveils = 0;
    QList<int> derniersPas; // from the last frame of each move to its end
    // The parrot's clock wakes him only when the scheduler says something will show.
    for (int d = repos.prochainReveil(pose); d != ReposPerroquet::JAMAIS; d = repos.prochainReveil(pose)) {
        const bool avant = repos.enCours() != nullptr;
        t += d;
        ++reveils;
        repos.avancer(d, pose);
        if (!avant && repos.enCours())
            vus.append({t, repos.enCours()->nom.toLatin1()});
        else if (avant && !repos.enCours())
            vus.append({t, "fin"}), derniersPas.append(d);
    }
    vus.append({t, "dort"});
    // The frames fall on the clock's 80 ms from each start, so a move ends on the first one past its length.
    const QList<Evenement> attendus = {
        {2600, "Battre"},  {2840, "fin"},  {6940, "Tenir"},  {7660, "fin"},
        {10960, "Battre"}, {11200, "fin"}, {16400, "Tenir"}, {17120, "fin"},
        {19720, "Battre"}, {19960, "fin"}, {22160, "dort"},
    };
    EXPECT_EQ(vus, attendus);
    // Two frames and the end for each flutter; four and the end for each look, whose frame at 240 ms
    // would show the same wing as at 160 ms and whose still pose needs none.
    EXPECT_EQ(reveils, 11 + 3 * 2 + 2 * 4);
    EXPECT_EQ(derniersPas, (QList<int>{80, 320, 80, 320, 80}));
    EXPECT_EQ(pose.valeur(QStringLiteral("aile")), 0);
}

TEST(ReposPerroquet, UneDemandeAcheveLeMouvementEtReveille) {
    ReposPerroquet repos(80);
    repos.setMouvements({&TENIR});
    Pose pose;
    repos.avancer(2600, pose); // the look starts
    repos.avancer(80, pose);
    ASSERT_TRUE(repos.enCours());
    EXPECT_NE(pose.valeur(QStringLiteral("aile")), 0);
    repos.interrompre(pose);
    EXPECT_FALSE(repos.enCours());
    EXPECT_EQ(pose.valeur(QStringLiteral("aile")), 0);
    EXPECT_EQ(repos.prochainReveil(pose), 4100); // the next wait, counted afresh
}
