// The parrot character service: requests in order, speech timing and stopping, the character file,
// voices, the parrot and its balloon in the game window; in virtual time over a scripted engine.
#include "narrator/compagnon_perroquet.h"

#include "audio/lecteur_ecran.h"
#include "audio/moteur_parole.h"
#include "narrator/narrateur.h"
#include "narrator/perroquet_ecran.h"
#include "audio/sortie_parole.h"
#include "support/faux.h"
#include "support/temps_virtuel.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QString DONNEES = QStringLiteral(CORSABORD_SOURCE_DIR "/assets/narrateur");
constexpr int FREQUENCE = 22050;

// An engine whose sound the test makes: 22050 samples per second.
class FauxMoteur : public MoteurParole {
    Q_OBJECT
public:
    using MoteurParole::MoteurParole;
    int frequence() const override { return FREQUENCE; }
    QList<VoixFrancaise> voix() const override {
        return voixFrancaises({QStringLiteral("fr"), QStringLiteral("fr-be")},
                              {{QStringLiteral("f3"), QString()}});
    }
    bool choisirVoix(const QString& nom) override {
        for (const VoixFrancaise& v : voix())
            if (v.nom == nom) {
                voix_ = nom;
                return true;
            }
        return false;
    }
    QString voixChoisie() const override { return voix_; }
    Reglages reglages() const override { return {}; }
    void appliquer(const TagsParole&) override {}
    void dire(int id, const QString& texte, std::shared_ptr<ArriveeSon>) override {
        dits << qMakePair(id, texte);
    }
    void arreter(int id) override { arretes << id; }

    // The engine's sound of a text: ms of a tone at that amplitude (0 to 1), in 20 ms pieces.
    void produire(int id, int ms, double amplitude = 0.5) {
        const int n = FREQUENCE * ms / 1000;
        for (int debut = 0; debut < n; debut += 441) {
            QByteArray morceau(std::min(441, n - debut) * 2, Qt::Uninitialized);
            auto* s = reinterpret_cast<qint16*>(morceau.data());
            for (int i = 0; i < morceau.size() / 2; ++i)
                s[i] = qint16(std::lround(amplitude * 32000 * ((i / 20) % 2 ? 1 : -1)));
            Q_EMIT pcm(id, morceau);
            produits_[id] += morceau.size() / 2;
        }
    }
    void finir(int id, bool interrompu = false) { Q_EMIT fin(id, produits_.value(id), interrompu); }

    QList<QPair<int, QString>> dits;
    QList<int> arretes;

private:
    QString voix_ = QStringLiteral("fr");
    QHash<int, qint64> produits_;
};

class FausseSortie : public SortieParole {
    Q_OBJECT
public:
    using SortieParole::SortieParole;
    bool disponible() const override { return presente; }
    void commencer(int) override {
        journal << QStringLiteral("commencer");
        balances << balance_;
        recu = 0;
    }
    void ecrire(const QByteArray& pcm) override { recu += pcm.size() / 2; }
    void terminer() override { journal << QStringLiteral("terminer"); }
    void couper() override { journal << QStringLiteral("couper"); }
    qint64 entendus() const override { return entendu; }
    void toutJoue() { Q_EMIT jouee(); }

    bool presente = false;
    QStringList journal;
    QList<double> balances; // where each text was started
    qint64 recu = 0;
    qint64 entendu = 0;
};

// The player's screen reader, as the test answers for it.
class FauxLecteur : public SortieLecteur {
    Q_OBJECT
public:
    using SortieLecteur::SortieLecteur;
    bool disponible() const override { return present; }
    bool dire(int, const QString&) override { return ++dits, accepte; }
    void arreter(int id) override { arretes << id; }
    bool ditSaFin() const override { return !sansFin; }
    void aDit(int id) { Q_EMIT dit(id); }
    QList<int> arretes;
    bool sansFin = false;
    int dits = 0;

    bool present = true;
    bool accepte = true;
};

class FauxBraille : public SortieBraille {
public:
    explicit FauxBraille(QStringList& affiches)
        : affiches_(affiches) {}
    void afficher(const QString& texte) override { affiches_ << texte; }

private:
    QStringList& affiches_;
};

struct Banc {
    QWidget fenetre;
    TempsVirtuel temps;
    FauxMoteur* moteur = new FauxMoteur;
    FausseSortie* sortie = new FausseSortie;
    CompagnonPerroquet compagnon{&fenetre, temps, moteur, sortie};
    QList<int> terminees;

    explicit Banc(bool son = false) {
        sortie->presente = son;
        fenetre.resize(1024, 800);
        fenetre.show();
        compagnon.setDossiers({DONNEES});
        QObject::connect(&compagnon, &ServiceCompagnon::requeteTerminee, [this](int id) { terminees << id; });
    }
    bool charger() {
        compagnon.setConnecte(true);
        return compagnon.personnageExiste(PERSONNAGE) &&
               compagnon.charger(PERSONNAGE, QStringLiteral("Peedy.acs"));
    }
    // Loads the parrot and lets it come on.
    bool montrer() {
        if (!charger())
            return false;
        terminees << compagnon.montrer();
        avancer(1000);
        terminees.clear();
        return true;
    }
    // Moves virtual time on and delivers the completions posted meanwhile.
    void avancer(int ms) {
        for (int t = 0; t < ms; t += 10) {
            temps.avancer(10);
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    }
};

TEST(CompagnonPerroquet, LesRequetesFinissentDansLOrdre) {
    Banc b;
    ASSERT_TRUE(b.charger());
    const int montrer = b.compagnon.montrer();
    b.compagnon.placer(430, 628);
    const int saluer = b.compagnon.jouer(QStringLiteral("Greet"));
    const int blanc = b.compagnon.parler(QStringLiteral(" "));
    const int texte = b.compagnon.parler(QStringLiteral("Bonjour amiral, l'ennemi approche."));
    const int agiter = b.compagnon.jouer(QStringLiteral("Wave"));
    EXPECT_TRUE(montrer < saluer && saluer < blanc && blanc < texte && texte < agiter);
    // nothing is reported during the call that made the request
    EXPECT_TRUE(b.terminees.isEmpty());
    // the text is said at once, while the parrot comes on and greets
    ASSERT_EQ(b.moteur->dits.size(), 1);
    EXPECT_EQ(b.moteur->dits.first(), qMakePair(texte, QStringLiteral("Bonjour amiral, l'ennemi approche.")));
    // said before the greeting is over, it still completes after it
    b.moteur->produire(texte, 100);
    b.moteur->finir(texte);
    b.avancer(500);
    EXPECT_TRUE(b.terminees.isEmpty());
    b.avancer(3000);
    EXPECT_EQ(b.terminees, (QList<int>{montrer, saluer, blanc, texte, agiter}));
    EXPECT_EQ(b.compagnon.requetesEnAttente(), 0);
    // a text waits for an animation that hides the parrot
    const int cacher = b.compagnon.jouer(QStringLiteral("Hide"));
    const int apres = b.compagnon.parler(QStringLiteral("Adieu."));
    EXPECT_EQ(b.moteur->dits.size(), 1);
    b.avancer(1000);
    EXPECT_EQ(b.terminees.mid(5), (QList<int>{cacher}));
    ASSERT_EQ(b.moteur->dits.size(), 2);
    EXPECT_EQ(b.moteur->dits.last().first, apres);
}

TEST(CompagnonPerroquet, UnTexteApresUnGesteCommenceAussitot) {
    Banc b;
    ASSERT_TRUE(b.montrer());
    const int agiter = b.compagnon.jouer(QStringLiteral("Wave"));
    const int texte = b.compagnon.parler(QStringLiteral("Bonjour amiral, l'ennemi approche."));
    ASSERT_EQ(b.moteur->dits.size(), 1);
    EXPECT_EQ(b.compagnon.texteBulle(), QStringLiteral("Bonjour amiral, l'ennemi approche."));
    EXPECT_EQ(b.compagnon.requeteEnCours(), agiter);
    b.moteur->produire(texte, 1200);
    b.moteur->finir(texte);
    b.avancer(1000);
    EXPECT_TRUE(b.terminees.isEmpty());
    b.avancer(1000);
    EXPECT_EQ(b.terminees, (QList<int>{agiter, texte}));
}

TEST(CompagnonPerroquet, SansSortieLaParoleDureLeTempsDeLaDire) {
    Banc b;
    ASSERT_TRUE(b.montrer());
    const int id = b.compagnon.parler(QStringLiteral("Tir numéro 3: frégate hors de combat."));
    b.moteur->produire(id, 2000);
    b.moteur->finir(id);
    b.avancer(1800);
    EXPECT_TRUE(b.terminees.isEmpty());
    EXPECT_EQ(b.compagnon.texteBulle(), QStringLiteral("Tir numéro 3: frégate hors de combat."));
    b.avancer(400);
    EXPECT_EQ(b.terminees, QList<int>{id});
    // the balloon stays a moment, then goes
    EXPECT_TRUE(b.compagnon.bulleVisible());
    b.avancer(2000);
    EXPECT_FALSE(b.compagnon.bulleVisible());
}

TEST(CompagnonPerroquet, AvecSortieLaParoleFinitQuandElleAEteEntendue) {
    Banc b(true);
    ASSERT_TRUE(b.charger());
    const int id = b.compagnon.parler(QStringLiteral("Feu!"));
    EXPECT_TRUE(b.sortie->journal.contains(QStringLiteral("commencer")));
    b.moteur->produire(id, 500);
    EXPECT_EQ(b.sortie->recu, FREQUENCE / 2);
    b.moteur->finir(id);
    EXPECT_EQ(b.sortie->journal.last(), QStringLiteral("terminer"));
    b.avancer(300);
    EXPECT_TRUE(b.terminees.isEmpty());
    b.sortie->toutJoue();
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees, QList<int>{id});
}

// A stream that starts late (a sink waking up, a Bluetooth headset, a busy machine) holds the text: the
// balloon and the completion wait for what is heard, then follow it; the output alone says when it is
// lost (its server gone), and then it goes on on the text's own timing by itself.
TEST(CompagnonPerroquet, UneSortieEnRetardRetientLaBulleEtLaFin) {
    Banc b(true);
    ASSERT_TRUE(b.montrer());
    QString texte;
    for (int i = 1; i <= 12; ++i)
        texte += QStringLiteral("Tir numéro %1: galère adverse hors de combat. ").arg(i);
    const int id = b.compagnon.parler(texte);
    // 6 s of speech, each sentence's first word at its share of it
    b.moteur->produire(id, 6000);
    for (int i = 0; i < 12; ++i)
        Q_EMIT b.moteur->mot(id, qint64(i) * 6 * FREQUENCE / 12,
                             int(texte.indexOf(QStringLiteral("Tir numéro %1:").arg(i + 1))), 3);
    b.moteur->finir(id);
    auto* bulle = b.fenetre.findChild<BulleParole*>();
    ASSERT_TRUE(bulle);
    const int avant = bulle->premiereLigne();
    // nothing heard for 8 s: late, not lost
    b.avancer(8000);
    EXPECT_EQ(bulle->premiereLigne(), avant);
    EXPECT_TRUE(b.terminees.isEmpty());
    EXPECT_EQ(b.sortie->journal.last(), QStringLiteral("terminer"));
    // then heard: the balloon follows the voice
    for (int t = 0; t < 6000; t += 100) {
        b.sortie->entendu = qint64(t) * FREQUENCE / 1000;
        b.avancer(100);
    }
    EXPECT_GT(bulle->premiereLigne(), avant);
    EXPECT_TRUE(b.terminees.isEmpty());
    b.sortie->toutJoue();
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees, QList<int>{id});
}

// At rest the parrot's clock wakes for the next blink only, not every frame.
// A text is heard where it was placed, the next one centred.
TEST(CompagnonPerroquet, ChaqueTexteASaPlace) {
    Banc b(true);
    ASSERT_TRUE(b.montrer());
    const QString texte = QStringLiteral("Secteur : A.1.  Espace pour tirer.");
    for (const double balance : {-1.0, 0.0, 1.0}) {
        const int id = balance == 0 ? b.compagnon.parler(texte) : b.compagnon.parlerPlace(texte, balance);
        EXPECT_EQ(b.sortie->balances.last(), balance);
        b.compagnon.arreter(id);
        QCoreApplication::processEvents();
    }
}

TEST(CompagnonPerroquet, AuReposLHorlogeDort) {
    Banc b;
    ASSERT_TRUE(b.montrer());
    Timer* horloge = b.compagnon.findChild<Timer*>();
    ASSERT_TRUE(horloge);
    int reveils = 0;
    QObject::connect(horloge, &Timer::timeout, [&] { ++reveils; });
    const int id = b.compagnon.parler(QStringLiteral("Feu!"));
    b.moteur->produire(id, 1200);
    b.moteur->finir(id);
    b.avancer(1000);
    // the beak moves with the voice, at the 12.5 frames a second a cartoon mouth needs and no faster
    EXPECT_GE(reveils, 11);
    EXPECT_LE(reveils, 14);
    b.avancer(400); // heard out
    // then a blink or a look around every few seconds, a few frames each: none while he holds a look, and
    // every change shown (the blink's shut eyes)
    const Pose auRepos = b.compagnon.pose();
    QList<std::pair<qint64, Pose>> images;
    const auto suivre = QObject::connect(horloge, &Timer::timeout, [&] {
        images.append({b.temps.ecoule(), b.compagnon.pose()});
    });
    reveils = 0;
    b.avancer(17600);
    QObject::disconnect(suivre);
    EXPECT_GT(reveils, 10);
    EXPECT_LT(reveils, 150);
    int tenues = 0;
    bool cligne = false;
    for (int i = 1; i < images.size(); ++i) {
        const auto& [t, pose] = images.at(i);
        const auto& [avant, poseAvant] = images.at(i - 1);
        if (pose == poseAvant) {
            EXPECT_EQ(pose, auRepos) << "the pose held at " << avant << " ms woke the parrot again at " << t;
        }
        tenues += poseAvant != auRepos && t - avant > 80;
        cligne = cligne || pose.etats.value(QStringLiteral("yeux")) == QStringLiteral("fermes");
    }
    EXPECT_GT(tenues, 0);
    EXPECT_TRUE(cligne);
    // the parts are rendered from the drawing once for the size shown, not at every frame
    auto* dessin = b.fenetre.findChild<DessinPerroquet*>();
    ASSERT_TRUE(dessin);
    const QImage premiere = dessin->grab().toImage();
    const int rendus = dessin->rendus();
    EXPECT_GT(rendus, 0);
    Pose penche = dessin->pose();
    penche.valeurs.insert(QStringLiteral("penche"), 20);
    dessin->setPose(penche);
    const QImage autre = dessin->grab().toImage();
    EXPECT_NE(premiere, autre);
    EXPECT_EQ(dessin->rendus(), rendus);
    // then he dozes: nothing more until he is asked something
    b.avancer(10000);
    reveils = 0;
    b.avancer(60000);
    EXPECT_EQ(reveils, 0);
    const int reveil = b.compagnon.parler(QStringLiteral("Feu!"));
    b.moteur->produire(reveil, 800);
    b.moteur->finir(reveil);
    b.avancer(500);
    EXPECT_GT(reveils, 5);
    reveils = 0;
    b.compagnon.jouer(QStringLiteral("Hide"));
    b.avancer(3000); // hidden, and the balloon gone
    reveils = 0;
    b.avancer(30000);
    EXPECT_EQ(reveils, 0);
}

TEST(CompagnonPerroquet, ArreterLaParoleEnCoursLaTermineEtCoupeLeSon) {
    Banc b(true);
    ASSERT_TRUE(b.montrer());
    const int premier = b.compagnon.parler(QStringLiteral("Un long discours de pirate."));
    b.moteur->produire(premier, 300);
    b.compagnon.arreter(premier);
    EXPECT_EQ(b.moteur->arretes, QList<int>{premier});
    EXPECT_EQ(b.sortie->journal.last(), QStringLiteral("couper"));
    const int second = b.compagnon.parler(QStringLiteral("Touché!"));
    EXPECT_EQ(b.compagnon.requeteEnCours(), second);
    EXPECT_EQ(b.compagnon.texteBulle(), QStringLiteral("Touché!"));
    // the stopped text's late sound and end are not the new text's
    b.sortie->recu = 0;
    b.moteur->produire(premier, 200);
    b.moteur->finir(premier, true);
    EXPECT_EQ(b.sortie->recu, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees, QList<int>{premier});
    b.moteur->produire(second, 200);
    EXPECT_GT(b.sortie->recu, 0);
}

TEST(CompagnonPerroquet, ArreterUneRequeteEnAttenteLaRetireSeule) {
    Banc b;
    ASSERT_TRUE(b.charger());
    const int montrer = b.compagnon.montrer();
    const int premier = b.compagnon.parler(QStringLiteral("Un mot d'abord."));
    const int texte = b.compagnon.parler(QStringLiteral("Au revoir!"));
    const int cacher = b.compagnon.jouer(QStringLiteral("Hide"));
    QList<int> coupees;
    QObject::connect(&b.compagnon, &CompagnonPerroquet::requeteCoupee, [&](int id) { coupees << id; });
    // one text at a time: the second waits for the first, said while the parrot comes on
    b.compagnon.arreter(texte);
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees, QList<int>{texte});
    EXPECT_EQ(coupees, QList<int>{texte});
    ASSERT_EQ(b.moteur->dits.size(), 1);
    EXPECT_EQ(b.moteur->dits.first().first, premier);
    b.moteur->produire(premier, 200);
    b.moteur->finir(premier);
    b.avancer(2000);
    EXPECT_EQ(b.terminees.mid(0, 4), (QList<int>{texte, montrer, premier, cacher}));
    // stopping what is already over does nothing
    b.compagnon.arreter(texte);
    b.compagnon.arreter(premier);
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees.size(), 4);
    EXPECT_EQ(coupees, QList<int>{texte});
}

TEST(CompagnonPerroquet, AnimationInconnueFinitAussitot) {
    Banc b;
    ASSERT_TRUE(b.charger());
    const int id = b.compagnon.jouer(QStringLiteral("Danser"));
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees, QList<int>{id});
}

TEST(CompagnonPerroquet, MontrerPuisCacher) {
    Banc b;
    ASSERT_TRUE(b.charger());
    EXPECT_FALSE(b.compagnon.visible());
    b.compagnon.montrer();
    b.avancer(1000);
    EXPECT_TRUE(b.compagnon.visible());
    b.compagnon.jouer(QStringLiteral("Hide"));
    b.avancer(1000);
    EXPECT_FALSE(b.compagnon.visible());
}

TEST(CompagnonPerroquet, LeBecSuitLaVoix) {
    Banc b;
    ASSERT_TRUE(b.charger());
    b.compagnon.montrer();
    b.avancer(1000);
    const int id = b.compagnon.parler(QStringLiteral("Ohé du bateau!"));
    b.moteur->produire(id, 400, 0.0); // silence first
    b.moteur->produire(id, 400, 0.6);
    b.moteur->finir(id);
    b.avancer(200);
    EXPECT_EQ(b.compagnon.pose().valeur(QStringLiteral("bec")), 0);
    b.avancer(400);
    EXPECT_GT(b.compagnon.pose().valeur(QStringLiteral("bec")), 10);
    b.avancer(1000);
    EXPECT_EQ(b.compagnon.pose().valeur(QStringLiteral("bec")), 0);
}

TEST(CompagnonPerroquet, DechargerAbandonneLesRequetesEtCache) {
    Banc b;
    ASSERT_TRUE(b.charger());
    const int montrer = b.compagnon.montrer();
    const int texte = b.compagnon.parler(QStringLiteral("Je reviens au jeu"));
    b.compagnon.setConnecte(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees, (QList<int>{montrer, texte}));
    EXPECT_EQ(b.moteur->arretes, QList<int>{texte});
    EXPECT_FALSE(b.compagnon.personnage(PERSONNAGE));
    EXPECT_FALSE(b.compagnon.visible());
    // requests with no character loaded end at once
    const int seul = b.compagnon.parler(QStringLiteral("Personne?"));
    QCoreApplication::processEvents();
    EXPECT_EQ(b.terminees.last(), seul);
    EXPECT_EQ(b.moteur->dits.size(), 1);
}

TEST(CompagnonPerroquet, FichierDuPersonnageAbsentOuCasse) {
    Banc b;
    QTemporaryDir vide;
    b.compagnon.setDossiers({vide.path()});
    EXPECT_FALSE(b.compagnon.personnageExiste(PERSONNAGE));
    EXPECT_FALSE(b.compagnon.charger(PERSONNAGE, QStringLiteral("Peedy.acs")));
    // the player is told which file is wanted and every folder it was looked for in
    QTemporaryDir autre;
    b.compagnon.setDossiers({vide.path(), autre.path()});
    QString raison = b.compagnon.raisonAbsence();
    EXPECT_TRUE(raison.contains(QStringLiteral("« perroquet.json » introuvable"))) << qPrintable(raison);
    EXPECT_TRUE(raison.endsWith(vide.path() + QLatin1Char('\n') + autre.path())) << qPrintable(raison);
    // a file that is there but broken: found, and not loaded
    QFile casse(vide.filePath(QStringLiteral("perroquet.json")));
    ASSERT_TRUE(casse.open(QIODevice::WriteOnly));
    casse.write("{ \"dessin\": \"perroquet.svg\", ");
    casse.close();
    EXPECT_TRUE(b.compagnon.personnageExiste(PERSONNAGE));
    EXPECT_FALSE(b.compagnon.charger(PERSONNAGE, QStringLiteral("Peedy.acs")));
    EXPECT_FALSE(b.compagnon.personnage(PERSONNAGE));
    raison = b.compagnon.raisonAbsence();
    EXPECT_TRUE(raison.contains(QStringLiteral("illisible : ") + casse.fileName())) << qPrintable(raison);
    EXPECT_TRUE(raison.endsWith(autre.path()));
    // a good file whose drawing lacks a part
    QFile::remove(casse.fileName());
    ASSERT_TRUE(QFile::copy(DONNEES + QStringLiteral("/perroquet.json"), casse.fileName()));
    QFile dessin(vide.filePath(QStringLiteral("perroquet.svg")));
    ASSERT_TRUE(dessin.open(QIODevice::WriteOnly));
    dessin.write("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\"><g id=\"corps\"/></svg>");
    dessin.close();
    EXPECT_FALSE(b.compagnon.charger(PERSONNAGE, QStringLiteral("Peedy.acs")));
}

// Once this game has shown the parrot, a file damaged or removed afterwards never takes him away: he
// comes back as he was (the voice screen lets him go and calls him back).
TEST(CompagnonPerroquet, UnFichierCasseEnCoursDeJeuGardeLePerroquet) {
    Banc b;
    QTemporaryDir copie;
    for (const char* nom : {"perroquet.json", "perroquet.svg"})
        ASSERT_TRUE(
            QFile::copy(DONNEES + QLatin1Char('/') + QLatin1String(nom), copie.filePath(QLatin1String(nom))));
    b.compagnon.setDossiers({copie.path()});
    ASSERT_TRUE(b.montrer());
    for (const char* nom : {"perroquet.json", "perroquet.svg"}) {
        QFile f(copie.filePath(QLatin1String(nom)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{ casse");
    }
    b.compagnon.decharger(PERSONNAGE);
    ASSERT_TRUE(b.compagnon.charger(PERSONNAGE, QStringLiteral("Peedy.acs")));
    b.compagnon.montrer();
    const int id = b.compagnon.parler(QStringLiteral("Je reviens au jeu"));
    b.moteur->produire(id, 500);
    b.moteur->finir(id);
    b.avancer(1500);
    EXPECT_TRUE(b.compagnon.visible());
    EXPECT_EQ(b.terminees.last(), id);
    // gone altogether: the same
    b.compagnon.decharger(PERSONNAGE);
    QFile::remove(copie.filePath(QStringLiteral("perroquet.json")));
    EXPECT_TRUE(b.compagnon.charger(PERSONNAGE, QStringLiteral("Peedy.acs")));
}

TEST(CompagnonPerroquet, ModesDeVoix) {
    Banc b;
    EXPECT_TRUE(b.compagnon.setModeVoix(QStringLiteral("{") + identifiantVoix(QStringLiteral("fr-be+f3")) +
                                        QStringLiteral("}")));
    EXPECT_EQ(b.moteur->voixChoisie(), QStringLiteral("fr-be+f3"));
    EXPECT_TRUE(b.compagnon.setModeVoix(QStringLiteral("{0879A4E0-a92c-11d1-B17B-0020AFED142E}")));
    EXPECT_EQ(b.moteur->voixChoisie(), QStringLiteral("fr"));
    b.compagnon.setModeVoix(QStringLiteral("{") + identifiantVoix(QStringLiteral("fr+f3")) +
                            QStringLiteral("}"));
    // refused: the default French voice again
    EXPECT_FALSE(b.compagnon.setModeVoix(QStringLiteral("{}")));
    EXPECT_EQ(b.moteur->voixChoisie(), QStringLiteral("fr"));
    EXPECT_FALSE(b.compagnon.setModeVoix(QStringLiteral("{12345678-1234-1234-1234-123456789abc}")));
}

TEST(CompagnonPerroquet, DansLaFenetreDuJeuALEchelle) {
    Banc b;
    ASSERT_TRUE(b.charger());
    b.compagnon.montrer();
    b.compagnon.placer(430, 628);
    // fitted to the window until told the window's own scale
    EXPECT_EQ(b.compagnon.rectanglePerroquet(), QRect(430, 628, 128, 160));
    b.fenetre.resize(2048, 1700);
    EXPECT_EQ(b.compagnon.rectanglePerroquet(), QRect(860, 1256 + 50, 256, 320));
    b.compagnon.setEchelle(1.5, QPoint(10, 30));
    EXPECT_EQ(b.compagnon.rectanglePerroquet(), QRect(655, 972, 192, 240));
    const int id = b.compagnon.parler(
        QStringLiteral("Bonjour amiral, l'ennemi approche, mais nos navires sont encore au "
                       "port. Ordonnez control \"N\" pour placer nos navires."));
    b.avancer(1000);
    const QList<QWidget*> enfants = b.fenetre.findChildren<QWidget*>();
    ASSERT_EQ(enfants.size(), 2); // the parrot and its balloon
    for (QWidget* w : enfants) {
        EXPECT_TRUE(b.fenetre.rect().contains(w->geometry())) << w->metaObject()->className();
        EXPECT_TRUE(w->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    // the placement window comes to the front: the parrot goes over to it
    QWidget port;
    port.resize(800, 600);
    port.show();
    b.compagnon.setFenetre(&port);
    EXPECT_TRUE(b.fenetre.findChildren<QWidget*>().isEmpty());
    EXPECT_EQ(port.findChildren<QWidget*>().size(), 2);
    // scale 0.75, the design centred across the width
    const QRect r = b.compagnon.rectanglePerroquet();
    EXPECT_NEAR(r.left(), 16 + 430 * 0.75, 1);
    EXPECT_NEAR(r.top(), 628 * 0.75, 1);
    EXPECT_NEAR(r.width(), 96, 1);
    EXPECT_NEAR(r.height(), 120, 1);
    b.compagnon.setFenetre(&b.fenetre);
    b.moteur->finir(id);
}

TEST(CompagnonPerroquet, DansUneFenetrePrincipaleSousLeMenu) {
    Banc b;
    QMainWindow principale;
    principale.menuBar()->addMenu(QStringLiteral("Combat"));
    auto* centre = new QWidget;
    principale.setCentralWidget(centre);
    principale.resize(1024, 830);
    principale.show();
    b.compagnon.setFenetre(&principale);
    ASSERT_TRUE(b.montrer());
    EXPECT_EQ(b.compagnon.fenetre(), &principale);
    // the parrot and its balloon are placed in the central widget's coordinates, as the design is drawn
    b.compagnon.setEchelle(1.0, QPoint(0, 0));
    EXPECT_EQ(b.compagnon.rectanglePerroquet(), QRect(430, 628, 128, 160));
    b.compagnon.parler(QStringLiteral("Ohé!"));
    b.avancer(100);
    const QList<QWidget*> enfants = centre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(enfants.size(), 2);
    for (QWidget* w : enfants)
        EXPECT_TRUE(w->isVisible()) << w->metaObject()->className();
}

TEST(BulleParole, UnLongTexteSuitLaVoixQuelquesLignesALaFois) {
    QWidget fenetre;
    fenetre.resize(1024, 800);
    auto* bulle = new BulleParole(&fenetre);
    QString texte;
    for (int i = 1; i <= 12; ++i)
        texte += QStringLiteral("Tir numéro %1: galère adverse hors de combat. ").arg(i);
    bulle->setTexte(texte);
    bulle->placer(QRect(430, 628, 128, 160), 1.0);
    ASSERT_GT(bulle->lignes(), bulle->lignesVisibles());
    EXPECT_GE(bulle->lignesVisibles(), 3);
    EXPECT_EQ(bulle->premiereLigne(), 0);
    EXPECT_TRUE(fenetre.rect().contains(bulle->geometry()));
    const QImage debut = bulle->grab().toImage();
    // the voice in the last sentence: the balloon has moved on to the lines that hold it, and shows them
    const int derniere = int(texte.lastIndexOf(QStringLiteral("Tir numéro 12")));
    bulle->setPosition(derniere + 5);
    EXPECT_GT(bulle->premiereLigne(), 0);
    EXPECT_LE(bulle->premiereLigne(), bulle->lignes() - bulle->lignesVisibles());
    EXPECT_NE(bulle->grab().toImage(), debut);
    // back at the start with a new text, and another of the same size shows its own words
    bulle->setTexte(QStringLiteral("Feu!"));
    EXPECT_EQ(bulle->lignes(), 1);
    EXPECT_EQ(bulle->premiereLigne(), 0);
    const QImage feu = bulle->grab().toImage();
    bulle->setTexte(QStringLiteral("Fou!"));
    ASSERT_EQ(bulle->grab().size(), feu.size());
    EXPECT_NE(bulle->grab().toImage(), feu);
}

TEST(CompagnonPerroquet, LeNarrateurDuJeuSurLePerroquet) {
    Banc b;
    FauxDialogues dialogues;
    FauxSons sons;
    Narrateur narrateur(b.compagnon, dialogues, sons);
    ASSERT_TRUE(narrateur.InstalPeedy({QStringLiteral("MemoConfig"), QStringLiteral("{}")}));
    EXPECT_EQ(sons.bips, 1);
    b.avancer(3000);
    EXPECT_TRUE(b.compagnon.visible());
    narrateur.Parle(QStringLiteral("Flotte adverse à l'horizon, amiral."));
    narrateur.Parle(QStringLiteral("Feu!"));
    ASSERT_EQ(b.moteur->dits.size(), 2);
    EXPECT_EQ(b.moteur->arretes, QList<int>{b.moteur->dits.first().first});
    EXPECT_EQ(b.compagnon.texteBulle(), QStringLiteral("Feu!"));
    // Wave, the goodbye and Hide: the end of Hide is reported last
    narrateur.jouer(QStringLiteral("Wave"));
    narrateur.Parle(QStringLiteral("Au revoir!"));
    const int adieu = narrateur.jouer(QStringLiteral("Hide"));
    b.moteur->finir(b.moteur->dits.at(1).first);
    b.avancer(3000);
    const int dernier = b.moteur->dits.last().first;
    b.moteur->produire(dernier, 800);
    b.moteur->finir(dernier);
    b.avancer(3000);
    EXPECT_EQ(b.terminees.last(), adieu);
    EXPECT_FALSE(b.compagnon.visible());

    Banc sansFichier;
    QTemporaryDir vide;
    sansFichier.compagnon.setDossiers({vide.path()});
    Narrateur perdu(sansFichier.compagnon, dialogues, sons);
    EXPECT_FALSE(perdu.InstalPeedy({QStringLiteral("MemoConfig"), QString()}));
    EXPECT_TRUE(dialogues.avertissements.last().startsWith(QStringLiteral(
        "Impossible de trouver le compagnon MSagent.\nFichier du personnage « perroquet.json »")));
    EXPECT_TRUE(dialogues.avertissements.last().endsWith(vide.path()));
}

TEST(CompagnonPerroquet, UnFichierAbimeEnCoursDePartieLaissePerroquetEtBulle) {
    QTemporaryDir dossier;
    for (const char* f : {"/perroquet.json", "/perroquet.svg"})
        ASSERT_TRUE(QFile::copy(DONNEES + QLatin1String(f), dossier.path() + QLatin1String(f)));
    Banc b;
    b.compagnon.setDossiers({dossier.path()});
    FauxDialogues dialogues;
    FauxSons sons;
    Narrateur narrateur(b.compagnon, dialogues, sons);
    ASSERT_TRUE(narrateur.InstalPeedy({QStringLiteral("MemoConfig"), MODE_VOIX_DEFAUT}));
    b.avancer(3000);
    // the file damaged behind the game's back, then the voice screen opened and left
    QFile casse(dossier.filePath(QStringLiteral("perroquet.json")));
    ASSERT_TRUE(casse.open(QIODevice::WriteOnly | QIODevice::Truncate));
    casse.write("{ \"dessin\": ");
    casse.close();
    testing::internal::CaptureStderr();
    narrateur.seRetirer();
    b.avancer(1000);
    EXPECT_TRUE(b.compagnon.visible());
    EXPECT_TRUE(narrateur.revenir({QStringLiteral("MemoConfig"), MODE_VOIX_DEFAUT}));
    const QString terminal = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_TRUE(terminal.contains(QStringLiteral("illisible : ") + casse.fileName())) << qPrintable(terminal);
    narrateur.Parle(QStringLiteral("Je reviens au jeu"));
    b.avancer(100);
    EXPECT_TRUE(b.compagnon.visible());
    EXPECT_EQ(b.compagnon.texteBulle(), QStringLiteral("Je reviens au jeu"));
    EXPECT_TRUE(dialogues.avertissements.isEmpty());
}

// With the player's screen reader, a text goes to it and not to the sound output, and ends when the
// reader has said it, however long after the parrot's own timing (the sound-server test cuts texts on a
// real one). A reader gone or refusing gives the text to the parrot's voice; one that never answers
// holds a text no longer than twice its length and 10 s, one that tells no end (its notifications) the
// parrot's own length. Braille shows each text either way. A sector's
// words, while a screen reader runs that reads the focused cell, only show, whoever says the texts.
TEST(CompagnonPerroquet, LeLecteurDEcranDitLesTextesALaPlaceDuPerroquet) {
    struct Cas {
        const char* nom;
        bool present, accepte, repond;
        bool parLecteur;    // what is expected: the reader says it, not the output
        int finMs;          // when the 2 s text ends
        bool lache = false; // the player takes the parrot's own voice back while the reader says it
        bool caseLue = false, actif = false; // a sector's words; a screen reader runs
        bool sansFin = false;                // the reader tells no end
    };
    const Cas cas[] = {
        {"the reader says it, until it ends", true, true, true, true, 5000},
        {"a reader that never answers holds it 2 x 2 s + 10 s", true, true, false, true, 14000},
        {"no reader: the parrot's voice", false, true, true, false, 2000},
        {"a reader that refused: the parrot's voice", true, false, true, false, 2000},
        {"the reader left mid-text: cancelled there, over at once", true, true, false, true, 400, true},
        {"a sector, a reader running: its cell says it, the words only show", true, true, false, false, 2000,
         false, true, true},
        {"a sector, texts to a reader with none running: the reader says it", true, true, true, true, 5000,
         false, true, false},
        {"a sector, the parrot's voice beside a running reader: only shown", false, true, false, false, 2000,
         false, true, true},
        {"a reader that tells no end holds it the parrot's 2 s", true, true, false, true, 2000, false, false,
         true, true},
    };
    for (const Cas& c : cas) {
        Banc b(true);
        FauxLecteur lecteur;
        lecteur.present = c.present;
        lecteur.accepte = c.accepte;
        lecteur.sansFin = c.sansFin;
        QStringList braille;
        b.compagnon.setLecteur(&lecteur);
        b.compagnon.setBraille(std::make_unique<FauxBraille>(braille));
        b.compagnon.setLecteurActif(c.actif);
        ASSERT_TRUE(b.montrer());
        const QString texte = QStringLiteral("Flotte adverse à l'horizon, amiral.");
        const int id = c.caseLue ? b.compagnon.parlerCase(texte, 0) : b.compagnon.parler(texte);
        const bool montre = c.caseLue && c.actif; // neither the reader nor the output
        EXPECT_EQ(lecteur.dits, c.present && !montre ? 1 : 0) << c.nom;
        b.moteur->produire(id, 2000);
        b.moteur->finir(id);
        EXPECT_EQ(braille, QStringList{QStringLiteral("Flotte adverse à l'horizon, amiral.")}) << c.nom;
        EXPECT_EQ(b.sortie->journal.contains(QStringLiteral("commencer")), !c.parLecteur && !montre) << c.nom;
        EXPECT_EQ(b.sortie->recu, c.parLecteur || montre ? 0 : 2 * FREQUENCE) << c.nom;
        if (!c.parLecteur && !montre)
            b.sortie->toutJoue();
        if (c.lache) {
            b.avancer(200);
            b.compagnon.setLecteur(nullptr);
            EXPECT_EQ(lecteur.arretes, QList<int>{id}) << c.nom;
        }
        b.avancer(c.finMs - 200);
        EXPECT_EQ(b.terminees.isEmpty(), (c.parLecteur || montre) && !c.lache) << c.nom;
        EXPECT_EQ(b.compagnon.texteBulle().isEmpty(), !c.parLecteur && !montre) << c.nom;
        if (c.repond)
            lecteur.aDit(id);
        b.avancer(400);
        EXPECT_EQ(b.terminees, QList<int>{id}) << c.nom;
    }
}

TEST(BulleParole, LesLecteursDEcranApprennentChaqueTexteUneFois) {
    // One step: 'p' a text said (cutting the one before, as the narrator does), 'x' the text cut, 'a' the
    // game's turn over and 100 ms on, 'o' the bridge to the accessibility bus coming up.
    struct Pas {
        char quoi;
        const char* texte = "";
    };
    const struct {
        const char* nom;
        bool pont; // the bridge is up from the start
        QList<Pas> pas;
        QList<const char*> dits;
    } cas[] = {
        {"a text is told once", true, {{'p', "FEU!"}, {'a'}, {'a'}}, {"FEU!"}},
        {"one the next replaces in the same turn is not",
         true,
         {{'p', "Tous les navires sont en place."}, {'p', "Tous les navires sont en place."}, {'a'}},
         {"Tous les navires sont en place."}},
        {"texts in order, the same words again told again",
         true,
         {{'p', "Secteur : B.1."}, {'a'}, {'p', "Secteur : C.1."}, {'a'}, {'p', "Secteur : C.1."}, {'a'}},
         {"Secteur : B.1.", "Secteur : C.1.", "Secteur : C.1."}},
        {"one cut in its turn is not", true, {{'p', "FEU!"}, {'x'}, {'a'}}, {}},
        {"a blank is not", true, {{'p', " "}, {'a'}}, {}},
        {"said before the bridge is up: told as it comes up",
         false,
         {{'p', "Bonjour amiral."}, {'a'}, {'o'}, {'a'}},
         {"Bonjour amiral."}},
    };
    for (const auto& c : cas) {
        Banc b;
        ASSERT_TRUE(b.montrer());
        // Qt's own signal that the bridge is up or down, as the platform gives it.
        QAccessible::setActive(c.pont);
        QStringList annonces;
        auto* bulle = b.fenetre.findChild<BulleParole*>();
        ASSERT_TRUE(bulle);
        QObject::connect(bulle, &BulleParole::annoncee, [&](const QString& t) { annonces << t; });
        int id = 0;
        for (const Pas& p : c.pas) {
            if (p.quoi == 'p') {
                b.compagnon.arreter(id);
                id = b.compagnon.parler(QString::fromUtf8(p.texte));
            } else if (p.quoi == 'x') {
                b.compagnon.arreter(id);
            } else if (p.quoi == 'o') {
                QAccessible::setActive(true);
            } else {
                b.avancer(100);
            }
        }
        QStringList dits;
        for (const char* d : c.dits)
            dits << QString::fromUtf8(d);
        EXPECT_EQ(annonces, dits) << c.nom;
    }
    QAccessible::setActive(false);
}

} // namespace

#include "test_compagnon.moc"
