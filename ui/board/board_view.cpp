// The board view: its events, the current cell and the hit test.
#include "board/board_view.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <optional>
#include <utility>

#include "board/cell_pixels.h"
#include "board_geometry.h"
#include "qt_conversions.h"
#include "widgets/bevel.h"
#include "widgets/twips.h"

namespace apqr::ui {
namespace {

// The keys that move the current cell, as a grid has taught them.
std::optional<CellMove> moveFor(const QKeyEvent& event) {
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    switch (event.key()) {
        case Qt::Key_Left:
            return CellMove::Previous;
        case Qt::Key_Right:
            return CellMove::Next;
        case Qt::Key_Up:
            return CellMove::RowUp;
        case Qt::Key_Down:
            return CellMove::RowDown;
        case Qt::Key_Home:
            return control ? CellMove::First : CellMove::RowStart;
        case Qt::Key_End:
            return control ? CellMove::Last : CellMove::RowEnd;
        case Qt::Key_PageUp:
            return CellMove::PageUp;
        case Qt::Key_PageDown:
            return CellMove::PageDown;
        default:
            return std::nullopt;
    }
}

// Typing that should land in the cell: printable text without a command
// modifier (Shift and AltGr make characters, Ctrl and Alt make shortcuts).
// Whole characters count, so that one beyond the 16-bit range (an emoji, a
// rare ideograph), which comes as two surrogates, is typing too.
bool isTyping(const QKeyEvent& event) {
    if (event.modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QList<uint> characters = event.text().toUcs4();
    return !characters.isEmpty() && std::ranges::all_of(characters, [](uint c) {
        return QChar::isPrint(static_cast<char32_t>(c));
    });
}

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent), m_cellEditor(new CellEditor(this)) {
    // paintEvent fills every exposed pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Without it the compose input context and input methods pass the board
    // by: a dead key would come as a key without text, and be lost.
    setAttribute(Qt::WA_InputMethodEnabled);
    m_painter.takeColorsFrom(palette());
    m_cellFocusAfterBoards.setSingleShot(true);
    m_cellFocusAfterBoards.setInterval(0);
    connect(&m_cellFocusAfterBoards, &QTimer::timeout, this, &BoardView::notifyAccessibleFocus);
    connect(m_cellEditor, &CellEditor::textEdited, this, &BoardView::takeEditedText);
    connect(m_cellEditor, &CellEditor::leftByKey, this, &BoardView::leaveEditByKey);
}

void BoardView::setCellStyle(const QFont& font, Qt::Alignment alignment) {
    m_painter.setCellStyle(font, alignment);
    m_cellEditor->setCellStyle(font, alignment);
    update();
}

void BoardView::setHeaderLabels(std::vector<QLabel*> columns, std::vector<QLabel*> rows) {
    m_columnHeaders = std::move(columns);
    m_rowHeaders = std::move(rows);
}

QLabel* BoardView::columnHeader(int column) const {
    return column >= 0 && column < static_cast<int>(m_columnHeaders.size())
               ? m_columnHeaders[static_cast<std::size_t>(column)]
               : nullptr;
}

QLabel* BoardView::rowHeader(int row) const {
    return row >= 0 && row < static_cast<int>(m_rowHeaders.size())
               ? m_rowHeaders[static_cast<std::size_t>(row)]
               : nullptr;
}

int BoardView::editedCell() const {
    return m_cellEditor->editedCell();
}

QLineEdit* BoardView::editor() const {
    return m_cellEditor->editor();
}

void BoardView::syncFromModel(const Board& model) {
    m_board = model;
    // The current cell stays while it exists; a smaller board takes its last.
    // First of all, as handing the focus back below paints that cell.
    m_currentCell = std::min(m_currentCell, m_board.cellCount() - 1);
    m_cellEditor->close(m_cellEditor->holdsTheFocus());
    const double heightTwips =
        static_cast<double>(m_board.tafelHeightUnits()) * geometry::kTwipsPerUnit;
    resize(width(), twips::toPixels(heightTwips));
    update();
    notifyAccessibleReset();
}

QRect BoardView::cellRect(int index) const {
    return cellPixelRect(m_board.cell(index));
}

int BoardView::cellAt(QPoint position) const {
    return cellAtPixel(m_board, position);
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
    m_painter.paint(painter, event->rect(), m_board, hasFocus() ? m_currentCell : -1);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const int index = event->button() == Qt::LeftButton ? cellAt(event->pos()) : -1;
    if (index < 0) {
        // A click beside the cells leaves the cell being edited.
        m_cellEditor->close(true);
        QWidget::mousePressEvent(event);
        return;
    }
    setCurrentCell(index);
    emit currentCellMoved(index);
    m_cellEditor->open(index, m_board.cell(index), editorBox(index), CellEditor::Caret::AtPoint,
                       event->pos());
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    if (const auto move = moveFor(*event)) {
        moveCurrent(*move);
        return;
    }
    switch (event->key()) {
        case Qt::Key_F2:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            editCurrent(CellEditor::Caret::AtEnd);
            return;
        default:
            break;
    }
    if (isTyping(*event)) {
        // The key goes on to the editor, where it replaces the selected text.
        editCurrent(CellEditor::Caret::SelectAll);
        QCoreApplication::sendEvent(m_cellEditor->editor(), event);
        return;
    }
    QWidget::keyPressEvent(event);
}

void BoardView::inputMethodEvent(QInputMethodEvent* event) {
    m_cellEditor->takeBoardInput(m_currentCell, m_board.cell(m_currentCell),
                                 editorBox(m_currentCell), event);
}

QVariant BoardView::inputMethodQuery(Qt::InputMethodQuery query) const {
    QVariant answer = m_cellEditor->composingQuery(query);
    if (answer.isValid()) return answer;
    // An input method shows what it composes beside the current cell.
    if (query == Qt::ImCursorRectangle) return cellRect(m_currentCell);
    return QWidget::inputMethodQuery(query);
}

void BoardView::focusInEvent(QFocusEvent* event) {
    update(cellRect(m_currentCell));
    // Tabbing in shows where the keys will act, as a click does.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        emit currentCellMoved(m_currentCell);
    }
    QWidget::focusInEvent(event);
    // Qt tells a screen reader that the board has the focus only after this
    // handler; the current cell is told after that, or the reader would take
    // the table for the focus and never speak the cell.
    m_cellFocusAfterBoards.start();
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    update(cellRect(m_currentCell));
    QWidget::focusOutEvent(event);
}

void BoardView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        m_painter.takeColorsFrom(palette());
        update();
    }
    QWidget::changeEvent(event);
}

int BoardView::pageRows() const {
    const double seen = twips::fromPixels(m_sight.height());
    const double rowPitch = geometry::kPitch * geometry::kCellHeight;
    return std::max(1, static_cast<int>(seen / rowPitch));
}

QRect BoardView::editorBox(int index) const {
    return insideBevel(cellRect(index));
}

void BoardView::editCurrent(CellEditor::Caret caret) {
    m_cellEditor->open(m_currentCell, m_board.cell(m_currentCell), editorBox(m_currentCell), caret);
}

void BoardView::moveCurrent(CellMove move) {
    const int index = cellAfter(move, m_currentCell, m_board.cellCount(), pageRows());
    setCurrentCell(index);
    // Shown even when it stays, so that a key always brings it into sight.
    emit currentCellMoved(index);
}

void BoardView::setCurrentCell(int index) {
    if (index == m_currentCell) return;
    update(cellRect(m_currentCell));
    m_currentCell = index;
    update(cellRect(m_currentCell));
    updateMicroFocus(Qt::ImCursorRectangle);  // an input method's window follows
    notifyAccessibleFocus();
}

void BoardView::takeEditedText(int index, const QString& text) {
    m_board.setCellText(index, text.toStdString());
    emit cellTextEdited(index, text);
}

void BoardView::leaveEditByKey(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            focusNextPrevChild(key == Qt::Key_Tab);
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            moveCurrent(key == Qt::Key_Up ? CellMove::RowUp : CellMove::RowDown);
            break;
        default:
            break;
    }
}

// The view only tells which of its cells has the focus, by its index, which
// is the cell's place among the table's children; making the table and its
// cells is the accessible table's business.
void BoardView::notifyAccessibleFocus() {
    if (!QAccessible::isActive() || !hasFocus()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_currentCell);
    QAccessible::updateAccessibility(&focus);
}

void BoardView::notifyAccessibleReset() {
    if (!QAccessible::isActive()) return;
    // The cached cells go with the old board; a reader asks anew.
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    notifyAccessibleFocus();
}

}  // namespace apqr::ui
