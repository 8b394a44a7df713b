#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cell_color.h"

namespace apqr {

// One residue of the board, drawn as a small text box.
struct Cell {
    std::int32_t index = 0;
    CellColor color = CellColor::White;
    bool visible = true;
    // Twips inside the board panel. Single precision on purpose: each cell's
    // position is derived from its neighbour's stored one, so the rounding of
    // the stored value accumulates along a row as it did on the original.
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    std::string text;

    // The tooltip is the index; derived, so a cell holds no string for it.
    [[nodiscard]] std::string tooltip() const;
};

// Half-open range of board rows, [first, last).
struct RowRange {
    int first = 0;
    int last = 0;
};

// The board: the cells 0 … m−1 and the values on other controls that the
// rebuild, the factorization and the check read or write, so that all of
// them run without a window. A fresh board is the design-time state: cells 0
// and 1 with texts "0" and "1" in the default colour, cell 1 not yet moved.
class Board {
public:
    Board();

    [[nodiscard]] int cellCount() const { return static_cast<int>(m_cells.size()); }
    [[nodiscard]] const Cell& cell(int index) const {
        return m_cells[static_cast<std::size_t>(index)];
    }
    [[nodiscard]] std::span<const Cell> cells() const { return m_cells; }

    void setCellColor(int index, CellColor color);
    void setCellText(int index, std::string text);
    void setCellLeft(int index, float left);

    // Removes every cell from `first` on; cells 0 and 1 always stay.
    void removeCellsFrom(int first);
    // Appends a copy of cell 0 (size, text, colour) with the next index.
    Cell& addCell();
    void reserve(int cells) { m_cells.reserve(static_cast<std::size_t>(cells)); }

    [[nodiscard]] const std::string& text2() const { return m_text2; }
    [[nodiscard]] const std::string& text3() const { return m_text3; }
    [[nodiscard]] const std::string& text5() const { return m_text5; }
    void setText2(std::string text) { m_text2 = std::move(text); }
    void setText3(std::string text) { m_text3 = std::move(text); }
    void setText5(std::string text) { m_text5 = std::move(text); }

    // Height of the board panel in units of its frame (100 twips each).
    [[nodiscard]] float tafelHeightUnits() const { return m_tafelHeightUnits; }
    void setTafelHeightUnits(float units) { m_tafelHeightUnits = units; }
    // The panel has no frame, so its interior equals its height.
    [[nodiscard]] float tafelInteriorHeightTwips() const;

    [[nodiscard]] std::int16_t scrollMax() const { return m_scrollMax; }
    void setScrollMax(std::int16_t max) { m_scrollMax = max; }

    // The index rule and its inverse, shared by the painter and the mouse.
    [[nodiscard]] int rowCount() const;
    // Rows whose cells reach into the band [top, bottom) twips.
    [[nodiscard]] RowRange rowsIntersecting(float top, float bottom) const;
    // The cell under a point in twips, or -1.
    [[nodiscard]] int cellAt(float x, float y) const;

private:
    std::vector<Cell> m_cells;
    std::string m_text2;
    std::string m_text3;
    std::string m_text5;
    float m_tafelHeightUnits;
    std::int16_t m_scrollMax;
};

// Cell index of term k of the progression with start a and difference d,
// the mathematical (never negative) remainder, free of overflow for any
// 32-bit operands.
[[nodiscard]] constexpr int progressionTerm(std::int64_t a, std::int64_t d, int k, int m) {
    const std::int64_t step = ((d % m) + m) % m;
    return static_cast<int>((a % m + static_cast<std::int64_t>(k) * step) % m);
}

}  // namespace apqr
