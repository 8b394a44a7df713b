// Contrast: the black or white that stands out from a colour.
#pragma once

#include <QColor>

namespace apqr::ui {

// Black or white, whichever has the higher WCAG 2 contrast with `color`: a
// colour that stands out from one the scheme chose. The ratio is never below
// 4.58 : 1, which a mid grey reaches with both.
[[nodiscard]] QColor contrastPartner(const QColor& color);

}  // namespace apqr::ui
