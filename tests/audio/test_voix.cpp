// The French voices: their readable names and the identifiers kept in Config.txt.
#include "audio/voix.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

QList<VoixFrancaise> liste() {
    return voixFrancaises(
        {QStringLiteral("fr"), QStringLiteral("fr-be"), QStringLiteral("fr-ch"), QStringLiteral("de")},
        {{QStringLiteral("f3"), QStringLiteral("female3")},
         {QStringLiteral("m2"), QStringLiteral("male2")},
         {QStringLiteral("Mr serious"), QStringLiteral("Mr serious")}});
}

const VoixFrancaise* trouver(const QList<VoixFrancaise>& l, const QString& nom) {
    for (const VoixFrancaise& v : l)
        if (v.nom == nom)
            return &v;
    return nullptr;
}

TEST(VoixFrancaises, ChaqueLangueSimpleEtAvecSesVariantes) {
    const QList<VoixFrancaise> l = liste();
    ASSERT_EQ(l.size(), 12); // three French languages, each plain and with three variants; German left out
    EXPECT_EQ(l.first().nom, QStringLiteral("fr"));
    EXPECT_EQ(l.first().libelle, QStringLiteral("Français (France)"));
    ASSERT_TRUE(trouver(l, QStringLiteral("fr+f3")));
    EXPECT_EQ(trouver(l, QStringLiteral("fr+f3"))->libelle,
              QStringLiteral("Français (France), voix féminine 3"));
    EXPECT_EQ(trouver(l, QStringLiteral("fr-be+m2"))->libelle,
              QStringLiteral("Français (Belgique), voix masculine 2"));
    EXPECT_EQ(trouver(l, QStringLiteral("fr-ch+Mr serious"))->libelle,
              QStringLiteral("Français (Suisse), variante Mr serious"));
    EXPECT_EQ(trouver(l, QStringLiteral("de")), nullptr);
    QSet<QString> ids;
    for (const VoixFrancaise& v : l)
        ids.insert(v.identifiant.toLower());
    EXPECT_EQ(ids.size(), l.size());
}

TEST(VoixFrancaises, IdentifiantsStablesEtSansAccolades) {
    // name-based: the same on every machine and every run (the value a settings file keeps)
    EXPECT_EQ(identifiantVoix(QStringLiteral("fr")), QStringLiteral("e1cd8d1f-fc30-5025-a01c-efde6946f552"));
    EXPECT_EQ(identifiantVoix(QStringLiteral("fr+f3")),
              QStringLiteral("6415766e-9938-5716-be41-90a3ebe8b1bf"));
    EXPECT_EQ(trouver(liste(), QStringLiteral("fr-be"))->identifiant,
              identifiantVoix(QStringLiteral("fr-be")));
}

TEST(VoixDuMode, AccoladesEtCasseIndifferentes) {
    const QList<VoixFrancaise> l = liste();
    const QString f3 = identifiantVoix(QStringLiteral("fr+f3"));
    EXPECT_EQ(voixDuMode(l, QLatin1Char('{') + f3 + QLatin1Char('}')), QStringLiteral("fr+f3"));
    EXPECT_EQ(voixDuMode(l, f3.toUpper()), QStringLiteral("fr+f3"));
    EXPECT_EQ(voixDuMode(l, QStringLiteral("{") + identifiantVoix(QStringLiteral("fr-ch+m2")) +
                                QStringLiteral("}")),
              QStringLiteral("fr-ch+m2"));
}

TEST(VoixDuMode, LeModeParDefautDonneLaVoixDeFrance) {
    const QList<VoixFrancaise> l = liste();
    EXPECT_EQ(voixDuMode(l, QStringLiteral("{0879a4e0-a92c-11d1-B17B-0020AFED142E}")), QStringLiteral("fr"));
    EXPECT_EQ(voixDuMode(l, QStringLiteral("{0879A4E0-A92C-11D1-b17b-0020afed142e}")), QStringLiteral("fr"));
    // no French voice at all: even the default cannot be honoured
    EXPECT_EQ(voixDuMode({}, QStringLiteral("{0879a4e0-a92c-11d1-B17B-0020AFED142E}")), QString());
}

TEST(VoixDuMode, InconnuRefuse) {
    const QList<VoixFrancaise> l = liste();
    for (const QString& mode : {QStringLiteral("{}"), QString(), QStringLiteral("{ }"), QStringLiteral("fr"),
                                QStringLiteral("{e1cd8d1f-fc30-5025-a01c-efde6946f553}"),
                                QStringLiteral("{{e1cd8d1f-fc30-5025-a01c-efde6946f552}}")})
        EXPECT_EQ(voixDuMode(l, mode), QString()) << qPrintable(mode);
}

} // namespace
