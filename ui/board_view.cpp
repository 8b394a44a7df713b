#include "board_view.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "bevel.h"
#include "board_geometry.h"
#include "layout_table.h"
#include "twips.h"

namespace apqr::ui {

BoardView::BoardView(const Board& board, QWidget* parent)
    : QWidget(parent), m_board(board), m_editor(new QLineEdit(this)) {
    // paintEvent fills every exposed pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    takeColorsFromPalette();

    // Frameless and inside the painted edge, so the cell keeps its look and
    // only gains a caret.
    m_editor->setFrame(false);
    m_editor->hide();
    connect(m_editor, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_editedCell >= 0) emit cellTextEdited(m_editedCell, text);
    });
    connect(m_editor, &QLineEdit::editingFinished, this, &BoardView::closeEditor);
}

void BoardView::setCellStyle(const QFont& font, Qt::Alignment alignment) {
    m_cellFont = font;
    m_cellAlignment = alignment;
    m_editor->setFont(font);
    m_editor->setAlignment(alignment);
    update();
}

void BoardView::syncFromModel() {
    closeEditor();
    const double heightTwips =
        static_cast<double>(m_board.tafelHeightUnits()) * geometry::kTwipsPerUnit;
    resize(width(), twips::toPixels(heightTwips));
    update();
}

QRect BoardView::cellRect(int index) const {
    const Cell& cell = m_board.cell(index);
    return twips::toPixelRect(cell.left, cell.top, cell.width, cell.height);
}

int BoardView::cellAt(QPoint position) const {
    // The centre of the pixel, so that rounding treats both edges alike.
    return m_board.cellAt(static_cast<float>(twips::fromPixels(position.x() + 0.5)),
                          static_cast<float>(twips::fromPixels(position.y() + 0.5)));
}

bool BoardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int index = cellAt(help->pos());
        if (index >= 0) {
            QToolTip::showText(help->globalPos(), qText(m_board.cell(index).tooltip()), this,
                               cellRect(index));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().color(QPalette::Window));

    // A cell's pixels may lie up to half a pixel outside its twips, so the
    // band asked of the model is a pixel wider on each side.
    const RowRange rows =
        m_board.rowsIntersecting(static_cast<float>(twips::fromPixels(exposed.top() - 1)),
                                 static_cast<float>(twips::fromPixels(exposed.bottom() + 2)));
    const QFontMetrics metrics(m_cellFont);
    painter.setFont(m_cellFont);
    painter.setPen(palette().color(QPalette::Text));

    const int cellCount = m_board.cellCount();
    for (int row = rows.first; row < rows.last; ++row) {
        const int end = std::min((row + 1) * geometry::kColumns, cellCount);
        for (int index = row * geometry::kColumns; index < end; ++index) {
            const Cell& cell = m_board.cell(index);
            const QRect box = cellRect(index);
            if (!cell.visible || !box.intersects(exposed)) continue;

            painter.drawPixmap(box.topLeft(), cellFace(cell.color, box.size()));
            if (cell.text.empty()) continue;

            const QRect inside = insideBevel(box);

            const QString text = qText(cell.text);
            // A text box shows only what fits; clip just the rare long text.
            const bool overflows = metrics.horizontalAdvance(text) > inside.width();
            if (overflows) {
                painter.save();
                painter.setClipRect(inside);
            }
            painter.drawText(inside, static_cast<int>(m_cellAlignment), text);
            if (overflows) painter.restore();
        }
    }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const int index = event->button() == Qt::LeftButton ? cellAt(event->pos()) : -1;
    if (index < 0) {
        // A click beside the cells leaves the cell being edited.
        closeEditor();
        QWidget::mousePressEvent(event);
        return;
    }
    openEditor(index, event->pos());
}

void BoardView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) takeColorsFromPalette();
    QWidget::changeEvent(event);
}

void BoardView::takeColorsFromPalette() {
    const auto put = [this](CellColor color, const QColor& value) {
        m_cellColors[static_cast<std::size_t>(color)] = value;
    };
    // The default colour is whatever an ordinary text box shows.
    put(CellColor::Default, palette().color(QPalette::Base));
    for (const CellColor color : {CellColor::White, CellColor::Yellow, CellColor::Red}) {
        put(color, ui::colorOf(*rgbOf(color)));
    }
    m_cellFaces = {};
}

const QPixmap& BoardView::cellFace(CellColor color, QSize size) {
    if (size != m_cellFaceSize) {
        m_cellFaces = {};
        m_cellFaceSize = size;
    }
    QPixmap& face = m_cellFaces[static_cast<std::size_t>(color)];
    if (face.isNull()) {
        const qreal ratio = devicePixelRatioF();
        face = QPixmap(size * ratio);
        face.setDevicePixelRatio(ratio);
        QPainter painter(&face);
        const QRect box(QPoint(0, 0), size);
        drawBevel(painter, box, Bevel::Sunken, BevelColors::from(palette()));
        painter.fillRect(insideBevel(box), colorOf(color));
    }
    return face;
}

const QColor& BoardView::colorOf(CellColor color) const {
    return m_cellColors[static_cast<std::size_t>(color)];
}

void BoardView::openEditor(int index, QPoint clickPosition) {
    const Cell& cell = m_board.cell(index);
    m_editedCell = index;

    QPalette editorPalette = m_editor->palette();
    editorPalette.setColor(QPalette::Base, colorOf(cell.color));
    m_editor->setPalette(editorPalette);
    m_editor->setGeometry(insideBevel(cellRect(index)));
    m_editor->setText(qText(cell.text));
    m_editor->setToolTip(qText(cell.tooltip()));
    m_editor->show();
    m_editor->setFocus(Qt::MouseFocusReason);
    m_editor->setCursorPosition(m_editor->cursorPositionAt(m_editor->mapFrom(this, clickPosition)));
}

void BoardView::closeEditor() {
    if (m_editedCell < 0) return;
    m_editedCell = -1;
    m_editor->hide();
}

}  // namespace apqr::ui
