// What the lookout's summaries say, read back by tests that play by ear.
#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <utility>

// The sectors a summary lists after its words ("touché en C.4 et C.5"), as cells of the sea.
inline QList<std::pair<int, int>> secteursApres(const QString& resume, const QString& mots) {
    QList<std::pair<int, int>> cases;
    const qsizetype debut = resume.indexOf(mots + QStringLiteral(" en "));
    if (debut < 0)
        return cases;
    static const QRegularExpression secteur(QStringLiteral("^(?:, | et )?([A-L])\\.(\\d+)"));
    qsizetype i = debut + mots.size() + 4;
    for (;;) {
        const auto m = secteur.match(resume.mid(i));
        if (!m.hasMatch())
            break;
        cases.append({m.captured(1).at(0).unicode() - 'A' + 1, m.captured(2).toInt()});
        i += m.capturedLength();
    }
    return cases;
}
