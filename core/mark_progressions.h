#pragma once

#include "board.h"
#include "form_state.h"

namespace apqr {

// Marks, in one pass over the start cells, every four-term progression with
// the difference in Text5. The start cell qualifies when it is not white
// (so a cell turned red earlier in the pass may start another progression),
// the three following terms only while they are still yellow. A fractional,
// negative or huge difference is rounded half to even and works modulo m;
// the cells show the rounded difference. A difference that is not finite
// marks nothing. Returns how many progressions it marked.
int MarkProgressions(Board& board, FormState& state);

}  // namespace apqr
