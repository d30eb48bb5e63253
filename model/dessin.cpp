// What a board shows.
#include "model/dessin.h"

void ajouterFlotte(QList<Dessin>& dessins, const Grille& plan) {
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            for (const QString& nom : noms_navires)
                if (plan(c, r) == nom)
                    dessins.append({nom, c, r});
}

void ajouterMarques(QList<Dessin>& dessins, const Grille& tirs) {
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (!tirs(c, r).isEmpty())
                dessins.append({tirs(c, r), c, r});
}
