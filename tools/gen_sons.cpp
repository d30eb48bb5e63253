// Synthesises the battle's sound clips (cannon shots, splashes, hits, sinkings, fanfare, lament), the
// cue of a key that does nothing and the glance's five sounds.
//
// Usage: gen_sons <folder>  — writes waverate.wav ... wavedefaite.wav, waverien.wav and the glance's
// waveoeil*.wav there. The clips are
// mono, 11025 samples per second, with the exact chunk layout and lengths the game's clips have always had.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double taux = 11025.0;
constexpr double pi = std::numbers::pi;

using Son = std::vector<double>;

std::mt19937 hasard(1798);

double uniforme(double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(hasard);
}
double bruit() {
    return uniforme(-1.0, 1.0);
}
std::size_t ech(double secondes) {
    return static_cast<std::size_t>(std::lround(secondes * taux));
}

// Adds b into a from time t (seconds), with a gain.
void mixer(Son& a, const Son& b, double t, double gain = 1.0) {
    const std::size_t debut = ech(t);
    for (std::size_t i = 0; i < b.size() && debut + i < a.size(); ++i)
        a[debut + i] += gain * b[i];
}

// RBJ biquad filters.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    static Biquad passeBas(double f, double q) {
        const double w = 2 * pi * f / taux, al = std::sin(w) / (2 * q), c = std::cos(w), a0 = 1 + al;
        return {(1 - c) / 2 / a0, (1 - c) / a0, (1 - c) / 2 / a0, -2 * c / a0, (1 - al) / a0};
    }
    static Biquad passeHaut(double f, double q) {
        const double w = 2 * pi * f / taux, al = std::sin(w) / (2 * q), c = std::cos(w), a0 = 1 + al;
        return {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - al) / a0};
    }
    static Biquad passeBande(double f, double q) {
        const double w = 2 * pi * f / taux, al = std::sin(w) / (2 * q), c = std::cos(w), a0 = 1 + al;
        return {al / a0, 0, -al / a0, -2 * c / a0, (1 - al) / a0};
    }
    double operator()(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

void filtrer(Son& s, Biquad f) {
    for (double& x : s)
        x = f(x);
}

// Fades the end of a sound out, so that no layer stops dead.
void estomper(Son& s, double fraction) {
    const std::size_t n = static_cast<std::size_t>(s.size() * fraction);
    for (std::size_t i = 0; i < n; ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / n;
}

// A cannon's report: a short bright crack, a deep thump that drops in pitch, and a rumbling tail.
Son coupDeCanon(double grave = 1.0) {
    Son s(ech(1.6));
    Biquad grondement = Biquad::passeBas(260 * grave, 0.8);
    Biquad claquement = Biquad::passeHaut(900, 0.7);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / taux;
        const double f = (38 + 70 * std::exp(-t * 9)) * grave;
        phase += 2 * pi * f / taux;
        const double thump = std::sin(phase) * std::exp(-t * 5.5) * std::min(1.0, t * 400);
        const double crack = claquement(bruit()) * std::exp(-t * 60);
        const double rumble = grondement(bruit()) * (std::exp(-t * 2.6) * 1.8) * std::min(1.0, t * 200);
        s[i] = 0.9 * thump + 0.7 * crack + 1.3 * rumble;
    }
    estomper(s, 0.25);
    return s;
}

// The whistle of the ball in flight, falling in pitch as it drops.
Son sifflement(double duree, double f0, double f1) {
    Son s(ech(duree));
    Biquad souffle = Biquad::passeBande(f0, 6);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double u = static_cast<double>(i) / s.size();
        const double f = f0 + (f1 - f0) * u;
        phase += 2 * pi * f / taux;
        const double env = std::sin(pi * u) * std::sin(pi * u);
        s[i] = env * (0.35 * std::sin(phase) + 0.5 * souffle(bruit()));
    }
    return s;
}

// Water thrown up by the ball: a hiss that swells and falls back, a low gulp, then droplets.
Son gerbe(double duree, double eclat = 1.0) {
    Son s(ech(duree));
    Biquad eau = Biquad::passeBande(1800 * eclat, 0.6);
    Biquad eau2 = Biquad::passeBas(2600 * eclat, 0.7);
    Biquad gorge = Biquad::passeBas(220, 1.2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / taux;
        const double montee = std::min(1.0, t * 25);
        const double hiss = eau2(eau(bruit())) * montee * (std::exp(-t * 3.2) + 0.12 * std::exp(-t * 1.1));
        const double gulp = gorge(bruit()) * std::exp(-t * 4) * montee;
        s[i] = 1.6 * hiss + 1.4 * gulp;
    }
    // droplets falling back: tiny rising blips
    for (int k = 0; k < 38; ++k) {
        const double t0 = uniforme(0.15, duree * 0.8);
        const double f0 = uniforme(900, 2600) * eclat;
        const double a = uniforme(0.05, 0.22) * std::exp(-t0 * 1.2);
        double phase = 0;
        for (std::size_t i = 0; i < ech(0.05) && ech(t0) + i < s.size(); ++i) {
            const double t = i / taux;
            phase += 2 * pi * f0 * (1 + 6 * t) / taux;
            s[ech(t0) + i] += a * std::sin(phase) * std::exp(-t * 90);
        }
    }
    estomper(s, 0.25);
    return s;
}

// A ball striking timber: a sharp crack, the hollow knock of the hull, and splinters flying.
Son impactBois(double eclat = 1.0) {
    Son s(ech(1.4));
    Biquad dur = Biquad::passeHaut(1200, 0.7);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / taux;
        const double crack = dur(bruit()) * std::exp(-t * 45);
        phase += 2 * pi * (150 * eclat - 40 * t) / taux;
        const double knock =
            std::sin(phase) * std::exp(-t * 14) + 0.5 * std::sin(phase * 2.7) * std::exp(-t * 22);
        s[i] = 1.2 * crack + 0.9 * knock;
    }
    for (int k = 0; k < 34; ++k) {
        const double t0 = uniforme(0.0, 0.5) * uniforme(0.2, 1.0);
        Biquad bois = Biquad::passeBande(uniforme(700, 2800) * eclat, uniforme(8, 18));
        const double a = uniforme(0.6, 2.2) * std::exp(-t0 * 3);
        const double d = uniforme(0.012, 0.05);
        for (std::size_t i = 0; i < ech(d * 4) && ech(t0) + i < s.size(); ++i) {
            const double t = i / taux;
            s[ech(t0) + i] += a * bois(bruit()) * std::exp(-t / d);
        }
    }
    // pieces of wood dropping on the deck and in the water
    for (int k = 0; k < 10; ++k) {
        const double t0 = uniforme(0.35, 1.1);
        const double f = uniforme(300, 700) * eclat;
        const double a = uniforme(0.1, 0.3);
        for (std::size_t i = 0; i < ech(0.06) && ech(t0) + i < s.size(); ++i) {
            const double t = i / taux;
            s[ech(t0) + i] += a * std::sin(2 * pi * f * t) * std::exp(-t * 70);
        }
    }
    estomper(s, 0.25);
    return s;
}

// The powder store going up: a long, deep roar with debris.
Son explosion(double duree, double grave = 1.0) {
    Son s(ech(duree));
    Biquad corps = Biquad::passeBas(1800, 0.7);
    Biquad fond = Biquad::passeBas(120 * grave, 1.0);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i / taux;
        if (i % 64 == 0)
            corps = [&] {
                Biquad b = Biquad::passeBas((200 + 2400 * std::exp(-t * 3)) * grave, 0.7);
                b.x1 = corps.x1;
                b.x2 = corps.x2;
                b.y1 = corps.y1;
                b.y2 = corps.y2;
                return b;
            }();
        phase += 2 * pi * (30 + 40 * std::exp(-t * 4)) * grave / taux;
        const double attaque = std::min(1.0, t * 300);
        s[i] =
            attaque * (1.6 * corps(bruit()) * std::exp(-t * 1.6) + 1.5 * fond(bruit()) * std::exp(-t * 1.1) +
                       0.8 * std::sin(phase) * std::exp(-t * 3));
    }
    estomper(s, 0.25);
    return s;
}

// Timbers groaning under strain: stick-slip pulses through the hollow hull's resonances.
Son craquement(double duree, double f0, double f1, double hauteur = 1.0) {
    Son s(ech(duree));
    Biquad r1 = Biquad::passeBande(420 * hauteur, 9);
    Biquad r2 = Biquad::passeBande(780 * hauteur, 12);
    Biquad r3 = Biquad::passeBande(1350 * hauteur, 14);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double u = static_cast<double>(i) / s.size();
        const double f = f0 + (f1 - f0) * u + 6 * std::sin(2 * pi * 2.3 * u * duree);
        const double avant = phase;
        phase += f / taux * (1 + 0.3 * bruit());
        double impulsion = std::floor(phase) != std::floor(avant) ? 1.0 : 0.0;
        impulsion += 0.05 * bruit();
        const double env = std::pow(std::sin(pi * u), 0.7);
        s[i] = env * (2.2 * r1(impulsion) + 1.6 * r2(impulsion) + 1.0 * r3(impulsion));
    }
    estomper(s, 0.25);
    return s;
}

// Air escaping from a sinking hull: bubbles of rising pitch and a gurgling wash.
Son bouillonnement(double duree, double densite, double hauteur = 1.0) {
    Son s(ech(duree));
    Biquad remous = Biquad::passeBas(500 * hauteur, 0.9);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double u = static_cast<double>(i) / s.size();
        s[i] = 0.8 * remous(bruit()) * std::sin(pi * std::min(1.0, u * 1.3)) * (1 - 0.6 * u);
    }
    const int n = static_cast<int>(densite * duree);
    for (int k = 0; k < n; ++k) {
        const double t0 = duree * std::pow(uniforme(0, 1), 1.3) * 0.95;
        const double r = uniforme(0.5, 1.6);
        const double f0 = 380 * hauteur / r;
        const double d = 0.03 * r;
        const double a = uniforme(0.15, 0.45) * (1 - 0.7 * t0 / duree);
        double phase = 0;
        for (std::size_t i = 0; i < ech(d * 5) && ech(t0) + i < s.size(); ++i) {
            const double t = i / taux;
            phase += 2 * pi * f0 * (1 + 2.5 * t / d * 0.1) / taux;
            s[ech(t0) + i] += a * std::sin(phase) * std::exp(-t / d);
        }
    }
    estomper(s, 0.25);
    return s;
}

// Schroeder reverberation: four combs into two all-passes; what is heard from across the water.
Son reverberer(const Son& sec, double humide, double duree) {
    Son s(sec);
    Son mouille(sec.size(), 0.0);
    const std::array<double, 4> retards = {0.0297, 0.0371, 0.0411, 0.0437};
    for (double r : retards) {
        const std::size_t n = ech(r);
        const double g = std::pow(0.001, r / duree);
        std::vector<double> ligne(n, 0.0);
        std::size_t k = 0;
        for (std::size_t i = 0; i < sec.size(); ++i) {
            const double y = ligne[k];
            ligne[k] = sec[i] + g * y;
            k = (k + 1) % n;
            mouille[i] += y / 4;
        }
    }
    for (double r : {0.005, 0.0017}) {
        const std::size_t n = ech(r);
        std::vector<double> ligne(n, 0.0);
        std::size_t k = 0;
        for (double& x : mouille) {
            const double tampon = ligne[k];
            const double y = -0.7 * x + tampon;
            ligne[k] = x + 0.7 * y;
            k = (k + 1) % n;
            x = y;
        }
    }
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = (1 - humide) * s[i] + humide * mouille[i] * 2.2;
    return s;
}

// Heard from afar: the highs die over the water, the whole is quieter and rings in the air.
Son auLoin(const Son& proche, double gain) {
    Son s(proche);
    filtrer(s, Biquad::passeBas(950, 0.7));
    filtrer(s, Biquad::passeBas(1400, 0.6));
    s = reverberer(s, 0.45, 1.6);
    for (double& x : s)
        x *= gain;
    return s;
}

// Brings the loudest sample to the given peak, and fades the last few milliseconds to silence.
void normaliser(Son& s, double crete) {
    double m = 1e-9;
    for (double x : s)
        m = std::max(m, std::abs(x));
    for (double& x : s)
        x *= crete / m;
    const std::size_t fin = std::min<std::size_t>(s.size(), ech(0.12));
    for (std::size_t i = 0; i < fin; ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / fin;
}

// Soft limiting, so that the mixed layers never clip harshly.
void adoucir(Son& s) {
    for (double& x : s)
        x = std::tanh(x);
}

double note(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A brass voice: harmonics that open up with the breath, a little vibrato once the note is held.
void cuivre(Son& s, double t0, double duree, int midi, double gain) {
    const double f = note(midi);
    const std::size_t n = ech(duree + 0.08);
    std::array<double, 40> phases{};
    for (std::size_t i = 0; i < n && ech(t0) + i < s.size(); ++i) {
        const double t = i / taux;
        const double attaque = std::min(1.0, t / 0.035);
        const double relache = t > duree ? std::max(0.0, 1 - (t - duree) / 0.08) : 1.0;
        const double env = attaque * relache * (0.85 + 0.15 * std::exp(-t * 8));
        const double souffle = 1.5 + 5.5 * env * (0.7 + 0.3 * std::exp(-t * 4));
        const double vib = 1 + 0.006 * std::sin(2 * pi * 5.2 * t) * std::min(1.0, t / 0.3);
        double x = 0;
        for (std::size_t k = 1; k <= phases.size(); ++k) {
            const double fk = f * k * vib;
            if (fk > 5000)
                break;
            phases[k - 1] += 2 * pi * fk / taux;
            x += std::sin(phases[k - 1]) * std::exp(-static_cast<double>(k) / souffle) / std::sqrt(k);
        }
        s[ech(t0) + i] += gain * env * x;
    }
}

// A kettledrum stroke under the last chord.
void timbale(Son& s, double t0, int midi, double gain) {
    const double f = note(midi);
    Biquad peau = Biquad::passeBas(400, 0.8);
    for (std::size_t i = 0; i < ech(1.2) && ech(t0) + i < s.size(); ++i) {
        const double t = i / taux;
        const double x = std::sin(2 * pi * f * t) * std::exp(-t * 3) +
                         0.5 * std::sin(2 * pi * f * 1.5 * t) * std::exp(-t * 5) +
                         0.6 * peau(bruit()) * std::exp(-t * 25);
        s[ech(t0) + i] += gain * x;
    }
}

// A plain square wave, as the old home computers played their tunes.
void carre(Son& s, double t0, double duree, int midi, double gain, double rapport = 0.5,
           bool vibrato = false) {
    const double f = note(midi);
    double phase = 0;
    const std::size_t n = ech(duree);
    for (std::size_t i = 0; i < n && ech(t0) + i < s.size(); ++i) {
        const double t = i / taux;
        const double v = vibrato ? 1 + 0.012 * std::sin(2 * pi * 5 * t) * std::min(1.0, t / 0.4) : 1.0;
        phase += f * v / taux;
        phase -= std::floor(phase);
        const double env = std::min(1.0, t / 0.005) * std::min(1.0, (duree - t) / 0.02) *
                           (vibrato ? std::max(0.0, 1 - t / duree * 0.9) : 0.9 + 0.1 * std::exp(-t * 10));
        // a narrow pulse is centred on zero, or it would push the whole tune off the middle
        s[ech(t0) + i] += gain * env * ((phase < rapport ? 1.0 : -1.0) - (2 * rapport - 1));
    }
}

// ---- the eight clips

Son waveRate(std::size_t n) {
    Son s(n, 0.0);
    mixer(s, coupDeCanon(), 0.0, 0.9);
    mixer(s, sifflement(0.75, 1500, 700), 0.35, 0.25);
    mixer(s, gerbe(2.4), 1.1, 0.9);
    adoucir(s);
    normaliser(s, 0.89);
    return s;
}

Son waveBut(std::size_t n) {
    Son s(n, 0.0);
    mixer(s, coupDeCanon(), 0.0, 0.9);
    mixer(s, sifflement(0.7, 1500, 800), 0.35, 0.22);
    mixer(s, impactBois(), 1.05, 1.0);
    mixer(s, craquement(1.3, 35, 22), 1.6, 0.35);
    mixer(s, gerbe(1.2, 1.3), 1.75, 0.1);
    adoucir(s);
    normaliser(s, 0.89);
    return s;
}

Son waveCoule(std::size_t n) {
    Son s(n, 0.0);
    mixer(s, coupDeCanon(), 0.0, 0.8);
    mixer(s, sifflement(0.65, 1500, 800), 0.35, 0.2);
    mixer(s, impactBois(), 1.0, 0.7);
    mixer(s, explosion(2.6), 1.1, 1.3);
    mixer(s, craquement(1.4, 40, 18), 2.3, 0.55);
    mixer(s, craquement(1.1, 28, 45, 0.8), 3.3, 0.45);
    mixer(s, bouillonnement(2.6, 30), 3.3, 0.7);
    mixer(s, gerbe(1.6, 0.6), 3.9, 0.35);
    adoucir(s);
    normaliser(s, 0.89);
    return s;
}

Son waveERate(std::size_t n) {
    Son s(n, 0.0);
    mixer(s, coupDeCanon(0.75), 0.0, 0.9);
    mixer(s, gerbe(2.0, 0.7), 0.9, 0.8);
    adoucir(s);
    s = auLoin(s, 1.0);
    normaliser(s, 0.42);
    return s;
}

Son waveEBut(std::size_t n) {
    Son s(n, 0.0);
    mixer(s, coupDeCanon(0.75), 0.0, 0.9);
    mixer(s, impactBois(0.7), 0.95, 1.0);
    mixer(s, craquement(1.2, 30, 18, 0.75), 1.5, 0.45);
    adoucir(s);
    s = auLoin(s, 1.0);
    normaliser(s, 0.42);
    return s;
}

Son waveECoule(std::size_t n) {
    Son s(n, 0.0);
    mixer(s, coupDeCanon(0.75), 0.0, 0.8);
    mixer(s, impactBois(0.7), 0.9, 0.6);
    mixer(s, explosion(2.2, 0.8), 1.0, 1.3);
    mixer(s, craquement(1.2, 34, 16, 0.75), 1.9, 0.5);
    mixer(s, bouillonnement(1.9, 26, 0.75), 2.4, 0.7);
    adoucir(s);
    s = auLoin(s, 1.0);
    normaliser(s, 0.45);
    return s;
}

Son waveVictoire(std::size_t n) {
    Son s(n, 0.0);
    // Call to arms in C major: three quick calls, the leap up the chord, and the held chord.
    const double g = 0.22;
    struct Note {
        double t, d;
        int midi;
    };
    const Note melodie[] = {{0.00, 0.11, 67}, {0.13, 0.11, 67}, {0.26, 0.11, 67}, {0.40, 0.40, 72},
                            {0.84, 0.16, 67}, {1.02, 0.16, 72}, {1.20, 0.20, 76}, {1.44, 0.42, 79},
                            {1.90, 0.16, 76}, {2.08, 1.20, 84}};
    for (const Note& m : melodie)
        cuivre(s, m.t, m.d, m.midi, g);
    // second voice a third or a sixth below
    const Note harmonie[] = {{0.40, 0.40, 64}, {1.44, 0.42, 76}, {2.08, 1.20, 79}};
    for (const Note& m : harmonie)
        cuivre(s, m.t, m.d, m.midi, g * 0.7);
    cuivre(s, 2.08, 1.20, 76, g * 0.6);
    cuivre(s, 2.08, 1.20, 60, g * 0.7);
    cuivre(s, 0.40, 0.40, 48, g * 0.6);
    timbale(s, 0.40, 43, 0.5);
    timbale(s, 2.08, 48, 0.6);
    timbale(s, 2.30, 43, 0.4);
    s = reverberer(s, 0.22, 1.2);
    adoucir(s);
    normaliser(s, 0.85);
    return s;
}

Son waveDefaite(std::size_t n) {
    Son s(n, 0.0);
    // A lament in A minor that walks down and sinks to the bottom of the scale.
    const double pas = 0.36;
    const int melodie[] = {76, 74, 72, 71, 72, 71, 69, 68};
    for (int i = 0; i < 8; ++i)
        carre(s, i * pas, pas * 0.92, melodie[i], 0.32, 0.5);
    carre(s, 8 * pas, 0.7, 69, 0.32, 0.5);
    carre(s, 8 * pas + 0.74, 2.3, 57, 0.34, 0.25, true);
    // the bass, one note per two steps: A, F, E, E, then the low A
    const int basse[] = {45, 41, 40, 40};
    for (int i = 0; i < 4; ++i)
        carre(s, i * 2 * pas, 2 * pas * 0.95, basse[i], 0.2, 0.5);
    carre(s, 8 * pas, 0.7, 45, 0.2, 0.5);
    carre(s, 8 * pas + 0.74, 2.3, 33, 0.22, 0.5, true);
    // square waves are loud for their peak: kept at the level of the other clips
    normaliser(s, 0.5);
    return s;
}

// The cue of a key that does nothing: a soft, short knock of wood, far under the shots and the voice.
Son waveRien(std::size_t n) {
    Son s(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / taux;
        const double attaque = std::min(1.0, t / 0.003);
        s[i] = attaque * std::exp(-t / 0.018) *
               (std::sin(2 * pi * 520 * t) + 0.35 * std::sin(2 * pi * 1310 * t) + 0.05 * bruit());
    }
    normaliser(s, 0.3);
    return s;
}

// ---- the glance: one short sound per sector, its state told by its timbre

// A decaying partial from t0, its attack 2 ms long so that it never clicks.
double partiel(double t, double f, double tenue, double t0 = 0) {
    if (t < t0)
        return 0;
    const double u = t - t0;
    return std::min(1.0, u / 0.002) * std::exp(-u / tenue) * std::sin(2 * pi * f * u);
}

// Not yet shot at: a soft, dry tick, high and quiet, that only says "a sector is here".
Son waveOeilInexplore(std::size_t n) {
    Son s(n, 0.0);
    Biquad sec = Biquad::passeBande(3000, 2.5);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / taux;
        s[i] = 0.6 * partiel(t, 2400, 0.006) + sec(bruit()) * std::exp(-t / 0.004);
    }
    normaliser(s, 0.22);
    return s;
}

// In the water: a low splash, a falling gulp with a breath of foam.
Son waveOeilEau(std::size_t n) {
    Son s(n, 0.0);
    Biquad ecume = Biquad::passeBande(700, 1.2);
    double phase = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / taux;
        phase += 2 * pi * (330 - 1800 * t) / taux;
        const double env = std::min(1.0, t / 0.006) * std::exp(-t / 0.03);
        s[i] = env * (std::sin(phase) + 0.9 * ecume(bruit()));
    }
    normaliser(s, 0.5);
    return s;
}

// Hit: a bright ping, a bell's clear partials that ring the longest of the four.
Son waveOeilTouche(std::size_t n) {
    Son s(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / taux;
        s[i] = partiel(t, 1760, 0.035) + 0.45 * partiel(t, 1760 * 2.76, 0.015) +
               0.2 * partiel(t, 1760 * 1.5, 0.02);
    }
    normaliser(s, 0.55);
    return s;
}

// Sunk: a deep knock, a heavy hull struck once, far below the others.
Son waveOeilCoule(std::size_t n) {
    Son s(n, 0.0);
    Biquad sourd = Biquad::passeBas(400, 0.8);
    double phase = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / taux;
        phase += 2 * pi * (150 - 500 * t) / taux;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.025);
        s[i] = env * (std::sin(phase) + 0.5 * std::sin(2.3 * phase)) +
               0.8 * sourd(bruit()) * std::exp(-t / 0.008);
    }
    normaliser(s, 0.6);
    return s;
}

// On our sea, a ship of ours not found: a short wooden tap, hollow and dry.
Son waveOeilIntact(std::size_t n) {
    Son s(n, 0.0);
    Biquad bois = Biquad::passeBande(1100, 6);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / taux;
        s[i] =
            partiel(t, 820, 0.012) + 0.6 * partiel(t, 820 * 2.4, 0.006) + 1.5 * bois(i < 20 ? bruit() : 0.0);
    }
    normaliser(s, 0.45);
    return s;
}

// ---- the wave files

void mot16(std::string& o, std::uint16_t v) {
    o += static_cast<char>(v & 0xff);
    o += static_cast<char>(v >> 8);
}
void mot32(std::string& o, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        o += static_cast<char>((v >> (8 * i)) & 0xff);
}
void bloc(std::string& o, const char* id, const std::string& contenu) {
    o.append(id, 4);
    mot32(o, static_cast<std::uint32_t>(contenu.size()));
    o += contenu;
    if (contenu.size() % 2)
        o += '\0';
}

struct Clip {
    const char* fichier;
    Son (*synthese)(std::size_t);
    int bits;
    std::size_t octets;
    int tailleFmt;
    bool fact;
};

bool ecrire(const std::string& dossier, const Clip& c) {
    const std::size_t n = c.octets / (c.bits / 8);
    const Son son = c.synthese(n);
    const int octetsParEch = c.bits / 8;
    std::string fmt;
    mot16(fmt, 1); // PCM
    mot16(fmt, 1); // mono
    mot32(fmt, static_cast<std::uint32_t>(taux));
    mot32(fmt, static_cast<std::uint32_t>(taux) * octetsParEch);
    mot16(fmt, static_cast<std::uint16_t>(octetsParEch));
    mot16(fmt, static_cast<std::uint16_t>(c.bits));
    if (c.tailleFmt == 18)
        mot16(fmt, 0); // no extra format bytes
    std::string donnees;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = std::clamp(i < son.size() ? son[i] : 0.0, -1.0, 1.0);
        if (c.bits == 8) {
            donnees += static_cast<char>(static_cast<std::uint8_t>(std::lround(128 + 127 * x)));
        } else {
            const auto v = static_cast<std::int16_t>(std::lround(32767 * x));
            mot16(donnees, static_cast<std::uint16_t>(v));
        }
    }
    std::string corps = "WAVE";
    bloc(corps, "fmt ", fmt);
    if (c.fact) {
        std::string f;
        mot32(f, static_cast<std::uint32_t>(n));
        bloc(corps, "fact", f);
    }
    bloc(corps, "data", donnees);
    std::string riff = "RIFF";
    mot32(riff, static_cast<std::uint32_t>(corps.size()));
    riff += corps;
    std::ofstream sortie(dossier + "/" + c.fichier, std::ios::binary);
    sortie.write(riff.data(), static_cast<std::streamsize>(riff.size()));
    return static_cast<bool>(sortie);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const Clip clips[] = {
        {"waverate.wav", waveRate, 16, 81978, 16, true},
        {"wavebut.wav", waveBut, 16, 81818, 16, true},
        {"wavecoule.wav", waveCoule, 16, 132308, 18, true},
        {"waveerate.wav", waveERate, 16, 69964, 16, false},
        {"waveebut.wav", waveEBut, 16, 93884, 16, false},
        {"waveecoule.wav", waveECoule, 16, 98924, 16, false},
        {"wavevictoire.wav", waveVictoire, 16, 76032, 18, true},
        {"wavedefaite.wav", waveDefaite, 8, 66068, 16, true},
        {"waverien.wav", waveRien, 16, 1764, 16, false},
        {"waveoeilinexplore.wav", waveOeilInexplore, 16, 1544, 16, false},
        {"waveoeileau.wav", waveOeilEau, 16, 1764, 16, false},
        {"waveoeiltouche.wav", waveOeilTouche, 16, 1764, 16, false},
        {"waveoeilcoule.wav", waveOeilCoule, 16, 1764, 16, false},
        {"waveoeilintact.wav", waveOeilIntact, 16, 1544, 16, false},
    };
    for (const Clip& c : clips) {
        hasard.seed(1798);
        if (!ecrire(argv[1], c)) {
            std::fprintf(stderr, "cannot write %s/%s\n", argv[1], c.fichier);
            return 1;
        }
    }
    return 0;
}
