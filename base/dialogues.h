// The game's modal questions and notices, behind an interface so that tests can answer them.
#pragma once

#include <QString>

class QDialog;
class QWidget;

class Dialogues {
public:
    virtual ~Dialogues() = default;
    // A Yes/No box ("Oui", "Non") with no icon; true for Yes. Timers keep firing while it is open.
    virtual bool ouiNon(QWidget* parent, const QString& titre, const QString& texte) = 0;
    // A notice with one button, shown until the player dismisses it.
    virtual void avertir(QWidget* parent, const QString& texte) = 0;
    // Shows one of the game's own screens modally and returns when it closes.
    virtual void executer(QDialog* ecran) = 0;
};

// The real boxes.
class DialoguesQt : public Dialogues {
public:
    bool ouiNon(QWidget* parent, const QString& titre, const QString& texte) override;
    void avertir(QWidget* parent, const QString& texte) override;
    void executer(QDialog* ecran) override;
};
