#include "factorization.h"

#include <cmath>
#include <cstdint>

#include "text_conversions.h"

namespace apqr {

void ShowFactorization(Board& board, FormState& state) {
    const double x = numericValue(board.text2());
    std::string text = signedText(x) + " =";

    // Only whole numbers from 2 on have factors; the rebuild never passes
    // anything else, but this must not loop forever on 0 or a fraction.
    constexpr double kLargestExact = 9007199254740992.0;  // 2^53
    if (!(x >= 2 && x <= kLargestExact && x == std::trunc(x))) {
        state.a = x == 1 ? 3 : 2;
        board.setText3(std::move(text));
        return;
    }

    // Trial division up to the square root gives the same factors as trying
    // every integer up to the number itself, without the long walk for primes.
    auto rest = static_cast<std::int64_t>(x);
    std::int64_t largest = 0;
    const auto append = [&](std::int64_t factor) {
        text += signedText(static_cast<double>(factor));
        rest /= factor;
        largest = factor;
        if (rest != 1) text += " *";
    };
    for (std::int64_t divisor = 2; divisor * divisor <= rest;) {
        if (rest % divisor == 0) {
            append(divisor);
        } else {
            ++divisor;
        }
    }
    if (rest > 1) append(rest);

    // Trying every divisor would have stopped one past the largest factor.
    state.a = static_cast<std::int32_t>(largest + 1);
    board.setText3(std::move(text));
}

}  // namespace apqr
