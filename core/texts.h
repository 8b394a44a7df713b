#pragma once

#include <string>
#include <string_view>

#include "board.h"
#include "scan_cycle.h"

// Messages the core hands to its caller for showing or announcing. The core
// never shows anything itself.
namespace apqr::texts {

inline constexpr std::string_view kModulusOutOfRange =
    "Der Modul muss zwischen 2 und 32767 liegen.";

// What a screen reader announces when an action has finished, so that a
// user who does not see the board learns the outcome without walking up to
// 32767 cells.
[[nodiscard]] std::string boardBuilt(int m, int quadraticResidues);
[[nodiscard]] std::string progressionFound(int m, int d, int a);
inline constexpr std::string_view kNoProgressionFound = "Keine Progression gefunden.";
[[nodiscard]] std::string progressionsMarked(double d, int count);
[[nodiscard]] std::string scanEnded(ScanEnd end, int m);

// What a screen reader says of a cell besides its text: the meaning of its
// colour, and its residue when a text (a difference or a note) is spoken in
// place of the residue.
[[nodiscard]] std::string cellDescription(const Cell& cell);

// The command line's answers. The usage text goes to standard output; a
// refusal names the argument in one line and is followed by the hint, both
// on standard error.
inline constexpr std::string_view kUsage =
    "Aufruf: apqr [OPTION]\n"
    "Arithmetische Progressionen aus vier Gliedern in den quadratischen Resten\n"
    "modulo m erkunden. apqr öffnet ein Fenster; alles Weitere geschieht dort.\n"
    "\n"
    "  -h, --help      diese Hilfe zeigen und beenden\n"
    "  -v, --version   Name und Version zeigen und beenden\n"
    "\n"
    "Die üblichen Optionen von Qt gelten auch, etwa -platform wayland,\n"
    "-qwindowgeometry 800x600 oder -style Fusion; mehr in „man apqr“.\n";
inline constexpr std::string_view kCommandLineHint = "Die Optionen nennt „apqr --help“.";
[[nodiscard]] std::string unknownOption(std::string_view option);
[[nodiscard]] std::string optionWithoutValue(std::string_view option);
[[nodiscard]] std::string unexpectedArgument(std::string_view argument);

}  // namespace apqr::texts
