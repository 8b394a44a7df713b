// Fixed colours: background and text pairs, and putting them into palettes.
#pragma once

#include <cstdint>
#include <optional>

#include "cell_color.h"

class QWidget;

// Where the layout fixes a background, the text on it is fixed with it: the
// layout was drawn with black text, and a dark or high-contrast scheme would
// otherwise draw light text that vanishes on a light fixed background.
// Everything without a fixed background follows the scheme. This file holds
// every pair and is the one place that puts them into a widget's palette.
namespace apqr::ui {

struct ColorPair {
    Rgb background;
    Rgb text;
};

namespace colors {

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr ColorPair kModulusBox{{255, 0, 0}, {255, 255, 255}};
inline constexpr ColorPair kPanel{{224, 224, 224}, kBlack};  // board, frame, headers
inline constexpr ColorPair kSearchButton{{128, 128, 255}, kBlack};
inline constexpr ColorPair kScanButton{{255, 255, 128}, kBlack};

}  // namespace colors

// The pair a cell of this colour is drawn with; none for the default colour,
// which keeps the look of an ordinary text box in the current scheme.
[[nodiscard]] constexpr std::optional<ColorPair> cellColors(CellColor color) {
    if (const auto background = rgbOf(color)) return ColorPair{*background, colors::kBlack};
    return std::nullopt;
}

// How a widget draws its background and its text, and so which palette
// roles carry the pair.
enum class Surface : std::uint8_t {
    Panel,   // labels and panels: window and window text
    Box,     // text boxes: base and text, and the selection
    Button,  // graphical buttons: button face and caption
};

// Puts the pair into the widget's palette. The selection of a box is shown
// inverted, text colour under background-coloured text, so that it stands
// out from the fixed background in any scheme.
void applyColors(QWidget* widget, const ColorPair& pair, Surface surface);

// Takes back what applyColors set: the widget follows the scheme again.
void followScheme(QWidget* widget);

}  // namespace apqr::ui
