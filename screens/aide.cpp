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
        {Qt::Key_F12,
         std::nullopt,
         {},
         QStringLiteral("F12 : je parle de ma propre voix, ou par votre lecteur d'écran ; partout dans le "
                        "jeu.")},
        {{},
         std::nullopt,
         {},
         QStringLiteral("Dans l'écran des voix, gauche ou droite : ma vitesse ; page précédente ou page "
                        "suivante : mon volume ; Echap laisse tout comme avant.")},
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
