// What the game tells about itself: the recited list of commands and the About text.
#include "screens/aide.h"

#include <gtest/gtest.h>

TEST(Aide, LaListeDesCommandesEnUnTexte) {
    ASSERT_EQ(MemoSOS().size(), 22);
    // Every line followed by CR LF: the last two lines are empty, so the text ends with three breaks.
    const QString texte = texteSOS();
    EXPECT_TRUE(texte.endsWith(QStringLiteral("voix.\r\n\r\n\r\n")));
    EXPECT_EQ(texte.split(QStringLiteral("\r\n")), MemoSOS() + QStringList{QString()});
    EXPECT_EQ(texte.count(QLatin1Char('\r')), 22);
    EXPECT_EQ(MemoSOS().at(5), QStringLiteral("Control \"D\" : Dégâts de l'ennemi."));
    EXPECT_EQ(MemoSOS().at(17), QStringLiteral("Control \"S\" : S.O.S. à l'aide!"));
    // One line for each letter, in alphabetical order.
    QString lettres;
    for (const QString& ligne : MemoSOS().mid(2, 18))
        lettres += ligne.mid(9, 1);
    EXPECT_EQ(lettres, QStringLiteral("ABCDEFGIJMNOPQRSTV"));
}

TEST(Aide, LeTexteAProposDitQuiEtSousQuellesConditions) {
    const QString texte = texteAPropos();
    EXPECT_TRUE(texte.startsWith(QStringLiteral(
        "Corsabord Version 1.1 est un logiciel Marelis écrit pour votre plaisir par Dorvane. ")));
    EXPECT_TRUE(texte.endsWith(QStringLiteral(
        ". Appuyez sur espace pour revenir au jeu. Bonne chance, que Neptune soit avec vous!")));
    EXPECT_TRUE(texte.contains(QStringLiteral(" logiciel libre")));
    EXPECT_TRUE(texte.contains(
        QStringLiteral("Licence Publique Générale GNU, version 3 ou toute version ultérieure. ")));
}
