// The game's own settings file, Corsabord.ini, and its lines cle=valeur.
#include "base/preferences.h"

#include "base/reglages.h"
#include "base/terminal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString CLE_ALLURE = QStringLiteral("allure");
const QString CLE_NIVEAU = QStringLiteral("niveau");
const QString CLE_STEREO = QStringLiteral("stereo");
const QString CLE_SIGNAL = QStringLiteral("signal");
const QString CLE_VOIX = QStringLiteral("voix");
const QString CLE_BRAILLE = QStringLiteral("braille");
const QString CLE_BREF = QStringLiteral("bref");
const QString CLE_SONS = QStringLiteral("sons");
const QString CLE_VOIX_DITE = QStringLiteral("voix_annoncee");

// A view into the line, not a copy: the logbook looks its counts up line by line.
QByteArrayView cleDe(const QByteArray& ligne) {
    const qsizetype egal = ligne.indexOf('=');
    return egal < 0 ? QByteArrayView() : QByteArrayView(ligne).first(egal).trimmed();
}

} // namespace

void LignesCleValeur::lire(const QByteArray& contenu) {
    // as Config.txt is read: a file from any system keeps its lines
    lignes_ = decouperOctets(contenu);
}

QByteArray LignesCleValeur::octets() const {
    QByteArray o;
    for (const QByteArray& ligne : lignes_)
        o += ligne + '\n';
    return o;
}

qsizetype LignesCleValeur::indexDe(QByteArrayView cle) const {
    for (qsizetype i = 0; i < lignes_.size(); ++i)
        if (!cle.isEmpty() && cleDe(lignes_[i]) == cle)
            return i;
    return -1;
}

QByteArrayView LignesCleValeur::octetsDe(QByteArrayView cle) const {
    const qsizetype i = indexDe(cle);
    if (i < 0)
        return {};
    const QByteArray& ligne = lignes_[i];
    return QByteArrayView(ligne).sliced(ligne.indexOf('=') + 1).trimmed();
}

void LignesCleValeur::parcourir(
    const std::function<void(QByteArrayView cle, QByteArrayView valeur)>& lire) const {
    for (const QByteArray& ligne : lignes_) {
        const qsizetype egal = ligne.indexOf('=');
        if (egal > 0)
            lire(QByteArrayView(ligne).first(egal).trimmed(),
                 QByteArrayView(ligne).sliced(egal + 1).trimmed());
    }
}

QString LignesCleValeur::valeur(const QString& cle) const {
    return QString::fromUtf8(octetsDe(cle.toUtf8())).trimmed();
}

bool LignesCleValeur::charger(const QString& chemin, qint64 taille_max) {
    QByteArray contenu;
    bool existe = false;
    const bool lu = lireFichierReglage(chemin, taille_max, contenu, &existe);
    lire(lu ? contenu : QByteArray());
    return lu || !existe;
}

EcritureSure LignesCleValeur::enregistrer(const QString& chemin, bool remplacable, const QString& illisible,
                                          const QString& echec) const {
    const EcritureSure e = remplacable ? ecrireFichierSur(chemin, octets()) : EcritureSure{false, illisible};
    if (!e.reussie)
        direAuTerminal(echec.arg(QDir::toNativeSeparators(chemin), e.raison));
    return e;
}

bool LignesCleValeur::contient(const QString& cle) const {
    return indexDe(cle.toUtf8()) >= 0;
}

void LignesCleValeur::setValeur(const QString& cle, const QString& valeur) {
    // A line break in a value would make a line of its own on the next reading.
    QString v = valeur;
    v.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QByteArray ligne = cle.toUtf8() + '=' + v.toUtf8();
    const qsizetype i = indexDe(cle.toUtf8());
    if (i < 0)
        lignes_.append(ligne);
    else
        lignes_[i] = ligne;
}

bool lireFichierReglage(const QString& chemin, qint64 taille_max, QByteArray& contenu, bool* existe) {
    contenu.clear();
    const QFileInfo info(chemin);
    const bool la = info.exists() || info.isSymLink();
    if (existe)
        *existe = la;
    if (!la || !info.isFile() || info.size() > taille_max)
        return false;
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    // A file that grew since its size was read is read no further than the limit.
    contenu = f.read(taille_max + 1);
    if (contenu.size() > taille_max) {
        contenu.clear();
        return false;
    }
    return f.error() == QFileDevice::NoError;
}

QString cleAllure(Allure allure) {
    return allure == Allure::Vive ? QStringLiteral("vive") : QStringLiteral("normale");
}

QString cleNiveau(Niveau niveau) {
    switch (niveau) {
    case Niveau::Tenace:
        return QStringLiteral("tenace");
    case Niveau::Vraisemblance:
        return QStringLiteral("vraisemblance");
    case Niveau::Classique:
        break;
    }
    return QStringLiteral("classique");
}

Preferences::Preferences(const QString& dossier)
    : dossier_(dossier) {
    charger();
}

QString Preferences::chemin() const {
    return QDir(dossier_).filePath(nomFichier());
}

void Preferences::charger() {
    remplacable_ = lignes_.charger(chemin(), TAILLE_MAX);
}

EcritureSure Preferences::enregistrer() const {
    return lignes_.enregistrer(
        chemin(), remplacable_,
        QStringLiteral("le fichier de préférences n'a pas pu être lu, il est laissé tel quel"),
        QStringLiteral("Corsabord : les préférences n'ont pas pu être enregistrées dans %1 : %2."));
}

Allure Preferences::allure() const {
    return lignes_.valeur(CLE_ALLURE) == cleAllure(Allure::Vive) ? Allure::Vive : Allure::Normale;
}

void Preferences::setAllure(Allure allure) {
    lignes_.setValeur(CLE_ALLURE, cleAllure(allure));
}

Niveau Preferences::niveau() const {
    const QString v = lignes_.valeur(CLE_NIVEAU);
    for (Niveau n : {Niveau::Tenace, Niveau::Vraisemblance})
        if (v == cleNiveau(n))
            return n;
    return Niveau::Classique;
}

void Preferences::setNiveau(Niveau niveau) {
    lignes_.setValeur(CLE_NIVEAU, cleNiveau(niveau));
}

bool Preferences::stereo() const {
    // on unless the file says off: the cues change nothing of what is said
    const QString v = lignes_.valeur(CLE_STEREO);
    return v != QLatin1String("non") && v != QLatin1String("0");
}

void Preferences::setStereo(bool stereo) {
    lignes_.setValeur(CLE_STEREO, stereo ? QStringLiteral("oui") : QStringLiteral("non"));
}

bool Preferences::signalRien() const {
    // on unless the file says off, as the stereo cues: no text or delay changes for it
    const QString v = lignes_.valeur(CLE_SIGNAL);
    return v != QLatin1String("non") && v != QLatin1String("0");
}

void Preferences::setSignalRien(bool signal) {
    lignes_.setValeur(CLE_SIGNAL, signal ? QStringLiteral("oui") : QStringLiteral("non"));
}

bool Preferences::lecteurEcran() const {
    return lignes_.valeur(CLE_VOIX) == QLatin1String("lecteur");
}

void Preferences::setLecteurEcran(bool lecteur) {
    lignes_.setValeur(CLE_VOIX, lecteur ? QStringLiteral("lecteur") : QStringLiteral("perroquet"));
}

std::optional<bool> Preferences::voixChoisie() const {
    if (!lignes_.contient(CLE_VOIX))
        return std::nullopt;
    return lecteurEcran();
}

bool Preferences::voixAnnoncee() const {
    return lignes_.valeur(CLE_VOIX_DITE) == QLatin1String("oui");
}

void Preferences::setVoixAnnoncee() {
    lignes_.setValeur(CLE_VOIX_DITE, QStringLiteral("oui"));
}

namespace {
bool oui(const QString& v) {
    return v == QLatin1String("oui") || v == QLatin1String("1");
}
QString ouiNon(bool b) {
    return b ? QStringLiteral("oui") : QStringLiteral("non");
}
} // namespace

bool Preferences::braille() const {
    return oui(lignes_.valeur(CLE_BRAILLE));
}

void Preferences::setBraille(bool braille) {
    lignes_.setValeur(CLE_BRAILLE, ouiNon(braille));
}

bool Preferences::bref() const {
    return oui(lignes_.valeur(CLE_BREF));
}

void Preferences::setBref(bool bref) {
    lignes_.setValeur(CLE_BREF, ouiNon(bref));
}

int Preferences::volumeSons() const {
    bool nombre = false;
    const int v = lignes_.valeur(CLE_SONS).toInt(&nombre);
    return nombre && v >= 10 && v <= 100 ? v : 100;
}

void Preferences::setVolumeSons(int pourcent) {
    lignes_.setValeur(CLE_SONS, QString::number(pourcent));
}
