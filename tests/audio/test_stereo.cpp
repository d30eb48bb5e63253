// Placing a sound between left and right: levels on each side for every kind of clip, and the columns.
#include "audio/stereo.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Cas {
    int canaux;
    int bits;
    double balance;
    // the first frame in, and the left and right samples out
    std::vector<int> entree;
    int gauche;
    int droite;
};

QByteArray octets(const Cas& c) {
    QByteArray a;
    for (const int v : c.entree) {
        if (c.bits == 8) {
            a.append(char(v));
        } else {
            uchar o[2];
            qToLittleEndian(qint16(v), o);
            a.append(reinterpret_cast<const char*>(o), 2);
        }
    }
    return a;
}

TEST(Stereo, ChaqueCoteASonNiveau) {
    const Cas cas[] = {
        {1, 16, 0.0, {10000}, 10000, 10000},       // the centre changes nothing
        {1, 16, -1.0, {10000}, 10000, 0},          // full left
        {1, 16, 1.0, {-10000}, 0, -10000},         // full right
        {1, 16, 0.5, {10000}, 5000, 10000},        // halfway right: the left at half
        {1, 16, -3.0, {10000}, 10000, 0},          // beyond the edge: the edge
        {2, 16, -0.5, {8000, -6000}, 8000, -3000}, // a stereo clip keeps its two sides
        {1, 8, 1.0, {255}, 0, 127 * 256},          // 8-bit unsigned, widened
        {1, 8, 0.0, {128}, 0, 0},                  // 8-bit silence stays silent
        {2, 16, 0.0, {1, 2, 3}, 1, 2},             // an incomplete last frame is dropped
    };
    for (const Cas& c : cas) {
        const QByteArray sortie = placerEnStereo(octets(c), c.canaux, c.bits, c.balance);
        ASSERT_EQ(sortie.size(), 4) << c.balance;
        const auto* s = reinterpret_cast<const uchar*>(sortie.constData());
        EXPECT_EQ(qFromLittleEndian<qint16>(s), c.gauche) << c.balance << " " << c.bits;
        EXPECT_EQ(qFromLittleEndian<qint16>(s + 2), c.droite) << c.balance << " " << c.bits;
    }
}

TEST(Stereo, LesColonnesVontDeGaucheADroite) {
    EXPECT_EQ(balanceDeColonne(0, 12), -1.0);
    EXPECT_EQ(balanceDeColonne(11, 12), 1.0);
    EXPECT_LT(balanceDeColonne(5, 12), 0);
    EXPECT_GT(balanceDeColonne(6, 12), 0);
    EXPECT_EQ(balanceDeColonne(0, 1), 0.0);
}

// The voice's opening pause ends at its first sample above a whisper, whichever its sign.
TEST(Stereo, LeSilenceDeTeteSArreteAuPremierSon) {
    const auto pcm = [](std::vector<int> v) { return octets({1, 16, 0, std::move(v), 0, 0}); };
    EXPECT_EQ(silencesEnTete(pcm({0, 0, -3, 4, -900, 0})), 4);
    EXPECT_EQ(silencesEnTete(pcm({5, 0})), 0);
    EXPECT_EQ(silencesEnTete(pcm({0, 0})), 2);
    EXPECT_EQ(silencesEnTete(QByteArray(3, '\0')), 1); // an odd byte is no sample
}

// A glance's run: each sound resampled for its pitch, placed, and laid where it starts.
TEST(Stereo, UneSuiteSeMelange) {
    const ClipPcm rampe{22050, 1, 16, octets({1, 16, 0, {1000, 2000, 3000, 4000}, 0, 0})};
    const ClipPcm fort{22050, 1, 16, octets({1, 16, 0, {30000, 30000}, 0, 0})};
    const ClipPcm lent{11025, 1, 16, octets({1, 16, 0, {0, 2000}, 0, 0})};
    struct Ligne {
        QList<SonDeSuite> sons;
        int trames, trame, gauche, droite;
    };
    const Ligne lignes[] = {
        {{{rampe, 0, 0, 0}}, 4, 1, 2000, 2000},   // as recorded
        {{{rampe, -1, 0, 0}}, 4, 1, 2000, 0},     // column A: full left
        {{{rampe, 0, 12, 0}}, 2, 1, 3000, 3000},  // an octave up, half as long
        {{{rampe, 0, -12, 0}}, 4, 3, 625, 625},   // an octave down, as long: 2500 faded to a quarter
        {{{rampe, 0, 0, 1}}, 26, 22, 1000, 1000}, // 1 ms later: 22 frames of silence
        {{{fort, 1, 0, 0}, {fort, 1, 0, 0}}, 2, 0, 0, 32767}, // overlapping: summed, held in range
        {{{lent, 0, 0, 0}}, 3, 1, 1000, 1000},                // a clip at 11025 read between samples
        {{}, 0, 0, 0, 0},                                     // nothing to hear
    };
    for (const Ligne& l : lignes) {
        const ClipPcm m = melangerSuite(l.sons);
        EXPECT_EQ(m.canaux, 2);
        ASSERT_EQ(m.echantillons.size(), l.trames * 4) << l.trame;
        if (l.trames == 0)
            continue;
        const auto* s = reinterpret_cast<const uchar*>(m.echantillons.constData()) + l.trame * 4;
        EXPECT_EQ(qFromLittleEndian<qint16>(s), l.gauche) << l.trames;
        EXPECT_EQ(qFromLittleEndian<qint16>(s + 2), l.droite) << l.trames;
    }
}

} // namespace
