// The battle's sound clips, read once from the resources and kept for the whole run.
#include "audio/clips.h"

#include <QFile>
#include <QHash>

QStringList nomsClips() {
    return {QStringLiteral("WaveRate"),      QStringLiteral("WaveBut"),
            QStringLiteral("WaveCoule"),     QStringLiteral("WaveERate"),
            QStringLiteral("WaveEBut"),      QStringLiteral("WaveECoule"),
            QStringLiteral("WaveVictoire"),  QStringLiteral("WaveDefaite"),
            QStringLiteral("WaveRien"),      QStringLiteral("WaveOeilInexplore"),
            QStringLiteral("WaveOeilEau"),   QStringLiteral("WaveOeilTouche"),
            QStringLiteral("WaveOeilCoule"), QStringLiteral("WaveOeilIntact")};
}

QByteArray clip(const QString& nom) {
    static QHash<QString, QByteArray> lus;
    const QString cle = nom.toLower();
    if (const auto deja = lus.constFind(cle); deja != lus.constEnd())
        return *deja;
    bool connu = false;
    for (const QString& n : nomsClips())
        connu = connu || n.toLower() == cle;
    if (!connu)
        return {};
    QFile fichier(QStringLiteral(":/sons/") + cle + QStringLiteral(".wav"));
    QByteArray image;
    if (fichier.open(QIODevice::ReadOnly))
        image = fichier.readAll();
    lus.insert(cle, image);
    return image;
}
