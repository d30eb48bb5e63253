// The player's screen reader told each text as a notification.
#include "audio/lecteur_annonces.h"

#include "base/accessible.h"

#include <QMetaObject>

#include <utility>

LecteurAnnonces::LecteurAnnonces(std::function<QWidget*()> fenetre, QObject* parent)
    : LecteurDiffere(true, parent)
    , fenetre_(std::move(fenetre)) {
    QAccessible::installActivationObserver(this);
}

LecteurAnnonces::~LecteurAnnonces() {
    QAccessible::removeActivationObserver(this);
}

void LecteurAnnonces::accessibilityActiveChanged(bool actif) {
    if (actif)
        QMetaObject::invokeMethod(this, &LecteurAnnonces::planifier, Qt::QueuedConnection);
}

bool LecteurAnnonces::envoyer(int, const QString& texte) {
    notifierLecteurs(fenetre_ ? fenetre_() : nullptr, texte.trimmed());
    return true;
}
