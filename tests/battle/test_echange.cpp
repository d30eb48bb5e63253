// The exchange of fire in virtual time: each beat, its clip and its words, the end, the idle chatter.
#include "battle/echange.h"

#include "app/timer.h"
#include "narrator/narrateur.h"
#include "support/faux.h"
#include "support/flotte.h"
#include "support/temps_virtuel.h"

#include <gtest/gtest.h>

namespace {
struct FausseVue : VueBataille {
    void repeindreJoueur() override { ++joueur; }
    void repeindreAdverse() override { ++adverse; }
    void activerAdverse(bool a) override { actif = a; }
    void cibleEnnemie(int c, int r) override { cible = {c, r}; }
    int joueur = 0;
    int adverse = 0;
    bool actif = false;
    Case cible;
};

// A battle engaged on fakes; clips are recorded by name.
class UnEchange : public ::testing::Test {
protected:
    void SetUp() override {
        partie.Initialise();
        poserNavire(partie.plan_adverse, QStringLiteral("CHALOUPEH"), 2, 5, 5);
        poserNavire(partie.plan_adverse, QStringLiteral("FREGATEV"), 4, 1, 1);
        poserNavire(partie.plan_joueur, QStringLiteral("CHALOUPEH"), 2, 5, 5);
        partie.copierPlans();
        ASSERT_TRUE(narrateur.InstalPeedy({}));
        echange.engager();
    }
    const QString& dit() { return compagnon.paroles.last(); }
    QStringList clips() {
        QStringList noms;
        for (const QByteArray& c : sons.clips)
            noms << QString::fromUtf8(c);
        return noms;
    }

    TempsVirtuel temps;
    Hasard hasard{temps};
    FauxCompagnon compagnon;
    FauxDialogues dialogues;
    FauxSons sons;
    Narrateur narrateur{compagnon, dialogues, sons};
    FausseVue vue;
    Partie partie;
    Echange echange{partie, hasard, temps, narrateur, sons, [](const QString& n) { return n.toUtf8(); }, vue};
};
} // namespace

TEST_F(UnEchange, DuFeuALaRepliqueEtRetour) {
    EXPECT_TRUE(vue.actif);
    echange.viser(5, 5);
    EXPECT_EQ(dit(), QStringLiteral("Secteur : E.5.  Espace pour tirer."));
    EXPECT_EQ(partie.viseur.colonne, 5);
    echange.touche(true, 5, 5);
    // At once: "FEU!", the clip, the enemy sea closed; the mark is not shown yet.
    EXPECT_EQ(dit(), QStringLiteral("FEU!"));
    EXPECT_EQ(clips(), QStringList{QStringLiteral("WaveBut")});
    EXPECT_FALSE(vue.actif);
    EXPECT_EQ(echange.phase(), Phase::Echange);
    const int repeints = vue.adverse;
    temps.avancer(3999);
    EXPECT_EQ(dit(), QStringLiteral("FEU!"));
    EXPECT_EQ(vue.adverse, repeints);
    temps.avancer(1);
    EXPECT_EQ(vue.adverse, repeints + 1);
    EXPECT_TRUE(MemoBut().contains(dit()));
    // The reply 6 s later, its clip at the shot, its report 3.5 or 5 s after.
    temps.avancer(5999);
    EXPECT_EQ(partie.nb_tirs_adverse, 0);
    temps.avancer(1);
    EXPECT_EQ(dit(), QStringLiteral("Feu ennemi!"));
    EXPECT_EQ(partie.nb_tirs_adverse, 1);
    ASSERT_EQ(sons.clips.size(), 2);
    const bool rate = clips().last() == QStringLiteral("WaveERate");
    EXPECT_EQ(partie.tirs_adverse(vue.cible.colonne, vue.cible.ligne),
              rate ? QStringLiteral("MANQUE") : QStringLiteral("TOUCHE"));
    temps.avancer(rate ? 3499 : 4999);
    EXPECT_FALSE(vue.actif);
    EXPECT_EQ(vue.joueur, 0);
    temps.avancer(1);
    EXPECT_EQ(vue.joueur, 1);
    EXPECT_TRUE(dit().startsWith(rate ? QStringLiteral("Impact en ") : QStringLiteral("Touché en ")));
    EXPECT_TRUE(vue.actif);
    EXPECT_EQ(echange.phase(), Phase::TourDuJoueur);

    // A marked cell: the reminder, nothing else.
    const qsizetype n = sons.clips.size();
    echange.touche(true, 5, 5);
    EXPECT_EQ(dit(), QStringLiteral("Secteur : E.5.  Déjà visé, coup au but."));
    EXPECT_EQ(sons.clips.size(), n);
    EXPECT_TRUE(vue.actif);
    // A sinking is commented after 6 s.
    echange.feu(6, 5);
    EXPECT_EQ(clips().last(), QStringLiteral("WaveCoule"));
    temps.avancer(5999);
    EXPECT_EQ(dit(), QStringLiteral("FEU!"));
    temps.avancer(1);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("CHALOUPE adverse hors de combat. ")));
}

TEST_F(UnEchange, LaVictoireSonneA12sEtParleA16s) {
    partie.mer_adverse.vider();
    poserNavire(partie.mer_adverse, QStringLiteral("CHALOUPEH"), 2, 5, 5);
    partie.plan_adverse = partie.mer_adverse;
    echange.feu(5, 5);
    temps.avancer(4000 + 6000 + 5000); // a full exchange
    echange.feu(6, 5);
    EXPECT_EQ(echange.phase(), Phase::FinDePartie);
    temps.avancer(6000);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("CHALOUPE adverse hors de combat. ")));
    const QString avant = clips().last();
    temps.avancer(5999);
    EXPECT_EQ(clips().last(), avant);
    temps.avancer(1);
    EXPECT_EQ(clips().last(), QStringLiteral("WaveVictoire"));
    temps.avancer(3999);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("CHALOUPE")));
    temps.avancer(1);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("Ils n'ont plus un seul navire")));
    // The enemy never fires again, the enemy sea stays closed.
    temps.avancer(60000);
    EXPECT_EQ(partie.nb_tirs_adverse, 1);
    EXPECT_FALSE(vue.actif);
}

TEST_F(UnEchange, LaDefaiteSonneA11sEtParleA15s) {
    // Every cell of ours but one already fired at, and that one holds our last ship's last cell.
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            partie.tirs_adverse(c, r) =
                partie.mer_joueur(c, r).isEmpty() ? QStringLiteral("MANQUE") : QStringLiteral("TOUCHE");
    partie.tirs_adverse(6, 5).clear();
    echange.feu(12, 12);
    temps.avancer(4000 + 6000);
    EXPECT_EQ(dit(), QStringLiteral("Feu ennemi!"));
    EXPECT_EQ(clips().last(), QStringLiteral("WaveECoule"));
    EXPECT_TRUE(partie.victoire_adverse);
    EXPECT_TRUE(partie.flotte_detruite); // the enemy fleet is drawn at once
    EXPECT_GE(vue.adverse, 1);
    temps.avancer(5000);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("Touché en F.5. CHALOUPE  hors de combat. ")));
    temps.avancer(5999);
    EXPECT_EQ(clips().last(), QStringLiteral("WaveECoule"));
    temps.avancer(1);
    EXPECT_EQ(clips().last(), QStringLiteral("WaveDefaite"));
    temps.avancer(4000);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("C'est la fin, moussaillon")));
    EXPECT_FALSE(vue.actif);
    EXPECT_EQ(echange.phase(), Phase::FinDePartie);
}

TEST_F(UnEchange, PlacerEnPleinEchangeFaitTaireToutLeCombat) {
    for (const qint64 instant : {100, 4500, 10200}) { // during TimerTir, TimerReplique, TimerEnnemi
        echange.placer();
        partie.copierPlans();
        echange.engager();
        echange.feu(1, 1);
        temps.avancer(instant);
        const qsizetype dits = compagnon.paroles.size();
        const qsizetype joues = sons.clips.size();
        echange.placer();
        temps.avancer(30000);
        EXPECT_EQ(compagnon.paroles.size(), dits) << instant;
        EXPECT_EQ(sons.clips.size(), joues) << instant;
        EXPECT_FALSE(vue.actif);
        EXPECT_EQ(partie.nb_tirs_adverse, 0);
        EXPECT_EQ(echange.phase(), Phase::Placement);
    }
    // Nor a pending end.
    partie.victoire_joueur = true;
    echange.TimerTirTimer();
    temps.avancer(7000);
    echange.placer();
    temps.avancer(10000);
    EXPECT_FALSE(dit().contains(QStringLiteral("Control \"N\"")));
}

TEST_F(UnEchange, LesAdieuxFontTaireEchangeEtBavardage) {
    echange.feu(1, 1);
    echange.adieux();
    const qsizetype dits = compagnon.paroles.size();
    temps.avancer(600000);
    EXPECT_EQ(compagnon.paroles.size(), dits);
    echange.engager();
    echange.feu(2, 2);
    echange.viser(3, 3);
    EXPECT_EQ(compagnon.paroles.size(), dits);
    EXPECT_EQ(echange.phase(), Phase::Adieux);
}

TEST_F(UnEchange, LeBavardageA40sPuisDe3A6Minutes) {
    echange.TimerPaix->relancer();
    temps.avancer(39999);
    const qsizetype dits = compagnon.paroles.size();
    temps.avancer(1);
    ASSERT_EQ(compagnon.paroles.size(), dits + 1);
    EXPECT_TRUE(MemoPaix().contains(dit()));
    const int suivant = echange.TimerPaix->interval();
    EXPECT_GE(suivant, 180000);
    EXPECT_LT(suivant, 360000);
    // Aiming restarts it, with the drawn interval.
    temps.avancer(100000);
    echange.viser(2, 2);
    temps.avancer(suivant - 1);
    EXPECT_EQ(dit(), QStringLiteral("Secteur : B.2.  Espace pour tirer."));
    temps.avancer(1);
    EXPECT_TRUE(MemoPaix().contains(dit()));
}
