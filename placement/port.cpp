// The harbour: choosing, steering, turning and anchoring the fleet, the random layouts and the reports.
#include "placement/port.h"

namespace {

const QString DESCRIPTION_AMIRAL = QStringLiteral(
    "Equipage paré pour l'inspection du vaisseau amiral. Trois ponts, 108 canons, 600 marins, 900 fusillers, "
    "c'est le plus puissant navire de la flotte. Il faut 5 coups au but pour le mettre hors de combat.");
const QString DESCRIPTION_FREGATE = QStringLiteral(
    "Equipage de la frégate au complet, amiral. Deux ponts, 74 canons, 300 marins, 400 fusillers, c'est un "
    "navire redoutable. Il faut 4 coups au but pour le mettre hors de combat.");
const QString DESCRIPTION_BRICK =
    QStringLiteral("Bienvenue à bord du brick, amiral. Un seul pont, 28 canons, 150 marins, 100 fusillers, "
                   "c'est un coursier "
                   "infatiguable et  rapide. Il faut 3 coups au but pour le mettre hors de combat.");
const QString DESCRIPTION_GALERE = QStringLiteral(
    "Voici la galère, amiral. Très manoeuvrante, dotée d'une artillerie faible mais précise, elle embarque "
    "240 "
    "rameurs et presque autant de soldats. Il faut 3 coups au but pour la mettre hors de combat.");
const QString DESCRIPTION_CHALOUPE = QStringLiteral(
    "Chaloupe à vos ordres, amiral. Auxiliaire indispensable de la flotte, armée d'un canon et d'un "
    "vingtaine "
    "de marins, sa petite taille lui permet les coups les plus audacieux. Il faut 2 coups au but pour la "
    "mettre hors de combat.");

const QString A_VOUS_LA_BARRE = QStringLiteral(" Servez vous des touches de direction pour positionner le "
                                               "navire sur le champ de bataille. Control \"I\" "
                                               "pour inspecter le navire. A vous la barre, amiral! ");

} // namespace

// How each berth is tied to its class, its berth number and its pictures.
struct Port::DescriptionPoste {
    int classe; // in CLASSES_NAVIRES
    t_def_bateau Port::*definition;
    int Port::*numero; // nullptr for a class of one ship (the flagship, the frigate)
    int valeur;        // the berth's number within its class, 0 for a class of one ship
    QString au_port;
    QString choisi;
    QString vide;
    QString choix;
    const QString* description;
};

const std::array<Port::DescriptionPoste, NB_POSTES>& Port::descriptions() {
    // The words each berth's crew answers with when the ship is chosen, berth by berth.
    static const std::array<QString, NB_POSTES> choix = {
        QStringLiteral("Vaisseau amiral à vos ordres, paré à appareiller!"),
        QStringLiteral("Tout l'équipage de la frégate est à son poste, amiral, paré à appareiller!"),
        QStringLiteral("L'équipage du premier brick est à vos ordres, amiral, paré à appareiller!"),
        QStringLiteral("L'équipage du deuxième brick est à vos ordres, amiral, paré à appareiller!"),
        QStringLiteral("La première galère est à vos ordres, amiral, paré à appareiller!"),
        QStringLiteral("La deuxième galère est à vos ordres, amiral, paré à appareiller!"),
        QStringLiteral("La première chaloupe est à vos ordres, amiral, paré à appareiller!"),
        QStringLiteral("La deuxième chaloupe est à vos ordres, amiral, paré à appareiller!"),
        QStringLiteral("La troisième chaloupe est à vos ordres, amiral, paré à appareiller!"),
    };
    static const std::array<DescriptionPoste, NB_POSTES> table = [] {
        const std::array<t_def_bateau Port::*, 5> definitions = {
            &Port::def_amiral, &Port::def_fregate, &Port::def_brick, &Port::def_galere, &Port::def_chaloupe};
        const std::array<int Port::*, 5> numeros = {nullptr, nullptr, &Port::num_brick, &Port::num_galere,
                                                    &Port::num_chaloupe};
        const std::array<const QString*, 5> textes = {&DESCRIPTION_AMIRAL, &DESCRIPTION_FREGATE,
                                                      &DESCRIPTION_BRICK, &DESCRIPTION_GALERE,
                                                      &DESCRIPTION_CHALOUPE};
        // A berth for each ship of the fleet, class by class.
        std::array<DescriptionPoste, NB_POSTES> t;
        size_t p = 0;
        for (int i = 0; i < int(CLASSES_NAVIRES.size()); ++i) {
            const auto k = static_cast<size_t>(i);
            for (int n = 1; n <= CLASSES_NAVIRES[k].nombre; ++n, ++p)
                t[p] = {i,
                        definitions[k],
                        numeros[k],
                        numeros[k] ? n : 0,
                        nomNavire(i),
                        imagePoste(i, "_SEL"),
                        imagePoste(i, "_FLOU"),
                        choix[p],
                        textes[k]};
        }
        return t;
    }();
    return table;
}

std::array<t_def_bateau*, 5> Port::parClasse() {
    return {&def_amiral, &def_fregate, &def_brick, &def_galere, &def_chaloupe};
}

QString Port::nomPoste(int poste) {
    const DescriptionPoste& d = descriptions()[static_cast<size_t>(poste)];
    const QString mots = QString::fromUtf8(CLASSES_NAVIRES[static_cast<size_t>(d.classe)].mots);
    return mots.left(1).toUpper() + mots.mid(1) +
           (d.valeur > 0 ? QLatin1Char(' ') + QString::number(d.valeur) : QString());
}

Port::Port(Partie& partie, Hasard& hasard)
    : def_amiral(classesDeBase()[Amiral])
    , def_fregate(classesDeBase()[Fregate])
    , def_brick(classesDeBase()[Brick])
    , def_galere(classesDeBase()[Galere])
    , def_chaloupe(classesDeBase()[Chaloupe])
    , partie_(partie)
    , hasard_(hasard) {
    // A full harbour; the plans are left alone until the first reset.
    for (int i = 0; i < NB_POSTES; ++i)
        postes_[i] = {true, descriptions()[i].au_port};
}

t_def_bateau& Port::classeDe(Poste p) {
    return this->*(descriptions()[static_cast<int>(p)].definition);
}

void Port::PoserNavire(Grille& plan, const t_coord_placement_tempo& navire, bool& ok) {
    const int longueur = navire.bateau.longueur;
    const int c = navire.colonne;
    const int r = navire.ligne;
    const bool horizontal = navire.bateau.nom.endsWith(QLatin1Char('H'));
    if (c < 1 || r < 1 || c > TAILLE_MER || r > TAILLE_MER)
        return;
    if (horizontal ? c > 13 - longueur : r > 13 - longueur)
        return;
    for (int i = 0; i < longueur; ++i)
        if (!plan(horizontal ? c + i : c, horizontal ? r : r + i).isEmpty())
            return;
    const QString souche = racine(navire.bateau.nom);
    for (int i = 0; i < longueur; ++i)
        plan(horizontal ? c + i : c, horizontal ? r : r + i) = i == 0 ? navire.bateau.nom : souche;
    ok = true;
}

void Port::Pivoter(QString& nom) {
    if (nom.isEmpty())
        return;
    nom[nom.size() - 1] = nom.endsWith(QLatin1Char('H')) ? QLatin1Char('V') : QLatin1Char('H');
}

void Port::ChoisirNavire(const t_def_bateau& classe) {
    navire_choisi = true;
    placement_tempo.bateau = classe;
}

void Port::DecompterNavire(const QString& nom) {
    const QString souche = racine(nom);
    const std::array<t_def_bateau*, 5> classes = parClasse();
    for (size_t i = 0; i < classes.size(); ++i)
        if (souche == QLatin1String(CLASSES_NAVIRES[i].image))
            --classes[i]->nombre;
}

void Port::griser(Poste p) {
    etat(p).actif = false;
    afficher(p, descriptions()[static_cast<int>(p)].vide);
}

void Port::GriserPostes() {
    if (def_amiral.nombre == 0)
        griser(Poste::ImBtnavireamiral);
    if (def_fregate.nombre == 0)
        griser(Poste::ImBtfregate);
    if (def_brick.nombre <= 1) {
        if (num_brick == 1)
            griser(Poste::ImBtbrick1);
        else if (num_brick == 2)
            griser(Poste::ImBtBrick2);
    }
    if (def_galere.nombre <= 1) {
        if (num_galere == 1)
            griser(Poste::ImBtGalere1);
        else if (num_galere == 2)
            griser(Poste::ImBtGalere2);
    }
    if (num_chaloupe == 1)
        griser(Poste::ImBtChaloupe1);
    else if (num_chaloupe == 2)
        griser(Poste::ImBtchaloupe2);
    else if (num_chaloupe == 3)
        griser(Poste::ImBtchaloupe3);
}

void Port::RestaurerPostes() {
    for (int i = 0; i < NB_POSTES; ++i)
        if (postes_[i].actif)
            postes_[i].image = descriptions()[i].au_port;
}

int Port::restantAuPort() const {
    return def_amiral.nombre + def_fregate.nombre + def_brick.nombre + def_galere.nombre +
           def_chaloupe.nombre;
}

void Port::viderPort() {
    num_brick = 0;
    num_galere = 0;
    num_chaloupe = 0;
    texte_inspection.clear();
    navire_choisi = false;

    partie_.classes_navires = classesDeBase();
    def_amiral = partie_.classes_navires[Amiral];
    def_fregate = partie_.classes_navires[Fregate];
    def_brick = partie_.classes_navires[Brick];
    def_galere = partie_.classes_navires[Galere];
    def_chaloupe = partie_.classes_navires[Chaloupe];

    for (int i = 0; i < NB_POSTES; ++i)
        postes_[i] = {true, descriptions()[i].au_port};
    RestaurerPostes();

    partie_.plan_joueur.vider();
    partie_.plan_adverse.vider();
    GriserPostes();
}

QString Port::bienvenue() {
    partie_.message_courant =
        QStringLiteral(
            "Mes respects, amiral. Toute la flotte est à quai. Vous disposez de trois chaloupes, de "
            "deux galères, de deux bricks, d'une frégate, et bien sûr de votre vaisseau amiral. ") +
        QStringLiteral(
            "Vous pouvez positionner toute la flotte selon le plan classique, en ordonnant control "
            "\"T\", ou décider vous même du placement de chaque navire, ") +
        QStringLiteral(
            "en ordonnant control \"A\" pour le vaisseau amiral, control \"F\" pour la frégate, ") +
        QStringLiteral(
            "control \"B\" pour les bricks, control \"G\" pour les galères, control \"C\" pour les "
            "chaloupes. ") +
        QStringLiteral("Control \"R\" me fait répéter, control \"T\" place toute la flotte. ");
    return partie_.message_courant;
}

QString Port::BtInitialiserClick() {
    viderPort();
    return bienvenue();
}

QString Port::choisir(Poste p) {
    num_brick = 0;
    num_galere = 0;
    num_chaloupe = 0;
    if (!etat(p).actif)
        return {};
    const DescriptionPoste& d = descriptions()[static_cast<int>(p)];
    RestaurerPostes();
    afficher(p, d.choisi);
    ChoisirNavire(this->*d.definition);
    if (d.numero)
        this->*d.numero = d.valeur;
    partie_.message_courant = d.choix;
    texte_inspection = *d.description;
    return d.choix + A_VOUS_LA_BARRE;
}

QString Port::BricClick() {
    return poste(Poste::ImBtbrick1).actif ? ImBtbrick1Click() : ImBtBrick2Click();
}

QString Port::GaleresClick() {
    return poste(Poste::ImBtGalere1).actif ? ImBtgalere1Click() : ImBtgalere2Click();
}

QString Port::ChalouClick() {
    if (poste(Poste::ImBtChaloupe1).actif)
        return ImBtChaloupe1Click();
    if (poste(Poste::ImBtchaloupe2).actif)
        return ImBtchaloupe2Click();
    return ImBtchaloupe3Click();
}

QString Port::annoncerCase(int colonne, int ligne) {
    QString cellule = partie_.plan_joueur(colonne, ligne);
    if (cellule.endsWith(QLatin1Char('H')) || cellule.endsWith(QLatin1Char('V')))
        cellule = racine(cellule);
    QString& m = partie_.message_courant;
    m = nomSecteur(colonne, ligne);
    if (!cellule.isEmpty())
        m += cellule + QStringLiteral(" au mouillage. ");
    if (!texte_inspection.isEmpty() && cellule.isEmpty())
        m += QStringLiteral(" Control \"M\" pour mouiller l'ancre, control \"O\" pour orienter le navire.");
    if (restantAuPort() != 0 && texte_inspection.isEmpty() && cellule.isEmpty())
        m += QStringLiteral(
            " Vous n'avez pas choisi de navire, amiral. Control \"I\" pour inspecter la flotte, "
            "control \"T\" pour placer toute la flotte. ");
    return m;
}

bool Port::deplacer(int colonne, int ligne) {
    if (!navire_choisi || (colonne == placement_tempo.colonne && ligne == placement_tempo.ligne))
        return false;
    placement_tempo.colonne = colonne;
    placement_tempo.ligne = ligne;
    return true;
}

QString Port::ButtonVireClick() {
    partie_.message_courant = QStringLiteral(
        "Virement impossible dans cette position, amiral, il faut trouver un meilleur emplacement!");
    if (navire_choisi) {
        Pivoter(placement_tempo.bateau.nom);
        partie_.message_courant =
            QStringLiteral("Virement réussi, amiral! A vos ordres pour mouiller ou changer de position!");
    }
    return partie_.message_courant;
}

QString Port::ButtonAncreClick() {
    bool ok = false;
    partie_.message_courant = QStringLiteral("Mouillage impossible dans cette position, amiral!");
    if (!navire_choisi)
        return partie_.message_courant;
    PoserNavire(partie_.plan_joueur, placement_tempo, ok);
    if (ok) {
        DecompterNavire(placement_tempo.bateau.nom);
        retrouverNumeroDuPoste();
        GriserPostes();
        navire_choisi = false;
        partie_.message_courant =
            QStringLiteral("Le navire est ancré, amiral, choisissez maintenant un autre navire!");
        texte_inspection.clear();
        if (restantAuPort() == 0)
            partie_.message_courant = QStringLiteral(
                "Tous les navires sont maintenant ancrés. Contol \"E\" pour engager le combat.");
        // The computer answers with a ship of the same class on its own sea.
        disposer(partie_.plan_adverse);
    }
    return partie_.message_courant;
}

void Port::retrouverNumeroDuPoste() {
    // A menu command for a class with no ship left clears the berth numbers while another ship
    // stays chosen; its berth is still the one showing the chosen picture, and it is that berth
    // which must be emptied, or the anchored ship could leave its berth a second time.
    for (int i = 0; i < NB_POSTES; ++i) {
        const DescriptionPoste& d = descriptions()[i];
        if (d.numero && postes_[i].actif && postes_[i].image == d.choisi && this->*d.numero == 0)
            this->*d.numero = d.valeur;
    }
}

QString Port::InspectionClick() {
    QString& m = partie_.message_courant;
    m = texte_inspection;
    if (m.isEmpty()) {
        m = QStringLiteral("Il reste au port: ");
        const std::array<t_def_bateau*, 5> classes = parClasse();
        for (int i = 0; i < int(classes.size()); ++i) {
            const int n = classes[static_cast<size_t>(i)]->nombre;
            if (n > 0)
                m += (CLASSES_NAVIRES[static_cast<size_t>(i)].nombre == 1 ? leNavire(i)
                                                                          : nombreDeNavires(i, n)) +
                     QStringLiteral(", ");
        }
        m += QStringLiteral("à vous de les placer, amiral!");
    }
    if (restantAuPort() == 0)
        m = QStringLiteral(
            "La flotte est en position, amiral, prêt pour le combat. Control \"E\" pour engager "
            "l'ennemi, control \"P\" pour revenir au port!");
    return m;
}

Engagement Port::EngagerClick() {
    if (restantAuPort() != 0) {
        partie_.message_courant = QStringLiteral("Désolé, amiral, vous n'avez pas placé tous vos navires. "
                                                 "Vous ne pouvez pas engager le combat dans de "
                                                 "telles conditions! Control \"I\" pour inspecter la flotte, "
                                                 "control \"T\" pour placer toute la flotte. ");
        return {false, partie_.message_courant};
    }
    num_brick = 0;
    num_galere = 0;
    num_chaloupe = 0;
    return {true, {}};
}

QList<Dessin> Port::dessinPlateau() const {
    QList<Dessin> dessins{{QStringLiteral("EAU"), 0, 0}};
    ajouterFlotte(dessins, partie_.plan_joueur);
    if (navire_choisi && placement_tempo.colonne != 0 && placement_tempo.ligne != 0)
        dessins.append({placement_tempo.bateau.nom, placement_tempo.colonne, placement_tempo.ligne});
    return dessins;
}
