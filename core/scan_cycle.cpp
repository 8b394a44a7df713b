#include "scan_cycle.h"

#include "build_board.h"
#include "progression_search.h"
#include "text_conversions.h"

namespace apqr {

void BeginScanCycle(FormState& state) {
    state.onlyTrivial = 1;
}

ScanStep FinishScanCycle(Board& board, FormState& state) {
    if (SearchProgression(board, state)) state.onlyTrivial = 0;
    // A stop request ends the scan even when this cycle found a progression.
    if (state.stopRequested) return ScanStep::StopRequested;
    return state.onlyTrivial == 1 ? ScanStep::OnlyTrivial : ScanStep::Continue;
}

ScanStep RunScanCycle(Board& board, FormState& state, int modulus) {
    BeginScanCycle(state);
    board.setText2(integerText(modulus));
    if (!BuildBoard(board, state).ok()) return ScanStep::OutOfRange;
    return FinishScanCycle(board, state);
}

}  // namespace apqr
