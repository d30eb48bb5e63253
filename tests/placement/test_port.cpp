// The harbour's rules: legality, anchoring, turning, choices, reports and the random layouts.
#include "placement/port.h"

#include "support/temps_virtuel.h"
#include "support/textes.h"

#include <gtest/gtest.h>

#include <map>

namespace {
using namespace textes;

// A clock whose reading stays the same for a number of reads, then moves on by one millisecond.
class HorlogePaliers : public Horloge {
public:
    HorlogePaliers(quint32 debut, int lecturesParPalier)
        : lu_(debut)
        , parPalier_(lecturesParPalier) {}
    quint32 heureDuJourMs() override {
        const quint32 lu = lu_;
        if (++lectures_ % parPalier_ == 0)
            lu_ = (lu_ + 1) % (24u * 3600u * 1000u);
        return lu;
    }

private:
    quint32 lu_;
    int parPalier_;
    int lectures_ = 0;
};

struct Harbour {
    explicit Harbour(quint32 debut = 12 * 3600 * 1000)
        : temps(debut)
        , hasard(temps)
        , port(partie, hasard) {}
    TempsVirtuel temps;
    Hasard hasard;
    Partie partie;
    Port port;

    // Steers the chosen ship to a cell, in a given orientation, and anchors it.
    QString mouiller(int c, int r, QChar sens = QLatin1Char('H')) {
        port.deplacer(c, r);
        if (!port.placement_tempo.bateau.nom.endsWith(sens))
            port.ButtonVireClick();
        return port.ButtonAncreClick();
    }
};

struct Navire {
    QString nom;
    int colonne;
    int ligne;
};

// Reads a plan back into its ships, checking every ship is whole, on the sea and alone on its cells.
std::vector<Navire> lireFlotte(const Grille& plan) {
    std::vector<Navire> navires;
    Grille vue;
    const ClassesNavires classes = classesDeBase();
    for (int c = 1; c <= TAILLE_MER; ++c) {
        for (int r = 1; r <= TAILLE_MER; ++r) {
            if (!estNomNavire(plan(c, r)))
                continue;
            const QString nom = plan(c, r);
            int longueur = 0;
            for (const auto& classe : classes)
                if (racine(classe.nom) == racine(nom))
                    longueur = classe.longueur;
            const bool h = nom.endsWith(QLatin1Char('H'));
            for (int i = 0; i < longueur; ++i) {
                const int cc = h ? c + i : c, rr = h ? r : r + i;
                EXPECT_LE(cc, TAILLE_MER) << nom.toStdString();
                EXPECT_LE(rr, TAILLE_MER) << nom.toStdString();
                if (cc > TAILLE_MER || rr > TAILLE_MER)
                    continue;
                EXPECT_EQ(plan(cc, rr), i == 0 ? nom : racine(nom));
                EXPECT_TRUE(vue(cc, rr).isEmpty());
                vue(cc, rr) = nom;
            }
            navires.push_back({nom, c, r});
        }
    }
    // No cell is held by anything but a whole ship.
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            EXPECT_EQ(plan(c, r).isEmpty(), vue(c, r).isEmpty()) << c << "," << r;
    return navires;
}

std::map<QString, int> compterClasses(const std::vector<Navire>& navires) {
    std::map<QString, int> n;
    for (const auto& navire : navires)
        ++n[racine(navire.nom)];
    return n;
}

const std::map<QString, int> FLOTTE_COMPLETE = {
    {QStringLiteral("NAVIRE-AMIRAL"), 1}, {QStringLiteral("FREGATE"), 1},  {QStringLiteral("BRICK"), 2},
    {QStringLiteral("GALERE"), 2},        {QStringLiteral("CHALOUPE"), 3},
};

t_coord_placement_tempo navire(const QString& nom, int longueur, int c, int r) {
    return {c, r, {1, longueur, nom}};
}

} // namespace

TEST(PoserNavire, BordsDeLaMer) {
    // A ship fits only when every cell, to its last, lies on the sea; the legend strip holds none.
    struct Cas {
        const char* nom;
        int longueur, c, r;
        bool pose;
    };
    const Cas cas[] = {
        {"NAVIRE-AMIRALH", 5, 9, 4, false}, {"NAVIRE-AMIRALH", 5, 8, 4, true},
        {"NAVIRE-AMIRALV", 5, 2, 9, false}, {"NAVIRE-AMIRALV", 5, 2, 8, true},
        {"CHALOUPEH", 2, 0, 5, false},      {"CHALOUPEV", 2, 0, 5, false},
        {"CHALOUPEH", 2, 5, 0, false},      {"CHALOUPEV", 2, 5, 0, false},
        {"CHALOUPEH", 2, 0, 0, false},      {"CHALOUPEV", 2, 0, 0, false},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(testing::Message() << k.nom << " " << k.c << "," << k.r);
        const QString nom = QLatin1String(k.nom);
        Grille plan;
        bool ok = false;
        Port::PoserNavire(plan, navire(nom, k.longueur, k.c, k.r), ok);
        EXPECT_EQ(ok, k.pose);
        EXPECT_EQ(plan.vide(), !k.pose);
        if (k.pose) {
            const bool h = nom.endsWith(QLatin1Char('H'));
            const int fin = (h ? k.c : k.r) + k.longueur - 1;
            EXPECT_EQ(plan(k.c, k.r), nom);
            EXPECT_EQ(h ? plan(fin, k.r) : plan(k.c, fin), racine(nom));
        }
    }
}

TEST(PoserNavire, EcritureEtVoisinage) {
    Grille plan;
    bool ok = false;
    Port::PoserNavire(plan, navire(QStringLiteral("BRICKH"), 3, 3, 7), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(plan(3, 7), QStringLiteral("BRICKH"));
    EXPECT_EQ(plan(4, 7), QStringLiteral("BRICK"));
    EXPECT_EQ(plan(5, 7), QStringLiteral("BRICK"));
    EXPECT_TRUE(plan(6, 7).isEmpty());

    Grille v;
    ok = false;
    Port::PoserNavire(v, navire(QStringLiteral("BRICKV"), 3, 3, 7), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(v(3, 7), QStringLiteral("BRICKV"));
    EXPECT_EQ(v(3, 8), QStringLiteral("BRICK"));
    EXPECT_EQ(v(3, 9), QStringLiteral("BRICK"));
    EXPECT_TRUE(v(4, 7).isEmpty());

    // Touching side to side, end to end and at a corner is allowed.
    for (const auto& t :
         {navire(QStringLiteral("CHALOUPEH"), 2, 3, 8), navire(QStringLiteral("CHALOUPEH"), 2, 6, 7),
          navire(QStringLiteral("CHALOUPEH"), 2, 1, 7), navire(QStringLiteral("CHALOUPEV"), 2, 6, 5)}) {
        ok = false;
        Port::PoserNavire(plan, t, ok);
        EXPECT_TRUE(ok) << t.colonne << "," << t.ligne;
    }
    // Crossing any cell of another ship is refused and writes nothing.
    const Grille avant = plan;
    for (const auto& t :
         {navire(QStringLiteral("CHALOUPEV"), 2, 5, 6), navire(QStringLiteral("CHALOUPEH"), 2, 2, 7),
          navire(QStringLiteral("FREGATEV"), 4, 4, 4)}) {
        ok = false;
        Port::PoserNavire(plan, t, ok);
        EXPECT_FALSE(ok) << t.colonne << "," << t.ligne;
    }
    EXPECT_EQ(plan, avant);
}

TEST(Pivoter, LaDerniereLettreBascule) {
    QString nom = QStringLiteral("FREGATEH");
    Port::Pivoter(nom);
    EXPECT_EQ(nom, QStringLiteral("FREGATEV"));
    Port::Pivoter(nom);
    EXPECT_EQ(nom, QStringLiteral("FREGATEH"));
    nom = QStringLiteral("GALEREX");
    Port::Pivoter(nom);
    EXPECT_EQ(nom, QStringLiteral("GALEREH"));
}

TEST(Port, RemiseAZero) {
    Harbour h;
    h.partie.plan_joueur(1, 1) = QStringLiteral("CHALOUPEH");
    h.partie.plan_adverse(4, 4) = QStringLiteral("CHALOUPEV");
    h.port.ImBtfregateClick();
    EXPECT_EQ(h.port.BtInitialiserClick(), BIENVENUE);
    EXPECT_EQ(h.partie.message_courant, BIENVENUE);
    EXPECT_TRUE(h.partie.plan_joueur.vide());
    EXPECT_TRUE(h.partie.plan_adverse.vide());
    EXPECT_FALSE(h.port.navire_choisi);
    EXPECT_TRUE(h.port.texte_inspection.isEmpty());
    EXPECT_EQ(h.port.restantAuPort(), 9);
    EXPECT_EQ(h.partie.classes_navires, classesDeBase());
    const QStringList images = {
        QStringLiteral("NAVIRE-AMIRALH"), QStringLiteral("FREGATEH"),  QStringLiteral("BRICKH"),
        QStringLiteral("BRICKH"),         QStringLiteral("GALEREH"),   QStringLiteral("GALEREH"),
        QStringLiteral("CHALOUPEH"),      QStringLiteral("CHALOUPEH"), QStringLiteral("CHALOUPEH")};
    for (int i = 0; i < NB_POSTES; ++i)
        EXPECT_EQ(h.port.postes()[i], (EtatPoste{true, images[i]})) << i;
}

TEST(Port, ChoixDUnNavire) {
    Harbour h;
    EXPECT_TRUE(h.port.ImBtBrick2Click().endsWith(A_VOUS_LA_BARRE));
    EXPECT_TRUE(h.port.navire_choisi);
    EXPECT_EQ(h.port.placement_tempo.bateau, (t_def_bateau{2, 3, QStringLiteral("BRICKH")}));
    EXPECT_EQ(h.port.num_brick, 2);
    EXPECT_EQ(
        h.port.texte_inspection,
        QStringLiteral("Bienvenue à bord du brick, amiral. Un seul pont, 28 canons, 150 marins, 100 "
                       "fusillers, c'est un coursier infatiguable et  rapide. Il faut 3 coups au but pour le "
                       "mettre hors de combat."));
    EXPECT_EQ(h.port.poste(Poste::ImBtBrick2).image, QStringLiteral("BRICK_SEL"));
    EXPECT_EQ(h.port.poste(Poste::ImBtbrick1).image, QStringLiteral("BRICKH"));

    // Choosing another ship puts the first back in harbour, unanchored.
    h.port.placement_tempo.colonne = 4;
    h.port.placement_tempo.ligne = 5;
    h.port.ImBtchaloupe3Click();
    EXPECT_EQ(h.port.poste(Poste::ImBtBrick2), (EtatPoste{true, QStringLiteral("BRICKH")}));
    EXPECT_EQ(h.port.poste(Poste::ImBtchaloupe3).image, QStringLiteral("CHALOUPE_SEL"));
    EXPECT_EQ(h.port.num_brick, 0);
    EXPECT_EQ(h.port.num_chaloupe, 3);
    EXPECT_EQ(h.port.placement_tempo.bateau.nom, QStringLiteral("CHALOUPEH"));
    // The position stays where it was.
    EXPECT_EQ(h.port.placement_tempo.colonne, 4);
    EXPECT_EQ(h.port.placement_tempo.ligne, 5);
    EXPECT_TRUE(h.partie.plan_joueur.vide());
}

TEST(Port, ChaquePosteASesMotsEtSonNavire) {
    struct Cas {
        QString (Port::*choix)();
        Poste poste;
        const char* nom;
        const char* mots;
    };
    const Cas cas[] = {
        {&Port::ImBtnavireamiralClick, Poste::ImBtnavireamiral, "NAVIRE-AMIRALH",
         "Vaisseau amiral à vos ordres, paré à appareiller!"},
        {&Port::FregatClick, Poste::ImBtfregate, "FREGATEH",
         "Tout l'équipage de la frégate est à son poste, amiral, paré à appareiller!"},
        {&Port::ImBtbrick1Click, Poste::ImBtbrick1, "BRICKH",
         "L'équipage du premier brick est à vos ordres, amiral, paré à appareiller!"},
        {&Port::ImBtBrick2Click, Poste::ImBtBrick2, "BRICKH",
         "L'équipage du deuxième brick est à vos ordres, amiral, paré à appareiller!"},
        {&Port::ImBtgalere1Click, Poste::ImBtGalere1, "GALEREH",
         "La première galère est à vos ordres, amiral, paré à appareiller!"},
        {&Port::ImBtgalere2Click, Poste::ImBtGalere2, "GALEREH",
         "La deuxième galère est à vos ordres, amiral, paré à appareiller!"},
        {&Port::ImBtChaloupe1Click, Poste::ImBtChaloupe1, "CHALOUPEH",
         "La première chaloupe est à vos ordres, amiral, paré à appareiller!"},
        {&Port::ImBtchaloupe2Click, Poste::ImBtchaloupe2, "CHALOUPEH",
         "La deuxième chaloupe est à vos ordres, amiral, paré à appareiller!"},
        {&Port::ImBtchaloupe3Click, Poste::ImBtchaloupe3, "CHALOUPEH",
         "La troisième chaloupe est à vos ordres, amiral, paré à appareiller!"},
    };
    Harbour h;
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.mots);
        const QString mots = QString::fromUtf8(k.mots);
        // The crew answers, then the helm is handed over; the balloon keeps the answer alone.
        EXPECT_EQ((h.port.*k.choix)(), mots + A_VOUS_LA_BARRE);
        EXPECT_EQ(h.partie.message_courant, mots);
        EXPECT_EQ(h.port.placement_tempo.bateau.nom, QLatin1String(k.nom));
        EXPECT_TRUE(h.port.poste(k.poste).image.endsWith(QLatin1String("_SEL")));
        // Only the chosen berth shows its ship taken out.
        int choisis = 0;
        for (const EtatPoste& e : h.port.postes())
            choisis += e.image.endsWith(QLatin1String("_SEL")) ? 1 : 0;
        EXPECT_EQ(choisis, 1);
    }
}

TEST(Port, AncrerVirerEtRefus) {
    Harbour h;
    // Nothing chosen: both commands refuse.
    EXPECT_EQ(h.port.ButtonVireClick(), VIREMENT_IMPOSSIBLE);
    EXPECT_EQ(h.port.ButtonAncreClick(), MOUILLAGE_IMPOSSIBLE);
    EXPECT_TRUE(h.partie.plan_joueur.vide());
    EXPECT_TRUE(h.partie.plan_adverse.vide());

    h.port.ImBtnavireamiralClick();
    EXPECT_FALSE(h.port.deplacer(h.port.placement_tempo.colonne, h.port.placement_tempo.ligne));
    EXPECT_EQ(h.mouiller(9, 3), MOUILLAGE_IMPOSSIBLE);
    EXPECT_TRUE(h.port.navire_choisi);
    EXPECT_TRUE(h.partie.plan_joueur.vide());
    EXPECT_TRUE(h.partie.plan_adverse.vide());

    // Turning always succeeds, even where the ship does not fit; anchoring there is refused.
    EXPECT_EQ(h.port.ButtonVireClick(), VIREMENT);
    EXPECT_EQ(h.port.placement_tempo.bateau.nom, QStringLiteral("NAVIRE-AMIRALV"));
    h.port.deplacer(3, 9);
    EXPECT_EQ(h.port.ButtonAncreClick(), MOUILLAGE_IMPOSSIBLE);
    h.port.ButtonVireClick();
    EXPECT_EQ(h.port.placement_tempo.bateau.nom, QStringLiteral("NAVIRE-AMIRALH"));

    EXPECT_EQ(h.mouiller(8, 3), ANCRE);
    EXPECT_EQ(h.partie.plan_joueur(8, 3), QStringLiteral("NAVIRE-AMIRALH"));
    EXPECT_FALSE(h.port.navire_choisi);
    EXPECT_TRUE(h.port.texte_inspection.isEmpty());
    EXPECT_EQ(h.port.def_amiral.nombre, 0);
    EXPECT_EQ(h.port.poste(Poste::ImBtnavireamiral),
              (EtatPoste{false, QStringLiteral("NAVIRE_AMIRAL_FLOU")}));
    // The computer answered with its own flagship.
    EXPECT_EQ(compterClasses(lireFlotte(h.partie.plan_adverse)),
              (std::map<QString, int>{{QStringLiteral("NAVIRE-AMIRAL"), 1}}));
    // The chosen ship's record now holds the computer's ship.
    EXPECT_EQ(h.partie.plan_adverse(h.port.placement_tempo.colonne, h.port.placement_tempo.ligne),
              h.port.placement_tempo.bateau.nom);

    // A ship crossing the anchored flagship is refused; beside it, it anchors.
    h.port.ImBtChaloupe1Click();
    EXPECT_EQ(h.mouiller(10, 2, QLatin1Char('V')), MOUILLAGE_IMPOSSIBLE);
    EXPECT_EQ(h.mouiller(10, 4, QLatin1Char('V')), ANCRE);
    EXPECT_EQ(h.partie.plan_joueur(10, 4), QStringLiteral("CHALOUPEV"));
    EXPECT_EQ(h.partie.plan_joueur(10, 5), QStringLiteral("CHALOUPE"));
}

TEST(Port, AncragesManuelsEtReponsesDeLOrdinateur) {
    Harbour h;
    const std::vector<std::tuple<QString (Port::*)(), int, int, QChar>> ordres = {
        {&Port::ImBtgalere2Click, 1, 1, QLatin1Char('H')},
        {&Port::BricClick, 1, 2, QLatin1Char('V')},
        {&Port::ChalouClick, 12, 11, QLatin1Char('V')},
        {&Port::BricClick, 4, 2, QLatin1Char('H')},
        {&Port::FregatClick, 8, 12, QLatin1Char('H')},
        {&Port::ChalouClick, 5, 5, QLatin1Char('H')},
        {&Port::GaleresClick, 5, 6, QLatin1Char('H')},
        {&Port::ImBtnavireamiralClick, 8, 1, QLatin1Char('V')},
        {&Port::ChalouClick, 7, 10, QLatin1Char('V')},
    };
    int anchored = 0;
    for (const auto& [choix, c, r, sens] : ordres) {
        EXPECT_FALSE((h.port.*choix)().isEmpty());
        const QString dit = h.mouiller(c, r, sens);
        ++anchored;
        EXPECT_EQ(dit, anchored < 9 ? ANCRE : TOUS_ANCRES);
        // Each anchoring adds exactly one computer ship, of the same classes as the player's.
        const auto joueur = lireFlotte(h.partie.plan_joueur);
        const auto adverse = lireFlotte(h.partie.plan_adverse);
        ASSERT_EQ(joueur.size(), static_cast<size_t>(anchored));
        EXPECT_EQ(compterClasses(adverse), compterClasses(joueur));
    }
    EXPECT_EQ(compterClasses(lireFlotte(h.partie.plan_joueur)), FLOTTE_COMPLETE);
    EXPECT_EQ(h.port.restantAuPort(), 0);
    for (const EtatPoste& e : h.port.postes())
        EXPECT_FALSE(e.actif);
    EXPECT_EQ(h.port.poste(Poste::ImBtGalere1).image, QStringLiteral("GALERE_FLOU"));
    EXPECT_EQ(h.port.poste(Poste::ImBtchaloupe3).image, QStringLiteral("CHALOUPE_FLOU"));

    // Back to the harbour: every ship at its berth, both plans empty.
    h.port.BtInitialiserClick();
    EXPECT_TRUE(h.partie.plan_joueur.vide());
    EXPECT_TRUE(h.partie.plan_adverse.vide());
    for (const EtatPoste& e : h.port.postes())
        EXPECT_TRUE(e.actif);
    EXPECT_EQ(h.port.poste(Poste::ImBtGalere1).image, QStringLiteral("GALEREH"));
}

TEST(Port, MenusChoisissentLePremierPosteLibre) {
    Harbour h;
    EXPECT_TRUE(h.port.BricClick().startsWith(QStringLiteral("L'équipage du premier brick")));
    EXPECT_EQ(h.mouiller(1, 1), ANCRE);
    EXPECT_EQ(h.port.poste(Poste::ImBtbrick1), (EtatPoste{false, QStringLiteral("BRICK_FLOU")}));
    EXPECT_TRUE(h.port.poste(Poste::ImBtBrick2).actif);
    EXPECT_TRUE(h.port.BricClick().startsWith(QStringLiteral("L'équipage du deuxième brick")));
    EXPECT_EQ(h.mouiller(1, 2), ANCRE);
    EXPECT_FALSE(h.port.poste(Poste::ImBtBrick2).actif);

    for (int i = 1; i <= 3; ++i) {
        h.port.ChalouClick();
        EXPECT_EQ(h.port.num_chaloupe, i);
        EXPECT_EQ(h.mouiller(1, 2 + i), ANCRE);
    }
    h.port.GaleresClick();
    EXPECT_EQ(h.port.num_galere, 1);
    EXPECT_EQ(h.mouiller(1, 6), ANCRE);
    h.port.GaleresClick();
    EXPECT_EQ(h.port.num_galere, 2);

    // A ship is chosen; a menu command for a class with no ship left only clears the berth numbers.
    h.port.placement_tempo.colonne = 7;
    const QString message = h.partie.message_courant;
    for (auto commande : {&Port::BricClick, &Port::ChalouClick}) {
        h.port.num_galere = 2;
        EXPECT_TRUE((h.port.*commande)().isEmpty());
        EXPECT_EQ(h.port.num_brick, 0);
        EXPECT_EQ(h.port.num_galere, 0);
        EXPECT_EQ(h.port.num_chaloupe, 0);
        EXPECT_TRUE(h.port.navire_choisi);
        EXPECT_EQ(h.port.placement_tempo.bateau.nom, QStringLiteral("GALEREH"));
        EXPECT_EQ(h.port.poste(Poste::ImBtGalere2).image, QStringLiteral("GALERE_SEL"));
        EXPECT_EQ(h.partie.message_courant, message);
    }
    // The galley chosen before lost its berth number; anchoring it still empties its own berth, so
    // it cannot leave harbour twice.
    EXPECT_EQ(h.mouiller(1, 7), ANCRE);
    EXPECT_EQ(h.port.poste(Poste::ImBtGalere2), (EtatPoste{false, QStringLiteral("GALERE_FLOU")}));
    EXPECT_TRUE(h.port.GaleresClick().isEmpty());
    h.port.ImBtnavireamiralClick();
    h.mouiller(1, 8);
    h.port.FregatClick();
    h.mouiller(1, 9);
    EXPECT_EQ(h.port.restantAuPort(), 0);
    EXPECT_EQ(h.port.InspectionClick(), FLOTTE_EN_POSITION);
    for (const EtatPoste& e : h.port.postes())
        EXPECT_FALSE(e.actif);
}

TEST(Port, RapportDInspection) {
    Harbour h;
    const QString reste = QStringLiteral("Il reste au port: ");
    const QString fin = QStringLiteral("à vous de les placer, amiral!");
    EXPECT_EQ(
        h.port.InspectionClick(),
        reste +
            QStringLiteral("le vaisseau amiral, la frégate, deux bricks, deux galères, trois chaloupes, ") +
            fin);
    // Ships anchored one by one down the first column: the inspection describes the chosen ship, and
    // with none chosen tells what is left in harbour.
    struct Etape {
        QString (Port::*choix)();
        const char* description;
        const char* restant;
    };
    const Etape etapes[] = {
        {&Port::ImBtnavireamiralClick,
         "Equipage paré pour l'inspection du vaisseau amiral. Trois ponts, 108 canons, 600 marins, 900 "
         "fusillers, c'est le plus puissant navire de la flotte. Il faut 5 coups au but pour le mettre hors "
         "de combat.",
         nullptr},
        {&Port::ImBtbrick1Click, nullptr, "la frégate, un brick, deux galères, trois chaloupes, "},
        {&Port::FregatClick,
         "Equipage de la frégate au complet, amiral. Deux ponts, 74 canons, 300 marins, 400 fusillers, "
         "c'est un navire redoutable. Il faut 4 coups au but pour le mettre hors de combat.",
         nullptr},
        {&Port::GaleresClick,
         "Voici la galère, amiral. Très manoeuvrante, dotée d'une artillerie faible mais précise, elle "
         "embarque 240 rameurs et presque autant de soldats. Il faut 3 coups au but pour la mettre hors de "
         "combat.",
         nullptr},
        {&Port::ChalouClick,
         "Chaloupe à vos ordres, amiral. Auxiliaire indispensable de la flotte, armée d'un canon et d'un "
         "vingtaine de marins, sa petite taille lui permet les coups les plus audacieux. Il faut 2 coups "
         "au but pour la mettre hors de combat.",
         "un brick, une galère, deux chaloupes, "},
        {&Port::ChalouClick, nullptr, "un brick, une galère, une chaloupe, "},
        {&Port::BricClick, nullptr, nullptr},
        {&Port::GaleresClick, nullptr, "une chaloupe, "},
    };
    int ligne = 0;
    for (const Etape& e : etapes) {
        SCOPED_TRACE(ligne + 1);
        (h.port.*e.choix)();
        if (e.description) {
            EXPECT_EQ(h.port.InspectionClick(), QString::fromUtf8(e.description));
            EXPECT_EQ(h.partie.message_courant, h.port.texte_inspection);
        }
        h.mouiller(1, ++ligne);
        if (e.restant) {
            EXPECT_EQ(h.port.InspectionClick(), reste + QString::fromUtf8(e.restant) + fin);
        }
    }
    h.port.ChalouClick();
    // A chosen ship gives way to the ready report once nothing is left in harbour; here one still is.
    EXPECT_TRUE(h.port.InspectionClick().startsWith(QStringLiteral("Chaloupe à vos ordres")));
    h.mouiller(1, 9);
    EXPECT_EQ(h.port.InspectionClick(), FLOTTE_EN_POSITION);
    EXPECT_EQ(h.partie.message_courant, FLOTTE_EN_POSITION);
}

TEST(Port, AnnonceDesCases) {
    Harbour h;
    EXPECT_EQ(h.port.annoncerCase(3, 7), QStringLiteral("C.7. ") + PAS_CHOISI);
    h.port.ImBtbrick1Click();
    EXPECT_EQ(h.port.annoncerCase(3, 7), QStringLiteral("C.7. ") + INDICE);
    h.mouiller(3, 7);
    // Every cell of the anchored brig gives its stem.
    EXPECT_EQ(h.port.annoncerCase(3, 7), QStringLiteral("C.7. BRICK au mouillage. "));
    EXPECT_EQ(h.port.annoncerCase(5, 7), QStringLiteral("E.7. BRICK au mouillage. "));
    EXPECT_EQ(h.partie.message_courant, QStringLiteral("E.7. BRICK au mouillage. "));
    h.port.ImBtBrick2Click();
    EXPECT_EQ(h.port.annoncerCase(4, 7), QStringLiteral("D.7. BRICK au mouillage. "));
    EXPECT_EQ(h.port.annoncerCase(12, 12), QStringLiteral("L.12. ") + INDICE);

    // The whole fleet anchored and nothing chosen: the sector alone.
    h.port.AutoClick();
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (h.partie.plan_joueur(c, r).isEmpty()) {
                EXPECT_EQ(h.port.annoncerCase(c, r), nomSecteur(c, r));
                return;
            }
    FAIL() << "no open sea left";
}

TEST(Port, ToutesLaFlotteDesDeuxCotes) {
    // Many clock starts, including one just before midnight.
    for (quint32 debut : {0u, 1u, 777u, 12u * 3600u * 1000u, 45296789u, 86399990u}) {
        for (int essai = 0; essai < 5; ++essai) {
            Harbour h((debut + static_cast<quint32>(essai) * 104729u) % (24u * 3600u * 1000u));
            h.port.ImBtfregateClick();
            const QString dit = h.port.AutoClick();
            EXPECT_EQ(dit, TOUS_EN_PLACE);
            EXPECT_EQ(h.partie.message_courant, dit);
            EXPECT_EQ(compterClasses(lireFlotte(h.partie.plan_joueur)), FLOTTE_COMPLETE);
            EXPECT_EQ(compterClasses(lireFlotte(h.partie.plan_adverse)), FLOTTE_COMPLETE);
            EXPECT_EQ(h.port.restantAuPort(), 0);
            EXPECT_FALSE(h.port.navire_choisi);
            EXPECT_TRUE(h.port.texte_inspection.isEmpty());
            const QStringList vides = {QStringLiteral("NAVIRE_AMIRAL_FLOU"), QStringLiteral("FREGATE_FLOU"),
                                       QStringLiteral("BRICK_FLOU"),         QStringLiteral("BRICK_FLOU"),
                                       QStringLiteral("GALERE_FLOU"),        QStringLiteral("GALERE_FLOU"),
                                       QStringLiteral("CHALOUPE_FLOU"),      QStringLiteral("CHALOUPE_FLOU"),
                                       QStringLiteral("CHALOUPE_FLOU")};
            for (int i = 0; i < NB_POSTES; ++i)
                EXPECT_EQ(h.port.postes()[i], (EtatPoste{false, vides[i]})) << i;

            // A second command starts again from empty plans.
            const Grille premier = h.partie.plan_joueur;
            h.port.AutoClick();
            EXPECT_EQ(compterClasses(lireFlotte(h.partie.plan_joueur)), FLOTTE_COMPLETE);
            EXPECT_EQ(compterClasses(lireFlotte(h.partie.plan_adverse)), FLOTTE_COMPLETE);
            EXPECT_NE(h.partie.plan_joueur, premier);
        }
    }
}

TEST(Port, LaFlotteAdverseNEstPasSurLaDiagonale) {
    // A clock that holds each reading for many reads: every cycle of a loop sees one reading, and
    // the column and row of the computer's ships must still be drawn independently.
    int diagonale = 0, total = 0;
    for (quint32 debut = 1000; debut < 1000 + 40 * 7919; debut += 7919) {
        HorlogePaliers horloge(debut, 64);
        Hasard hasard(horloge);
        Partie partie;
        Port port(partie, hasard);
        port.AutoClick();
        const auto adverse = lireFlotte(partie.plan_adverse);
        ASSERT_EQ(compterClasses(adverse), FLOTTE_COMPLETE);
        EXPECT_EQ(compterClasses(lireFlotte(partie.plan_joueur)), FLOTTE_COMPLETE);
        for (const auto& n : adverse) {
            ++total;
            if (n.colonne == n.ligne)
                ++diagonale;
        }
    }
    // Independent draws put about one ship in twelve on the diagonal.
    EXPECT_LT(diagonale * 4, total) << diagonale << " of " << total;
}

TEST(Port, DessinDuPlateau) {
    Harbour h;
    EXPECT_EQ(h.port.dessinPlateau(), (QList<Dessin>{{QStringLiteral("EAU"), 0, 0}}));
    h.port.ImBtfregateClick();
    h.port.deplacer(0, 4);
    // Over the legend strip the chosen ship is not drawn.
    EXPECT_EQ(h.port.dessinPlateau().size(), 1);
    h.mouiller(5, 6, QLatin1Char('V'));
    h.port.ImBtChaloupe1Click();
    h.mouiller(2, 9);
    h.port.ImBtnavireamiralClick();
    h.port.deplacer(4, 6);
    h.port.ButtonVireClick();
    // Sea, anchored ships column by column, then the chosen ship over them.
    EXPECT_EQ(h.port.dessinPlateau(), (QList<Dessin>{{QStringLiteral("EAU"), 0, 0},
                                                     {QStringLiteral("CHALOUPEH"), 2, 9},
                                                     {QStringLiteral("FREGATEV"), 5, 6},
                                                     {QStringLiteral("NAVIRE-AMIRALV"), 4, 6}}));
}

TEST(Port, EngagerLeCombat) {
    Harbour h;
    h.port.ImBtbrick1Click();
    const Engagement refus = h.port.EngagerClick();
    EXPECT_FALSE(refus.engage);
    EXPECT_EQ(refus.texte, REFUS_ENGAGER);
    EXPECT_EQ(h.partie.message_courant, refus.texte);
    EXPECT_EQ(h.port.num_brick, 1);

    h.port.AutoClick();
    const QString avant = h.partie.message_courant;
    const Engagement ok = h.port.EngagerClick();
    EXPECT_TRUE(ok.engage);
    EXPECT_TRUE(ok.texte.isEmpty());
    EXPECT_EQ(h.partie.message_courant, avant);
    EXPECT_EQ(h.port.num_brick + h.port.num_galere + h.port.num_chaloupe, 0);
}

TEST(Port, UnCycleUneLectureDeLHorlogeEtLaLettreQuiBascule) {
    // A clock reading whose draws give a column and a row where a flagship fits both ways, and a coin of 1.
    quint32 lecture = 0;
    int c = 0, r = 0;
    for (quint32 t = 1000; lecture == 0; ++t) {
        HorlogePaliers h(t, 1 << 20);
        Hasard essai(h);
        essai.Randomize();
        c = static_cast<int>(essai.tirage(13));
        r = static_cast<int>(essai.tirage(13));
        if (c >= 1 && c <= 8 && r >= 1 && r <= 8 && c != r && essai.tirage(2) == 1)
            lecture = t;
    }
    // The clock does not move while the fleet's first ship is laid out.
    HorlogePaliers horloge(lecture, 1 << 20);
    Hasard hasard(horloge);
    Partie partie;
    Port port(partie, hasard);
    port.ChoisirNavire(port.def_amiral);
    port.Place();
    // The letter flips before the first attempt: the player's flagship, H when chosen, lies V.
    EXPECT_EQ(partie.plan_joueur(c, r), QStringLiteral("NAVIRE-AMIRALV"));
    // The computer's loop starts from V, draws the same column and row from the same reading, and its first
    // attempt is H, on its own sea.
    EXPECT_EQ(partie.plan_adverse(c, r), QStringLiteral("NAVIRE-AMIRALH"));
    EXPECT_EQ(port.placement_tempo.colonne, c);
    EXPECT_EQ(port.placement_tempo.ligne, r);
    EXPECT_FALSE(port.navire_choisi);
    EXPECT_EQ(port.def_amiral.nombre, 0);
    EXPECT_EQ(port.poste(Poste::ImBtnavireamiral), (EtatPoste{false, QStringLiteral("NAVIRE_AMIRAL_FLOU")}));

    // "Toute la flotte" lays the frigate out last: the scratch record holds the computer's frigate.
    HorlogePaliers autre(lecture, 7);
    Hasard hasard2(autre);
    Partie partie2;
    Port port2(partie2, hasard2);
    port2.AutoClick();
    EXPECT_EQ(racine(port2.placement_tempo.bateau.nom), QStringLiteral("FREGATE"));
    EXPECT_EQ(partie2.plan_adverse(port2.placement_tempo.colonne, port2.placement_tempo.ligne),
              port2.placement_tempo.bateau.nom);
}
