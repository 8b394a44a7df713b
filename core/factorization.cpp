#include "factorization.h"

#include <cmath>

#include "text_conversions.h"

namespace apqr {

std::vector<std::int64_t> primeFactors(std::int64_t n) {
    // Trial division up to the square root gives the same factors as trying
    // every integer up to the number itself, without the long walk for primes.
    std::vector<std::int64_t> factors;
    for (std::int64_t divisor = 2; divisor * divisor <= n;) {
        if (n % divisor == 0) {
            factors.push_back(divisor);
            n /= divisor;
        } else {
            ++divisor;
        }
    }
    if (n > 1) factors.push_back(n);
    return factors;
}

void ShowFactorization(Board& board, FormState& state) {
    const double x = numericValue(board.text2());
    std::string text = signedText(x) + " =";

    // Only whole numbers from 2 on have factors; the rebuild never passes
    // anything else, but this must not loop forever on 0 or a fraction.
    constexpr double kLargestExact = 9007199254740992.0;  // 2^53
    if (x < 2 || x > kLargestExact || x != std::trunc(x)) {
        state.a = x == 1 ? 3 : 2;
        board.setText3(std::move(text));
        return;
    }

    const std::vector<std::int64_t> factors = primeFactors(static_cast<std::int64_t>(x));
    for (std::size_t i = 0; i < factors.size(); ++i) {
        if (i > 0) text += " *";
        text += signedText(static_cast<double>(factors[i]));
    }
    // Trying every divisor would have stopped one past the largest factor.
    state.a = static_cast<std::int32_t>(factors.back() + 1);
    board.setText3(std::move(text));
}

}  // namespace apqr
