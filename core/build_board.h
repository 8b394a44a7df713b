#pragma once

#include <string_view>

#include "board.h"
#include "form_state.h"

namespace apqr {

class BuildResult {
public:
    static BuildResult built() { return BuildResult({}); }
    static BuildResult refused(std::string_view message) { return BuildResult(message); }

    [[nodiscard]] bool ok() const { return m_message.empty(); }
    // Why the modulus was refused, in German; empty when the board was built.
    [[nodiscard]] std::string_view message() const { return m_message; }

private:
    explicit BuildResult(std::string_view message) : m_message(message) {}
    std::string_view m_message;
};

// Makes the board match the modulus in Text2: discards the cells of the old
// board, creates one white cell per residue (growing the board panel where
// they no longer fit), paints the quadratic residues yellow and writes the
// factorization. A modulus below 2 (−∞ included), or no number at all,
// becomes 3; a fractional one is rounded half to even; in both cases Text2
// is rewritten. A modulus above 32767 (+∞ included) is refused before
// anything changes.
[[nodiscard]] BuildResult BuildBoard(Board& board, FormState& state);

}  // namespace apqr
