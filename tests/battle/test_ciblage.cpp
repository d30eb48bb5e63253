// The computer's targeting: the search, the probes around a first hit, the walk, the attempt limit.
#include "battle/ciblage.h"

#include "placement/port.h"
#include "support/ciblage_ancien.h"
#include "support/temps_virtuel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <random>
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
    // A column of 0, or a marked cell, is not drawn again and again until the clock moves on: the
    // next millisecond's draw is taken at once, and the clock is read once in the turn.
    auto tirageDe = [](quint32 ms) {
        HorlogeReglee h;
        Hasard hasard(h);
        hasard.graine(ms);
        const int c = static_cast<int>(hasard.tirage(13));
        return Case{c, static_cast<int>(hasard.tirage(13))};
    };
    auto fraiche = [&](Case c) { return c.colonne > 0 && c.ligne > 0 && b.marque(c).isEmpty(); };
    const quint32 loin = 60000000;
    for (quint32 refusee = 1000;; ++refusee) {
        const Case d = tirageDe(refusee);
        if (d.colonne == 0 && fraiche(tirageDe(refusee + 1))) {
            EXPECT_EQ(b.tour({refusee, loin, loin}, 2), tirageDe(refusee + 1));
            break;
        }
    }
    b.partie.tirs_adverse(4, 4) = MANQUE;
    for (quint32 refusee = 1000;; ++refusee) {
        if (tirageDe(refusee) == Case{4, 4} && fraiche(tirageDe(refusee + 1))) {
            EXPECT_EQ(b.tour({refusee, loin, loin}, 2), tirageDe(refusee + 1));
            break;
        }
    }
    EXPECT_EQ(b.horloge.prevues.size(), 2u);

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

namespace {

// A clock scripted turn by turn: it reads the given millisecond a number of times, then the next one as
// many times, and so on, as a machine reads its clock many times within one millisecond.
class HorlogeScriptee : public Horloge {
public:
    quint32 ms = 0;
    int lecturesParMs = 1;
    int lues = 0;
    quint32 heureDuJourMs() override {
        if (lues == lecturesParMs) {
            lues = 0;
            ms = msSuivante(ms);
        }
        ++lues;
        return ms;
    }
    void regler(quint32 lecture) {
        ms = lecture;
        lues = 0;
    }
};

// The enemy's shots at one seeded fleet until it is gone, each turn's clock starting from the same
// scripted reading whatever the level.
QList<Case> partieEnnemie(int graine, const std::function<TirEnnemi(Partie&, Hasard&)>& tirer) {
    Partie partie;
    {
        TempsVirtuel temps(static_cast<quint32>(graine) * 86399u % 86400000u);
        Hasard hasard(temps);
        Port port(partie, hasard);
        port.placerLaFlotte();
    }
    partie.Initialise();
    partie.copierPlans();
    HorlogeScriptee horloge;
    horloge.lecturesParMs = std::array{1, 40, 1000}[graine % 3]; // a slow machine to a fast one
    Hasard hasard(horloge);
    std::mt19937 gen(static_cast<unsigned>(graine));
    QList<Case> cibles;
    while (!partie.flotte_detruite && cibles.size() < TAILLE_MER * TAILLE_MER) {
        horloge.regler(std::uniform_int_distribution<quint32>(0, 86399999)(gen));
        cibles.append(tirer(partie, hasard).cible);
        if (partie.VerifieCoule(partie.mer_joueur, partie.tirs_adverse, QString()))
            oublierPoursuite(partie.coup_ia);
    }
    return partie.flotte_detruite ? cibles : QList<Case>{};
}

} // namespace

TEST(Ciblage, MilleParties_LeClassiqueTireCommeAvantEtLaVraisemblanceCouleAuMoinsUnQuartPlusVite) {
    constexpr int PARTIES = 1000;
    const struct {
        Niveau niveau;
        const char* nom;
    } niveaux[] = {{Niveau::Classique, "classique"},
                   {Niveau::Tenace, "tenace"},
                   {Niveau::Vraisemblance, "vraisemblance"}};
    std::vector<int> tirs[3];
    for (int graine = 1; graine <= PARTIES; ++graine) {
        const QList<Case> avant = partieEnnemie(graine, choisirEtTirerEnAttendant);
        for (int n = 0; n < 3; ++n) {
            const QList<Case> cibles = partieEnnemie(
                graine, [&](Partie& p, Hasard& h) { return choisirEtTirer(p, h, niveaux[n].niveau); });
            ASSERT_FALSE(cibles.isEmpty()) << niveaux[n].nom << ", graine " << graine;
            if (niveaux[n].niveau == Niveau::Classique) {
                ASSERT_EQ(cibles, avant) << "graine " << graine;
            }
            tirs[n].push_back(static_cast<int>(cibles.size()));
        }
    }
    int medianes[3];
    for (int n = 0; n < 3; ++n) {
        std::sort(tirs[n].begin(), tirs[n].end());
        medianes[n] = tirs[n][PARTIES / 2];
        std::printf("niveau %-14s tirs pour couler la flotte: médiane %d, de %d à %d\n", niveaux[n].nom,
                    medianes[n], tirs[n].front(), tirs[n].back());
    }
    EXPECT_LE(medianes[2] * 4, medianes[0] * 3);
    EXPECT_LE(medianes[1], medianes[0]);
}

TEST(Ciblage, LeTenaceNeLachePasLaPoursuiteQuandLHorlogeResteFigee) {
    // The probe upwards lands on a marked cell; the clock stands still for the whole turn.
    for (Niveau niveau : {Niveau::Classique, Niveau::Tenace}) {
        Bataille b;
        b.partie.mer_joueur(6, 6) = QStringLiteral("BRICKV");
        b.partie.tirs_adverse(6, 5) = MANQUE;
        b.partie.tirs_adverse(6, 6) = TOUCHE;
        t_coup_ia& m = b.partie.coup_ia;
        m.colonne_origine = m.ligne_origine = 6;
        m.poursuite = true;
        b.horloge.prevues = std::vector<quint32>(2000, lectureSonde(HAUT));
        const TirEnnemi tir = choisirEtTirer(b.partie, b.hasard, niveau);
        const int distance = std::abs(tir.cible.colonne - 6) + std::abs(tir.cible.ligne - 6);
        if (niveau == Niveau::Tenace) {
            EXPECT_EQ(distance, 1);
            EXPECT_LT(tir.tentatives, 1000);
        } else {
            EXPECT_EQ(tir.tentatives, 1000);
            EXPECT_FALSE(m.poursuite && distance == 1);
        }
    }
}
