// The scroll values that bring a band of the board into sight.
#pragma once

#include <optional>

#include "board_geometry.h"
#include "widgets/twips.h"

// Which value of the board scroll bar brings a band of the board into sight.
// Value v puts the board's top v frame units (100 twips each) above the top
// of the frame, rounded to the pixel; the band is judged on the same pixels
// the painter uses.
namespace apqr::ui {

[[nodiscard]] inline int boardTopAt(int value) {
    return twips::toPixels(-value * geometry::kTwipsPerUnit);
}

// The band runs from `top` to `bottom` (exclusive) in board pixels; the
// board's top stands at `boardTop` in a frame `seen` pixels high. Returns
// nothing when the band is in sight already, else the value nearest to that
// position that shows it whole.
[[nodiscard]] inline std::optional<int> scrollValueShowing(int top, int bottom, int boardTop,
                                                           int seen) {
    const double pixelsPerUnit = geometry::kTwipsPerUnit / twips::kPerPixel;
    if (top + boardTop < 0) {
        auto value = static_cast<int>(top / pixelsPerUnit);
        while (value > 0 && top + boardTopAt(value) < 0) --value;
        return value;
    }
    if (bottom + boardTop > seen) {
        auto value = static_cast<int>((bottom - seen) / pixelsPerUnit);
        while (bottom + boardTopAt(value) > seen) ++value;
        return value;
    }
    return std::nullopt;
}

}  // namespace apqr::ui
