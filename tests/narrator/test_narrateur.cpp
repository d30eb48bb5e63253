// The narrator's set-up, speech and release, over a recording character service.
#include "narrator/narrateur.h"

#include "support/faux.h"

#include <gtest/gtest.h>

namespace {

const QString DEFAUT = QStringLiteral("0879a4e0-a92c-11d1-B17B-0020AFED142E");

struct Banc {
    FauxCompagnon compagnon;
    FauxDialogues dialogues;
    FauxSons sons;
    Narrateur narrateur{compagnon, dialogues, sons};

    bool installer(const QString& mode = DEFAUT) {
        return narrateur.InstalPeedy({QStringLiteral("MemoConfig"), mode, QStringLiteral("\\spd=156\\")});
    }
};

TEST(InstalPeedy, ConnecteChargeMontreSalueEtChauffeLaVoix) {
    Banc b;
    ASSERT_TRUE(b.installer());
    const QStringList attendu = {
        QStringLiteral("connecter"),
        QStringLiteral("charger: Peedy Peedy.acs"),
        QStringLiteral("montrer"),
        QStringLiteral("placer: 430 628"),
        QStringLiteral("jouer: Greet"),
        QStringLiteral("langue: 1036"),
        QStringLiteral("voix: {0879a4e0-a92c-11d1-B17B-0020AFED142E}"),
        QStringLiteral("parler:  "),
        QStringLiteral("parler:  "),
    };
    EXPECT_EQ(b.compagnon.journal, attendu);
    // the second warm-up blank is the speech that the next text stops
    EXPECT_EQ(b.narrateur.requete_parole(), b.compagnon.derniereRequete);
    EXPECT_EQ(b.sons.bips, 0);
    EXPECT_TRUE(b.dialogues.avertissements.isEmpty());
    EXPECT_TRUE(b.narrateur.pret());
}

TEST(InstalPeedy, SansPersonnageAvertitEtRenonce) {
    for (const bool present : {false, true}) {
        Banc b;
        b.compagnon.fichierPresent = present;
        b.compagnon.fichierLisible = false; // present but unreadable counts as missing
        EXPECT_FALSE(b.installer()) << present;
        EXPECT_EQ(b.dialogues.avertissements,
                  QStringList{QStringLiteral("Impossible de trouver le compagnon MSagent.")});
        EXPECT_TRUE(b.compagnon.paroles.isEmpty());
        EXPECT_FALSE(b.compagnon.journal.contains(QStringLiteral("montrer")));
        EXPECT_FALSE(b.narrateur.pret());
        // nothing is said afterwards, but the text is still remembered
        b.narrateur.Parle(QStringLiteral("Feu!"));
        EXPECT_TRUE(b.compagnon.paroles.isEmpty());
        EXPECT_EQ(b.narrateur.dernier_message(), QStringLiteral("Feu!"));
    }
}

TEST(InstalPeedy, LAvisDitCeQuiManqueEtOuDansLaBoiteEtSurLaSortieDErreur) {
    Banc b;
    b.compagnon.fichierPresent = false;
    b.compagnon.raison = QStringLiteral("Fichier du personnage « perroquet.json » introuvable.\n/a\n/b");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(b.installer());
    const QString terminal = QString::fromStdString(testing::internal::GetCapturedStderr());
    ASSERT_EQ(b.dialogues.avertissements.size(), 1);
    const QString avis = b.dialogues.avertissements.first();
    EXPECT_EQ(avis.section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("Impossible de trouver le compagnon MSagent."));
    EXPECT_TRUE(avis.endsWith(b.compagnon.raison));
    EXPECT_EQ(terminal, avis + QLatin1Char('\n'));
}

TEST(InstalPeedy, VoixRefuseeUnSeulBipEtLaSuite) {
    for (const QString& mode : {QString(), QStringLiteral("pas-une-voix"), QStringLiteral("{}")}) {
        Banc b;
        ASSERT_TRUE(b.installer(mode));
        EXPECT_EQ(b.sons.bips, 1) << qPrintable(mode);
        EXPECT_EQ(b.compagnon.paroles, (QStringList{QStringLiteral(" "), QStringLiteral(" ")}));
        EXPECT_EQ(b.narrateur.requete_parole(), b.compagnon.derniereRequete);
    }
    // an empty line 1 is handed over as "{}"
    Banc b;
    b.installer(QString());
    EXPECT_TRUE(b.compagnon.journal.contains(QStringLiteral("voix: {}")));
    // a settings list without line 1 is the same as an empty line
    Banc court;
    ASSERT_TRUE(court.narrateur.InstalPeedy({QStringLiteral("MemoConfig")}));
    EXPECT_TRUE(court.compagnon.journal.contains(QStringLiteral("voix: {}")));
    EXPECT_EQ(court.sons.bips, 1);
}

TEST(Parle, ArreteLaParolePrecedentePuisParle) {
    Banc b;
    b.installer();
    const int chauffe = b.narrateur.requete_parole();
    b.narrateur.Parle(QStringLiteral("A vous, amiral."));
    const int premiere = b.narrateur.requete_parole();
    b.narrateur.Parle(QStringLiteral("Touché, fiston! Ça chauffe à bâbord."));
    EXPECT_EQ(b.compagnon.arretees, (QList<int>{chauffe, premiere}));
    EXPECT_EQ(b.compagnon.paroles.last(), QStringLiteral("Touché, fiston! Ça chauffe à bâbord."));
    EXPECT_EQ(b.narrateur.dernier_message(), QStringLiteral("Touché, fiston! Ça chauffe à bâbord."));
    EXPECT_EQ(b.narrateur.requete_parole(), b.compagnon.derniereRequete);
}

TEST(Parle, TexteVideIgnore) {
    Banc b;
    b.installer();
    b.narrateur.Parle(QStringLiteral("Coulé!"));
    const QStringList journal = b.compagnon.journal;
    b.narrateur.Parle(QString());
    EXPECT_EQ(b.compagnon.journal, journal);
    EXPECT_EQ(b.narrateur.dernier_message(), QStringLiteral("Coulé!"));
}

TEST(Parle, RepeterRedonneLeDernierTexte) {
    Banc b;
    b.installer();
    // before anything was said, repeating does nothing
    b.narrateur.Parle(b.narrateur.dernier_message());
    EXPECT_EQ(b.compagnon.paroles.size(), 2);
    b.narrateur.Parle(QStringLiteral("Dans l'eau!"));
    b.narrateur.Parle(b.narrateur.dernier_message());
    EXPECT_EQ(b.compagnon.paroles.mid(2),
              (QStringList{QStringLiteral("Dans l'eau!"), QStringLiteral("Dans l'eau!")}));
}

TEST(Liberer, DechargeDeconnecteEtSeTaitPuisRevient) {
    Banc b;
    b.installer();
    b.narrateur.liberer();
    EXPECT_FALSE(b.compagnon.connecte());
    EXPECT_FALSE(b.compagnon.personnage(PERSONNAGE));
    const qsizetype dits = b.compagnon.paroles.size();
    // a battle timer speaking while the voice screen is open: remembered, not said
    b.narrateur.Parle(QStringLiteral("Tir ennemi en B 5."));
    EXPECT_EQ(b.compagnon.paroles.size(), dits);
    EXPECT_EQ(b.narrateur.jouer(QStringLiteral("Wave")), 0);
    // set up again: the greeting comes back and Ctrl+R says the remembered text
    ASSERT_TRUE(b.installer());
    EXPECT_EQ(b.compagnon.journal.count(QStringLiteral("jouer: Greet")), 2);
    b.narrateur.Parle(b.narrateur.dernier_message());
    EXPECT_EQ(b.compagnon.paroles.last(), QStringLiteral("Tir ennemi en B 5."));
}

// The voice screen's way out and back, as the character file is when it opens and when it closes.
TEST(SeRetirer, UnFichierQuiNeSeRelitPlusNeFaitPasPerdreLePerroquet) {
    struct Cas {
        const char* nom;
        bool lisibleAuDepart, lisibleAuRetour;
        bool parti, revenu;
        const char* terminal; // the start of what the player's terminal reads, empty for nothing
    };
    const QList<Cas> cas = {
        {"sain", true, true, true, true, ""},
        {"abîmé avant", false, false, false, true, "Corsabord : le fichier du perroquet ne se relit plus"},
        {"abîmé pendant", true, false, true, false, "Corsabord : le perroquet ne peut pas revenir"},
    };
    for (const Cas& c : cas) {
        Banc b;
        b.compagnon.raison = QStringLiteral("Fichier du personnage illisible : /x/perroquet.json.");
        ASSERT_TRUE(b.installer());
        b.narrateur.Parle(QStringLiteral("A vous, amiral."));
        const int enCours = b.narrateur.requete_parole();
        b.compagnon.fichierLisible = c.lisibleAuDepart;
        testing::internal::CaptureStderr();
        b.narrateur.seRetirer();
        EXPECT_EQ(b.compagnon.personnage(PERSONNAGE), !c.parti) << c.nom;
        EXPECT_EQ(b.compagnon.connecte(), !c.parti) << c.nom;
        // silent while the screen is open, whether he stayed or not; what he was saying is stopped
        EXPECT_TRUE(b.compagnon.arretees.contains(enCours) || c.parti) << c.nom;
        const qsizetype dits = b.compagnon.paroles.size();
        b.narrateur.Parle(QStringLiteral("Feu ennemi!"));
        EXPECT_EQ(b.compagnon.paroles.size(), dits) << c.nom;
        b.compagnon.fichierLisible = c.lisibleAuRetour;
        EXPECT_EQ(b.narrateur.revenir({QStringLiteral("MemoConfig"), DEFAUT}), c.revenu) << c.nom;
        const QString terminal = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_TRUE(QLatin1String(c.terminal).isEmpty() ? terminal.isEmpty()
                                                        : terminal.startsWith(QLatin1String(c.terminal)))
            << c.nom << ": " << terminal.toStdString();
        EXPECT_EQ(terminal.contains(b.compagnon.raison), !terminal.isEmpty()) << c.nom;
        EXPECT_TRUE(b.dialogues.avertissements.isEmpty()) << c.nom; // no box: the battle goes on
        EXPECT_EQ(b.narrateur.pret(), c.revenu) << c.nom;
        EXPECT_EQ(b.compagnon.journal.count(QStringLiteral("jouer: Greet")), c.revenu ? 2 : 1) << c.nom;
        // shown again only when he had left
        EXPECT_EQ(b.compagnon.journal.count(QStringLiteral("montrer")), c.parti && c.revenu ? 2 : 1) << c.nom;
        b.narrateur.Parle(b.narrateur.dernier_message());
        EXPECT_EQ(b.compagnon.paroles.last() == QStringLiteral("Feu ennemi!"), c.revenu) << c.nom;
    }
}

TEST(Narrateur, RelaieLesFinsDeRequetes) {
    Banc b;
    b.installer();
    QList<int> recues;
    QObject::connect(&b.narrateur, &Narrateur::requeteTerminee, [&](int r) { recues << r; });
    const int cache = b.narrateur.jouer(QStringLiteral("Hide"));
    b.compagnon.terminer(cache);
    EXPECT_EQ(recues, QList<int>{cache});
}

} // namespace
