// The board's painter: cells drawn from kept faces, and the focus mark.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <array>

#include "board.h"
#include "widgets/bevel.h"

class QPainter;
class QPalette;

namespace apqr::ui {

// Draws the board's cells as small sunken text boxes, and the mark of the
// current cell. An empty cell of each colour, edge included, and the mark
// over it are drawn once and kept: blitting a ready face is far cheaper than
// drawing the edge line by line, which counts when a scan repaints hundreds
// of cells per modulus. Only the rows inside the exposed region are drawn.
class BoardPainter {
public:
    BoardPainter() = default;

    void setCellStyle(const QFont& font, Qt::Alignment alignment);

    // The colours that follow the scheme: the panel, the edges and the
    // default cell, which looks like an ordinary text box. Drops the faces
    // drawn in the old ones.
    void takeColorsFrom(const QPalette& palette);

    // Paints the cells of `board` within `exposed`, and the mark of cell
    // `current` unless it is -1. `ratio` is the device pixel ratio the
    // faces are drawn at.
    void paint(QPainter& painter, const QRect& exposed, const Board& board, int current,
               qreal ratio);

private:
    [[nodiscard]] const QColor& colorOf(CellColor color) const;
    [[nodiscard]] const QColor& textColorOf(CellColor color) const;
    [[nodiscard]] const QPixmap& cellFace(CellColor color, QSize size, qreal ratio);
    // What marks the current cell over a face of that colour: transparent
    // but for the mark, and drawn at the same pixel ratio as the face, so
    // that its lines fall on the very device pixels of the face's lines.
    [[nodiscard]] const QPixmap& focusFrame(CellColor color, QSize size, qreal ratio);
    // A new size drops the faces and frames of the old one.
    void fitFacesTo(QSize size);

    QFont m_cellFont;
    Qt::Alignment m_cellAlignment = Qt::AlignCenter;
    QColor m_panel;
    BevelColors m_edge;
    std::array<QColor, 4> m_cellColors;      // indexed by CellColor
    std::array<QColor, 4> m_cellTextColors;  // indexed by CellColor
    std::array<QPixmap, 4> m_cellFaces;      // indexed by CellColor; empty until needed
    std::array<QPixmap, 4> m_focusFrames;    // likewise
    QSize m_cellFaceSize;
};

}  // namespace apqr::ui
