// The stop sign: the picture of the stop button, pixel by pixel.
#include "widgets/stop_sign.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace apqr::ui {
namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 23;
constexpr int kChamfer = 7;  // how far the cut corners reach along each edge

// How many pixel rings lie between (x, y) and the outside of the octagon;
// -1 outside. Moving an edge inward by one pixel shifts a 45° edge by √2 in
// x + y, hence the 2 − √2 per ring below.
int ringOf(int x, int y) {
    const int edge = std::min({x, y, kWidth - 1 - x, kHeight - 1 - y});
    const int dx = std::min(x, kWidth - 1 - x);
    const int dy = std::min(y, kHeight - 1 - y);
    int ring = -1;
    for (int i = 0; i <= edge; ++i) {
        const double diagonal = kChamfer - (2.0 - std::numbers::sqrt2) * i;
        if ((dx - i) + (dy - i) < std::lround(diagonal)) break;
        ring = i;
    }
    return ring;
}

// Three-by-five pixel letters, one string per row.
using Glyph = std::array<const char*, 5>;
constexpr std::array<Glyph, 4> kStop{{
    {"###", "#..", "###", "..#", "###"},
    {"###", ".#.", ".#.", ".#.", ".#."},
    {"###", "#.#", "#.#", "#.#", "###"},
    {"###", "#.#", "###", "#..", "#.."},
}};

}  // namespace

QImage stopSignImage() {
    const QColor silver(192, 192, 192);
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor red(255, 0, 0);
    // From the outside in: a black, a white and a black ring, then red.
    const std::array<QColor, 4> rings{black, white, black, red};

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int ring = ringOf(x, y);
            const QColor& color =
                ring < 0 ? silver : rings[static_cast<std::size_t>(std::min(ring, 3))];
            image.setPixelColor(x, y, color);
        }
    }

    const int letterTop = (kHeight - 5) / 2;
    const int wordLeft = (kWidth - (4 * 3 + 3)) / 2;
    for (std::size_t letter = 0; letter < kStop.size(); ++letter) {
        const int left = wordLeft + static_cast<int>(letter) * 4;
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                if (kStop[letter][static_cast<std::size_t>(row)][column] == '#') {
                    image.setPixelColor(left + column, letterTop + row, black);
                }
            }
        }
    }
    return image;
}

}  // namespace apqr::ui
