// Fuzzer of the logbook: any bytes as Journal.ini, then the game logged (its level, the player's shots and
// hits, who won) from the last bytes. Every count reads 0 or more, the game adds to its level's counts and
// stays at the largest count rather than wrap round, and every other line and level stays as it was.
#include "battle/journal.h"
#include "base/reglages.h"
#include "model/marque.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {
void verifier(bool vrai) {
    if (!vrai)
        std::abort();
}

int ajoute(int compte, int n) {
    return qint64(compte) + n > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                                : compte + n;
}

bool positif(const Bilan& b) {
    return b.parties >= 0 && b.gagnees >= 0 && b.perdues >= 0 && b.tirs >= 0 && b.touches >= 0 &&
           b.plus_courte >= 0;
}

QByteArray cleDe(const QByteArray& ligne) {
    const qsizetype egal = ligne.indexOf('=');
    return egal < 0 ? QByteArray() : ligne.left(egal).trimmed();
}

const Niveau NIVEAUX[] = {Niveau::Classique, Niveau::Tenace, Niveau::Vraisemblance};
constexpr size_t PARTIE = 7; // level, outcome, hits, and four bytes of shots
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const size_t fichier = taille < PARTIE ? taille : taille - PARTIE;
    const QByteArray contenu(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(fichier));
    LignesCleValeur lignes;
    lignes.lire(contenu);
    Bilan avant[3];
    for (int n = 0; n < 3; ++n) {
        avant[n] = bilanDe(lignes, NIVEAUX[n]);
        verifier(positif(avant[n]));
    }
    verifier(!texteDuJournal(lignes).isEmpty());
    if (taille < PARTIE)
        return 0;

    const uint8_t* jeu = donnees + fichier;
    const int n = jeu[0] % 3;
    static Partie partie = [] {
        Partie p;
        p.Initialise();
        return p;
    }();
    partie.victoire_joueur = jeu[1] % 3 == 1;
    partie.victoire_adverse = jeu[1] % 3 == 2;
    const int touches = jeu[2] % (TAILLE_MER * TAILLE_MER + 1);
    for (int i = 0; i < TAILLE_MER * TAILLE_MER; ++i)
        partie.tirs_joueur(i % TAILLE_MER + 1, i / TAILLE_MER + 1) =
            nomMarque(i < touches ? Marque::Touche : Marque::Manque);
    std::uint32_t tirs = 0;
    std::memcpy(&tirs, jeu + 3, sizeof tirs);
    partie.nb_tirs_joueur = int(tirs % std::uint32_t(std::numeric_limits<int>::max())) + 1;

    const QList<QByteArray> lignesAvant = decouperOctets(contenu);
    noterDans(lignes, NIVEAUX[n], partie);
    const Bilan a = avant[n];
    const Bilan b = bilanDe(lignes, NIVEAUX[n]);
    const int courte = partie.victoire_joueur && (a.plus_courte == 0 || partie.nb_tirs_joueur < a.plus_courte)
                           ? partie.nb_tirs_joueur
                           : a.plus_courte;
    verifier(b == (Bilan{ajoute(a.parties, 1), ajoute(a.gagnees, partie.victoire_joueur),
                         ajoute(a.perdues, partie.victoire_adverse), ajoute(a.tirs, partie.nb_tirs_joueur),
                         ajoute(a.touches, touches), courte}));
    for (int autre = 0; autre < 3; ++autre)
        verifier(autre == n || bilanDe(lignes, NIVEAUX[autre]) == avant[autre]);
    // the level's six counts are rewritten or added; no other line moves or changes
    const QByteArray prefixe = cleNiveau(NIVEAUX[n]).toUtf8() + '.';
    const QList<QByteArray> lignesApres = decouperOctets(lignes.octets());
    verifier(lignesApres.size() >= lignesAvant.size() && lignesApres.size() <= lignesAvant.size() + 6);
    for (qsizetype i = 0; i < lignesAvant.size(); ++i)
        verifier(lignesApres[i] == lignesAvant[i] || cleDe(lignesAvant[i]).startsWith(prefixe));
    return 0;
}
