// Contrast: the black or white that stands out from a colour.
#include "widgets/contrast.h"

#include <cmath>

namespace apqr::ui {
namespace {

// WCAG 2's relative luminance, from the sRGB channels.
double relativeLuminance(const QColor& color) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

}  // namespace

QColor contrastPartner(const QColor& color) {
    const double luminance = relativeLuminance(color);
    const double withBlack = (luminance + 0.05) / 0.05;
    const double withWhite = 1.05 / (luminance + 0.05);
    return withBlack >= withWhite ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace apqr::ui
