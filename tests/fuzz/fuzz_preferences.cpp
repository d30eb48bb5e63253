// Fuzzer of the lines cle=valeur of Corsabord.ini and Journal.ini: any bytes as the file, then, after a NUL
// byte, a "cle=valeur" the game sets. Every line is kept whatever ends it, none holds a break, the lines
// written back read the same, and a value set reads back as set with every other line untouched.
#include "base/preferences.h"
#include "base/reglages.h"

#include <cstdlib>

namespace {
void verifier(bool vrai) {
    if (!vrai)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray entree(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const qsizetype nul = entree.indexOf('\0');
    const QByteArray contenu = nul < 0 ? entree : entree.left(nul);
    LignesCleValeur lignes;
    lignes.lire(contenu);
    const QByteArray octets = lignes.octets();
    const QList<QByteArray> avant = decouperOctets(contenu);
    QByteArray attendus;
    for (const QByteArray& ligne : avant) {
        verifier(!ligne.contains('\r') && !ligne.contains('\n'));
        attendus += ligne + '\n';
    }
    verifier(octets == attendus);
    LignesCleValeur relues;
    relues.lire(octets);
    verifier(relues.octets() == octets);
    if (nul < 0)
        return 0;

    const QByteArray reglage = entree.mid(nul + 1);
    const qsizetype egal = reglage.indexOf('=');
    const QString cle = QString::fromUtf8(reglage.left(egal < 0 ? reglage.size() : egal));
    const QString valeur = egal < 0 ? QString() : QString::fromUtf8(reglage.mid(egal + 1));
    // the game's keys: words without blanks around them, breaks or '='
    if (cle.isEmpty() || cle != cle.trimmed() || cle.contains(QLatin1Char('\r')) ||
        cle.contains(QLatin1Char('\n')) || cle.contains(QLatin1Char('=')))
        return 0;
    const bool deja = lignes.contient(cle);
    lignes.setValeur(cle, valeur);
    QString lu = valeur;
    lu.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    verifier(lignes.contient(cle) && lignes.valeur(cle) == lu.trimmed());
    const QList<QByteArray> apres = decouperOctets(lignes.octets());
    verifier(apres.size() == avant.size() + (deja ? 0 : 1));
    qsizetype changees = 0;
    for (qsizetype i = 0; i < avant.size(); ++i)
        changees += apres[i] != avant[i];
    verifier(changees <= 1 && (deja || changees == 0));
    relues.lire(lignes.octets());
    verifier(relues.valeur(cle) == lu.trimmed());
    return 0;
}
