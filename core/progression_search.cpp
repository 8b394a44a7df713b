#include "progression_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "text_conversions.h"

namespace apqr {
namespace {

// The set of cells that are not white, laid out twice in a row (and a bit
// more), so that the m bits starting at any offset below m can be read as
// words: bit a of the window at offset s is cell (a + s) mod m.
class MemberBits {
public:
    MemberBits(const Board& board, int m)
        : m_words(static_cast<std::size_t>((m + 63) / 64)),
          m_bits(static_cast<std::size_t>((2 * m + 127) / 64 + 2), 0) {
        const int length = 2 * m + 64;
        for (int i = 0; i < m; ++i) {
            if (board.cell(i).color == CellColor::White) continue;
            for (int j = i; j < length; j += m) {
                m_bits[static_cast<std::size_t>(j >> 6)] |= std::uint64_t{1} << (j & 63);
            }
        }
        const int tail = m % 64;
        m_lastMask = tail == 0 ? ~std::uint64_t{0} : (std::uint64_t{1} << tail) - 1;
    }

    [[nodiscard]] std::size_t words() const { return m_words; }
    [[nodiscard]] std::uint64_t lastMask() const { return m_lastMask; }

    // Word i of the window at offset s.
    [[nodiscard]] std::uint64_t window(std::int64_t s, std::size_t i) const {
        const auto position = static_cast<std::size_t>(s) + 64 * i;
        const std::size_t word = position >> 6;
        const unsigned shift = position & 63;
        if (shift == 0) return m_bits[word];
        return (m_bits[word] >> shift) | (m_bits[word + 1] << (64 - shift));
    }

private:
    std::size_t m_words;
    std::vector<std::uint64_t> m_bits;
    std::uint64_t m_lastMask = 0;
};

struct Hit {
    int d = 0;
    int a = 0;
};

// Smallest d, then smallest a, with all four terms members: for each d the
// four windows at offsets 0, d, 2d, 3d are ANDed a word at a time, which
// tests 64 start cells at once and keeps the order of the plain double loop.
std::optional<Hit> findFirst(const MemberBits& bits, int m) {
    const std::size_t words = bits.words();
    for (int d = 1; d < m; ++d) {
        const std::int64_t s1 = d;
        const std::int64_t s2 = (2 * static_cast<std::int64_t>(d)) % m;
        const std::int64_t s3 = (3 * static_cast<std::int64_t>(d)) % m;
        for (std::size_t i = 0; i < words; ++i) {
            std::uint64_t w = bits.window(0, i);
            if (i + 1 == words) w &= bits.lastMask();
            if (w == 0) continue;
            w &= bits.window(s1, i) & bits.window(s2, i) & bits.window(s3, i);
            if (w != 0) return Hit{d, static_cast<int>(64 * i) + std::countr_zero(w)};
        }
    }
    return std::nullopt;
}

}  // namespace

bool SearchProgression(Board& board, FormState& state) {
    // The search works on the board of the last rebuild.
    const int m = std::min(static_cast<int>(state.m), board.cellCount());
    if (m < 2) {
        state.d = 1;  // the difference loop never ran
        return false;
    }

    const MemberBits bits(board, m);
    if (const auto hit = findFirst(bits, m)) {
        const std::string text = integerText(hit->d);
        for (int k = 0; k <= 3; ++k) {
            const int term = progressionTerm(hit->a, hit->d, k, m);
            board.setCellColor(term, CellColor::Red);
            board.setCellText(term, text);
        }
        state.d = hit->d;
        state.a = hit->a;
        state.k = 4;
        state.hit = 1;
        return true;
    }

    // Leave the loop variables where the exhausted double loop leaves them:
    // one past their ends, and hit as tested for the last pair (m−1, m−1).
    const auto member = [&](int index) { return board.cell(index).color != CellColor::White; };
    state.hit = member(m - 1) ? 1 : 0;
    for (int k = 1; k <= 3; ++k) {
        if (!member(progressionTerm(m - 1, m - 1, k, m))) state.hit = 0;
    }
    state.d = m;
    state.a = m;
    state.k = 4;
    return false;
}

}  // namespace apqr
