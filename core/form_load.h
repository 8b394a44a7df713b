#pragma once

#include <string>

#include "board.h"
#include "form_state.h"

namespace apqr {

// The window's load action on the model: moves cell 1 beside cell 0 and sets
// m = 2. The board itself is not built until the first rebuild.
void LoadForm(Board& board, FormState& state);

// A header label created by the load action: position in twips and caption.
struct HeaderLabel {
    float left = 0;
    float top = 0;
    std::string caption;
};

// Column header j (0 … 24) above column j.
[[nodiscard]] HeaderLabel columnHeader(int j);
// Row header r (0 … 20), captioned with the index of its row's first cell.
[[nodiscard]] HeaderLabel rowHeader(int r);

}  // namespace apqr
