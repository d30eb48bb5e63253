// Screen reader roles and words for the game's own widgets.
#include "base/accessible.h"

#include "model/grilles.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {
constexpr char PROPRIETE_ROLE[] = "corsabord_role_accessible";

QAccessibleInterface* interfaceDuJeu(const QString&, QObject* objet) {
    auto* widget = qobject_cast<QWidget*>(objet);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(PROPRIETE_ROLE);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}
} // namespace

void donnerRoleAccessible(QWidget* widget, QAccessible::Role role) {
    static const bool installee = [] {
        QAccessible::installFactory(interfaceDuJeu);
        return true;
    }();
    Q_UNUSED(installee);
    widget->setProperty(PROPRIETE_ROLE, static_cast<int>(role));
}

void nommerPourLecteurs(QWidget* widget, const QString& nom) {
    if (nom == widget->accessibleName())
        return;
    widget->setAccessibleName(nom); // Qt tells screen readers itself
}

void annoncerPourLecteurs(QWidget* widget, const QString& texte) {
    if (texte != widget->accessibleName()) {
        widget->setAccessibleName(texte); // Qt tells screen readers itself
        return;
    }
    // The same words again: Qt sees no change, but the player is told them anew.
    QAccessibleEvent changement(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changement);
}

void decrirePourLecteurs(QWidget* widget, const QString& description) {
    if (description == widget->accessibleDescription())
        return;
    widget->setAccessibleDescription(description); // Qt tells screen readers itself
}
