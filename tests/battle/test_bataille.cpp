// The battle screen played as a player plays it, by keys and mouse on fakes in virtual time.
#include "base/accessible.h"
#include "base/board.h"
#include "base/timer.h"
#include "battle/tir.h"
#include "battle/journal.h"
#include "screens/aide.h"
#include "audio/clips.h"
#include "narrator/commentaires.h"
#include "support/jeu.h"
#include "support/resumes.h"
#include "support/textes.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {
using namespace textes;

// The game started on a clock of its own; keys go where a player's keys go: to the window in front.
class EnMer : public ::testing::Test {
protected:
    explicit EnMer(quint32 debut = 12 * 3600 * 1000, quint32 pas = 1) {
        jeu.temps = TempsVirtuel(debut, pas);
    }
    void SetUp() override {
        ASSERT_TRUE(jeu.creer());
        jeu.demarrer();
    }
    void touche(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { jeu.touche(k, m); }
    void ctrl(Qt::Key k) { jeu.ctrl(k); }
    void engager() {
        ctrl(Qt::Key_T);
        ctrl(Qt::Key_E);
    }
    // What was said since the last call.
    QStringList entendu() {
        const QStringList nouveau = jeu.compagnon.paroles.mid(lu_);
        lu_ = jeu.compagnon.paroles.size();
        return nouveau;
    }
    const QString& dernier() { return jeu.compagnon.paroles.last(); }
    Board* adverse() { return jeu.bataille->port_adverse; }
    // The pointer over the enemy sea, at design pixels of the board.
    void pointeur(QEvent::Type type, Qt::MouseButton b, int x, int y) {
        JeuDeTest::pointeur(adverse(), type, b, x, y);
    }

    JeuDeTest jeu;
    qsizetype lu_ = 0;
};

class Bataille : public EnMer {};
} // namespace

TEST_F(Bataille, AuClavierLesSecteursEtLeFeu) {
    engager();
    EXPECT_EQ(dernier(), OPENING);
    EXPECT_EQ(jeu.bataille->focusWidget(), adverse());
    entendu();
    touche(Qt::Key_Right);
    touche(Qt::Key_Down);
    EXPECT_EQ(entendu(), (QStringList{QStringLiteral("Secteur : B.1.  Espace pour tirer."),
                                      QStringLiteral("Secteur : B.2.  Espace pour tirer.")}));
    EXPECT_EQ(jeu.partie.viseur.colonne, 2); // the cannon follows the keys, pointer or not
    EXPECT_EQ(jeu.partie.viseur.ligne, 2);
    const QImage avant = adverse()->image();
    touche(Qt::Key_Space);
    EXPECT_EQ(entendu(), QStringList{QStringLiteral("FEU!")});
    ASSERT_EQ(jeu.sons.clips.size(), 1);
    const bool touche_ = jeu.partie.tirs_joueur(2, 2) == QStringLiteral("TOUCHE");
    EXPECT_EQ(jeu.sons.clips.last(), clip(touche_ ? QStringLiteral("WaveBut") : QStringLiteral("WaveRate")));
    // Closed until the turn comes back: keys and clicks do nothing, and the sea keeps the focus.
    EXPECT_FALSE(adverse()->accepte());
    EXPECT_EQ(QApplication::focusWidget(), adverse());
    QTest::keyClick(adverse(), Qt::Key_Space);
    QTest::keyClick(adverse(), Qt::Key_Right);
    pointeur(QEvent::MouseButtonRelease, Qt::LeftButton, 200, 200);
    EXPECT_TRUE(entendu().isEmpty());
    EXPECT_EQ(jeu.partie.nb_tirs_joueur, 1);
    // The mark shows when its result is spoken, however often the board is redrawn before.
    jeu.temps.avancer(3999);
    EXPECT_EQ(adverse()->image(), avant);
    jeu.temps.avancer(1);
    EXPECT_NE(adverse()->image(), avant);
    EXPECT_TRUE((touche_ ? MemoBut() : MemoRate()).contains(dernier()));
    // The reply 6 s later, its clip with it; its report 3.5 s (miss) or 5 s (hit) after, and the sea is ours.
    jeu.temps.avancer(5999);
    EXPECT_EQ(jeu.sons.clips.size(), 1);
    jeu.temps.avancer(1);
    EXPECT_EQ(dernier(), FEU_ENNEMI);
    ASSERT_EQ(jeu.sons.clips.size(), 2);
    const bool rate = jeu.sons.clips.last() == clip(QStringLiteral("WaveERate"));
    jeu.temps.avancer(rate ? 3499 : 4999);
    EXPECT_EQ(dernier(), FEU_ENNEMI);
    EXPECT_FALSE(adverse()->accepte());
    jeu.temps.avancer(1);
    EXPECT_TRUE(dernier().startsWith(rate ? QStringLiteral("Impact en ") : QStringLiteral("Touché en ")));
    EXPECT_TRUE(adverse()->isEnabled());
    EXPECT_EQ(jeu.bataille->focusWidget(), adverse());
    // The current cell was kept; Space on it again costs nothing.
    entendu();
    touche(Qt::Key_Space);
    EXPECT_EQ(entendu(), QStringList{touche_ ? QStringLiteral("Secteur : B.2.  Déjà visé, coup au but.")
                                             : QStringLiteral("Secteur : B.2.  Déjà visé, coup à l'eau.")});
    EXPECT_EQ(jeu.partie.nb_tirs_joueur, 1);
}

TEST_F(Bataille, LaVigieAuClavier) {
    engager();
    entendu();
    // A typed sector is aimed at and named, nothing fired; wrong or half entries move nothing. Shift and
    // Alt alone change nothing, and Alt leaves the menu bar alone.
    touche(Qt::Key_C);
    touche(Qt::Key_Shift, Qt::ShiftModifier);
    touche(Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(jeu.bataille->menuBar()->activeAction(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), adverse());
    touche(Qt::Key_7, Qt::ShiftModifier);
    EXPECT_EQ(entendu(), (QStringList{QStringLiteral("Colonne C, et la ligne?"),
                                      QStringLiteral("Secteur : C.7.  Espace pour tirer.")}));
    for (const QList<Qt::Key>& mauvaise :
         {QList<Qt::Key>{Qt::Key_M}, {Qt::Key_C, Qt::Key_1, Qt::Key_3}, {Qt::Key_D, Qt::Key_Space}}) {
        for (Qt::Key k : mauvaise)
            touche(k);
        EXPECT_TRUE(entendu().last().contains(QStringLiteral(", amiral")));
        EXPECT_EQ(adverse()->col() * 100 + adverse()->row(), 307);
        EXPECT_EQ(jeu.partie.nb_tirs_joueur, 0);
    }
    // After a refusal Space names the aim again, and only the next Space fires at it.
    touche(Qt::Key_Space);
    EXPECT_EQ(entendu(), QStringList{QStringLiteral("Secteur : C.7.  Espace pour tirer.")});
    EXPECT_EQ(jeu.partie.nb_tirs_joueur, 0);
    // The level and the pace: said, and kept in Corsabord.ini beside Config.txt.
    const QString ini = jeu.dossier.filePath(QStringLiteral("Corsabord.ini"));
    touche(Qt::Key_F7);
    touche(Qt::Key_F6);
    EXPECT_EQ(entendu(), (QStringList{texteNiveau(Niveau::Tenace), texteAllure(Allure::Vive)}));
    EXPECT_EQ(Preferences(jeu.dossier.path()).niveau(), Niveau::Tenace);
    EXPECT_EQ(Preferences(jeu.dossier.path()).allure(), Allure::Vive);
    EXPECT_TRUE(QFile::exists(ini));
    touche(Qt::Key_Space);
    EXPECT_EQ(entendu(), QStringList{FEU});
    EXPECT_FALSE(jeu.partie.tirs_joueur(3, 7).isEmpty());
    // At the quick pace the comment comes 1.2 s after "FEU!" (4 s at the game's own pace), the reply
    // 1.8 s later (6 s).
    jeu.temps.avancer(1199);
    EXPECT_EQ(dernier(), FEU);
    jeu.temps.avancer(1);
    EXPECT_NE(dernier(), FEU);
    jeu.temps.avancer(1799);
    EXPECT_NE(dernier(), FEU_ENNEMI);
    jeu.temps.avancer(1);
    EXPECT_EQ(dernier(), FEU_ENNEMI);
    // F1 lists the added keys; SOS stays as it always was.
    entendu();
    touche(Qt::Key_F1);
    ctrl(Qt::Key_S);
    EXPECT_EQ(entendu(), (QStringList{texteTouchesAjoutees(), texteSOS()}));
    // Clearing the logbook only after Yes.
    jeu.dialogues.reponse = true;
    touche(Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(entendu(), (QStringList{QUESTION_EFFACER_JOURNAL,
                                      QStringLiteral("Le journal de bord est effacé, amiral.")}));
    EXPECT_TRUE(QFile::exists(jeu.dossier.filePath(Journal::nomFichier())));
}

TEST_F(Bataille, ALaSourisLaBandeDeLegendeEtLeClicDroit) {
    engager();
    entendu();
    // 32 px from the top edge is still the strip: the column follows, the cannon stays.
    pointeur(QEvent::MouseMove, Qt::NoButton, 100, 32);
    EXPECT_EQ(entendu(), QStringList{QStringLiteral("Secteur : C.1.  Espace pour tirer.")});
    EXPECT_EQ(jeu.partie.viseur.colonne, 13);
    // Along the left strip the row follows.
    pointeur(QEvent::MouseMove, Qt::NoButton, 20, 200);
    EXPECT_EQ(entendu(), QStringList{QStringLiteral("Secteur : C.6.  Espace pour tirer.")});
    EXPECT_EQ(jeu.partie.viseur.colonne, 13);
    // A diagonal move names the new column on the old row, then the new cell.
    pointeur(QEvent::MouseMove, Qt::NoButton, 150, 250);
    EXPECT_EQ(entendu(), (QStringList{QStringLiteral("Secteur : D.6.  Espace pour tirer."),
                                      QStringLiteral("Secteur : D.7.  Espace pour tirer.")}));
    EXPECT_EQ(jeu.partie.viseur.colonne, 4);
    EXPECT_EQ(jeu.partie.viseur.ligne, 7);
    // The right button fires too.
    pointeur(QEvent::MouseButtonRelease, Qt::RightButton, 150, 250);
    EXPECT_EQ(dernier(), QStringLiteral("FEU!"));
    EXPECT_FALSE(jeu.partie.tirs_joueur(4, 7).isEmpty());
}

TEST_F(Bataille, PlacerEnPleinEchangeRameneUnPortTranquille) {
    for (const qint64 instant : {100, 4500, 10200}) { // during TimerTir, TimerReplique, TimerEnnemi
        engager();
        touche(Qt::Key_Space);
        jeu.temps.avancer(instant);
        ctrl(Qt::Key_N);
        EXPECT_TRUE(jeu.test->isVisible());
        entendu();
        jeu.temps.avancer(20000);
        EXPECT_TRUE(entendu().isEmpty()) << instant;
        EXPECT_EQ(jeu.sons.clips.size(), instant < 10000 ? 1 : 2);
        jeu.sons.clips.clear();
        EXPECT_EQ(jeu.partie.nb_tirs_adverse, 0);
        EXPECT_FALSE(adverse()->isEnabled());
        EXPECT_EQ(jeu.test->focusWidget(), jeu.test->Grille_de_placement);
    }
}

TEST_F(Bataille, QuitterNonContinueOuiNeSeLaissePasInterrompre) {
    engager();
    touche(Qt::Key_Space);
    jeu.dialogues.reponse = false;
    ctrl(Qt::Key_Q);
    EXPECT_EQ(dernier(), QStringLiteral("Votre courage vous honore, amiral, nous retournons au combat!"));
    jeu.temps.avancer(10000);
    EXPECT_EQ(dernier(), QStringLiteral("Feu ennemi!"));
    jeu.temps.avancer(5000);

    jeu.dialogues.reponse = true;
    ctrl(Qt::Key_Q);
    const QString adieu = dernier();
    EXPECT_TRUE(adieu.startsWith(QStringLiteral("Nous retournons à terre")));
    entendu();
    // Nothing more is taken: no second box, no repeat, no aiming, no chatter, no exchange.
    ctrl(Qt::Key_Q);
    ctrl(Qt::Key_R);
    touche(Qt::Key_Left);
    touche(Qt::Key_Space);
    QTest::keyClick(jeu.bataille.get(), Qt::Key_X);
    jeu.temps.avancer(600000);
    EXPECT_TRUE(entendu().isEmpty());
    EXPECT_EQ(jeu.dialogues.questions.size(), 2);
    EXPECT_TRUE(jeu.fins.isEmpty());
    jeu.compagnon.terminer(jeu.flux->requete_adieu());
    EXPECT_EQ(jeu.fins, QList<int>{0});
}

TEST_F(Bataille, EngagerLaisseLeBavardageEnCours) {
    // In the harbour the idle timer runs since its reset moved the selection.
    ASSERT_TRUE(jeu.bataille->echange().TimerPaix->isEnabled());
    int remarques = 0;
    QObject::connect(jeu.bataille->echange().TimerPaix, &Timer::timeout, [&] { ++remarques; });
    jeu.bataille->echange().TimerPaix->relancer();
    jeu.temps.avancer(30000);
    ctrl(Qt::Key_E); // refused: ships are still in harbour
    jeu.temps.avancer(9999);
    EXPECT_EQ(remarques, 0);
    jeu.temps.avancer(1);
    EXPECT_EQ(remarques, 1);
    EXPECT_TRUE(MemoPaix().contains(dernier()));
}

// The shots' clips and the sectors' names at their column's side, on by default and kept off by F8;
// "FEU!" and the other texts centred.
TEST_F(Bataille, ChaqueColonneSEntendDeSonCote) {
    engager();
    struct Cas {
        Qt::Key colonne;
        double balance;
    };
    for (const bool stereo : {true, false}) {
        if (!stereo) {
            touche(Qt::Key_F8);
            EXPECT_EQ(Preferences(jeu.dossier.path()).stereo(), false);
        }
        for (const Cas& c : {Cas{Qt::Key_A, -1.0}, Cas{Qt::Key_L, 1.0}}) {
            const double attendue = stereo ? c.balance : 0.0;
            touche(c.colonne); // row 11, then row 12: a sector not fired at yet
            touche(Qt::Key_1);
            touche(stereo ? Qt::Key_1 : Qt::Key_2);
            EXPECT_TRUE(dernier().startsWith(QStringLiteral("Secteur : ")));
            EXPECT_EQ(jeu.compagnon.balances.last(), attendue) << stereo;
            touche(Qt::Key_Space);
            EXPECT_EQ(dernier(), FEU);
            EXPECT_EQ(jeu.compagnon.balances.last(), 0.0);
            EXPECT_EQ(jeu.sons.balances.last(), attendue) << stereo;
            // the enemy's shot, at the side of its column on our sea
            for (int t = 0; t < 20000 && dernier() != FEU_ENNEMI; t += 100)
                jeu.temps.avancer(100); // a sinking is told at more length
            ASSERT_EQ(dernier(), FEU_ENNEMI);
            const int sienne = jeu.bataille->port_joueur->col();
            EXPECT_EQ(jeu.sons.balances.last(), stereo ? -1.0 + 2.0 * (sienne - 1) / 11 : 0.0) << sienne;
            jeu.temps.avancer(8000);
            ASSERT_TRUE(adverse()->isEnabled());
        }
    }
    touche(Qt::Key_F8);
    EXPECT_EQ(Preferences(jeu.dossier.path()).stereo(), true);
}

// The glance by its keys, on the sea with the cursor, silenced by the next key; the legend names each
// sound before it plays it.
TEST_F(Bataille, LeCoupDOeil) {
    touche(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(dernier(), PAS_ENCORE_EN_MER);
    engager();
    entendu();
    touche(Qt::Key_F2, Qt::ControlModifier);
    touche(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(entendu(), QStringList{AUCUN_TOUCHE_ENNEMI});
    ASSERT_EQ(jeu.sons.suites.size(), 1);
    EXPECT_EQ(jeu.sons.suites[0].size(), 12);
    EXPECT_EQ(jeu.sons.suites[0][0].clip, clip(QStringLiteral("WaveOeilInexplore")));
    const int arrets = jeu.sons.arrets;
    touche(Qt::Key_Shift);
    EXPECT_GT(jeu.sons.arrets, arrets);
    // Our sea after Tab: the cursor's column, our ships there heard as intact.
    touche(Qt::Key_Tab);
    touche(Qt::Key_F3, Qt::ControlModifier);
    int navires = 0;
    for (int r = 1; r <= TAILLE_MER; ++r)
        navires += !jeu.partie.plan_joueur(1, r).isEmpty();
    int intacts = 0;
    for (const SonPlace& s : jeu.sons.suites.last())
        intacts += s.clip == clip(QStringLiteral("WaveOeilIntact"));
    EXPECT_EQ(intacts, navires);
    entendu();
    touche(Qt::Key_F1, Qt::ControlModifier);
    for (const SonDEtat& son : sonsDEtats()) {
        EXPECT_EQ(entendu(), QStringList{son.nom});
        jeu.compagnon.terminer(jeu.compagnon.derniereRequete);
        EXPECT_EQ(jeu.sons.suites.last().value(0).clip, clip(QLatin1String(son.clip)));
        jeu.temps.avancer(400);
    }
    EXPECT_TRUE(entendu().isEmpty());
}

// Every key answers: our sea speaks by Tab, arrows and typed sectors; a key that does nothing has its cue.
TEST_F(Bataille, ChaqueToucheRepond) {
    engager();
    const auto mots = [this](int c, int r) { // before the enemy's first shot
        return QStringLiteral("%1.%2 : %3.")
            .arg(QChar(u'A' + c - 1), QString::number(r), motsDeCase(jeu.partie.plan_joueur(c, r)));
    };
    struct Cas {
        QList<Qt::Key> touches;
        QStringList dit; // what is said, in order
        int signaux;     // the cues heard
    };
    const Cas cas[] = {
        {{Qt::Key_Tab}, {QStringLiteral("Notre flotte. ") + mots(1, 1)}, 0},
        {{Qt::Key_Left, Qt::Key_Up}, {}, 2}, // the sea's edge
        {{Qt::Key_Right}, {mots(2, 1)}, 0},
        {{Qt::Key_C, Qt::Key_7}, {QStringLiteral("Colonne C, et la ligne?"), mots(3, 7)}, 0},
        {{Qt::Key_Space, Qt::Key_Comma}, {mots(3, 7)}, 1},
        {{Qt::Key_Tab, Qt::Key_Left},
         {QStringLiteral("Flotte ennemie. ") + annonceSecteur(jeu.partie.tirs_joueur, 1, 1)},
         1}, // back on the enemy sea, named as ours was
        {{Qt::Key_Shift, Qt::Key_Control}, {}, 0},
        {{Qt::Key_Space}, {FEU}, 0},
        {{Qt::Key_Right, Qt::Key_Space, Qt::Key_D}, {}, 3}, // a shot under way
    };
    entendu();
    for (const Cas& c : cas) {
        const qsizetype avant = jeu.sons.signaux.size();
        for (Qt::Key k : c.touches)
            touche(k);
        EXPECT_EQ(entendu(), c.dit) << c.touches.first();
        EXPECT_EQ(jeu.sons.signaux.size() - avant, c.signaux) << c.touches.first();
    }
    EXPECT_EQ(jeu.sons.signaux.last(), clip(QStringLiteral("WaveRien")));
    EXPECT_EQ(jeu.sons.clips.size(), 1); // the shot's clip alone: a cue cuts nothing
    EXPECT_EQ(jeu.partie.nb_tirs_joueur, 1);
    // Off in Corsabord.ini: silence again, as the game always was.
    EXPECT_TRUE(Preferences(jeu.dossier.path()).signalRien());
    jeu.bataille->echange().setSignalRien(false);
    touche(Qt::Key_Right);
    EXPECT_EQ(jeu.sons.signaux.size(), 7);
}

// Alt+Up and Alt+Down from the harbour and at sea; Ctrl+R still repeats the last text.
TEST_F(Bataille, LesDerniersTextesAuClavier) {
    const QString accueil = dernier();
    const int n = jeu.bataille->narrateur().historique().taille();
    touche(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(dernier(), QStringLiteral("%1 sur %1: ").arg(n) + accueil);
    engager();
    const int m = jeu.bataille->narrateur().historique().taille();
    touche(Qt::Key_Up, Qt::AltModifier);
    touche(Qt::Key_Up, Qt::AltModifier);
    touche(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(dernier(), QStringLiteral("%1 sur %1: ").arg(m) + OPENING);
    EXPECT_EQ(adverse()->col() * 100 + adverse()->row(), 101); // the aim did not move
    ctrl(Qt::Key_R);
    EXPECT_EQ(dernier(), OPENING);
}

// While every window of the game is minimised the idle chatter waits; the battle still speaks.
TEST_F(Bataille, FenetresReduitesPasDeBavardage) {
    engager();
    QList<QWidget*> fenetres;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible())
            fenetres << w;
    for (QWidget* w : fenetres)
        w->showMinimized();
    entendu();
    jeu.temps.avancer(120000);
    EXPECT_TRUE(entendu().isEmpty());
    jeu.bataille->DegatClick();
    EXPECT_EQ(entendu().size(), 1);
    fenetres.first()->showNormal();
    jeu.temps.avancer(40000);
    ASSERT_EQ(entendu().size(), 1);
    EXPECT_TRUE(MemoPaix().contains(dernier()));
}

namespace {
// A player who sees nothing: it knows only what the parrot said, keeps its own map of the enemy sea,
// and plays whole games by keys alone.
class JoueurAveugle : public EnMer {
protected:
    JoueurAveugle(quint32 debut, quint32 pas, unsigned graine)
        : EnMer(debut, pas)
        , hasard_(graine) {}

    // Advances the clock by half seconds until the parrot says something that matches; returns it.
    QString attendre(const std::function<bool(const QString&)>& attendu) {
        for (int i = 0; i < 80; ++i) {
            for (const QString& s : entendu())
                if (attendu(s))
                    return s;
            jeu.temps.avancer(500);
        }
        ADD_FAILURE() << "the parrot fell silent";
        return {};
    }

    // The sector just named, its letter, number and what was said of it.
    void ecouterSecteur() {
        static const QRegularExpression secteur(QStringLiteral("^Secteur : ([A-L])\\.(\\d+)\\.  (.*)$"));
        const QStringList dit = entendu();
        ASSERT_FALSE(dit.isEmpty());
        const auto m = secteur.match(dit.last());
        ASSERT_TRUE(m.hasMatch()) << dit.last().toStdString();
        col_ = m.captured(1).at(0).unicode() - 'A' + 1;
        row_ = m.captured(2).toInt();
        const QChar connu = carte_[col_][row_];
        const QString reste = m.captured(3);
        const QChar annonce = reste == QStringLiteral("Espace pour tirer.")         ? QLatin1Char('?')
                              : reste == QStringLiteral("Déjà visé, coup à l'eau.") ? QLatin1Char('o')
                              : reste == QStringLiteral("Déjà visé, coup au but.")  ? QLatin1Char('x')
                                                                                    : QLatin1Char('!');
        EXPECT_EQ(annonce, connu) << dit.last().toStdString();
    }

    void allerA(int c, int r) {
        if (tirs_ % 2 == 1) {
            // Typed, as a letter and a number.
            touche(static_cast<Qt::Key>(Qt::Key_A + c - 1));
            touche(static_cast<Qt::Key>(Qt::Key_0 + (r >= 10 ? 1 : r)));
            if (r == 1)
                touche(Qt::Key_Return);
            if (r >= 10)
                touche(static_cast<Qt::Key>(Qt::Key_0 + r - 10));
            ecouterSecteur();
            EXPECT_EQ(col_ * 100 + row_, c * 100 + r);
            return;
        }
        while (col_ != c) {
            touche(col_ < c ? Qt::Key_Right : Qt::Key_Left);
            ecouterSecteur();
        }
        while (row_ != r) {
            touche(row_ < r ? Qt::Key_Down : Qt::Key_Up);
            ecouterSecteur();
        }
    }

    // Next to a hit first, elsewhere at random.
    std::pair<int, int> choisir() {
        std::vector<std::pair<int, int>> pres, ailleurs;
        for (int c = 1; c <= 12; ++c)
            for (int r = 1; r <= 12; ++r) {
                if (carte_[c][r] != QLatin1Char('?'))
                    continue;
                bool voisin = false;
                for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    voisin = voisin || (c + dc >= 1 && c + dc <= 12 && r + dr >= 1 && r + dr <= 12 &&
                                        carte_[c + dc][r + dr] == QLatin1Char('x'));
                (voisin ? pres : ailleurs).push_back({c, r});
            }
        const auto& parmi = pres.empty() ? ailleurs : pres;
        return parmi[std::uniform_int_distribution<size_t>(0, parmi.size() - 1)(hasard_)];
    }

    // F3 and F2 through the sector just fired at: exactly what the player heard of each sector there.
    void ecouterLaColonneEtLaLigne(int c, int r) {
        entendu();
        touche(Qt::Key_F3);
        touche(Qt::Key_F2);
        const QStringList dit = entendu();
        ASSERT_EQ(dit.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QList<std::pair<int, int>> touches, eau;
            for (int k = 1; k <= 12; ++k) {
                const int cc = i == 0 ? c : k, rr = i == 0 ? k : r;
                if (carte_[cc][rr] == QLatin1Char('x'))
                    touches.append({cc, rr});
                if (carte_[cc][rr] == QLatin1Char('o'))
                    eau.append({cc, rr});
            }
            EXPECT_EQ(secteursApres(dit[i], QStringLiteral("touché")), touches) << dit[i].toStdString();
            EXPECT_EQ(secteursApres(dit[i], QStringLiteral("dans l'eau")), eau) << dit[i].toStdString();
        }
    }

    // A report as the player expects it from what it heard.
    static QString rapportAttendu(int tirs, const QStringList& pertes, const QString& avantTir,
                                  const QString& aucune, const QString& entete) {
        if (tirs == 0)
            return avantTir;
        if (pertes.isEmpty())
            return aucune;
        return (QStringList{entete} + pertes).join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

    // The two reports must say what the player heard.
    void verifierRapports() {
        entendu();
        ctrl(Qt::Key_I);
        EXPECT_EQ(entendu().value(0), rapportAttendu(tirsEnnemis_, nosPertes_, NOS_PERTES_AVANT_TIR,
                                                     NOS_PERTES_AUCUNE, ENTETE_NOS_PERTES));
        ctrl(Qt::Key_D);
        EXPECT_EQ(entendu().value(0), rapportAttendu(tirs_, leursPertes_, LEURS_PERTES_AVANT_TIR,
                                                     LEURS_PERTES_AUCUNE, ENTETE_PERTES_ENNEMIES));
    }

    // One game from "Toute la flotte" to its closing words.
    void jouerUnePartie() {
        for (auto& colonne : carte_)
            colonne.fill(QLatin1Char('?'));
        mesCasesTouchees_.clear();
        tirs_ = tirsEnnemis_ = 0;
        nosPertes_.clear();
        leursPertes_.clear();
        entendu();
        engager();
        EXPECT_EQ(attendre([](const QString& s) { return s == OPENING; }), OPENING);
        verifierRapports();
        // Where is the cannon? One step aside tells.
        touche(Qt::Key_Left);
        if (jeu.compagnon.paroles.size() == lu_)
            touche(Qt::Key_Right);
        ecouterSecteur();
        static const QRegularExpression rapport(
            QStringLiteral("^(Impact|Touché) en ([A-L])\\.(\\d+)\\. (.*)$"));
        for (int tour = 0; tour < 200; ++tour) {
            const auto [c, r] = choisir();
            allerA(c, r);
            touche(Qt::Key_Space);
            ++tirs_;
            EXPECT_EQ(entendu(), QStringList{FEU});
            const QString commentaire = attendre([](const QString& s) { return !MemoPaix().contains(s); });
            const qsizetype naufrage = commentaire.indexOf(QStringLiteral(" adverse hors de combat. "));
            if (MemoRate().contains(commentaire)) {
                carte_[c][r] = QLatin1Char('o');
            } else {
                EXPECT_TRUE(MemoBut().contains(commentaire) || naufrage > 0) << commentaire.toStdString();
                carte_[c][r] = QLatin1Char('x');
            }
            if (naufrage > 0)
                leursPertes_ << QStringLiteral("Tir numéro %1: ").arg(tirs_) +
                                    commentaire.left(naufrage +
                                                     QStringLiteral(" adverse hors de combat. ").size());
            if (leursPertes_.size() == 9) {
                attendre([](const QString& s) {
                    return s.startsWith(QStringLiteral("Ils n'ont plus un seul navire"));
                });
                return;
            }
            EXPECT_EQ(attendre([](const QString& s) { return !MemoPaix().contains(s); }), FEU_ENNEMI);
            ++tirsEnnemis_;
            const QString recu = attendre([](const QString& s) { return !MemoPaix().contains(s); });
            const auto m = rapport.match(recu);
            EXPECT_TRUE(m.hasMatch()) << recu.toStdString();
            const QString secteur = m.captured(2) + m.captured(3);
            EXPECT_FALSE(mesCasesTouchees_.contains(secteur))
                << "the enemy fired twice at " << secteur.toStdString();
            mesCasesTouchees_.insert(secteur);
            const qsizetype perte = recu.indexOf(QStringLiteral("  hors de combat. "));
            if (perte > 0) {
                const qsizetype debut = m.capturedEnd(3) + 2;
                nosPertes_ << QStringLiteral("Tir numéro %1: ").arg(tirsEnnemis_) +
                                  recu.mid(debut,
                                           perte - debut + QStringLiteral("  hors de combat. ").size());
            }
            if (nosPertes_.size() == 9) {
                attendre([](const QString& s) {
                    return s.startsWith(QStringLiteral("C'est la fin, moussaillon"));
                });
                return;
            }
            if (naufrage > 0 || perte > 0 || tour % 16 == 0)
                verifierRapports();
            if (tour % 8 == 0)
                ecouterLaColonneEtLaLigne(c, r);
            // The turn is back: the keys aim again.
            EXPECT_TRUE(adverse()->isEnabled());
        }
        ADD_FAILURE() << "the game never ended";
    }

    std::mt19937 hasard_;
    int col_ = 0;
    int row_ = 0;
    std::array<std::array<QChar, 13>, 13> carte_{};
    QSet<QString> mesCasesTouchees_;
    int tirs_ = 0;
    int tirsEnnemis_ = 0;
    QStringList nosPertes_;
    QStringList leursPertes_;
};

class PartiesALOreille : public JoueurAveugle, public ::testing::WithParamInterface<int> {
protected:
    PartiesALOreille()
        : JoueurAveugle(static_cast<quint32>(GetParam()) * 8640037u % 86400000u, 1 + GetParam() % 5,
                        static_cast<unsigned>(GetParam())) {}
};
} // namespace

TEST_P(PartiesALOreille, JusquAuBoutSansRienVoir) {
    for (int partie = 0; partie < 25 && !HasFailure(); ++partie) {
        jouerUnePartie();
        EXPECT_FALSE(adverse()->accepte()) << "game " << partie;
        EXPECT_EQ(QApplication::focusWidget(), adverse()) << "game " << partie;
        verifierRapports();
        ctrl(Qt::Key_N); // a new game from the harbour
    }
}

INSTANTIATE_TEST_SUITE_P(Horloges, PartiesALOreille, ::testing::Range(0, 12));
