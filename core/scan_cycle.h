#pragma once

#include <cstdint>

#include "board.h"
#include "form_state.h"

namespace apqr {

// One cycle of the scan to the next modulus with only trivial progressions.
// The window raises the modulus through its scroll bar, whose handler
// rebuilds, so a cycle is split around that step: BeginScanCycle, then the
// rebuild, then FinishScanCycle.
enum class ScanStep : std::uint8_t {
    Continue,       // a progression was found: go on with the next modulus
    OnlyTrivial,    // nothing found: the scan ends on this modulus
    StopRequested,  // the user asked to stop; this cycle's result stands
    OutOfRange,     // the modulus cannot be built; nothing changed
};

// How a scan in the window came to its end, for telling the user.
enum class ScanEnd : std::uint8_t {
    OnlyTrivial,  // the modulus it ended on has only trivial progressions
    Stopped,      // the stop button
    EndOfRange,   // the modulus scroll bar reached its top end
};

void BeginScanCycle(FormState& state);
// Searches the freshly built board and says how the scan goes on.
[[nodiscard]] ScanStep FinishScanCycle(Board& board, FormState& state);

// A whole cycle without a window: Text2 takes the modulus, the board is
// rebuilt and searched.
[[nodiscard]] ScanStep RunScanCycle(Board& board, FormState& state, int modulus);

}  // namespace apqr
