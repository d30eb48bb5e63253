// The logbook of the player's games, per level, in the settings folder.
#include "battle/journal.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

namespace {

constexpr qint64 TAILLE_MAX = 64 * 1024;
const Niveau NIVEAUX[] = {Niveau::Classique, Niveau::Tenace, Niveau::Vraisemblance};

// What the file calls each count, "classique.gagnees", and where Bilan holds it.
const char* const CHAMPS[] = {"parties", "gagnees", "perdues", "tirs", "touches", "plus_courte_victoire"};
int Bilan::*const COMPTES[] = {&Bilan::parties, &Bilan::gagnees, &Bilan::perdues,
                               &Bilan::tirs,    &Bilan::touches, &Bilan::plus_courte};
constexpr size_t NB_CHAMPS = std::size(CHAMPS);

// The level's rank in NIVEAUX.
size_t rang(Niveau niveau) {
    return size_t(std::find(std::begin(NIVEAUX), std::end(NIVEAUX), niveau) - std::begin(NIVEAUX));
}

// Every level's counts, in one pass over the lines; the first line of a count is the one that holds.
// A count the file spoils (negative, beyond the largest, not a number) counts for nothing, as a missing
// one does; the next game writes it afresh and every other line stays.
std::array<Bilan, std::size(NIVEAUX)> bilans(const LignesCleValeur& lignes) {
    static const auto prefixes = [] {
        std::array<QByteArray, std::size(NIVEAUX)> p;
        for (Niveau n : NIVEAUX)
            p[rang(n)] = cleNiveau(n).toUtf8() + '.';
        return p;
    }();
    std::array<Bilan, std::size(NIVEAUX)> b{};
    bool lus[std::size(NIVEAUX)][NB_CHAMPS] = {};
    lignes.parcourir([&](QByteArrayView cle, QByteArrayView valeur) {
        for (size_t n = 0; n < prefixes.size(); ++n) {
            if (!cle.startsWith(prefixes[n]))
                continue;
            const QByteArrayView champ = cle.sliced(prefixes[n].size());
            for (size_t i = 0; i < NB_CHAMPS; ++i) {
                if (lus[n][i] || champ != CHAMPS[i])
                    continue;
                lus[n][i] = true;
                bool ok = false;
                const int compte = valeur.toInt(&ok);
                b[n].*COMPTES[i] = ok && compte > 0 ? compte : 0;
            }
        }
    });
    return b;
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
    return bilans(lignes)[rang(niveau)];
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
    for (size_t i = 0; i < NB_CHAMPS; ++i)
        lignes.setValeur(cleNiveau(niveau) + QLatin1Char('.') + QLatin1String(CHAMPS[i]),
                         QString::number(b.*COMPTES[i]));
}

QString texteDuJournal(const LignesCleValeur& lignes) {
    QString texte;
    const auto parNiveau = bilans(lignes);
    for (Niveau niveau : NIVEAUX) {
        const Bilan& b = parNiveau[rang(niveau)];
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
    return lignes_.enregistrer(
        chemin(), remplacable_,
        QStringLiteral("le journal de bord n'a pas pu être lu, il est laissé tel quel"),
        QStringLiteral("Corsabord : le journal de bord n'a pas pu être enregistré dans %1 : %2."));
}

QString Journal::texte() const {
    return texteDuJournal(lignes_);
}
