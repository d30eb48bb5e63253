// The narrator: sets the parrot up, speaks every text of the game and remembers the last one.
#include "narrator/narrateur.h"

#include "app/dialogues.h"
#include "narrator/compagnon.h"
#include "narrator/sons.h"

#include <QDebug>

Narrateur::Narrateur(ServiceCompagnon& service, Dialogues& dialogues, LecteurSons& sons, QObject* parent)
    : QObject(parent)
    , service_(service)
    , dialogues_(dialogues)
    , sons_(sons) {
    connect(&service_, &ServiceCompagnon::requeteTerminee, this, &Narrateur::requeteTerminee);
}

bool Narrateur::InstalPeedy(const QStringList& reglages) {
    service_.setConnecte(true);
    if (!service_.personnageExiste(PERSONNAGE) ||
        !service_.charger(PERSONNAGE, QStringLiteral("Peedy.acs")) || !service_.personnage(PERSONNAGE)) {
        pret_ = false;
        // The player can mend this one: say which file is wanted and where, in the box and on the
        // terminal the game may have been started from.
        QString avis = QStringLiteral("Impossible de trouver le compagnon MSagent.");
        const QString raison = service_.raisonAbsence();
        if (!raison.isEmpty())
            avis += QLatin1Char('\n') + raison;
        qWarning().noquote() << avis;
        dialogues_.avertir(fenetre_, avis);
        return false;
    }
    service_.montrer();
    service_.placer(430, 628);
    service_.jouer(QStringLiteral("Greet"));
    service_.setLangue(1036);
    const QString mode = reglages.size() > 1 ? reglages.at(1) : QString();
    if (!service_.setModeVoix(QLatin1Char('{') + mode + QLatin1Char('}')))
        sons_.Bip();
    service_.parler(QStringLiteral(" "));
    requete_parole_ = service_.parler(QStringLiteral(" "));
    pret_ = true;
    return true;
}

void Narrateur::Parle(const QString& texte) {
    if (texte.isEmpty())
        return;
    dernier_message_ = texte;
    if (!pret_)
        return; // released while the voice screen is open: remembered for Ctrl+R, not said
    service_.arreter(requete_parole_);
    requete_parole_ = service_.parler(texte);
}

void Narrateur::liberer() {
    if (pret_)
        service_.decharger(PERSONNAGE);
    service_.setConnecte(false);
    pret_ = false;
}

int Narrateur::jouer(const QString& animation) {
    return pret_ ? service_.jouer(animation) : 0;
}
