// Play by ear: typed sectors, row and column summaries, the fleets afloat, and the logbook on disk.
#include "battle/coup_d_oeil.h"
#include "battle/journal.h"
#include "battle/vigie.h"

#include "support/fichiers.h"
#include "support/flotte.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <limits>
#include <sys/wait.h>
#include <unistd.h>

TEST(Vigie, LesSecteursTapes) {
    struct Cas {
        QList<int> touches;
        Case cible;      // after the last key
        QString dernier; // what is said after the last key when nothing is aimed at (its start)
        bool prise = true;
    };
    const Cas cas[] = {
        {{Qt::Key_C, Qt::Key_7}, {3, 7}, {}},
        {{Qt::Key_L, Qt::Key_9}, {12, 9}, {}},
        {{Qt::Key_A, Qt::Key_1, Qt::Key_2}, {1, 12}, {}},
        {{Qt::Key_B, Qt::Key_1, Qt::Key_0}, {2, 10}, {}},
        {{Qt::Key_B, Qt::Key_1, Qt::Key_Return}, {2, 1}, {}},
        {{Qt::Key_B, Qt::Key_1, Qt::Key_Space}, {2, 1}, {}},
        {{Qt::Key_C, Qt::Key_Egrave}, {3, 7}, {}}, // 7 on a French keyboard, without Shift
        {{Qt::Key_C}, {}, QStringLiteral("Colonne C, et la ligne?")},
        {{Qt::Key_C, Qt::Key_1}, {}, QStringLiteral("C.1, ou 10, 11, 12?")},
        {{Qt::Key_M},
         {},
         QStringLiteral("Pas de colonne M, amiral. Une lettre de A à L, puis un nombre de 1 à 12.")},
        {{Qt::Key_C, Qt::Key_1, Qt::Key_3}, {}, QStringLiteral("Pas de ligne 13, amiral")},
        {{Qt::Key_C, Qt::Key_0}, {}, QStringLiteral("Pas de ligne 0")},
        {{Qt::Key_7}, {}, QStringLiteral("Il manque la colonne")},
        {{Qt::Key_C, Qt::Key_Space}, {}, QStringLiteral("Il manque la ligne, amiral, rien n'est tiré.")},
        {{Qt::Key_C, Qt::Key_Escape}, {}, QStringLiteral("Saisie annulée")},
        // After a refusal nothing is pending: a digit alone is refused, Space goes to the board.
        {{Qt::Key_C, Qt::Key_1, Qt::Key_5, Qt::Key_2}, {}, QStringLiteral("Il manque la colonne")},
        {{Qt::Key_C, Qt::Key_7, Qt::Key_Space}, {}, {}, false},
        {{Qt::Key_Space}, {}, {}, false},
        {{Qt::Key_F2}, {}, {}, false},
    };
    for (const Cas& c : cas) {
        SaisieSecteur saisie;
        SaisieSecteur::Reponse r;
        for (int touche : c.touches)
            r = saisie.taper(touche);
        EXPECT_EQ(r.prise, c.prise) << c.touches.size() << " keys, first " << c.touches.first();
        EXPECT_EQ(r.cible, c.cible) << c.touches.size() << " keys, first " << c.touches.first();
        EXPECT_TRUE(r.texte.startsWith(c.dernier)) << r.texte.toStdString();
        EXPECT_EQ(r.texte.isEmpty(), c.dernier.isEmpty()) << r.texte.toStdString();
        EXPECT_FALSE(saisie.enCours() && r.cible.colonne > 0);
    }
}

TEST(Vigie, LesChiffresSurChaqueClavier) {
    // Keys as the X server gives them: Qt's key, what it types, the scan code (0 off X11 and Wayland).
    const auto t = [](int cle, const char* texte, quint32 scan) {
        return toucheTapee(cle, QString::fromUtf8(texte), scan);
    };
    const int C = t(Qt::Key_C, "c", 54), B = t(Qt::Key_B, "b", 56), sept = t(Qt::Key_7, "7", 16),
              maj = t(Qt::Key_Shift, "", 50), ctrl = t(Qt::Key_Control, "", 37), alt = t(Qt::Key_Alt, "", 64),
              altGr = t(Qt::Key_AltGr, "", 108), espace = t(Qt::Key_Space, " ", 65);
    struct Cas {
        const char* clavier;
        QList<int> touches;
        Case cible; // after the last key; {0, 0}: nothing aimed, the entry still waits
    };
    const Cas cas[] = {
        {"fr, Maj+è", {C, maj, sept}, {3, 7}},
        {"fr, è", {C, t(Qt::Key_Egrave, "è", 16)}, {3, 7}},
        {"fr, pavé", {C, t(Qt::Key_7, "7", 79)}, {3, 7}},
        {"fr, Maj+& puis Espace", {B, maj, t(Qt::Key_1, "1", 10), espace}, {2, 1}},
        {"fr, & 2", {B, t(Qt::Key_Ampersand, "&", 10), t(Qt::Key_Eacute, "é", 11)}, {2, 12}},
        {"fr, Verr. Maj", {C, t(Qt::Key_CapsLock, "", 66), sept}, {3, 7}},
        {"fr, AltGr seul", {C, altGr, sept}, {3, 7}},
        {"us, 7", {C, sept}, {3, 7}},
        {"us, Shift+7", {C, maj, t(Qt::Key_Ampersand, "&", 16)}, {3, 7}},
        {"us, Ctrl, Alt seuls", {C, ctrl, alt, maj, sept}, {3, 7}},
        {"be, §", {C, t(Qt::Key_section, "§", 15)}, {3, 6}},
        {"sans code, è", {C, t(Qt::Key_Egrave, "", 0)}, {3, 7}},
        {"modificateurs seuls", {C, maj, ctrl, alt}, {}},
    };
    for (const Cas& c : cas) {
        SaisieSecteur saisie;
        SaisieSecteur::Reponse r;
        for (int k : c.touches)
            r = saisie.taper(k);
        EXPECT_TRUE(r.prise) << c.clavier;
        EXPECT_EQ(r.cible, c.cible) << c.clavier;
        EXPECT_EQ(saisie.enCours(), c.cible.colonne == 0) << c.clavier;
    }
}

TEST(Vigie, LesResumesDeLigneEtDeColonne) {
    Grille tirs, plan;
    for (int r : {4, 5})
        tirs(3, r) = QStringLiteral("TOUCHE");
    for (int r : {1, 9})
        tirs(3, r) = QStringLiteral("MANQUE");
    EXPECT_EQ(
        resumeAdverse(tirs, true, 3),
        QStringLiteral("Colonne C : touché en C.4 et C.5, dans l'eau en C.1 et C.9, le reste inexploré."));
    EXPECT_EQ(resumeAdverse(tirs, false, 4), QStringLiteral("Ligne 4 : touché en C.4, le reste inexploré."));
    EXPECT_EQ(resumeAdverse(tirs, true, 2), QStringLiteral("Colonne B : tout est inexploré."));
    for (int c = 1; c <= TAILLE_MER; ++c)
        tirs(c, 7) = c == 2 ? QStringLiteral("TOUCHE") : QStringLiteral("MANQUE");
    EXPECT_EQ(
        resumeAdverse(tirs, false, 7),
        QStringLiteral("Ligne 7 : touché en B.7, dans l'eau en A.7, C.7, D.7, E.7, F.7, G.7, H.7, I.7, J.7, "
                       "K.7 et L.7."));
    // Our sea: the enemy's shots, then our ships it has not found.
    poserNavire(plan, QStringLiteral("BRICKH"), 3, 2, 4);
    Grille ennemi;
    ennemi(3, 4) = QStringLiteral("TOUCHE");
    ennemi(9, 4) = QStringLiteral("MANQUE");
    EXPECT_EQ(
        resumeNotreMer(plan, ennemi, false, 4),
        QStringLiteral("Ligne 4 de notre flotte : touché en C.4, dans l'eau en I.4, navires intacts en B.4 "
                       "et D.4, le reste jamais visé."));
    EXPECT_EQ(resumeNotreMer(plan, ennemi, true, 12),
              QStringLiteral("Colonne L de notre flotte : mer libre, jamais visée."));
}

TEST(Vigie, LesNaviresAFlotSelonLesGrilles) {
    Partie p;
    const struct {
        const char* nom;
        int longueur;
    } flotte[] = {{"NAVIRE-AMIRALH", 5}, {"FREGATEH", 4},  {"BRICKH", 3},    {"BRICKH", 3},   {"GALEREH", 3},
                  {"GALEREH", 3},        {"CHALOUPEH", 2}, {"CHALOUPEH", 2}, {"CHALOUPEH", 2}};
    for (int i = 0; i < 9; ++i) {
        poserNavire(p.mer_adverse, QLatin1String(flotte[i].nom), flotte[i].longueur, 1, i + 1);
        poserNavire(p.mer_joueur, QLatin1String(flotte[i].nom), flotte[i].longueur, 1, i + 1);
    }
    EXPECT_EQ(
        naviresAFlot(p),
        QStringLiteral("L'ennemi a encore à flot un vaisseau amiral, une frégate, deux bricks, deux galères "
                       "et trois chaloupes. Il nous reste un vaisseau amiral, une frégate, deux bricks, deux "
                       "galères et trois chaloupes."));
    // Sinkings empty a ship's first cell, as the sinking check does.
    for (int r : {1, 3, 5, 6, 7, 8})
        p.mer_adverse(1, r).clear();
    for (int r = 1; r <= 9; ++r)
        p.mer_joueur(1, r).clear();
    EXPECT_EQ(naviresAFlot(p),
              QStringLiteral("L'ennemi a encore à flot une frégate, un brick et une chaloupe. "
                             "Il ne nous reste plus un seul navire."));
}

namespace {
// A game over as the exchange leaves it: shots counted and marked, the winner set.
Partie finie(int tirs, int touches, bool gagnee) {
    Partie p;
    p.Initialise();
    p.nb_tirs_joueur = tirs;
    for (int i = 0; i < tirs; ++i)
        p.tirs_joueur(i % 12 + 1, i / 12 + 1) =
            i < touches ? QStringLiteral("TOUCHE") : QStringLiteral("MANQUE");
    (gagnee ? p.victoire_joueur : p.victoire_adverse) = true;
    return p;
}
} // namespace

// The glance: a brick sunk along A1 to C1, a longboat hit at E2 and intact at E3, a miss at D1.
TEST(Vigie, LeCoupDOeilEnSons) {
    Grille plan, tirs, pleine;
    plan(1, 1) = QStringLiteral("BRICKH");
    plan(2, 1) = plan(3, 1) = QStringLiteral("BRICK");
    plan(5, 2) = QStringLiteral("CHALOUPEV");
    plan(5, 3) = QStringLiteral("CHALOUPE");
    tirs(1, 1) = tirs(2, 1) = tirs(3, 1) = tirs(5, 2) = QStringLiteral("TOUCHE");
    tirs(4, 1) = QStringLiteral("MANQUE");
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            pleine(c, r) = QStringLiteral("TOUCHE");
    const double d = 2.0 / 11; // a column's step from left to right
    using E = EtatSecteur;
    struct Cas {
        QList<NoteCoupDOeil> notes;
        qsizetype nombre;
        int i;
        NoteCoupDOeil attendue;
    };
    const Cas cas[] = {
        {coupDOeilLigne(plan, tirs, false, false, 1), 12, 0, {E::Coule, -1, 0, 0}},
        {coupDOeilLigne(plan, tirs, false, false, 1), 12, 3, {E::Eau, -1 + 3 * d, 0, 330}},
        {coupDOeilLigne(plan, tirs, false, false, 1), 12, 11, {E::Inexplore, 1, 0, 1210}},
        {coupDOeilLigne(plan, tirs, false, true, 5), 12, 1, {E::Touche, -1 + 4 * d, 4.5, 110}},
        {coupDOeilLigne(plan, tirs, false, true, 5), 12, 2, {E::Inexplore, -1 + 4 * d, 3.5, 220}},
        {coupDOeilLigne(plan, tirs, true, true, 5), 12, 2, {E::Intact, -1 + 4 * d, 3.5, 220}},
        {coupDOeilLigne(plan, tirs, true, true, 5), 12, 11, {E::Inexplore, -1 + 4 * d, -5.5, 1210}},
        {coupDOeilTouches(plan, tirs), 4, 2, {E::Coule, -1 + 2 * d, 5.5, 200}},
        {coupDOeilTouches(plan, tirs), 4, 3, {E::Touche, -1 + 4 * d, 4.5, 400}},
        {coupDOeilTouches(Grille(), Grille()), 0, 0, {}},
        {coupDOeilTouches(plan, pleine), 144, 143, {E::Touche, 1, -5.5, 2900}},
    };
    for (const Cas& c : cas) {
        ASSERT_EQ(c.notes.size(), c.nombre);
        if (c.nombre == 0)
            continue;
        const NoteCoupDOeil& n = c.notes[c.i];
        EXPECT_EQ(n.etat, c.attendue.etat) << c.i;
        EXPECT_NEAR(n.balance, c.attendue.balance, 1e-9) << c.i;
        EXPECT_EQ(n.demiTons, c.attendue.demiTons) << c.i;
        EXPECT_EQ(n.debutMs, c.attendue.debutMs) << c.i;
    }
}

TEST(Journal, CompteVictoiresDefaitesEtAbandonsParNiveau) {
    QTemporaryDir dossier;
    {
        Journal j(dossier.path());
        EXPECT_EQ(j.texte(), QStringLiteral("Le journal de bord est vide, amiral: aucune partie jouée pour "
                                            "l'instant."));
        ASSERT_TRUE(j.noter(Niveau::Classique, finie(80, 27, true)).reussie);
        ASSERT_TRUE(j.noter(Niveau::Classique, finie(100, 20, false)).reussie);
        ASSERT_TRUE(j.noter(Niveau::Classique, finie(61, 27, true)).reussie);
        Partie abandon = finie(10, 2, true);
        abandon.victoire_joueur = false;
        ASSERT_TRUE(j.noter(Niveau::Vraisemblance, abandon).reussie);
        ASSERT_TRUE(j.noter(Niveau::Tenace, Partie{}).reussie); // left before a shot: not counted
    }
    const Journal relu(dossier.path());
    EXPECT_EQ(relu.bilan(Niveau::Classique), (Bilan{3, 2, 1, 241, 74, 61}));
    EXPECT_EQ(relu.bilan(Niveau::Vraisemblance), (Bilan{1, 0, 0, 10, 2, 0}));
    EXPECT_EQ(relu.bilan(Niveau::Tenace), Bilan{});
    EXPECT_EQ(relu.texte().toStdString(),
              QStringLiteral(
                  "Journal de bord, amiral. Niveau classique : 3 parties, 2 gagnées, 1 perdue, 241 tirs, "
                  "0,31 coup au but par tir, victoire la plus courte en 61 tirs. Niveau vraisemblance "
                  ": 1 partie, 0 gagnée, 0 perdue, 10 tirs, 0,20 coup au but par tir. ")
                  .toStdString());
    Journal efface(dossier.path());
    ASSERT_TRUE(efface.effacer().reussie);
    EXPECT_EQ(Journal(dossier.path()).bilan(Niveau::Classique), Bilan{});
}

TEST(Journal, UnCompteAbimeOuAuPlusHautGardeLeResteDuJournal) {
    constexpr int MAX = std::numeric_limits<int>::max();
    struct Cas {
        QByteArray contenu;
        Bilan lu;
        Bilan apres; // once a victory in 50 shots, 27 of them hits, is logged
    };
    const Cas cas[] = {
        {"classique.parties=2147483647\nclassique.tirs=2147483647\n"
         "classique.gagnees=3\nclassique.touches=5\n",
         {MAX, 3, 0, MAX, 5, 0},
         {MAX, 4, 0, MAX, 32, 50}},
        {"classique.parties=2\rclassique.tirs=90\r# ma note\r", {2, 0, 0, 90, 0, 0}, {3, 1, 0, 140, 27, 50}},
        {"classique.parties=2147483648\r\nclassique.tirs=-5\n"
         "classique.touches=beaucoup\nclassique.gagnees=1\n",
         {0, 1, 0, 0, 0, 0},
         {1, 2, 0, 50, 27, 50}},
    };
    for (const Cas& c : cas) {
        QTemporaryDir dossier;
        ecrire(dossier.filePath(Journal::nomFichier()), c.contenu + "tenace.parties=4\nx=1\n");
        Journal j(dossier.path());
        EXPECT_EQ(j.bilan(Niveau::Classique), c.lu) << c.contenu.constData();
        ASSERT_TRUE(j.noter(Niveau::Classique, finie(50, 27, true)).reussie);
        const Journal relu(dossier.path());
        EXPECT_EQ(relu.bilan(Niveau::Classique), c.apres) << c.contenu.constData();
        EXPECT_EQ(relu.bilan(Niveau::Tenace).parties, 4) << c.contenu.constData();
        EXPECT_TRUE(
            relu.texte().contains(QStringLiteral("Niveau classique : %1 partie").arg(c.apres.parties)));
        const QByteArray fichier = lire(dossier.filePath(Journal::nomFichier()));
        EXPECT_TRUE(fichier.contains("\nx=1\n") &&
                    (fichier.contains("# ma note\n") || !c.contenu.contains('#')))
            << fichier.constData();
    }
}

TEST(Journal, UnArretBrutalPendantLEcritureLaisseUnJournalEntier) {
    QTemporaryDir dossier;
    ASSERT_TRUE(Journal(dossier.path()).noter(Niveau::Classique, finie(50, 27, true)).reussie);
    for (int essai = 0; essai < 30; ++essai) {
        const pid_t fils = ::fork();
        ASSERT_GE(fils, 0);
        if (fils == 0) {
            // Writes the logbook over and over until it is killed.
            Journal j(dossier.path());
            for (;;)
                j.noter(Niveau::Classique, finie(50, 27, true));
        }
        // Killed some time after its first whole logbook, however slow a busy machine makes that one:
        // so every kill falls in the middle of its work.
        const int avant = Journal(dossier.path()).bilan(Niveau::Classique).parties;
        for (int attente = 0;
             attente < 2000 && Journal(dossier.path()).bilan(Niveau::Classique).parties == avant; ++attente)
            ::usleep(5000);
        ::usleep(static_cast<useconds_t>(200 + essai * 3967 % 20000));
        ::kill(fils, SIGKILL);
        ::waitpid(fils, nullptr, 0);
        // Whatever the moment of the kill, the file holds one whole logbook: every game counted with
        // its 50 shots and 27 hits, and no line cut short.
        const Bilan b = Journal(dossier.path()).bilan(Niveau::Classique);
        ASSERT_GE(b.parties, 1);
        EXPECT_EQ(b.gagnees, b.parties);
        EXPECT_EQ(b.tirs, 50 * b.parties);
        EXPECT_EQ(b.touches, 27 * b.parties);
        EXPECT_EQ(b.plus_courte, 50);
        EXPECT_TRUE(lire(dossier.filePath(Journal::nomFichier())).endsWith("plus_courte_victoire=50\n"));
    }
    // Each writer got as far as a whole logbook before it was killed.
    EXPECT_GT(Journal(dossier.path()).bilan(Niveau::Classique).parties, 30);
}

// The brief mode's texts, and the queries that move nothing, on one battle: an enemy frigate hit twice
// (B.2, B.3) and its longboat sunk (E.5, F.5), a miss at A.1; the enemy hit our brick at C.7.
namespace {
Partie bataille() {
    Partie p;
    p.Initialise();
    poserNavire(p.plan_adverse, QStringLiteral("FREGATEV"), 4, 2, 2);
    poserNavire(p.plan_adverse, QStringLiteral("CHALOUPEH"), 2, 5, 5);
    poserNavire(p.plan_joueur, QStringLiteral("BRICKV"), 3, 3, 6);
    p.copierPlans();
    for (const auto& [c, r] : std::initializer_list<std::pair<int, int>>{{2, 2}, {2, 3}, {5, 5}, {6, 5}})
        p.tirs_joueur(c, r) = nomMarque(Marque::Touche);
    p.tirs_joueur(1, 1) = nomMarque(Marque::Manque);
    p.tirs_adverse(3, 7) = nomMarque(Marque::Touche);
    p.VerifieCoule(p.mer_adverse, p.tirs_joueur, QStringLiteral("adverse"));
    return p;
}
} // namespace

TEST(Vigie, LesTextesBrefsEtLesQuestions) {
    const Partie p = bataille();
    const QString touche = nomMarque(Marque::Touche), eau = nomMarque(Marque::Manque);
    const std::pair<QString, const char*> cas[] = {
        {annonceBreve(p.tirs_joueur, 4, 2), "D2"},
        {annonceBreve(p.tirs_joueur, 1, 1), "A1, déjà à l'eau."},
        {annonceBreve(p.tirs_joueur, 2, 3), "B3, déjà touché."},
        {resultatBref({{4, 2}, eau, {}}), "D2 : à l'eau."},
        {resultatBref({{2, 3}, touche, {}}), "B3 : touché."},
        {resultatBref({{2, 5}, touche, QStringLiteral("FREGATE")}), "B5 : coulé, la frégate."},
        {resultatBref({{12, 12}, touche, QStringLiteral("NAVIRE-AMIRAL")}),
         "L12 : coulé, le vaisseau amiral."},
        {rapportEnnemiBref({{3, 1}, eau, {}}), "Impact en C1."},
        {rapportEnnemiBref({{3, 7}, touche, {}}), "Touché en C7."},
        {rapportEnnemiBref({{3, 8}, touche, QStringLiteral("BRICK")}), "Touché en C8 : coulé, notre brick."},
        {texteDernierEchange({}, {}), "Pas encore de tir échangé, amiral."},
        {texteDernierEchange(CoupJoue{{4, 2}, eau, {}}, {}),
         "Notre dernier tir, D.2 : à l'eau. L'ennemi n'a pas encore répondu."},
        {texteDernierEchange(CoupJoue{{6, 5}, touche, QStringLiteral("CHALOUPE")},
                             CoupJoue{{3, 7}, touche, {}}),
         "Notre dernier tir, F.5 : coulé, la chaloupe. Réponse de l'ennemi, C.7 : touché."},
        {texteBlesses(p), "Touchés, pas encore coulés : B.2 et B.3."},
        {texteBlesses(Partie{}), "Aucun navire ennemi touché qui flotte encore, amiral."},
        {texteViseur(p.tirs_joueur, 2, 3), "Le viseur est en B.3, déjà visé, coup au but."},
        {texteViseur(p.tirs_joueur, 4, 2), "Le viseur est en D.2, pas encore visé."},
        {texteViseur(p.tirs_joueur, 13, 13), "Le viseur n'est sur aucun secteur, amiral."},
        {texteNotreMer(p.plan_joueur, p.tirs_adverse, 3, 7), "C.7 : brick, touché."},
        {texteNotreMer(p.plan_joueur, p.tirs_adverse, 1, 1), "A.1 : eau."},
    };
    for (const auto& [dit, attendu] : cas)
        EXPECT_EQ(dit.toStdString(), attendu);
}

// Alt+Right and Alt+Left: in reading order from the sector after the aim, round the sea.
TEST(Vigie, LesSauts) {
    Partie p = bataille();
    Partie pleine = p;
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (pleine.tirs_joueur(c, r).isEmpty())
                pleine.tirs_joueur(c, r) = nomMarque(Marque::Manque);
    struct Cas {
        bool blesse;
        const Partie& partie;
        Case depuis, attendu;
    };
    const Cas cas[] = {
        {false, p, {12, 12}, {2, 1}}, // past L12: A1 is fired at, B1 is not
        {false, p, {1, 2}, {3, 2}},   // B2 fired at
        {false, p, {13, 13}, {2, 1}}, // no aim yet: from the start
        {false, pleine, {4, 4}, {}},
        {true, p, {1, 1}, {2, 1}}, // above B2
        {true, p, {2, 1}, {1, 2}}, // left of B2, then C2, A3, C3, B4
        {true, p, {3, 3}, {2, 4}},
        {true, p, {2, 4}, {2, 1}}, // round the sea; the sunk longboat's sides are never offered
        {true, pleine, {4, 4}, {}},
    };
    for (const Cas& c : cas) {
        const Case trouve = c.blesse ? prochainPresDUnBlesse(c.partie, c.depuis)
                                     : prochainInexplore(c.partie.tirs_joueur, c.depuis);
        EXPECT_EQ(trouve, c.attendu) << c.blesse << " from " << c.depuis.colonne << "," << c.depuis.ligne
                                     << " gave " << trouve.colonne << "," << trouve.ligne;
    }
}
