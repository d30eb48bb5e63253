// The narrator's banter: the seven pools of remarks, the draw of one from each, the idle interval.
#pragma once

#include "model/hasard.h"

#include <QString>
#include <QStringList>

// The pools, each in its fixed order.
const QStringList& MemoRate();   // the player's shot in open sea
const QStringList& MemoBut();    // the player's shot hits without sinking
const QStringList& MemoCoule();  // the player's shot sinks a ship
const QStringList& MemoErate();  // the enemy's shot in open sea
const QStringList& MemoEbut();   // the enemy's shot hits without sinking
const QStringList& MemoEcoule(); // the enemy's shot sinks one of ours
const QStringList& MemoPaix();   // the idle chatter

// The line last drawn from each pool; empty before the first draw.
struct Commentaires {
    QString com_rate;
    QString com_but;
    QString com_coule;
    QString com_erate;
    QString com_ebut;
    QString com_ecoule;
    QString com_paix;
};

// Reseeds the generator from the clock, then draws one line from every pool in the order above.
void RandomCom(Hasard& hasard, Commentaires& com);

// The idle timer's next interval: 180000 ms plus a draw below 180000 (3 to 6 minutes).
int intervallePaix(Hasard& hasard);
