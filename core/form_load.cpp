#include "form_load.h"

#include "board_geometry.h"
#include "text_conversions.h"

namespace apqr {

void LoadForm(Board& board, FormState& state) {
    const Cell& cell0 = board.cell(0);
    board.setCellLeft(1, static_cast<float>(geometry::kPitch * cell0.width + cell0.left));
    state.m = 2;
    // The header loops of the load action run on a; the last one ends one
    // past its final row header.
    state.a = geometry::kRowHeaders;
}

HeaderLabel columnHeader(int j) {
    const double left = geometry::kColumnHeader0Left +
                        j * static_cast<double>(geometry::kCellWidth) * geometry::kPitch;
    return {static_cast<float>(left), geometry::kColumnHeader0Top, integerText(j)};
}

HeaderLabel rowHeader(int r) {
    const double top = geometry::kRowHeader0Top +
                       r * static_cast<double>(geometry::kCellHeight) * geometry::kPitch;
    return {geometry::kRowHeader0Left, static_cast<float>(top),
            integerText(geometry::kColumns * r)};
}

}  // namespace apqr
