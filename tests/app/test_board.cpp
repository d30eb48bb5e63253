// The boards' selection by keys and mouse, and the design scaled to the window.
#include "base/board.h"
#include "base/scene.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
QList<QPair<int, int>> cellules(const QSignalSpy& spy) {
    QList<QPair<int, int>> out;
    for (const auto& args : spy)
        out.append({args.at(0).toInt(), args.at(1).toInt()});
    return out;
}
} // namespace

TEST(Board, FlechesEtBordsAvecLegendeFixe) {
    Board board(true);
    board.resize(Board::COTE, Board::COTE);
    QSignalSpy spy(&board, &Board::SelectCell);
    EXPECT_EQ(board.col(), 1);
    EXPECT_EQ(board.row(), 1);
    QTest::keyClick(&board, Qt::Key_Left); // the legend strip is never selected
    QTest::keyClick(&board, Qt::Key_Up);
    EXPECT_EQ(spy.count(), 0);
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_End);
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_PageDown);
    QTest::keyClick(&board, Qt::Key_Home);
    EXPECT_EQ(cellules(spy), (QList<QPair<int, int>>{{2, 1}, {2, 2}, {12, 2}, {12, 12}, {1, 12}}));
}

TEST(Board, ReglerEnCodeAnnonceSeulementUnChangement) {
    Board board(true);
    QSignalSpy spy(&board, &Board::SelectCell);
    board.setRow(6);
    board.setCol(6);
    board.setRow(6);
    board.setCol(0); // clamped to the first playing column
    EXPECT_EQ(cellules(spy), (QList<QPair<int, int>>{{1, 6}, {6, 6}, {1, 6}}));
}

TEST(Board, LaSourisChoisitMemeLaCelluleDejaChoisieEtSuitLEchelle) {
    Board board(true);
    board.resize(Board::COTE * 2, Board::COTE * 2); // shown twice as large
    QSignalSpy choix(&board, &Board::SelectCell);
    QSignalSpy relache(&board, &Board::MouseUp);
    const QPoint c37 = board.centreCellule(3, 7);
    EXPECT_EQ(c37, QPoint((3 * 32 + 16) * 2, (7 * 32 + 16) * 2));
    QTest::mouseClick(&board, Qt::LeftButton, {}, c37);
    QTest::mouseClick(&board, Qt::RightButton, {}, c37);
    QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(10, 10)); // on the legend: no selection
    EXPECT_EQ(cellules(choix), (QList<QPair<int, int>>{{3, 7}, {3, 7}}));
    ASSERT_EQ(relache.count(), 3);
    EXPECT_EQ(relache.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(relache.at(1).at(1).toInt(), 3 * 32 + 16);
    EXPECT_EQ(relache.at(1).at(2).toInt(), 7 * 32 + 16);
}

TEST(Board, SansLegendeFixeLaCaseZeroSeChoisit) {
    Board board(false);
    QSignalSpy spy(&board, &Board::SelectCell);
    EXPECT_EQ(board.col(), 0);
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_Left);
    EXPECT_EQ(cellules(spy), (QList<QPair<int, int>>{{1, 0}, {0, 0}}));
}

TEST(Board, LesAutresTouchesSontRendues) {
    Board board(true);
    QSignalSpy touches(&board, &Board::KeyPress);
    QTest::keyClick(&board, Qt::Key_Space);
    ASSERT_EQ(touches.count(), 1);
    EXPECT_EQ(touches.first().at(0).toInt(), int(Qt::Key_Space));
}

TEST(Scene, LeDessinGardeSesProportionsSurToutEcran) {
    QWidget fenetre;
    auto* scene = new Scene(QStringLiteral("FOND_BATAILLE"), &fenetre);
    QWidget piece(scene);
    scene->placer(&piece, QRect(592, 112, 416, 416));
    fenetre.show();
    scene->resize(1920, 1080);
    const qreal k = 1080.0 / 800.0;
    EXPECT_DOUBLE_EQ(scene->echelle(), k);
    EXPECT_EQ(scene->origine(), QPoint(static_cast<int>((1920 - 1024 * k) / 2), 0));
    EXPECT_EQ(piece.geometry().topLeft(), scene->origine() + QPoint(qRound(592 * k), qRound(112 * k)));
    EXPECT_NEAR(piece.width(), 416 * k, 1.0);
    EXPECT_EQ(scene->versDesign(piece.geometry().topLeft() + QPoint(1, 1)), QPoint(592, 112));
    scene->resize(1024, 800);
    EXPECT_EQ(piece.geometry(), QRect(592, 112, 416, 416));
}
