// Corsabord's start: the real services, the game built on them, the event loop.
#include "app/copie_unique.h"
#include "base/dialogues.h"
#include "base/lecteur_actif.h"
#include "app/jeu.h"
#include "app/lancement.h"
#include "app/signaux.h"
#include "base/preferences.h"
#include "narrator/services.h"
#include "base/temps.h"
#include "base/terminal.h"
#include "app/porte_voix.h"
#include "audio/lecteur_sons.h"
#include "audio/serveur_son.h"
#include "narrator/compagnon_perroquet.h"
#include "screens/tformvoice.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

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
    // Before the lock and the socket, so that a logout while the game starts or ends still removes them.
    FinParSignal fin;
    CopieUnique copie(QDir::currentPath());
    if (!copie.prendre())
        return direDejaOuvert(copie);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The standard buttons in French ("Oui", "Non", "Annuler").
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    // Whether the player's screen reader runs, read once here and followed: the parrot hands it his texts.
    LecteurActif lecteurActif;
    TempsReel temps;
    DialoguesQt dialogues;
    LecteurSonsJeu sons;
    CompagnonPerroquet compagnon(nullptr, temps);
    PorteVoix porteVoix(compagnon, lecteurActif, QDir::currentPath());
    Services services{temps, dialogues, sons, compagnon};
    Jeu jeu(services, QDir::currentPath());
    QObject::connect(&copie, &CopieUnique::appelee, &jeu, [&jeu] {
        ramenerAuPremierPlan(jeu.flux.devant()->fenetre());
        jeu.flux.rappelee();
    });
    // The desktop's logout, Ctrl+C, the terminal closed: the same end as the window closed.
    QObject::connect(&fin, &FinParSignal::finDemandee, &jeu.flux, &FluxEcrans::fermer);
    QObject::connect(&jeu.flux, &FluxEcrans::finDuJeu, &app, &QApplication::exit, Qt::QueuedConnection);
    // No sound server: said on the terminal and at the head of the balloon, as a missing voice is.
    jeu.flux.setSansSon(serveurDeSonInjoignable());
    if (!jeu.creer())
        return 1;
    // The voice screen's own voice goes where the parrot's does.
    QObject::connect(&porteVoix, &PorteVoix::lecteurChoisi, jeu.voice, &TFormVoice::setLecteur);
    porteVoix.setParole([&jeu](const QString& texte) { jeu.narrateur.Parle(texte); },
                        [&jeu](const QString& texte) { return jeu.narrateur.ajouterALaSuite(texte); });
    jeu.demarrer();
    porteVoix.demarrer();
    return app.exec();
}
} // namespace

int main(int argc, char** argv) {
    return jouer(argc, argv);
}
