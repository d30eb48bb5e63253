// The player's screen reader told each text as a notification.
#include "audio/lecteur_annonces.h"

#include <utility>

LecteurAnnonces::LecteurAnnonces(std::function<QWidget*()> fenetre, QObject* parent)
    : SortieLecteur(parent)
    , notifications_(std::move(fenetre)) {}

bool LecteurAnnonces::dire(int, const QString& texte) {
    notifications_.notifier(texte);
    return true;
}
