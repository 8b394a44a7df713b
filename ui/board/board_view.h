// picTafel, the board view: painted cells that act as one grid of text boxes.
#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "board.h"
#include "board/board_navigation.h"
#include "board/board_painter.h"
#include "board/cell_editor.h"

class QLabel;
class QLineEdit;

namespace apqr::ui {

// picTafel: the board's cells, painted (board_painter.h) instead of a widget
// per cell, which would cost about half a second per rebuild of 3000 cells,
// yet behaving as text boxes: hovering a cell shows its index, the board is
// one tab stop whose current cell the keys move, and clicking a cell,
// typing, F2 or Enter edit it in place (cell_editor.h); typing includes what
// a dead key composes and what an input method sends, taken as a text box
// takes it. A screen reader sees a table of the cells (board_accessible.h);
// the view tells it when the current cell moves and when the board changes.
//
// The view shows its own copy of the model, taken by syncFromModel, never
// the model itself: a scan changes the model far more often than a screen
// can show it, and whatever is painted or read out meanwhile must be one
// board, the one that goes with the boxes beside it. Only typing into a
// cell writes the copy, and the model through cellTextEdited.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void setCellStyle(const QFont& font, Qt::Alignment alignment);
    // The column and row header labels, which name the table's columns and
    // rows for a screen reader.
    void setHeaderLabels(std::vector<QLabel*> columns, std::vector<QLabel*> rows);
    // The part of the view in sight, in its own pixels, as the pane that
    // shows it says: a page of the paging keys is as high, and a cell outside
    // it is off screen.
    void setSight(const QRect& sight) { m_sight = sight; }

    // Shows the model as it is now: takes over its cells and panel height,
    // drops an open edit (its cell may be gone), keeps the current cell
    // where it still exists and repaints.
    void syncFromModel(const Board& model);

    // The board as shown, which is the model as of the last sync.
    [[nodiscard]] const Board& board() const { return m_board; }
    // Where a cell is drawn, in this widget's pixels.
    [[nodiscard]] QRect cellRect(int index) const;
    // The cell under a point of this widget, or -1.
    [[nodiscard]] int cellAt(QPoint position) const;
    [[nodiscard]] bool isInSight(const QRect& rect) const { return m_sight.intersects(rect); }
    // The cell being edited, or -1.
    [[nodiscard]] int editedCell() const;
    // The cell the keys act on.
    [[nodiscard]] int currentCell() const { return m_currentCell; }
    // The box a cell is edited in.
    [[nodiscard]] QLineEdit* editor() const;
    [[nodiscard]] QLabel* columnHeader(int column) const;
    [[nodiscard]] QLabel* rowHeader(int row) const;  // nullptr past the last header

    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void cellTextEdited(int index, const QString& text);
    // The user moved the current cell; whoever scrolls the board shows it.
    void currentCellMoved(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Rows of cells that fit into the part in sight.
    [[nodiscard]] int pageRows() const;
    // Where the box that edits a cell goes: inside its painted edge.
    [[nodiscard]] QRect editorBox(int index) const;
    void editCurrent(CellEditor::Caret caret);
    void moveCurrent(CellMove move);
    void setCurrentCell(int index);
    void takeEditedText(int index, const QString& text);
    void leaveEditByKey(int key);

    void notifyAccessibleFocus();
    void notifyAccessibleReset();

    Board m_board;
    BoardPainter m_painter;
    CellEditor* m_cellEditor;
    QRect m_sight;
    // Tells of the current cell once Qt has told of the board's focus.
    QTimer m_cellFocusAfterBoards;
    int m_currentCell = 0;
    std::vector<QLabel*> m_columnHeaders;
    std::vector<QLabel*> m_rowHeaders;
};

}  // namespace apqr::ui
