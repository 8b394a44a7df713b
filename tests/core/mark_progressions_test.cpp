#include "mark_progressions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <set>
#include <string>

#include "board_helpers.h"
#include "text_conversions.h"

namespace apqr {
namespace {

using testing::Form;

struct CheckCase {
    std::string modulus;
    std::string difference;
    std::set<int> red;
    std::string text;  // written into the red cells
    int marked;        // progressions counted
    friend std::ostream& operator<<(std::ostream& out, const CheckCase& c) {
        return out << "m=" << c.modulus << " d=" << c.difference;
    }
};

class CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, MarksEveryProgressionOfTheDifference) {
    Form form;
    ASSERT_TRUE(form.build(GetParam().modulus).ok());
    const auto yellowBefore = form.cellsOf(CellColor::Yellow);
    form.board.setText5(GetParam().difference);
    form.state.onlyTrivial = 1;

    EXPECT_EQ(MarkProgressions(form.board, form.state), GetParam().marked);

    EXPECT_EQ(form.cellsOf(CellColor::Red), GetParam().red);
    EXPECT_EQ(form.state.onlyTrivial, GetParam().red.empty() ? 1 : 0);
    for (const Cell& cell : form.board.cells()) {
        const bool red = GetParam().red.count(cell.index) > 0;
        EXPECT_EQ(cell.text, red ? GetParam().text : "") << "cell " << cell.index;
        if (!red) {
            EXPECT_EQ(cell.color == CellColor::Yellow, yellowBefore.count(cell.index) > 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Differences, CheckTest,
    ::testing::Values(CheckCase{"13", "2", {1, 3, 10, 12}, "2", 1},
                      // 1, 6, 11, 16 and 4, 9, 14, 19; the starts 6, 9, … meet a red follower
                      // and fail, so 0, 21 and 24 stay yellow
                      CheckCase{"25", "5", {1, 6, 11, 16, 4, 9, 14, 19}, "5", 2},
                      CheckCase{"10", "5", {0, 1, 4, 5, 6, 9}, "5", 3},
                      CheckCase{"5", "2", {}, "", 0},
                      // the constant progression of every residue
                      CheckCase{"13", "0", {0, 1, 3, 4, 9, 10, 12}, "0", 7},
                      CheckCase{"13", "", {0, 1, 3, 4, 9, 10, 12}, "0", 7},
                      // d + m reaches the same cells but shows the larger number
                      CheckCase{"13", "15", {1, 3, 10, 12}, "15", 1},
                      // negative, fractional and huge differences work modulo m and
                      // show the rounded difference
                      CheckCase{"13", "-11", {1, 3, 10, 12}, "-11", 1},
                      CheckCase{"13", "2.5", {1, 3, 10, 12}, "2", 1},
                      CheckCase{"13", "1.5", {1, 3, 10, 12}, "2", 1},
                      CheckCase{
                          "13", "1e15", {}, "", 0},  // 1e15 ≡ −1 (mod 13): none of step 1 either
                      CheckCase{"13", "1000000000000003", {1, 3, 10, 12}, "1000000000000003", 1},
                      CheckCase{"25", "-2147483648", {}, "", 0},
                      CheckCase{"13", "1e999", {}, "", 0}, CheckCase{"13", "-1e999", {}, "", 0}));

TEST(Check, HugeDifferencesMarkTheSameCellsAsTheirRemainder) {
    for (const int m : {2, 7, 13, 25, 97, 1000}) {
        for (const double d : {1e15, -1e15, 4294967296.0 * 3 + 5, -2147483649.0, 1e300}) {
            Form reference;
            ASSERT_TRUE(reference.build(std::to_string(m)).ok());
            double r = std::fmod(d, m);
            if (r < 0) r += m;
            reference.board.setText5(std::to_string(static_cast<long long>(r)));
            MarkProgressions(reference.board, reference.state);

            Form form;
            ASSERT_TRUE(form.build(std::to_string(m)).ok());
            form.board.setText5(integerText(d));
            MarkProgressions(form.board, form.state);
            ASSERT_EQ(form.cellsOf(CellColor::Red), reference.cellsOf(CellColor::Red))
                << m << ' ' << d;
        }
    }
}

TEST(Check, ARedCellStartsButNeverContinuesAProgression) {
    Form form;
    ASSERT_TRUE(form.build("25").ok());
    form.board.setCellColor(6, CellColor::Red);
    form.board.setText5("5");
    MarkProgressions(form.board, form.state);
    // 1, 6, 11, 16 fails on the red 6; 6 itself starts 6, 11, 16, 21
    EXPECT_EQ(form.board.cell(1).color, CellColor::Yellow);
    EXPECT_EQ(form.board.cell(21).color, CellColor::Red);
    EXPECT_EQ(form.board.cell(6).text, "5");
}

}  // namespace
}  // namespace apqr
