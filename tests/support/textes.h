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
