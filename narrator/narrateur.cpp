// The narrator: sets the parrot up, speaks every text of the game and remembers what he said.
#include "narrator/narrateur.h"

#include "base/dialogues.h"
#include "narrator/compagnon.h"
#include "audio/reglages_parole.h"
#include "audio/sons.h"

#include "base/terminal.h"

#include <utility>

namespace {
// The load key the service is given with the character's identifier.
const QString CLE = QStringLiteral("Peedy.acs");
} // namespace

Narrateur::Narrateur(ServiceCompagnon& service, Dialogues& dialogues, LecteurSons& sons, QObject* parent)
    : QObject(parent)
    , service_(service)
    , dialogues_(dialogues)
    , sons_(sons) {
    connect(&service_, &ServiceCompagnon::requeteTerminee, this, &Narrateur::requeteTerminee);
}

bool Narrateur::installer(const QStringList& reglages) {
    service_.setConnecte(true);
    if (!service_.personnageExiste(PERSONNAGE) || !service_.charger(PERSONNAGE, CLE) ||
        !service_.personnage(PERSONNAGE)) {
        pret_ = false;
        return false;
    }
    service_.montrer();
    mettreEnScene(reglages);
    return true;
}

QString Narrateur::raisonAbsence() const {
    const QString raison = service_.raisonAbsence();
    return raison.isEmpty() ? QString() : QLatin1Char('\n') + raison;
}

bool Narrateur::InstalPeedy(const QStringList& reglages) {
    if (!installer(reglages)) {
        // The player can mend this one: say which file is wanted and where, in the box and on the
        // terminal the game may have been started from.
        const QString avis = QStringLiteral("Impossible de trouver le compagnon MSagent.") + raisonAbsence();
        direAuTerminal(avis);
        dialogues_.avertir(fenetre_, avis);
        return false;
    }
    return true;
}

void Narrateur::seRetirer() {
    // Read again now, while the parrot is still here to stay: once released, a file that no longer
    // reads would leave the game without him.
    reste_ = pret_ && !service_.charger(PERSONNAGE, CLE);
    if (!reste_) {
        liberer();
        return;
    }
    direAuTerminal(QStringLiteral("Corsabord : le fichier du perroquet ne se relit plus ; il garde celui "
                                  "du début de la partie.") +
                   raisonAbsence());
    service_.arreter(requete_parole_);
    pret_ = false;
}

bool Narrateur::revenir(const QStringList& reglages) {
    if (reste_) {
        reste_ = false;
        mettreEnScene(reglages); // he never left: no need to show him again
        return true;
    }
    if (!installer(reglages)) {
        direAuTerminal(QStringLiteral("Corsabord : le perroquet ne peut pas revenir ; la partie continue "
                                      "sans lui.") +
                       raisonAbsence());
        return false;
    }
    return true;
}

void Narrateur::mettreEnScene(const QStringList& reglages) {
    service_.placer(430, 628);
    service_.jouer(QStringLiteral("Greet"));
    service_.setLangue(1036);
    const QString mode = reglages.size() > 1 ? reglages.at(1) : QString();
    if (!service_.setModeVoix(QLatin1Char('{') + mode + QLatin1Char('}')))
        sons_.Bip();
    service_.appliquerReglages(lireTagsParole(reglages));
    service_.parler(QStringLiteral(" "));
    requete_parole_ = service_.parler(QStringLiteral(" "));
    pret_ = true;
}

void Narrateur::ParlePlace(const QString& texte, double balance, GenreTexte genre) {
    if (texte.isEmpty())
        return;
    if (a_l_ecart_) {
        attente_.append({texte, genre});
        return;
    }
    ParleEcran(texte, balance, genre);
}

void Narrateur::ParleCase(const QString& texte, double balance) {
    case_ = true;
    ParlePlace(texte, balance, GenreTexte::Secteur);
    case_ = false;
}

void Narrateur::ParleEcran(const QString& texte, double balance, GenreTexte genre) {
    if (texte.isEmpty())
        return;
    dernier_message_ = texte;
    historique_.ajouter(texte, genre);
    dire(texte, balance);
}

void Narrateur::ParleEnSuite(const QString& texte, GenreTexte genre) {
    if (texte.isEmpty())
        return;
    if (a_l_ecart_)
        attente_.append({texte, genre});
    else
        ajouterALaSuite(texte, genre);
}

void Narrateur::dire(const QString& texte, double balance) {
    if (texte.isEmpty() || !pret_)
        return; // away for the voice screen, or gone: remembered for Ctrl+R, not said
    couper();
    requete_parole_ = case_          ? service_.parlerCase(texte, balance)
                      : balance == 0 ? service_.parler(texte)
                                     : service_.parlerPlace(texte, balance);
}

void Narrateur::couper() {
    for (const int id : std::as_const(suite_))
        service_.arreter(id);
    suite_.clear();
    service_.arreter(requete_parole_);
}

int Narrateur::direEnPassant(const QString& texte) {
    if (a_l_ecart_ || !pret_)
        return 0;
    dire(texte);
    return requete_parole_;
}

void Narrateur::repeter() {
    dire(dernier_message_);
}

bool Narrateur::reculer(std::optional<GenreTexte> genre) {
    const QString texte = historique_.reculer(genre);
    dire(texte);
    return !texte.isEmpty();
}

bool Narrateur::avancer(std::optional<GenreTexte> genre) {
    const QString texte = historique_.avancer(genre);
    dire(texte);
    return !texte.isEmpty();
}

void Narrateur::mettreDeCote() {
    a_l_ecart_ = true;
}

void Narrateur::reprendre(const QString& annonce, bool toujours) {
    a_l_ecart_ = false;
    const auto attente = std::exchange(attente_, {});
    if (attente.isEmpty() && !toujours)
        return;
    Parle(annonce);
    for (const auto& [texte, genre] : attente)
        ajouterALaSuite(texte, genre);
}

int Narrateur::ajouterALaSuite(const QString& texte, GenreTexte genre) {
    dernier_message_ = texte;
    historique_.ajouter(texte, genre);
    if (!pret_)
        return 0;
    suite_.append(service_.parler(texte));
    return suite_.last();
}

void Narrateur::liberer() {
    if (pret_ || reste_)
        service_.decharger(PERSONNAGE);
    service_.setConnecte(false);
    pret_ = false;
    reste_ = false;
}

int Narrateur::jouer(const QString& animation) {
    return pret_ ? service_.jouer(animation) : 0;
}
