// The battle by keys: whole games of both sides in virtual time, and the time from Space to "FEU!"
// handed to the speech engine and to the clip started, on the game's real services, and from the clip
// handed over to its first sound on the sink's monitor.
#include "base/board.h"
#include "base/dialogues.h"
#include "app/jeu.h"
#include "base/temps.h"
#include "battle/tbataille_navale.h"
#include "narrator/compagnon_perroquet.h"
#include "audio/lecteur_sons.h"
#include "support/flotte.h"
#include "support/jeu.h"
#include "ecoute.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
using banc::attendre;
using banc::mediane;
using banc::ms;

// One whole game on fakes: Ctrl+T, Ctrl+E, then the arrows and Space over the sea in reading order.
// Returns the player's shots.
int jouerUnePartie(JeuDeTest& jeu) {
    Board* adverse = jeu.bataille->port_adverse;
    JeuDeTest::activer(jeu.test);
    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(jeu.test->Grille_de_placement, Qt::Key_E, Qt::ControlModifier);
    JeuDeTest::activer(jeu.bataille.get());
    QTest::keyClick(adverse, Qt::Key_Home);
    QTest::keyClick(adverse, Qt::Key_PageUp);
    for (int n = 0; n < 144; ++n) {
        const int c = 1 + n % 12, r = 1 + n / 12;
        while (adverse->col() != c)
            QTest::keyClick(adverse, adverse->col() < c ? Qt::Key_Right : Qt::Key_Left);
        while (adverse->row() != r)
            QTest::keyClick(adverse, Qt::Key_Down);
        QTest::keyClick(adverse, Qt::Key_Space);
        for (int attente = 0; attente < 100 && !adverse->isEnabled() && !jeu.partie.victoire_joueur &&
                              !jeu.partie.victoire_adverse;
             ++attente)
            jeu.temps.avancer(500);
        if (!adverse->isEnabled() && !jeu.partie.victoire_joueur && !jeu.partie.victoire_adverse)
            return -1; // the battle never opened: the keys did not reach the harbour
        if (jeu.partie.victoire_joueur || jeu.partie.victoire_adverse) {
            jeu.temps.avancer(20000);
            const int tirs = jeu.partie.nb_tirs_joueur;
            QTest::keyClick(adverse, Qt::Key_N, Qt::ControlModifier);
            return tirs;
        }
    }
    return jeu.partie.nb_tirs_joueur;
}

// The real services, with the moment each hand-over returns.
class CompagnonChrono : public CompagnonPerroquet {
public:
    using CompagnonPerroquet::CompagnonPerroquet;
    int parler(const QString& texte) override {
        const int r = CompagnonPerroquet::parler(texte);
        if (texte == QStringLiteral("FEU!"))
            feu = ms();
        dit = ms();
        return r;
    }
    int parlerPlace(const QString& texte, double balance) override {
        const int r = CompagnonPerroquet::parlerPlace(texte, balance);
        dit = ms();
        return r;
    }
    double feu = 0;
    double dit = 0; // the last text handed over
};

// The first clip of a shot: when it was asked for, and how long handing it to the sound server took.
class SonsChrono : public LecteurSonsJeu {
public:
    void JouerSon(const QByteArray& clip) override {
        const double t = ms();
        LecteurSonsJeu::JouerSon(clip);
        if (joue == 0) {
            joue = t;
            remise = ms() - t;
        }
    }
    void JouerSignal(const QByteArray& clip, double balance) override {
        LecteurSonsJeu::JouerSignal(clip, balance);
        signal = ms();
    }
    // The glance: mixed (each sound resampled to its pitch and placed) and handed to the server whole.
    void JouerSuite(const QList<SonPlace>& sons) override {
        LecteurSonsJeu::JouerSuite(sons);
        suite = ms();
    }
    double joue = 0;
    double signal = 0;
    double remise = 0;
    double suite = 0;
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ms();

    {
        std::vector<double> durees;
        std::vector<double> tirs;
        JeuDeTest jeu;
        if (!jeu.creer())
            return 1;
        jeu.demarrer();
        for (int i = 0; i < 40; ++i) {
            const double t0 = ms();
            const int n = jouerUnePartie(jeu);
            if (n < 0) {
                std::printf("the game did not take the keys (run with QT_QPA_PLATFORM=offscreen)\n");
                return 1;
            }
            tirs.push_back(n);
            durees.push_back(ms() - t0);
        }
        std::printf(
            "whole game by keys, virtual time: median %.1f ms per game (worst %.1f), median %.0f shots "
            "of the player\n",
            mediane(durees), *std::max_element(durees.begin(), durees.end()), mediane(tirs));
    }

    TempsReel temps;
    DialoguesQt dialogues;
    SonsChrono sons;
    CompagnonChrono compagnon(nullptr, temps);
    Services services{temps, dialogues, sons, compagnon};
    QTemporaryDir dossier;
    Jeu jeu(services, dossier.path());
    if (!jeu.creer()) {
        std::printf("no parrot: the speech hand-over cannot be measured\n");
        return 1;
    }
    TBataille_navale& bataille = *jeu.bataille;
    Partie& partie = jeu.partie;
    bataille.show();
    banc::Ecoute ecoute;
    const bool entendre = ecoute.ouvrir();
    attendre(1500);
    std::vector<double> versParole, versClip, remises, versSignal, clipEntendu, versSuite, versSuiteTouches;
    // each shot waits for its clip, which the exchange plays a few seconds after "FEU!"
    for (int i = 0; i < 12; ++i) {
        // A fresh battle each time, so that Space fires at an unmarked sector.
        bataille.echange().placer();
        partie.copierPlans();
        bataille.echange().engager();
        compagnon.feu = sons.joue = 0;
        const double t0 = ms();
        QTest::keyClick(bataille.port_adverse, Qt::Key_Space);
        if (compagnon.feu > 0)
            versParole.push_back(compagnon.feu - t0);
        // the shot's clip comes on the exchange's own beat, after "FEU!"
        for (int attente = 0; sons.joue == 0 && attente < 200; ++attente)
            attendre(50);
        if (sons.joue > 0) {
            versClip.push_back(sons.joue - t0);
            remises.push_back(sons.remise);
            // heard, when the parrot was not speaking just before
            attendre(1000);
            const double entendu = ecoute.premierFort(sons.joue);
            if (entendre && entendu >= 0 && ecoute.premierFort(sons.joue - 100) == entendu)
                clipEntendu.push_back(entendu - sons.joue);
        }
        // An arrow while the shot is played out does nothing: its cue.
        sons.signal = 0;
        const double t1 = ms();
        QTest::keyClick(bataille.focusWidget() ? bataille.focusWidget() : &bataille, Qt::Key_Right);
        if (sons.signal > 0)
            versSignal.push_back(sons.signal - t1);
        // The glance over a row, then over every hit of a sea where 27 sectors are hit.
        const auto coupDOeil = [&](Qt::Key k, std::vector<double>& durees) {
            sons.suite = 0;
            const double t = ms();
            QTest::keyClick(bataille.focusWidget() ? bataille.focusWidget() : &bataille, k,
                            Qt::ControlModifier);
            if (sons.suite > 0)
                durees.push_back(sons.suite - t);
        };
        coupDOeil(Qt::Key_F2, versSuite);
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 3; ++r)
                partie.tirs_joueur(c, r) = QStringLiteral("TOUCHE");
        coupDOeil(Qt::Key_F4, versSuiteTouches);
        QTest::keyClick(bataille.focusWidget() ? bataille.focusWidget() : &bataille, Qt::Key_Shift);
    }
    std::printf("Space to \"FEU!\" handed to the speech engine: median %.3f ms over %zu shots\n",
                mediane(versParole), versParole.size());
    std::printf("Space to the shot's clip asked for (the exchange's beat): median %.1f ms over %zu shots\n",
                mediane(versClip), versClip.size());
    std::printf("a key that does nothing to its cue started: median %.3f ms, worst %.3f ms over %zu keys\n",
                mediane(versSignal),
                versSignal.empty() ? 0.0 : *std::max_element(versSignal.begin(), versSignal.end()),
                versSignal.size());
    std::printf("Ctrl+F2, a row's glance mixed and handed to the sound server: median %.3f ms, worst %.3f ms "
                "over %zu\n",
                mediane(versSuite),
                versSuite.empty() ? 0.0 : *std::max_element(versSuite.begin(), versSuite.end()),
                versSuite.size());
    std::printf(
        "Ctrl+F4, 27 hits mixed and handed over: median %.3f ms, worst %.3f ms over %zu\n",
        mediane(versSuiteTouches),
        versSuiteTouches.empty() ? 0.0 : *std::max_element(versSuiteTouches.begin(), versSuiteTouches.end()),
        versSuiteTouches.size());
    std::printf("the clip handed to the sound server: median %.3f ms, worst %.3f ms\n", mediane(remises),
                remises.empty() ? 0.0 : *std::max_element(remises.begin(), remises.end()));
    if (entendre)
        std::printf(
            "the clip handed over to its first sound on the sink: median %.1f ms, worst %.1f ms over %zu "
            "clips heard after a silence\n",
            mediane(clipEntendu),
            clipEntendu.empty() ? 0.0 : *std::max_element(clipEntendu.begin(), clipEntendu.end()),
            clipEntendu.size());

    // The queries and the jumps, in the player's turn, an enemy ship hit and afloat: from the key to
    // the answer handed to the speech engine.
    bataille.echange().placer();
    partie.copierPlans();
    bataille.echange().engager();
    poserNavire(partie.mer_adverse, QStringLiteral("FREGATEH"), 4, 5, 5);
    partie.tirs_joueur(6, 5) = nomMarque(Marque::Touche);
    struct Touche {
        const char* nom;
        QList<QKeyCombination> avant; // typed first, not timed
        QKeyCombination touche;
    };
    const Touche touches[] = {
        {"F9, the last exchange", {}, Qt::Key_F9},
        {"Shift+F9, the ships hit", {}, Qt::SHIFT | Qt::Key_F9},
        {"F10, where the aim is", {}, Qt::Key_F10},
        {"Shift+F4 C 7, a sector of our sea", {Qt::SHIFT | Qt::Key_F4, Qt::Key_C}, Qt::Key_7},
        {"Alt+Right, the next sector not fired at", {}, Qt::ALT | Qt::Key_Right},
        {"Alt+Left, beside a ship hit", {}, Qt::ALT | Qt::Key_Left},
    };
    for (const Touche& t : touches) {
        std::vector<double> reponses;
        for (int i = 0; i < 30; ++i) {
            const auto appuyer = [&](QKeyCombination k) {
                QTest::keyClick(bataille.focusWidget() ? bataille.focusWidget() : &bataille, k.key(),
                                k.keyboardModifiers());
            };
            for (const QKeyCombination k : t.avant)
                appuyer(k);
            compagnon.dit = 0;
            const double t0 = ms();
            appuyer(t.touche);
            if (compagnon.dit > 0)
                reponses.push_back(compagnon.dit - t0);
            attendre(20);
        }
        std::printf("%s: key to answer handed over, median %.3f ms, worst %.3f ms over %zu keys\n", t.nom,
                    mediane(reponses),
                    reponses.empty() ? 0.0 : *std::max_element(reponses.begin(), reponses.end()),
                    reponses.size());
    }
    return 0;
}
