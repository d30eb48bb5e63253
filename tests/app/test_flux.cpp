// The flow between the screens, driven through two screens that are only notes: no window at all.
#include "app/flux.h"

#include "base/reglages.h"
#include "base/timer.h"
#include "narrator/narrateur.h"
#include "support/faux.h"
#include "support/temps_virtuel.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList liste(std::initializer_list<const char*> textes) {
    QStringList l;
    for (const char* t : textes)
        l << QString::fromUtf8(t);
    return l;
}

// A screen that notes what the flow does with it, in one trace shared by all.
template <typename Vue> class FauxEcranDe : public Vue {
public:
    FauxEcranDe(const char* nom, QStringList& trace)
        : nom_(QString::fromUtf8(nom))
        , trace_(trace) {}
    void montrer() override { note("montrer"), visible_ = true; }
    void cacher() override { note("cacher"), visible_ = false; }
    bool visible() const override { return visible_; }
    void passerDevant() override { note("devant"); }
    void activer() override {
        note("activer");
        if (pendantActivation)
            pendantActivation();
    }
    void montrerPlateau(bool visible) override { note(visible ? "plateau" : "sans plateau"); }
    void repeindre() override {}
    void fermerCommandes() override { note("fermé"); }
    QWidget* fenetre() override { return nullptr; }
    std::function<void()> pendantActivation;

protected:
    void note(const char* quoi) { trace_ << nom_ + QLatin1Char(' ') + QString::fromUtf8(quoi); }

private:
    QString nom_;
    QStringList& trace_;
    bool visible_ = false;
};
using FauxEcran = FauxEcranDe<VueEcran>;

class FausseBataille : public FauxEcranDe<VueBatailleEcran> {
public:
    FausseBataille(QStringList& trace, Temps& temps)
        : FauxEcranDe("bataille", trace)
        , paix_(temps.creerTimer(nullptr, 15000)) {}
    void engager() override { note("engager"); }
    void adieux() override { adieux_ = true, paix_->setEnabled(false); }
    bool enAdieux() const override { return adieux_; }
    bool commande(const QKeySequence&) override { return false; }
    Timer& paix() override { return *paix_; }

private:
    std::unique_ptr<Timer> paix_;
    bool adieux_ = false;
};

// The voice screen and the About card, each noting the screen it opened over and what it said.
class FauxCote : public EcransDeCote {
public:
    FauxCote(QStringList& trace, std::function<void()>& pendant)
        : trace_(trace)
        , pendant_(pendant) {}
    std::optional<ChoixVoix> choisirVoix(VueEcran&) override {
        trace_ << QStringLiteral("voix");
        if (pendant_)
            pendant_();
        return choix;
    }
    void aPropos(VueEcran&) override {
        trace_ << QStringLiteral("à propos");
        if (pendant_)
            pendant_();
    }
    QString sansVoix() const override { return QString(); }
    std::optional<ChoixVoix> choix;

private:
    QStringList& trace_;
    std::function<void()>& pendant_;
};

struct Banc {
    TempsVirtuel temps;
    FauxCompagnon compagnon;
    FauxDialogues dialogues;
    FauxSons sons;
    QTemporaryDir dossier;
    Narrateur narrateur{compagnon, dialogues, sons};
    FluxEcrans flux{narrateur, dialogues, dossier.path()};
    QStringList trace;
    std::function<void()> pendantCote;
    FausseBataille bataille{trace, temps};
    FauxEcran port{"port", trace};
    FauxCote cote{trace, pendantCote};
    QList<int> fins;

    Banc() {
        flux.setEcrans(&bataille, &port, &cote);
        QObject::connect(&narrateur, &Narrateur::requeteTerminee, &flux, &FluxEcrans::requeteTerminee);
        QObject::connect(&flux, &FluxEcrans::finDuJeu, [this](int statut) { fins << statut; });
        // As the battle screen does at its first activation: Ctrl+N, the harbour.
        bataille.pendantActivation = [this] {
            if (!engage)
                flux.placer();
            trace << QStringLiteral("bataille parle");
        };
        EXPECT_TRUE(flux.installer());
        flux.demarrer();
    }
    bool engage = false;
    QStringList prendre() { return std::exchange(trace, {}); }
};

TEST(FluxEcrans, DemarrageEngagementRetourAuPort) {
    Banc b;
    // The harbour shown during the battle screen's activation is activated once that one is over.
    EXPECT_EQ(b.prendre(), (liste({"bataille montrer", "bataille activer", "port montrer", "port devant",
                                   "bataille parle", "port activer"})));
    EXPECT_EQ(b.flux.devant(), static_cast<VueEcran*>(&b.port));
    // Ctrl+N while the harbour is in front changes nothing.
    b.flux.placer();
    EXPECT_TRUE(b.prendre().isEmpty());

    b.engage = true;
    b.flux.engager();
    EXPECT_EQ(b.prendre(), liste({"bataille engager", "port cacher", "bataille devant", "bataille activer",
                                  "bataille parle"}));
    EXPECT_EQ(b.flux.devant(), static_cast<VueEcran*>(&b.bataille));

    b.flux.placer();
    EXPECT_EQ(b.prendre(), (liste({"port montrer", "port devant", "port activer"})));
    b.flux.rappelee();
    EXPECT_EQ(b.compagnon.paroles.last(), QStringLiteral("Je suis déjà là, amiral."));
    EXPECT_TRUE(b.fins.isEmpty());
}

TEST(FluxEcrans, EcransDeCoteParDessusChaqueEcran) {
    struct Cas {
        bool auPort;
        bool depuisLePort; // the About card asked for by the harbour
        QStringList aPropos;
    };
    const QList<Cas> cas = {
        {true, true, liste({"port sans plateau", "à propos", "port plateau"})},
        {true, false,
         liste(
             {"port sans plateau", "bataille sans plateau", "à propos", "bataille plateau", "port plateau"})},
        {false, false,
         liste(
             {"port sans plateau", "bataille sans plateau", "à propos", "bataille plateau", "port plateau"})},
    };
    for (const Cas& c : cas) {
        Banc b;
        if (!c.auPort) {
            b.engage = true;
            b.flux.engager();
        }
        b.prendre();
        b.bataille.paix().setEnabled(true);
        bool paixPendant = true;
        b.pendantCote = [&] {
            paixPendant = b.bataille.paix().isEnabled();
            // The battle speaks behind the screen: it waits for the return.
            b.narrateur.Parle(QStringLiteral("Feu ennemi!"));
        };
        b.flux.aPropos(c.depuisLePort);
        EXPECT_EQ(b.prendre(), c.aPropos) << c.auPort << c.depuisLePort;
        EXPECT_EQ(paixPendant, c.depuisLePort);
        EXPECT_TRUE(b.bataille.paix().isEnabled());
        EXPECT_EQ(b.compagnon.paroles.mid(b.compagnon.paroles.size() - 2),
                  liste({"Je reviens au jeu", "Feu ennemi!"}));

        // The voice screen: Escape keeps the settings, Enter saves the voice chosen.
        for (const bool entree : {false, true}) {
            b.cote.choix = entree
                               ? std::optional(EcransDeCote::ChoixVoix{QStringLiteral("{f3}"), 200, 60, 80})
                               : std::nullopt;
            b.flux.voix();
            EXPECT_EQ(b.prendre(), liste({"voix"}));
            EXPECT_FALSE(paixPendant);
            EXPECT_TRUE(b.bataille.paix().isEnabled());
            EXPECT_EQ(b.flux.MemoConfig.value(1),
                      entree ? QStringLiteral("{f3}") : reglagesParDefaut().value(1));
            EXPECT_EQ(b.compagnon.paroles.mid(b.compagnon.paroles.size() - 2),
                      liste({"Je reviens au jeu", "Feu ennemi!"}));
        }
        EXPECT_TRUE(b.fins.isEmpty());
    }
}

TEST(FluxEcrans, QuitterNonPuisOui) {
    Banc b;
    b.prendre();
    b.dialogues.reponse = false;
    b.flux.quitter();
    EXPECT_EQ(b.dialogues.questions.size(), 1);
    EXPECT_EQ(b.compagnon.paroles.last(),
              QStringLiteral("Votre courage vous honore, amiral, nous retournons au combat!"));
    EXPECT_FALSE(b.bataille.enAdieux());
    EXPECT_TRUE(b.prendre().isEmpty());

    b.dialogues.reponse = true;
    b.flux.quitter();
    EXPECT_TRUE(b.bataille.enAdieux());
    EXPECT_EQ(b.prendre(), liste({"bataille fermé", "port fermé"}));
    // Nothing else is asked or started while the parrot says goodbye.
    const qsizetype dits = b.compagnon.paroles.size();
    b.flux.quitter();
    b.flux.placer();
    b.flux.engager();
    b.flux.rappelee();
    EXPECT_EQ(b.compagnon.paroles.size(), dits);
    EXPECT_EQ(b.dialogues.questions.size(), 2);
    EXPECT_TRUE(b.prendre().isEmpty());
    // The game ends when the parrot has hidden, not before.
    ASSERT_NE(b.flux.requete_adieu(), 0);
    b.compagnon.terminer(b.flux.requete_adieu() - 1);
    EXPECT_TRUE(b.fins.isEmpty());
    b.compagnon.terminer(b.flux.requete_adieu());
    EXPECT_EQ(b.fins, QList<int>{0});
}

} // namespace
