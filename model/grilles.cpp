// The sea grids, the fleet, the battle state and the sinking check.
#include "model/grilles.h"

const std::array<QString, 10> noms_navires = [] {
    std::array<QString, 10> noms;
    for (int i = 0; i < int(CLASSES_NAVIRES.size()); ++i) {
        noms[2 * i] = QLatin1String(CLASSES_NAVIRES[i].image) + QLatin1Char('H');
        noms[2 * i + 1] = QLatin1String(CLASSES_NAVIRES[i].image) + QLatin1Char('V');
    }
    return noms;
}();

QString nomNavire(int classe) {
    return QLatin1String(CLASSES_NAVIRES[classe].image) + QLatin1Char('H');
}

QString nombreDeNavires(int classe, int nombre) {
    const ClasseNavire& c = CLASSES_NAVIRES[static_cast<size_t>(classe)];
    static const std::array<QString, 4> nombres = {QString(), QString(), QStringLiteral("deux"),
                                                   QStringLiteral("trois")};
    if (nombre == 1)
        return (c.feminin ? QStringLiteral("une ") : QStringLiteral("un ")) + QString::fromUtf8(c.mots);
    const QString combien = nombre < 4 ? nombres[static_cast<size_t>(nombre)] : QString::number(nombre);
    return combien + QLatin1Char(' ') + QString::fromUtf8(c.pluriel);
}

QString leNavire(int classe) {
    const ClasseNavire& c = CLASSES_NAVIRES[static_cast<size_t>(classe)];
    return (c.feminin ? QStringLiteral("la ") : QStringLiteral("le ")) + QString::fromUtf8(c.mots);
}

QString imagePoste(int classe, const char* suffixe) {
    return QLatin1String(CLASSES_NAVIRES[classe].poste) + QLatin1String(suffixe);
}

void Grille::vider() {
    for (auto& colonne : cases_)
        for (auto& cellule : colonne)
            cellule.clear();
}

bool Grille::vide() const {
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            if (!cases_[c][r].isEmpty())
                return false;
    return true;
}

bool estNomNavire(const QString& cellule) {
    for (const QString& nom : noms_navires)
        if (cellule == nom)
            return true;
    return false;
}

QString racine(const QString& nom) {
    return nom.left(nom.size() - 1);
}

ClassesNavires classesDeBase() {
    ClassesNavires classes;
    for (int i = 0; i < int(CLASSES_NAVIRES.size()); ++i)
        classes[i] = {CLASSES_NAVIRES[i].nombre, CLASSES_NAVIRES[i].longueur, nomNavire(i)};
    return classes;
}

QChar lettreColonne(int colonne) {
    return QChar(64 + colonne);
}

QString nomSecteur(int colonne, int ligne) {
    return QString(lettreColonne(colonne)) + QLatin1Char('.') + QString::number(ligne) + QStringLiteral(". ");
}

void Partie::Initialise() {
    nb_tirs_joueur = 0;
    nb_tirs_adverse = 0;
    MemoInfo = QStringList{ENTETE_NOS_PERTES};
    MemoEinfo = QStringList{ENTETE_PERTES_ENNEMIES};
    victoire_joueur = false;
    victoire_adverse = false;
    // The targeting memory forgets its pursuit but keeps its last coordinates.
    coup_ia.poursuite = false;
    coup_ia.suite = false;
    coup_ia.retour = false;
    coup_ia.essai_droite = false;
    coup_ia.essai_haut = false;
    coup_ia.essai_bas = false;
    coup_ia.essai_gauche = false;
    coup_ia.sens.clear();
    coup_ia.ecart = 1;
    viseur = t_viseur{};
    flotte_detruite = false;
    tirs_joueur.vider();
    tirs_adverse.vider();
}

void Partie::copierPlans() {
    mer_joueur = plan_joueur;
    mer_adverse = plan_adverse;
}

int Partie::longueurDe(const QString& nom) const {
    const QString souche = racine(nom);
    for (const t_def_bateau& classe : classes_navires)
        if (racine(classe.nom) == souche)
            return classe.longueur;
    return 0;
}

bool Partie::VerifieCoule(Grille& mer, const Grille& tirs, const QString& cote) {
    bool coule = false;
    for (int c = 1; c <= TAILLE_MER; ++c) {
        for (int r = 1; r <= TAILLE_MER; ++r) {
            const QString nom = mer(c, r);
            if (!estMarque(tirs(c, r), Marque::Touche) || !estNomNavire(nom))
                continue;
            const int longueur = longueurDe(nom);
            const bool horizontal = nom.endsWith(QLatin1Char('H'));
            bool toutTouche = true;
            for (int i = 0; i < longueur && toutTouche; ++i) {
                const int cc = horizontal ? c + i : c;
                const int rr = horizontal ? r : r + i;
                toutTouche = cc <= TAILLE_MER && rr <= TAILLE_MER && estMarque(tirs(cc, rr), Marque::Touche);
            }
            if (toutTouche) {
                mer(c, r).clear();
                dernier_coule = racine(nom);
                infopartie = dernier_coule + QLatin1Char(' ') + cote + QStringLiteral(" hors de combat. ");
                coule = true;
            }
        }
    }
    flotte_detruite = true;
    for (int c = 1; c <= TAILLE_MER && flotte_detruite; ++c)
        for (int r = 1; r <= TAILLE_MER && flotte_detruite; ++r)
            if (estNomNavire(mer(c, r)))
                flotte_detruite = false;
    return coule;
}

QString motsDeCase(const QString& cellule) {
    if (cellule.isEmpty())
        return QStringLiteral("eau");
    if (const std::optional<Marque> marque = marqueDe(cellule))
        return *marque == Marque::Touche ? QStringLiteral("touché") : QStringLiteral("manqué");
    const QString souche = estNomNavire(cellule) ? racine(cellule) : cellule;
    for (const ClasseNavire& classe : CLASSES_NAVIRES)
        if (souche == QLatin1String(classe.image))
            return QString::fromUtf8(classe.mots);
    return cellule.toLower();
}
