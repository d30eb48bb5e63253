// Screen reader roles and words for the game's own widgets.
#include "base/accessible.h"

#include "model/grilles.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>
#include <QWidget>

#include <algorithm>

namespace {
constexpr char PROPRIETE_ROLE[] = "corsabord_role_accessible";
constexpr char BARRE_ANNONCES[] = "corsabord_annonces";

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

CalmeLecteur& CalmeLecteur::commun() {
    // the application's child: gone with it, and made again for the next one a test creates
    static QPointer<CalmeLecteur> calme;
    if (!calme)
        calme = new CalmeLecteur(qApp);
    return *calme;
}

CalmeLecteur::CalmeLecteur(QObject* parent)
    : QObject(parent) {
    horloge_.start();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &CalmeLecteur::changer);
    qApp->installEventFilter(this);
}

qint64 CalmeLecteur::reste() const {
    return std::max<qint64>(0, calme_ - horloge_.elapsed());
}

bool CalmeLecteur::eventFilter(QObject* objet, QEvent* event) {
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && objet->isWidgetType() &&
        static_cast<QWidget*>(objet)->isWindow())
        changer();
    return false;
}

void CalmeLecteur::changer() {
    calme_ = horloge_.elapsed() + CALME_MS;
    Q_EMIT fenetreChangee();
}

void notifierLecteurs(QWidget* fenetre, const QString& texte) {
    if (!fenetre || texte.isEmpty())
        return;
    auto* barre = fenetre->findChild<QWidget*>(QLatin1String(BARRE_ANNONCES), Qt::FindDirectChildrenOnly);
    if (!barre) {
        // A status bar of one pixel that draws nothing and lets the mouse through, holding the
        // notification and its text: Orca reads a status bar's notification without its role's name, and
        // takes its words from the text inside it, whether shown or not.
        barre = new QWidget(fenetre);
        barre->setObjectName(QLatin1String(BARRE_ANNONCES));
        donnerRoleAccessible(barre, QAccessible::StatusBar);
        barre->setAttribute(Qt::WA_TransparentForMouseEvents);
        barre->setFocusPolicy(Qt::NoFocus);
        barre->setGeometry(0, 0, 1, 1);
        auto* notification = new QWidget(barre);
        donnerRoleAccessible(notification, QAccessible::Notification);
        auto* mots = new QWidget(notification);
        donnerRoleAccessible(mots, QAccessible::StaticText);
        for (QWidget* w : {notification, mots}) {
            w->setAttribute(Qt::WA_TransparentForMouseEvents);
            w->setGeometry(0, 0, 1, 1);
        }
        notification->hide();
        barre->show();
    }
    auto* notification = barre->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    auto* mots = notification->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    // shown anew with its new words: the screen reader is told of a notification each time
    notification->hide();
    mots->setAccessibleName(texte);
    notification->show();
}
