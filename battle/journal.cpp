// The logbook of the player's games, per level, in the settings folder.
#include "battle/journal.h"

#include "base/terminal.h"

#include <QDir>

#include <array>
#include <iterator>
#include <limits>

namespace {

constexpr qint64 TAILLE_MAX = 64 * 1024;
const Niveau NIVEAUX[] = {Niveau::Classique, Niveau::Tenace, Niveau::Vraisemblance};

// What the file calls each count, "classique.gagnees", in the order of Bilan.
const char* const CHAMPS[] = {"parties", "gagnees", "perdues", "tirs", "touches", "plus_courte_victoire"};
constexpr int NB_CHAMPS = 6;

const QByteArray& cle(Niveau niveau, int champ) {
    static const auto cles = [] {
        std::array<std::array<QByteArray, NB_CHAMPS>, std::size(NIVEAUX)> c;
        for (Niveau n : NIVEAUX)
            for (int i = 0; i < NB_CHAMPS; ++i)
                c[size_t(n)][size_t(i)] = cleNiveau(n).toUtf8() + '.' + CHAMPS[i];
        return c;
    }();
    return cles[size_t(niveau)][size_t(champ)];
}

// A count the file spoils (negative, beyond the largest, not a number) counts for nothing, as a missing
// one does; the next game writes it afresh and every other line stays.
int nombre(const LignesCleValeur& lignes, Niveau niveau, int champ) {
    bool ok = false;
    const int n = lignes.octetsDe(cle(niveau, champ)).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

// A count at its largest stays there: a lifetime of games, or a hand-edited file, never wraps it round.
int ajouter(int compte, int n) {
    return n > std::numeric_limits<int>::max() - compte ? std::numeric_limits<int>::max() : compte + n;
}

QString pluriel(int n, const char* mot) {
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(mot) +
           (n > 1 ? QStringLiteral("s") : QString());
}

} // namespace

Bilan bilanDe(const LignesCleValeur& lignes, Niveau niveau) {
    return {nombre(lignes, niveau, 0), nombre(lignes, niveau, 1), nombre(lignes, niveau, 2),
            nombre(lignes, niveau, 3), nombre(lignes, niveau, 4), nombre(lignes, niveau, 5)};
}

void noterDans(LignesCleValeur& lignes, Niveau niveau, const Partie& partie) {
    Bilan b = bilanDe(lignes, niveau);
    b.parties = ajouter(b.parties, 1);
    b.tirs = ajouter(b.tirs, partie.nb_tirs_joueur);
    for (int c = 1; c <= TAILLE_MER; ++c)
        for (int r = 1; r <= TAILLE_MER; ++r)
            b.touches = ajouter(b.touches, estMarque(partie.tirs_joueur(c, r), Marque::Touche));
    if (partie.victoire_joueur) {
        b.gagnees = ajouter(b.gagnees, 1);
        if (b.plus_courte == 0 || partie.nb_tirs_joueur < b.plus_courte)
            b.plus_courte = partie.nb_tirs_joueur;
    } else if (partie.victoire_adverse) {
        b.perdues = ajouter(b.perdues, 1);
    }
    const int comptes[NB_CHAMPS] = {b.parties, b.gagnees, b.perdues, b.tirs, b.touches, b.plus_courte};
    for (int i = 0; i < NB_CHAMPS; ++i)
        lignes.setValeur(QString::fromUtf8(cle(niveau, i)), QString::number(comptes[i]));
}

QString texteDuJournal(const LignesCleValeur& lignes) {
    QString texte;
    for (Niveau niveau : NIVEAUX) {
        const Bilan b = bilanDe(lignes, niveau);
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

Journal::Journal(const QString& dossier)
    : dossier_(dossier) {
    remplacable_ = lignes_.charger(chemin(), TAILLE_MAX);
}

QString Journal::chemin() const {
    return QDir(dossier_).filePath(nomFichier());
}

Bilan Journal::bilan(Niveau niveau) const {
    return bilanDe(lignes_, niveau);
}

EcritureSure Journal::noter(Niveau niveau, const Partie& partie) {
    if (partie.nb_tirs_joueur == 0)
        return {true, {}};
    noterDans(lignes_, niveau, partie);
    return enregistrer();
}

EcritureSure Journal::effacer() {
    lignes_ = LignesCleValeur{};
    return enregistrer();
}

EcritureSure Journal::enregistrer() {
    const EcritureSure e =
        remplacable_
            ? ecrireFichierSur(chemin(), lignes_.octets())
            : EcritureSure{false,
                           QStringLiteral("le journal de bord n'a pas pu être lu, il est laissé tel quel")};
    if (!e.reussie)
        direAuTerminal(
            QStringLiteral("Corsabord : le journal de bord n'a pas pu être enregistré dans %1 : %2.")
                .arg(QDir::toNativeSeparators(chemin()), e.raison));
    return e;
}

QString Journal::texte() const {
    return texteDuJournal(lignes_);
}
