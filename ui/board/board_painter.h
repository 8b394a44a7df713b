// The board's painter: cells drawn from kept faces, and the focus mark.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QSizeF>
#include <array>
#include <cstdint>
#include <map>

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
//
// A face is kept for the device pixels a cell covers, not for its size in
// Qt's pixels: the window may move to a screen of another scale, and at a
// fractional scale (1.25, 1.5) cells of one size cover 41 or 42 device
// pixels as their positions round. A face drawn for one and blitted over the
// other would leave a device pixel of the panel inside the cell's edge, or
// reach one beyond it.
class BoardPainter {
public:
    BoardPainter() = default;

    void setCellStyle(const QFont& font, Qt::Alignment alignment);

    // The colours that follow the scheme: the panel, the edges and the
    // default cell, which looks like an ordinary text box. Drops the faces
    // drawn in the old ones.
    void takeColorsFrom(const QPalette& palette);

    // Paints the cells of `board` within `exposed`, and the mark of cell
    // `current` unless it is -1, for the device pixels `painter` paints.
    void paint(QPainter& painter, const QRect& exposed, const Board& board, int current);

private:
    enum class Layer : std::uint8_t { Face, FocusFrame };
    // Which kept picture: its layer, its cell's colour and the device
    // pixels it covers.
    struct FaceKey {
        Layer layer;
        CellColor color;
        int width;
        int height;
        auto operator<=>(const FaceKey&) const = default;
    };

    [[nodiscard]] const QColor& colorOf(CellColor color) const;
    [[nodiscard]] const QColor& textColorOf(CellColor color) const;
    // The face or the mark of the current cell for a cell of `size` that
    // covers `device` pixels. The mark is transparent but for its lines,
    // which fall on the very device pixels of the face's lines.
    [[nodiscard]] const QPixmap& kept(Layer layer, CellColor color, QSize size, QSize device);
    // Another cell size or device scale drops what was kept for the old.
    void fitFacesTo(QSize size, QSizeF scale);

    QFont m_cellFont;
    Qt::Alignment m_cellAlignment = Qt::AlignCenter;
    QColor m_panel;
    BevelColors m_edge;
    std::array<QColor, 4> m_cellColors;      // indexed by CellColor
    std::array<QColor, 4> m_cellTextColors;  // indexed by CellColor
    std::map<FaceKey, QPixmap> m_faces;      // drawn when first needed
    QSize m_faceSize;                        // the cell size they are for
    QSizeF m_faceScale;                      // and the device scale
};

}  // namespace apqr::ui
