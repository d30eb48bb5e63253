// What the two battle boards show.
#include "battle/dessin_bataille.h"

QList<Dessin> dessinPortJoueur(const Partie& partie) {
    QList<Dessin> dessins{{QStringLiteral("EAU"), 0, 0}};
    ajouterFlotte(dessins, partie.plan_joueur);
    ajouterMarques(dessins, partie.tirs_adverse);
    return dessins;
}

QList<Dessin> dessinPortAdverse(const Partie& partie) {
    QList<Dessin> dessins{{QStringLiteral("EAU"), 0, 0}};
    // The enemy's ships stay hidden until one fleet is gone.
    if (partie.flotte_detruite)
        ajouterFlotte(dessins, partie.plan_adverse);
    ajouterMarques(dessins, partie.tirs_joueur);
    const t_viseur& v = partie.viseur;
    if (v.colonne >= 1 && v.colonne <= TAILLE_MER && v.ligne >= 1 && v.ligne <= TAILLE_MER) {
        // The cursor over a marked sector shows its mark: "CURSEUR_TIRE_TOUCHE", "CURSEUR_TIRE_MANQUE".
        const std::optional<Marque> marque = marqueDe(partie.tirs_joueur(v.colonne, v.ligne));
        const QString curseur =
            QStringLiteral("CURSEUR_TIRE") + (marque ? QLatin1Char('_') + nomMarque(*marque) : QString());
        dessins.append({curseur, v.colonne, v.ligne});
    }
    return dessins;
}
