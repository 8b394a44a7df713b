#pragma once

#include <cstdint>

namespace apqr {

// The window's shared variables. Loop indices live here on purpose: every
// procedure leaves its last index behind for the next one to find, exactly as
// the form-level variables of the original design did.
struct FormState {
    double m = 0;                  // current modulus (2 after load, then each rebuild's)
    double d = 0;                  // difference under test
    std::int32_t a = 0;            // start cell, rebuild/load index, trial divisor
    std::int32_t k = 0;            // term index 0 … 3
    std::int32_t hit = 0;          // 1 while the progression under test qualifies
    std::int32_t onlyTrivial = 0;  // 1 at the start of a scan cycle, 0 once marked
    bool stopRequested = false;
};

}  // namespace apqr
