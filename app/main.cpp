// Corsabord's start: the services, the four screens in their order, the event loop.
#include "app/copie_unique.h"
#include "app/dialogues.h"
#include "app/flux.h"
#include "app/lancement.h"
#include "app/services.h"
#include "app/temps.h"
#include "battle/tbataille_navale.h"
#include "model/grilles.h"
#include "model/hasard.h"
#include "app/scene.h"
#include "app/preferences.h"
#include "narrator/braille_brlapi.h"
#include "narrator/compagnon_perroquet.h"
#include "narrator/lecteur_speechd.h"
#include "narrator/lecteur_sons.h"
#include "narrator/tformabout.h"
#include "narrator/tformvoice.h"
#include "placement/ttest.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

int jouer(int argc, char** argv) {
    installerMessagesDuJeu();
    if (const auto fin = preparerLancement(argc, argv))
        return *fin;
    QApplication app(argc, argv);
    lancementReussi();
    QApplication::setApplicationName(QStringLiteral("Corsabord"));
    // The menu entry's name: docks and Wayland compositors match the windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.corsabord.corsabord"));
    CopieUnique copie(QDir::currentPath());
    if (!copie.prendre())
        return direDejaOuvert(copie);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The standard buttons in French ("Oui", "Non", "Annuler").
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    TempsReel temps;
    DialoguesQt dialogues;
    LecteurSonsJeu sons;
    CompagnonPerroquet compagnon(nullptr, temps);
    // The player's own screen reader and braille display, as Corsabord.ini asks.
    const Preferences preferences(QDir::currentPath());
    std::unique_ptr<LecteurSpeechd> lecteur;
    if (preferences.lecteurEcran()) {
        QString raison;
        lecteur = LecteurSpeechd::ouvrir(&raison);
        if (!lecteur)
            direAuTerminal(QStringLiteral("Corsabord : speech-dispatcher est injoignable (%1) ; le perroquet "
                                          "parle de sa propre voix.")
                               .arg(raison));
        compagnon.setLecteur(lecteur.get());
    }
    if (preferences.braille()) {
        QString raison;
        std::unique_ptr<BrailleBrlapi> braille = BrailleBrlapi::ouvrir(&raison);
        if (!braille)
            direAuTerminal(QStringLiteral("Corsabord : pas de plage braille (%1) ; le jeu continue sans "
                                          "elle.")
                               .arg(raison));
        compagnon.setBraille(std::move(braille));
    }
    Services services{temps, dialogues, sons, compagnon};

    Partie partie;
    Hasard hasard(temps);

    // The four screens, in the order battle, voice, placement, About.
    TBataille_navale bataille(partie, hasard, services, QDir::currentPath());
    // The parrot stands in whichever game window is in front, on its scaled design.
    compagnon.setFenetre(&bataille);
    auto suivreEcran = [&compagnon](QWidget* fenetre) {
        compagnon.setFenetre(fenetre);
        if (auto* scene = fenetre->findChild<Scene*>())
            compagnon.setEchelle(scene->echelle(), scene->origine());
    };
    FluxEcrans flux(bataille);
    QObject::connect(&copie, &CopieUnique::appelee, &flux, [&flux] { ramenerAuPremierPlan(flux.devant()); });
    QObject::connect(&flux, &FluxEcrans::ecranAuPremierPlan, &compagnon, suivreEcran);
    QObject::connect(&bataille, &TBataille_navale::finDuJeu, &app, &QApplication::exit, Qt::QueuedConnection);
    if (!bataille.FormCreate())
        return 1;
    auto* voice = new TFormVoice(&bataille);
    voice->setMoteur(&compagnon.moteur());
    voice->setLecteur(lecteur.get());
    auto* test = new TTest(partie, hasard, flux, &bataille);
    auto* about = new TFormAbout(&bataille);
    bataille.setEcrans(voice, about);
    flux.setPort(test);
    for (QWidget* fenetre : {static_cast<QWidget*>(&bataille), static_cast<QWidget*>(test)}) {
        QObject::connect(fenetre->findChild<Scene*>(), &Scene::echelleChangee, &compagnon,
                         [&compagnon, fenetre](qreal k, QPoint origine) {
                             if (compagnon.fenetre() == fenetre)
                                 compagnon.setEchelle(k, origine);
                         });
    }

    flux.demarrer();
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    return jouer(argc, argv);
}
