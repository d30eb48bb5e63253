// Entry point of the screen tests: a QApplication on the offscreen platform, then GoogleTest.
#include "narrator/sons_qt.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

int tester(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int statut = RUN_ALL_TESTS();
    // the sound outputs let go by the last tests are deleted before the leak check at exit
    attendreLesSinksLaches();
    return statut;
}

} // namespace

int main(int argc, char** argv) {
    // as the game does: past Qt's sound engine teardown, which may abort at exit
    quitterLeJeu(tester(argc, argv));
}
