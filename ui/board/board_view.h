#pragma once

#include <QFont>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

#include "board.h"
#include "board/board_navigation.h"

class QLabel;
class QLineEdit;

namespace apqr::ui {

// picTafel: paints the cells of the board model as small sunken text boxes
// instead of keeping a widget per cell, which would cost about half a second
// per rebuild of 3000 cells. Only the rows inside the exposed region are
// drawn. The cells still behave as text boxes: hovering one shows its index;
// the board is one tab stop whose current cell the keys move; clicking a
// cell, typing, F2 or Enter open a single shared editor over it whose typing
// goes back to the model through cellTextEdited. A screen reader sees it as
// a table of its cells (board_accessible.h).
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

    // Shows the model as it is now: takes over its cells and panel height,
    // drops an open editor (its cell may be gone), keeps the current cell
    // where it still exists and repaints.
    void syncFromModel(const Board& model);

    // The board as shown, which is the model as of the last sync.
    [[nodiscard]] const Board& board() const { return m_board; }
    // Where a cell is drawn, in this widget's pixels.
    [[nodiscard]] QRect cellRect(int index) const;
    // The cell under a point of this widget, or -1.
    [[nodiscard]] int cellAt(QPoint position) const;
    // The cell being edited, or -1.
    [[nodiscard]] int editedCell() const { return m_editedCell; }
    // The cell the keys act on.
    [[nodiscard]] int currentCell() const { return m_currentCell; }
    [[nodiscard]] QLineEdit* editor() const { return m_editor; }
    [[nodiscard]] QLabel* columnHeader(int column) const;
    [[nodiscard]] QLabel* rowHeader(int row) const;  // nullptr past the last header

signals:
    void cellTextEdited(int index, const QString& text);
    // The user moved the current cell; whoever scrolls the board shows it.
    void currentCellMoved(int index);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void takeColorsFromPalette();
    [[nodiscard]] const QColor& colorOf(CellColor color) const;
    [[nodiscard]] const QColor& textColorOf(CellColor color) const;
    // An empty cell of that colour and size, edge included, drawn once.
    [[nodiscard]] const QPixmap& cellFace(CellColor color, QSize size);
    // What marks the current cell over a face of that colour: transparent
    // but for the mark, and drawn at the same pixel ratio as the face, so
    // that its lines fall on the very device pixels of the face's lines.
    [[nodiscard]] const QPixmap& focusFrame(CellColor color, QSize size);
    // A new size drops the faces and frames of the old one.
    void fitFacesTo(QSize size);
    [[nodiscard]] QPixmap blankFace(QSize size) const;

    // Rows of cells that fit into the frame the board is seen through.
    [[nodiscard]] int pageRows() const;
    void moveCurrent(CellMove move);
    void setCurrentCell(int index);

    [[nodiscard]] QLineEdit* makeEditor();
    enum class Caret { AtClick, AtEnd, SelectAll };
    void openEditor(int index, Caret caret, QPoint clickPosition = {});
    // Closes the editor; `focusBoard` hands the focus back to the board
    // first, so that it does not wander off to the next control.
    void closeEditor(bool focusBoard = false);
    // The editor has the focus, or will have it when the window is active.
    [[nodiscard]] bool editorHoldsTheFocus() const;
    bool editorKeyPress(QKeyEvent* event);

    void notifyAccessibleFocus();
    void notifyAccessibleReset();

    Board m_board;
    QFont m_cellFont;
    Qt::Alignment m_cellAlignment = Qt::AlignCenter;
    std::array<QColor, 4> m_cellColors;      // indexed by CellColor
    std::array<QColor, 4> m_cellTextColors;  // indexed by CellColor
    // Blitting a ready face is far cheaper than drawing the edge line by
    // line, which counts when a scan repaints hundreds of cells per modulus.
    std::array<QPixmap, 4> m_cellFaces;    // indexed by CellColor; empty until needed
    std::array<QPixmap, 4> m_focusFrames;  // likewise
    QSize m_cellFaceSize;
    // Tells of the current cell once Qt has told of the board's focus.
    QTimer m_cellFocusAfterBoards;
    std::array<QLineEdit*, 2> m_editors{};
    QLineEdit* m_editor = nullptr;  // the one of the two in use
    int m_editedCell = -1;
    QString m_textBeforeEdit;  // what Escape puts back
    int m_currentCell = 0;
    std::vector<QLabel*> m_columnHeaders;
    std::vector<QLabel*> m_rowHeaders;
};

}  // namespace apqr::ui
