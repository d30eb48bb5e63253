// The battle screen's added keys: the "Vigie" menu built from their table, and what each command does.
#include "battle/tbataille_navale.h"

#include "base/board.h"
#include "base/timer.h"

#include <QKeyEvent>
#include <QMenuBar>

void TBataille_navale::creerVigie(QMenuBar* barre) {
    QMenu* vigie = barre->addMenu(QStringLiteral("Vigie"));
    vigie->setObjectName(QStringLiteral("Vigie"));
    for (const ToucheAjoutee& t : touchesAjoutees()) {
        if (!t.commande)
            continue;
        QAction* action = vigie->addAction(t.titre);
        if (t.autre.key() == Qt::Key_unknown)
            action->setShortcut(QKeySequence(t.touches));
        else
            action->setShortcuts({QKeySequence(t.touches), QKeySequence(t.autre)});
        connect(action, &QAction::triggered, this, [this, c = *t.commande] { executer(c); });
    }
}

void TBataille_navale::executer(Commande commande) {
    const int col = port_adverse->col(), row = port_adverse->row();
    switch (commande) {
    case Commande::Aide:
        echange_->TimerPaix->setEnabled(false);
        Parle(texteTouchesAjoutees());
        echange_->TimerPaix->setEnabled(true);
        return;
    case Commande::Ligne:
    case Commande::Colonne:
    case Commande::LigneNous:
    case Commande::ColonneNous:
        echange_->resumer(commande == Commande::LigneNous || commande == Commande::ColonneNous,
                          commande == Commande::Colonne || commande == Commande::ColonneNous, col, row);
        return;
    case Commande::AFlot:
        echange_->NaviresAFlotClick();
        return;
    case Commande::Journal:
        Journal1Click();
        return;
    case Commande::EffacerJournal:
        EffacerJournal1Click();
        return;
    case Commande::Allure:
        Allure1Click();
        return;
    case Commande::Niveau:
        Niveau1Click();
        return;
    case Commande::Stereo:
        Stereo1Click();
        return;
    case Commande::Historique:
        narrateur_.reculer();
        return;
    case Commande::HistoriqueSuivant:
        narrateur_.avancer();
        return;
    case Commande::Legende:
    case Commande::CoupDOeilLigne:
    case Commande::CoupDOeilColonne:
    case Commande::CoupDOeilTouches:
        coupDOeil(commande);
        return;
    case Commande::Rapports:
    case Commande::RapportsSuivant:
        // None that way: the cue, and the walk stays where it was.
        if (!(commande == Commande::Rapports ? narrateur_.reculer(GenreTexte::Rapport)
                                             : narrateur_.avancer(GenreTexte::Rapport)))
            echange_->rien();
        return;
    case Commande::Bref:
        Bref1Click();
        return;
    case Commande::DernierEchange:
        echange_->dernierEchange();
        return;
    case Commande::Blesses:
        echange_->blesses();
        return;
    case Commande::Viseur:
        echange_->ouEstLeViseur({col, row});
        return;
    case Commande::QuestionNotreMer:
        if (echange_->phase() == Phase::Placement || echange_->phase() == Phase::Adieux) {
            Parle(PAS_ENCORE_EN_MER);
            return;
        }
        question_ = true;
        saisieQuestion_.annuler();
        Parle(QStringLiteral("Quel secteur de notre flotte, amiral? Une lettre, puis un nombre."));
        return;
    case Commande::SautInexplore:
    case Commande::SautBlesse:
        echange_->sauter(commande == Commande::SautBlesse, {col, row});
        return;
    case Commande::Pause:
        echange_->basculerPause();
        return;
    }
}

bool TBataille_navale::repondreQuestion(QKeyEvent* event) {
    if (!question_ || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F35))
        return false;
    const SaisieSecteur::Reponse r =
        saisieQuestion_.taper(toucheTapee(event->key(), event->text(), event->nativeScanCode()));
    if (r.cible.colonne > 0) {
        question_ = false;
        const Partie& p = commeRaconte();
        Parle(texteNotreMer(p.plan_joueur, p.tirs_adverse, r.cible.colonne, r.cible.ligne));
    } else if (!r.prise) {
        // A key that is no sector (an arrow, Space with nothing typed) drops the question.
        question_ = false;
        Parle(QStringLiteral("Question annulée."));
    } else if (!r.texte.isEmpty()) {
        Parle(r.texte);
        question_ = saisieQuestion_.enCours();
    }
    return true;
}

void TBataille_navale::Bref1Click() {
    const bool bref = !echange_->bref();
    echange_->setBref(bref);
    preferences_.setBref(bref);
    changerReglage(bref ? QStringLiteral("Mode bref, amiral: le secteur en deux signes, chaque tir dit en "
                                         "clair, et je garde mes bavardages.")
                        : QStringLiteral("Mode complet, amiral: je dis tout, comme d'habitude."));
}

void TBataille_navale::Journal1Click() {
    QString texte = journal_.texte();
    if (!echange_->erreurJournal().isEmpty())
        texte += QStringLiteral(" La dernière partie n'a pas pu y être écrite: ") +
                 echange_->erreurJournal() + QLatin1Char('.');
    Parle(texte);
}

void TBataille_navale::EffacerJournal1Click() {
    if (echange_->phase() == Phase::Adieux)
        return;
    Parle(QUESTION_EFFACER_JOURNAL);
    if (!intentions_->demander(QStringLiteral("Journal de bord"),
                               QStringLiteral("Effacer le journal de bord?"))) {
        Parle(QStringLiteral("Le journal de bord est gardé tel quel, amiral."));
        return;
    }
    const EcritureSure e = journal_.effacer();
    Parle(e.reussie
              ? QStringLiteral("Le journal de bord est effacé, amiral.")
              : QStringLiteral("Je n'ai pas pu effacer le journal de bord: ") + e.raison + QLatin1Char('.'));
}

void TBataille_navale::changerReglage(const QString& texte) {
    const EcritureSure e = preferences_.enregistrer();
    Parle(e.reussie ? texte
                    : texte + QStringLiteral(" Je n'ai pas pu l'écrire dans les préférences: ") + e.raison +
                          QLatin1Char('.'));
}

void TBataille_navale::Allure1Click() {
    const Allure allure = echange_->allure() == Allure::Normale ? Allure::Vive : Allure::Normale;
    echange_->setAllure(allure);
    preferences_.setAllure(allure);
    changerReglage(texteAllure(allure));
}

void TBataille_navale::Niveau1Click() {
    const Niveau niveau = niveauSuivant(echange_->niveau());
    echange_->setNiveau(niveau);
    preferences_.setNiveau(niveau);
    changerReglage(texteNiveau(niveau));
}

void TBataille_navale::Stereo1Click() {
    const bool stereo = !echange_->stereo();
    echange_->setStereo(stereo);
    preferences_.setStereo(stereo);
    changerReglage(stereo ? QStringLiteral("Sons placés, amiral: chaque tir et chaque secteur à gauche ou à "
                                           "droite, selon sa colonne.")
                          : QStringLiteral("Sons au centre, amiral: tout s'entend des deux côtés."));
}

void TBataille_navale::coupDOeil(Commande commande) {
    // Whichever sea has the cursor: ours once Tab has brought the keys there, the enemy's otherwise.
    const bool nous = port_joueur->hasFocus();
    const Board* mer = nous ? port_joueur : port_adverse;
    if (commande == Commande::Legende)
        echange_->ecouterLegende(nous);
    else if (commande == Commande::CoupDOeilTouches)
        echange_->ecouterTouches(nous);
    else
        echange_->ecouterLigne(nous, commande == Commande::CoupDOeilColonne, mer->col(), mer->row());
}
