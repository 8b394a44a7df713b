// The stop sign: the picture of the stop button, pixel by pixel.
#pragma once

#include <QImage>

namespace apqr::ui {

// The picture of the stop button, 24 × 23 pixels: a red octagon with a white
// rim between two black outlines, "STOP" in black pixel letters, silver in
// the corners. Drawn pixel by pixel so that it stays crisp at its size.
[[nodiscard]] QImage stopSignImage();

}  // namespace apqr::ui
