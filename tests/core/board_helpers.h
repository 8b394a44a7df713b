#pragma once

#include <set>
#include <string>

#include "board.h"
#include "build_board.h"
#include "form_load.h"
#include "form_state.h"

namespace apqr::testing {

// A window's model right after start-up.
struct Form {
    Board board;
    FormState state;
    Form() { LoadForm(board, state); }

    // Types the modulus and rebuilds, as "QR" does.
    BuildResult build(const std::string& modulus) {
        board.setText2(modulus);
        return BuildBoard(board, state);
    }

    [[nodiscard]] std::set<int> cellsOf(CellColor color) const {
        std::set<int> cells;
        for (const Cell& cell : board.cells()) {
            if (cell.color == color) cells.insert(cell.index);
        }
        return cells;
    }
};

}  // namespace apqr::testing
