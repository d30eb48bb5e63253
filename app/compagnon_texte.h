// A narrator that writes what it says on the terminal, for running the game before the parrot speaks.
#pragma once

#include "app/temps.h"
#include "narrator/compagnon.h"

#include <QTextStream>

class CompagnonTexte : public ServiceCompagnon {
    Q_OBJECT
public:
    CompagnonTexte(Temps& temps, QObject* parent = nullptr)
        : ServiceCompagnon(parent)
        , temps_(temps) {}
    void setConnecte(bool c) override { connecte_ = c; }
    bool connecte() const override { return connecte_; }
    bool personnageExiste(const QString&) const override { return true; }
    bool charger(const QString&, const QString&) override { return charge_ = true; }
    bool personnage(const QString&) const override { return charge_; }
    void decharger(const QString&) override { charge_ = false; }
    int montrer() override { return terminerApres(500); }
    void placer(int, int) override {}
    int jouer(const QString& animation) override {
        QTextStream(stdout) << "[perroquet] " << animation << Qt::endl;
        return terminerApres(800);
    }
    void setLangue(int) override {}
    bool setModeVoix(const QString&) override { return true; }
    int parler(const QString& texte) override {
        QTextStream(stdout) << "[perroquet] « " << texte << " »" << Qt::endl;
        return terminerApres(60 * static_cast<int>(texte.size()));
    }
    void arreter(int) override {}

private:
    int terminerApres(int ms) {
        const int id = ++dernier_;
        Timer* t = temps_.creerTimer(this, ms + 1, true);
        connect(t, &Timer::timeout, this, [this, t, id] {
            t->deleteLater();
            t->setEnabled(false);
            Q_EMIT requeteTerminee(id);
        });
        return id;
    }
    Temps& temps_;
    bool connecte_ = false;
    bool charge_ = false;
    int dernier_ = 0;
};
