#pragma once

#include <cstdint>
#include <vector>

#include "board.h"
#include "form_state.h"

namespace apqr {

// The prime factors of n in ascending order, each as often as it divides n;
// empty for n < 2.
[[nodiscard]] std::vector<std::int64_t> primeFactors(std::int64_t n);

// Writes the prime factorization of the modulus in Text2 into Text3, as
// " 12 = 2 * 2 * 3". Leaves FormState::a one past the last trial divisor.
void ShowFactorization(Board& board, FormState& state);

}  // namespace apqr
