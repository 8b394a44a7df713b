#include "texts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace apqr {
namespace {

// The announcements the window tests do not reach word for word: factors
// spoken as words, repeated ones too, and the terms of a found progression.
// The window tests check the other wordings together with what leads to them.
TEST(Announcements, SayEachResultInGerman) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {texts::boardBuilt(51, 18), "Tafel für m = 51 (3 mal 17): 18 quadratische Reste."},
        {texts::boardBuilt(3000, 318),
         "Tafel für m = 3000 (2 mal 2 mal 2 mal 3 mal 5 mal 5 mal 5): 318 quadratische Reste."},
        {texts::progressionFound(51, 9, 16), "Progression mit d = 9 ab 16: 16, 25, 34, 43."},
        {texts::progressionsMarked(-11, 1), "d = -11: 1 Progression markiert."},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace apqr
