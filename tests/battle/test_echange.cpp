// The exchange of fire in virtual time: each beat, its clip and its words, the end, the idle chatter.
#include "battle/echange.h"

#include "base/timer.h"
#include "narrator/narrateur.h"
#include "support/faux.h"
#include "support/flotte.h"
#include "support/temps_virtuel.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
struct FausseVue : VueBataille {
    void repeindreJoueur() override { ++joueur; }
    void repeindreAdverse() override { ++adverse; }
    void activerAdverse(bool a) override { actif = a; }
    void cibleEnnemie(int, int) override {}
    int joueur = 0;
    int adverse = 0;
    bool actif = false;
};

// The exchange on fakes; clips are recorded by name. Its draws read the battle's clock unless given one
// of their own.
struct Banc {
    explicit Banc(Horloge* tirages = nullptr)
        : hasard(tirages ? *tirages : temps) {}
    TempsVirtuel temps;
    Hasard hasard;
    FauxCompagnon compagnon;
    FauxDialogues dialogues;
    FauxSons sons;
    Narrateur narrateur{compagnon, dialogues, sons};
    FausseVue vue;
    Partie partie;
    Echange echange{partie, hasard, temps, narrateur, sons, [](const QString& n) { return n.toUtf8(); }, vue};
};

// A battle engaged on the bench.
class UnEchange : public ::testing::Test, public Banc {
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
};
} // namespace

TEST_F(UnEchange, LaVictoireSonneA12sEtParleA16s) {
    partie.mer_adverse.vider();
    poserNavire(partie.mer_adverse, QStringLiteral("CHALOUPEH"), 2, 5, 5);
    partie.plan_adverse = partie.mer_adverse;
    echange.demander(Demande::tirer({5, 5}));
    // No reading of the seas tells the result before the parrot has: F9, the row, the hit ships, the aim.
    const auto lire = [&] {
        QStringList textes;
        echange.dernierEchange();
        textes << dit();
        echange.resumer(false, false, 5, 5);
        textes << dit();
        echange.blesses();
        textes << dit();
        echange.ouEstLeViseur({5, 5});
        textes << dit();
        return textes.join(u'|');
    };
    EXPECT_EQ(lire().toStdString(),
              "Pas encore de tir échangé, amiral.|Ligne 5 : tout est inexploré.|Aucun navire "
              "ennemi touché qui flotte encore, amiral.|Le viseur est en E.5, pas encore visé.");
    temps.avancer(4000 + 6000 + 5000); // a full exchange
    EXPECT_EQ(lire().count(QStringLiteral("E.5")), 4) << lire().toStdString();
    echange.dernierEchange();
    EXPECT_TRUE(dit().startsWith(QStringLiteral("Notre dernier tir, E.5 : touché. Réponse de l'ennemi, ")));
    echange.demander(Demande::tirer({6, 5}));
    EXPECT_EQ(echange.phase(), Phase::FinDePartie);
    EXPECT_EQ(partie.infopartie, FIN_DE_LA_PARTIE);
    const int repeints = vue.adverse;
    temps.avancer(5999);
    EXPECT_EQ(dit(), FEU); // a sinking is commented after 6 s
    temps.avancer(1);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("CHALOUPE adverse hors de combat. ")));
    EXPECT_EQ(vue.adverse, repeints + 1); // the enemy fleet drawn with the comment
    EXPECT_TRUE(partie.flotte_detruite);
    const QString avant = clips().last();
    temps.avancer(5999);
    EXPECT_EQ(clips().last(), avant);
    temps.avancer(1);
    EXPECT_EQ(clips().last(), QStringLiteral("WaveVictoire"));
    temps.avancer(3999);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("CHALOUPE")));
    temps.avancer(1);
    EXPECT_TRUE(dit().startsWith(QStringLiteral("Ils n'ont plus un seul navire")));
    EXPECT_TRUE(dit().endsWith(
        QStringLiteral("Control \"N\" pour replacer nos navires, control \"Q\" pour quitter. ")));
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
    echange.demander(Demande::tirer({12, 12}));
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

TEST_F(UnEchange, PlacerFaitTaireUneFinEnAttente) {
    partie.victoire_joueur = true;
    echange.TimerTirTimer();
    temps.avancer(7000); // the victory clip has sounded, the closing words are due
    echange.placer();
    temps.avancer(10000);
    EXPECT_FALSE(dit().contains(QStringLiteral("Control \"N\"")));
    EXPECT_EQ(echange.phase(), Phase::Placement);
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
    echange.demander(Demande::viser({2, 2}));
    temps.avancer(suivant - 1);
    EXPECT_EQ(dit(), QStringLiteral("Secteur : B.2.  Espace pour tirer."));
    temps.avancer(1);
    EXPECT_TRUE(MemoPaix().contains(dit()));
}

namespace {
// A clock for the draws alone, one ms further at each reading however the battle's time runs, so that both
// paces draw the same comments and the same enemy shots.
class HorlogeDesTirages : public Horloge {
public:
    quint32 ms = 43200000;
    quint32 heureDuJourMs() override { return ms++; }
};

struct PartieRythmee {
    QStringList paroles;
    QStringList clips;
    qint64 duree = 0; // ms of the battle's time from the first shot to the closing words
};

// A whole game at one pace: the player fires along the rows as soon as each turn comes back; in brief
// mode if asked, and with a pause of 10 s every pause ms of the exchange's own time if asked.
PartieRythmee jouerAuRythme(Allure allure, bool bref = false, int pause = 0) {
    HorlogeDesTirages horloge;
    Banc banc(&horloge);
    auto& [temps, hasard, compagnon, dialogues, sons, narrateur, vue, partie, echange] = banc;
    partie.Initialise();
    poserNavire(partie.plan_adverse, QStringLiteral("CHALOUPEH"), 2, 5, 3);
    poserNavire(partie.plan_adverse, QStringLiteral("FREGATEV"), 4, 1, 1);
    poserNavire(partie.plan_joueur, QStringLiteral("BRICKH"), 3, 5, 5);
    poserNavire(partie.plan_joueur, QStringLiteral("CHALOUPEV"), 2, 9, 8);
    partie.copierPlans();
    EXPECT_TRUE(narrateur.InstalPeedy({}));
    echange.setAllure(allure);
    echange.setBref(bref);
    echange.engager();
    const qsizetype avant = compagnon.paroles.size();
    int tir = 0, attente = 0;
    while (!compagnon.paroles.last().contains(QStringLiteral("Control \"N\"")) && temps.ecoule() < 3600000) {
        if (vue.actif) {
            echange.demander(
                Demande::taper(Qt::Key_Space, {tir % 12 + 1, tir / 12 + 1})); // Space, as the player fires
            ++tir;
        } else if (pause > 0 && ++attente % pause == 0) {
            echange.basculerPause();
            echange.demander(Demande::taper(Qt::Key_Space, {1, 1})); // nothing fires in the pause
            temps.avancer(10000);
            echange.basculerPause();
            temps.avancer(1);
        } else {
            temps.avancer(1);
        }
    }
    PartieRythmee p;
    p.paroles = compagnon.paroles.mid(avant);
    for (const QByteArray& c : sons.clips)
        p.clips << QString::fromUtf8(c);
    p.duree = temps.ecoule();
    return p;
}
} // namespace

TEST(Allure, LAllureViveDitLesMemesMotsEnMoinsDUnTiersDuTemps) {
    const PartieRythmee normale = jouerAuRythme(Allure::Normale);
    const PartieRythmee vive = jouerAuRythme(Allure::Vive);
    ASSERT_TRUE(normale.paroles.last().contains(QStringLiteral("Control \"N\"")));
    EXPECT_GT(normale.paroles.size(), 20);
    EXPECT_EQ(vive.paroles.join(QLatin1Char('\n')).toStdString(),
              normale.paroles.join(QLatin1Char('\n')).toStdString());
    EXPECT_EQ(vive.clips, normale.clips);
    // Every delay of the exchange and of the end is shortened alike: the whole game too.
    EXPECT_EQ(vive.duree * 10, normale.duree * 3);
    // Each delay: three tenths of the game's own.
    for (int ms : {3500, 4000, 5000, 6000})
        EXPECT_EQ(delaiSelonAllure(ms, Allure::Vive) * 10, ms * 3);
    EXPECT_EQ(delaiSelonAllure(3500, Allure::Normale), 3500);
}

// The brief mode: the same shots, "FEU!" followed at once by its result in plain words, the enemy's
// reports without banter. The pause: the same texts and clips, each beat later by the pauses alone.
TEST(Allure, LeModeBrefEtLaPause) {
    const PartieRythmee normale = jouerAuRythme(Allure::Normale);
    const PartieRythmee breve = jouerAuRythme(Allure::Normale, true);
    EXPECT_EQ(breve.clips, normale.clips);
    EXPECT_EQ(breve.paroles.count(FEU), normale.paroles.count(FEU));
    const QRegularExpression nous(
        QStringLiteral("^[A-L]\\d+ : (à l'eau|touché|coulé, la .+|coulé, le .+)\\.$"));
    const QRegularExpression eux(
        QStringLiteral("^(Impact en [A-L]\\d+\\.|Touché en [A-L]\\d+( : coulé, notre .+)?\\.)$"));
    for (qsizetype i = 0; i + 1 < breve.paroles.size(); ++i) {
        const QString& apres = breve.paroles[i + 1];
        if (breve.paroles[i] == FEU) {
            EXPECT_TRUE(nous.match(apres).hasMatch()) << apres.toStdString();
        } else if (breve.paroles[i] == FEU_ENNEMI) {
            EXPECT_TRUE(eux.match(apres).hasMatch()) << apres.toStdString();
        }
    }
    const PartieRythmee arretee = jouerAuRythme(Allure::Normale, false, 2777);
    QStringList sansPause = arretee.paroles;
    const qsizetype pauses = sansPause.removeAll(QStringLiteral("Pause."));
    EXPECT_EQ(
        sansPause.removeAll(QStringLiteral("Fin de la pause, amiral, le combat reprend où il en était.")),
        pauses);
    EXPECT_GT(pauses, 3);
    EXPECT_EQ(sansPause, normale.paroles);
    EXPECT_EQ(arretee.clips, normale.clips);
    EXPECT_EQ(arretee.duree, normale.duree + pauses * 10000);
}
