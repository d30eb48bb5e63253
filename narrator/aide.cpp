// What the game tells about itself: the list of commands and the About text.
#include "narrator/aide.h"

const QStringList& MemoSOS() {
    static const QStringList lignes{
        QStringLiteral("Voici la liste des commandes :"),
        QString(),
        QStringLiteral("Control \"A\" : Placer le navire amiral."),
        QStringLiteral("Control \"B\" : Placer un brick."),
        QStringLiteral("Control \"C\" : Placer une chaloupe."),
        QStringLiteral("Control \"D\" : Dégâts de l'ennemi."),
        QStringLiteral("Control \"E\" : Engager le combat."),
        QStringLiteral("Control \"F\" : Placer la frégate."),
        QStringLiteral("Control \"G\" : Placer une galère."),
        QStringLiteral("Control \"I\" : Inspecter la flotte."),
        QStringLiteral("Control \"J\" : A propos du jeu."),
        QStringLiteral("Control \"M\" : Mouiller l'ancre."),
        QStringLiteral("Control \"N\" : Placer les navires."),
        QStringLiteral("Control \"O\" : Orienter le navire."),
        QStringLiteral("Control \"P\" : Retour au port."),
        QStringLiteral("Control \"Q\" : Quitter la bataille."),
        QStringLiteral("Control \"R\" : Répète le commentaire."),
        QStringLiteral("Control \"S\" : S.O.S. à l'aide!"),
        QStringLiteral("Control \"T\" : Placer toute la flotte."),
        QStringLiteral("Control \"V\" : Changer la voix."),
        QString(),
        QString(),
    };
    return lignes;
}

QString texteSOS() {
    QString texte;
    for (const QString& ligne : MemoSOS())
        texte += ligne + QStringLiteral("\r\n");
    return texte;
}

QString texteAPropos() {
    return QStringLiteral(
               "Corsabord Version 1.1 est un logiciel Marelis écrit pour votre plaisir par Dorvane. ") +
           // The game links espeak-ng, itself under the GPL: the game is shared on the same terms.
           QStringLiteral("Corsabord est un logiciel libre: vous pouvez le copier et le partager selon les "
                          "termes de la Licence Publique Générale GNU, version 3 ou toute version "
                          "ultérieure. ") +
           QStringLiteral(
               "Appuyez sur espace pour revenir au jeu. Bonne chance, que Neptune soit avec vous!");
}
