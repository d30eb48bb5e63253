// The narrator's character file: the parrot's drawing parts, its poses and its named animations.
#pragma once

#include <QHash>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

class QJsonObject;

// Where the parrot stands: numeric values (angles in degrees, "saut" in drawing units, "echelle",
// "opacite") and named states ("yeux": "ouverts" or "fermes").
struct Pose {
    QHash<QString, double> valeurs;
    QHash<QString, QString> etats;

    double valeur(const QString& nom, double defaut = 0) const { return valeurs.value(nom, defaut); }
    // Values and states of autre replace those of this pose.
    void appliquer(const Pose& autre);
    // The same values and states: the parrot looks the same.
    bool operator==(const Pose& autre) const = default;
};

struct ImageAnimation {
    int duree = 0; // ms to reach this image's pose from the one before
    Pose pose;
};

struct Animation {
    QString nom;
    QStringList noms;   // other names the game may ask it by
    bool repos = false; // played by itself when the parrot has nothing to do
    QList<ImageAnimation> images;

    int duree() const;
    // The pose t ms after the start, starting from depart: numbers move in a straight line towards
    // each image's values, states change at the start of the image that sets them.
    Pose poseA(const Pose& depart, int t) const;
};

// A set of parts that turn, jump or grow together about a pivot.
struct GroupeDessin {
    QString nom;
    QString parent;
    QPointF pivot;
    QString angle, saut, echelle; // the pose values that move it
};

// One element of the drawing, by its id, drawn in the order of the file.
struct PartieDessin {
    QString element;
    QString groupe;
    QPointF pivot;
    QString angle;
    QHash<QString, QString> si; // shown only while the pose is in these states
};

class Personnage {
public:
    // Reads a character file; nullopt with a reason when it is missing, unreadable or malformed.
    static std::optional<Personnage> lire(const QString& chemin, QString* erreur = nullptr);
    static std::optional<Personnage> depuisJson(const QByteArray& json, const QString& dossier,
                                                QString* erreur = nullptr);

    const QString& nom() const { return nom_; }
    // Absolute path of the SVG drawing.
    const QString& dessin() const { return dessin_; }
    // Size on the game's 1024 by 800 design.
    QSizeF taille() const { return taille_; }
    const QList<GroupeDessin>& groupes() const { return groupes_; }
    const GroupeDessin* groupe(const QString& nom) const;
    const QList<PartieDessin>& parties() const { return parties_; }
    const Pose& poseInitiale() const { return pose_; }
    // By name or other name, letters in any case; nullptr when it has none of that name.
    const Animation* animation(const QString& nom) const;
    QStringList animationsDeRepos() const;
    // Beak opening, in degrees, at full voice, and the speech level that counts as full voice (0..1).
    double becMax() const { return bec_max_; }
    double niveauPlein() const { return niveau_plein_; }

private:
    // The parts of a character file, each read into this character: why it is refused, empty when not.
    QString lireGroupes(const QJsonObject& o);
    QString lireParties(const QJsonObject& o);
    QString lireAnimations(const QJsonObject& o);

    QString nom_, dessin_;
    QSizeF taille_;
    QList<GroupeDessin> groupes_;
    QList<PartieDessin> parties_;
    Pose pose_;
    QList<Animation> animations_;
    double bec_max_ = 25;
    double niveau_plein_ = 0.25;
};

// Where the character file is looked for, and what to tell the player when it cannot be read.
struct RecherchePersonnage {
    QStringList dossiers; // searched in turn, first found wins
    QString fichier = QStringLiteral("perroquet.json");

    // The character file found in the folders, or empty.
    QString chemin() const;
    // Why there is no character, for the player: the file missing or, with erreur (what was wrong with
    // it at the last load, if known), unreadable, then every folder searched.
    QString raisonAbsence(const QString& erreur) const;
};

// What a character file may ask for; a file beyond these bounds is refused like a corrupt one, so that
// no size or number from it can overflow the parrot's placement or its balloon.
namespace bornes_personnage {
inline constexpr qint64 OCTETS_MAX = 1024 * 1024; // the game's own file is a few kilobytes
inline constexpr double LARGEUR_MAX = 1024;       // the size, at most the whole design
inline constexpr double HAUTEUR_MAX = 800;
inline constexpr double NOMBRE_MAX = 10000;                // any other number: pivots, pose values, beak
inline constexpr int DUREE_IMAGE_MAX = 60000;              // ms
inline constexpr int DUREE_ANIMATION_MAX = 10 * 60 * 1000; // ms, all images of one animation
} // namespace bornes_personnage

// The animations the game plays by name; a character file without them is not usable.
inline const QStringList ANIMATIONS_REQUISES = {QStringLiteral("Show"), QStringLiteral("Greet"),
                                                QStringLiteral("Wave"), QStringLiteral("Hide")};
