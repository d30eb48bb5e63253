// The speech engine for real (libespeak-ng) and the sound output for real when the machine has one.
#include "audio/moteur_espeak.h"
#include "audio/sortie_parole.h"
#include "audio/sortie_pulse.h"
#include "audio/voix_directe.h"
#include "base/reglages.h"
#include "support/faux.h"
#include "support/textes.h"

#include <QFile>
#include <QElapsedTimer>
#include <QMutex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

namespace {

// One engine for the whole run: the library holds one global state.
MoteurEspeak& moteur() {
    static MoteurEspeak* m = new MoteurEspeak;
    return *m;
}

struct Dit {
    qint64 echantillons = 0;
    qint64 annonce = 0; // the count given with the end
    bool interrompu = false;
    QList<QPair<qint64, int>> mots;
    QByteArray pcm;
};

// An ear that has heard nothing yet, as a sink waking up: everything handed to it is ahead of it.
class OreilleSourde : public ArriveeSon {
public:
    void recevoir(const QByteArray& e) override {
        QMutexLocker v(&verrou_);
        recu_ += e;
    }
    int avanceMs() const override { return int(recu().size() / 2 * 1000 / moteur().frequence()); }
    QByteArray recu() const {
        QMutexLocker v(&verrou_);
        return recu_;
    }

private:
    mutable QMutex verrou_;
    QByteArray recu_;
};

// Says a text and waits for its end; stopAt > 0 stops it once that many samples have come, attendreMs > 0
// once that long has passed.
Dit dire(const QString& texte, int id, qint64 stopApres = 0, MoteurEspeak& m = moteur(),
         std::shared_ptr<ArriveeSon> arrivee = nullptr, int attendreMs = 0) {
    Dit d;
    bool fini = false;
    QObject contexte;
    QObject::connect(&m, &MoteurParole::pcm, &contexte, [&](int i, const QByteArray& pcm) {
        if (i != id)
            return;
        d.pcm += pcm;
        d.echantillons += pcm.size() / 2;
        if (stopApres > 0 && d.echantillons >= stopApres)
            m.arreter(id);
    });
    QObject::connect(&m, &MoteurParole::mot, &contexte, [&](int i, qint64 e, int pos, int) {
        if (i == id)
            d.mots.append({e, pos});
    });
    QObject::connect(&m, &MoteurParole::fin, &contexte, [&](int i, qint64 n, bool interrompu) {
        if (i != id)
            return;
        d.annonce = n;
        d.interrompu = interrompu;
        fini = true;
    });
    m.dire(id, texte, std::move(arrivee));
    if (attendreMs > 0 && !QTest::qWaitFor([&] { return fini; }, attendreMs))
        m.arreter(id);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fini; }, 20000)) << qPrintable(texte);
    return d;
}

double secondes(const Dit& d) {
    return double(d.echantillons) / moteur().frequence();
}

int prochain = 1000;

// Zero crossings per second over the voiced part of the sound.
double passagesParZero(const Dit& d) {
    const auto* s = reinterpret_cast<const qint16*>(d.pcm.constData());
    qint64 passages = 0, fort = 0;
    for (qint64 i = 1; i < d.echantillons; ++i) {
        if (std::abs(s[i]) < 500)
            continue;
        ++fort;
        passages += (s[i] > 0) != (s[i - 1] > 0);
    }
    return fort > 0 ? double(passages) * moteur().frequence() / fort : 0;
}

TEST(MoteurEspeak, UnTexteFrancaisDonneUnSonDeLongueurPlausible) {
    ASSERT_TRUE(moteur().pret()) << "libespeak-ng did not start";
    EXPECT_GE(moteur().frequence(), 8000);
    const Dit d =
        dire(QStringLiteral("Bonjour amiral, l'ennemi approche, mais nos navires sont encore au port."),
             ++prochain);
    EXPECT_FALSE(d.interrompu);
    EXPECT_EQ(d.annonce, d.echantillons);
    // thirteen words: a few seconds of speech, not a blip and not a spelling-out
    EXPECT_GT(secondes(d), 2.0);
    EXPECT_LT(secondes(d), 9.0);
    EXPECT_GE(d.mots.size(), 10);
    // not silence
    const auto* s = reinterpret_cast<const qint16*>(d.pcm.constData());
    int fort = 0;
    for (qint64 i = 0; i < d.echantillons; ++i)
        fort += std::abs(s[i]) > 3000;
    EXPECT_GT(fort, d.echantillons / 50);
}

TEST(MoteurEspeak, LesLettresAccentueesSeDisentCommeDesLettres) {
    // each pair sounds the same in French; a text read in the wrong encoding would spell out the bytes
    const QList<QPair<QString, QString>> paires = {
        {QStringLiteral("ça"), QStringLiteral("sa")},
        {QStringLiteral("là"), QStringLiteral("la")},
        {QStringLiteral("où"), QStringLiteral("ou")},
        {QStringLiteral("fête"), QStringLiteral("faite")},
        {QStringLiteral("âme"), QStringLiteral("ame")},
        {QStringLiteral("côte"), QStringLiteral("cote")},
        {QStringLiteral("sûr"), QStringLiteral("sur")},
        {QStringLiteral("cœur"), QStringLiteral("queur")},
        {QStringLiteral("maïs"), QStringLiteral("ma-isse")},
        {QStringLiteral("très"), QStringLiteral("trait")},
        {QStringLiteral("été"), QStringLiteral("étais")},
    };
    for (const auto& [accent, simple] : paires) {
        const double a = secondes(dire(accent, ++prochain));
        const double b = secondes(dire(simple, ++prochain));
        EXPECT_GT(a, 0.1) << qPrintable(accent);
        EXPECT_NEAR(a, b, 0.35 * b) << qPrintable(accent) << " / " << qPrintable(simple);
    }
    // the word positions count characters of the text, accented ones as one
    const Dit d = dire(QStringLiteral("À bâbord, Frégate coulée"), ++prochain);
    QList<int> positions;
    for (const auto& m : d.mots)
        positions << m.second;
    EXPECT_EQ(positions, (QList<int>{0, 2, 10, 18}));
}

TEST(MoteurEspeak, ArreterCoupeLeTexteEnCours) {
    const QString texte =
        QStringLiteral("Voici le rapport de nos pertes, amiral: tir numéro douze, frégate hors de "
                       "combat. Tir numéro vingt, galère hors de combat.");
    // long enough that its synthesis is still under way when the first sound arrives
    const QString long_ = texte.repeated(40);
    const Dit entier = dire(long_, ++prochain);
    const Dit coupe = dire(long_, ++prochain, 1);
    EXPECT_FALSE(entier.interrompu);
    EXPECT_TRUE(coupe.interrompu);
    EXPECT_LT(coupe.echantillons, entier.echantillons / 3);
    EXPECT_EQ(coupe.annonce, coupe.echantillons);
    // handed to an ear that hears nothing: the same sound, and not much more than a second ahead of it
    // however long the text; stopped meanwhile, it ends at once
    auto sourde = std::make_shared<OreilleSourde>();
    QElapsedTimer montre;
    montre.start();
    const Dit sourd = dire(long_, ++prochain, 0, moteur(), sourde, 1500);
    EXPECT_LT(montre.elapsed(), 1500 + 1000);
    EXPECT_TRUE(sourd.interrompu);
    EXPECT_EQ(sourde->recu(), sourd.pcm);
    EXPECT_GT(secondes(sourd), 0.5);
    EXPECT_LT(secondes(sourd), 1.2);
    // a text stopped before its turn says nothing
    const int attendu = ++prochain;
    moteur().dire(attendu - 1000000, texte, nullptr); // keeps the worker busy a moment
    moteur().arreter(attendu);                        // not yet asked: no effect
    const Dit apres = dire(QStringLiteral("Feu!"), attendu);
    EXPECT_FALSE(apres.interrompu);
    EXPECT_GT(apres.echantillons, 0);
}

TEST(MoteurEspeak, LesVoixFrancaisesEtLeursIdentifiants) {
    const QList<VoixFrancaise> voix = moteur().voix();
    QStringList noms;
    for (const VoixFrancaise& v : voix)
        noms << v.nom;
    for (const QString& attendu :
         {QStringLiteral("fr"), QStringLiteral("fr-be"), QStringLiteral("fr-ch"), QStringLiteral("fr+f3"),
          QStringLiteral("fr+m2"), QStringLiteral("fr-ch+f1")})
        EXPECT_TRUE(noms.contains(attendu)) << qPrintable(attendu);
    EXPECT_EQ(noms.first(), QStringLiteral("fr"));
    for (const VoixFrancaise& v : voix) {
        EXPECT_EQ(v.identifiant, identifiantVoix(v.nom));
        EXPECT_TRUE(v.libelle.startsWith(QStringLiteral("Français ("))) << qPrintable(v.libelle);
    }
    EXPECT_EQ(voixDuMode(voix, QStringLiteral("{0879a4e0-a92c-11d1-B17B-0020AFED142E}")),
              QStringLiteral("fr"));
    // another voice sounds different
    const QString texte = QStringLiteral("Ma voix est: Français. Entrée pour valider.");
    const Dit fr = dire(texte, ++prochain);
    ASSERT_TRUE(moteur().choisirVoix(QStringLiteral("fr+f3")));
    const Dit f3 = dire(texte, ++prochain);
    ASSERT_TRUE(moteur().choisirVoix(QStringLiteral("fr")));
    const Dit fr3 = dire(texte, ++prochain);
    // the female variant speaks higher: its waveform crosses zero more often
    EXPECT_GT(passagesParZero(f3), 1.15 * passagesParZero(fr));
    EXPECT_NEAR(passagesParZero(fr3), passagesParZero(fr), 0.1 * passagesParZero(fr));
    EXPECT_FALSE(moteur().choisirVoix(QStringLiteral("klingon")));
    EXPECT_EQ(moteur().voixChoisie(), QStringLiteral("fr"));
}

double niveauDb(const QByteArray& pcm) {
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    double somme = 1;
    for (qsizetype i = 0; i < pcm.size() / 2; ++i)
        somme += double(s[i]) * s[i];
    return 10 * std::log10(somme / std::max<qsizetype>(1, pcm.size() / 2));
}

// Config.txt's speed and volume as the player hears them; a new file's values leave the voice as it is.
TEST(MoteurEspeak, LesReglagesDeConfigAgissentSurLaVoix) {
    moteur().appliquer({});
    EXPECT_EQ(moteur().reglages().vitesse, 175);
    EXPECT_EQ(moteur().reglages().volume, 100);
    const Dit base = dire(textes::GREETING, prochain++);
    ASSERT_GT(base.echantillons, 0);
    struct Cas {
        const char* nom;
        TagsParole tags;
        double longueurMin, longueurMax; // of the greeting's at the voice's own speed
        double ecartDb;                  // level against it
    };
    const QList<Cas> cas{
        {"a new file's values", lireTagsParole(reglagesParDefaut()), 0.98, 1.02, 0},
        {"the values the voice screen writes by default", {175, 50, 100}, 0.98, 1.02, 0},
        {"speed 350", {350, 50, 100}, 0.3, 0.6, 0},
        {"volume 50", {175, 50, 50}, 0.98, 1.02, -6.02},
    };
    for (const Cas& c : cas) {
        moteur().appliquer(c.tags);
        const Dit d = dire(textes::GREETING, prochain++);
        const double rapport = double(d.echantillons) / base.echantillons;
        EXPECT_GE(rapport, c.longueurMin) << c.nom;
        EXPECT_LE(rapport, c.longueurMax) << c.nom;
        if (rapport > 0.98) {
            EXPECT_NEAR(niveauDb(d.pcm) - niveauDb(base.pcm), c.ecartDb, 1) << c.nom;
        }
    }
    moteur().appliquer({250, 40, 80});
    const MoteurParole::Reglages r = moteur().reglages();
    EXPECT_EQ(std::tuple(r.vitesse, r.hauteur, r.volume), std::tuple(250, 40, 80));
    moteur().appliquer({});
    EXPECT_EQ(moteur().reglages().vitesse, 175);
}

// In a process of its own: the library holds one state, and it prints its own complaints while starting.
TEST(MoteurEspeakDeathTest, SansDonneesMuetMaisAuRythmeDesMotsEtSansLignesDeLaBibliotheque) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir vide; // a folder without the library's data
    const auto essayer = [&] {
        qputenv("ESPEAK_DATA_PATH", QFile::encodeName(vide.path()));
        MoteurEspeak m;
        const QString texte = QStringLiteral("Feu ennemi! Touché.");
        const Dit d = dire(texte, 1, 0, m);
        const qint64 seconde = m.frequence();
        const bool ok =
            !m.pret() && m.voix().isEmpty() &&
            m.raisonSilence() ==
                QStringLiteral("libespeak-ng ne trouve pas ses données dans ") + vide.path() &&
            d.echantillons == 0 && !d.interrompu && d.annonce == texte.size() * seconde / 15 &&
            d.mots == (QList<QPair<qint64, int>>{{0, 0}, {4 * seconde / 15, 4}, {12 * seconde / 15, 12}});
        // what came, should a check fail
        std::fprintf(stdout, "%s; %lld samples announced, %lld made, %d words\n",
                     qPrintable(m.raisonSilence()), qint64(d.annonce), qint64(d.echantillons),
                     int(d.mots.size()));
        std::exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(essayer(), testing::ExitedWithCode(0), testing::Not(testing::HasSubstr("phontab")));
}

TEST(VoixDirecte, DitDansLaVoixChoisieEtSArreteSurUnNouveauTexte) {
    VoixDirecte voix(moteur(), nullptr, new SortieMuette);
    QSignalSpy fini(&voix, &VoixDirecte::fini);
    QList<int> dits;
    QObject contexte;
    QObject::connect(&moteur(), &MoteurParole::fin, &contexte, [&](int id, qint64 n, bool) {
        if (n > 0)
            dits << id;
    });
    voix.dire(QStringLiteral("Ma voix est: Français (Belgique). Entrée pour valider."),
              QStringLiteral("fr-be"));
    EXPECT_TRUE(voix.parle());
    EXPECT_EQ(moteur().voixChoisie(), QStringLiteral("fr-be"));
    voix.dire(QStringLiteral("Ma voix est: Français (Suisse). Entrée pour valider."),
              QStringLiteral("fr-ch"));
    EXPECT_EQ(fini.size(), 1); // the first one was cut off
    ASSERT_TRUE(QTest::qWaitFor([&] { return !voix.parle(); }, 10000));
    EXPECT_EQ(fini.size(), 2);
    EXPECT_FALSE(dits.isEmpty());
    moteur().choisirVoix(QStringLiteral("fr"));
}

TEST(SortieParolePulse, JoueEtCoupe) {
    SortieParolePulse sortie;
    if (!sortie.disponible())
        GTEST_SKIP() << "no sound server on this machine (start a PulseAudio server to run this test)";
    QSignalSpy jouee(&sortie, &SortieParole::jouee);
    const Dit d = dire(QStringLiteral("Dans l'eau, fiston."), ++prochain);
    sortie.commencer(moteur().frequence());
    sortie.ecrire(d.pcm);
    sortie.terminer();
    ASSERT_TRUE(jouee.wait(10000));
    EXPECT_GE(sortie.entendus(), d.echantillons * 9 / 10);
    // cut off halfway: nothing more is reported for it
    jouee.clear();
    sortie.commencer(moteur().frequence());
    sortie.ecrire(d.pcm);
    sortie.terminer();
    QTest::qWait(200);
    sortie.couper();
    EXPECT_EQ(sortie.entendus(), 0);
    EXPECT_FALSE(jouee.wait(1500));
}

} // namespace
