// The game's own settings file Corsabord.ini: what it reads, what it keeps, what it never writes over.
#include "base/preferences.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/fichiers.h"

#include <gtest/gtest.h>

#include <unistd.h>

TEST(Preferences, LitLesChoixEtReecritLeFichierAvecSesLignesInconnues) {
    struct Cas {
        QByteArray contenu;
        Allure allure;
        Niveau niveau;
        bool lecteur; // voix=lecteur: the player's screen reader
        bool braille;
        QByteArray apres; // the file once the pace is set to quick and the level to likelihood
    };
    const QByteArray latin1 = "nom=\xe9quipage\xff";
    const Cas cas[] = {
        {"", Allure::Normale, Niveau::Classique, false, false, "allure=vive\nniveau=vraisemblance\n"},
        {"allure=vive\nniveau=tenace\nvoix=perroquet\nbraille=non\n", Allure::Vive, Niveau::Tenace, false,
         false, "allure=vive\nniveau=vraisemblance\nvoix=perroquet\nbraille=non\n"},
        {" allure = vive \r\n# mon commentaire\r\nvoix=lecteur\r\nbraille = oui\r\n", Allure::Vive,
         Niveau::Classique, true, true,
         "allure=vive\n# mon commentaire\nvoix=lecteur\nbraille = oui\nniveau=vraisemblance\n"},
        {"allure=VIVE\nniveau=expert\nniveau=tenace\nvoix=LECTEUR\nbraille=peut-etre", Allure::Normale,
         Niveau::Classique, false, false,
         "allure=vive\nniveau=vraisemblance\nniveau=tenace\nvoix=LECTEUR\nbraille=peut-etre\n"},
        {latin1 + "\n\nallure", Allure::Normale, Niveau::Classique, false, false,
         latin1 + "\n\nallure\nallure=vive\nniveau=vraisemblance\n"},
        // lines ended by CR alone, or mixed, as Config.txt takes them
        {"allure=normale\rstereo=non\rbraille=oui\rx=1\r", Allure::Normale, Niveau::Classique, false, true,
         "allure=vive\nstereo=non\nbraille=oui\nx=1\nniveau=vraisemblance\n"},
        {"voix=lecteur\r\rniveau=tenace\n\r\nallure=vive", Allure::Vive, Niveau::Tenace, true, false,
         "voix=lecteur\n\nniveau=vraisemblance\n\nallure=vive\n"},
    };
    for (const Cas& c : cas) {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Corsabord.ini"));
        if (!c.contenu.isEmpty())
            ecrire(chemin, c.contenu);
        Preferences p(dossier.path());
        EXPECT_EQ(p.allure(), c.allure) << c.contenu.constData();
        EXPECT_EQ(p.niveau(), c.niveau) << c.contenu.constData();
        EXPECT_EQ(p.lecteurEcran(), c.lecteur) << c.contenu.constData();
        EXPECT_EQ(p.braille(), c.braille) << c.contenu.constData();
        p.setAllure(Allure::Vive);
        p.setNiveau(Niveau::Vraisemblance);
        ASSERT_TRUE(p.enregistrer().reussie);
        EXPECT_EQ(lire(chemin), c.apres) << c.contenu.constData();
        EXPECT_EQ(Preferences(dossier.path()).niveau(), Niveau::Vraisemblance);
        // Config.txt is none of this file's business.
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("Corsabord.ini")});
    }
}

TEST(Preferences, UnFichierIllisibleOuTropGrandDonneLesDefautsEtResteTelQuel) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("Corsabord.ini"));
    const QByteArray grand = "niveau=tenace\n" + QByteArray(Preferences::TAILLE_MAX, '#');
    ecrire(chemin, grand);
    Preferences p(dossier.path());
    EXPECT_EQ(p.niveau(), Niveau::Classique);
    p.setNiveau(Niveau::Tenace);
    testing::internal::CaptureStderr();
    const EcritureSure e = p.enregistrer();
    EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr()),
              QStringLiteral("Corsabord : les préférences n'ont pas pu être enregistrées dans %1 : %2.\n")
                  .arg(chemin, e.raison));
    EXPECT_FALSE(e.reussie);
    EXPECT_FALSE(e.raison.isEmpty());
    EXPECT_EQ(lire(chemin), grand);

    // A folder of that name, and a link, are not read and not replaced.
    QTemporaryDir autre;
    ASSERT_TRUE(QDir(autre.path()).mkdir(QStringLiteral("Corsabord.ini")));
    Preferences q(autre.path());
    q.setAllure(Allure::Vive);
    EXPECT_FALSE(q.enregistrer().reussie);
    QTemporaryDir lien;
    const QString cible = lien.filePath(QStringLiteral("ailleurs"));
    ecrire(cible, "allure=vive\n");
    ASSERT_EQ(::symlink(cible.toLocal8Bit().constData(),
                        lien.filePath(QStringLiteral("Corsabord.ini")).toLocal8Bit().constData()),
              0);
    Preferences r(lien.path());
    r.setNiveau(Niveau::Tenace);
    EXPECT_FALSE(r.enregistrer().reussie);
    EXPECT_EQ(lire(cible), QByteArray("allure=vive\n"));
}
