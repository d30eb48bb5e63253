// Our own sea by the keyboard: what its cursor's sector holds, said when Tab reaches it and at each move
// or typed sector; nothing is ever fired from there.
#include "battle/tbataille_navale.h"

#include "base/accessible.h"
#include "base/board.h"
#include "battle/echange.h"
#include "model/grilles.h"

#include <QFocusEvent>
#include <QKeyEvent>

void TBataille_navale::direNotreMer(bool entree) {
    const int c = port_joueur->col(), r = port_joueur->row();
    // Its first sector is chosen while the screen is built, before the exchange is there to say it.
    if (!echange_ || c < 1 || r < 1)
        return;
    const Partie& p = commeRaconte();
    const QString texte = texteNotreMer(p.plan_joueur, p.tirs_adverse, c, r);
    echange_->direSecteur(entree ? QStringLiteral("Notre flotte. ") + texte : texte, c);
}

void TBataille_navale::port_joueurKeyPress(int touche) {
    if (echange_->phase() == Phase::Placement || echange_->phase() == Phase::Adieux)
        return;
    const SaisieSecteur::Reponse r = saisieNous_.taper(touche);
    if (!r.texte.isEmpty())
        Parle(r.texte);
    if (r.cible.colonne > 0) {
        if (r.cible.colonne == port_joueur->col() && r.cible.ligne == port_joueur->row())
            direNotreMer(false);
        else
            port_joueur->setCellule(r.cible.colonne, r.cible.ligne);
    } else if (!r.prise) {
        // Space says the sector again; any other key does nothing here.
        if (touche == Qt::Key_Space)
            direNotreMer(false);
        else
            echange_->rien(port_joueur->col());
    }
}

bool TBataille_navale::eventFilter(QObject* objet, QEvent* event) {
    const QEvent::Type type = event->type();
    if (echange_ &&
        (type == QEvent::KeyPress || type == QEvent::ShortcutOverride || type == QEvent::MouseButtonPress))
        echange_->arreterEcoute();
    const bool mer = objet == port_joueur || objet == port_adverse;
    if (mer && type == QEvent::KeyPress && repondreQuestion(static_cast<QKeyEvent*>(event)))
        return true;
    if (mer && type == QEvent::FocusIn) {
        const Qt::FocusReason raison = static_cast<QFocusEvent*>(event)->reason();
        const bool tab = raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason;
        if (tab && objet == port_joueur) {
            saisieNous_.annuler();
            direNotreMer(true);
        } else if (tab && objet == port_adverse) {
            // Back from our sea: the enemy's named as ours was, then the sector aimed at.
            echange_->direSecteur(
                QStringLiteral("Flotte ennemie. ") +
                    (echange_->bref()
                         ? annonceBreve(partie_.tirs_joueur, port_adverse->col(), port_adverse->row())
                         : annonceSecteur(partie_.tirs_joueur, port_adverse->col(), port_adverse->row())),
                port_adverse->col());
        }
    }
    return QMainWindow::eventFilter(objet, event);
}
