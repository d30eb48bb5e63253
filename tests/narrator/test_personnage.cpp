// The parrot's character file: reading it, refusing broken ones, and the poses of its animations.
#include "narrator/personnage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString FICHIER = QStringLiteral(CORSABORD_SOURCE_DIR "/assets/narrateur/perroquet.json");

QByteArray lireFichier(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The game's own character file with one change, read from a folder that has its drawing.
std::optional<Personnage> modifie(const std::function<void(QJsonObject&)>& changer,
                                  QString* erreur = nullptr) {
    QJsonObject o = QJsonDocument::fromJson(lireFichier(FICHIER)).object();
    changer(o);
    return Personnage::depuisJson(QJsonDocument(o).toJson(),
                                  QStringLiteral(CORSABORD_SOURCE_DIR "/assets/narrateur"), erreur);
}

TEST(Personnage, LeFichierDuJeuSeLitAvecSesAnimations) {
    QString erreur;
    const std::optional<Personnage> p = Personnage::lire(FICHIER, &erreur);
    ASSERT_TRUE(p) << qPrintable(erreur);
    EXPECT_TRUE(QFile::exists(p->dessin()));
    for (const QString& nom : {QStringLiteral("Show"), QStringLiteral("Montrer"), QStringLiteral("Greet"),
                               QStringLiteral("wave"), QStringLiteral("HIDE")}) {
        const Animation* a = p->animation(nom);
        ASSERT_TRUE(a) << qPrintable(nom);
        EXPECT_GT(a->duree(), 0) << qPrintable(nom);
    }
    EXPECT_EQ(p->animation(QStringLiteral("Show")), p->animation(QStringLiteral("Montrer")));
    EXPECT_EQ(p->animation(QStringLiteral("Danser")), nullptr);
    EXPECT_GE(p->animationsDeRepos().size(), 2);
    // it starts hidden, shows itself, and is hidden again after "Hide"
    const Pose depart = p->poseInitiale();
    EXPECT_EQ(depart.valeur(QStringLiteral("opacite"), 1), 0);
    const Animation* montrer = p->animation(QStringLiteral("Show"));
    const Pose vu = montrer->poseA(depart, montrer->duree());
    EXPECT_EQ(vu.valeur(QStringLiteral("opacite")), 1);
    EXPECT_EQ(vu.valeur(QStringLiteral("echelle")), 1);
    const Animation* cacher = p->animation(QStringLiteral("Hide"));
    EXPECT_EQ(cacher->poseA(vu, cacher->duree()).valeur(QStringLiteral("opacite"), 1), 0);
    // waving ends with the wing back down
    const Animation* agiter = p->animation(QStringLiteral("Wave"));
    EXPECT_EQ(agiter->poseA(vu, agiter->duree()).valeur(QStringLiteral("aile")), 0);
    EXPECT_GT(agiter->poseA(vu, agiter->images.first().duree).valeur(QStringLiteral("aile")), 45);
}

TEST(Animation, PosesEntreLesImages) {
    Animation a;
    a.images = {
        {100, {{{QStringLiteral("tete"), 10.0}}, {{QStringLiteral("yeux"), QStringLiteral("fermes")}}}},
        {200, {{{QStringLiteral("tete"), -10.0}}, {{QStringLiteral("yeux"), QStringLiteral("ouverts")}}}}};
    Pose depart;
    depart.valeurs.insert(QStringLiteral("tete"), 0);
    depart.valeurs.insert(QStringLiteral("aile"), 30);
    depart.etats.insert(QStringLiteral("yeux"), QStringLiteral("ouverts"));
    EXPECT_EQ(a.duree(), 300);
    EXPECT_DOUBLE_EQ(a.poseA(depart, 50).valeur(QStringLiteral("tete")), 5);
    EXPECT_EQ(a.poseA(depart, 50).etats.value(QStringLiteral("yeux")), QStringLiteral("fermes"));
    EXPECT_DOUBLE_EQ(a.poseA(depart, 100).valeur(QStringLiteral("tete")), 10);
    EXPECT_DOUBLE_EQ(a.poseA(depart, 200).valeur(QStringLiteral("tete")), 0);
    EXPECT_EQ(a.poseA(depart, 200).etats.value(QStringLiteral("yeux")), QStringLiteral("ouverts"));
    EXPECT_DOUBLE_EQ(a.poseA(depart, 1000).valeur(QStringLiteral("tete")), -10);
    // what no image moves stays where it was
    EXPECT_DOUBLE_EQ(a.poseA(depart, 150).valeur(QStringLiteral("aile")), 30);
}

TEST(Personnage, FichierAbsentIlisibleOuCasse) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    EXPECT_FALSE(Personnage::lire(dossier.filePath(QStringLiteral("absent.json"))));
    // a folder where the file should be
    EXPECT_FALSE(Personnage::lire(dossier.path()));
    const QString casse = dossier.filePath(QStringLiteral("casse.json"));
    QFile f(casse);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(lireFichier(FICHIER).left(300));
    f.close();
    EXPECT_FALSE(Personnage::lire(casse));
    // A file far larger than any character file is refused before it is read whole.
    QByteArray enorme = lireFichier(FICHIER);
    enorme.append(QByteArray(bornes_personnage::OCTETS_MAX, ' '));
    const QString gros = dossier.filePath(QStringLiteral("gros.json"));
    QFile::copy(FICHIER.chopped(4) + QStringLiteral("svg"),
                dossier.filePath(QStringLiteral("perroquet.svg")));
    QFile g(gros);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(enorme);
    g.close();
    QString erreur;
    EXPECT_FALSE(Personnage::lire(gros, &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_FALSE(Personnage::depuisJson("[1, 2, 3]", dossier.path()));
    EXPECT_FALSE(Personnage::depuisJson(QByteArray(), dossier.path()));
}

TEST(Personnage, ContenuInvalideRefuse) {
    ASSERT_TRUE(modifie([](QJsonObject&) {}));
    const QList<std::function<void(QJsonObject&)>> casses = {
        [](QJsonObject& o) { o.remove(QStringLiteral("dessin")); },
        [](QJsonObject& o) { o.insert(QStringLiteral("dessin"), QStringLiteral("absent.svg")); },
        [](QJsonObject& o) {
            o.insert(QStringLiteral("dessin"), QStringLiteral("../narrateur/perroquet.svg"));
        },
        [](QJsonObject& o) { o.insert(QStringLiteral("taille"), QJsonValue(12)); },
        [](QJsonObject& o) { o.remove(QStringLiteral("parties")); },
        [](QJsonObject& o) {
            QJsonObject a = o.value(QStringLiteral("animations")).toObject();
            a.remove(QStringLiteral("Wave"));
            o.insert(QStringLiteral("animations"), a);
        },
        [](QJsonObject& o) {
            QJsonObject a = o.value(QStringLiteral("animations")).toObject();
            a.insert(QStringLiteral("Greet"),
                     QJsonObject{{QStringLiteral("images"), QJsonValue(QStringLiteral("x"))}});
            o.insert(QStringLiteral("animations"), a);
        },
        [](QJsonObject& o) {
            QJsonObject g = o.value(QStringLiteral("groupes")).toObject();
            QJsonObject tete = g.value(QStringLiteral("tete")).toObject();
            tete.insert(QStringLiteral("parent"), QStringLiteral("tete")); // a loop
            g.insert(QStringLiteral("tete"), tete);
            o.insert(QStringLiteral("groupes"), g);
        },
        // Sizes and numbers beyond what the parrot's placement and balloon can hold.
        [](QJsonObject& o) {
            o.insert(QStringLiteral("taille"), QJsonArray{1e12, 1e12});
        },
        [](QJsonObject& o) {
            o.insert(QStringLiteral("taille"), QJsonArray{2000, 100});
        },
        [](QJsonObject& o) {
            QJsonObject g = o.value(QStringLiteral("groupes")).toObject();
            QJsonObject tete = g.value(QStringLiteral("tete")).toObject();
            tete.insert(QStringLiteral("pivot"), QJsonArray{84, -1e12});
            g.insert(QStringLiteral("tete"), tete);
            o.insert(QStringLiteral("groupes"), g);
        },
        [](QJsonObject& o) {
            QJsonObject pose = o.value(QStringLiteral("pose")).toObject();
            pose.insert(QStringLiteral("echelle"), 1e300);
            o.insert(QStringLiteral("pose"), pose);
        },
        [](QJsonObject& o) {
            o.insert(QStringLiteral("parole"), QJsonObject{{QStringLiteral("bec_max"), 1e9}});
        },
        [](QJsonObject& o) {
            // every image at the longest, so many that the whole would overflow a count of ms
            QJsonArray images;
            for (int i = 0; i < 40000; ++i)
                images.append(
                    QJsonObject{{QStringLiteral("duree"), 60000}, {QStringLiteral("pose"), QJsonObject{}}});
            QJsonObject a = o.value(QStringLiteral("animations")).toObject();
            a.insert(QStringLiteral("Greet"), QJsonObject{{QStringLiteral("images"), images}});
            o.insert(QStringLiteral("animations"), a);
        },
    };
    for (qsizetype i = 0; i < casses.size(); ++i) {
        QString erreur;
        EXPECT_FALSE(modifie(casses.at(i), &erreur)) << i;
        EXPECT_FALSE(erreur.isEmpty()) << i;
    }
}

} // namespace
