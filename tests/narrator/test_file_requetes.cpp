// The parrot's requests in their order, without a parrot: which starts, which waits, which completes.
#include "narrator/file_requetes.h"

#include <gtest/gtest.h>

namespace {

Animation geste(double opaciteFinale) {
    Animation a;
    a.nom = QStringLiteral("geste");
    ImageAnimation image;
    image.duree = 500;
    image.pose.valeurs.insert(QStringLiteral("opacite"), opaciteFinale);
    a.images = {image};
    return a;
}
const Animation AGITER = geste(1);
const Animation CACHER = geste(0);

// A queue whose requests are letters: 'g' a gesture, 'c' the gesture that hides, 't' a text, 'b' a blank
// (said in no time). It notes "+id" when one starts and "-id" when one completes.
struct Banc {
    QStringList trace;
    FileRequetes file{[this](FileRequetes::Requete& r) {
                          trace << QStringLiteral("+%1").arg(r.id);
                          r.finie = r.nom.isEmpty();
                      },
                      [this](int id) { trace << QStringLiteral("-%1").arg(id); }};

    void demander(const char* lettres, bool enScene = true) {
        for (const char* l = lettres; *l; ++l) {
            FileRequetes::Requete r;
            r.genre = *l == 't' || *l == 'b' ? FileRequetes::Genre::Parole : FileRequetes::Genre::Animation;
            r.animation = *l == 'g' ? &AGITER : *l == 'c' ? &CACHER : nullptr;
            r.nom = *l == 'b' ? QString() : QStringLiteral("x");
            file.ajouter(r, enScene);
        }
    }
    void finir(int id) {
        if (FileRequetes::Requete* p = file.parole(id))
            p->finie = true;
        else if (file.tete() && file.tete()->id == id)
            file.tete()->finie = true;
        file.avancer();
    }
};

TEST(FileRequetes, OrdreDepartsEtFins) {
    struct Cas {
        const char* requetes;
        QList<int> finies; // completed by the parrot in this order
        const char* attendu;
    };
    const QList<Cas> cas = {
        // A text does not wait for the gestures before it, but completes after them.
        {"ggt", {3, 1, 2}, "+1 +3 -1 +2 -2 -3"},
        // Nor does a blank, which is said in no time.
        {"gbt", {3, 1}, "+1 +2 +3 -1 -2 -3"},
        // One text at a time: the second waits for the first.
        {"gtt", {1, 2, 3}, "+1 +2 -1 -2 +3 -3"},
        // A text waits for a gesture that hides the parrot.
        {"gct", {1, 2, 3}, "+1 -1 +2 -2 +3 -3"},
        {"cgt", {1, 2, 3}, "+1 -1 +2 +3 -2 -3"},
    };
    for (const Cas& c : cas) {
        Banc b;
        b.demander(c.requetes);
        for (int id : c.finies)
            b.finir(id);
        EXPECT_EQ(b.trace.join(QLatin1Char(' ')), QString::fromLatin1(c.attendu)) << c.requetes;
        EXPECT_TRUE(b.file.vide());
    }
}

TEST(FileRequetes, ArreterEtAbandonner) {
    Banc b;
    QList<int> coupees;
    const auto couper = [&](FileRequetes::Requete& r) { coupees << r.id; };
    // Nobody on the screen: done at once, never queued.
    b.demander("gt", false);
    EXPECT_EQ(b.trace, QStringList({QStringLiteral("-1"), QStringLiteral("-2")}));
    b.trace.clear();

    b.demander("gtt"); // 3 and 4 start, 5 waits
    b.file.arreter(5, couper);
    EXPECT_TRUE(coupees.isEmpty()); // it had not started: nothing to cut
    b.file.arreter(4, couper);
    EXPECT_EQ(coupees, QList<int>{4});
    EXPECT_EQ(b.file.enCours(), 3);
    b.demander("t"); // 6 starts at once, the text before it gone
    b.file.abandonner(couper);
    EXPECT_EQ(coupees, (QList<int>{4, 3, 6}));
    EXPECT_EQ(b.trace.join(QLatin1Char(' ')), QStringLiteral("+3 +4 -5 -4 +6 -3 -6"));
    EXPECT_TRUE(b.file.vide());
}

} // namespace
