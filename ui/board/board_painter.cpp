// The board's painter: cell faces and focus marks, kept and blitted.
#include "board/board_painter.h"

#include <QPainter>
#include <QPalette>
#include <QTransform>
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
    const BevelColors partners{.light = contrastPartner(edge.light),
                               .midlight = contrastPartner(edge.midlight),
                               .dark = contrastPartner(edge.dark),
                               .shadow = contrastPartner(edge.shadow)};
    drawBevel(painter, box, Bevel::Sunken, partners);
    const QRect r = insideBevel(box);
    const QColor ring = contrastPartner(fill);
    painter.fillRect(r.left(), r.top(), r.width(), 1, ring);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, ring);
    painter.fillRect(r.left(), r.top(), 1, r.height(), ring);
    painter.fillRect(r.right(), r.top(), 1, r.height(), ring);
}

// Draws in the paint device's own pixels while it lives, so that a kept face
// lands on whole device pixels whatever the scale and wherever the board
// lies in the window (a widget's origin may itself fall between them).
class InDevicePixels {
public:
    explicit InDevicePixels(QPainter& painter)
        : m_painter(painter), m_toDevice(painter.deviceTransform()) {
        painter.save();
        painter.setWorldTransform(m_toDevice.inverted() * painter.worldTransform());
    }
    ~InDevicePixels() { m_painter.restore(); }
    InDevicePixels(const InDevicePixels&) = delete;
    InDevicePixels& operator=(const InDevicePixels&) = delete;

    // The device pixels a fill of `rect` covers: Qt rounds each edge of a
    // filled rectangle to the nearest pixel boundary.
    [[nodiscard]] QRect covered(const QRect& rect) const {
        const QRectF exact = m_toDevice.mapRect(QRectF(rect));
        const QPoint topLeft(qRound(exact.left()), qRound(exact.top()));
        const QPoint end(qRound(exact.right()), qRound(exact.bottom()));
        return {topLeft, end - QPoint(1, 1)};
    }
    [[nodiscard]] QSizeF scale() const { return {m_toDevice.m11(), m_toDevice.m22()}; }

private:
    QPainter& m_painter;
    QTransform m_toDevice;
};

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
    m_faces.clear();
}

void BoardPainter::paint(QPainter& painter, const QRect& exposed, const Board& board, int current) {
    painter.fillRect(exposed, m_panel);

    // A cell's pixels may lie up to half a pixel outside its twips, so the
    // band asked of the model is a pixel wider on each side.
    const RowRange rows =
        board.rowsIntersecting(static_cast<float>(twips::fromPixels(exposed.top() - 1)),
                               static_cast<float>(twips::fromPixels(exposed.bottom() + 2)));
    const int cellCount = board.cellCount();
    const auto eachCell = [&](const auto& draw) {
        for (int row = rows.first; row < rows.last; ++row) {
            const int end = std::min((row + 1) * geometry::kColumns, cellCount);
            for (int index = row * geometry::kColumns; index < end; ++index) {
                const Cell& cell = board.cell(index);
                const QRect box = cellPixelRect(cell);
                if (cell.visible && box.intersects(exposed)) draw(cell, box);
            }
        }
    };

    {
        const InDevicePixels device(painter);
        eachCell([&](const Cell& cell, const QRect& box) {
            fitFacesTo(box.size(), device.scale());
            const QRect covered = device.covered(box);
            painter.drawPixmap(covered.topLeft(),
                               kept(Layer::Face, cell.color, box.size(), covered.size()));
        });
    }

    const QFontMetrics metrics(m_cellFont);
    painter.setFont(m_cellFont);
    eachCell([&](const Cell& cell, const QRect& box) {
        if (cell.text.empty()) return;
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
    });

    if (current >= 0 && current < cellCount) {
        const Cell& cell = board.cell(current);
        const QRect box = cellPixelRect(cell);
        if (box.intersects(exposed)) {
            const InDevicePixels device(painter);
            fitFacesTo(box.size(), device.scale());
            const QRect covered = device.covered(box);
            painter.drawPixmap(covered.topLeft(),
                               kept(Layer::FocusFrame, cell.color, box.size(), covered.size()));
        }
    }
}

void BoardPainter::fitFacesTo(QSize size, QSizeF scale) {
    if (size == m_faceSize && scale == m_faceScale) return;
    m_faces.clear();
    m_faceSize = size;
    m_faceScale = scale;
}

const QPixmap& BoardPainter::kept(Layer layer, CellColor color, QSize size, QSize device) {
    QPixmap& picture = m_faces[{layer, color, device.width(), device.height()}];
    if (!picture.isNull()) return picture;

    picture = QPixmap(device);
    if (layer == Layer::FocusFrame) picture.fill(Qt::transparent);
    QPainter painter(&picture);
    // The cell as drawn in Qt's pixels, stretched onto its device pixels: at
    // a whole-number scale exactly the cell drawn at that scale, at another
    // one every device pixel of the cell and none beyond.
    painter.scale(static_cast<qreal>(device.width()) / size.width(),
                  static_cast<qreal>(device.height()) / size.height());
    const QRect box(QPoint(0, 0), size);
    if (layer == Layer::Face) {
        drawBevel(painter, box, Bevel::Sunken, m_edge);
        painter.fillRect(insideBevel(box), colorOf(color));
    } else {
        drawFocusFrame(painter, box, m_edge, colorOf(color));
    }
    return picture;
}

const QColor& BoardPainter::colorOf(CellColor color) const {
    return m_cellColors[static_cast<std::size_t>(color)];
}

const QColor& BoardPainter::textColorOf(CellColor color) const {
    return m_cellTextColors[static_cast<std::size_t>(color)];
}

}  // namespace apqr::ui
