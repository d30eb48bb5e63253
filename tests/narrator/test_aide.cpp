// What the game tells about itself: the recited list of commands and the About text.
#include "narrator/aide.h"

#include <gtest/gtest.h>

TEST(Aide, LaListeDesCommandesEnUnTexte) {
    ASSERT_EQ(MemoSOS().size(), 22);
    const QString texte = texteSOS();
    // Every line followed by CR LF: the last two lines are empty, so the text ends with three breaks.
    EXPECT_TRUE(texte.endsWith(QStringLiteral(".\r\n\r\n\r\n")));
    const QStringList morceaux = texte.split(QStringLiteral("\r\n"));
    ASSERT_EQ(morceaux.size(), 23);
    EXPECT_EQ(morceaux.mid(0, 22), MemoSOS());
    EXPECT_EQ(texte.count(QLatin1Char('\n')), 22);
    EXPECT_EQ(texte.count(QLatin1Char('\r')), 22);
    EXPECT_EQ(morceaux.at(0), QStringLiteral("Voici la liste des commandes :"));
    EXPECT_TRUE(morceaux.at(1).isEmpty());
    EXPECT_EQ(morceaux.at(5), QStringLiteral("Control \"D\" : Dégâts de l'ennemi."));
    EXPECT_EQ(morceaux.at(17), QStringLiteral("Control \"S\" : S.O.S. à l'aide!"));
    EXPECT_EQ(morceaux.at(19), QStringLiteral("Control \"V\" : Changer la voix."));
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
    // The sentence on copying: free software under the GPL, version 3 or later.
    EXPECT_TRUE(texte.contains(QStringLiteral("logiciel libre")));
    EXPECT_TRUE(texte.contains(QStringLiteral("copier et le partager")));
    EXPECT_TRUE(texte.contains(
        QStringLiteral("Licence Publique Générale GNU, version 3 ou toute version ultérieure. ")));
    EXPECT_EQ(AUTEUR, QStringLiteral("Logiciel écrit par  Dorvane"));
}
