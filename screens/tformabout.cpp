// The About screen.
#include "screens/tformabout.h"

#include "screens/aide.h"

#include "base/terminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {
const QColor BLEU(0, 0, 192);
const QColor BLEU_MARINE(0, 48, 106);

QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte, const QColor& couleur = QColor()) {
    auto* label = new QLabel(texte, parent);
    label->setObjectName(QLatin1String(nom));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if (couleur.isValid()) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, couleur);
        label->setPalette(pal);
    }
    return label;
}
// The desktop's opener, xdg-open (or the browser itself). What it and the viewer it starts print goes
// nowhere: the game's terminal has only the game's own lines. It may last as long as the viewer it starts: a
// game that ends leaves it running rather than close the player's viewer.
class Ouvreur : public QProcess {
public:
    using QProcess::QProcess;
    ~Ouvreur() override { setProcessState(QProcess::NotRunning); }
};
} // namespace

TFormAbout::TFormAbout(QWidget* parent)
    : EcranModal(QRect(130, 211, 164, 320), parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("A propos..."));
    QPalette blanc = palette();
    blanc.setColor(QPalette::Window, Qt::white);
    blanc.setColor(QPalette::WindowText, Qt::black);
    setPalette(blanc);
    setAutoFillBackground(true);

    // OK first: it has the keyboard when the screen opens, so Space and Enter press it.
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    placer(Button1, QRect(40, 272, 91, 25));
    connect(Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);

    Image2 = new ImageEcran(QStringLiteral("ICONE"), this);
    Image2->setObjectName(QStringLiteral("Image2"));
    placer(Image2, QRect(48, 5, 60, 60));
    // The title is a little wider than its design box in our serif: centred over the whole screen.
    l1 = etiquette(this, "l1", NOM_JEU, BLEU);
    placer(l1, QRect(0, 64, 164, 36), policeTitre(32));
    l2 = etiquette(this, "l2", VERSION_JEU, BLEU);
    placer(l2, QRect(40, 96, 84, 19), policeTitre(16));
    Label1 = etiquette(this, "Label1", EDITEUR);
    placer(Label1, QRect(40, 120, 84, 24), policeDialogue(19));
    QLabel* rue = etiquette(this, "Label2", QStringLiteral("7, quai des Corsaires"));
    placer(rue, QRect(8, 144, 148, 14));
    QLabel* ville = etiquette(this, "Label3", QStringLiteral("Port-Marelis, Bretagne"));
    placer(ville, QRect(8, 160, 148, 14));
    Image1 = new ImageEcran(QStringLiteral("LOGO"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    placer(Image1, QRect(16, 176, 134, 72));
    l4 = etiquette(this, "l4", AUTEUR);
    placer(l4, QRect(8, 250, 149, 14));
    QLabel* droits = etiquette(this, "Label4", QStringLiteral("© 2026 Marelis, GPL 3 ou +"));
    placer(droits, QRect(8, 302, 148, 14));

    // The handbook is one key away, for the player who reads the card through a screen reader; the
    // parrot's words on this screen stay as they are.
    ouvrir = [this](const QUrl& adresse) { ouvrirAvecLeBureau(adresse); };
    setAccessibleDescription(QStringLiteral("F1 : ouvrir le manuel du joueur."));
    Button1->setToolTip(QStringLiteral("F1 : le manuel du joueur"));
}

void TFormAbout::showEvent(QShowEvent* event) {
    EcranModal::showEvent(event);
    Button1->setFocus();
    FormShow();
}

void TFormAbout::FormShow() {
    Q_EMIT parle(texteAPropos());
}

void TFormAbout::Button1Click() {
    fermer(QDialog::Accepted);
}

void TFormAbout::reject() {
    fermer(QDialog::Rejected);
}

void TFormAbout::fermer(int resultat) {
    if (!isVisible())
        return;
    Q_EMIT parle(QStringLiteral("Retour au jeu"));
    done(resultat);
}

void TFormAbout::paintEvent(QPaintEvent* event) {
    EcranModal::paintEvent(event);
    // A thin navy edge, so that the white card stands clear of the sea around it.
    QPainter p(this);
    const int trait = std::max(1, static_cast<int>(std::lround(echelle())));
    p.setPen(QPen(BLEU_MARINE, trait));
    p.drawRect(QRectF(trait / 2.0, trait / 2.0, width() - trait, height() - trait));
}

void TFormAbout::ouvrirAvecLeBureau(const QUrl& adresse) {
    const QString manuel = adresse.toLocalFile();
    if (!QFileInfo(manuel).isFile()) {
        manuelFerme(manuel, QStringLiteral("il est introuvable"));
        return;
    }
    // the desktop's choice, else Debian's own default browser
    QString programme = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (programme.isEmpty())
        programme = QStandardPaths::findExecutable(QStringLiteral("x-www-browser"));
    if (programme.isEmpty()) {
        manuelFerme(manuel, QStringLiteral("aucun navigateur n'est installé"));
        return;
    }
    auto* ouvreur = new Ouvreur(this);
    ouvreur->setStandardInputFile(QProcess::nullDevice());
    ouvreur->setStandardOutputFile(QProcess::nullDevice());
    ouvreur->setStandardErrorFile(QProcess::nullDevice());
    connect(ouvreur, &QProcess::finished, this, [this, ouvreur, manuel](int code, QProcess::ExitStatus fin) {
        ouvreur->deleteLater();
        if (fin != QProcess::NormalExit || code != 0)
            manuelFerme(manuel, QStringLiteral("aucun navigateur ne l'a pris"));
    });
    connect(ouvreur, &QProcess::errorOccurred, this,
            [this, ouvreur, manuel, programme](QProcess::ProcessError erreur) {
                if (erreur != QProcess::FailedToStart)
                    return;
                ouvreur->deleteLater();
                manuelFerme(manuel, QFileInfo(programme).fileName() + QStringLiteral(" n'a pas pu démarrer"));
            });
    ouvreur->start(programme, {adresse.toString(QUrl::FullyEncoded)});
}

void TFormAbout::manuelFerme(const QString& manuel, const QString& raison) {
    direAuTerminal(QStringLiteral("Corsabord : le manuel du joueur %1 n'a pas pu être ouvert : %2.")
                       .arg(QDir::toNativeSeparators(manuel), raison));
    Q_EMIT parle(
        QStringLiteral("Hélas, amiral, le manuel du joueur n'a pas pu être ouvert : %1.").arg(raison));
}

void TFormAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ouvrir(QUrl::fromLocalFile(cheminDuManuel(QCoreApplication::applicationDirPath())));
        return;
    }
    // Any character key the button leaves to the screen takes the player back too.
    if (event->key() != Qt::Key_Escape && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        Button1Click();
        return;
    }
    EcranModal::keyPressEvent(event);
}
