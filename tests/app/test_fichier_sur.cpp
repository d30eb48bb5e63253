// Writing the game's files whole or not at all: a full or read-only disk, a link, a folder in the way.
#include "base/fichier_sur.h"

#include "support/disque.h"
#include "support/fichiers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

namespace {

const QByteArray ANCIEN =
    "MemoConfig\r\nvoix du joueur\r\n\\spd=156\\\r\n\\pit=159\\\r\n\\vol=65535\\\r\nma ligne\r\n";
const QByteArray NOUVEAU = QByteArray(20000, 'n'); // more than a full disk's last page can take

mode_t modeDe(const QString& chemin) {
    struct stat info {};
    ::stat(QFile::encodeName(chemin).constData(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST(FichierSur, UnEchecLaisseLAncienFichierOctetPourOctet) {
    enum class Panne { DisquePlein, LectureSeule, Lien, Dossier };
    struct Cas {
        const char* nom;
        Panne panne;
        const char* raison;
    };
    const QList<Cas> cas = {
        {"disque plein", Panne::DisquePlein, "le disque est plein"},
        {"lecture seule", Panne::LectureSeule, "le disque est en lecture seule"},
        {"lien", Panne::Lien, "le fichier est un lien symbolique"},
        {"dossier", Panne::Dossier, "ce n'est pas un fichier ordinaire"},
    };
    for (const Cas& c : cas) {
        QTemporaryDir dossier;
        const bool disque = c.panne == Panne::DisquePlein || c.panne == Panne::LectureSeule;
        std::optional<DisqueEssai> petit;
        if (disque) {
            petit.emplace(dossier.path());
            if (!petit->monte()) {
                std::printf("%s skipped: %s\n", c.nom, qPrintable(petit->pourquoiPas()));
                continue;
            }
        }
        const QString chemin = dossier.filePath(QStringLiteral("Config.txt"));
        QString garde = chemin; // the file whose bytes must stay
        if (c.panne == Panne::Lien) {
            // the link planted in the folder points at another file of the player's
            garde = dossier.filePath(QStringLiteral("autre.txt"));
            ecrire(garde, ANCIEN);
            ASSERT_TRUE(QFile::link(QStringLiteral("autre.txt"), chemin));
        } else if (c.panne == Panne::Dossier) {
            ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("Config.txt")));
        } else {
            ecrire(chemin, ANCIEN);
        }
        if (c.panne == Panne::DisquePlein) {
            ASSERT_TRUE(petit->remplir());
        } else if (c.panne == Panne::LectureSeule) {
            ASSERT_TRUE(petit->lectureSeule());
        }
        const QStringList avant =
            QDir(dossier.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

        const EcritureSure e = ecrireFichierSur(chemin, NOUVEAU);
        EXPECT_FALSE(e.reussie) << c.nom;
        EXPECT_EQ(e.raison, QString::fromUtf8(c.raison)) << c.nom;
        if (c.panne != Panne::Dossier) {
            EXPECT_EQ(lire(garde), ANCIEN) << c.nom;
        }
        // nothing left behind: no temporary file, the link still a link
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), avant)
            << c.nom;
        EXPECT_EQ(estUnLien(chemin), c.panne == Panne::Lien) << c.nom;
    }
}

TEST(FichierSur, RemplaceToutEnGardantLesDroitsOuCreeSelonLeMasque) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("Config.txt"));
    ecrire(chemin, ANCIEN);
    ASSERT_TRUE(QFile::setPermissions(chemin, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup));
    EXPECT_TRUE(ecrireFichierSur(chemin, NOUVEAU).reussie);
    EXPECT_EQ(lire(chemin), NOUVEAU);
    EXPECT_EQ(modeDe(chemin), mode_t(0640));

    const mode_t masque = ::umask(027);
    const QString neuf = dossier.filePath(QStringLiteral("Corsabord.ini"));
    const EcritureSure e = ecrireFichierSur(neuf, "[jeu]\n");
    ::umask(masque);
    EXPECT_TRUE(e.reussie);
    EXPECT_TRUE(e.raison.isEmpty());
    EXPECT_EQ(lire(neuf), QByteArray("[jeu]\n"));
    EXPECT_EQ(modeDe(neuf), mode_t(0640));
    // What a write killed halfway left an hour ago is cleared by the next one; a write still under way
    // elsewhere, the player's own files and links stay.
    struct Reste {
        QString nom;
        bool vieux, reste;
    };
    const QString enCours = nomTemporaire(QStringLiteral("Config.txt"));
    const Reste restes[] = {
        {enCours + QStringLiteral(".a1B2c3"), true, false},
        {enCours + QStringLiteral(".d4E5f6"), false, true},
        {enCours + QStringLiteral(".sauvegarde"), true, true},
        {nomTemporaire(QStringLiteral("Corsabord.ini")) + QStringLiteral(".a1B2c3"), true, true},
        {QStringLiteral(".Config.txt.backup"), true, true},
    };
    for (const Reste& r : restes) {
        ecrire(dossier.filePath(r.nom), "moitié");
        QFile f(dossier.filePath(r.nom));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(!r.vieux || f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                              QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(
        QFile::link(dossier.filePath(restes[0].nom), dossier.filePath(enCours + QStringLiteral(".lien00"))));
    EXPECT_TRUE(ecrireFichierSur(chemin, NOUVEAU).reussie);
    for (const Reste& r : restes)
        EXPECT_EQ(QFileInfo::exists(dossier.filePath(r.nom)), r.reste) << qPrintable(r.nom);
    EXPECT_TRUE(estUnLien(dossier.filePath(enCours + QStringLiteral(".lien00"))));

    // a folder that is gone
    EXPECT_EQ(ecrireFichierSur(dossier.filePath(QStringLiteral("parti/Config.txt")), NOUVEAU).raison,
              QStringLiteral("le dossier n'existe plus"));
}
