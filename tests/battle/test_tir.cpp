// The shots of both sides as values: marks, sinkings, texts, clips, intervals, reports.
#include "battle/tir.h"

#include "support/flotte.h"
#include "support/temps_virtuel.h"

#include <gtest/gtest.h>

namespace {
const QString TOUCHE = QStringLiteral("TOUCHE");
const QString MANQUE = QStringLiteral("MANQUE");

// A battle under way: an enemy frigate H on C..F 4, a longboat V on J 9..10; ours mirror them.
struct Bataille {
    TempsVirtuel temps;
    Hasard hasard{temps};
    Commentaires com;
    Partie p;
    Bataille() {
        p.Initialise();
        poserNavire(p.plan_adverse, QStringLiteral("FREGATEH"), 4, 3, 4);
        poserNavire(p.plan_adverse, QStringLiteral("CHALOUPEV"), 2, 10, 9);
        poserNavire(p.plan_joueur, QStringLiteral("FREGATEH"), 4, 3, 4);
        poserNavire(p.plan_joueur, QStringLiteral("CHALOUPEV"), 2, 10, 9);
        p.copierPlans();
    }
    ResultatTir tir(int c, int r) { return feu(p, hasard, com, c, r); }
};
} // namespace

TEST(FeuDuJoueur, LesTroisResultats) {
    Bataille b;
    const ResultatTir rate = b.tir(1, 1);
    EXPECT_TRUE(rate.tire);
    EXPECT_EQ(rate.marque, MANQUE);
    EXPECT_EQ(rate.intervalle, 4000);
    EXPECT_EQ(rate.clip, QStringLiteral("WaveRate"));
    EXPECT_TRUE(MemoRate().contains(rate.message));
    EXPECT_EQ(b.p.message_courant, rate.message);
    EXPECT_TRUE(rate.ligne_rapport.isEmpty());

    const ResultatTir but = b.tir(10, 9);
    EXPECT_EQ(but.marque, TOUCHE);
    EXPECT_FALSE(but.coule);
    EXPECT_EQ(but.intervalle, 4000);
    EXPECT_EQ(but.clip, QStringLiteral("WaveBut"));
    EXPECT_TRUE(MemoBut().contains(but.message));

    // The frigate goes down with the player's 17th shot.
    for (int c = 3; c <= 5; ++c)
        b.tir(c, 4);
    b.p.nb_tirs_joueur = 16;
    const ResultatTir coule = b.tir(6, 4);
    EXPECT_TRUE(coule.coule);
    EXPECT_FALSE(coule.flotte_detruite);
    EXPECT_EQ(coule.intervalle, 6000);
    EXPECT_EQ(coule.clip, QStringLiteral("WaveCoule"));
    EXPECT_EQ(coule.ligne_rapport, QStringLiteral("Tir numéro 17: FREGATE adverse hors de combat. "));
    EXPECT_EQ(b.p.MemoEinfo.last(), coule.ligne_rapport);
    const QString naufrage = QStringLiteral("FREGATE adverse hors de combat. ");
    ASSERT_TRUE(coule.message.startsWith(naufrage));
    EXPECT_TRUE(MemoCoule().contains(coule.message.mid(naufrage.size() + 1)));
    EXPECT_EQ(b.p.nb_tirs_joueur, 17);
    // A sector already marked: the reminder, and nothing fired.
    const ResultatTir encore = b.tir(10, 9);
    EXPECT_FALSE(encore.tire);
    EXPECT_TRUE(encore.clip.isEmpty());
    EXPECT_EQ(encore.message, QStringLiteral("Secteur : J.9.  Déjà visé, coup au but."));
    EXPECT_EQ(b.p.nb_tirs_joueur, 17);
}

TEST(FeuEnnemi, UnCoupParTourEtSesMessages) {
    Bataille b;
    // Everything but the longboat's two cells already fired at: the turn can only land there.
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (!(c == 10 && (r == 9 || r == 10)))
                b.p.tirs_adverse(c, r) = b.p.mer_joueur(c, r).isEmpty() ? MANQUE : TOUCHE;
    b.p.VerifieCoule(b.p.mer_joueur, b.p.tirs_adverse, QString()); // the frigate is long gone
    b.p.nb_tirs_adverse = 40;

    const ResultatTir touche = feuennemi(b.p, b.hasard, b.com);
    EXPECT_EQ(b.p.nb_tirs_adverse, 41);
    EXPECT_EQ(touche.clip, QStringLiteral("WaveEBut"));
    EXPECT_TRUE(b.p.coup_ia.poursuite);

    const ResultatTir coule = feuennemi(b.p, b.hasard, b.com);
    EXPECT_TRUE(coule.coule);
    EXPECT_TRUE(coule.flotte_detruite);
    EXPECT_EQ(coule.clip, QStringLiteral("WaveECoule"));
    EXPECT_EQ(coule.intervalle, 5000);
    const QString debut = QStringLiteral("Touché en J.") + QString::number(coule.ligne) +
                          QStringLiteral(". CHALOUPE  hors de combat.  ");
    ASSERT_TRUE(coule.message.startsWith(debut));
    EXPECT_TRUE(MemoEcoule().contains(coule.message.mid(debut.size())));
    EXPECT_EQ(b.p.MemoInfo.last(), QStringLiteral("Tir numéro 42: CHALOUPE  hors de combat. "));
    // The sinking wiped the memory; the last ship ended the game.
    EXPECT_FALSE(b.p.coup_ia.poursuite);
    EXPECT_EQ(b.p.coup_ia.colonne_origine, 0);
    EXPECT_TRUE(b.p.victoire_adverse);
    EXPECT_EQ(b.p.infopartie, FIN_DE_LA_PARTIE);
}
