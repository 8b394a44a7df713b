// Where the keys move the current cell of the board.
#pragma once

#include <cstdint>

// How the keys move the current cell of the board, on the board's own index
// rule: cell n stands in row n / 25, column n % 25.
namespace apqr::ui {

enum class CellMove : std::uint8_t {
    Previous,  // Left
    Next,      // Right
    RowUp,     // Up
    RowDown,   // Down
    RowStart,  // Home
    RowEnd,    // End
    First,     // Ctrl+Home
    Last,      // Ctrl+End
    PageUp,
    PageDown,
};

// The cell a move lands on. A move towards a place where no cell stands
// (before cell 0, after the last cell, below a short last row) stays put,
// except that a page down stops at the last row as a grid does.
[[nodiscard]] int cellAfter(CellMove move, int current, int cellCount, int pageRows);

}  // namespace apqr::ui
