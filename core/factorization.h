#pragma once

#include "board.h"
#include "form_state.h"

namespace apqr {

// Writes the prime factorization of the modulus in Text2 into Text3, as
// " 12 = 2 * 2 * 3". Leaves FormState::a one past the last trial divisor.
void ShowFactorization(Board& board, FormState& state);

}  // namespace apqr
