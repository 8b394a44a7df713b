#include "board/board_view.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "widgets/bevel.h"
#include "board_geometry.h"
#include "widgets/contrast.h"
#include "widgets/fixed_colors.h"
#include "qt_conversions.h"
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
bool isTyping(const QKeyEvent& event) {
    if (event.modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = event.text();
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

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

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    // paintEvent fills every exposed pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    takeColorsFromPalette();
    m_cellFocusAfterBoards.setSingleShot(true);
    m_cellFocusAfterBoards.setInterval(0);
    connect(&m_cellFocusAfterBoards, &QTimer::timeout, this, &BoardView::notifyAccessibleFocus);
    m_editors = {makeEditor(), makeEditor()};
    m_editor = m_editors[0];
}

QLineEdit* BoardView::makeEditor() {
    auto* editor = new QLineEdit(this);
    // Frameless and inside the painted edge, so the cell keeps its look and
    // only gains a caret.
    editor->setFrame(false);
    editor->hide();
    editor->installEventFilter(this);
    // Every change while a cell is edited, typed or set by assistive
    // technology, goes to that cell.
    connect(editor, &QLineEdit::textChanged, this, [this, editor](const QString& text) {
        if (editor != m_editor || m_editedCell < 0) return;
        m_board.setCellText(m_editedCell, text.toStdString());
        emit cellTextEdited(m_editedCell, text);
    });
    return editor;
}

void BoardView::setCellStyle(const QFont& font, Qt::Alignment alignment) {
    m_cellFont = font;
    m_cellAlignment = alignment;
    for (QLineEdit* editor : m_editors) {
        editor->setFont(font);
        editor->setAlignment(alignment);
    }
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

void BoardView::syncFromModel(const Board& model) {
    m_board = model;
    // The current cell stays while it exists; a smaller board takes its last.
    // First of all, as handing the focus back below paints that cell.
    m_currentCell = std::min(m_currentCell, m_board.cellCount() - 1);
    closeEditor(editorHoldsTheFocus());
    const double heightTwips =
        static_cast<double>(m_board.tafelHeightUnits()) * geometry::kTwipsPerUnit;
    resize(width(), twips::toPixels(heightTwips));
    update();
    notifyAccessibleReset();
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
            painter.setPen(textColorOf(cell.color));
            painter.drawText(inside, static_cast<int>(m_cellAlignment), text);
            if (overflows) painter.restore();
        }
    }

    if (hasFocus() && m_currentCell < cellCount) {
        const QRect box = cellRect(m_currentCell);
        if (box.intersects(exposed)) {
            painter.drawPixmap(box.topLeft(),
                               focusFrame(m_board.cell(m_currentCell).color, box.size()));
        }
    }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const int index = event->button() == Qt::LeftButton ? cellAt(event->pos()) : -1;
    if (index < 0) {
        // A click beside the cells leaves the cell being edited.
        closeEditor(true);
        QWidget::mousePressEvent(event);
        return;
    }
    setCurrentCell(index);
    emit currentCellMoved(index);
    openEditor(index, Caret::AtClick, event->pos());
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
            openEditor(m_currentCell, Caret::AtEnd);
            return;
        default:
            break;
    }
    if (isTyping(*event)) {
        // The key goes on to the editor, where it replaces the selected text.
        openEditor(m_currentCell, Caret::SelectAll);
        QCoreApplication::sendEvent(m_editor, event);
        return;
    }
    QWidget::keyPressEvent(event);
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
    if (event->type() == QEvent::PaletteChange) takeColorsFromPalette();
    QWidget::changeEvent(event);
}

void BoardView::takeColorsFromPalette() {
    for (const CellColor color :
         {CellColor::Default, CellColor::White, CellColor::Yellow, CellColor::Red}) {
        const auto at = static_cast<std::size_t>(color);
        // The default colour is whatever an ordinary text box shows.
        const std::optional<ColorPair> fixed = cellColors(color);
        m_cellColors[at] = fixed ? ui::colorOf(fixed->background) : palette().color(QPalette::Base);
        m_cellTextColors[at] = fixed ? ui::colorOf(fixed->text) : palette().color(QPalette::Text);
    }
    m_cellFaces = {};
    m_focusFrames = {};
    update();
}

void BoardView::fitFacesTo(QSize size) {
    if (size == m_cellFaceSize) return;
    m_cellFaces = {};
    m_focusFrames = {};
    m_cellFaceSize = size;
}

QPixmap BoardView::blankFace(QSize size) const {
    const qreal ratio = devicePixelRatioF();
    QPixmap face(size * ratio);
    face.setDevicePixelRatio(ratio);
    return face;
}

const QPixmap& BoardView::cellFace(CellColor color, QSize size) {
    fitFacesTo(size);
    QPixmap& face = m_cellFaces[static_cast<std::size_t>(color)];
    if (face.isNull()) {
        face = blankFace(size);
        QPainter painter(&face);
        const QRect box(QPoint(0, 0), size);
        drawBevel(painter, box, Bevel::Sunken, BevelColors::from(palette()));
        painter.fillRect(insideBevel(box), colorOf(color));
    }
    return face;
}

const QPixmap& BoardView::focusFrame(CellColor color, QSize size) {
    fitFacesTo(size);
    QPixmap& frame = m_focusFrames[static_cast<std::size_t>(color)];
    if (frame.isNull()) {
        frame = blankFace(size);
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        drawFocusFrame(painter, QRect(QPoint(0, 0), size), BevelColors::from(palette()),
                       colorOf(color));
    }
    return frame;
}

const QColor& BoardView::colorOf(CellColor color) const {
    return m_cellColors[static_cast<std::size_t>(color)];
}

const QColor& BoardView::textColorOf(CellColor color) const {
    return m_cellTextColors[static_cast<std::size_t>(color)];
}

int BoardView::pageRows() const {
    const double seen = parentWidget() != nullptr ? twips::fromPixels(parentWidget()->height())
                                                  : twips::fromPixels(height());
    const double rowPitch = geometry::kPitch * geometry::kCellHeight;
    return std::max(1, static_cast<int>(seen / rowPitch));
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
    notifyAccessibleFocus();
}

void BoardView::openEditor(int index, Caret caret, QPoint clickPosition) {
    const Cell& cell = m_board.cell(index);
    m_editedCell = -1;  // the text put in below is the cell's, not an edit
    m_textBeforeEdit = qText(cell.text);
    // Two boxes, taking turns: a screen reader hears of a focus move only
    // between two objects, so one box taken by a click from one cell to the
    // next would never name the next; and the box it leaves must still be
    // there when it looks back at it.
    m_editor = m_editor == m_editors[0] ? m_editors[1] : m_editors[0];

    // Over a coloured cell the editor takes the cell's colours, caret and
    // selection included; over a default cell it is an ordinary box.
    if (const std::optional<ColorPair> fixed = cellColors(cell.color)) {
        applyColors(m_editor, *fixed, Surface::Box);
    } else {
        followScheme(m_editor);
    }
    m_editor->setGeometry(insideBevel(cellRect(index)));
    m_editor->setToolTip(qText(cell.tooltip()));
    // A screen reader names the box after its cell, as it does the cell.
    m_editor->setAccessibleName(qText(cell.tooltip()));
    m_editor->setAccessibleDescription(qText(meaningOf(cell.color)));
    m_editor->show();
    m_editor->setFocus(caret == Caret::AtClick ? Qt::MouseFocusReason : Qt::OtherFocusReason);
    // The text only now: a reader that hears of a caret in a box before it
    // hears of the focus takes the box silently and never names the cell.
    m_editor->setText(m_textBeforeEdit);
    m_editedCell = index;  // from here on the editor's text is the cell's
    switch (caret) {
        case Caret::AtClick:
            m_editor->setCursorPosition(
                m_editor->cursorPositionAt(m_editor->mapFrom(this, clickPosition)));
            break;
        case Caret::AtEnd:
            m_editor->end(false);
            break;
        case Caret::SelectAll:
            m_editor->selectAll();
            break;
    }
}

bool BoardView::editorHoldsTheFocus() const {
    // In a window that is not active nothing has the focus, but the editor
    // may still be the widget that gets it back when the window returns.
    return m_editor->hasFocus() || window()->focusWidget() == m_editor;
}

void BoardView::closeEditor(bool focusBoard) {
    if (m_editedCell < 0) return;
    m_editedCell = -1;
    if (focusBoard) setFocus(Qt::OtherFocusReason);
    m_editor->hide();
}

bool BoardView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && m_editedCell >= 0) {
        if (event->type() == QEvent::KeyPress)
            return editorKeyPress(static_cast<QKeyEvent*>(event));
        // The edit ends when the focus goes to another control of this
        // window. Leaving the window, or opening the editor's own context
        // menu, keeps it open and the editor the window's focus, so that
        // coming back returns to it, caret and all, as to any text box.
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                closeEditor();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// What typing has put into the editor is in the model already, so every way
// out but Escape simply keeps it.
bool BoardView::editorKeyPress(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            closeEditor(true);
            return true;
        case Qt::Key_Escape:
            m_editor->setText(m_textBeforeEdit);
            closeEditor(true);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            closeEditor(true);
            focusNextPrevChild(event->key() == Qt::Key_Tab);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            closeEditor(true);
            moveCurrent(event->key() == Qt::Key_Up ? CellMove::RowUp : CellMove::RowDown);
            return true;
        default:
            return false;
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
