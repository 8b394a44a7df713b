#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <array>

#include "board.h"

class QLineEdit;

namespace apqr::ui {

// picTafel: paints the cells of the board model as small sunken text boxes
// instead of keeping a widget per cell, which would cost about half a second
// per rebuild of 3000 cells. Only the rows inside the exposed region are
// drawn. The cells still behave as text boxes: hovering one shows its index,
// clicking one opens a single shared editor over it whose typing goes back to
// the model through cellTextEdited. The view never writes the model itself.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(const Board& board, QWidget* parent = nullptr);

    void setCellStyle(const QFont& font, Qt::Alignment alignment);

    // After the model changed: takes over the panel height, drops an open
    // editor (its cell may be gone) and repaints.
    void syncFromModel();

    [[nodiscard]] const Board& board() const { return m_board; }
    // Where a cell is drawn, in this widget's pixels.
    [[nodiscard]] QRect cellRect(int index) const;
    // The cell under a point of this widget, or -1.
    [[nodiscard]] int cellAt(QPoint position) const;
    // The cell being edited, or -1.
    [[nodiscard]] int editedCell() const { return m_editedCell; }

signals:
    void cellTextEdited(int index, const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void takeColorsFromPalette();
    [[nodiscard]] const QColor& colorOf(CellColor color) const;
    // An empty cell of that colour and size, edge included, drawn once.
    [[nodiscard]] const QPixmap& cellFace(CellColor color, QSize size);
    void openEditor(int index, QPoint clickPosition);
    void closeEditor();

    const Board& m_board;
    QFont m_cellFont;
    Qt::Alignment m_cellAlignment = Qt::AlignCenter;
    std::array<QColor, 4> m_cellColors;  // indexed by CellColor
    // Blitting a ready face is far cheaper than drawing the edge line by
    // line, which counts when a scan repaints hundreds of cells per modulus.
    std::array<QPixmap, 4> m_cellFaces;  // indexed by CellColor; empty until needed
    QSize m_cellFaceSize;
    QLineEdit* m_editor = nullptr;
    int m_editedCell = -1;
};

}  // namespace apqr::ui
