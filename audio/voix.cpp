// The narrator's French voices: readable names and name-based identifiers.
#include "audio/voix.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUuid>

namespace {

// Our own namespace for the voice identifiers; never change it, Config.txt files keep its results.
const QUuid ESPACE_VOIX(QStringLiteral("{f3d13ab1-7961-4331-9df6-5db3b08dcbd6}"));

QString pays(const QString& langue) {
    const QString l = langue.toLower();
    if (l == QLatin1String("fr") || l == QLatin1String("fr-fr"))
        return QStringLiteral("Français (France)");
    if (l == QLatin1String("fr-be"))
        return QStringLiteral("Français (Belgique)");
    if (l == QLatin1String("fr-ch"))
        return QStringLiteral("Français (Suisse)");
    if (l == QLatin1String("fr-ca"))
        return QStringLiteral("Français (Canada)");
    return QString();
}

QString libelleVariante(const VarianteVoix& v) {
    static const QRegularExpression numerotee(QStringLiteral("^([fm])(\\d+)$"));
    const QRegularExpressionMatch m = numerotee.match(v.fichier);
    if (m.hasMatch())
        return (m.captured(1) == QLatin1String("f") ? QStringLiteral("voix féminine ")
                                                    : QStringLiteral("voix masculine ")) +
               m.captured(2);
    const QString nom = v.nom.trimmed().isEmpty() ? v.fichier : v.nom.trimmed();
    return QStringLiteral("variante ") + nom;
}

} // namespace

QString identifiantVoix(const QString& nom) {
    return QUuid::createUuidV5(ESPACE_VOIX, nom).toString(QUuid::WithoutBraces);
}

QList<VoixFrancaise> voixFrancaises(const QStringList& langues, const QList<VarianteVoix>& variantes) {
    QList<VoixFrancaise> liste;
    for (const QString& langue : langues) {
        const QString lieu = pays(langue);
        if (lieu.isEmpty())
            continue;
        const QString base = langue.toLower();
        liste.append({base, lieu, identifiantVoix(base)});
        for (const VarianteVoix& v : variantes) {
            const QString nom = base + QLatin1Char('+') + v.fichier;
            liste.append({nom, lieu + QStringLiteral(", ") + libelleVariante(v), identifiantVoix(nom)});
        }
    }
    return liste;
}

QString voixDuMode(const QList<VoixFrancaise>& voix, const QString& mode) {
    QString id = mode.trimmed();
    if (id.startsWith(QLatin1Char('{')) && id.endsWith(QLatin1Char('}')) && id.size() >= 2)
        id = id.mid(1, id.size() - 2);
    if (id.isEmpty())
        return QString();
    if (id.compare(MODE_VOIX_DEFAUT, Qt::CaseInsensitive) == 0) {
        for (const VoixFrancaise& v : voix)
            if (v.nom == VOIX_DEFAUT)
                return v.nom;
        return QString();
    }
    for (const VoixFrancaise& v : voix)
        if (v.identifiant.compare(id, Qt::CaseInsensitive) == 0)
            return v.nom;
    return QString();
}
