#include "build_board.h"

#include <cstdint>

#include "board_geometry.h"
#include "factorization.h"
#include "text_conversions.h"
#include "texts.h"

namespace apqr {
namespace {

// Appends cells 2 … m−1, each placed after its neighbour, and grows the
// board panel by 20 % whenever a cell reaches below it. The check runs per
// cell, so the next cell of a row may grow the panel once more.
void createCells(Board& board, int m) {
    board.reserve(m);  // no cell moves while the loop holds references
    const Cell& cell0 = board.cell(0);
    const Cell& cell1 = board.cell(1);
    // The neighbour's position and width as stored, carried along in
    // registers instead of being read back from the cell just written.
    float left = cell1.left;
    float top = cell1.top;
    float width = cell1.width;
    float interior = board.tafelInteriorHeightTwips();
    for (int a = 2; a < m; ++a) {
        Cell& cell = board.addCell();
        cell.color = CellColor::White;
        cell.visible = true;
        cell.left = static_cast<float>(geometry::kPitch * width + left);
        cell.top = top;
        if (a % geometry::kColumns == 0) {
            cell.top = static_cast<float>(geometry::kPitch * cell1.height + cell.top);
            cell.left = cell0.left;
        }
        left = cell.left;
        top = cell.top;
        width = cell.width;
        if (cell.top + cell.height > interior) {
            board.setTafelHeightUnits(static_cast<float>(
                static_cast<double>(board.tafelHeightUnits()) * geometry::kGrowthFactor));
            board.setScrollMax(toInt16(board.tafelHeightUnits()));
            interior = board.tafelInteriorHeightTwips();
        }
    }
    if (m > 2) {
        board.setCellText(0, {});
        board.setCellText(1, {});
    }
}

void markQuadraticResidues(Board& board, int m) {
    // (a+1)² = a² + 2a + 1, so the square is carried along instead of
    // multiplied and divided for every a.
    std::int64_t square = 0;
    for (std::int64_t a = 0; a < m; ++a) {
        board.setCellColor(static_cast<int>(square), CellColor::Yellow);
        square += 2 * a + 1;
        while (square >= m) square -= m;
    }
}

}  // namespace

BuildResult BuildBoard(Board& board, FormState& state) {
    double m = numericValue(board.text2());
    bool rewriteText2 = false;
    // −∞ is a number below 2 like any other; +∞ is refused as too large below.
    if (m < 2) {
        m = 3;
        rewriteText2 = true;
    } else if (const double whole = roundHalfEven(m); whole != m) {
        // Box, board and factorization must agree on one whole modulus.
        m = whole;
        rewriteText2 = true;
    }
    if (m > geometry::kMaxModulus) return BuildResult::refused(texts::kModulusOutOfRange);

    board.removeCellsFrom(2);
    state.m = m;
    if (rewriteText2) board.setText2(signedText(m));
    const int modulus = static_cast<int>(m);
    createCells(board, modulus);
    markQuadraticResidues(board, modulus);
    ShowFactorization(board, state);
    return BuildResult::built();
}

}  // namespace apqr
