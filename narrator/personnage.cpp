// The narrator's character file: reading, checking, and the poses of its animations.
#include "narrator/personnage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

using namespace bornes_personnage;

bool nombreSense(const QJsonValue& v) {
    return v.isDouble() && std::isfinite(v.toDouble()) && std::abs(v.toDouble()) <= NOMBRE_MAX;
}

bool lirePoint(const QJsonValue& v, QPointF* p) {
    const QJsonArray a = v.toArray();
    if (a.size() != 2 || !nombreSense(a.at(0)) || !nombreSense(a.at(1)))
        return false;
    *p = QPointF(a.at(0).toDouble(), a.at(1).toDouble());
    return true;
}

bool lirePose(const QJsonValue& v, Pose* pose) {
    if (!v.isObject())
        return false;
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (nombreSense(it.value()))
            pose->valeurs.insert(it.key(), it.value().toDouble());
        else if (it.value().isString())
            pose->etats.insert(it.key(), it.value().toString());
        else
            return false;
    }
    return true;
}

std::optional<Personnage> echec(QString* erreur, const QString& raison) {
    if (erreur)
        *erreur = raison;
    return std::nullopt;
}

} // namespace

void Pose::appliquer(const Pose& autre) {
    for (auto it = autre.valeurs.cbegin(); it != autre.valeurs.cend(); ++it)
        valeurs.insert(it.key(), it.value());
    for (auto it = autre.etats.cbegin(); it != autre.etats.cend(); ++it)
        etats.insert(it.key(), it.value());
}

int Animation::duree() const {
    int total = 0;
    for (const ImageAnimation& i : images)
        total += i.duree;
    return total;
}

Pose Animation::poseA(const Pose& depart, int t) const {
    Pose pose = depart;
    int debut = 0;
    for (const ImageAnimation& image : images) {
        const Pose avant = pose;
        for (auto it = image.pose.etats.cbegin(); it != image.pose.etats.cend(); ++it)
            pose.etats.insert(it.key(), it.value());
        if (t >= debut + image.duree) {
            for (auto it = image.pose.valeurs.cbegin(); it != image.pose.valeurs.cend(); ++it)
                pose.valeurs.insert(it.key(), it.value());
            debut += image.duree;
            continue;
        }
        if (t >= debut) {
            const double f = image.duree > 0 ? double(t - debut) / image.duree : 1.0;
            for (auto it = image.pose.valeurs.cbegin(); it != image.pose.valeurs.cend(); ++it) {
                const double a = avant.valeur(it.key(), it.value());
                pose.valeurs.insert(it.key(), a + (it.value() - a) * f);
            }
        } else {
            pose.etats = avant.etats;
        }
        break;
    }
    return pose;
}

std::optional<Personnage> Personnage::lire(const QString& chemin, QString* erreur) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return echec(erreur, QStringLiteral("illisible: ") + fichier.errorString());
    // Never read whole what cannot be a character file.
    if (fichier.size() > OCTETS_MAX)
        return echec(erreur, QStringLiteral("fichier trop grand"));
    const QByteArray json = fichier.read(OCTETS_MAX + 1);
    if (fichier.error() != QFileDevice::NoError)
        return echec(erreur, QStringLiteral("illisible: ") + fichier.errorString());
    return depuisJson(json, QFileInfo(chemin).absolutePath(), erreur);
}

std::optional<Personnage> Personnage::depuisJson(const QByteArray& json, const QString& dossier,
                                                 QString* erreur) {
    if (json.size() > OCTETS_MAX)
        return echec(erreur, QStringLiteral("fichier trop grand"));
    QJsonParseError e{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &e);
    if (e.error != QJsonParseError::NoError || !doc.isObject())
        return echec(erreur, QStringLiteral("JSON invalide: ") + e.errorString());
    const QJsonObject o = doc.object();
    Personnage p;
    p.nom_ = o.value(QLatin1String("nom")).toString();
    const QString dessin = o.value(QLatin1String("dessin")).toString();
    if (dessin.isEmpty() || QDir::isAbsolutePath(dessin) || dessin.contains(QLatin1String("..")))
        return echec(erreur, QStringLiteral("dessin manquant"));
    p.dessin_ = QDir(dossier).filePath(dessin);
    if (!QFileInfo(p.dessin_).isReadable())
        return echec(erreur, QStringLiteral("dessin introuvable: ") + p.dessin_);
    QPointF taille;
    if (!lirePoint(o.value(QLatin1String("taille")), &taille) || taille.x() <= 0 || taille.y() <= 0 ||
        taille.x() > LARGEUR_MAX || taille.y() > HAUTEUR_MAX)
        return echec(erreur, QStringLiteral("taille invalide"));
    p.taille_ = QSizeF(taille.x(), taille.y());

    if (const QString e = p.lireGroupes(o); !e.isEmpty())
        return echec(erreur, e);

    if (const QString e = p.lireParties(o); !e.isEmpty())
        return echec(erreur, e);

    if (!lirePose(o.value(QLatin1String("pose")), &p.pose_))
        return echec(erreur, QStringLiteral("pose de départ invalide"));
    const QJsonObject parole = o.value(QLatin1String("parole")).toObject();
    const QJsonValue bec = parole.value(QLatin1String("bec_max"));
    if (!bec.isUndefined() && !nombreSense(bec))
        return echec(erreur, QStringLiteral("bec_max invalide"));
    p.bec_max_ = bec.toDouble(25);
    p.niveau_plein_ = std::clamp(parole.value(QLatin1String("niveau_plein")).toDouble(0.25), 0.01, 1.0);

    if (const QString e = p.lireAnimations(o); !e.isEmpty())
        return echec(erreur, e);
    for (const QString& requise : ANIMATIONS_REQUISES)
        if (!p.animation(requise))
            return echec(erreur, QStringLiteral("animation manquante: ") + requise);
    return p;
}

QString Personnage::lireGroupes(const QJsonObject& o) {
    const QJsonObject groupes = o.value(QLatin1String("groupes")).toObject();
    for (auto it = groupes.begin(); it != groupes.end(); ++it) {
        const QJsonObject g = it.value().toObject();
        GroupeDessin groupe;
        groupe.nom = it.key();
        groupe.parent = g.value(QLatin1String("parent")).toString();
        if (!lirePoint(g.value(QLatin1String("pivot")), &groupe.pivot))
            return QStringLiteral("groupe sans pivot: ") + it.key();
        groupe.angle = g.value(QLatin1String("angle")).toString();
        groupe.saut = g.value(QLatin1String("saut")).toString();
        groupe.echelle = g.value(QLatin1String("echelle")).toString();
        groupes_.append(groupe);
    }
    for (const GroupeDessin& g : std::as_const(groupes_)) {
        // a parent must exist, and following parents must not loop
        QString suivant = g.parent;
        for (int pas = 0; !suivant.isEmpty(); ++pas) {
            const GroupeDessin* parent = groupe(suivant);
            if (!parent || pas > groupes_.size())
                return QStringLiteral("groupe parent invalide: ") + g.nom;
            suivant = parent->parent;
        }
    }
    return {};
}

QString Personnage::lireParties(const QJsonObject& o) {
    const QJsonArray parties = o.value(QLatin1String("parties")).toArray();
    for (const QJsonValue& v : parties) {
        const QJsonObject po = v.toObject();
        PartieDessin partie;
        partie.element = po.value(QLatin1String("element")).toString();
        if (partie.element.isEmpty())
            return QStringLiteral("partie sans élément");
        partie.groupe = po.value(QLatin1String("groupe")).toString();
        if (!partie.groupe.isEmpty() && !groupe(partie.groupe))
            return QStringLiteral("groupe inconnu: ") + partie.groupe;
        partie.angle = po.value(QLatin1String("angle")).toString();
        if (!partie.angle.isEmpty() && !lirePoint(po.value(QLatin1String("pivot")), &partie.pivot))
            return QStringLiteral("partie tournante sans pivot: ") + partie.element;
        const QJsonObject si = po.value(QLatin1String("si")).toObject();
        for (auto it = si.begin(); it != si.end(); ++it)
            partie.si.insert(it.key(), it.value().toString());
        parties_.append(partie);
    }
    if (parties_.isEmpty())
        return QStringLiteral("aucune partie");
    return {};
}

QString Personnage::lireAnimations(const QJsonObject& o) {
    const QJsonObject animations = o.value(QLatin1String("animations")).toObject();
    for (auto it = animations.begin(); it != animations.end(); ++it) {
        const QJsonObject ao = it.value().toObject();
        Animation a;
        a.nom = it.key();
        for (const QJsonValue& n : ao.value(QLatin1String("noms")).toArray())
            a.noms << n.toString();
        a.repos = ao.value(QLatin1String("repos")).toBool();
        const QJsonArray images = ao.value(QLatin1String("images")).toArray();
        int duree = 0;
        for (const QJsonValue& iv : images) {
            const QJsonObject io = iv.toObject();
            ImageAnimation image;
            image.duree = io.value(QLatin1String("duree")).toInt(-1);
            if (image.duree < 0 || image.duree > DUREE_IMAGE_MAX ||
                !lirePose(io.value(QLatin1String("pose")), &image.pose))
                return QStringLiteral("image invalide dans ") + a.nom;
            a.images.append(image);
            duree += image.duree;
            if (duree > DUREE_ANIMATION_MAX)
                return QStringLiteral("animation trop longue: ") + a.nom;
        }
        if (a.images.isEmpty())
            return QStringLiteral("animation vide: ") + a.nom;
        animations_.append(a);
    }
    return {};
}

const GroupeDessin* Personnage::groupe(const QString& nom) const {
    for (const GroupeDessin& g : groupes_)
        if (g.nom == nom)
            return &g;
    return nullptr;
}

const Animation* Personnage::animation(const QString& nom) const {
    for (const Animation& a : animations_) {
        if (a.nom.compare(nom, Qt::CaseInsensitive) == 0)
            return &a;
        for (const QString& autre : a.noms)
            if (autre.compare(nom, Qt::CaseInsensitive) == 0)
                return &a;
    }
    return nullptr;
}

QStringList Personnage::animationsDeRepos() const {
    QStringList noms;
    for (const Animation& a : animations_)
        if (a.repos)
            noms << a.nom;
    return noms;
}

QString RecherchePersonnage::chemin() const {
    for (const QString& d : dossiers) {
        const QString candidat = QDir(d).filePath(fichier);
        if (QFileInfo(candidat).isFile())
            return candidat;
    }
    return QString();
}

QString RecherchePersonnage::raisonAbsence(const QString& erreur) const {
    const QString quoi = chemin().isEmpty()
                             ? QStringLiteral("Fichier du personnage « %1 » introuvable.").arg(fichier)
                             : QStringLiteral("Fichier du personnage illisible : %1.")
                                   .arg(erreur.isEmpty() ? chemin() : erreur);
    QStringList cherches;
    for (const QString& d : dossiers)
        cherches << QDir::cleanPath(d);
    return quoi + QStringLiteral("\nDossiers cherchés :\n") + cherches.join(QLatin1Char('\n'));
}
