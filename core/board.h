#pragma once

#include <cassert>
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
    // A copy holds the live cells only and keeps its own spare storage, so
    // that a view showing the board once per frame copies no more than that
    // board and allocates nothing once it has seen the largest one.
    Board(const Board& other);
    Board& operator=(const Board& other);
    Board(Board&&) noexcept = default;
    Board& operator=(Board&&) noexcept = default;
    ~Board() = default;

    [[nodiscard]] int cellCount() const { return m_count; }
    [[nodiscard]] const Cell& cell(int index) const { return m_cells[slot(index)]; }
    [[nodiscard]] std::span<const Cell> cells() const {
        return std::span<const Cell>(m_cells).first(static_cast<std::size_t>(m_count));
    }

    // How many cells have that colour: after a rebuild, the yellow ones are
    // the quadratic residues.
    [[nodiscard]] int countOf(CellColor color) const;

    void setCellColor(int index, CellColor color) { m_cells[slot(index)].color = color; }
    void setCellText(int index, std::string text) { m_cells[slot(index)].text = std::move(text); }
    void setCellLeft(int index, float left) { m_cells[slot(index)].left = left; }

    // Removes every cell from `first` on; cells 0 and 1 always stay.
    void removeCellsFrom(int first);
    // Makes room for a board of `count` cells, so that the references that
    // addCell hands out stay valid until then.
    void reserve(int count) {
        if (static_cast<std::size_t>(count) > m_cells.capacity()) grow(count);
    }
    // Appends a copy of cell 0 (size, position, colour; empty text) with the
    // next index. Inline below, as the rebuild calls it for every cell.
    Cell& addCell();

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
    void grow(int count);
    // Not static: the assert reads the count, where asserts are compiled in.
    // NOLINTNEXTLINE(readability-convert-member-functions-to-static)
    [[nodiscard]] std::size_t slot(int index) const {
        assert(index >= 0 && index < m_count);
        return static_cast<std::size_t>(index);
    }

    // The cells of the board are the first m_count. The storage behind them
    // outlives a rebuild and grows by doubling, so that the scan, which
    // rebuilds for m + 1 after m, neither allocates nor touches fresh pages
    // for every modulus; a removed cell waits there to be reset and reused.
    std::vector<Cell> m_cells;
    int m_count = 0;
    std::string m_text2;
    std::string m_text3;
    std::string m_text5;
    float m_tafelHeightUnits;
    std::int16_t m_scrollMax;
};

inline Cell& Board::addCell() {
    reserve(m_count + 1);
    if (static_cast<std::size_t>(m_count) == m_cells.size()) m_cells.emplace_back();
    const Cell& model = m_cells.front();
    Cell& cell = m_cells[static_cast<std::size_t>(m_count)];
    // Every field is set afresh: the slot may hold a cell of an earlier,
    // larger board, coloured, moved or written into.
    cell.index = m_count;
    cell.color = model.color;
    cell.visible = true;
    cell.left = model.left;
    cell.top = model.top;
    cell.width = model.width;
    cell.height = model.height;
    // A new cell's text is emptied at once, so it is not copied from cell 0.
    // A text longer than a string holds inline, a long note typed into an
    // earlier board, gives back its buffer.
    if (cell.text.capacity() > std::string().capacity()) {
        std::string().swap(cell.text);
    } else {
        cell.text.clear();
    }
    ++m_count;
    return cell;
}

// Cell index of term k of the progression with start a and difference d,
// the mathematical (never negative) remainder, free of overflow for any
// 32-bit operands.
[[nodiscard]] constexpr int progressionTerm(std::int64_t a, std::int64_t d, int k, int m) {
    const std::int64_t step = ((d % m) + m) % m;
    return static_cast<int>((a % m + static_cast<std::int64_t>(k) * step) % m);
}

}  // namespace apqr
