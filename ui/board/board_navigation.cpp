// Where the keys move the current cell of the board.
#include "board/board_navigation.h"

#include <algorithm>

#include "board_geometry.h"

namespace apqr::ui {

int cellAfter(CellMove move, int current, int cellCount, int pageRows) {
    constexpr int kColumns = geometry::kColumns;
    const int last = cellCount - 1;
    const int row = current / kColumns;
    const int column = current % kColumns;
    const auto existing = [&](int index) { return index >= 0 && index <= last ? index : current; };
    switch (move) {
        case CellMove::Previous:
            return existing(current - 1);
        case CellMove::Next:
            return existing(current + 1);
        case CellMove::RowUp:
            return existing(current - kColumns);
        case CellMove::RowDown:
            return existing(current + kColumns);
        case CellMove::RowStart:
            return row * kColumns;
        case CellMove::RowEnd:
            return std::min(row * kColumns + kColumns - 1, last);
        case CellMove::First:
            return 0;
        case CellMove::Last:
            return last;
        case CellMove::PageUp:
            return std::max(row - pageRows, 0) * kColumns + column;
        case CellMove::PageDown: {
            const int lastRow = last / kColumns;
            return std::min(std::min(row + pageRows, lastRow) * kColumns + column, last);
        }
    }
    return current;
}

}  // namespace apqr::ui
