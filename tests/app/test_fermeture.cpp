// The window manager's close (Alt+F4, the title bar's cross) on either of the game's windows.
#include "support/jeu.h"

#include <QWindow>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
QByteArray contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(Fermeture, LaFenetreDuPortOuDeLaBatailleFermeeFinitLeJeuAussitot) {
    for (const bool auPort : {true, false}) {
        SCOPED_TRACE(auPort ? "port" : "bataille");
        JeuDeTest jeu;
        ASSERT_TRUE(jeu.creer());
        jeu.demarrer();
        ASSERT_TRUE(jeu.test->isVisible());
        const QString reglages = jeu.dossier.filePath(QStringLiteral("Config.Txt"));
        const QByteArray avant = contenu(reglages);
        const QDateTime ecrit = QFileInfo(reglages).lastModified();
        const QStringList dit = jeu.compagnon.paroles;

        // Through the window, as the window manager's request comes.
        QWidget* fenetre = auPort ? static_cast<QWidget*>(jeu.test) : jeu.bataille.get();
        ASSERT_NE(fenetre->windowHandle(), nullptr);
        fenetre->windowHandle()->close();
        JeuDeTest::traiterEvenements();

        // Over at once, as a normal end: no question, no farewell, no parrot left talking on a bare screen.
        EXPECT_EQ(jeu.fins, QList<int>{0});
        EXPECT_TRUE(jeu.dialogues.questions.isEmpty());
        EXPECT_EQ(jeu.compagnon.paroles, dit);
        EXPECT_EQ(contenu(reglages), avant);
        EXPECT_EQ(QFileInfo(reglages).lastModified(), ecrit);
    }
}
