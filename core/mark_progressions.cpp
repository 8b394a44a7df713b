#include "mark_progressions.h"

#include <algorithm>
#include <cmath>

#include "text_conversions.h"

namespace apqr {

int MarkProgressions(Board& board, FormState& state) {
    const int m = std::min(static_cast<int>(state.m), board.cellCount());
    const double reading = numericValue(board.text5());
    state.d = std::isfinite(reading) ? roundHalfEven(reading) : reading;
    state.a = std::max(m, 0);
    if (!std::isfinite(reading) || m < 1) return 0;

    // Reduced once: d and d mod m reach the same cells, and the reduced step
    // keeps every term index free of overflow and never negative.
    double reduced = std::fmod(state.d, m);
    if (reduced < 0) reduced += m;
    const auto step = static_cast<std::int64_t>(reduced);
    const std::string text = integerText(state.d);

    int marked = 0;
    for (int a = 0; a < m; ++a) {
        // A start cell counts when it is not white, so a cell turned red
        // earlier in this pass may start another progression; the following
        // terms count only while they are still yellow.
        if (board.cell(a).color == CellColor::White) continue;
        state.hit = 1;
        for (int k = 1; k <= 3; ++k) {
            if (board.cell(progressionTerm(a, step, k, m)).color != CellColor::Yellow)
                state.hit = 0;
        }
        state.k = 4;
        if (state.hit == 1) {
            ++marked;
            state.onlyTrivial = 0;
            for (int k = 0; k <= 3; ++k) {
                const int term = progressionTerm(a, step, k, m);
                board.setCellColor(term, CellColor::Red);
                board.setCellText(term, text);
            }
        }
    }
    return marked;
}

}  // namespace apqr
