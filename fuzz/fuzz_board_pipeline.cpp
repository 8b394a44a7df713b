// Feeds arbitrary text to the readers and through rebuild, check and search.
// Input: modulus text, a NUL byte, difference text (a missing part is empty).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "build_board.h"
#include "form_load.h"
#include "mark_progressions.h"
#include "progression_search.h"
#include "text_conversions.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view modulusText = input.substr(0, split);
    const std::string_view differenceText =
        split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

    const double modulus = apqr::numericValue(modulusText);
    check(!std::isnan(modulus));
    check(!std::isnan(apqr::numericValue(differenceText)));
    (void)apqr::integerText(modulus);

    apqr::Board board;
    apqr::FormState state;
    apqr::LoadForm(board, state);
    board.setText2(std::string(modulusText));
    board.setText5(std::string(differenceText));
    if (!apqr::BuildBoard(board, state).ok()) {
        check(board.cellCount() == 2);
        return 0;
    }
    const int m = board.cellCount();
    check(m >= 2 && m <= 32767 && state.m == m);
    // Only moderate boards go through the searches, to keep runs quick.
    if (m <= 4096) {
        apqr::MarkProgressions(board, state);
        apqr::SearchProgression(board, state);
    }
    return 0;
}
