// Cells and pixels: where a cell is drawn, which cell lies under a point.
#pragma once

#include <QPoint>
#include <QRect>

#include "board.h"
#include "widgets/twips.h"

// Where a cell of the model lies in the board's pixels, and which cell lies
// under a pixel: the one rule that the painter, the hit test, the cell
// editor and the accessible cells share.
namespace apqr::ui {

[[nodiscard]] inline QRect cellPixelRect(const Cell& cell) {
    return twips::toPixelRect(cell.left, cell.top, cell.width, cell.height);
}

// The cell under a pixel, or -1. The centre of the pixel counts, so that
// rounding treats both edges of a cell alike.
[[nodiscard]] inline int cellAtPixel(const Board& board, QPoint position) {
    return board.cellAt(static_cast<float>(twips::fromPixels(position.x() + 0.5)),
                        static_cast<float>(twips::fromPixels(position.y() + 0.5)));
}

}  // namespace apqr::ui
