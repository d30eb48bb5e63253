// What goes to the player's screen reader and braille display.
#include "audio/suivi_lecteur.h"

#include <algorithm>
#include <utility>

void SuiviLecteur::envoye(int id, int message, const QString& texte, qint64 ms) {
    envoyes_.append({id, message, texte, ms});
}

void SuiviLecteur::commence(int message, qint64 ms) {
    for (Envoi& e : envoyes_)
        if (e.message == message && e.debut < 0)
            e.debut = ms;
}

std::optional<QString> SuiviLecteur::reprendre(int message, qint64 ms) {
    for (Envoi& e : envoyes_) {
        if (e.message != message)
            continue;
        if (ms - e.envoi > ATTENTE_MAX_MS)
            return std::nullopt;
        if (e.debut >= 0) {
            const qint64 tiers = std::clamp<qint64>(e.texte.size() * 1000 / 15 / 3, 400, 1000);
            if (e.reprises >= REPRISES || ms - e.debut > tiers)
                return std::nullopt;
            ++e.reprises;
        }
        e.debut = -1;
        return e.texte;
    }
    return std::nullopt;
}

void SuiviLecteur::renumeroter(int message, int nouveau) {
    for (Envoi& e : envoyes_)
        if (e.message == message)
            e.message = nouveau;
}

bool SuiviLecteur::arreter(int id) {
    if (!tient(id))
        return false;
    envoyes_.clear();
    return true;
}

int SuiviLecteur::fin(int message) {
    for (qsizetype i = 0; i < envoyes_.size(); ++i) {
        if (envoyes_.at(i).message == message)
            return envoyes_.takeAt(i).id;
    }
    return 0;
}

bool SuiviLecteur::tient(int id) const {
    return std::any_of(envoyes_.cbegin(), envoyes_.cend(), [id](const Envoi& e) { return e.id == id; });
}

QList<int> SuiviLecteur::lacher() {
    QList<int> ids;
    for (const auto& e : std::exchange(envoyes_, {}))
        ids << e.id;
    return ids;
}

QStringList FenetresBraille::decouper(const QString& texte, int largeur) {
    QStringList fenetres;
    if (largeur <= 0)
        return fenetres;
    QString ligne;
    for (QString mot : texte.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!ligne.isEmpty() && ligne.size() + 1 + mot.size() <= largeur) {
            ligne += QLatin1Char(' ') + mot;
            continue;
        }
        if (!ligne.isEmpty())
            fenetres << ligne;
        // a word wider than the display goes over several windows
        while (mot.size() > largeur) {
            fenetres << mot.left(largeur);
            mot.remove(0, largeur);
        }
        ligne = mot;
    }
    if (!ligne.isEmpty())
        fenetres << ligne;
    return fenetres;
}

void FenetresBraille::afficher(const QString& texte, int largeur) {
    fenetres_ = decouper(texte, largeur);
    index_ = 0;
}

bool FenetresBraille::avancer() {
    if (index_ + 1 >= fenetres_.size())
        return false;
    ++index_;
    return true;
}

bool FenetresBraille::reculer() {
    if (index_ == 0)
        return false;
    --index_;
    return true;
}
