// The board as a table for a screen reader, with its cells.
#include "board/board_accessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWindow>
#include <unordered_map>

#include "board/board_view.h"
#include "board_geometry.h"
#include "qt_conversions.h"
#include "texts.h"

namespace apqr::ui {
namespace {

constexpr int kColumns = geometry::kColumns;

QList<QAccessibleInterface*> headerCell(QLabel* label) {
    if (label == nullptr) return {};
    return {QAccessible::queryAccessibleInterface(label)};
}

// The places of the grid: every row has 25, the short last one too, as in
// any table; a client may ask for each of them.
int placeCount(const Board& board) {
    return board.rowCount() * kColumns;
}

// One place of the grid: a cell, or past the last residue an empty place
// that shows nothing. It holds nothing but its index and reads the board
// each time it is asked, so it is never behind the model.
class CellAccessible : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleTextInterface {
public:
    CellAccessible(BoardView* view, int index) : m_view(view), m_index(index) {}

    [[nodiscard]] const BoardView* view() const { return m_view.data(); }
    [[nodiscard]] int index() const { return m_index; }

    [[nodiscard]] bool isValid() const override {
        return !m_view.isNull() && m_index < placeCount(m_view->board());
    }
    // A residue's cell, not an empty place after the last one.
    [[nodiscard]] bool isResidue() const {
        return !m_view.isNull() && m_index < m_view->board().cellCount();
    }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override {
        return m_view.isNull() ? nullptr : m_view->window()->windowHandle();
    }

    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
        return nullptr;
    }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_view.data());
    }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        if (!isResidue()) return {};
        const Cell& c = cell();
        switch (t) {
            case QAccessible::Name:
                return qText(c.tooltip());
            case QAccessible::Description:
                return qText(texts::cellDescription(c));
            case QAccessible::Value:
                return qText(c.text);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}

    [[nodiscard]] QRect rect() const override {
        if (!isResidue()) return {};
        const QRect box = m_view->cellRect(m_index);
        return {m_view->mapToGlobal(box.topLeft()), box.size()};
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Cell; }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        if (!isResidue()) {
            // Nothing is drawn there, and nothing can be done with it.
            s.invisible = true;
            return s;
        }
        // The board has a current cell but no selection: no cell claims to
        // be selectable, or a reader calls every other one "not selected".
        s.focusable = true;
        s.editable = true;
        s.focused = m_view->currentCell() == m_index && m_view->hasFocus();
        s.invisible = !m_view->isVisible();
        // Scrolled out of the frame the board is seen through.
        s.offscreen = !m_view->isInSight(m_view->cellRect(m_index));
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        switch (t) {
            case QAccessible::TableCellInterface:
                return static_cast<QAccessibleTableCellInterface*>(this);
            case QAccessible::TextInterface:
                return static_cast<QAccessibleTextInterface*>(this);
            default:
                return nullptr;
        }
    }

    // The cell in its table.
    [[nodiscard]] bool isSelected() const override { return false; }
    [[nodiscard]] QList<QAccessibleInterface*> columnHeaderCells() const override {
        return m_view.isNull() ? QList<QAccessibleInterface*>{}
                               : headerCell(m_view->columnHeader(columnIndex()));
    }
    [[nodiscard]] QList<QAccessibleInterface*> rowHeaderCells() const override {
        return m_view.isNull() ? QList<QAccessibleInterface*>{}
                               : headerCell(m_view->rowHeader(rowIndex()));
    }
    [[nodiscard]] int columnIndex() const override { return m_index % kColumns; }
    [[nodiscard]] int rowIndex() const override { return m_index / kColumns; }
    [[nodiscard]] int columnExtent() const override { return 1; }
    [[nodiscard]] int rowExtent() const override { return 1; }
    [[nodiscard]] QAccessibleInterface* table() const override { return parent(); }

    // Its text, which AT-SPI hands on only through this interface. Editing
    // goes through the keyboard, so there is no caret or selection here.
    void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    [[nodiscard]] int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
    [[nodiscard]] int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    [[nodiscard]] QString text(int startOffset, int endOffset) const override {
        return text(QAccessible::Value).mid(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(text(QAccessible::Value).size());
    }
    [[nodiscard]] QRect characterRect(int /*offset*/) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
    QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    [[nodiscard]] const Cell& cell() const { return m_view->board().cell(m_index); }

    QPointer<BoardView> m_view;
    int m_index;
};

// The board as a table of rows × 25 places. Its children are the places in
// index order, as AT-SPI reckons a cell's row and column from its index:
// the cells, then the empty places of a short last row. Then come the
// view's own widgets: the header labels, which the cells name as their
// headers, and the two cell editors, shown or not. So every object that
// names the table as its parent is listed by it. Every place of the grid
// answers, as in Qt's own tables: Qt 6.4's bridge reads the cell it asks
// for without a check.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(BoardView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~BoardAccessible() override { dropCells(); }
    BoardAccessible(const BoardAccessible&) = delete;
    BoardAccessible& operator=(const BoardAccessible&) = delete;

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return places() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0) return nullptr;
        if (index < places()) return cell(index);
        return QAccessibleWidget::child(index - places());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        if (child->object() != nullptr) {
            const int widget = QAccessibleWidget::indexOfChild(child);
            return widget < 0 ? -1 : places() + widget;
        }
        const auto* c = dynamic_cast<const CellAccessible*>(child);
        return c != nullptr && c->view() == view() && c->isValid() ? c->index() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        // The cell under the point, also where its editor lies over it.
        const QPoint at = view()->mapFromGlobal(QPoint(x, y));
        const int index = view()->cellAt(at);
        return index >= 0 ? cell(index) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        if (editorOpen() && view()->editor()->hasFocus()) {
            return QAccessible::queryAccessibleInterface(view()->editor());
        }
        return view()->hasFocus() ? cell(view()->currentCell()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return nullptr;
        return cell(row * kColumns + column);
    }
    // The current cell is where the keys act, not a selection.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        const QLabel* header = view()->columnHeader(column);
        return header != nullptr ? header->text() : QString();
    }
    QString rowDescription(int row) const override {
        const QLabel* header = view()->rowHeader(row);
        return header != nullptr ? header->text() : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return view()->board().rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }

    // Any change of the board is announced as a reset, which drops every
    // cached cell; a client that asks again gets the new board.
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override { dropCells(); }

private:
    [[nodiscard]] BoardView* view() const { return static_cast<BoardView*>(widget()); }
    [[nodiscard]] int places() const { return placeCount(view()->board()); }
    [[nodiscard]] bool editorOpen() const { return view()->editedCell() >= 0; }

    QAccessibleInterface* cell(int index) const {
        const auto found = m_cells.find(index);
        if (found != m_cells.end()) {
            if (QAccessibleInterface* cached = QAccessible::accessibleInterface(found->second)) {
                return cached;
            }
        }
        auto* made = new CellAccessible(view(), index);
        m_cells[index] = QAccessible::registerAccessibleInterface(made);
        return made;
    }

    void dropCells() {
        for (const auto& [index, id] : m_cells) QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    // Made on demand from const accessors, as Qt's own tables do.
    mutable std::unordered_map<int, QAccessible::Id> m_cells;
};

}  // namespace

QAccessibleInterface* makeBoardAccessible(BoardView* view) {
    return new BoardAccessible(view);
}

QAccessibleInterface* accessibleCell(BoardView* view, int index) {
    if (index < 0 || index >= view->board().cellCount()) return nullptr;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface* cells = table != nullptr ? table->tableInterface() : nullptr;
    return cells != nullptr ? cells->cellAt(index / kColumns, index % kColumns) : nullptr;
}

}  // namespace apqr::ui
