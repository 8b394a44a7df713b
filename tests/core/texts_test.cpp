#include "texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace apqr {
namespace {

// Every announcement from the result of its action: the wording, the
// factors spoken as words, singular and plural, terms that wrap around.
TEST(Announcements, SayEachResultInGerman) {
    struct Case {
        std::function<std::string()> text;
        std::string expected;
    };
    const std::vector<Case> cases{
        {[] { return texts::boardBuilt(51, 18); },
         "Tafel für m = 51 (3 mal 17): 18 quadratische Reste."},
        {[] { return texts::boardBuilt(7, 4); },
         "Tafel für m = 7 (Primzahl): 4 quadratische Reste."},
        {[] { return texts::boardBuilt(2, 2); },
         "Tafel für m = 2 (Primzahl): 2 quadratische Reste."},
        {[] { return texts::boardBuilt(3000, 318); },
         "Tafel für m = 3000 (2 mal 2 mal 2 mal 3 mal 5 mal 5 mal 5): 318 quadratische Reste."},
        {[] { return texts::progressionFound(51, 9, 16); },
         "Progression mit d = 9 ab 16: 16, 25, 34, 43."},
        {[] { return texts::progressionFound(9, 3, 1); },
         "Progression mit d = 3 ab 1: 1, 4, 7, 1."},
        {[] { return texts::progressionFound(8, 4, 0); },
         "Progression mit d = 4 ab 0: 0, 4, 0, 4."},
        {[] { return std::string(texts::kNoProgressionFound); }, "Keine Progression gefunden."},
        {[] { return texts::progressionsMarked(9, 2); }, "d = 9: 2 Progressionen markiert."},
        {[] { return texts::progressionsMarked(2, 1); }, "d = 2: 1 Progression markiert."},
        {[] { return texts::progressionsMarked(1, 0); }, "d = 1: keine Progression."},
        {[] { return texts::progressionsMarked(-11, 1); }, "d = -11: 1 Progression markiert."},
        {[] { return texts::scanEnded(ScanEnd::OnlyTrivial, 7); },
         "Suchlauf beendet: m = 7 hat nur triviale Progressionen."},
        {[] { return texts::scanEnded(ScanEnd::Stopped, 1600); },
         "Suchlauf angehalten bei m = 1600."},
        {[] { return texts::scanEnded(ScanEnd::EndOfRange, 3000); },
         "Suchlauf am Ende des Bereichs: m = 3000."},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text(), c.expected);
}

// A cell with a text is heard by that text, so its description names the
// residue; an empty cell is heard by its residue, which is not repeated.
TEST(Announcements, ACellSpeaksItsResidueOnce) {
    Cell cell;
    cell.index = 34;
    cell.color = CellColor::Red;
    cell.text = "9";
    EXPECT_EQ(texts::cellDescription(cell), "Rest 34, Glied einer Progression");
    cell.color = CellColor::White;
    cell.text.clear();
    EXPECT_EQ(texts::cellDescription(cell), "kein quadratischer Rest");
}

}  // namespace
}  // namespace apqr
