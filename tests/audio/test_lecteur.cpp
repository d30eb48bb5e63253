// What reaches the player's screen reader and braille display: which cut cancels, which end is ours, and
// a long text in the display's windows.
#include "audio/suivi_lecteur.h"

#include "support/textes.h"

#include <gtest/gtest.h>

TEST(SuiviLecteur, UneCoupeAnnuleCeQueLeLecteurTientEncore) {
    // One step: "e id message" sent, "a id" cut (expecting a cancel or not), "f message" ended (expecting
    // our id, 0 for none); at ms a, "d message" begun, "r message" dropped by the reader's own speech
    // (expecting it said again, 1, or not), "n message new" renumbered.
    struct Pas {
        char quoi;
        int a, b = 0, ms = 0;
    };
    struct Cas {
        const char* nom;
        QList<Pas> pas;
    };
    const Cas cas[] = {
        {"a text cut while said cancels, its late end is none of ours",
         {{'e', 1, 11}, {'a', 1, 1}, {'f', 11, 0}}},
        {"a text already said cancels nothing", {{'e', 1, 11}, {'f', 11, 1}, {'a', 1, 0}}},
        {"a text never sent (queued in the parrot) cancels nothing",
         {{'e', 1, 11}, {'a', 2, 0}, {'f', 11, 1}}},
        {"texts queued end in order", {{'e', 1, 11}, {'e', 2, 12}, {'f', 11, 1}, {'f', 12, 2}}},
        {"a cut cancels the stale ones before it too",
         {{'e', 1, 11}, {'e', 2, 12}, {'a', 2, 1}, {'f', 11, 0}}},
        {"the reader's other messages are not ours", {{'f', 99, 0}, {'e', 3, 5}, {'f', 4, 0}, {'f', 5, 3}}},
        {"dropped before a word, again and again while the reader speaks, then said",
         {{'e', 1, 11},
          {'r', 11, 1, 100},
          {'n', 11, 12},
          {'r', 12, 1, 200},
          {'n', 12, 13},
          {'d', 13, 0, 400},
          {'f', 13, 1}}},
        {"dropped just begun: said again, three times at most",
         {{'e', 1, 11},
          {'d', 11, 0, 10},
          {'r', 11, 1, 20},
          {'d', 11, 0, 30},
          {'r', 11, 1, 40},
          {'d', 11, 0, 50},
          {'r', 11, 1, 60},
          {'d', 11, 0, 70},
          {'r', 11, 0, 80},
          {'f', 11, 1}}},
        {"dropped once heard a while: it ends there", {{'e', 1, 11}, {'d', 11, 0, 0}, {'r', 11, 0, 600}}},
        {"waiting behind the reader over 10 s: it ends", {{'e', 1, 11}, {'r', 11, 0, 10001}, {'f', 11, 1}}},
        {"a cancel of ours is no drop", {{'e', 1, 11}, {'a', 1, 1}, {'r', 11, 0, 5}}},
    };
    for (const Cas& c : cas) {
        SuiviLecteur s;
        for (const Pas& p : c.pas) {
            if (p.quoi == 'e')
                s.envoye(p.a, p.b, QStringLiteral("FEU!"));
            else if (p.quoi == 'd')
                s.commence(p.a, p.ms);
            else if (p.quoi == 'r')
                EXPECT_EQ(s.reprendre(p.a, p.ms).has_value(), p.b == 1) << c.nom;
            else if (p.quoi == 'n')
                s.renumeroter(p.a, p.b);
            else if (p.quoi == 'a')
                EXPECT_EQ(s.arreter(p.a), p.b == 1) << c.nom;
            else
                EXPECT_EQ(s.fin(p.a), p.b) << c.nom;
        }
    }
    SuiviLecteur perdu;
    perdu.envoye(4, 40);
    perdu.envoye(5, 50);
    EXPECT_EQ(perdu.lacher(), (QList<int>{4, 5}));
    EXPECT_EQ(perdu.enCours(), 0);
}

TEST(FenetresBraille, UnLongTexteParFenetresEntreLesMots) {
    struct Cas {
        QString texte;
        int largeur;
        QStringList fenetres;
    };
    const Cas cas[] = {
        {QStringLiteral("FEU!"), 40, {QStringLiteral("FEU!")}},
        {QStringLiteral(" Touché,\r\n amiral!  "), 40, {QStringLiteral("Touché, amiral!")}},
        {QStringLiteral("Flotte adverse à l'horizon, amiral."),
         12,
         {QStringLiteral("Flotte"), QStringLiteral("adverse à"), QStringLiteral("l'horizon,"),
          QStringLiteral("amiral.")}},
        {QStringLiteral("Un abracadabrantesque mot"),
         6,
         {QStringLiteral("Un"), QStringLiteral("abraca"), QStringLiteral("dabran"), QStringLiteral("tesque"),
          QStringLiteral("mot")}},
        {QStringLiteral("   "), 40, {}},
        {QStringLiteral("rien"), 0, {}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(FenetresBraille::decouper(c.texte, c.largeur), c.fenetres) << qPrintable(c.texte);

    // The welcome on a 40-cell display: every word there once, in order, no window too wide; the keys
    // move through them and stop at either end.
    FenetresBraille f;
    f.afficher(textes::BIENVENUE, 40);
    EXPECT_EQ(f.fenetres().join(QLatin1Char(' ')), textes::BIENVENUE.simplified());
    for (const QString& w : f.fenetres())
        EXPECT_LE(w.size(), 40);
    EXPECT_FALSE(f.reculer());
    int n = 1;
    while (f.avancer())
        ++n;
    EXPECT_EQ(n, f.fenetres().size());
    EXPECT_EQ(f.fenetre(), f.fenetres().last());
    f.afficher(QStringLiteral("FEU!"), 40);
    EXPECT_EQ(f.fenetre(), QStringLiteral("FEU!"));
}
