// The clips: their chunks, format and lengths, and that each is heard at a sensible level.
#include "audio/clips.h"

#include <QHash>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Morceau {
    QByteArray id;
    quint32 taille;
    qsizetype debut;
};

quint32 u32(const QByteArray& a, qsizetype pos) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(a.constData() + pos));
}
quint16 u16(const QByteArray& a, qsizetype pos) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(a.constData() + pos));
}

// The chunks of a RIFF WAVE image in file order, walked independently of the game's own reader.
QList<Morceau> morceaux(const QByteArray& riff) {
    QList<Morceau> liste;
    qsizetype pos = 12;
    while (pos + 8 <= riff.size()) {
        const quint32 taille = u32(riff, pos + 4);
        liste.append({riff.mid(pos, 4), taille, pos + 8});
        pos += 8 + taille + (taille & 1);
    }
    return liste;
}

struct Attendu {
    const char* nom;
    int bits;
    quint32 donnees;
    double duree;
    quint32 fmt;
    bool fact;
};

const Attendu attendus[] = {
    {"WaveRate", 16, 81978, 3.72, 16, true},      {"WaveBut", 16, 81818, 3.71, 16, true},
    {"WaveCoule", 16, 132308, 6.00, 18, true},    {"WaveERate", 16, 69964, 3.17, 16, false},
    {"WaveEBut", 16, 93884, 4.26, 16, false},     {"WaveECoule", 16, 98924, 4.49, 16, false},
    {"WaveVictoire", 16, 76032, 3.45, 18, true},  {"WaveDefaite", 8, 66068, 5.99, 16, true},
    {"WaveRien", 16, 1764, 0.08, 16, false},      {"WaveOeilInexplore", 16, 1544, 0.07, 16, false},
    {"WaveOeilEau", 16, 1764, 0.08, 16, false},   {"WaveOeilTouche", 16, 1764, 0.08, 16, false},
    {"WaveOeilCoule", 16, 1764, 0.08, 16, false}, {"WaveOeilIntact", 16, 1544, 0.07, 16, false},
};

// Samples as numbers from -1 to 1.
QList<double> echantillons(const QByteArray& donnees, int bits) {
    QList<double> x;
    if (bits == 8) {
        for (char c : donnees)
            x.append((static_cast<uchar>(c) - 128) / 128.0);
    } else {
        for (qsizetype i = 0; i + 1 < donnees.size(); i += 2)
            x.append(static_cast<qint16>(u16(donnees, i)) / 32768.0);
    }
    return x;
}

} // namespace

TEST(Clips, ChaqueClipALesMorceauxLeFormatEtLaLongueurVoulus) {
    for (const Attendu& a : attendus) {
        SCOPED_TRACE(a.nom);
        const QByteArray riff = clip(QLatin1String(a.nom));
        ASSERT_GE(riff.size(), 12);
        EXPECT_TRUE(riff.startsWith("RIFF"));
        EXPECT_EQ(riff.mid(8, 4), QByteArray("WAVE"));
        EXPECT_EQ(u32(riff, 4), static_cast<quint32>(riff.size() - 8));

        const QList<Morceau> m = morceaux(riff);
        QList<QByteArray> ids;
        for (const Morceau& x : m)
            ids.append(x.id);
        const QList<QByteArray> ordre =
            a.fact ? QList<QByteArray>{"fmt ", "fact", "data"} : QList<QByteArray>{"fmt ", "data"};
        ASSERT_EQ(ids, ordre);

        const Morceau& fmt = m.first();
        EXPECT_EQ(fmt.taille, a.fmt);
        EXPECT_EQ(u16(riff, fmt.debut), 1);          // uncompressed PCM
        EXPECT_EQ(u16(riff, fmt.debut + 2), 1);      // mono
        EXPECT_EQ(u32(riff, fmt.debut + 4), 11025u); // samples per second
        EXPECT_EQ(u32(riff, fmt.debut + 8), 11025u * a.bits / 8);
        EXPECT_EQ(u16(riff, fmt.debut + 12), a.bits / 8);
        EXPECT_EQ(u16(riff, fmt.debut + 14), a.bits);
        if (a.fmt == 18) {
            EXPECT_EQ(u16(riff, fmt.debut + 16), 0);
        }

        const Morceau& data = m.last();
        EXPECT_EQ(data.taille, a.donnees);
        EXPECT_EQ(data.debut + data.taille, riff.size());
        const quint32 n = a.donnees / (a.bits / 8);
        if (a.fact) {
            EXPECT_EQ(m[1].taille, 4u);
            EXPECT_EQ(u32(riff, m[1].debut), n);
        }
        EXPECT_NEAR(n / 11025.0, a.duree, 0.006);
    }
}

TEST(Clips, LeNomSeCherceSansEgardALaCasse) {
    EXPECT_EQ(clip(QStringLiteral("waverate")), clip(QStringLiteral("WaveRate")));
    EXPECT_EQ(clip(QStringLiteral("WAVEECOULE")), clip(QStringLiteral("WaveECoule")));
    EXPECT_NE(clip(QStringLiteral("WaveRate")), clip(QStringLiteral("WaveERate")));
    EXPECT_TRUE(clip(QStringLiteral("WaveTonnerre")).isEmpty());
    EXPECT_TRUE(clip(QString()).isEmpty());
    EXPECT_EQ(nomsClips().size(), 14);
}

TEST(Clips, OnLesEntendSansSaturationEtLesTirsEnnemisViennentDeLoin) {
    QHash<QString, double> cretes;
    for (const Attendu& a : attendus) {
        SCOPED_TRACE(a.nom);
        const QByteArray riff = clip(QLatin1String(a.nom));
        const Morceau data = morceaux(riff).last();
        const QList<double> x = echantillons(riff.mid(data.debut, data.taille), a.bits);
        double crete = 0, somme = 0, carres = 0;
        for (double v : x) {
            crete = std::max(crete, std::abs(v));
            somme += v;
            carres += v * v;
        }
        const double moyenne = somme / x.size();
        const double efficace = std::sqrt(carres / x.size());
        EXPECT_LT(crete, 0.99);             // never clipped
        EXPECT_GT(efficace, 0.02);          // clearly heard
        EXPECT_LT(std::abs(moyenne), 0.02); // centred: 8-bit samples are unsigned around 128
        // Each clip fades out rather than stopping dead.
        EXPECT_LT(std::abs(x.last()), 0.01);
        cretes.insert(QLatin1String(a.nom), crete);
    }
    // The enemy's shots are heard from across the water: quieter than the player's own.
    EXPECT_LT(cretes.value(QStringLiteral("WaveERate")), 0.7 * cretes.value(QStringLiteral("WaveRate")));
    EXPECT_LT(cretes.value(QStringLiteral("WaveEBut")), 0.7 * cretes.value(QStringLiteral("WaveBut")));
    EXPECT_LT(cretes.value(QStringLiteral("WaveECoule")), 0.7 * cretes.value(QStringLiteral("WaveCoule")));
}
