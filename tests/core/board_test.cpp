#include "board.h"

#include <gtest/gtest.h>

#include "board_geometry.h"
#include "board_helpers.h"
#include "form_load.h"

namespace apqr {
namespace {

using testing::Form;

TEST(StartUp, CellOneMovesBesideCellZeroAndTheBoardIsNotBuilt) {
    Board fresh;
    EXPECT_EQ(fresh.cell(1).left, 1200);

    Form form;
    EXPECT_EQ(form.state.m, 2);
    ASSERT_EQ(form.board.cellCount(), 2);
    EXPECT_EQ(form.board.cell(1).left, 1144.5F);
    for (const Cell& cell : form.board.cells()) {
        EXPECT_EQ(cell.color, CellColor::Default);
        EXPECT_EQ(cell.text, cell.tooltip());
    }
    EXPECT_EQ(form.board.text2(), "2");
    EXPECT_EQ(form.board.text5(), "2");
    EXPECT_EQ(form.board.text3(), "");
    EXPECT_EQ(form.board.tafelInteriorHeightTwips(), 1875);
    EXPECT_EQ(form.board.scrollMax(), 1000);
}

TEST(HeaderLabels, StandAboveTheColumnsAndBesideTheRows) {
    EXPECT_EQ(columnHeader(0).left, 600);
    EXPECT_EQ(columnHeader(24).left, 600 + 24 * 544.5F);
    EXPECT_EQ(columnHeader(24).top, 240);
    EXPECT_EQ(columnHeader(24).caption, "24");
    EXPECT_EQ(rowHeader(20).left, 0);
    EXPECT_FLOAT_EQ(rowHeader(20).top, 720 + 20 * 412.5F);
    EXPECT_EQ(rowHeader(20).caption, "500");
    // Each row header names its row's first cell and sits at its height.
    Form form;
    ASSERT_TRUE(form.build("600").ok());
    for (int r = 0; r < geometry::kRowHeaders; ++r) {
        EXPECT_EQ(rowHeader(r).caption, form.board.cell(25 * r).tooltip());
        EXPECT_NEAR(rowHeader(r).top, form.board.cell(25 * r).top + 120, 0.01);
    }
}

TEST(ProgressionTerm, WrapsAroundAndNeverGoesNegative) {
    EXPECT_EQ(progressionTerm(7, 3, 3, 9), 7);  // 7 + 9 wraps to 7
    EXPECT_EQ(progressionTerm(1, 4, 1, 8), 5);
    EXPECT_EQ(progressionTerm(3, -2, 3, 13), 10);  // 3 − 6 ≡ 10
    EXPECT_EQ(progressionTerm(0, 2147483647, 3, 32767),
              static_cast<int>((3LL * 2147483647) % 32767));
    EXPECT_EQ(progressionTerm(5, -2147483648LL, 3, 7),
              static_cast<int>(((5 - 3 * 2147483648LL) % 7 + 7) % 7));
}

TEST(HitTest, FindsTheCellUnderAPointAndNothingBetweenCells) {
    Form form;
    ASSERT_TRUE(form.build("3000").ok());
    const Board& board = form.board;
    for (const int index : {0, 1, 24, 25, 1234, 2999}) {
        const Cell& cell = board.cell(index);
        EXPECT_EQ(board.cellAt(cell.left + 1, cell.top + 1), index);
        EXPECT_EQ(board.cellAt(cell.left + cell.width - 1, cell.top + cell.height - 1), index);
        // the gaps of 10 % between cells belong to no cell
        EXPECT_EQ(board.cellAt(cell.left + cell.width + 1, cell.top + 1), -1);
        EXPECT_EQ(board.cellAt(cell.left + 1, cell.top + cell.height + 1), -1);
    }
    EXPECT_EQ(board.cellAt(10, 10), -1);
    EXPECT_EQ(board.cellAt(700, 1e7F), -1);
}

TEST(HitTest, RowsIntersectingABandAreTheOnesToPaint) {
    Form form;
    ASSERT_TRUE(form.build("100").ok());  // rows 0 … 3, tops 600, 1012.5, 1425, 1837.5
    EXPECT_EQ(form.board.rowCount(), 4);
    const RowRange all = form.board.rowsIntersecting(0, 1e6F);
    EXPECT_EQ(all.first, 0);
    EXPECT_EQ(all.last, 4);
    const RowRange middle = form.board.rowsIntersecting(1000, 1400);
    EXPECT_EQ(middle.first, 1);  // row 0 ends at 975, above the band
    EXPECT_EQ(middle.last, 2);   // row 2 starts at 1425, below it
    const RowRange below = form.board.rowsIntersecting(3000, 4000);
    EXPECT_EQ(below.first, below.last);
}

}  // namespace
}  // namespace apqr
