// Playing clips: the reading of RIFF images, and JouerSon's rules on a stand-in output.
#include "audio/clips.h"
#include "audio/lecteur_sons.h"
#include "audio/sons_pulse.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Records what the player asks of the output.
class FausseSortie : public SortieAudio {
public:
    explicit FausseSortie(QStringList& journal, bool existe = true)
        : journal_(journal)
        , existe_(existe) {}
    bool existe() const override { return existe_; }
    void jouer(const ClipPcm& pcm, double) override {
        journal_
            << QStringLiteral("jouer %1 %2 %3").arg(pcm.bits).arg(pcm.frequence).arg(pcm.echantillons.size());
        dernier = pcm;
    }
    void arreter() override { journal_ << QStringLiteral("arreter"); }

    ClipPcm dernier;

private:
    QStringList& journal_;
    bool existe_;
};

void ajouter32(QByteArray& a, quint32 v) {
    uchar o[4];
    qToLittleEndian(v, o);
    a.append(reinterpret_cast<const char*>(o), 4);
}
void ajouter16(QByteArray& a, quint16 v) {
    uchar o[2];
    qToLittleEndian(v, o);
    a.append(reinterpret_cast<const char*>(o), 2);
}

QByteArray morceau(const char* id, const QByteArray& corps) {
    QByteArray m(id, 4);
    ajouter32(m, static_cast<quint32>(corps.size()));
    m += corps;
    if (corps.size() % 2)
        m += '\0';
    return m;
}

QByteArray format(quint16 codage, quint16 canaux, quint32 frequence, quint16 bits) {
    QByteArray f;
    ajouter16(f, codage);
    ajouter16(f, canaux);
    ajouter32(f, frequence);
    ajouter32(f, frequence * canaux * bits / 8);
    ajouter16(f, static_cast<quint16>(canaux * bits / 8));
    ajouter16(f, bits);
    return f;
}

QByteArray riff(const QByteArray& morceaux) {
    QByteArray r("RIFF");
    ajouter32(r, static_cast<quint32>(4 + morceaux.size()));
    return r + "WAVE" + morceaux;
}

} // namespace

TEST(LireRiff, TrouveFormatEtDonneesDesHuitClips) {
    for (const QString& nom : nomsClips()) {
        SCOPED_TRACE(nom.toStdString());
        const std::optional<ClipPcm> pcm = lireRiff(clip(nom));
        ASSERT_TRUE(pcm.has_value());
        EXPECT_EQ(pcm->frequence, 11025);
        EXPECT_EQ(pcm->canaux, 1);
        EXPECT_EQ(pcm->bits, nom == QLatin1String("WaveDefaite") ? 8 : 16);
    }
    EXPECT_EQ(lireRiff(clip(QStringLiteral("WaveCoule")))->echantillons.size(), 132308);
    EXPECT_EQ(lireRiff(clip(QStringLiteral("WaveDefaite")))->echantillons.size(), 66068);
}

TEST(LireRiff, SauteLesMorceauxInconnusEtLeursOctetsDeBourrage) {
    // An odd-sized chunk before the format is padded to an even length.
    const QByteArray image =
        riff(morceau("LIST", "abc") + morceau("fmt ", format(1, 2, 22050, 16)) + morceau("data", "12345678"));
    const std::optional<ClipPcm> pcm = lireRiff(image);
    ASSERT_TRUE(pcm.has_value());
    EXPECT_EQ(pcm->canaux, 2);
    EXPECT_EQ(pcm->frequence, 22050);
    EXPECT_EQ(pcm->echantillons, QByteArray("12345678"));
}

TEST(LireRiff, RefuseCeQuiNeSeJouePasEtTronqueCeQuiDepasse) {
    const QByteArray fmt8 = morceau("fmt ", format(1, 1, 11025, 8));
    EXPECT_FALSE(lireRiff(QByteArray()));
    EXPECT_FALSE(lireRiff(QByteArray("RIFF")));
    EXPECT_FALSE(lireRiff(QByteArray("RIFX\x10\0\0\0WAVE", 12)));
    EXPECT_FALSE(lireRiff(riff(morceau("data", "abcd")))); // no format
    EXPECT_FALSE(lireRiff(riff(fmt8)));                    // no samples
    EXPECT_FALSE(lireRiff(riff(morceau("fmt ", format(3, 1, 11025, 32)) + morceau("data", "abcd")))); // float
    EXPECT_FALSE(lireRiff(riff(morceau("fmt ", format(1, 1, 11025, 24)) + morceau("data", "abcdef"))));
    EXPECT_FALSE(
        lireRiff(riff(morceau("fmt ", QByteArray(8, '\1')) + morceau("data", "abcd")))); // short format

    // A data chunk that claims more than the image holds gives what is there.
    QByteArray tronque = riff(fmt8 + morceau("data", "abcdefgh"));
    tronque.chop(3);
    const std::optional<ClipPcm> pcm = lireRiff(tronque);
    ASSERT_TRUE(pcm.has_value());
    EXPECT_EQ(pcm->echantillons, QByteArray("abcde"));

    // A 16-bit clip never ends on half a sample.
    const std::optional<ClipPcm> impair =
        lireRiff(riff(morceau("fmt ", format(1, 1, 11025, 16)) + morceau("data", "abcde")));
    ASSERT_TRUE(impair.has_value());
    EXPECT_EQ(impair->echantillons.size(), 4);
}

TEST(JouerSon, UnClipVideOuSansSortieNeJoueRien) {
    QStringList journal;
    LecteurSonsJeu lecteur(std::make_unique<FausseSortie>(journal));
    lecteur.JouerSon(QByteArray());
    EXPECT_TRUE(journal.isEmpty());
    lecteur.JouerSon(QByteArray("RIFF....WAVE"));
    EXPECT_TRUE(journal.isEmpty());

    QStringList muet;
    LecteurSonsJeu sansSortie(std::make_unique<FausseSortie>(muet, false));
    sansSortie.JouerSon(clip(QStringLiteral("WaveRate")));
    sansSortie.Bip();
    EXPECT_TRUE(muet.isEmpty());
}

TEST(JouerSon, UnNouveauClipCoupeCeluiQuiJoueEncore) {
    QStringList journal;
    auto sortie = std::make_unique<FausseSortie>(journal);
    FausseSortie* vue = sortie.get();
    LecteurSonsJeu lecteur(std::move(sortie));
    lecteur.JouerSon(clip(QStringLiteral("WaveRate")));
    lecteur.JouerSon(clip(QStringLiteral("WaveDefaite")));
    EXPECT_EQ(journal, (QStringList{QStringLiteral("arreter"), QStringLiteral("jouer 16 11025 81978"),
                                    QStringLiteral("arreter"), QStringLiteral("jouer 8 11025 66068")}));
    EXPECT_EQ(vue->dernier.echantillons, lireRiff(clip(QStringLiteral("WaveDefaite")))->echantillons);
    // The clips' own level: 16-bit samples and 8-bit ones (silence at 128) at half their height.
    lecteur.setVolumeClips(50);
    for (const char* nom : {"WaveRate", "WaveDefaite"}) {
        const ClipPcm pcm = *lireRiff(clip(QLatin1String(nom)));
        lecteur.JouerSon(clip(QLatin1String(nom)));
        const qsizetype i = pcm.echantillons.size() / 2 & ~1;
        const int avant = pcm.bits == 16 ? qFromLittleEndian<qint16>(pcm.echantillons.constData() + i)
                                         : uchar(pcm.echantillons[i]) - 128;
        const int apres = pcm.bits == 16
                              ? qFromLittleEndian<qint16>(vue->dernier.echantillons.constData() + i)
                              : uchar(vue->dernier.echantillons[i]) - 128;
        EXPECT_NE(avant, 0) << nom;
        EXPECT_NEAR(apres, avant / 2.0, 1) << nom;
    }
}

TEST(JouerSon, LeBipEstUnSonCourtADeuxTons) {
    QStringList journal;
    LecteurSonsJeu lecteur(std::make_unique<FausseSortie>(journal));
    lecteur.Bip();
    ASSERT_EQ(journal.size(), 2);
    EXPECT_EQ(journal.first(), QStringLiteral("arreter"));
    const ClipPcm bip = LecteurSonsJeu::sonBip();
    EXPECT_EQ(bip.canaux, 1);
    EXPECT_EQ(bip.bits, 16);
    const double duree = bip.echantillons.size() / 2.0 / bip.frequence;
    EXPECT_NEAR(duree, 0.15, 0.01);
    // Two tones: the second half crosses zero more often than the first.
    auto passages = [&](qsizetype debut, qsizetype fin) {
        int n = 0;
        for (qsizetype i = debut + 2; i < fin; i += 2) {
            const auto a = qFromLittleEndian<qint16>(bip.echantillons.constData() + i - 2);
            const auto b = qFromLittleEndian<qint16>(bip.echantillons.constData() + i);
            n += (a < 0) != (b < 0);
        }
        return n;
    };
    const qsizetype milieu = static_cast<qsizetype>(0.07 * bip.frequence) * 2;
    const double premier = passages(0, milieu) / 0.07;
    const double second = passages(milieu, bip.echantillons.size()) / 0.08;
    EXPECT_NEAR(premier / 2, 880, 120);
    EXPECT_NEAR(second / 2, 1175, 150);
}

TEST(JouerSon, LaSortieDeLaMachineRendLaMainAussitot) {
    // With or without a sound server, playing returns at once and cutting off is harmless.
    LecteurSonsJeu lecteur;
    lecteur.JouerSon(clip(QStringLiteral("WaveBut")));
    lecteur.JouerSon(clip(QStringLiteral("WaveVictoire")));
    lecteur.Bip();
    SortieAudioPulse sortie;
    sortie.arreter();
}
