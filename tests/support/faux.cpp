// Fakes of the game's services.
#include "support/faux.h"

void FauxCompagnon::setConnecte(bool connecte) {
    connecte_ = connecte;
    journal << (connecte ? QStringLiteral("connecter") : QStringLiteral("deconnecter"));
}

bool FauxCompagnon::charger(const QString& id, const QString& cle) {
    journal << QStringLiteral("charger: %1 %2").arg(id, cle);
    if (!fichierPresent || !fichierLisible)
        return false; // the character already loaded stays, as the game's service does
    charges_.insert(id);
    return true;
}

void FauxCompagnon::decharger(const QString& id) {
    journal << QStringLiteral("decharger: %1").arg(id);
    charges_.remove(id);
}

int FauxCompagnon::montrer() {
    journal << QStringLiteral("montrer");
    return ++derniereRequete;
}

void FauxCompagnon::placer(int gauche, int haut) {
    journal << QStringLiteral("placer: %1 %2").arg(gauche).arg(haut);
}

int FauxCompagnon::jouer(const QString& animation) {
    journal << QStringLiteral("jouer: %1").arg(animation);
    animations_.append({++derniereRequete, animation});
    return derniereRequete;
}

void FauxCompagnon::setLangue(int langue) {
    journal << QStringLiteral("langue: %1").arg(langue);
}

bool FauxCompagnon::setModeVoix(const QString& mode) {
    journal << QStringLiteral("voix: %1").arg(mode);
    return mode.compare(modeAccepte, Qt::CaseInsensitive) == 0;
}

int FauxCompagnon::parler(const QString& texte) {
    return parlerPlace(texte, 0);
}

int FauxCompagnon::parlerPlace(const QString& texte, double balance) {
    journal << QStringLiteral("parler: %1").arg(texte);
    paroles << texte;
    balances << balance;
    return ++derniereRequete;
}

void FauxCompagnon::arreter(int requete) {
    journal << QStringLiteral("arreter: %1").arg(requete);
    arretees << requete;
}

int FauxCompagnon::requeteDe(const QString& animation) const {
    for (auto it = animations_.crbegin(); it != animations_.crend(); ++it)
        if (it->second == animation)
            return it->first;
    return 0;
}

bool FauxDialogues::ouiNon(QWidget*, const QString& titre, const QString& texte) {
    questions << titre + QStringLiteral(" | ") + texte;
    return reponse;
}

void FauxDialogues::avertir(QWidget*, const QString& texte) {
    avertissements << texte;
}

void FauxDialogues::executer(QDialog* ecran) {
    ecrans << ecran;
    if (pendant)
        pendant(ecran);
}
