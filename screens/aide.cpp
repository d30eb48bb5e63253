// What the game tells about itself: the list of commands and the About text.
#include "screens/aide.h"

#include <QDir>
#include <QFileInfo>

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

const QList<ToucheAjoutee>& touchesAjoutees() {
    static const QList<ToucheAjoutee> touches{
        {Qt::Key_F1, Commande::Aide, QStringLiteral("Touches ajoutées"), QStringLiteral("F1 : cette liste.")},
        {{},
         std::nullopt,
         {},
         QStringLiteral(
             "Sur la mer ennemie, une lettre de A à L puis un nombre de 1 à 12 : viser ce secteur, "
             "sans tirer. Espace tire.")},
        {{},
         std::nullopt,
         {},
         QStringLiteral("Tabulation : notre flotte, dont les flèches lisent chaque secteur ; encore "
                        "tabulation, la mer ennemie.")},
        {{},
         std::nullopt,
         {},
         QStringLiteral("Au port, tabulation : les postes des navires, chacun avec son état ; Entrée ou "
                        "Espace sur un poste : choisir ce navire.")},
        {Qt::Key_F2, Commande::Ligne, QStringLiteral("Ligne du secteur visé"),
         QStringLiteral("F2 : la ligne du secteur visé, sur la mer ennemie.")},
        {Qt::Key_F3, Commande::Colonne, QStringLiteral("Colonne du secteur visé"),
         QStringLiteral("F3 : sa colonne, sur la mer ennemie.")},
        {Qt::SHIFT | Qt::Key_F2, Commande::LigneNous, QStringLiteral("La même ligne chez nous"),
         QStringLiteral("Majuscule F2 : la même ligne, sur notre mer.")},
        {Qt::SHIFT | Qt::Key_F3, Commande::ColonneNous, QStringLiteral("La même colonne chez nous"),
         QStringLiteral("Majuscule F3 : la même colonne, sur notre mer.")},
        {Qt::Key_F4, Commande::AFlot, QStringLiteral("Navires à flot"),
         QStringLiteral("F4 : les navires encore à flot, chez l'ennemi et chez nous.")},
        {Qt::Key_F5, Commande::Journal, QStringLiteral("Journal de bord"),
         QStringLiteral("F5 : le journal de bord, niveau par niveau.")},
        {Qt::SHIFT | Qt::Key_F5, Commande::EffacerJournal, QStringLiteral("Effacer le journal de bord"),
         QStringLiteral("Majuscule F5 : effacer le journal de bord, après confirmation.")},
        {Qt::Key_F6, Commande::Allure, QStringLiteral("Allure"),
         QStringLiteral("F6 : allure normale ou vive du combat.")},
        {Qt::Key_F7, Commande::Niveau, QStringLiteral("Niveau de l'ennemi"),
         QStringLiteral("F7 : niveau de l'ennemi, classique, tenace ou vraisemblance.")},
        {Qt::Key_F8, Commande::Stereo, QStringLiteral("Sons placés selon la colonne"),
         QStringLiteral("F8 : les tirs et les secteurs entendus à gauche ou à droite selon leur colonne, ou "
                        "tous au centre.")},
        {Qt::ALT | Qt::Key_Up, Commande::Historique, QStringLiteral("Texte précédent"),
         QStringLiteral("Alt flèche haut : le texte d'avant, parmi les cinquante derniers.")},
        {Qt::ALT | Qt::Key_Down, Commande::HistoriqueSuivant, QStringLiteral("Texte suivant"),
         QStringLiteral("Alt flèche bas : le texte d'après.")},
        {Qt::CTRL | Qt::Key_F1, Commande::Legende, QStringLiteral("Légende du coup d'œil"),
         QStringLiteral("Control F1 : les sons du coup d'œil, chacun après son nom.")},
        {Qt::CTRL | Qt::Key_F2, Commande::CoupDOeilLigne, QStringLiteral("Coup d'œil sur la ligne"),
         QStringLiteral(
             "Control F2 : la ligne du curseur en sons brefs, de gauche à droite, sur la mer où il "
             "se trouve.")},
        {Qt::CTRL | Qt::Key_F3, Commande::CoupDOeilColonne, QStringLiteral("Coup d'œil sur la colonne"),
         QStringLiteral("Control F3 : sa colonne en sons brefs, du plus aigu, ligne 1, au plus grave.")},
        {Qt::CTRL | Qt::Key_F4, Commande::CoupDOeilTouches, QStringLiteral("Coup d'œil sur les coups au but"),
         QStringLiteral("Control F4 : tous les secteurs touchés de cette mer, ligne après ligne. Une touche "
                        "arrête le coup d'œil.")},
        {Qt::SHIFT | Qt::Key_F6, Commande::Bref, QStringLiteral("Mode bref"),
         QStringLiteral("Majuscule F6 : mode bref, le secteur visé en deux signes, chaque tir dit en clair, "
                        "sans bavardage ; encore une fois, tout comme avant.")},
        {Qt::Key_F9, Commande::DernierEchange, QStringLiteral("Dernier échange"),
         QStringLiteral("F9 : le dernier échange, notre tir et la réponse de l'ennemi.")},
        {Qt::SHIFT | Qt::Key_F9, Commande::Blesses, QStringLiteral("Navires ennemis touchés"),
         QStringLiteral("Majuscule F9 : les navires ennemis touchés et pas encore coulés, avec leurs "
                        "secteurs.")},
        {Qt::Key_F10, Commande::Viseur, QStringLiteral("Où est le viseur"),
         QStringLiteral("F10 : où est le viseur, sans le bouger.")},
        {Qt::SHIFT | Qt::Key_F4, Commande::QuestionNotreMer, QStringLiteral("Un secteur de notre flotte"),
         QStringLiteral("Majuscule F4, puis une lettre et un nombre : ce que tient ce secteur de notre "
                        "flotte.")},
        {Qt::ALT | Qt::Key_Right, Commande::SautInexplore, QStringLiteral("Secteur inexploré suivant"),
         QStringLiteral("Alt flèche droite : le viseur au prochain secteur jamais visé.")},
        {Qt::ALT | Qt::Key_Left, Commande::SautBlesse, QStringLiteral("Près d'un navire touché"),
         QStringLiteral("Alt flèche gauche : le viseur au prochain secteur jamais visé, à côté "
                        "d'un navire touché qui flotte encore.")},
        {Qt::Key_F11, Commande::Pause, QStringLiteral("Pause"),
         QStringLiteral("F11 ou la touche Pause : le combat s'arrête, et reprend où il en était."),
         Qt::Key_Pause},
        {Qt::ALT | Qt::Key_PageUp, Commande::Rapports, QStringLiteral("Rapport de tir précédent"),
         QStringLiteral("Alt page précédente : le rapport de tir d'avant, le nôtre ou celui de "
                        "l'ennemi, sans les secteurs ni les bavardages.")},
        {Qt::ALT | Qt::Key_PageDown, Commande::RapportsSuivant, QStringLiteral("Rapport de tir suivant"),
         QStringLiteral("Alt page suivante : le rapport de tir d'après.")},
        {Qt::Key_F12,
         std::nullopt,
         {},
         QStringLiteral("F12 : je parle de ma propre voix, ou par votre lecteur d'écran ; partout dans le "
                        "jeu.")},
        {{},
         std::nullopt,
         {},
         QStringLiteral(
             "Dans l'écran des voix, gauche ou droite : ma vitesse ; page précédente ou page "
             "suivante : mon volume ; majuscule haut ou majuscule bas : ma hauteur ; majuscule page "
             "précédente ou majuscule page suivante : le volume des sons ; Echap laisse tout comme "
             "avant.")},
    };
    return touches;
}

QString texteTouchesAjoutees() {
    QString texte = QStringLiteral("Voici les touches ajoutées :\r\n");
    for (const ToucheAjoutee& t : touchesAjoutees())
        texte += t.parole + QStringLiteral("\r\n");
    return texte;
}

QString texteAPropos() {
    return NOM_JEU + QLatin1Char(' ') + VERSION_JEU +
           QStringLiteral(" est un logiciel Marelis écrit pour votre plaisir par Dorvane. ") +
           // The game links espeak-ng, itself under the GPL: the game is shared on the same terms.
           QStringLiteral("Corsabord est un logiciel libre: vous pouvez le copier et le partager selon les "
                          "termes de la Licence Publique Générale GNU, version 3 ou toute version "
                          "ultérieure. ") +
           QStringLiteral(
               "Appuyez sur espace pour revenir au jeu. Bonne chance, que Neptune soit avec vous!");
}

QString cheminDuManuel(const QString& dossierDuJeu) {
    const QDir ici(dossierDuJeu);
    for (const QString& chemin : {ici.filePath(QStringLiteral("data/manuel.html")),
                                  ici.filePath(QStringLiteral("../share/corsabord/manuel.html"))}) {
        if (QFileInfo::exists(chemin))
            return QDir::cleanPath(chemin);
    }
    return QStringLiteral(CORSABORD_MANUEL);
}
