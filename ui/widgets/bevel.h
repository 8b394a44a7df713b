// Bevels: the two-pixel 3D edges of classic boxes and buttons.
#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <cstdint>

class QPainter;

// The two-pixel 3D edges of classic text boxes and graphical buttons, drawn
// from the palette so that they follow the platform's colours. The board
// paints thousands of them, so the colours are taken once per paint, not per
// edge.
namespace apqr::ui {

struct BevelColors {
    QColor light;     // outermost highlight
    QColor midlight;  // inner highlight
    QColor dark;      // inner shadow of a raised edge, outer of a sunken one
    QColor shadow;    // darkest line

    [[nodiscard]] static BevelColors from(const QPalette& palette);
};

enum class Bevel : std::uint8_t { Sunken, Raised };

void drawBevel(QPainter& painter, const QRect& rect, Bevel bevel, const BevelColors& colors);

// What lies inside the two-pixel edge.
[[nodiscard]] inline QRect insideBevel(const QRect& rect) {
    return rect.adjusted(2, 2, -2, -2);
}

}  // namespace apqr::ui
