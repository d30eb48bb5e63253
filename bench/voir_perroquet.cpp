// A look at the narrator: a 1024 by 800 window where the parrot shows itself, greets and speaks.
#include "base/dialogues.h"
#include "base/temps.h"
#include "narrator/compagnon_perroquet.h"
#include "narrator/narrateur.h"
#include "audio/sons.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class BipSeul : public LecteurSons {
public:
    void JouerSon(const QByteArray&) override {}
    void Bip() override { std::puts("bip"); }
};

// A sea-blue backdrop standing in for the battle screen.
class Fond : public QWidget {
public:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(24, 70, 120));
        p.setPen(QColor(200, 220, 240));
        for (int y = 40; y < height(); y += 48)
            p.drawLine(0, y, width(), y);
    }
};

} // namespace

// Arguments: [text to say] [voice mode identifier] [scale] [ms before the farewell]
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString texte = args.size() > 1
                              ? args.at(1)
                              : QStringLiteral("Bonjour amiral! Ça fait plaisir de vous voir à bord. Hissez "
                                               "les voiles, fiston, l'ennemi approche: à vos canons!");
    const QString mode =
        args.size() > 2 ? args.at(2) : QStringLiteral("0879a4e0-a92c-11d1-B17B-0020AFED142E");
    Fond fenetre;
    fenetre.resize(1024, 800);
    fenetre.show();
    TempsReel temps;
    DialoguesQt dialogues;
    BipSeul sons;
    CompagnonPerroquet compagnon(&fenetre, temps);
    if (args.size() > 3)
        compagnon.setEchelle(args.at(3).toDouble(), QPoint(0, 0));
    Narrateur narrateur(compagnon, dialogues, sons);
    narrateur.setFenetre(&fenetre);
    if (!narrateur.InstalPeedy({QStringLiteral("MemoConfig"), mode}))
        return 1;
    QObject::connect(&compagnon, &ServiceCompagnon::requeteTerminee,
                     [](int id) { std::printf("requête %d terminée\n", id); });
    QTimer::singleShot(1500, &narrateur, [&] { narrateur.Parle(texte); });
    // then the farewell, as after a confirmed quit: the end of "Hide" ends the program
    int adieu = -1;
    QObject::connect(&compagnon, &ServiceCompagnon::requeteTerminee, &app, [&](int id) {
        if (id == adieu) {
            narrateur.liberer();
            app.quit();
        }
    });
    const int avantAdieu = args.size() > 4 ? args.at(4).toInt() : 9000;
    QTimer::singleShot(avantAdieu, &narrateur, [&] {
        narrateur.jouer(QStringLiteral("Wave"));
        narrateur.Parle(
            QStringLiteral("Nous retournons à terre, amiral. Au revoir, et à bientôt pour un autre combat!"));
        adieu = narrateur.jouer(QStringLiteral("Hide"));
    });
    return app.exec();
}
