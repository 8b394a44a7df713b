#include "factorization.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "board_helpers.h"

namespace apqr {
namespace {

struct Factorization {
    std::string modulus;
    std::string text;
    int nextDivisor;  // where the trial divisor is left
    friend std::ostream& operator<<(std::ostream& out, const Factorization& c) {
        return out << c.modulus;
    }
};

class FactorizationTest : public ::testing::TestWithParam<Factorization> {};

TEST_P(FactorizationTest, WritesTheFactorsInAscendingOrder) {
    testing::Form form;
    form.board.setText2(GetParam().modulus);
    ShowFactorization(form.board, form.state);
    EXPECT_EQ(form.board.text3(), GetParam().text);
    EXPECT_EQ(form.state.a, GetParam().nextDivisor);
}

INSTANTIATE_TEST_SUITE_P(
    Moduli, FactorizationTest,
    ::testing::Values(Factorization{"12", " 12 = 2 * 2 * 3", 4}, Factorization{"7", " 7 = 7", 8},
                      Factorization{"2", " 2 = 2", 3}, Factorization{"4", " 4 = 2 * 2", 3},
                      Factorization{"3000", " 3000 = 2 * 2 * 2 * 3 * 5 * 5 * 5", 6},
                      Factorization{"32749", " 32749 = 32749",
                                    32750},  // the largest prime below 32768
                      Factorization{"32767", " 32767 = 7 * 31 * 151", 152},
                      Factorization{"4620", " 4620 = 2 * 2 * 3 * 5 * 7 * 11", 12},
                      Factorization{"1", " 1 =", 3},
                      // never reached through a rebuild, but must end
                      Factorization{"0", " 0 =", 2}, Factorization{"-6", "-6 =", 2},
                      Factorization{"7.5", " 7.5 =", 2}));

TEST(Factorization, ARebuildWritesTheFactorsOfTheBoardItBuilt) {
    testing::Form form;
    ASSERT_TRUE(form.build("abc").ok());
    EXPECT_EQ(form.board.text3(), " 3 = 3");
    ASSERT_TRUE(form.build("7.5").ok());
    EXPECT_EQ(form.board.text3(), " 8 = 2 * 2 * 2");
}

}  // namespace
}  // namespace apqr
