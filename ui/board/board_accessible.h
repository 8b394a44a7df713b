// The board as a table a screen reader reads, with a cell per residue.
#pragma once

class QAccessibleInterface;

// What assistive technology (a screen reader through AT-SPI) learns of the
// painted board: a table named by the board, with one cell per residue and
// an empty place for each position of a short last row. A cell is named by
// its residue, described by what its colour means and reads its text, so a
// red cell also gives its difference; as a reader speaks the text of a cell
// that has one instead of its name, the description of such a cell names
// the residue too. The board has a current cell but no selection, so no
// cell is selectable. Cell interfaces are made only when a client asks for
// one, cached by index and dropped when the board is rebuilt; no cell has a
// QObject.
namespace apqr::ui {

class BoardView;

// The table a screen reader reads for the board view; made by the
// accessibility factory (accessibility.h).
[[nodiscard]] QAccessibleInterface* makeBoardAccessible(BoardView* view);

// The interface of cell `index` of the board, made on first request; nullptr
// for a cell that does not exist.
[[nodiscard]] QAccessibleInterface* accessibleCell(BoardView* view, int index);

}  // namespace apqr::ui
