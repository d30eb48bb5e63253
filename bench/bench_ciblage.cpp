// The computer's turn on the real clock: how long the choice of a target takes, as the player waits for it.
// The turn as it was first played, where every attempt reseeds from the time of day and a refused draw
// waits for the clock to move on, side by side with today's turn at each level.
#include "base/temps.h"
#include "battle/ciblage.h"
#include "placement/port.h"
#include "support/ciblage_ancien.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

namespace {

struct Mesure {
    std::vector<double> ms;  // on the wall clock, as the player waits
    std::vector<double> cpu; // on the thread's own clock: the turn's work, without the time other
                             // programs of a loaded machine take the core (waiting for the clock spins,
                             // so it counts here too)
    std::vector<int> tentatives;
};

double cpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// One turn timed both ways.
template <class F> void chronometrer(Mesure& m, F&& tour) {
    const double cpu = cpuMs();
    const auto debut = std::chrono::steady_clock::now();
    m.tentatives.push_back(tour());
    const auto fin = std::chrono::steady_clock::now();
    m.cpu.push_back(cpuMs() - cpu);
    m.ms.push_back(std::chrono::duration<double, std::milli>(fin - debut).count());
}

template <class T> T mediane(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A sea with a third of its cells under ships, marks on `marques` cells of it (never all of them), and,
// when poursuite is asked, a pursuit around a hit whose four neighbours are already fired at.
Partie preparer(std::mt19937& gen, int marques, bool poursuite) {
    Partie partie;
    std::vector<int> cases(TAILLE_MER * TAILLE_MER);
    for (size_t i = 0; i < cases.size(); ++i)
        cases[i] = static_cast<int>(i);
    std::shuffle(cases.begin(), cases.end(), gen);
    for (size_t i = 0; i < cases.size(); ++i) {
        const int c = cases[i] % TAILLE_MER + 1, r = cases[i] / TAILLE_MER + 1;
        if (i % 3 == 0)
            partie.mer_joueur(c, r) = QStringLiteral("BRICK");
        if (static_cast<int>(i) < marques)
            partie.tirs_adverse(c, r) =
                partie.mer_joueur(c, r).isEmpty() ? nomMarque(Marque::Manque) : nomMarque(Marque::Touche);
    }
    if (poursuite) {
        const int c0 = std::uniform_int_distribution<int>(2, 11)(gen);
        const int r0 = std::uniform_int_distribution<int>(2, 11)(gen);
        partie.coup_ia.colonne_origine = c0;
        partie.coup_ia.ligne_origine = r0;
        partie.coup_ia.poursuite = true;
        for (auto [c, r] : {std::pair{c0, r0}, {c0 + 1, r0}, {c0 - 1, r0}, {c0, r0 + 1}, {c0, r0 - 1}})
            partie.tirs_adverse(c, r) = nomMarque(Marque::Manque);
        partie.tirs_adverse(c0, r0) = nomMarque(Marque::Touche);
    }
    // Keep one cell to fire at, as a sea with a ship afloat always has.
    const int c = cases.back() % TAILLE_MER + 1, r = cases.back() / TAILLE_MER + 1;
    partie.tirs_adverse(c, r).clear();
    return partie;
}

using Tour = std::function<TirEnnemi(Partie&, Hasard&)>;

Mesure mesurer(TempsReel& temps, int marques, bool poursuite, int tours, const Tour& tour) {
    Hasard hasard(temps);
    std::mt19937 gen(static_cast<unsigned>(marques * 7919 + poursuite));
    Mesure m;
    for (int i = 0; i < tours; ++i) {
        Partie partie = preparer(gen, marques, poursuite);
        chronometrer(m, [&] { return tour(partie, hasard).tentatives; });
    }
    return m;
}

// Whole games against fleets laid out as the harbour lays them: every enemy turn timed until our fleet is
// gone, so that the likelihood's count over every way a ship could lie is measured on real seas.
Mesure parties(TempsReel& temps, int nombre, const Tour& tour) {
    Mesure m;
    Hasard hasard(temps);
    for (int i = 0; i < nombre; ++i) {
        Partie partie;
        Port(partie, hasard).placerLaFlotte();
        partie.Initialise();
        partie.copierPlans();
        while (!partie.flotte_detruite) {
            chronometrer(m, [&] {
                const TirEnnemi tir = tour(partie, hasard);
                if (partie.VerifieCoule(partie.mer_joueur, partie.tirs_adverse, QString()))
                    oublierPoursuite(partie.coup_ia);
                return tir.tentatives;
            });
        }
    }
    return m;
}

} // namespace

int main() {
    TempsReel temps;
    struct Cas {
        const char* nom;
        int marques;
        bool poursuite;
        int tours;
    };
    const Cas cas[] = {
        {"empty sea, search", 0, false, 500},
        {"half fired at, search", 72, false, 500},
        {"100 cells fired at, search", 100, false, 300},
        {"130 cells fired at, search", 130, false, 200},
        {"one cell left, search", 143, false, 60},
        {"100 cells fired at, pursuit boxed in", 100, true, 300},
    };
    const struct {
        const char* nom;
        Tour tour;
    } tours[] = {
        {"before: waiting for the clock", choisirEtTirerEnAttendant},
        {"classique", [](Partie& p, Hasard& h) { return choisirEtTirer(p, h, Niveau::Classique); }},
        {"tenace", [](Partie& p, Hasard& h) { return choisirEtTirer(p, h, Niveau::Tenace); }},
        {"vraisemblance", [](Partie& p, Hasard& h) { return choisirEtTirer(p, h, Niveau::Vraisemblance); }},
    };
    std::printf("%-38s %-30s %9s %9s %9s %9s %10s\n", "enemy turn (choisirEtTirer)", "turn", "median ms",
                "worst ms", "worst cpu", "attempts", "worst att.");
    auto ligne = [](const char* cas, const char* tour, const Mesure& m) {
        std::printf("%-38s %-30s %9.3f %9.3f %9.3f %9d %10d\n", cas, tour, mediane(m.ms),
                    *std::max_element(m.ms.begin(), m.ms.end()),
                    *std::max_element(m.cpu.begin(), m.cpu.end()), mediane(m.tentatives),
                    *std::max_element(m.tentatives.begin(), m.tentatives.end()));
    };
    for (const Cas& c : cas)
        for (const auto& t : tours)
            ligne(c.nom, t.nom, mesurer(temps, c.marques, c.poursuite, c.tours, t.tour));
    for (const auto& t : tours)
        ligne("whole games, every turn", t.nom,
              parties(temps, t.tour.target<TirEnnemi (*)(Partie&, Hasard&)>() ? 5 : 100, t.tour));
    return 0;
}
