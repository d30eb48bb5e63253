// The game's own words that several tests expect the narrator to say, written once.
#pragma once

#include <QString>

namespace textes {

inline const QString A_VOUS_LA_BARRE =
    QStringLiteral(" Servez vous des touches de direction pour positionner le navire sur le champ de "
                   "bataille. Control \"I\" "
                   "pour inspecter le navire. A vous la barre, amiral! ");
inline const QString PAS_CHOISI =
    QStringLiteral(" Vous n'avez pas choisi de navire, amiral. Control \"I\" pour "
                   "inspecter la flotte, control \"T\" pour placer toute la flotte. ");
inline const QString MOUILLAGE_IMPOSSIBLE =
    QStringLiteral("Mouillage impossible dans cette position, amiral!");
inline const QString ANCRE =
    QStringLiteral("Le navire est ancré, amiral, choisissez maintenant un autre navire!");
inline const QString BIENVENUE = QStringLiteral(
    "Mes respects, amiral. Toute la flotte est à quai. Vous disposez de trois chaloupes, de deux galères, de "
    "deux bricks, d'une frégate, et bien sûr de votre vaisseau amiral. Vous pouvez positionner toute la "
    "flotte selon le plan classique, en ordonnant control \"T\", ou décider vous même du placement de chaque "
    "navire, en ordonnant control \"A\" pour le vaisseau amiral, control \"F\" pour la frégate, control "
    "\"B\" pour les bricks, control \"G\" pour les galères, control \"C\" pour les chaloupes. Control "
    "\"R\" me fait répéter, control \"T\" place toute la flotte. ");
inline const QString INDICE =
    QStringLiteral(" Control \"M\" pour mouiller l'ancre, control \"O\" pour orienter le navire.");
inline const QString VIREMENT =
    QStringLiteral("Virement réussi, amiral! A vos ordres pour mouiller ou changer de position!");
inline const QString VIREMENT_IMPOSSIBLE = QStringLiteral(
    "Virement impossible dans cette position, amiral, il faut trouver un meilleur emplacement!");
inline const QString TOUS_ANCRES =
    QStringLiteral("Tous les navires sont maintenant ancrés. Contol \"E\" pour engager le combat.");
inline const QString TOUS_EN_PLACE = QStringLiteral("Tous les navires sont en place, amiral. Control \"E\" "
                                                    "pour engager le combat, ou control \"P\" pour le "
                                                    "retour au port.");
inline const QString FLOTTE_EN_POSITION =
    QStringLiteral("La flotte est en position, amiral, prêt pour le combat. Control \"E\" pour engager "
                   "l'ennemi, control \"P\" pour revenir au port!");
inline const QString REFUS_ENGAGER =
    QStringLiteral("Désolé, amiral, vous n'avez pas placé tous vos navires. Vous ne pouvez pas engager le "
                   "combat dans de telles conditions! Control \"I\" pour inspecter la flotte, control \"T\" "
                   "pour placer toute la flotte. ");
inline const QString COURAGE =
    QStringLiteral("Votre courage vous honore, amiral, nous retournons au combat!");
inline const QString GREETING =
    QStringLiteral("Bonjour amiral, l'ennemi approche, mais nos navires sont encore au "
                   "port. Ordonnez control \"N\" pour placer "
                   "nos navires, control \"Q\" pour quitter. A tout moment, si vous ne "
                   "m'avez pas bien entendu, control \"R\" me "
                   "fait répéter.");
inline const QString OPENING = QStringLiteral(
    "Flotte adverse à l'horizon, amiral. Hissons le pavillon, et sus à l'ennemi! Servez-vous des touches de "
    "direction pour diriger l'artillerie! Bonne chance, je vous confie le commandement!");

// The loss reports before any shot, and before any sinking.
inline const QString NOS_PERTES_AVANT_TIR =
    QStringLiteral("Aucun navire de perdu, amiral, l'ennemi n'a pas encore tiré un seul boulet!");
inline const QString NOS_PERTES_AUCUNE =
    QStringLiteral("Aucune perte à déplorer pour l'instant, amiral. Pourvu que ça dure!");
inline const QString LEURS_PERTES_AVANT_TIR = QStringLiteral("Nous n'avons pas commencé le combat, amiral!");
inline const QString LEURS_PERTES_AUCUNE =
    QStringLiteral("Hélas, nous n'avons pas encore coulé de navire ennemi, amiral.");

} // namespace textes
