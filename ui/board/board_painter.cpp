// The board's painter: cell faces and focus marks, kept and blitted.
#include "board/board_painter.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <optional>

#include "board/cell_pixels.h"
#include "board_geometry.h"
#include "qt_conversions.h"
#include "widgets/contrast.h"
#include "widgets/fixed_colors.h"
#include "widgets/twips.h"

namespace apqr::ui {
namespace {

// The mark of the current cell: the cell's edge redrawn with each of its
// lines in the contrast partner of that line's colour, and a ring in the
// partner of the fill just inside. Every pixel of it so differs from the
// same pixel unmarked by 4.58 : 1 or more, even where a dark scheme draws
// the edge nearly black and a black frame would vanish.
void drawFocusFrame(QPainter& painter, const QRect& box, const BevelColors& edge,
                    const QColor& fill) {
    const BevelColors partners{contrastPartner(edge.light), contrastPartner(edge.midlight),
                               contrastPartner(edge.dark), contrastPartner(edge.shadow)};
    drawBevel(painter, box, Bevel::Sunken, partners);
    const QRect r = insideBevel(box);
    const QColor ring = contrastPartner(fill);
    painter.fillRect(r.left(), r.top(), r.width(), 1, ring);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, ring);
    painter.fillRect(r.left(), r.top(), 1, r.height(), ring);
    painter.fillRect(r.right(), r.top(), 1, r.height(), ring);
}

QPixmap blankFace(QSize size, qreal ratio) {
    QPixmap face(size * ratio);
    face.setDevicePixelRatio(ratio);
    return face;
}

}  // namespace

void BoardPainter::setCellStyle(const QFont& font, Qt::Alignment alignment) {
    m_cellFont = font;
    m_cellAlignment = alignment;
}

void BoardPainter::takeColorsFrom(const QPalette& palette) {
    m_panel = palette.color(QPalette::Window);
    m_edge = BevelColors::from(palette);
    for (const CellColor color :
         {CellColor::Default, CellColor::White, CellColor::Yellow, CellColor::Red}) {
        const auto at = static_cast<std::size_t>(color);
        // The default colour is whatever an ordinary text box shows.
        const std::optional<ColorPair> fixed = cellColors(color);
        m_cellColors[at] = fixed ? ui::colorOf(fixed->background) : palette.color(QPalette::Base);
        m_cellTextColors[at] = fixed ? ui::colorOf(fixed->text) : palette.color(QPalette::Text);
    }
    m_cellFaces = {};
    m_focusFrames = {};
}

void BoardPainter::paint(QPainter& painter, const QRect& exposed, const Board& board, int current,
                         qreal ratio) {
    painter.fillRect(exposed, m_panel);

    // A cell's pixels may lie up to half a pixel outside its twips, so the
    // band asked of the model is a pixel wider on each side.
    const RowRange rows =
        board.rowsIntersecting(static_cast<float>(twips::fromPixels(exposed.top() - 1)),
                               static_cast<float>(twips::fromPixels(exposed.bottom() + 2)));
    const QFontMetrics metrics(m_cellFont);
    painter.setFont(m_cellFont);

    const int cellCount = board.cellCount();
    for (int row = rows.first; row < rows.last; ++row) {
        const int end = std::min((row + 1) * geometry::kColumns, cellCount);
        for (int index = row * geometry::kColumns; index < end; ++index) {
            const Cell& cell = board.cell(index);
            const QRect box = cellPixelRect(cell);
            if (!cell.visible || !box.intersects(exposed)) continue;

            painter.drawPixmap(box.topLeft(), cellFace(cell.color, box.size(), ratio));
            if (cell.text.empty()) continue;

            const QRect inside = insideBevel(box);
            const QString text = qText(cell.text);
            // A text box shows only what fits; clip just the rare long text.
            const bool overflows = metrics.horizontalAdvance(text) > inside.width();
            if (overflows) {
                painter.save();
                painter.setClipRect(inside);
            }
            painter.setPen(textColorOf(cell.color));
            painter.drawText(inside, static_cast<int>(m_cellAlignment), text);
            if (overflows) painter.restore();
        }
    }

    if (current >= 0 && current < cellCount) {
        const Cell& cell = board.cell(current);
        const QRect box = cellPixelRect(cell);
        if (box.intersects(exposed)) {
            painter.drawPixmap(box.topLeft(), focusFrame(cell.color, box.size(), ratio));
        }
    }
}

void BoardPainter::fitFacesTo(QSize size) {
    if (size == m_cellFaceSize) return;
    m_cellFaces = {};
    m_focusFrames = {};
    m_cellFaceSize = size;
}

const QPixmap& BoardPainter::cellFace(CellColor color, QSize size, qreal ratio) {
    fitFacesTo(size);
    QPixmap& face = m_cellFaces[static_cast<std::size_t>(color)];
    if (face.isNull()) {
        face = blankFace(size, ratio);
        QPainter painter(&face);
        const QRect box(QPoint(0, 0), size);
        drawBevel(painter, box, Bevel::Sunken, m_edge);
        painter.fillRect(insideBevel(box), colorOf(color));
    }
    return face;
}

const QPixmap& BoardPainter::focusFrame(CellColor color, QSize size, qreal ratio) {
    fitFacesTo(size);
    QPixmap& frame = m_focusFrames[static_cast<std::size_t>(color)];
    if (frame.isNull()) {
        frame = blankFace(size, ratio);
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        drawFocusFrame(painter, QRect(QPoint(0, 0), size), m_edge, colorOf(color));
    }
    return frame;
}

const QColor& BoardPainter::colorOf(CellColor color) const {
    return m_cellColors[static_cast<std::size_t>(color)];
}

const QColor& BoardPainter::textColorOf(CellColor color) const {
    return m_cellTextColors[static_cast<std::size_t>(color)];
}

}  // namespace apqr::ui
