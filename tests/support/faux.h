// Fakes of the game's services that record what the game asked of them.
#pragma once

#include "base/dialogues.h"
#include "narrator/compagnon.h"
#include "audio/moteur_parole.h"
#include "audio/sons.h"
#include "audio/sortie_parole.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>

// A character service that completes nothing by itself: the test calls terminer().
class FauxCompagnon : public ServiceCompagnon {
    Q_OBJECT
public:
    using ServiceCompagnon::ServiceCompagnon;

    void setConnecte(bool connecte) override;
    bool connecte() const override { return connecte_; }
    bool personnageExiste(const QString&) const override { return fichierPresent; }
    bool charger(const QString& id, const QString& cle) override;
    bool personnage(const QString& id) const override { return charges_.contains(id); }
    void decharger(const QString& id) override;
    QString raisonAbsence() const override { return raison; }
    int montrer() override;
    void placer(int gauche, int haut) override;
    int jouer(const QString& animation) override;
    void setLangue(int langue) override;
    bool setModeVoix(const QString& mode) override;
    int parler(const QString& texte) override;
    int parlerPlace(const QString& texte, double balance) override;
    void appliquerReglages(const TagsParole& tags) override { reglages << tags; }
    void arreter(int requete) override;

    // Reports the completion of a request.
    void terminer(int requete) { Q_EMIT requeteTerminee(requete); }

    // What the fake answers.
    bool fichierPresent = true;
    bool fichierLisible = true;
    QString raison; // why the character is missing, as the service would tell it
    QString modeAccepte = QStringLiteral("{0879a4e0-a92c-11d1-B17B-0020AFED142E}");

    // What it was asked, in order: "parler: texte", "arreter: 3", "jouer: Greet", ...
    QStringList journal;
    QStringList paroles;        // the texts spoken, in order (the warm-up blanks included)
    QList<double> balances;     // where each of them was placed
    QList<TagsParole> reglages; // the speech settings applied, in order
    QList<int> arretees;
    int derniereRequete = 0;

    // The animation requests by name, last one first found.
    int requeteDe(const QString& animation) const;

private:
    bool connecte_ = false;
    QSet<QString> charges_;
    QList<QPair<int, QString>> animations_;
};

class FauxDialogues : public Dialogues {
public:
    bool ouiNon(QWidget*, const QString& titre, const QString& texte) override;
    void avertir(QWidget*, const QString& texte) override;
    void executer(QDialog* ecran) override;

    bool reponse = false;
    QStringList questions;
    QStringList avertissements;
    QList<QDialog*> ecrans;
    // Run while a modal screen is "open", before it is closed.
    std::function<void(QDialog*)> pendant;
};

class FauxSons : public LecteurSons {
public:
    void JouerSon(const QByteArray& clip) override { JouerSonPlace(clip, 0); }
    void JouerSonPlace(const QByteArray& clip, double balance) override {
        clips.append(clip);
        balances.append(balance);
    }
    void JouerSignal(const QByteArray& clip, double balance) override {
        signaux.append(clip);
        balancesSignaux.append(balance);
    }
    void JouerSuite(const QList<SonPlace>& sons) override { suites.append(sons); }
    void ArreterSuite() override { ++arrets; }
    void Bip() override { ++bips; }

    QList<QList<SonPlace>> suites; // the glances
    int arrets = 0;
    QList<QByteArray> clips;
    QList<double> balances;
    QList<QByteArray> signaux; // the cues of keys that did nothing
    QList<double> balancesSignaux;
    int bips = 0;
};

// A speech engine that makes no sound: it notes each text with the voice it was asked in.
class FauxMoteurParole : public MoteurParole {
    Q_OBJECT
public:
    explicit FauxMoteurParole(const QList<VoixFrancaise>& voix)
        : voixInstallees(voix) {}

    int frequence() const override { return 22050; }
    QList<VoixFrancaise> voix() const override { return voixInstallees; }
    bool choisirVoix(const QString& nom) override {
        const bool connue = std::any_of(voixInstallees.cbegin(), voixInstallees.cend(),
                                        [&](auto& v) { return v.nom == nom; });
        choisie_ = connue ? nom : choisie_;
        return connue;
    }
    QString voixChoisie() const override { return choisie_; }
    Reglages reglages() const override { return reglagesCourants; }
    void appliquer(const TagsParole& tags) override {
        const Reglages voix;
        reglagesCourants = {tags.vitesse.value_or(voix.vitesse), tags.hauteur.value_or(voix.hauteur),
                            tags.volume.value_or(voix.volume)};
    }
    void dire(int, const QString& texte, std::shared_ptr<ArriveeSon>) override {
        dits.append({choisie_, texte});
    }
    void arreter(int) override {}

    struct Dit {
        QString voix;
        QString texte;
        bool operator==(const Dit&) const = default;
    };
    QList<Dit> dits;
    Reglages reglagesCourants;
    QList<VoixFrancaise> voixInstallees;

private:
    QString choisie_ = QStringLiteral("fr");
};

// An output that hears nothing, as on a machine without sound.
class SortieMuette : public SortieParole {
    Q_OBJECT
public:
    using SortieParole::SortieParole;
    bool disponible() const override { return false; }
    void commencer(int) override {}
    void ecrire(const QByteArray&) override {}
    void terminer() override {}
    void couper() override {}
    qint64 entendus() const override { return 0; }
};
