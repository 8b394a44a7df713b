#include "board.h"

#include <algorithm>

#include "board_geometry.h"
#include "text_conversions.h"

namespace apqr {

std::string Cell::tooltip() const {
    return integerText(index);
}

Board::Board()
    : m_text2("2"),
      m_text5("2"),
      m_tafelHeightUnits(geometry::kInitialTafelHeightUnits),
      m_scrollMax(geometry::kInitialScrollMax) {
    const auto designCell = [](int index, float left) {
        Cell cell;
        cell.index = index;
        cell.color = CellColor::Default;
        cell.left = left;
        cell.top = geometry::kCell0Top;
        cell.width = geometry::kCellWidth;
        cell.height = geometry::kCellHeight;
        cell.text = integerText(index);
        return cell;
    };
    m_cells.push_back(designCell(0, geometry::kCell0Left));
    m_cells.push_back(designCell(1, geometry::kCell1DesignLeft));
    m_count = 2;
}

Board::Board(const Board& other)
    : m_cells(other.cells().begin(), other.cells().end()),
      m_count(other.m_count),
      m_text2(other.m_text2),
      m_text3(other.m_text3),
      m_text5(other.m_text5),
      m_tafelHeightUnits(other.m_tafelHeightUnits),
      m_scrollMax(other.m_scrollMax) {}

Board& Board::operator=(const Board& other) {
    if (this == &other) return *this;
    const std::span<const Cell> live = other.cells();
    if (m_cells.size() < live.size()) m_cells.resize(live.size());
    // Assigned cell by cell, so that the texts reuse their buffers.
    std::ranges::copy(live, m_cells.begin());
    m_count = other.m_count;
    m_text2 = other.m_text2;
    m_text3 = other.m_text3;
    m_text5 = other.m_text5;
    m_tafelHeightUnits = other.m_tafelHeightUnits;
    m_scrollMax = other.m_scrollMax;
    return *this;
}

int Board::countOf(CellColor color) const {
    const std::span<const Cell> live = cells();
    return static_cast<int>(std::count_if(live.begin(), live.end(),
                                          [color](const Cell& c) { return c.color == color; }));
}

void Board::removeCellsFrom(int first) {
    m_count = std::clamp(first, 2, m_count);
}

void Board::grow(int count) {
    // Doubling keeps the number of moves logarithmic in the largest board.
    m_cells.reserve(std::max(static_cast<std::size_t>(count), 2 * m_cells.capacity()));
}

float Board::tafelInteriorHeightTwips() const {
    return static_cast<float>(static_cast<double>(m_tafelHeightUnits) * geometry::kTwipsPerUnit);
}

int Board::rowCount() const {
    return (cellCount() + geometry::kColumns - 1) / geometry::kColumns;
}

RowRange Board::rowsIntersecting(float top, float bottom) const {
    // Rows run downward, so both their tops and their bottoms are sorted.
    const auto rowCell = [this](int row) -> const Cell& { return cell(row * geometry::kColumns); };
    int first = 0;
    int count = rowCount();
    while (count > 0) {  // first row whose bottom lies below `top`
        const int half = count / 2;
        const Cell& c = rowCell(first + half);
        if (c.top + c.height <= top) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    int last = first;
    count = rowCount() - first;
    while (count > 0) {  // first row that starts at or below `bottom`
        const int half = count / 2;
        if (rowCell(last + half).top < bottom) {
            last += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return {first, last};
}

int Board::cellAt(float x, float y) const {
    // Rows do not overlap, so only the first row reaching below y can hold it.
    const int row = rowsIntersecting(y, y).first;
    if (row >= rowCount()) return -1;
    const int begin = row * geometry::kColumns;
    const int end = std::min(begin + geometry::kColumns, cellCount());
    for (int i = begin; i < end; ++i) {
        const Cell& c = m_cells[static_cast<std::size_t>(i)];
        if (x >= c.left && x < c.left + c.width && y >= c.top && y < c.top + c.height) return i;
    }
    return -1;
}

}  // namespace apqr
