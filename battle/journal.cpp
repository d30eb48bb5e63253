// The logbook of the player's games, per level, in the settings folder.
#include "battle/journal.h"

#include <QDir>

namespace {

constexpr qint64 TAILLE_MAX = 64 * 1024;
const Niveau NIVEAUX[] = {Niveau::Classique, Niveau::Tenace, Niveau::Vraisemblance};

QString cle(Niveau niveau, const char* champ) {
    return cleNiveau(niveau) + QLatin1Char('.') + QLatin1String(champ);
}

int nombre(const LignesCleValeur& lignes, const QString& cle) {
    bool ok = false;
    const int n = lignes.valeur(cle).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString pluriel(int n, const char* mot) {
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(mot) +
           (n > 1 ? QStringLiteral("s") : QString());
}

} // namespace

Journal::Journal(const QString& dossier)
    : dossier_(dossier) {
    remplacable_ = lignes_.charger(chemin(), TAILLE_MAX);
}

QString Journal::chemin() const {
    return QDir(dossier_).filePath(nomFichier());
}

Bilan Journal::bilan(Niveau niveau) const {
    Bilan b;
    b.parties = nombre(lignes_, cle(niveau, "parties"));
    b.gagnees = nombre(lignes_, cle(niveau, "gagnees"));
    b.perdues = nombre(lignes_, cle(niveau, "perdues"));
    b.tirs = nombre(lignes_, cle(niveau, "tirs"));
    b.touches = nombre(lignes_, cle(niveau, "touches"));
    b.plus_courte = nombre(lignes_, cle(niveau, "plus_courte_victoire"));
    return b;
}

EcritureSure Journal::noter(Niveau niveau, const Partie& partie) {
    if (partie.nb_tirs_joueur == 0)
        return {true, {}};
    Bilan b = bilan(niveau);
    ++b.parties;
    b.tirs += partie.nb_tirs_joueur;
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            b.touches += estMarque(partie.tirs_joueur(c, r), Marque::Touche);
    if (partie.victoire_joueur) {
        ++b.gagnees;
        if (b.plus_courte == 0 || partie.nb_tirs_joueur < b.plus_courte)
            b.plus_courte = partie.nb_tirs_joueur;
    } else if (partie.victoire_adverse) {
        ++b.perdues;
    }
    lignes_.setValeur(cle(niveau, "parties"), QString::number(b.parties));
    lignes_.setValeur(cle(niveau, "gagnees"), QString::number(b.gagnees));
    lignes_.setValeur(cle(niveau, "perdues"), QString::number(b.perdues));
    lignes_.setValeur(cle(niveau, "tirs"), QString::number(b.tirs));
    lignes_.setValeur(cle(niveau, "touches"), QString::number(b.touches));
    lignes_.setValeur(cle(niveau, "plus_courte_victoire"), QString::number(b.plus_courte));
    return enregistrer();
}

EcritureSure Journal::effacer() {
    lignes_ = LignesCleValeur{};
    return enregistrer();
}

EcritureSure Journal::enregistrer() {
    if (!remplacable_)
        return {false, QStringLiteral("le journal de bord n'a pas pu être lu, il est laissé tel quel")};
    return ecrireFichierSur(chemin(), lignes_.octets());
}

QString Journal::texte() const {
    QString texte;
    for (Niveau niveau : NIVEAUX) {
        const Bilan b = bilan(niveau);
        if (b.parties == 0)
            continue;
        texte += QStringLiteral("Niveau ") + cleNiveau(niveau) + QStringLiteral(" : ") +
                 pluriel(b.parties, "partie") + QStringLiteral(", ") + pluriel(b.gagnees, "gagnée") +
                 QStringLiteral(", ") + pluriel(b.perdues, "perdue") + QStringLiteral(", ") +
                 pluriel(b.tirs, "tir") + QStringLiteral(", ") +
                 QString::number(b.tirs ? double(b.touches) / b.tirs : 0.0, 'f', 2)
                     .replace(QLatin1Char('.'), QLatin1Char(',')) +
                 QStringLiteral(" coup au but par tir");
        if (b.plus_courte > 0)
            texte += QStringLiteral(", victoire la plus courte en ") + pluriel(b.plus_courte, "tir");
        texte += QStringLiteral(". ");
    }
    if (texte.isEmpty())
        return QStringLiteral("Le journal de bord est vide, amiral: aucune partie jouée pour l'instant.");
    return QStringLiteral("Journal de bord, amiral. ") + texte;
}
