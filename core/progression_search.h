#pragma once

#include "board.h"
#include "form_state.h"

namespace apqr {

// Looks for the four-term progression with the smallest difference d in
// 1 … m−1, and for that d the smallest start, whose four cells are all not
// white: red cells from an earlier search count as members, so a repeated
// search finds the same progression again. Paints the hit red with d written
// into its cells and returns true; returns false and changes no cell if
// there is none. Does not rebuild.
bool SearchProgression(Board& board, FormState& state);

}  // namespace apqr
