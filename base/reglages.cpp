// The speech settings file Config.txt.
#include "base/reglages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList reglagesParDefaut() {
    return {
        QStringLiteral("MemoConfig"),    QStringLiteral("0879a4e0-a92c-11d1-B17B-0020AFED142E"),
        QStringLiteral("\\spd=156\\"),   QStringLiteral("\\pit=159\\"),
        QStringLiteral("\\vol=65535\\"),
    };
}

QList<QByteArray> decouperOctets(const QByteArray& contenu) {
    QList<QByteArray> lignes;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < contenu.size(); ++i) {
        const char c = contenu.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lignes << contenu.mid(debut, i - debut);
        if (c == '\r' && i + 1 < contenu.size() && contenu.at(i + 1) == '\n')
            ++i;
        debut = i + 1;
    }
    if (debut < contenu.size())
        lignes << contenu.mid(debut);
    return lignes;
}

QStringList decouperLignes(const QByteArray& contenu) {
    QStringList lignes;
    for (const QByteArray& ligne : decouperOctets(contenu))
        lignes << QString::fromLatin1(ligne);
    return lignes;
}

QByteArray assemblerLignes(const QStringList& lignes) {
    QByteArray octets;
    for (const QString& ligne : lignes)
        octets += ligne.toLatin1() + "\r\n";
    return octets;
}

QStringList reglagesAvecVoix(QStringList lignes, const QString& mode, int vitesse, int hauteur, int volume) {
    while (lignes.size() < 5)
        lignes.append(QString());
    lignes[1] = mode;
    lignes[2] = QStringLiteral("\\spd=%1\\").arg(vitesse);
    lignes[3] = QStringLiteral("\\pit=%1\\").arg(hauteur);
    lignes[4] = QStringLiteral("\\vol=%1\\").arg(volume);
    return lignes;
}

QString FichierReglages::chemin() const {
    const QDir dossier(dossier_);
    const QStringList noms =
        dossier.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QStringList trouves;
    for (const QString& nom : noms)
        if (nom.compare(NOM, Qt::CaseInsensitive) == 0)
            trouves << nom;
    if (trouves.isEmpty())
        return {};
    // Two files differing only in case: the game always takes the same one.
    trouves.sort();
    return dossier.filePath(trouves.first());
}

QStringList FichierReglages::charger(bool* remplacable) const {
    if (remplacable)
        *remplacable = true;
    QString fichier = chemin();
    if (fichier.isEmpty()) {
        if (!enregistrer(reglagesParDefaut()).reussie)
            return reglagesParDefaut(); // nothing there to keep
        fichier = chemin();
    }
    if (remplacable)
        *remplacable = false;
    const QFileInfo info(fichier);
    if (!info.isFile() || info.size() > TAILLE_MAX)
        return reglagesParDefaut();
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return reglagesParDefaut();
    const QByteArray contenu = f.read(TAILLE_MAX + 1);
    if (f.error() != QFileDevice::NoError || contenu.size() > TAILLE_MAX)
        return reglagesParDefaut();
    if (remplacable)
        *remplacable = true;
    return decouperLignes(contenu);
}

EcritureSure FichierReglages::enregistrer(const QStringList& lignes) const {
    QString fichier = chemin();
    if (fichier.isEmpty())
        fichier = QDir(dossier_).filePath(NOM);
    else if (const QFileInfo info(fichier);
             !estUnLien(fichier) && (!info.isFile() || !info.isReadable() || info.size() > TAILLE_MAX))
        return {false, QStringLiteral("le fichier n'est pas lisible comme réglages")}; // not ours to replace
    return ecrireFichierSur(fichier, assemblerLignes(lignes));
}
