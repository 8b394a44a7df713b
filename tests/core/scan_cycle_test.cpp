#include "scan_cycle.h"

#include <gtest/gtest.h>

#include <vector>

#include "board_helpers.h"

namespace apqr {
namespace {

using testing::Form;

// Scans from `start` as the window does and returns the modulus it ends on.
int scanFrom(Form& form, int start) {
    form.state.stopRequested = false;
    for (int modulus = start + 1;; ++modulus) {
        if (RunScanCycle(form.board, form.state, modulus) != ScanStep::Continue) return modulus;
    }
}

TEST(Scan, EndsAtTheNextModulusWithOnlyTrivialProgressions) {
    Form form;
    EXPECT_EQ(scanFrom(form, 2), 3);
    EXPECT_EQ(scanFrom(form, 5), 7);
    EXPECT_EQ(scanFrom(form, 8), 11);
    EXPECT_EQ(scanFrom(form, 12), 15);
    EXPECT_EQ(form.board.text2(), "15");
    EXPECT_EQ(form.board.text3(), " 15 = 3 * 5");
    EXPECT_TRUE(form.cellsOf(CellColor::Red).empty());
    EXPECT_EQ(form.state.onlyTrivial, 1);
}

TEST(Scan, ASweepUpTo3000FindsExactlyTheKnownModuli) {
    const std::vector<int> expected{3,   4,   5,   7,   11,  12,  15,  20,  21,   28,
                                    33,  35,  44,  55,  60,  77,  84,  105, 132,  140,
                                    165, 220, 231, 308, 385, 420, 660, 924, 1155, 1540};
    Form form;
    std::vector<int> found;
    for (int m = 3; m <= 3000; ++m) {
        if (RunScanCycle(form.board, form.state, m) == ScanStep::OnlyTrivial) found.push_back(m);
    }
    EXPECT_EQ(found, expected);
}

TEST(Scan, AStopRequestEndsTheCycleEvenAfterAFind) {
    Form form;
    form.state.stopRequested = true;
    EXPECT_EQ(RunScanCycle(form.board, form.state, 9), ScanStep::StopRequested);
    EXPECT_EQ(form.state.onlyTrivial, 0);
    EXPECT_EQ(form.cellsOf(CellColor::Red), (std::set<int>{1, 4, 7}));
}

TEST(Scan, AModulusThatCannotBeBuiltEndsTheScanWithoutChange) {
    Form form;
    ASSERT_TRUE(form.build("9").ok());
    EXPECT_EQ(RunScanCycle(form.board, form.state, 40000), ScanStep::OutOfRange);
    EXPECT_EQ(form.board.cellCount(), 9);
}

}  // namespace
}  // namespace apqr
