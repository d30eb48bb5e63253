// Whole games played by a restless player: random keys, clicks and waits in every phase, the game's
// rules checked after each step and each game. CORSABORD_PARTIES sets how many games, CORSABORD_GRAINE
// the first game's seed; a failing game names its seed, which replays it alone.
#include "base/board.h"
#include "base/timer.h"
#include "battle/journal.h"
#include "battle/tir.h"
#include "battle/vigie.h"
#include "screens/aide.h"
#include "placement/image_poste.h"
#include "support/jeu.h"
#include "support/resumes.h"
#include "support/textes.h"

#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <random>

namespace {
using namespace textes;

// What the games went through, printed at the end of a run.
struct Bilan {
    int victoires = 0;
    int defaites = 0;
    int retours = 0;                                           // Ctrl+N in the middle of a battle
    qint64 pas = 0;                                            // keys, clicks and waits
    qint64 auPort = 0, enVisee = 0, enEchange = 0, aLaFin = 0; // the same, by phase
    qint64 ms = 0;                                             // virtual time played
    qint64 ecrans = 0;                                         // voice and About screens opened
    qint64 vigie = 0;                                          // lookout keys (F1 to F7, the glance)
    qint64 tapes = 0;                                          // sectors typed as a letter and a number
};
Bilan bilan;

const QString VICTOIRE = QStringLiteral("Ils n'ont plus un seul navire");
const QString DEFAITE = QStringLiteral("C'est la fin, moussaillon");
const QString COURAGE = QStringLiteral("Votre courage vous honore, amiral, nous retournons au combat!");

int marques(const Grille& tirs) {
    int n = 0;
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            n += !tirs(c, r).isEmpty();
    return n;
}

// The stems of the ships of a plan that the shots have wholly hit, sorted.
QStringList coules(const Partie& partie, const Grille& plan, const Grille& tirs) {
    QStringList stems;
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r) {
            if (!estNomNavire(plan(c, r)))
                continue;
            const bool h = plan(c, r).endsWith(QLatin1Char('H'));
            bool touche = true;
            for (int i = 0; i < partie.longueurDe(plan(c, r)); ++i)
                touche = touche && tirs(h ? c + i : c, h ? r : r + i) == QStringLiteral("TOUCHE");
            if (touche)
                stems << racine(plan(c, r));
        }
    stems.sort();
    return stems;
}

// The ships one sentence of the fleets afloat names: "un", "une", "deux", "trois" before each class.
int naviresNommes(const QString& phrase) {
    static const QRegularExpression nombre(
        QStringLiteral("\\b(un|une|deux|trois) (vaisseau|frégate|brick|galère|chaloupe)"));
    int n = 0;
    for (auto it = nombre.globalMatch(phrase); it.hasNext();) {
        const QString mot = it.next().captured(1);
        n += mot == QStringLiteral("deux") ? 2 : mot == QStringLiteral("trois") ? 3 : 1;
    }
    return n;
}

// A spoken loss report against the grids: the fixed sentence before any shot or any sinking,
// otherwise the heading and one "Tir numéro" line for each ship the grids show sunk, in firing order.
void verifierRapport(const QString& dit, const QString& avantTir, const QString& aucune,
                     const QString& entete, const QString& cote, int tirs, const QStringList& attendus) {
    if (tirs == 0) {
        EXPECT_EQ(dit, avantTir);
        return;
    }
    if (attendus.isEmpty()) {
        EXPECT_EQ(dit, aucune);
        return;
    }
    QStringList lignes = dit.split(QLatin1Char('\n'));
    ASSERT_TRUE(dit.endsWith(QLatin1Char('\n'))) << dit.toStdString();
    lignes.removeLast();
    ASSERT_FALSE(lignes.isEmpty());
    EXPECT_EQ(lignes.takeFirst(), entete);
    const QString fin = QLatin1Char(' ') + cote + QStringLiteral(" hors de combat. ");
    QStringList stems;
    int precedent = 0;
    for (const QString& l : lignes) {
        const qsizetype deuxPoints = l.indexOf(QStringLiteral(": "));
        ASSERT_TRUE(l.startsWith(QStringLiteral("Tir numéro ")) && deuxPoints > 0 && l.endsWith(fin))
            << l.toStdString();
        const int numero = l.mid(11, deuxPoints - 11).toInt();
        EXPECT_GT(numero, precedent) << dit.toStdString();
        EXPECT_LE(numero, tirs) << dit.toStdString();
        precedent = numero;
        stems << l.mid(deuxPoints + 2, l.size() - deuxPoints - 2 - fin.size());
    }
    stems.sort();
    EXPECT_EQ(stems, attendus) << dit.toStdString();
}

// One game, from the harbour to its closing words, by a player who presses whatever comes to hand.
class Matelot {
public:
    explicit Matelot(quint32 graine)
        : des_(graine) {
        jeu_.temps = TempsVirtuel(graine * 7919u % 86400000u, 1 + graine % 5);
    }

    void jouer() {
        retoursPermis_ = pile(50) ? 0 : 1 + de(2);
        ASSERT_TRUE(jeu_.creer());
        Echange& e = jeu_.bataille->echange();
        // The box asks "revenir à terre?" and hears No; a side screen is left by Escape.
        jeu_.dialogues.reponse = false;
        jeu_.dialogues.pendant = [](QDialog* ecran) { QTest::keyClick(ecran, Qt::Key_Escape); };
        const QList<std::pair<Timer*, const char*>> minuteries = {{e.TimerTir, "TimerTir"},
                                                                  {e.TimerReplique, "TimerReplique"},
                                                                  {e.TimerEnnemi, "TimerEnnemi"},
                                                                  {e.Timergagne, "Timergagne"},
                                                                  {e.TimerFinal, "TimerFinal"}};
        for (auto [t, nom] : minuteries)
            QObject::connect(t, &Timer::timeout, [this, nom] {
                EXPECT_FALSE(jeu_.test->isVisible()) << nom << " fired in the harbour";
            });
        // Connected after the battle's own handlers, so these see each beat once it is played.
        QObject::connect(e.TimerReplique, &Timer::timeout, [this] { tourEnnemi(); });
        QObject::connect(e.TimerEnnemi, &Timer::timeout, [this] {
            if (jeu_.bataille->echange().phase() == Phase::TourDuJoueur) {
                EXPECT_EQ(jeu_.bataille->focusWidget(), adverse()) << "the turn came back without the keys";
            }
        });
        QObject::connect(e.TimerFinal, &Timer::timeout, [this] { fini_ = true; });
        jeu_.demarrer();

        int apresLaFin = -1;
        for (int pas = 0; pas < 20000 && !::testing::Test::HasFatalFailure(); ++pas) {
            if (jeu_.temps.ecoule() > 6 * 3600 * 1000)
                break;
            const int tirs = jeu_.partie.nb_tirs_joueur;
            const qsizetype dits = jeu_.compagnon.paroles.size();
            agir();
            ++bilan.pas;
            // A shot at most per step, and each one heard.
            if (jeu_.partie.nb_tirs_joueur > tirs) {
                EXPECT_EQ(jeu_.partie.nb_tirs_joueur, tirs + 1);
                EXPECT_TRUE(jeu_.compagnon.paroles.mid(dits).contains(FEU));
            }
            verifierEtat();
            if (::testing::Test::HasFailure())
                return;
            if (fini_ && apresLaFin < 0)
                apresLaFin = std::uniform_int_distribution<>(0, 6)(des_);
            if (fini_ && apresLaFin-- == 0) {
                finDePartie();
                return;
            }
        }
        ADD_FAILURE() << "the game never ended: " << jeu_.temps.ecoule() << " ms of play, phase "
                      << static_cast<int>(jeu_.bataille->echange().phase());
    }

private:
    int de(int n) { return std::uniform_int_distribution<>(0, n - 1)(des_); }
    bool pile(int surCent) { return de(100) < surCent; }
    Board* adverse() { return jeu_.bataille->port_adverse; }
    Phase phase() { return jeu_.bataille->echange().phase(); }
    // The seas as the parrot has told them, which every query reads.
    const Partie& vu() { return jeu_.bataille->echange().commeRaconte(); }
    bool auPort() { return jeu_.test->isVisible(); }
    QStringList entendu() {
        const QStringList nouveau = jeu_.compagnon.paroles.mid(lu_);
        lu_ = jeu_.compagnon.paroles.size();
        return nouveau;
    }

    void avancer(int maxMs) { jeu_.temps.avancer(de(maxMs + 1)); }

    static Qt::Key deplacement(int i) {
        static const Qt::Key touches[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                                          Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown};
        return touches[i % 8];
    }

    void clic(Board* b, int x, int y, Qt::MouseButton bouton) {
        JeuDeTest::pointeur(b, QEvent::MouseMove, Qt::NoButton, x, y);
        JeuDeTest::pointeur(b, QEvent::MouseButtonPress, bouton, x, y);
        JeuDeTest::pointeur(b, QEvent::MouseButtonRelease, bouton, x, y);
    }
    Qt::MouseButton bouton() { return pile(70) ? Qt::LeftButton : Qt::RightButton; }
    // Anywhere over a board, the legend strips and a little beyond the edges included.
    int coordonnee() { return pile(20) ? de(33) : de(Board::COTE + 20) - 10; }

    // The commands that every phase offers.
    bool commandeCommune() {
        switch (de(40)) {
        case 0:
            jeu_.ctrl(Qt::Key_R);
            return true;
        case 1:
            ecouterRapports();
            return true;
        case 2:
            jeu_.ctrl(Qt::Key_J);
            return true;
        case 3:
            jeu_.ctrl(Qt::Key_V);
            jeu_.touche(Qt::Key_Escape);
            EXPECT_TRUE(jeu_.compagnon.connecte()) << "the parrot did not come back from the voice screen";
            return true;
        case 4: {
            const Phase avant = phase();
            entendu();
            jeu_.ctrl(Qt::Key_Q);
            EXPECT_EQ(entendu().value(1), COURAGE);
            EXPECT_EQ(phase(), avant);
            EXPECT_TRUE(jeu_.fins.isEmpty());
            return true;
        }
        case 5:
            jeu_.ctrl(Qt::Key_S);
            return true;
        case 7:
        case 8:
            vigie();
            return true;
        case 9: {
            // The last texts walked back and forth: each with its place, never more than fifty kept, and
            // Ctrl+R's text left as it was.
            const int n = jeu_.bataille->narrateur().historique().taille();
            const int depart = jeu_.bataille->narrateur().historique().place();
            const QString dernier = jeu_.bataille->narrateur().dernier_message();
            const int pas = 1 + de(3);
            entendu();
            for (int i = 0; i < pas; ++i)
                jeu_.touche(Qt::Key_Up, Qt::AltModifier);
            jeu_.touche(Qt::Key_Down, Qt::AltModifier);
            EXPECT_LE(n, 50);
            // from where the last walk stopped, unless a text came since
            int place = depart;
            for (int i = 0; i < pas; ++i)
                place = place == 0 ? n : std::max(1, place - 1);
            place = std::min(n, place + 1);
            const QStringList dits = entendu();
            if (n > 0) {
                EXPECT_TRUE(dits.value(pas).startsWith(QStringLiteral("%1 sur %2: ").arg(place).arg(n)))
                    << n << " " << pas << " " << dits.join(QLatin1Char('|')).toStdString();
            }
            EXPECT_EQ(jeu_.bataille->narrateur().dernier_message(), dernier);
            return true;
        }
        case 10: {
            // Shift or Alt alone, then our own sea by Tab, read by arrows and Space: nothing is fired.
            if (auPort())
                return false;
            const int tirs = jeu_.partie.nb_tirs_joueur;
            jeu_.touche(pile(50) ? Qt::Key_Shift : Qt::Key_Alt);
            jeu_.touche(Qt::Key_Tab);
            for (int i = de(4); i > 0; --i)
                jeu_.touche(deplacement(de(8)));
            jeu_.touche(Qt::Key_Space);
            for (int i = 0; i < 3 && adverse()->isEnabled() && !adverse()->hasFocus(); ++i)
                jeu_.touche(Qt::Key_Tab);
            EXPECT_EQ(jeu_.partie.nb_tirs_joueur, tirs);
            return true;
        }
        case 11:
            questionsEtSauts();
            return true;
        case 12: {
            // A pause of any length, and the game on from where it was.
            const Phase avant = phase();
            const int tirs = jeu_.partie.nb_tirs_joueur, ennemi = jeu_.partie.nb_tirs_adverse;
            jeu_.touche(Qt::Key_F11);
            avancer(60000);
            if (!auPort())
                jeu_.touche(Qt::Key_Space);
            EXPECT_EQ(phase(), avant);
            EXPECT_EQ(jeu_.partie.nb_tirs_joueur + jeu_.partie.nb_tirs_adverse, tirs + ennemi);
            jeu_.touche(pile(50) ? Qt::Key_F11 : Qt::Key_Pause);
            EXPECT_FALSE(jeu_.bataille->echange().enPause());
            return true;
        }
        case 6: {
            // Any other Control letter, bound on this screen or not.
            const auto k = static_cast<Qt::Key>(Qt::Key_A + de(26));
            if (k != Qt::Key_N && k != Qt::Key_Q)
                jeu_.ctrl(k);
            return true;
        }
        default:
            return false;
        }
    }

    // A key of the lookout, and what it says checked against the grids.
    void vigie() {
        ++bilan.vigie;
        const bool enMer = !auPort() && phase() != Phase::Placement;
        const int col = adverse()->col(), row = adverse()->row();
        entendu();
        switch (de(10)) {
        case 0:
            jeu_.touche(Qt::Key_F1);
            EXPECT_EQ(entendu().value(0), texteTouchesAjoutees());
            break;
        case 1:
        case 2: {
            const bool colonne = pile(50);
            jeu_.touche(colonne ? Qt::Key_F3 : Qt::Key_F2);
            const QString dit = entendu().value(0);
            if (!enMer) {
                EXPECT_EQ(dit, PAS_ENCORE_EN_MER);
                break;
            }
            // Exactly the shots recorded in that row or column, once the parrot has told them.
            QList<std::pair<int, int>> touches, eau;
            const Grille& tirs = vu().tirs_joueur;
            for (int i = 1; i <= TAILLE_MER; ++i) {
                const int c = colonne ? col : i, r = colonne ? i : row;
                if (tirs(c, r) == QStringLiteral("TOUCHE"))
                    touches.append({c, r});
                if (tirs(c, r) == QStringLiteral("MANQUE"))
                    eau.append({c, r});
            }
            EXPECT_EQ(secteursApres(dit, QStringLiteral("touché")), touches) << dit.toStdString();
            EXPECT_EQ(secteursApres(dit, QStringLiteral("dans l'eau")), eau) << dit.toStdString();
            break;
        }
        case 3:
            jeu_.touche(pile(50) ? Qt::Key_F2 : Qt::Key_F3, Qt::ShiftModifier);
            {
                const QString dit = entendu().value(0);
                EXPECT_TRUE(dit.contains(enMer ? QStringLiteral("de notre flotte") : PAS_ENCORE_EN_MER))
                    << dit.toStdString() << (auPort() ? " (harbour)" : "");
                break;
            }
        case 4: {
            jeu_.touche(Qt::Key_F4);
            const QString dit = entendu().value(0);
            if (!enMer) {
                EXPECT_EQ(dit, PAS_ENCORE_EN_MER);
                break;
            }
            const qsizetype point = dit.indexOf(QStringLiteral(". "));
            const Partie& v = vu();
            EXPECT_EQ(naviresNommes(dit.left(point)), 9 - coules(v, v.plan_adverse, v.tirs_joueur).size())
                << dit.toStdString();
            EXPECT_EQ(naviresNommes(dit.mid(point)), 9 - coules(v, v.plan_joueur, v.tirs_adverse).size())
                << dit.toStdString();
            break;
        }
        case 5:
            jeu_.touche(Qt::Key_F5);
            EXPECT_TRUE(entendu().value(0).contains(QStringLiteral("journal de bord"), Qt::CaseInsensitive));
            break;
        case 6: {
            // Shift+F5 answered No: the logbook is kept as it was.
            const QByteArray avant = lireJournal();
            jeu_.touche(Qt::Key_F5, Qt::ShiftModifier);
            EXPECT_EQ(entendu().value(0), QUESTION_EFFACER_JOURNAL);
            EXPECT_EQ(lireJournal(), avant);
            break;
        }
        case 7:
            // The pace and the level are written to disk at each change: now and then only.
            if (!pile(10))
                break;
            jeu_.touche(Qt::Key_F6);
            EXPECT_EQ(entendu().value(0), texteAllure(jeu_.bataille->echange().allure()));
            break;
        case 8: {
            // The glance, Ctrl+F2 to Ctrl+F4: a run of sounds at sea, as many as the row or the hits.
            const qsizetype avant = jeu_.sons.suites.size();
            const auto k = static_cast<Qt::Key>(Qt::Key_F2 + de(3));
            jeu_.touche(k, Qt::ControlModifier);
            const QString dit = entendu().value(0);
            const bool nous = jeu_.bataille->port_joueur->hasFocus();
            qsizetype touches = 0;
            for (int c = 1; c <= TAILLE_MER; ++c)
                for (int r = 1; r <= TAILLE_MER; ++r)
                    touches +=
                        (nous ? vu().tirs_adverse : vu().tirs_joueur)(c, r) == QStringLiteral("TOUCHE");
            if (!enMer)
                EXPECT_EQ(dit, PAS_ENCORE_EN_MER);
            else if (k == Qt::Key_F4 && touches == 0)
                EXPECT_EQ(dit, nous ? AUCUN_TOUCHE_NOUS : AUCUN_TOUCHE_ENNEMI);
            else
                EXPECT_EQ(jeu_.sons.suites.value(avant).size(), k == Qt::Key_F4 ? touches : 12);
            break;
        }
        default:
            if (!pile(10))
                break;
            jeu_.touche(Qt::Key_F7);
            EXPECT_EQ(entendu().value(0), texteNiveau(jeu_.bataille->echange().niveau()));
            break;
        }
    }

    // The queries that move nothing, the jumps of the aim and now and then the brief mode, checked.
    void questionsEtSauts() {
        ++bilan.vigie;
        const Partie& p = jeu_.partie;
        const bool enMer = !auPort() && phase() != Phase::Placement;
        const int col = adverse()->col(), row = adverse()->row(), tirs = p.nb_tirs_joueur;
        entendu();
        switch (de(6)) {
        case 0:
            jeu_.touche(Qt::Key_F9, Qt::ShiftModifier);
            EXPECT_EQ(entendu().value(0), enMer ? texteBlesses(vu()) : PAS_ENCORE_EN_MER);
            break;
        case 1:
            jeu_.touche(Qt::Key_F10);
            EXPECT_EQ(entendu().value(0),
                      enMer ? texteViseur(vu().tirs_joueur, col, row) : PAS_ENCORE_EN_MER);
            break;
        case 2: {
            if (!enMer)
                break;
            const Case c{1 + de(9), 2 + de(8)};
            jeu_.touche(Qt::Key_F4, Qt::ShiftModifier);
            jeu_.touche(Qt::Key(Qt::Key_A + c.colonne - 1));
            jeu_.touche(Qt::Key(Qt::Key_0 + c.ligne));
            EXPECT_EQ(entendu().value(2),
                      texteNotreMer(vu().plan_joueur, vu().tirs_adverse, c.colonne, c.ligne));
            break;
        }
        case 3:
        case 4: {
            const bool blesse = pile(50);
            const Case attendu = phase() != Phase::TourDuJoueur ? Case{}
                                 : blesse                       ? prochainPresDUnBlesse(p, {col, row})
                                          : prochainInexplore(p.tirs_joueur, {col, row});
            jeu_.touche(blesse ? Qt::Key_Left : Qt::Key_Right, Qt::AltModifier);
            EXPECT_TRUE(attendu.colonne == 0 || Case(adverse()->col(), adverse()->row()) == attendu);
            break;
        }
        default:
            if (pile(10))
                jeu_.touche(Qt::Key_F6, Qt::ShiftModifier); // written to disk: now and then only
            jeu_.touche(Qt::Key_F9);
            break;
        }
        EXPECT_EQ(p.nb_tirs_joueur, tirs); // none of them fires
    }

    QByteArray lireJournal() {
        QFile f(jeu_.dossier.filePath(Journal::nomFichier()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void agir() {
        if (commandeCommune())
            return;
        if (auPort()) {
            ++bilan.auPort;
            auPortAgir();
        } else if (phase() == Phase::TourDuJoueur) {
            ++bilan.enVisee;
            viserAgir();
        } else if (phase() == Phase::Echange) {
            ++bilan.enEchange;
            plateauFermeAgir(4000);
        } else {
            ++bilan.aLaFin;
            plateauFermeAgir(8000);
        }
    }

    void auPortAgir() {
        TTest* t = jeu_.test;
        switch (de(16)) {
        case 0:
        case 1:
        case 2:
            jeu_.touche(deplacement(de(8)));
            break;
        case 3: {
            static const Qt::Key navires[] = {Qt::Key_A, Qt::Key_F, Qt::Key_B, Qt::Key_G, Qt::Key_C};
            jeu_.ctrl(navires[de(5)]);
            break;
        }
        case 4:
            QTest::mouseClick(t->poste(static_cast<Poste>(de(NB_POSTES))), Qt::LeftButton);
            break;
        case 5:
            jeu_.ctrl(Qt::Key_O);
            break;
        case 6:
        case 7:
            jeu_.ctrl(Qt::Key_M);
            break;
        case 8:
        case 9:
            JeuDeTest::pointeur(t->Grille_de_placement, QEvent::MouseMove, Qt::NoButton, coordonnee(),
                                coordonnee());
            break;
        case 10:
            clic(t->Grille_de_placement, coordonnee(), coordonnee(), bouton());
            break;
        case 11:
            if (!patient_ || pile(2))
                jeu_.ctrl(Qt::Key_T);
            break;
        case 12:
            if (pile(10))
                jeu_.ctrl(Qt::Key_P);
            else
                jeu_.ctrl(Qt::Key_I);
            break;
        case 13:
            jeu_.ctrl(Qt::Key_E);
            break;
        case 14:
            avancer(60000);
            break;
        default:
            jeu_.touche(pile(50) ? Qt::Key_Space : Qt::Key_Return);
            break;
        }
    }

    void viserAgir() {
        switch (de(14)) {
        case 0:
        case 1:
        case 2:
            jeu_.touche(deplacement(de(8)));
            break;
        case 3:
            jeu_.touche(Qt::Key_Space);
            break;
        case 4:
        case 5:
            viserUneCaseNeuve();
            break;
        case 6:
        case 7:
            JeuDeTest::pointeur(adverse(), QEvent::MouseMove, Qt::NoButton, coordonnee(), coordonnee());
            break;
        case 8:
            JeuDeTest::pointeur(adverse(), QEvent::MouseButtonRelease, bouton(), coordonnee(), coordonnee());
            break;
        case 9:
            jeu_.touche(pile(50) ? Qt::Key_X : Qt::Key_Return);
            break;
        case 10:
            ecouterRapports();
            break;
        case 11:
            placerEnCours();
            break;
        default:
            avancer(3000);
            break;
        }
    }

    // A sector never fired at, next to a hit more often than not, reached by the pointer or by the keys,
    // and fired at.
    void viserUneCaseNeuve() {
        const Grille& tirs = jeu_.partie.tirs_joueur;
        QList<std::pair<int, int>> neuves, voisines;
        for (int c = 1; c <= TAILLE_MER; ++c)
            for (int r = 1; r <= TAILLE_MER; ++r) {
                if (!tirs(c, r).isEmpty())
                    continue;
                neuves.append({c, r});
                for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    if (c + dc >= 1 && c + dc <= TAILLE_MER && r + dr >= 1 && r + dr <= TAILLE_MER &&
                        tirs(c + dc, r + dr) == QStringLiteral("TOUCHE")) {
                        voisines.append({c, r});
                        break;
                    }
            }
        ASSERT_FALSE(neuves.isEmpty()) << "the player's turn with every sector fired at";
        if (!voisines.isEmpty() && pile(80))
            neuves = voisines;
        const auto [c, r] = neuves[de(static_cast<int>(neuves.size()))];
        if (pile(50)) {
            const int x = c * CELLULE + 1 + de(30);
            const int y = r * CELLULE + 1 + de(30);
            JeuDeTest::pointeur(adverse(), QEvent::MouseMove, Qt::NoButton, x, y);
            JeuDeTest::pointeur(adverse(), QEvent::MouseButtonRelease, bouton(), x, y);
            return;
        }
        if (pile(50)) {
            // Typed: the letter, the number (1 then Enter, or 1 then 0 to 2), and Space.
            ++bilan.tapes;
            entendu();
            jeu_.touche(static_cast<Qt::Key>(Qt::Key_A + c - 1));
            jeu_.touche(static_cast<Qt::Key>(Qt::Key_0 + (r >= 10 ? 1 : r)));
            if (r == 1)
                jeu_.touche(Qt::Key_Return);
            if (r >= 10)
                jeu_.touche(static_cast<Qt::Key>(Qt::Key_0 + r - 10));
            EXPECT_EQ(entendu().last(), (jeu_.bataille->echange().bref() ? annonceBreve : annonceSecteur)(
                                            jeu_.partie.tirs_joueur, c, r));
            EXPECT_EQ(jeu_.partie.nb_tirs_joueur + 0, marques(jeu_.partie.tirs_joueur));
            EXPECT_EQ(adverse()->col(), c);
            EXPECT_EQ(adverse()->row(), r);
            jeu_.touche(Qt::Key_Space);
            return;
        }
        jeu_.touche(Qt::Key_Home);
        jeu_.touche(Qt::Key_PageUp);
        for (int i = 1; i < c; ++i)
            jeu_.touche(Qt::Key_Right);
        for (int i = 1; i < r; ++i)
            jeu_.touche(Qt::Key_Down);
        EXPECT_EQ(adverse()->col(), c);
        EXPECT_EQ(adverse()->row(), r);
        jeu_.touche(Qt::Key_Space);
    }

    // While the board is closed, nothing aims or fires, whether the input goes to the board or to the
    // window in front.
    void frapperLePlateauFerme() {
        const int tirs = jeu_.partie.nb_tirs_joueur;
        entendu();
        switch (de(4)) {
        case 0:
            QTest::keyClick(adverse(), pile(50) ? Qt::Key_Space : deplacement(de(8)));
            break;
        case 1:
            jeu_.touche(pile(50) ? Qt::Key_Space : deplacement(de(8)));
            break;
        case 2:
            clic(adverse(), coordonnee(), coordonnee(), bouton());
            break;
        default:
            JeuDeTest::pointeur(adverse(), QEvent::MouseMove, Qt::NoButton, coordonnee(), coordonnee());
            break;
        }
        EXPECT_EQ(jeu_.partie.nb_tirs_joueur, tirs);
        for (const QString& dit : entendu())
            EXPECT_FALSE(dit == FEU || dit.startsWith(QStringLiteral("Secteur"))) << dit.toStdString();
    }

    // A shot and its reply under way, or the game's end: the board is closed, time goes on.
    void plateauFermeAgir(int attenteMax) {
        switch (de(10)) {
        case 0:
        case 1:
            frapperLePlateauFerme();
            break;
        case 2:
            ecouterRapports();
            break;
        case 3:
            placerEnCours();
            break;
        default:
            avancer(pile(30) ? 12000 : attenteMax);
            break;
        }
    }

    // Ctrl+N in the middle of a battle, a few times a game at most: the harbour must stay quiet.
    void placerEnCours() {
        if (retours_ >= retoursPermis_ || !pile(2))
            return;
        ++retours_;
        // A game left after a shot, or one already over, is in the logbook.
        const Partie& p = jeu_.partie;
        gagnees_ += p.victoire_joueur;
        perdues_ += p.victoire_adverse;
        abandons_ += !p.victoire_joueur && !p.victoire_adverse && p.nb_tirs_joueur > 0;
        jeu_.ctrl(Qt::Key_N);
        EXPECT_TRUE(auPort());
        verifierEtat();
        entendu();
        jeu_.temps.avancer(20000);
        for (const QString& dit : entendu())
            EXPECT_FALSE(dit == FEU_ENNEMI || dit.startsWith(QStringLiteral("Impact en")) ||
                         dit.startsWith(QStringLiteral("Touché en")))
                << "the battle spoke in the harbour: " << dit.toStdString();
        EXPECT_EQ(jeu_.partie.nb_tirs_joueur + jeu_.partie.nb_tirs_adverse, 0);
    }

    // Ctrl+I and Ctrl+D; both must say what the grids show. In the harbour Ctrl+I is its own.
    void ecouterRapports() {
        const Partie& p = jeu_.partie;
        entendu();
        jeu_.ctrl(Qt::Key_D);
        verifierRapport(entendu().value(0), LEURS_PERTES_AVANT_TIR, LEURS_PERTES_AUCUNE,
                        ENTETE_PERTES_ENNEMIES, QStringLiteral("adverse"), p.nb_tirs_joueur,
                        coules(p, p.plan_adverse, p.tirs_joueur));
        if (auPort())
            return;
        jeu_.ctrl(Qt::Key_I);
        verifierRapport(entendu().value(0), NOS_PERTES_AVANT_TIR, NOS_PERTES_AUCUNE, ENTETE_NOS_PERTES,
                        QString(), p.nb_tirs_adverse, coules(p, p.plan_joueur, p.tirs_adverse));
    }

    // One computer's turn, just played: one more shot, one more mark.
    void tourEnnemi() {
        const Partie& p = jeu_.partie;
        EXPECT_EQ(p.nb_tirs_adverse, tirsEnnemis_ + 1) << "the computer's turn fired other than once";
        EXPECT_EQ(marques(p.tirs_adverse), p.nb_tirs_adverse);
        tirsEnnemis_ = p.nb_tirs_adverse;
    }

    // What holds after every step.
    void verifierEtat() {
        const Partie& p = jeu_.partie;
        const Echange& e = jeu_.bataille->echange();
        EXPECT_EQ(marques(p.tirs_joueur), p.nb_tirs_joueur);
        EXPECT_EQ(marques(p.tirs_adverse), p.nb_tirs_adverse);
        EXPECT_EQ(adverse()->accepte(), e.phase() == Phase::TourDuJoueur) << "phase " << int(e.phase());
        const int actifs = e.TimerTir->isEnabled() + e.TimerReplique->isEnabled() +
                           e.TimerEnnemi->isEnabled() + e.Timergagne->isEnabled() + e.TimerFinal->isEnabled();
        EXPECT_LE(actifs, 1);
        // The shots alternate: the computer answers every shot but the one that wins.
        EXPECT_TRUE(p.nb_tirs_adverse == p.nb_tirs_joueur || p.nb_tirs_adverse + 1 == p.nb_tirs_joueur)
            << p.nb_tirs_joueur << " shots against " << p.nb_tirs_adverse;
        if (auPort()) {
            EXPECT_EQ(e.phase(), Phase::Placement);
            EXPECT_EQ(actifs, 0) << "a timer of the battle runs in the harbour";
            EXPECT_EQ(p.nb_tirs_joueur + p.nb_tirs_adverse, 0);
            tirsEnnemis_ = 0;
            fini_ = false;
            return;
        }
        EXPECT_NE(e.phase(), Phase::Placement);
        // A shot or an end under way always has its next beat coming; nothing waits forever.
        if (e.phase() == Phase::TourDuJoueur) {
            EXPECT_EQ(actifs, 0) << "a beat of the exchange is still coming in the player's turn";
        }
        if (e.phase() == Phase::Echange) {
            EXPECT_EQ(actifs, 1) << "the exchange is stuck";
        }
        if (e.phase() == Phase::FinDePartie) {
            EXPECT_EQ(actifs, fini_ ? 0 : 1) << "the end of the game is stuck";
        }
        EXPECT_EQ(p.victoire_joueur || p.victoire_adverse, e.phase() == Phase::FinDePartie);
    }

    void finDePartie() {
        const Partie& p = jeu_.partie;
        (p.victoire_joueur ? bilan.victoires : bilan.defaites)++;
        bilan.retours += retours_;
        bilan.ms += jeu_.temps.ecoule();
        bilan.ecrans += jeu_.dialogues.ecrans.size();
        EXPECT_NE(p.victoire_joueur, p.victoire_adverse);
        const QStringList ennemis = coules(p, p.plan_adverse, p.tirs_joueur);
        const QStringList nous = coules(p, p.plan_joueur, p.tirs_adverse);
        EXPECT_EQ((p.victoire_joueur ? ennemis : nous).size(), 9);
        EXPECT_LT((p.victoire_joueur ? nous : ennemis).size(), 9);
        EXPECT_EQ(p.nb_tirs_adverse + (p.victoire_joueur ? 1 : 0), p.nb_tirs_joueur);
        const QString fin = p.victoire_joueur ? VICTOIRE : DEFAITE;
        EXPECT_TRUE(std::any_of(jeu_.compagnon.paroles.cbegin(), jeu_.compagnon.paroles.cend(),
                                [&](const QString& s) { return s.startsWith(fin); }))
            << "no closing words";
        ecouterRapports();
        // The logbook on disk: this game and every one left after a shot, under the levels chosen.
        const Journal journal(jeu_.dossier.path());
        ::Bilan total;
        for (Niveau n : {Niveau::Classique, Niveau::Tenace, Niveau::Vraisemblance}) {
            const ::Bilan b = journal.bilan(n);
            total.parties += b.parties;
            total.gagnees += b.gagnees;
            total.perdues += b.perdues;
            total.tirs += b.tirs;
        }
        EXPECT_EQ(total.parties, abandons_ + gagnees_ + perdues_ + 1);
        EXPECT_EQ(total.gagnees, gagnees_ + (p.victoire_joueur ? 1 : 0));
        EXPECT_EQ(total.perdues, perdues_ + (p.victoire_adverse ? 1 : 0));
        EXPECT_GE(total.tirs, p.nb_tirs_joueur + abandons_);
        // A new game from the harbour, where the old battle says nothing more.
        jeu_.ctrl(Qt::Key_N);
        EXPECT_TRUE(auPort());
        jeu_.temps.avancer(30000);
        verifierEtat();
    }

    JeuDeTest jeu_;
    std::mt19937 des_;
    bool patient_ = false; // lays the fleet out ship by ship rather than all at once
    bool fini_ = false;    // the closing words were said
    int retours_ = 0;
    int abandons_ = 0; // times back to the harbour after a shot of the player: counted in the logbook
    int gagnees_ = 0;  // games won, then lost, before this one's end (Ctrl+N during the closing words)
    int perdues_ = 0;
    int retoursPermis_ = 0; // how often this player may go back mid-battle
    int tirsEnnemis_ = 0;
    qsizetype lu_ = 0;

public:
    void setPatient(bool patient) { patient_ = patient; }
};

quint32 depuisEnvironnement(const char* nom, quint32 sinon) {
    bool ok = false;
    const quint32 v = qEnvironmentVariable(nom).toUInt(&ok);
    return ok ? v : sinon;
}

void jouerLaPartie(quint32 graine) {
    SCOPED_TRACE(testing::Message() << "seed " << graine << " (replay: CORSABORD_GRAINE=" << graine
                                    << " CORSABORD_PARTIES=1 test_endurance)");
    Matelot m(graine);
    m.setPatient(graine % 4 == 0);
    m.jouer();
}
} // namespace

TEST(Endurance, PartiesAuHasardDuClavierEtDeLaSouris) {
    const quint32 premiere = depuisEnvironnement("CORSABORD_GRAINE", 1);
    const quint32 parties = depuisEnvironnement("CORSABORD_PARTIES", 300);
    for (quint32 i = 0; i < parties; ++i) {
        jouerLaPartie(premiere + i);
        if (::testing::Test::HasFailure())
            FAIL() << "game " << i << " of " << parties << " failed: seed " << premiere + i;
    }
    std::cout << parties << " games from seed " << premiere << ": " << bilan.victoires << " won, "
              << bilan.defaites << " lost, " << bilan.retours << " times back to the harbour mid-battle, "
              << bilan.pas << " keys, clicks and waits (harbour " << bilan.auPort << ", aiming "
              << bilan.enVisee << ", exchange " << bilan.enEchange << ", end " << bilan.aLaFin << "), "
              << bilan.ecrans << " voice and About screens, " << bilan.vigie << " lookout keys, "
              << bilan.tapes << " typed sectors, " << bilan.ms / 3600000.0 << " hours of play\n";
}
