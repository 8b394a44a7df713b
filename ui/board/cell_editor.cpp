// The cell editor: two boxes taking turns, their keys and focus rules.
#include "board/cell_editor.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>
#include <optional>
#include <utility>

#include "cell_color.h"
#include "qt_conversions.h"
#include "widgets/fixed_colors.h"

namespace apqr::ui {

CellEditor::CellEditor(QWidget* board) : QObject(board), m_board(board) {
    m_boxes = {makeBox(), makeBox()};
    m_editor = m_boxes[0];
}

QLineEdit* CellEditor::makeBox() {
    auto* box = new QLineEdit(m_board);
    box->setFrame(false);
    box->hide();
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, box](const QString& text) {
        if (box == m_editor && m_editedCell >= 0) emit textEdited(m_editedCell, text);
    });
    return box;
}

void CellEditor::setCellStyle(const QFont& font, Qt::Alignment alignment) {
    for (QLineEdit* box : m_boxes) {
        box->setFont(font);
        box->setAlignment(alignment);
    }
}

void CellEditor::open(int index, const Cell& cell, const QRect& box, Caret caret, QPoint point) {
    dropComposition();
    placeOver(cell, box);
    m_editor->setFocus(caret == Caret::AtPoint ? Qt::MouseFocusReason : Qt::OtherFocusReason);
    // The text only now: a reader that hears of a caret in a box before it
    // hears of the focus takes the box silently and never names the cell.
    fill(index);
    switch (caret) {
        case Caret::AtPoint:
            m_editor->setCursorPosition(
                m_editor->cursorPositionAt(m_editor->mapFrom(m_board, point)));
            break;
        case Caret::AtEnd:
            m_editor->end(false);
            break;
        case Caret::SelectAll:
            m_editor->selectAll();
            break;
    }
}

void CellEditor::placeOver(const Cell& cell, const QRect& box) {
    m_editedCell = -1;  // the text put in from here is the cell's, not an edit
    m_textBeforeEdit = qText(cell.text);
    m_editor = m_editor == m_boxes[0] ? m_boxes[1] : m_boxes[0];

    // Over a coloured cell the box takes the cell's colours, caret and
    // selection included; over a default cell it is an ordinary box.
    if (const std::optional<ColorPair> fixed = cellColors(cell.color)) {
        applyColors(m_editor, *fixed, Surface::Box);
    } else {
        followScheme(m_editor);
    }
    m_editor->setGeometry(box);
    m_editor->setToolTip(qText(cell.tooltip()));
    // A screen reader names the box after its cell, as it does the cell.
    m_editor->setAccessibleName(qText(cell.tooltip()));
    m_editor->setAccessibleDescription(qText(meaningOf(cell.color)));
    m_editor->show();
}

void CellEditor::fill(int index) {
    m_editor->setText(m_textBeforeEdit);
    m_editedCell = index;
}

void CellEditor::close(bool focusBoard) {
    dropComposition();
    if (m_editedCell < 0) return;
    m_editedCell = -1;
    if (focusBoard) m_board->setFocus(Qt::OtherFocusReason);
    m_editor->hide();
}

void CellEditor::takeBoardInput(int index, const Cell& cell, const QRect& box,
                                QInputMethodEvent* event) {
    const bool commits = !event->commitString().isEmpty();
    const bool composes = !event->preeditString().isEmpty();
    if (m_composedCell >= 0) {
        if (commits || !composes) {
            endComposition(event);
        } else {
            QCoreApplication::sendEvent(m_editor, event);
        }
        return;
    }
    if (!m_editor->isHidden() || (!commits && !composes)) {
        event->ignore();
        return;
    }
    if (commits) {
        open(index, cell, box, Caret::SelectAll);
    } else {
        // The composition replaces the cell's text, as typing does; the
        // model learns of it only when it is committed.
        placeOver(cell, box);
        m_editor->clear();
        m_composedCell = index;
    }
    QCoreApplication::sendEvent(m_editor, event);
}

// The focus first, as when the box opens: a reader hears of the box before
// its text. An input method that commits its text again as the focus moves
// sends it to the board, which refuses it, the box being open.
void CellEditor::endComposition(QInputMethodEvent* event) {
    const int index = std::exchange(m_composedCell, -1);
    m_editor->setFocus(Qt::OtherFocusReason);
    if (event->commitString().isEmpty()) {
        QCoreApplication::sendEvent(m_editor, event);  // takes the pre-edit away
        fill(index);
        m_editor->selectAll();
    } else {
        m_editedCell = index;
        QCoreApplication::sendEvent(m_editor, event);
    }
}

// Another edit or a rebuild ends a composition unfinished: the input method
// forgets it, and the cell keeps its text, which the model never lost.
void CellEditor::dropComposition() {
    if (m_composedCell < 0) return;
    m_composedCell = -1;
    QInputMethodEvent cancel;
    QCoreApplication::sendEvent(m_editor, &cancel);
    m_editor->hide();
    QGuiApplication::inputMethod()->reset();
}

QVariant CellEditor::composingQuery(Qt::InputMethodQuery query) const {
    if (m_composedCell < 0) return {};
    QVariant answer = m_editor->inputMethodQuery(query);
    const QPoint offset = m_editor->pos();  // the box is a child of the board
    switch (answer.typeId()) {
        case QMetaType::QRect:
            return answer.toRect().translated(offset);
        case QMetaType::QRectF:
            return answer.toRectF().translated(offset);
        default:
            return answer;
    }
}

bool CellEditor::holdsTheFocus() const {
    // In a window that is not active nothing has the focus, but the box may
    // still be the widget that gets it back when the window returns.
    return m_editor->hasFocus() || m_board->window()->focusWidget() == m_editor;
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor && m_editedCell >= 0) {
        if (event->type() == QEvent::KeyPress) return keyPress(static_cast<QKeyEvent*>(event));
        // The edit ends when the focus goes to another control of this
        // window. Leaving the window, or opening the box's own context
        // menu, keeps it open and the box the window's focus, so that coming
        // back returns to it, caret and all, as to any text box.
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                close(false);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

// What typing has put into the box is in the cell already, so every way out
// but Escape simply keeps it.
bool CellEditor::keyPress(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            close(true);
            return true;
        case Qt::Key_Escape:
            m_editor->setText(m_textBeforeEdit);
            close(true);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
            close(true);
            emit leftByKey(event->key());
            return true;
        default:
            return false;
    }
}

}  // namespace apqr::ui
