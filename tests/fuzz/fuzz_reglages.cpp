// Fuzzer of the settings reader: any bytes as Config.txt. Start-up reads exactly the lines the bytes hold,
// and lines written back read the same.
#include "base/reglages.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
QTemporaryDir* dossier = nullptr; // one folder for the whole run, removed with the process's files
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    dossier = new QTemporaryDir;
    return dossier->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray contenu(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const QStringList lignes = decouperLignes(contenu);
    for (const QString& ligne : lignes)
        if (ligne.contains(QLatin1Char('\r')) || ligne.contains(QLatin1Char('\n')))
            std::abort();
    if (decouperLignes(assemblerLignes(lignes)) != lignes)
        std::abort();

    QFile fichier(dossier->filePath(QStringLiteral("Config.Txt")));
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    fichier.write(contenu);
    fichier.close();
    const QStringList attendues = contenu.size() > FichierReglages::TAILLE_MAX ? reglagesParDefaut() : lignes;
    if (FichierReglages(dossier->path()).charger() != attendues)
        std::abort();
    return 0;
}
