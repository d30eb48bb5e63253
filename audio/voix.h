// The narrator's French voices: their readable names and the stable identifiers kept in Config.txt.
#pragma once

#include <QList>
#include <QString>

struct VoixFrancaise {
    QString nom;         // the speech engine's name: "fr", "fr-be", "fr+f3", "fr-ch+m2", ...
    QString libelle;     // what the voice screen shows: "Français (France), voix féminine 3"
    QString identifiant; // a GUID without braces, the same from one run to the next
};

// A voice variant shipped with the speech engine: its file name ("f3", "m2", "Alex") and its own name.
struct VarianteVoix {
    QString fichier;
    QString nom;
};

// The identifier of the settings' default, accepted for the plain French voice "fr".
inline const QString MODE_VOIX_DEFAUT = QStringLiteral("0879a4e0-a92c-11d1-B17B-0020AFED142E");
inline const QString VOIX_DEFAUT = QStringLiteral("fr");

// A name-based identifier of an engine voice name.
QString identifiantVoix(const QString& nom);

// Every French language among langues ("fr", "fr-be", "fr-ch"), plain and then with each variant;
// languages that are not French are left out.
QList<VoixFrancaise> voixFrancaises(const QStringList& langues, const QList<VarianteVoix>& variantes);

// The engine name of the voice that a mode identifier selects, with or without braces, letters in
// any case; empty when no voice has it. The default identifier selects "fr" when the list has it.
QString voixDuMode(const QList<VoixFrancaise>& voix, const QString& mode);
