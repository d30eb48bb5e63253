// Speech latency of the narrator, measured for real: Parle to first sound handed to the output, and a
// new Parle to the end of the previous text (in the process and, with a PulseAudio monitor, as heard).
#include "base/temps.h"
#include "ecoute.h"
#include "narrator/compagnon_perroquet.h"
#include "audio/moteur_espeak.h"
#include "audio/sortie_pulse.h"

#include <QApplication>
#include <QHash>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using banc::attendre;
using banc::Ecoute;
using banc::mediane;
using banc::ms;

// Waits for the first sound of a request; false after the timeout.
bool attendrePremierSon(CompagnonPerroquet& c, int id, double* quand, int delai = 5000) {
    bool vu = false;
    QEventLoop boucle;
    auto lien = QObject::connect(&c, &CompagnonPerroquet::premierSon, &boucle, [&](int r) {
        if (r == id) {
            vu = true;
            *quand = ms();
            boucle.quit();
        }
    });
    QTimer::singleShot(delai, &boucle, &QEventLoop::quit);
    boucle.exec();
    QObject::disconnect(lien);
    return vu;
}

const char* const TEXTES[] = {
    "Tir en B 5, amiral.",
    "Touché, fiston! Ça chauffe à bâbord.",
    "Dans l'eau, moussaillon.",
    "Frégate adverse hors de combat.",
    "Feu ennemi!",
    "Aucune perte à déplorer pour l'instant, amiral.",
};
const char* const LONG =
    "Voici le rapport de nos pertes, amiral: tir numéro douze, frégate hors de combat. Tir numéro "
    "vingt, galère hors de combat. Tir numéro trente et un, brick hors de combat.";

} // namespace

int main(int argc, char** argv) {
    ms();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget fenetre;
    fenetre.resize(1024, 800);
    TempsReel temps;
    auto* sortie = new SortieParolePulse;
    CompagnonPerroquet compagnon(&fenetre, temps, new MoteurEspeak, sortie);
    const bool son = sortie->disponible();
    std::printf("sound output: %s\n", son ? "yes" : "none (speech timed, not heard)");
    compagnon.setConnecte(true);
    if (!compagnon.charger(QStringLiteral("Peedy"), QStringLiteral("Peedy.acs"))) {
        std::puts("no character file found");
        return 1;
    }
    // start-up: the character comes on and greets, then the greeting is said after those animations
    compagnon.montrer();
    compagnon.jouer(QStringLiteral("Greet"));
    compagnon.parler(QStringLiteral(" "));
    const int accueil = compagnon.parler(QStringLiteral("Bonjour amiral, l'ennemi approche."));
    double quand = 0;
    if (attendrePremierSon(compagnon, accueil, &quand, 10000))
        std::printf("start-up to the greeting's first sound handed to the output: %.1f ms (said while the "
                    "parrot comes on and greets)\n",
                    quand);
    attendre(500);

    // 1. Parle to the first sound handed to the output
    std::vector<double> premiers;
    int precedente = accueil;
    for (int i = 0; i < 40; ++i) {
        const double t0 = ms();
        compagnon.arreter(precedente);
        precedente = compagnon.parler(QString::fromUtf8(TEXTES[i % 6]));
        if (attendrePremierSon(compagnon, precedente, &quand))
            premiers.push_back(quand - t0);
        attendre(120);
    }
    std::printf("Parle to first PCM handed to the output: median %.2f ms, worst %.2f ms (%zu runs)\n",
                mediane(premiers), *std::max_element(premiers.begin(), premiers.end()), premiers.size());

    // 2. a new Parle cuts the previous text: the call, and what the sink still held when it was cut
    std::vector<double> coupes;
    for (int i = 0; i < 15 && son; ++i) {
        compagnon.arreter(precedente);
        precedente = compagnon.parler(QString::fromUtf8(LONG));
        attendrePremierSon(compagnon, precedente, &quand);
        attendre(600);
        const double t0 = ms();
        compagnon.arreter(precedente);
        precedente = compagnon.parler(QString::fromUtf8(TEXTES[i % 6]));
        coupes.push_back(ms() - t0);
        attendre(300);
    }
    if (son)
        std::printf("new Parle cuts the previous text: the call takes %.2f ms median, worst %.2f ms\n",
                    mediane(coupes), *std::max_element(coupes.begin(), coupes.end()));

    // 3. heard on the sink's monitor: when the old text falls silent after a Parle that says nothing
    Ecoute ecoute;
    const bool entendre = son && ecoute.ouvrir();
    if (entendre) {
        std::vector<double> debuts, fins;
        for (int i = 0; i < 20; ++i) {
            compagnon.arreter(precedente);
            attendre(400);
            ecoute.vider();
            precedente = compagnon.parler(QString::fromUtf8(LONG));
            attendrePremierSon(compagnon, precedente, &quand);
            attendre(900);
            const double debut = ecoute.premierFort(quand - 50);
            const double t0 = ms();
            compagnon.arreter(precedente);
            precedente = compagnon.parler(QStringLiteral(" "));
            attendre(500);
            const double fin = ecoute.dernierFort(t0 - 100);
            if (qEnvironmentVariableIsSet("CORSABORD_MONTRER_COUPE"))
                ecoute.montrer(t0 - 200, t0 + 150);
            if (debut > 0 && fin > 0) {
                debuts.push_back(debut - quand);
                fins.push_back(fin - t0);
            }
        }
        std::printf(
            "heard on the monitor: first PCM to first sound %.1f ms median (the output path's own "
            "latency); new Parle to the old text's last sound %.1f ms median, worst %.1f ms (%zu runs)\n",
            mediane(debuts), mediane(fins), *std::max_element(fins.begin(), fins.end()), fins.size());
    } else if (son) {
        std::puts("no monitor source to listen on: the heard figures are skipped");
    }

    // 4. a whole evening's wear: the 1st and the 60th text heard whole, 58 cut short between them
    if (entendre) {
        QHash<int, qint64> longueurs;
        QObject::connect(&compagnon.moteur(), &MoteurParole::fin, &compagnon,
                         [&](int id, qint64 n, bool) { longueurs[id] = n; });
        auto entier = [&](int rang) {
            compagnon.arreter(precedente);
            ecoute.attendreSilence(400, 5000);
            const double t0 = ms();
            precedente = compagnon.parler(QString::fromUtf8(LONG));
            bool fini = false;
            QEventLoop boucle;
            const int id = precedente;
            auto lien = QObject::connect(&compagnon, &ServiceCompagnon::requeteTerminee, &boucle, [&](int r) {
                if (r == id) {
                    fini = true;
                    boucle.quit();
                }
            });
            QTimer::singleShot(60000, &boucle, &QEventLoop::quit);
            boucle.exec();
            QObject::disconnect(lien);
            attendre(200);
            const double debut = ecoute.premierFort(t0), fin = ecoute.dernierFort(t0);
            const double longueur = longueurs.value(id) * 1000.0 / compagnon.moteur().frequence();
            std::printf(
                "text %d: heard for %.0f ms (first to last sound on the monitor) of %.0f ms of samples; "
                "completed %s %.0f ms after Parle\n",
                rang, fin - debut, longueur, fini ? "at" : "not by", ms() - t0 - 200);
        };
        entier(1);
        for (int i = 2; i < 60; ++i) {
            compagnon.arreter(precedente);
            precedente = compagnon.parler(QString::fromUtf8(TEXTES[i % 6]));
            attendre(i % 5 == 0 ? 2500 : 300); // most cut short by the next, some heard to their end
        }
        entier(60);
    }
    return 0;
}
