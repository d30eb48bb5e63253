// Corsabord's start: the services, the four screens in their order, the event loop.
#include "app/compagnon_texte.h"
#include "app/dialogues.h"
#include "app/services.h"
#include "app/temps.h"
#include "battle/tbataille_navale.h"
#include "model/grilles.h"
#include "model/hasard.h"
#include "narrator/sons.h"
#include "narrator/tformabout.h"
#include "narrator/tformvoice.h"
#include "placement/ttest.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
class SansSon : public LecteurSons {
public:
    void JouerSon(const QByteArray&) override {}
    void Bip() override { QApplication::beep(); }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corsabord"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The standard buttons in French ("Oui", "Non", "Annuler").
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    TempsReel temps;
    DialoguesQt dialogues;
    SansSon sons;
    CompagnonTexte compagnon(temps);
    Services services{temps, dialogues, sons, compagnon};

    Partie partie;
    Hasard hasard(temps);

    // The four screens, in the order battle, voice, placement, About.
    TBataille_navale bataille(partie, hasard, services, QDir::currentPath());
    QObject::connect(&bataille, &TBataille_navale::finDuJeu, &app, &QApplication::exit, Qt::QueuedConnection);
    if (!bataille.FormCreate())
        return 1;
    auto* voice = new TFormVoice(&bataille);
    auto* test = new TTest(bataille);
    auto* about = new TFormAbout(&bataille);
    bataille.setEcrans(voice, test, about);

    bataille.demarrer();
    return app.exec();
}
