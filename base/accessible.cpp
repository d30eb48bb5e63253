// Screen reader roles and words for the game's own widgets.
#include "base/accessible.h"

#include "model/grilles.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QTimer>
#include <QWindow>
#include <QWidget>

#include <algorithm>
#include <utility>

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

NotificationsLecteurs::NotificationsLecteurs(std::function<QWidget*()> fenetre, QObject* parent)
    : QObject(parent)
    , fenetre_(std::move(fenetre))
    , minuteur_(new QTimer(this)) {
    horloge_.start();
    minuteur_->setSingleShot(true);
    connect(minuteur_, &QTimer::timeout, this, &NotificationsLecteurs::suivante);
    connect(&calme_, &CalmeLecteur::fenetreChangee, this, &NotificationsLecteurs::fenetreChangee);
    QAccessible::installActivationObserver(this);
}

NotificationsLecteurs::~NotificationsLecteurs() {
    QAccessible::removeActivationObserver(this);
}

void NotificationsLecteurs::notifier(const QString& texte) {
    const qint64 maintenant = horloge_.elapsed();
    if (std::exchange(tour_, true) && !file_.isEmpty()) {
        file_.last().texte = texte.trimmed(); // the one before was replaced at once
        return;
    }
    QMetaObject::invokeMethod(
        this, [this] { tour_ = false; }, Qt::QueuedConnection);
    qint64 quand = maintenant + calme_.reste();
    if (!file_.isEmpty())
        quand = std::max(quand, file_.last().quand + maintenant - file_.last().arrivee);
    file_.append({texte.trimmed(), maintenant, quand});
    planifier();
}

void NotificationsLecteurs::fenetreChangee() {
    const qint64 calme = horloge_.elapsed() + calme_.reste();
    // what waits moves back with the first, keeping its spacing
    if (!file_.isEmpty() && file_.first().quand < calme) {
        const qint64 retard = calme - file_.first().quand;
        for (Attente& a : file_)
            a.quand += retard;
    }
    planifier();
}

void NotificationsLecteurs::accessibilityActiveChanged(bool actif) {
    if (actif)
        QMetaObject::invokeMethod(this, &NotificationsLecteurs::planifier, Qt::QueuedConnection);
}

void NotificationsLecteurs::planifier() {
    // the bridge not up yet: the texts wait for it
    if (file_.isEmpty() || !QAccessible::isActive())
        return;
    minuteur_->start(int(std::max<qint64>(0, file_.first().quand - horloge_.elapsed())));
}

void NotificationsLecteurs::suivante() {
    if (file_.isEmpty())
        return;
    // told in the next turn, once every text of this one has come
    if (tour_) {
        minuteur_->start(0);
        return;
    }
    montrer(file_.takeFirst().texte);
    planifier();
}

void NotificationsLecteurs::montrer(const QString& texte) {
    QWidget* fenetre = fenetre_ ? fenetre_() : nullptr;
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
