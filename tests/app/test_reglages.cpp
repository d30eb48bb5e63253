// The speech settings file: its creation, its reading and the bad files that must not stop the game.
#include "base/reglages.h"

#include "support/fichiers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/fichiers.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
const QByteArray DEFAUT =
    "MemoConfig\r\n0879a4e0-a92c-11d1-B17B-0020AFED142E\r\n\\spd=156\\\r\n\\pit=159\\\r\n"
    "\\vol=65535\\\r\n";
} // namespace

TEST(Reglages, DossierNeufCreeConfigTxtAvecLesOctetsParDefaut) {
    QTemporaryDir dossier;
    const QStringList lignes = FichierReglages(dossier.path()).charger();
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("Config.Txt")});
    EXPECT_EQ(lire(dossier.filePath(QStringLiteral("Config.Txt"))), DEFAUT);
    EXPECT_EQ(lignes, reglagesParDefaut());
}

TEST(Reglages, FichierExistantTrouveQuelleQueSoitLaCasseEtLaisseTel) {
    for (const char* nom : {"config.txt", "CONFIG.TXT", "Config.txt"}) {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QLatin1String(nom));
        const QByteArray contenu = "Entete\nvoix\r\\spd=1\\\r\n\\pit=2\\\n\\vol=3\\";
        ecrire(chemin, contenu);
        const QStringList lignes = FichierReglages(dossier.path()).charger();
        EXPECT_EQ(lignes,
                  (QStringList{QStringLiteral("Entete"), QStringLiteral("voix"), QStringLiteral("\\spd=1\\"),
                               QStringLiteral("\\pit=2\\"), QStringLiteral("\\vol=3\\")}))
            << nom;
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files).size(), 1) << nom;
        EXPECT_EQ(lire(chemin), contenu) << nom;
    }
}

TEST(Reglages, DecoupageDesLignes) {
    EXPECT_EQ(decouperLignes(""), QStringList{});
    EXPECT_EQ(decouperLignes("a"), QStringList{QStringLiteral("a")});
    EXPECT_EQ(decouperLignes("a\r\n"), QStringList{QStringLiteral("a")});
    EXPECT_EQ(decouperLignes("a\n\nb"), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(decouperLignes("a\r\rb\n"), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(decouperLignes("a\n\r"),
              (QStringList{QStringLiteral("a"), QString()})); // LF then CR: two breaks
    EXPECT_EQ(decouperLignes("\r\n"), QStringList{QString()});
}

TEST(Reglages, LignesEnPlusOuEnMoinsGardeesTellesQuelles) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("config.txt"));
    // Extra lines, with bytes of an old code page, are kept and written back byte for byte.
    const QByteArray contenu = DEFAUT + "ligne \xe9tendue\r\n\r\nfin\r\n";
    ecrire(chemin, contenu);
    FichierReglages fichier(dossier.path());
    const QStringList lignes = fichier.charger();
    ASSERT_EQ(lignes.size(), 8);
    EXPECT_TRUE(fichier.enregistrer(lignes).reussie);
    EXPECT_EQ(lire(chemin), contenu);
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("config.txt")});

    ecrire(chemin, "MemoConfig\r\n");
    EXPECT_EQ(fichier.charger(), QStringList{QStringLiteral("MemoConfig")});
}

TEST(Reglages, DossierSansEcritureJoueSurLesDefauts) {
    QTemporaryDir parent;
    const QString absent = parent.filePath(QStringLiteral("disparu"));
    EXPECT_EQ(FichierReglages(absent).charger(), reglagesParDefaut());
    EXPECT_FALSE(QDir(absent).exists());
    EXPECT_FALSE(FichierReglages(absent).enregistrer(reglagesParDefaut()).reussie);
}

TEST(Reglages, FichiersIllisiblesLaissesIntacts) {
    {
        // A folder that bears the name.
        QTemporaryDir dossier;
        ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("CONFIG.TXT")));
        FichierReglages fichier(dossier.path());
        EXPECT_EQ(fichier.charger(), reglagesParDefaut());
        EXPECT_FALSE(fichier.enregistrer(reglagesParDefaut()).reussie);
        EXPECT_TRUE(QFileInfo(dossier.filePath(QStringLiteral("CONFIG.TXT"))).isDir());
    }
    {
        // Too large to be a settings file.
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("config.txt"));
        const QByteArray gros(FichierReglages::TAILLE_MAX + 10, 'x');
        ecrire(chemin, gros);
        EXPECT_EQ(FichierReglages(dossier.path()).charger(), reglagesParDefaut());
        EXPECT_FALSE(FichierReglages(dossier.path()).enregistrer(reglagesParDefaut()).reussie);
        EXPECT_EQ(QFileInfo(chemin).size(), gros.size());
    }
    {
        // Binary junk is read as lines like any text.
        QTemporaryDir dossier;
        QByteArray junk;
        for (int i = 0; i < 256; ++i)
            junk.append(static_cast<char>(i));
        ecrire(dossier.filePath(QStringLiteral("config.txt")), junk);
        const QStringList lignes = FichierReglages(dossier.path()).charger();
        EXPECT_EQ(lignes.size(), 3); // broken at LF (10) and CR (13)
        EXPECT_EQ(lignes.at(0).size(), 10);
    }
}

TEST(Reglages, FichierSansDroitDeLecture) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop reading";
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("config.txt"));
    ecrire(chemin, "secret\r\n");
    QFile::setPermissions(chemin, QFileDevice::Permissions{});
    EXPECT_EQ(FichierReglages(dossier.path()).charger(), reglagesParDefaut());
    QFile::setPermissions(chemin, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(lire(chemin), QByteArray("secret\r\n"));
}
