#include "build_board.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "board_helpers.h"
#include "progression_search.h"
#include "text_conversions.h"
#include "texts.h"

namespace apqr {
namespace {

using testing::Form;

struct ResidueCase {
    std::string modulus;
    std::set<int> yellow;
    friend std::ostream& operator<<(std::ostream& out, const ResidueCase& c) {
        return out << c.modulus;
    }
};

class ResidueMarkingTest : public ::testing::TestWithParam<ResidueCase> {};

TEST_P(ResidueMarkingTest, PaintsExactlyTheSquaresYellow) {
    Form form;
    ASSERT_TRUE(form.build(GetParam().modulus).ok());
    EXPECT_EQ(form.cellsOf(CellColor::Yellow), GetParam().yellow);
    EXPECT_TRUE(form.cellsOf(CellColor::Default).empty());
    EXPECT_TRUE(form.cellsOf(CellColor::Red).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Moduli, ResidueMarkingTest,
    ::testing::Values(ResidueCase{"2", {0, 1}}, ResidueCase{"3", {0, 1}}, ResidueCase{"4", {0, 1}},
                      ResidueCase{"9", {0, 1, 4, 7}}, ResidueCase{"12", {0, 1, 4, 9}},
                      ResidueCase{"13", {0, 1, 3, 4, 9, 10, 12}},
                      ResidueCase{"25", {0, 1, 4, 6, 9, 11, 14, 16, 19, 21, 24}}));

TEST(BuildBoard, MatchesTheSquaresOfEveryModulusUpTo600) {
    Form form;
    for (int m = 2; m <= 600; ++m) {
        ASSERT_TRUE(form.build(std::to_string(m)).ok());
        ASSERT_EQ(form.board.cellCount(), m);
        std::set<int> squares;
        for (long long j = 0; j < m; ++j) squares.insert(static_cast<int>(j * j % m));
        ASSERT_EQ(form.cellsOf(CellColor::Yellow), squares) << "m = " << m;
    }
}

struct ModulusText {
    std::string typed;
    double m;
    std::string shown;  // Text2 afterwards
    friend std::ostream& operator<<(std::ostream& out, const ModulusText& c) {
        return out << c.typed;
    }
};

class ModulusTextTest : public ::testing::TestWithParam<ModulusText> {};

TEST_P(ModulusTextTest, BoxBoardAndFactorizationAgree) {
    Form form;
    ASSERT_TRUE(form.build(GetParam().typed).ok());
    EXPECT_EQ(form.state.m, GetParam().m);
    EXPECT_EQ(form.board.text2(), GetParam().shown);
    EXPECT_EQ(form.board.cellCount(), static_cast<int>(GetParam().m));
    const std::string head = signedText(form.board.cellCount()) + " =";
    EXPECT_EQ(form.board.text3().substr(0, head.size()), head);
}

INSTANTIATE_TEST_SUITE_P(Texts, ModulusTextTest,
                         ::testing::Values(
                             // below 2, or no number at all, becomes 3 with the signed text
                             ModulusText{"abc", 3, " 3"}, ModulusText{"0", 3, " 3"},
                             ModulusText{"1", 3, " 3"}, ModulusText{"-5", 3, " 3"},
                             ModulusText{"", 3, " 3"}, ModulusText{"1.6", 3, " 3"},
                             ModulusText{"-1e999", 3, " 3"},
                             // whole moduli are taken as typed
                             ModulusText{"2", 2, "2"}, ModulusText{" 1 2", 12, " 1 2"},
                             ModulusText{"32767", 32767, "32767"},
                             // fractions are rounded half to even and the box rewritten
                             ModulusText{"7.5", 8, " 8"}, ModulusText{"2.5", 2, " 2"},
                             ModulusText{"12,5", 12, "12,5"},
                             ModulusText{"32767.4", 32767, " 32767"}));

TEST(BuildBoard, RefusesAModulusAbove32767AndChangesNothing) {
    for (const std::string typed : {"32768", "32767.5", "1e9", "1e999", "&HFFFFFF"}) {
        Form form;
        ASSERT_TRUE(form.build("13").ok());
        form.state.d = 42;
        form.state.k = 7;
        ASSERT_TRUE(SearchProgression(form.board, form.state));
        const FormState stateBefore = form.state;
        const std::vector<Cell> cellsBefore(form.board.cells().begin(), form.board.cells().end());
        const std::string text3Before = form.board.text3();

        const BuildResult result = form.build(typed);

        EXPECT_FALSE(result.ok()) << typed;
        EXPECT_EQ(result.message(), texts::kModulusOutOfRange);
        EXPECT_EQ(form.board.text2(), typed);
        EXPECT_EQ(form.board.text3(), text3Before);
        EXPECT_EQ(form.state.m, stateBefore.m);
        EXPECT_EQ(form.state.a, stateBefore.a);
        ASSERT_EQ(form.board.cellCount(), static_cast<int>(cellsBefore.size()));
        for (std::size_t i = 0; i < cellsBefore.size(); ++i) {
            EXPECT_EQ(form.board.cell(static_cast<int>(i)).color, cellsBefore[i].color);
            EXPECT_EQ(form.board.cell(static_cast<int>(i)).text, cellsBefore[i].text);
        }
    }
}

TEST(BuildBoard, ModulusTwoKeepsTheTextsOfCellsZeroAndOne) {
    Form form;
    ASSERT_TRUE(form.build("2").ok());
    EXPECT_EQ(form.board.cell(0).text, "0");
    EXPECT_EQ(form.board.cell(1).text, "1");
    ASSERT_TRUE(SearchProgression(form.board, form.state));  // writes "1" into both
    form.board.setCellText(0, "typed");
    ASSERT_TRUE(form.build("2").ok());
    EXPECT_EQ(form.board.cell(0).text, "typed");
    EXPECT_EQ(form.board.cell(0).color, CellColor::Yellow);
    ASSERT_TRUE(form.build("3").ok());
    EXPECT_EQ(form.board.cell(0).text, "");
    EXPECT_EQ(form.board.cell(1).text, "");
}

TEST(BuildBoard, ARebuildClearsEveryRedCellAndText) {
    Form form;
    ASSERT_TRUE(form.build("9").ok());
    ASSERT_TRUE(SearchProgression(form.board, form.state));
    ASSERT_FALSE(form.cellsOf(CellColor::Red).empty());
    ASSERT_TRUE(form.build("9").ok());
    EXPECT_TRUE(form.cellsOf(CellColor::Red).empty());
    for (const Cell& cell : form.board.cells()) EXPECT_EQ(cell.text, "");
}

TEST(Geometry, RowsHold25CellsAtAPitchOf10PercentMore) {
    Form form;
    ASSERT_TRUE(form.build("80").ok());
    const Board& b = form.board;
    EXPECT_EQ(b.cell(2).left, 1689);
    EXPECT_EQ(b.cell(24).left, 600 + 24 * 544.5F);
    EXPECT_EQ(b.cell(24).top, 600);
    EXPECT_EQ(b.cell(25).left, 600);
    EXPECT_EQ(b.cell(25).top, 1012.5F);
    EXPECT_EQ(b.cell(79).top, 600 + 3 * 412.5F);
    EXPECT_EQ(b.cell(79).left, 600 + 4 * 544.5F);
    for (const Cell& cell : b.cells()) {
        EXPECT_EQ(cell.width, 495);
        EXPECT_EQ(cell.height, 375);
        EXPECT_TRUE(cell.visible);
        EXPECT_EQ(cell.tooltip(), std::to_string(cell.index));
    }
}

// Cells of a larger board that a smaller one dropped may be reused by the
// next larger one; nothing of what they held may come back with them.
struct Leftover {
    std::string what;
    void (*touch)(Form&);  // done to a board of 3000 cells
    friend std::ostream& operator<<(std::ostream& out, const Leftover& c) { return out << c.what; }
};

::testing::AssertionResult sameCell(const Cell& cell, const Cell& fresh) {
    if (cell.index == fresh.index && cell.color == fresh.color && cell.visible == fresh.visible &&
        cell.left == fresh.left && cell.top == fresh.top && cell.width == fresh.width &&
        cell.height == fresh.height && cell.text == fresh.text) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "cell " << fresh.index << ": index " << cell.index << ", colour "
           << static_cast<int>(cell.color) << ", at " << cell.left << "/" << cell.top << ", size "
           << cell.width << "x" << cell.height << ", text of " << cell.text.size()
           << " characters; a fresh board has colour " << static_cast<int>(fresh.color) << ", at "
           << fresh.left << "/" << fresh.top << ", text \"" << fresh.text << "\"";
}

// The rebuilt board equals one built afresh, and no cell a rebuild creates
// holds a text buffer larger than a fresh cell's.
void expectLikeAFreshBoard(const Form& form, const std::string& modulus) {
    Form fresh;
    ASSERT_TRUE(fresh.build(modulus).ok());
    ASSERT_EQ(form.board.cellCount(), fresh.board.cellCount());
    for (int i = 0; i < fresh.board.cellCount(); ++i) {
        ASSERT_TRUE(sameCell(form.board.cell(i), fresh.board.cell(i)));
        if (i >= 2) {
            ASSERT_LE(form.board.cell(i).text.capacity(), fresh.board.cell(i).text.capacity())
                << "cell " << i;
        }
    }
}

class LeftoverTest : public ::testing::TestWithParam<Leftover> {};

TEST_P(LeftoverTest, NothingOfALargerBoardReturnsWhenTheBoardGrowsAgain) {
    Form form;
    ASSERT_TRUE(form.build("3000").ok());
    GetParam().touch(form);
    ASSERT_TRUE(form.build("5").ok());
    expectLikeAFreshBoard(form, "5");
    ASSERT_TRUE(form.build("3000").ok());
    expectLikeAFreshBoard(form, "3000");
}

INSTANTIATE_TEST_SUITE_P(
    Cells, LeftoverTest,
    ::testing::Values(
        Leftover{"found progression",
                 [](Form& form) { ASSERT_TRUE(SearchProgression(form.board, form.state)); }},
        Leftover{"red cell with a difference beyond the small board",
                 [](Form& form) {
                     form.board.setCellColor(2500, CellColor::Red);
                     form.board.setCellText(2500, "7");
                 }},
        Leftover{"note typed into the last cell",
                 [](Form& form) { form.board.setCellText(2999, "Notiz"); }},
        Leftover{"moved cell", [](Form& form) { form.board.setCellLeft(1234, 5); }},
        // 10⁵ characters: a buffer kept per cell would cost gigabytes at 32767
        Leftover{"long note in a cell beyond the small board",
                 [](Form& form) { form.board.setCellText(1000, std::string(100000, '7')); }},
        Leftover{"long note in cell 0, the model of every new cell",
                 [](Form& form) { form.board.setCellText(0, std::string(100000, '7')); }}));

struct Growth {
    int m;
    float heightTwips;
    int scrollMax;
    friend std::ostream& operator<<(std::ostream& out, const Growth& c) { return out << c.m; }
};

class PanelGrowthTest : public ::testing::TestWithParam<Growth> {};

TEST_P(PanelGrowthTest, GrowsBy20PercentPerCellThatDoesNotFit) {
    Form form;
    ASSERT_TRUE(form.build(std::to_string(GetParam().m)).ok());
    EXPECT_FLOAT_EQ(form.board.tafelInteriorHeightTwips(), GetParam().heightTwips);
    EXPECT_EQ(form.board.scrollMax(), GetParam().scrollMax);
}

INSTANTIATE_TEST_SUITE_P(
    Moduli, PanelGrowthTest,
    ::testing::Values(Growth{75, 1875, 1000},  // three rows still fit
                      Growth{76, 2250, 22},    // cell 75 ends at 2212.5: 22.5 rounds to 22
                      Growth{100, 2250, 22}, Growth{101, 2700, 27},  // cell 100 ends at 2625
                      Growth{126, 3240, 32},                         // 32.4 units
                      Growth{151, 3888, 39}));                       // 38.88 units

TEST(Geometry, ThePanelNeverShrinksAndCanGrowTwiceInOneRow) {
    Form form;
    ASSERT_TRUE(form.build("3000").ok());
    const float tall = form.board.tafelInteriorHeightTwips();
    const auto max = form.board.scrollMax();
    EXPECT_GE(tall, form.board.cell(2999).top + 375);
    ASSERT_TRUE(form.build("5").ok());
    EXPECT_EQ(form.board.tafelInteriorHeightTwips(), tall);
    EXPECT_EQ(form.board.scrollMax(), max);

    // A panel shrunk far below the cells must catch up cell by cell: each
    // cell of the first row grows it at most once.
    Form small;
    small.board.setTafelHeightUnits(1);
    ASSERT_TRUE(small.build("4").ok());
    EXPECT_FLOAT_EQ(small.board.tafelHeightUnits(), 1.44F);  // cells 2 and 3
}

}  // namespace
}  // namespace apqr
