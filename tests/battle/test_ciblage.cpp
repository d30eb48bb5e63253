// The computer's targeting: the search, the probes around a first hit, the walk, the attempt limit.
#include "battle/ciblage.h"

#include "support/temps_virtuel.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A clock that gives the readings a test lines up, then moves on by one ms per read.
class HorlogeReglee : public Horloge {
public:
    std::vector<quint32> prevues;
    quint32 ensuite = 50000000;
    quint32 heureDuJourMs() override {
        if (prevues.empty())
            return ensuite++;
        const quint32 lu = prevues.front();
        prevues.erase(prevues.begin());
        return lu;
    }
};

// The first reading whose draws give what a test needs.
quint32 lectureOu(const std::function<bool(Hasard&)>& voulu) {
    HorlogeReglee h;
    Hasard hasard(h);
    for (quint32 ms = 1000;; ++ms) {
        hasard.graine(ms);
        if (voulu(hasard))
            return ms;
    }
}

quint32 lectureTirant(int colonne, int ligne) {
    return lectureOu([=](Hasard& h) {
        const int c = static_cast<int>(h.tirage(13));
        return c == colonne && static_cast<int>(h.tirage(13)) == ligne;
    });
}

enum Direction { HAUT, DROITE, BAS, GAUCHE };
quint32 lectureSonde(Direction d) {
    return lectureOu([=](Hasard& h) {
        const quint32 a = h.tirage(2);
        return a * 2 + h.tirage(2) == static_cast<quint32>(d);
    });
}

void poser(Grille& mer, const QString& nom, int longueur, int c, int r) {
    const bool h = nom.endsWith(QLatin1Char('H'));
    for (int i = 0; i < longueur; ++i)
        mer(h ? c + i : c, h ? r : r + i) = i == 0 ? nom : racine(nom);
}

struct Bataille {
    Partie partie;
    HorlogeReglee horloge;
    Hasard hasard{horloge};

    // One turn whose clock first reads the given readings; returns the shot's target.
    Case tour(std::vector<quint32> lectures = {}, int tentatives = 1) {
        horloge.prevues = std::move(lectures);
        const TirEnnemi tir = choisirEtTirer(partie, hasard);
        EXPECT_EQ(tir.tentatives, tentatives);
        return tir.cible;
    }
    const QString& marque(Case c) { return partie.tirs_adverse(c.colonne, c.ligne); }
};

const QString TOUCHE = QStringLiteral("TOUCHE");
const QString MANQUE = QStringLiteral("MANQUE");

} // namespace

TEST(Ciblage, ExemplesDeLaFregateEtDeLaGalere) {
    {
        Bataille b;
        poser(b.partie.mer_joueur, QStringLiteral("FREGATEH"), 4, 5, 6);
        EXPECT_EQ(b.tour({lectureTirant(6, 6)}), (Case{6, 6}));
        EXPECT_TRUE(b.partie.coup_ia.poursuite);
        EXPECT_EQ(b.tour({lectureSonde(DROITE)}), (Case{7, 6}));
        EXPECT_EQ(b.partie.coup_ia.sens, QStringLiteral("H"));
        for (Case attendue : {Case{8, 6}, Case{9, 6}, Case{5, 6}})
            EXPECT_EQ(b.tour(), attendue);
        EXPECT_EQ(b.marque({9, 6}), MANQUE);
        EXPECT_TRUE(b.partie.VerifieCoule(b.partie.mer_joueur, b.partie.tirs_adverse, QString()));
    }
    Bataille b;
    poser(b.partie.mer_joueur, QStringLiteral("GALEREV"), 3, 8, 2);
    poser(b.partie.mer_joueur, QStringLiteral("CHALOUPEV"), 2, 9, 3);
    b.tour({lectureTirant(8, 3)});
    EXPECT_EQ(b.tour({lectureSonde(DROITE)}), (Case{9, 3}));
    EXPECT_EQ(b.partie.coup_ia.sens, QStringLiteral("H"));
    for (Case attendue : {Case{10, 3}, Case{7, 3}, Case{8, 4}, Case{8, 5}, Case{8, 2}})
        EXPECT_EQ(b.tour(), attendue);
    EXPECT_EQ(b.partie.coup_ia.sens, QStringLiteral("V"));
    ASSERT_TRUE(b.partie.VerifieCoule(b.partie.mer_joueur, b.partie.tirs_adverse, QString()));
    EXPECT_TRUE(b.partie.infopartie.startsWith(QStringLiteral("GALERE")));

    // The sinking wipes the memory: the hit longboat is forgotten and the next turn searches.
    oublierPoursuite(b.partie.coup_ia);
    const t_coup_ia& m = b.partie.coup_ia;
    EXPECT_EQ(m.colonne_origine + m.ligne_origine + m.colonne_cible + m.ligne_cible, 0);
    EXPECT_FALSE(m.poursuite || m.suite || m.retour || m.essai_droite || m.essai_haut || m.essai_bas ||
                 m.essai_gauche);
    EXPECT_TRUE(m.sens.isEmpty());
    EXPECT_EQ(m.ecart, 1);
    EXPECT_EQ(b.tour({lectureTirant(1, 12)}), (Case{1, 12}));
}

TEST(Ciblage, LaRechercheTireUneFoisParTourSurUneCaseNeuve) {
    Bataille b;
    poser(b.partie.mer_joueur, QStringLiteral("BRICKH"), 3, 2, 2);
    // A column of 0 is drawn again; a marked cell drawn within one ms is drawn again and again.
    const quint32 zero = lectureOu([](Hasard& h) { return h.tirage(13) == 0; });
    EXPECT_EQ(b.tour({zero, lectureTirant(4, 4)}, 2), (Case{4, 4}));
    const quint32 quatre = lectureTirant(4, 4);
    EXPECT_EQ(b.tour({quatre, quatre, quatre, lectureTirant(2, 2)}, 4), (Case{2, 2}));

    // Whole games on many seas: one new mark a turn, always on the board, until the sea is full.
    for (quint32 debut : {0u, 3600000u, 45296789u}) {
        Partie partie;
        TempsVirtuel temps(debut);
        Hasard hasard(temps);
        for (int i = 0; i < 30; ++i)
            partie.mer_joueur(static_cast<int>(i * 7 % 12 + 1), static_cast<int>(i * 5 % 11 + 1)) =
                QStringLiteral("BRICK");
        for (int tour = 0; tour < TAILLE_MER * TAILLE_MER; ++tour) {
            const Grille avant = partie.tirs_adverse;
            const Case c = choisirEtTirer(partie, hasard).cible;
            ASSERT_TRUE(c.colonne >= 1 && c.colonne <= 12 && c.ligne >= 1 && c.ligne <= 12);
            ASSERT_TRUE(avant(c.colonne, c.ligne).isEmpty());
            Grille attendu = avant;
            attendu(c.colonne, c.ligne) = partie.mer_joueur(c.colonne, c.ligne).isEmpty() ? MANQUE : TOUCHE;
            ASSERT_EQ(partie.tirs_adverse, attendu);
        }
        // A sea fired at everywhere: nothing to fire at, and the turn does not hang.
        EXPECT_EQ(choisirEtTirer(partie, hasard).tentatives, 0);
    }
}

TEST(Ciblage, LesSondesAutourDeLOrigine) {
    Bataille b;
    b.partie.mer_joueur(1, 1) = QStringLiteral("BRICKV");
    b.partie.mer_joueur(1, 3) = QStringLiteral("BRICK");
    b.tour({lectureTirant(1, 1)});
    // Up and left fall off the board from a corner: discarded, the turn draws again.
    const t_coup_ia& m = b.partie.coup_ia;
    EXPECT_EQ(b.tour({lectureSonde(HAUT), lectureSonde(GAUCHE), lectureSonde(HAUT), lectureSonde(BAS)}, 4),
              (Case{1, 2}));
    EXPECT_TRUE(m.essai_haut && m.essai_gauche && m.essai_bas && !m.essai_droite);
    EXPECT_EQ(m.ecart, 1);
    // The fourth direction: its probe still at distance 1, the next ones at distance 2.
    EXPECT_EQ(b.tour({lectureSonde(DROITE)}), (Case{2, 1}));
    EXPECT_EQ(m.ecart, 2);
    EXPECT_FALSE(m.essai_haut || m.essai_gauche || m.essai_bas || m.essai_droite);
    // A hit two cells away does not tell the ship's way: probing goes on around the same origin.
    EXPECT_EQ(b.tour({lectureSonde(BAS)}), (Case{1, 3}));
    EXPECT_EQ(b.marque({1, 3}), TOUCHE);
    EXPECT_TRUE(m.sens.isEmpty());
    EXPECT_EQ(m.colonne_origine + m.ligne_origine, 2);
}

TEST(Ciblage, LaMarcheLeLongDuNavire) {
    Bataille b;
    for (int c = 3; c <= 8; ++c)
        b.partie.mer_joueur(c, 6) = QStringLiteral("NAVIRE-AMIRAL");
    b.tour({lectureTirant(6, 6)});
    b.tour({lectureSonde(GAUCHE)});
    EXPECT_EQ(b.tour(), (Case{7, 6}));
    EXPECT_EQ(b.tour(), (Case{8, 6}));
    EXPECT_EQ(b.marque(b.tour()), MANQUE);
    // Turning back meets the hit next to the origin: passed over in the same turn.
    EXPECT_EQ(b.tour({}, 2), (Case{4, 6}));
    EXPECT_EQ(b.tour(), (Case{3, 6}));
    EXPECT_EQ(b.tour(), (Case{2, 6}));
    // Second miss: the other axis, first below the origin.
    EXPECT_EQ(b.tour(), (Case{6, 7}));
    EXPECT_EQ(b.partie.coup_ia.sens, QStringLiteral("V"));

    // Down a column: the edge, then a miss already marked, count as misses; then right of the origin.
    Bataille v;
    poser(v.partie.mer_joueur, QStringLiteral("CHALOUPEV"), 2, 3, 11);
    v.partie.tirs_adverse(3, 10) = MANQUE;
    v.tour({lectureTirant(3, 11)});
    EXPECT_EQ(v.tour({lectureSonde(BAS)}), (Case{3, 12}));
    EXPECT_EQ(v.tour({}, 3), (Case{4, 11}));
    EXPECT_EQ(v.partie.coup_ia.sens, QStringLiteral("H"));

    // Hits of earlier turns: one two cells from the origin ends the way like a miss, one next to it
    // is stepped over.
    Bataille t;
    t.partie.mer_joueur(6, 6) = t.partie.mer_joueur(7, 6) = t.partie.mer_joueur(6, 7) =
        QStringLiteral("BRICK");
    t.partie.tirs_adverse(8, 6) = t.partie.tirs_adverse(6, 8) = t.partie.tirs_adverse(6, 5) = TOUCHE;
    t.tour({lectureTirant(6, 6)});
    t.tour({lectureSonde(DROITE)});
    EXPECT_EQ(t.tour({}, 2), (Case{5, 6}));
    EXPECT_EQ(t.tour(), (Case{6, 7}));
    EXPECT_EQ(t.tour({}, 3), (Case{6, 4}));
}

TEST(Ciblage, LaLimiteDesTentativesNAbandonneQueLaPoursuite) {
    Bataille b;
    b.partie.tirs_adverse(6, 5) = MANQUE;
    t_coup_ia& m = b.partie.coup_ia;
    m.colonne_origine = m.ligne_origine = 6;
    m.poursuite = m.retour = m.suite = true;
    // One ms that probes upwards, onto the marked cell, and whose random draw is a fresh cell.
    Case auHasard;
    const quint32 figee = lectureOu([&](Hasard& h) {
        const quint32 graine = h.etat();
        if (h.tirage(2) + h.tirage(2) != 0)
            return false;
        h.graine(graine);
        auHasard.colonne = static_cast<int>(h.tirage(13));
        auHasard.ligne = static_cast<int>(h.tirage(13));
        return auHasard.colonne > 0 && auHasard.ligne > 0 && !(auHasard == Case{6, 5});
    });
    // The clock stands still: 999 attempts probe the same marked cell, the 1000th fires at random.
    EXPECT_EQ(b.tour(std::vector<quint32>(1000, figee), 1000), auHasard);
    EXPECT_FALSE(m.poursuite);
    EXPECT_FALSE(m.suite); // the random shot missed
    EXPECT_TRUE(m.retour && m.essai_haut && m.sens.isEmpty());
    EXPECT_EQ(m.ecart, 1);
    EXPECT_EQ(m.colonne_origine * 100 + m.ligne_origine, 606);
    EXPECT_EQ(m.colonne_cible * 100 + m.ligne_cible, 605);
}
