// Small conversions from the core's texts and colours to Qt's.
#pragma once

#include <QColor>
#include <QString>
#include <string_view>

#include "cell_color.h"

// The small conversions between the core's values and Qt's: the core keeps
// its texts in UTF-8 and its colours as plain RGB triples.
namespace apqr::ui {

[[nodiscard]] inline QString qText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

[[nodiscard]] inline QColor colorOf(Rgb rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

}  // namespace apqr::ui
