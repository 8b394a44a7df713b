#include "progression_search.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "board_helpers.h"

namespace apqr {
namespace {

using testing::Form;

struct SearchCase {
    std::string modulus;
    bool found;
    std::set<int> red;
    std::string text;  // written into the red cells
    friend std::ostream& operator<<(std::ostream& out, const SearchCase& c) {
        return out << c.modulus;
    }
};

class SearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchTest, MarksTheProgressionWithTheSmallestDifference) {
    Form form;
    ASSERT_TRUE(form.build(GetParam().modulus).ok());
    const auto yellowBefore = form.cellsOf(CellColor::Yellow);

    EXPECT_EQ(SearchProgression(form.board, form.state), GetParam().found);

    EXPECT_EQ(form.cellsOf(CellColor::Red), GetParam().red);
    for (const Cell& cell : form.board.cells()) {
        const bool red = GetParam().red.count(cell.index) > 0;
        EXPECT_EQ(cell.text, red ? GetParam().text : "") << "cell " << cell.index;
        if (!red) {
            EXPECT_EQ(cell.color == CellColor::Yellow, yellowBefore.count(cell.index) > 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Moduli, SearchTest,
                         ::testing::Values(SearchCase{"3", false, {}, ""},
                                           SearchCase{"8", true, {0, 4}, "4"},     // 0, 4, 0, 4
                                           SearchCase{"9", true, {1, 4, 7}, "3"},  // 1, 4, 7, 1
                                           SearchCase{"2", true, {0, 1}, "1"},     // 0, 1, 0, 1
                                           SearchCase{"13", true, {1, 3, 10, 12}, "2"},
                                           SearchCase{"1540", false, {}, ""},
                                           SearchCase{"4620", false, {}, ""}));

TEST(Search, RightAfterStartUpTheDefaultColourCountsAsMember) {
    Form form;
    ASSERT_TRUE(SearchProgression(form.board, form.state));
    EXPECT_EQ(form.cellsOf(CellColor::Red), (std::set<int>{0, 1}));
    EXPECT_EQ(form.board.cell(0).text, "1");
}

TEST(Search, RedCellsCountSoARepeatedSearchFindsTheSameProgression) {
    Form form;
    ASSERT_TRUE(form.build("9").ok());
    ASSERT_TRUE(SearchProgression(form.board, form.state));
    const auto red = form.cellsOf(CellColor::Red);
    ASSERT_TRUE(SearchProgression(form.board, form.state));
    EXPECT_EQ(form.cellsOf(CellColor::Red), red);
    EXPECT_EQ(form.state.d, 3);
    EXPECT_EQ(form.state.a, 1);
}

TEST(Search, LeavesTheLoopVariablesWhereTheLoopsEnd) {
    Form form;
    ASSERT_TRUE(form.build("9").ok());
    ASSERT_TRUE(SearchProgression(form.board, form.state));
    EXPECT_EQ(form.state.d, 3);
    EXPECT_EQ(form.state.a, 1);
    EXPECT_EQ(form.state.k, 4);
    EXPECT_EQ(form.state.hit, 1);

    ASSERT_TRUE(form.build("7").ok());  // yellow 0, 1, 2, 4; nothing found
    ASSERT_FALSE(SearchProgression(form.board, form.state));
    EXPECT_EQ(form.state.d, 7);
    EXPECT_EQ(form.state.a, 7);
    EXPECT_EQ(form.state.k, 4);
    EXPECT_EQ(form.state.hit, 0);  // cell 6 is white
}

// The search as the plain double loop reads four colours per pair; the
// word-parallel search must agree with it on every board.
struct Reference {
    bool found = false;
    int d = 0;
    int a = 0;
};

Reference plainSearch(const Board& board, int m) {
    for (int d = 1; d < m; ++d) {
        for (int a = 0; a < m; ++a) {
            bool hit = board.cell(a).color != CellColor::White;
            for (int k = 1; k <= 3; ++k) {
                if (board.cell(progressionTerm(a, d, k, m)).color == CellColor::White) hit = false;
            }
            if (hit) return {true, d, a};
        }
    }
    return {};
}

TEST(Search, AgreesWithThePlainDoubleLoopOnRandomBoards) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 600; ++round) {
        const int m = 2 + static_cast<int>(random() % 300);
        Form form;
        ASSERT_TRUE(form.build(std::to_string(m)).ok());
        // Sparse colourings, with red and default cells among the members.
        const int density = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < m; ++i) {
            const auto roll = random() % 16;
            const CellColor color = roll < static_cast<unsigned>(density)
                                        ? (roll % 3 == 0   ? CellColor::Red
                                           : roll % 3 == 1 ? CellColor::Default
                                                           : CellColor::Yellow)
                                        : CellColor::White;
            form.board.setCellColor(i, color);
        }
        const Reference expected = plainSearch(form.board, m);
        ASSERT_EQ(SearchProgression(form.board, form.state), expected.found) << "m = " << m;
        if (expected.found) {
            ASSERT_EQ(form.state.d, expected.d) << "m = " << m;
            ASSERT_EQ(form.state.a, expected.a) << "m = " << m;
        }
    }
}

TEST(Search, AgreesWithThePlainDoubleLoopOnTheResiduesOfEveryModulusUpTo400) {
    for (int m = 2; m <= 400; ++m) {
        Form form;
        ASSERT_TRUE(form.build(std::to_string(m)).ok());
        const Reference expected = plainSearch(form.board, m);
        ASSERT_EQ(SearchProgression(form.board, form.state), expected.found) << "m = " << m;
        if (expected.found) {
            ASSERT_EQ(form.state.d, expected.d) << "m = " << m;
            ASSERT_EQ(form.state.a, expected.a) << "m = " << m;
        }
    }
}

}  // namespace
}  // namespace apqr
