// Twips: the layout's unit, and its one factor to pixels.
#pragma once

#include <QRect>
#include <cmath>

// The layout is drawn in twips (1/1440 inch). The window maps them to Qt's
// device-independent pixels at 96 logical dpi, 15 twips to the pixel, and
// leaves the rest to Qt's high-DPI scaling. This is the only place that knows
// the factor; fonts go through it too, so text and boxes scale together.
namespace apqr::ui::twips {

inline constexpr double kPerPixel = 15;
inline constexpr double kPerPoint = 20;

[[nodiscard]] inline int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kPerPixel));
}

[[nodiscard]] inline double fromPixels(double pixels) {
    return pixels * kPerPixel;
}

// Left and top are rounded on their own, the size as well, so that equal
// boxes stay equal however their positions round.
[[nodiscard]] inline QRect toPixelRect(double left, double top, double width, double height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

// A font size in points as a pixel size on the same 96-dpi grid as the
// boxes: 14.25 pt is 19 px, 8.25 pt is 11 px.
[[nodiscard]] inline int pointsToPixels(double points) {
    return toPixels(points * kPerPoint);
}

}  // namespace apqr::ui::twips
