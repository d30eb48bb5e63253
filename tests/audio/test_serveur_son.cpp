// The sound outputs on a real PulseAudio server of the test's own (a null sink in a private runtime
// folder), started plainly as a player's is: what reaches the sink's monitor is what a player hears.
// Every text is heard whole however late its stream starts, a whole evening plays at its length on a
// busy machine, a shot at column A is heard on the left and at L on the right, and the speech outlives the
// server going and coming back. With the player's screen reader (a speech-dispatcher of the test's own),
// every text of a harbour and a battle reaches it in order, none the game's own sound, and a cut cancels.
#include "audio/clips.h"
#include "audio/lecteur_sons.h"
#include "audio/lecteur_speechd.h"
#include "audio/moteur_espeak.h"
#include "audio/pulse.h"
#include "audio/sons_pulse.h"
#include "audio/sortie_pulse.h"
#include "audio/stereo.h"
#include "narrator/compagnon_perroquet.h"
#include "support/jeu.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include <signal.h>
#include <sys/prctl.h>

namespace {

constexpr int FREQUENCE = 22050;
const QString PUITS = QStringLiteral("corsabord_soiree");

void lierALaVieDuTest(QProcess& p) {
    p.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// A PulseAudio server with one null sink, for this test alone, that the test can kill and start again.
// It runs at the priority any program gets, with nothing keeping its sink awake.
class ServeurPrive {
public:
    ServeurPrive() {
        if (!dossier_.isValid())
            return;
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty()) {
            erreur_ = QStringLiteral("pulseaudio is not installed (on a PipeWire desktop the tests do not "
                                     "start a server of their own)");
            return;
        }
        QDir().mkpath(dossier_.filePath(QStringLiteral("pulse")));
        QFile::setPermissions(dossier_.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // the game's connection, pactl and parec go to the server named here
        qputenv("PULSE_SERVER", "unix:" + socket().toUtf8());
        demarrer();
    }
    ~ServeurPrive() { tuer(); }

    QString socket() const { return dossier_.filePath(QStringLiteral("pulse/native")); }
    bool enMarche() const { return processus_.state() == QProcess::Running && QFileInfo::exists(socket()); }
    const QString& erreur() const { return erreur_; }

    bool demarrer() {
        lierALaVieDuTest(processus_);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dossier_.path());
        env.insert(QStringLiteral("HOME"), dossier_.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        processus_.setProcessEnvironment(env);
        processus_.setProcessChannelMode(QProcess::MergedChannels);
        processus_.start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("--daemonize=no"), QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
             QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
             QStringLiteral("--load=module-null-sink sink_name=") + PUITS,
             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket()});
        if (!processus_.waitForStarted(3000)) {
            erreur_ = QStringLiteral("pulseaudio did not start: ") + processus_.errorString();
            return false;
        }
        if (!QTest::qWaitFor([this] { return QFileInfo::exists(socket()); }, 5000)) {
            erreur_ = QStringLiteral("pulseaudio opened no socket: ") +
                      QString::fromLocal8Bit(processus_.readAll());
            tuer();
            return false;
        }
        return true;
    }
    // As a crash would: no goodbye to the clients.
    void tuer() {
        if (processus_.state() == QProcess::NotRunning)
            return;
        processus_.kill();
        processus_.waitForFinished(3000);
        QFile::remove(socket());
    }
    // pactl on this server.
    bool pactl(const QStringList& arguments) {
        return QProcess::execute(QStringLiteral("pactl"), arguments) == 0;
    }
    // Whether any stream is connected to this server now.
    bool fluxOuverts() {
        QProcess p;
        p.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
        p.waitForFinished(5000);
        return !p.readAllStandardOutput().trimmed().isEmpty();
    }

private:
    QTemporaryDir dossier_;
    QProcess processus_;
    QString erreur_;
};

ServeurPrive*& serveurPrive() {
    static ServeurPrive* s = nullptr;
    return s;
}

ServeurPrive& serveur() {
    if (!serveurPrive())
        serveurPrive() = new ServeurPrive;
    return *serveurPrive();
}

// The server stops with the tests.
class FinDesTests : public ::testing::Environment {
public:
    void TearDown() override {
        delete serveurPrive();
        serveurPrive() = nullptr;
    }
};
const ::testing::Environment* const fin = ::testing::AddGlobalTestEnvironment(new FinDesTests);

// Skips the test when no server of its own could be started, saying why.
#define SERVEUR_REQUIS()                                                                                     \
    do {                                                                                                     \
        if (!serveur().enMarche())                                                                           \
            GTEST_SKIP() << "no PulseAudio server of the test's own could be started ("                      \
                         << qPrintable(serveur().erreur()) << ")";                                           \
    } while (false)

// What reaches the sink's monitor, recorded as a player's recorder does (parec at its default latency).
class Enregistreur {
public:
    explicit Enregistreur(int canaux = 1)
        : canaux_(canaux) {
        lierALaVieDuTest(parec_);
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput,
                         [this] { pcm_ += parec_.readAllStandardOutput(); });
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("-d"), PUITS + QStringLiteral(".monitor"), QStringLiteral("--raw"),
                      QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(FREQUENCE),
                      QStringLiteral("--channels=%1").arg(canaux)});
        parec_.waitForStarted(3000);
        // the recorder is listening once the monitor's first block has come through
        (void)QTest::qWaitFor([this] { return !pcm_.isEmpty(); }, 5000);
        montre_.start();
        deja_ = pcm_.size();
    }
    // Stops once what was played until now has come through the monitor (it comes in large blocks).
    const QByteArray& arreter() {
        const qint64 voulu = deja_ + montre_.elapsed() * FREQUENCE / 1000 * 2 * canaux_;
        (void)QTest::qWaitFor([&] { return pcm_.size() >= voulu; }, 5000);
        parec_.kill();
        parec_.waitForFinished(3000);
        pcm_ += parec_.readAllStandardOutput();
        return pcm_;
    }

private:
    int canaux_;
    QProcess parec_;
    QByteArray pcm_;
    qsizetype deja_ = 0;
    QElapsedTimer montre_;
};

// A stretch of sound in a recording, in ms: from its first loud 10 ms block to its last, with the longest
// silence inside it (a hole a player hears) and how many of its blocks are loud.
struct Etendue {
    int ms = 0;
    int trou = 0;
    int fort = 0;
};

// The stretches of sound in mono 16-bit pcm at `frequence`: silences of 100 ms or more part them, a
// shorter one is a hole inside.
std::vector<Etendue> etendues(const QByteArray& pcm, int frequence = FREQUENCE) {
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    const qsizetype bloc = frequence / 100, blocs = pcm.size() / 2 / bloc;
    std::vector<Etendue> resultat;
    int debut = -1, dernier = -100;
    auto clore = [&] {
        if (debut >= 0)
            resultat.back().ms = (dernier - debut + 1) * 10;
    };
    for (qsizetype b = 0; b < blocs; ++b) {
        double somme = 0;
        for (qsizetype i = b * bloc; i < (b + 1) * bloc; ++i)
            somme += double(s[i]) * s[i];
        if (std::sqrt(somme / bloc) < 300)
            continue;
        if (b - dernier > 10) {
            clore();
            resultat.emplace_back();
            debut = int(b);
        } else {
            resultat.back().trou = std::max(resultat.back().trou, int(b - dernier - 1) * 10);
        }
        ++resultat.back().fort;
        dernier = int(b);
    }
    clore();
    return resultat;
}

// Each of `n` texts of `ms` heard whole: one stretch each, none shorter (but for `manque` ms, the edges of
// its blocks), none longer (heard twice), and no hole inside.
void entendusEntiers(const std::vector<Etendue>& entendus, size_t n, int ms, int manque = 15) {
    ASSERT_EQ(entendus.size(), n) << "a text was lost, or a hole of 100 ms or more cut one in two";
    for (size_t i = 0; i < n; ++i) {
        EXPECT_GE(entendus[i].ms, ms - manque) << "text " << i << " not heard whole";
        EXPECT_LE(entendus[i].ms, ms + 30) << "text " << i << " heard longer than it is";
        EXPECT_LE(entendus[i].trou, 20) << "text " << i << " has a hole";
    }
}

// ms of a steady tone, 16-bit mono.
QByteArray ton(int ms) {
    QByteArray pcm(FREQUENCE * ms / 1000 * 2, Qt::Uninitialized);
    auto* s = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < pcm.size() / 2; ++i)
        s[i] = qint16(6000 * std::sin(i * 0.05));
    return pcm;
}

// Says pcm through the output and waits for the output to say it was heard; false if it never was.
bool dire(SortieParolePulse& sortie, const QByteArray& pcm, int attenteMs = 15000) {
    QSignalSpy jouee(&sortie, &SortieParole::jouee);
    sortie.commencer(FREQUENCE);
    sortie.ecrire(pcm);
    sortie.terminer();
    return jouee.wait(attenteMs);
}

// Busy loops on every core and more, as a player's machine compiling or indexing in the background.
class Charge {
public:
    explicit Charge(int boucles) {
        for (int i = 0; i < boucles; ++i) {
            auto p = std::make_unique<QProcess>();
            lierALaVieDuTest(*p);
            p->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            p->waitForStarted(3000);
            boucles_.push_back(std::move(p));
        }
    }
    ~Charge() {
        for (auto& p : boucles_) {
            p->kill();
            p->waitForFinished(3000);
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> boucles_;
};

// A player starts the game fifty times: each first text is heard whole, from a new connection each time.
TEST(ServeurSon, CinquanteDemarragesEntendentLeurPremierTexte) {
    SERVEUR_REQUIS();
    Enregistreur enregistreur;
    const QByteArray texte = ton(300);
    for (int i = 0; i < 50; ++i) {
        SortieParolePulse sortie;
        ASSERT_TRUE(sortie.disponible());
        ASSERT_TRUE(dire(sortie, texte)) << "start " << i;
        EXPECT_EQ(sortie.entendus(), texte.size() / 2) << "start " << i;
        EXPECT_FALSE(sortie.ouverte());
        QTest::qWait(200);
    }
    entendusEntiers(etendues(enregistreur.arreter()), 50, 300);
}

// A sink asleep when the text starts: nothing is heard, the balloon does not move on, and once the sink
// wakes the whole text is heard.
TEST(ServeurSon, UnTexteSurUnPuitsEndormiSEntendEntier) {
    SERVEUR_REQUIS();
    Enregistreur enregistreur;
    ASSERT_TRUE(serveur().pactl({QStringLiteral("suspend-sink"), PUITS, QStringLiteral("1")}));
    SortieParolePulse sortie;
    QSignalSpy jouee(&sortie, &SortieParole::jouee);
    sortie.commencer(FREQUENCE);
    sortie.ecrire(ton(1000));
    sortie.terminer();
    QTest::qWait(1500);
    EXPECT_EQ(sortie.entendus(), 0);
    EXPECT_TRUE(jouee.isEmpty());
    EXPECT_FALSE(sortie.decrochee());
    ASSERT_TRUE(serveur().pactl({QStringLiteral("suspend-sink"), PUITS, QStringLiteral("0")}));
    ASSERT_TRUE(jouee.wait(10000));
    EXPECT_EQ(sortie.entendus(), FREQUENCE);
    // waking, the sink may lose its first block to its monitor: 50 ms at most, as ever
    entendusEntiers(etendues(enregistreur.arreter()), 1, 1000, 50);
}

// An evening on a busy machine: texts cut short by the next, then sixty heard at their length, with four
// busy loops on the two cores the whole time.
TEST(ServeurSon, SoixanteTextesSEntendentALeurLongueurSurUneMachineOccupee) {
    SERVEUR_REQUIS();
    Charge charge(4);
    SortieParolePulse sortie;
    const QByteArray long_ = ton(1000), court = ton(300);
    for (int i = 0; i < 20; ++i) {
        sortie.commencer(FREQUENCE);
        sortie.ecrire(long_);
        sortie.terminer();
        QTest::qWait(60);
    }
    // and cut before the server has even made their streams
    for (int i = 0; i < 5; ++i) {
        sortie.commencer(FREQUENCE);
        sortie.ecrire(long_);
    }
    sortie.couper();
    QTest::qWait(300);
    Enregistreur enregistreur;
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(dire(sortie, court)) << "text " << i;
        EXPECT_FALSE(sortie.decrochee());
        QTest::qWait(200);
    }
    entendusEntiers(etendues(enregistreur.arreter()), 60, 300);
    EXPECT_TRUE(QTest::qWaitFor([] { return !serveur().fluxOuverts(); }, 3000))
        << "a stream stayed connected";
}

TEST(ServeurSon, CentClipsPuisUnClipEntier) {
    SERVEUR_REQUIS();
    auto* sortie = new SortieAudioPulse;
    LecteurSonsJeu lecteur{std::unique_ptr<SortieAudio>(sortie)};
    const QByteArray rate = clip(QStringLiteral("WaveRate")), but = clip(QStringLiteral("WaveBut"));
    const std::optional<ClipPcm> pcm = lireRiff(but);
    ASSERT_TRUE(pcm);
    for (int i = 0; i < 100; ++i) {
        lecteur.JouerSon(i % 2 ? rate : but);
        // cut by the next clip, now and then heard to the end, after which nothing stays open
        if (i % 25 == 24) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !sortie->ouverte(); }, 15000)) << "clip " << i;
        } else {
            QTest::qWait(40);
        }
    }
    // The last one heard to its end as its file has it, sounds and silences alike.
    Enregistreur enregistreur;
    lecteur.JouerSon(but);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sortie->entendusUs() > 0 && !sortie->ouverte(); }, 15000));
    const std::vector<Etendue> attendu = etendues(pcm->echantillons, pcm->frequence);
    const std::vector<Etendue> entendu = etendues(enregistreur.arreter());
    ASSERT_EQ(entendu.size(), attendu.size()) << "the clip lost a part, or a hole of 100 ms or more cut it";
    for (size_t i = 0; i < attendu.size(); ++i) {
        EXPECT_NEAR(entendu[i].ms, attendu[i].ms, 30) << "part " << i;
        EXPECT_LE(entendu[i].trou, attendu[i].trou + 20) << "part " << i << " has a hole";
    }
}

// A shot at column A is heard on the left, at column L on the right: its clip placed as the battle places
// it, and the sector's name said through the speech output at the same place.
TEST(ServeurSon, UnTirEnAAGaucheEnLADroite) {
    SERVEUR_REQUIS();
    struct Cas {
        int colonne; // 1 for A, 12 for L
        bool parole;
    };
    for (const Cas& c : {Cas{1, false}, Cas{12, false}, Cas{1, true}, Cas{12, true}}) {
        const double balance = balanceDeColonne(c.colonne - 1, 12);
        Enregistreur enregistreur(2);
        if (c.parole) {
            SortieParolePulse sortie;
            sortie.setBalance(balance);
            ASSERT_TRUE(dire(sortie, ton(600)));
        } else {
            auto* sortie = new SortieAudioPulse;
            LecteurSonsJeu lecteur{std::unique_ptr<SortieAudio>(sortie)};
            lecteur.JouerSonPlace(clip(QStringLiteral("WaveBut")), balance);
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return sortie->entendusUs() > 0 && !sortie->ouverte(); }, 10000));
        }
        const QByteArray& pcm = enregistreur.arreter();
        const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
        double gauche = 1, droite = 1;
        for (qsizetype i = 0; i + 1 < pcm.size() / 2; i += 2) {
            gauche += double(s[i]) * s[i];
            droite += double(s[i + 1]) * s[i + 1];
        }
        const double ecartDb = 10 * std::log10(gauche / droite);
        EXPECT_GT(gauche + droite, 1e9) << "nothing was heard";
        EXPECT_GE(c.colonne == 1 ? ecartDb : -ecartDb, 10)
            << "column " << c.colonne << " speech " << c.parole;
    }
}

// Last: the server is killed in the middle of a text, then started again.
TEST(ServeurSon, LeServeurPartEtRevient) {
    SERVEUR_REQUIS();
    SortieParolePulse sortie;
    QSignalSpy jouee(&sortie, &SortieParole::jouee);
    QElapsedTimer montre;
    montre.start();
    sortie.commencer(FREQUENCE);
    sortie.ecrire(ton(3000));
    sortie.terminer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sortie.entendus() > FREQUENCE / 2; }, 5000));
    const qint64 avant = sortie.entendus();
    serveur().tuer();
    // the output knows at once that its server went, and the text goes on on its own timing
    ASSERT_TRUE(QTest::qWaitFor([&] { return sortie.decrochee(); }, 1000));
    QTest::qWait(500);
    EXPECT_GT(sortie.entendus(), avant + FREQUENCE * 4 / 10);
    ASSERT_TRUE(jouee.wait(4000));
    EXPECT_LT(montre.elapsed(), 3000 + 5000);
    EXPECT_FALSE(sortie.ouverte());
    // no server: the next text is timed, not heard
    EXPECT_FALSE(sortie.disponible());
    // back again: the very next text is heard through it
    ASSERT_TRUE(serveur().demarrer()) << qPrintable(serveur().erreur());
    ASSERT_TRUE(sortie.disponible());
    jouee.clear();
    ASSERT_TRUE(dire(sortie, ton(500)));
    EXPECT_FALSE(sortie.decrochee());
    EXPECT_EQ(sortie.entendus(), FREQUENCE / 2);
}

// A speech-dispatcher of the test's own, on the test's sound server, in a private folder and socket
// (SPEECHD_ADDRESS) so that it never meets a player's. Its one voice writes each text down as it starts
// ("<<<" then the text), takes 0.3 s to say it and then writes ">>>": a text cut while said has no end.
class LecteurPrive {
public:
    LecteurPrive() {
        if (QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty()) {
            erreur_ = QStringLiteral("speech-dispatcher is not installed");
            return;
        }
        QDir(dossier_.path()).mkpath(QStringLiteral("conf/modules"));
        ecrireFichier(QStringLiteral("conf/speechd.conf"),
                      "AddModule \"enregistreur\" \"sd_generic\" \"enregistreur.conf\"\n"
                      "DefaultModule \"enregistreur\"\nLanguageDefaultModule \"fr\" \"enregistreur\"\n"
                      "AudioOutputMethod \"pulse\"\n");
        ecrireFichier(QStringLiteral("conf/modules/enregistreur.conf"),
                      "GenericExecuteSynth \"{ echo '<<<'; echo \\'$DATA\\'; sleep 0.3; echo '>>>'; } >> " +
                          journal().toUtf8() +
                          "\"\nGenericLanguage \"fr\" \"fr\" \"utf-8\"\nAddVoice \"fr\" \"MALE1\" \"fr\"\n"
                          // each text whole, not cut at its sentences
                          "GenericDelimiters \"|\"\nGenericMaxChunkLength 100000\n");
        qputenv("SPEECHD_ADDRESS", "unix_socket:" + socket().toUtf8());
        lierALaVieDuTest(processus_);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dossier_.path());
        env.insert(QStringLiteral("HOME"), dossier_.path());
        processus_.setProcessEnvironment(env);
        processus_.setProcessChannelMode(QProcess::MergedChannels);
        processus_.start(QStringLiteral("speech-dispatcher"),
                         {QStringLiteral("-s"), QStringLiteral("-t"), QStringLiteral("0"),
                          QStringLiteral("-c"), QStringLiteral("unix_socket"), QStringLiteral("-S"), socket(),
                          QStringLiteral("-C"), dossier_.filePath(QStringLiteral("conf"))});
        if (!processus_.waitForStarted(3000) ||
            !QTest::qWaitFor([this] { return QFileInfo::exists(socket()); }, 5000))
            erreur_ = QStringLiteral("speech-dispatcher did not start: ") +
                      QString::fromLocal8Bit(processus_.readAll());
    }
    ~LecteurPrive() {
        processus_.kill();
        processus_.waitForFinished(3000);
        qunsetenv("SPEECHD_ADDRESS");
    }
    bool enMarche() const { return erreur_.isEmpty() && processus_.state() == QProcess::Running; }
    const QString& erreur() const { return erreur_; }
    QString socket() const { return dossier_.filePath(QStringLiteral("speechd.sock")); }
    QString journal() const { return dossier_.filePath(QStringLiteral("dits.txt")); }

    // The texts written down, blanks made single, and whether each was said to its end.
    QList<QPair<QString, bool>> dits() const {
        QFile f(journal());
        QList<QPair<QString, bool>> resultat;
        if (!f.open(QIODevice::ReadOnly))
            return resultat;
        const QString tout = QString::fromUtf8(f.readAll());
        for (QString bloc : tout.split(QStringLiteral("<<<\n"), Qt::SkipEmptyParts)) {
            const bool fini = bloc.endsWith(QStringLiteral(">>>\n"));
            if (fini)
                bloc.chop(4);
            resultat.append({bloc.simplified(), fini});
        }
        return resultat;
    }

private:
    void ecrireFichier(const QString& nom, const QByteArray& contenu) {
        QFile f(dossier_.filePath(nom));
        if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
            erreur_ = QStringLiteral("cannot write ") + f.fileName();
    }

    QTemporaryDir dossier_;
    QProcess processus_;
    QString erreur_;
};

// The real parrot, espeak-ng and the sound output on the test's server, noting every text the game asks
// and those it cuts while the reader still says them.
class PerroquetEcoute : public CompagnonPerroquet {
public:
    PerroquetEcoute(Temps& temps, LecteurSpeechd& lecteur)
        : CompagnonPerroquet(nullptr, temps, new MoteurEspeak, new SortieParolePulse)
        , lecteur_(lecteur) {
        setLecteur(&lecteur);
    }
    int parlerPlace(const QString& texte, double balance) override {
        const int id = CompagnonPerroquet::parlerPlace(texte, balance);
        if (!texte.trimmed().isEmpty())
            demandes << qMakePair(id, texte.simplified());
        ceTour << id;
        QTimer::singleShot(0, this, [this, id] { ceTour.removeOne(id); });
        return id;
    }
    void arreter(int requete) override {
        if (lecteur_.tient(requete))
            coupes << requete;
        if (ceTour.contains(requete))
            aussitot << requete;
        CompagnonPerroquet::arreter(requete);
    }

    QList<QPair<int, QString>> demandes;
    QList<int> coupes;
    QList<int> aussitot; // cut in the very turn they were asked for
    QList<int> ceTour;

private:
    LecteurSpeechd& lecteur_;
};

// A harbour and a battle played with the screen reader's voice: each text the game asks for is written
// down by the reader, in order and to its end, none is heard through the game's own sound output while
// the clips still play, and a sector named over the one still being said cancels it there.
TEST(ServeurSon, LeLecteurDEcranDitChaqueTexteDUnePartie) {
    SERVEUR_REQUIS();
    LecteurPrive prive;
    if (!prive.enMarche())
        GTEST_SKIP() << "no speech-dispatcher of the test's own (" << qPrintable(prive.erreur()) << ")";
    QString raison;
    const std::unique_ptr<LecteurSpeechd> lecteur = LecteurSpeechd::ouvrir(&raison);
    ASSERT_TRUE(lecteur) << qPrintable(raison);
    JeuDeTest jeu([&](Temps& temps) {
        auto perroquet = std::make_unique<PerroquetEcoute>(temps, *lecteur);
        perroquet->setDossiers({QStringLiteral(CORSABORD_SOURCE_DIR "/assets/narrateur")});
        return perroquet;
    });
    auto& perroquet = static_cast<PerroquetEcoute&>(*jeu.propre);
    // The game's clock moves on only while the reader has nothing of ours left to say: a player at a
    // reader's pace, who hears each text out.
    auto jouer = [&](int ms) {
        for (int t = 0; t < ms; t += 100) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return lecteur->enCours() == 0; }, 20000));
            jeu.temps.avancer(100);
            QCoreApplication::processEvents();
        }
    };
    Enregistreur enregistreur;
    ASSERT_TRUE(jeu.creer());
    perroquet.setFenetre(jeu.bataille.get());
    // The harbour opens: the greeting cut by what the harbour says at once, as in the game.
    jeu.demarrer();
    jouer(3000);
    jeu.ctrl(Qt::Key_T);
    jouer(1000);
    jeu.ctrl(Qt::Key_E);
    jouer(3000);
    for (const Qt::Key k : {Qt::Key_Right, Qt::Key_Down}) {
        jeu.touche(k);
        jouer(500);
    }
    jeu.touche(Qt::Key_Space);
    jouer(20000);
    // What the reader wrote down, in order: each text the game did not cut, whole; of those it cut
    // while the reader held them, the whole, the beginning or nothing (the cancel came first).
    ASSERT_GE(perroquet.demandes.size(), 8);
    const QList<QPair<QString, bool>> dits = prive.dits();
    QStringList ecarts;
    qsizetype j = 0;
    for (const auto& [id, texte] : perroquet.demandes) {
        const bool coupe = perroquet.coupes.contains(id);
        if (j < dits.size() && dits[j].first == texte) {
            if (!dits[j].second && !coupe)
                ecarts << QStringLiteral("cut though the game did not: ") + texte;
            if (perroquet.aussitot.contains(id))
                ecarts << QStringLiteral("sent though replaced in the same turn: ") + texte;
            ++j;
        } else if (!coupe) {
            ecarts << QStringLiteral("not said: ") + texte;
        }
    }
    for (; j < dits.size(); ++j)
        ecarts << QStringLiteral("said out of turn: ") + dits[j].first;
    EXPECT_TRUE(ecarts.isEmpty()) << qPrintable(ecarts.join(QLatin1Char('\n')));
    EXPECT_FALSE(jeu.sons.clips.isEmpty());
    EXPECT_TRUE(etendues(enregistreur.arreter()).empty()) << "speech heard through the game's own output";

    // A cut: the next sector named while the reader says this one.
    const qsizetype avant = prive.dits().size();
    jeu.touche(Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prive.dits().size() > avant; }, 5000));
    jeu.touche(Qt::Key_Right);
    jouer(500);
    const QList<QPair<QString, bool>> apres = prive.dits().mid(avant);
    ASSERT_EQ(apres.size(), 2);
    const qsizetype n = perroquet.demandes.size();
    EXPECT_EQ(apres[0].first.toStdString(), perroquet.demandes.at(n - 2).second.toStdString());
    EXPECT_FALSE(apres[0].second) << "the sector named over was not cancelled";
    EXPECT_EQ(apres[1].first.toStdString(), perroquet.demandes.at(n - 1).second.toStdString());
    EXPECT_TRUE(apres[1].second);
}

} // namespace
