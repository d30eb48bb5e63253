// The shots of both sides, and every text the battle composes about them.
#include "battle/tir.h"

#include "battle/ciblage.h"

namespace {
const QString& TOUCHE = nomMarque(Marque::Touche);
const QString& MANQUE = nomMarque(Marque::Manque);

QString rappelDejaVise(const QString& marque) {
    if (marque == MANQUE)
        return QStringLiteral(" Déjà visé, coup à l'eau.");
    if (marque == TOUCHE)
        return QStringLiteral(" Déjà visé, coup au but.");
    return QStringLiteral(" Espace pour tirer.");
}

QString ligneRapport(int numero, const QString& naufrage) {
    return QStringLiteral("Tir numéro ") + QString::number(numero) + QStringLiteral(": ") + naufrage;
}

QString rapport(const QStringList& memo, int tirs, const QString& rienDeCoule, const QString& rienTire) {
    if (tirs == 0)
        return rienTire;
    if (memo.size() == 1)
        return rienDeCoule;
    QString texte;
    for (const QString& ligne : memo)
        texte += ligne + QLatin1Char('\n');
    return texte;
}

bool surLaMer(int colonne, int ligne) {
    return colonne >= 1 && colonne <= TAILLE_MER && ligne >= 1 && ligne <= TAILLE_MER;
}
} // namespace

QString secteurBref(int colonne, int ligne) {
    return QString(lettreColonne(colonne)) + QString::number(ligne);
}

QString etatBref(const CoupJoue& coup, bool notreNavire) {
    if (coup.marque == MANQUE)
        return QStringLiteral("à l'eau");
    for (int i = 0; i < int(CLASSES_NAVIRES.size()); ++i)
        if (!coup.coule.isEmpty() && coup.coule == QLatin1String(CLASSES_NAVIRES[size_t(i)].image)) {
            const QString navire = leNavire(i);
            return QStringLiteral("coulé, ") +
                   (notreNavire ? QStringLiteral("notre ") + navire.section(QLatin1Char(' '), 1) : navire);
        }
    return QStringLiteral("touché");
}

QString annonceBreve(const Grille& tirs, int colonne, int ligne) {
    const QString& marque = tirs(colonne, ligne);
    const QString secteur = secteurBref(colonne, ligne);
    if (marque == MANQUE)
        return secteur + QStringLiteral(", déjà à l'eau.");
    if (marque == TOUCHE)
        return secteur + QStringLiteral(", déjà touché.");
    return secteur;
}

QString resultatBref(const CoupJoue& coup) {
    return secteurBref(coup.secteur.colonne, coup.secteur.ligne) + QStringLiteral(" : ") +
           etatBref(coup, false) + QLatin1Char('.');
}

QString rapportEnnemiBref(const CoupJoue& coup) {
    const QString secteur = secteurBref(coup.secteur.colonne, coup.secteur.ligne);
    if (coup.marque == MANQUE)
        return QStringLiteral("Impact en ") + secteur + QLatin1Char('.');
    const QString etat = etatBref(coup, true);
    return QStringLiteral("Touché en ") + secteur +
           (etat == QStringLiteral("touché") ? QString() : QStringLiteral(" : ") + etat) + QLatin1Char('.');
}

QString annonceSecteur(const Grille& tirs, int colonne, int ligne) {
    return QStringLiteral("Secteur : ") + nomSecteur(colonne, ligne) + rappelDejaVise(tirs(colonne, ligne));
}

ResultatTir feu(Partie& partie, Hasard& hasard, Commentaires& com, int colonne, int ligne) {
    ResultatTir r;
    r.colonne = colonne;
    r.ligne = ligne;
    partie.flotte_detruite = false;
    partie.infopartie.clear();
    if (!surLaMer(colonne, ligne))
        return r;
    r.marque = partie.tirs_joueur(colonne, ligne);
    if (!r.marque.isEmpty()) {
        // Already fired at: the reminder, and the turn goes on.
        r.message = annonceSecteur(partie.tirs_joueur, colonne, ligne);
        partie.message_courant = r.message;
        return r;
    }
    r.tire = true;
    r.marque = partie.mer_adverse(colonne, ligne).isEmpty() ? MANQUE : TOUCHE;
    partie.tirs_joueur(colonne, ligne) = r.marque;
    ++partie.nb_tirs_joueur;
    const bool coule = partie.VerifieCoule(partie.mer_adverse, partie.tirs_joueur, QStringLiteral("adverse"));
    r.flotte_detruite = partie.flotte_detruite;
    RandomCom(hasard, com);
    if (r.marque == MANQUE) {
        r.intervalle = 4000;
        r.clip = QStringLiteral("WaveRate");
        r.message = com.com_rate;
    } else if (coule) {
        r.coule = true;
        r.intervalle = 6000;
        r.clip = QStringLiteral("WaveCoule");
        r.ligne_rapport = ligneRapport(partie.nb_tirs_joueur, partie.infopartie);
        partie.MemoEinfo.append(r.ligne_rapport);
        r.message = partie.infopartie + QLatin1Char(' ') + com.com_coule;
    } else {
        r.intervalle = 4000;
        r.clip = QStringLiteral("WaveBut");
        r.message = com.com_but;
    }
    if (coule)
        r.navire_coule = partie.dernier_coule;
    r.bref = resultatBref(r.coup());
    if (partie.flotte_detruite) {
        partie.infopartie = FIN_DE_LA_PARTIE;
        partie.victoire_joueur = true;
    }
    partie.message_courant = r.message;
    return r;
}

ResultatTir feuennemi(Partie& partie, Hasard& hasard, Commentaires& com, Niveau niveau) {
    ++partie.nb_tirs_adverse;
    partie.flotte_detruite = false;
    partie.infopartie.clear();
    const TirEnnemi tir = choisirEtTirer(partie, hasard, niveau);
    ResultatTir r;
    r.tire = true;
    r.colonne = tir.cible.colonne;
    r.ligne = tir.cible.ligne;
    r.marque = partie.tirs_adverse(r.colonne, r.ligne);
    r.coule = partie.VerifieCoule(partie.mer_joueur, partie.tirs_adverse, QString());
    r.flotte_detruite = partie.flotte_detruite;
    RandomCom(hasard, com);
    const QString secteur = nomSecteur(r.colonne, r.ligne);
    if (r.marque == MANQUE) {
        r.intervalle = 3500;
        r.clip = QStringLiteral("WaveERate");
        r.message = QStringLiteral("Impact en ") + secteur + com.com_erate;
    } else if (r.coule) {
        r.intervalle = 5000;
        r.clip = QStringLiteral("WaveECoule");
        r.message =
            QStringLiteral("Touché en ") + secteur + partie.infopartie + QLatin1Char(' ') + com.com_ecoule;
        r.ligne_rapport = ligneRapport(partie.nb_tirs_adverse, partie.infopartie);
        partie.MemoInfo.append(r.ligne_rapport);
    } else {
        r.intervalle = 5000;
        r.clip = QStringLiteral("WaveEBut");
        r.message = QStringLiteral("Touché en ") + secteur + com.com_ebut;
    }
    if (r.coule)
        r.navire_coule = partie.dernier_coule;
    r.bref = rapportEnnemiBref(r.coup());
    if (r.coule)
        oublierPoursuite(partie.coup_ia);
    if (partie.flotte_detruite) {
        partie.victoire_adverse = true;
        partie.infopartie = FIN_DE_LA_PARTIE;
    }
    partie.message_courant = r.message;
    return r;
}

QString rapportNosPertes(const Partie& partie) {
    return rapport(
        partie.MemoInfo, partie.nb_tirs_adverse,
        QStringLiteral("Aucune perte à déplorer pour l'instant, amiral. Pourvu que ça dure!"),
        QStringLiteral("Aucun navire de perdu, amiral, l'ennemi n'a pas encore tiré un seul boulet!"));
}

QString rapportPertesEnnemies(const Partie& partie) {
    return rapport(partie.MemoEinfo, partie.nb_tirs_joueur,
                   QStringLiteral("Hélas, nous n'avons pas encore coulé de navire ennemi, amiral."),
                   QStringLiteral("Nous n'avons pas commencé le combat, amiral!"));
}

FinDePartie finDePartie(const Partie& partie) {
    FinDePartie fin;
    if (partie.victoire_joueur) {
        fin.message =
            QStringLiteral("Ils n'ont plus un seul navire, c'est la victoire, fiston, félicitations! ");
        fin.clip = QStringLiteral("WaveVictoire");
    }
    if (partie.victoire_adverse) {
        fin.clip = QStringLiteral("WaveDefaite");
        fin.message = QStringLiteral("C'est la fin, moussaillon, nous n'avons plus un seul navire. Sauve qui "
                                     "peut! L'ennemi nous a vaincu. ");
    }
    fin.message += QStringLiteral("Control \"N\" pour replacer nos navires, control \"Q\" pour quitter. ");
    return fin;
}
