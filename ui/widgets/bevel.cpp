// Bevels: the two-pixel 3D edges of classic boxes and buttons.
#include "widgets/bevel.h"

#include <QPainter>

namespace apqr::ui {
namespace {

// One ring of an edge: the top and left lines in one colour, the bottom and
// right lines in the other; the bottom-right colour owns the two corners
// where they meet.
void drawRing(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, topLeft);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    painter.fillRect(r.right(), r.top(), 1, r.height() - 1, bottomRight);
}

}  // namespace

BevelColors BevelColors::from(const QPalette& palette) {
    return {palette.color(QPalette::Light), palette.color(QPalette::Midlight),
            palette.color(QPalette::Dark), palette.color(QPalette::Shadow)};
}

void drawBevel(QPainter& painter, const QRect& rect, Bevel bevel, const BevelColors& colors) {
    if (rect.width() < 4 || rect.height() < 4) return;
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (bevel == Bevel::Sunken) {
        drawRing(painter, rect, colors.dark, colors.light);
        drawRing(painter, inner, colors.shadow, colors.midlight);
    } else {
        drawRing(painter, rect, colors.light, colors.shadow);
        drawRing(painter, inner, colors.midlight, colors.dark);
    }
}

}  // namespace apqr::ui
