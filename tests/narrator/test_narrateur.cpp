// The narrator's set-up, speech and release, over a recording character service.
#include "narrator/narrateur.h"

#include "audio/reglages_parole.h"

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

TEST(Narrateur, RelaieLesFinsDeRequetes) {
    Banc b;
    b.installer();
    QList<int> recues;
    QObject::connect(&b.narrateur, &Narrateur::requeteTerminee, [&](int r) { recues << r; });
    const int cache = b.narrateur.jouer(QStringLiteral("Hide"));
    b.compagnon.terminer(cache);
    EXPECT_EQ(recues, QList<int>{cache});
}

// Config.txt's tag lines as the voice takes them, and the voice screen's steps.
TEST(ReglagesParole, LesTagsDeConfigEtLesPas) {
    struct Cas {
        const char* nom;
        QStringList lignes;
        TagsParole attendu;
    };
    const QList<Cas> cas = {
        {"a new file: the voice as it speaks",
         {QStringLiteral("MemoConfig"), DEFAUT, QStringLiteral("\\spd=156\\"), QStringLiteral("\\pit=159\\"),
          QStringLiteral("\\vol=65535\\")},
         {}},
        {"as the voice screen writes them",
         {QString(), DEFAUT, QStringLiteral("\\spd=250\\"), QStringLiteral("\\pit=61\\"),
          QStringLiteral("\\vol=80\\")},
         {250, 61, 80}},
        {"out of range, and the first voice's volume scale",
         {QString(), DEFAUT, QStringLiteral("\\spd=9999\\"), QStringLiteral("\\pit=300\\"),
          QStringLiteral("\\vol=32768\\")},
         {450, std::nullopt, 50}},
        {"lines that are not those tags",
         {QString(), DEFAUT, QStringLiteral("\\pit=20\\"), QStringLiteral("pit=20"),
          QStringLiteral("\\vol=-3\\")},
         {}},
        {"a short file", {QStringLiteral("MemoConfig")}, {}},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(lireTagsParole(c.lignes), c.attendu) << c.nom;
        // the parrot takes them as he comes on
        Banc b;
        ASSERT_TRUE(
            b.narrateur.InstalPeedy(c.lignes.size() > 1 ? c.lignes : QStringList{c.lignes[0], DEFAUT}));
        ASSERT_FALSE(b.compagnon.reglages.isEmpty());
        EXPECT_EQ(b.compagnon.reglages.last(), c.attendu) << c.nom;
    }
    // speed in steps of 25 from 80 to 450, volume in steps of 10 from 10 to 100
    const QList<std::tuple<int, int, int>> vitesses = {{175, 1, 200},  {175, -1, 150}, {160, 1, 175},
                                                       {160, -1, 150}, {100, -1, 80},  {80, -1, 80},
                                                       {440, 1, 450},  {450, 1, 450}};
    for (const auto& [avant, sens, apres] : vitesses)
        EXPECT_EQ(vitesseSuivante(avant, sens), apres) << avant << " " << sens;
    const QList<std::tuple<int, int, int>> volumes = {{100, 1, 100}, {100, -1, 90}, {55, -1, 50},
                                                      {55, 1, 60},   {10, -1, 10},  {200, -1, 100}};
    for (const auto& [avant, sens, apres] : volumes)
        EXPECT_EQ(volumeSuivant(avant, sens), apres) << avant << " " << sens;
    for (const auto& [avant, sens, apres] : std::initializer_list<std::tuple<int, int, int>>{
             {50, 1, 60}, {50, -1, 40}, {55, -1, 50}, {55, 1, 60}, {0, -1, 0}, {100, 1, 100}})
        EXPECT_EQ(hauteurSuivante(avant, sens), apres) << avant << " " << sens;
}

// Alt+Up and Alt+Down: the last fifty texts, each with its place; a new text is the present again.
TEST(Historique, LesDerniersTextesEnArriereEtEnAvant) {
    Banc b;
    b.installer();
    for (int i = 1; i <= 5; ++i)
        b.narrateur.Parle(QStringLiteral("Texte %1").arg(i));
    struct Pas {
        bool recule;
        const char* entendu;
    };
    const QList<Pas> pas = {
        {true, "5 sur 5: Texte 5"},  {true, "4 sur 5: Texte 4"},  {true, "3 sur 5: Texte 3"},
        {false, "4 sur 5: Texte 4"}, {false, "5 sur 5: Texte 5"}, {false, "5 sur 5: Texte 5"},
    };
    for (const Pas& p : pas) {
        const int avant = b.narrateur.requete_parole();
        p.recule ? b.narrateur.reculer() : b.narrateur.avancer();
        EXPECT_EQ(b.compagnon.paroles.last(), QLatin1String(p.entendu));
        EXPECT_TRUE(b.compagnon.arretees.contains(avant)); // it cuts what was being said
    }
    // walking changes neither the list nor what Ctrl+R repeats
    EXPECT_EQ(b.narrateur.historique().taille(), 5);
    b.narrateur.repeter();
    EXPECT_EQ(b.compagnon.paroles.last(), QStringLiteral("Texte 5"));
    b.narrateur.reculer();
    b.narrateur.reculer();
    b.narrateur.Parle(QStringLiteral("Nouveau"));
    b.narrateur.reculer();
    EXPECT_EQ(b.compagnon.paroles.last(), QStringLiteral("6 sur 6: Nouveau"));
    for (int i = 1; i <= 60; ++i)
        b.narrateur.Parle(QStringLiteral("Suite %1").arg(i));
    for (int i = 0; i < 60; ++i)
        b.narrateur.reculer();
    EXPECT_EQ(b.compagnon.paroles.last(), QStringLiteral("1 sur 50: Suite 11"));
}

// Alt+Page Up and Alt+Page Down: the shots' reports alone, sectors and banter passed over, counted
// among themselves; none that way says nothing and leaves the walk where it was.
TEST(Historique, LesRapportsSeuls) {
    Banc b;
    b.installer();
    const std::pair<const char*, GenreTexte> dits[] = {
        {"D2", GenreTexte::Secteur},         {"D2 : touché.", GenreTexte::Rapport},
        {"Feu ennemi!", GenreTexte::Autre},  {"Impact en C1.", GenreTexte::Rapport},
        {"Quel calme!", GenreTexte::Propos}, {"E2", GenreTexte::Secteur},
    };
    for (const auto& [texte, genre] : dits)
        b.narrateur.Parle(QString::fromUtf8(texte), genre);
    const std::pair<bool, const char*> pas[] = {
        {false, nullptr}, // forward from the present: nothing
        {true, "Rapport 2 sur 2: Impact en C1."},
        {true, "Rapport 1 sur 2: D2 : touché."},
        {true, nullptr}, // no older report
        {false, "Rapport 2 sur 2: Impact en C1."},
    };
    for (const auto& [recule, entendu] : pas) {
        const qsizetype avant = b.compagnon.paroles.size();
        const bool dit =
            recule ? b.narrateur.reculer(GenreTexte::Rapport) : b.narrateur.avancer(GenreTexte::Rapport);
        EXPECT_EQ(dit, entendu != nullptr);
        EXPECT_EQ(b.compagnon.paroles.last(),
                  entendu ? QString::fromUtf8(entendu) : b.compagnon.paroles.at(avant - 1));
    }
    b.narrateur.reculer(); // the plain walk goes on from there, through every text
    EXPECT_EQ(b.compagnon.paroles.last(), QStringLiteral("3 sur 6: Feu ennemi!"));
}

// The voice screen and the About card: the battle's texts meanwhile come after "Je reviens au jeu".
TEST(MettreDeCote, LesTextesDeLaBatailleAttendentLeRetourEtSeSuivent) {
    struct Cas {
        const char* nom;
        bool toujours; // the voice screen always says it is back; the card only when texts waited
        QStringList pendant;
        QStringList apres;
    };
    const QString retour = QStringLiteral("Je reviens au jeu");
    const QString a = QStringLiteral("Dans l'eau!"), feu = QStringLiteral("Feu ennemi!"),
                  r = QStringLiteral("Impact en B.3.");
    const QList<Cas> cas = {
        {"voix, rien manqué", true, {}, {retour}},
        {"voix en plein échange", true, {a, feu, r}, {retour, a, feu, r}},
        {"carte, rien manqué", false, {}, {}},
        {"carte en plein échange", false, {feu, r}, {retour, feu, r}},
    };
    for (const Cas& c : cas) {
        Banc b;
        b.installer();
        b.narrateur.mettreDeCote();
        for (const QString& t : c.pendant)
            b.narrateur.Parle(t);
        // the screen's own text is said at once
        b.narrateur.ParleEcran(QStringLiteral("Retour au jeu"));
        const qsizetype dits = b.compagnon.paroles.size();
        const QList<int> arretees = b.compagnon.arretees;
        b.narrateur.reprendre(retour, c.toujours);
        EXPECT_EQ(b.compagnon.paroles.mid(dits), c.apres) << c.nom;
        EXPECT_EQ(b.compagnon.arretees.size(), arretees.size() + (c.apres.isEmpty() ? 0 : 1)) << c.nom;
        EXPECT_EQ(b.narrateur.dernier_message(),
                  c.apres.isEmpty() ? QStringLiteral("Retour au jeu") : c.apres.last())
            << c.nom;
        // the next text cuts them all
        const int premiere = b.compagnon.derniereRequete;
        b.narrateur.Parle(QStringLiteral("Secteur : A.1."));
        for (int id = premiere - int(c.pendant.size()) + 1; id <= premiere && !c.pendant.isEmpty(); ++id)
            EXPECT_TRUE(b.compagnon.arretees.contains(id)) << c.nom << " " << id;
    }
}

} // namespace
