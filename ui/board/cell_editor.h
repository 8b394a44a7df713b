// The cell editor: two boxes that take turns editing a cell in place.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

#include "board.h"

class QFont;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QVariant;
class QWidget;

namespace apqr::ui {

// The box that edits a cell of the board in place: frameless and inside the
// painted edge, so the cell keeps its look and only gains a caret. It is two
// boxes taking turns: a screen reader hears of a focus move only between two
// objects, so one box taken by a click from one cell to the next would never
// name the next; and the box it leaves must still be there when the reader
// looks back at it. Every change of the text, typed or set by assistive
// technology, goes to the cell at once through textEdited.
class CellEditor : public QObject {
    Q_OBJECT
public:
    // Where the caret goes as the edit opens.
    enum class Caret : std::uint8_t { AtPoint, AtEnd, SelectAll };

    // The boxes are children of `board`, whose pixels the rectangles and
    // points below are in.
    explicit CellEditor(QWidget* board);

    void setCellStyle(const QFont& font, Qt::Alignment alignment);

    // Opens the other box over cell `index`, which shows `cell`, inside
    // `box`; with Caret::AtPoint the caret goes where `point` is.
    void open(int index, const Cell& cell, const QRect& box, Caret caret, QPoint point = {});
    // Closes the edit; `focusBoard` hands the focus back to the board first,
    // so that it does not wander off to the next control. Text an input
    // method still composes for the cell is dropped, the cell keeps its own.
    void close(bool focusBoard);

    // Text an input method or a compose sequence (a dead key, then a letter)
    // sends to the board, which has the focus, for cell `index`. Committed
    // text opens the box and replaces the cell's text, as a typed character
    // does. Text still being composed shows in the box while the focus stays
    // on the board, since moving it would end the composition; the box takes
    // the focus once the text is committed, or with the cell's own text
    // selected when the composition is dropped. Input for a box already
    // open is refused: an input method may repeat its text as the focus
    // moves on.
    void takeBoardInput(int index, const Cell& cell, const QRect& box, QInputMethodEvent* event);
    // While text is composed for a cell, what the input method asks the
    // board (where the caret is, what text surrounds it) is the box's to
    // answer, in the board's pixels; otherwise an invalid QVariant.
    [[nodiscard]] QVariant composingQuery(Qt::InputMethodQuery query) const;

    // The cell being edited, or -1.
    [[nodiscard]] int editedCell() const { return m_editedCell; }
    // The box in use, shown while a cell is edited.
    [[nodiscard]] QLineEdit* editor() const { return m_editor; }
    // The box has the focus, or will have it when the window is active.
    [[nodiscard]] bool holdsTheFocus() const;

signals:
    void textEdited(int index, const QString& text);
    // The edit ended with a key that goes on to the board: Tab and Backtab
    // to the next control, Up and Down a row. The text is kept.
    void leftByKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QLineEdit* makeBox();
    // Shows the other box over a cell, in its colours and with its name;
    // the text comes after.
    void placeOver(const Cell& cell, const QRect& box);
    // Gives the box the cell's text, from which on its text is the cell's.
    void fill(int index);
    void endComposition(QInputMethodEvent* event);
    void dropComposition();
    bool keyPress(QKeyEvent* event);

    QWidget* m_board;
    std::array<QLineEdit*, 2> m_boxes{};
    QLineEdit* m_editor = nullptr;  // the one of the two in use
    int m_editedCell = -1;
    // The cell an input method composes text for, the box shown over it but
    // the focus still on the board; -1 when none.
    int m_composedCell = -1;
    QString m_textBeforeEdit;  // what Escape puts back
};

}  // namespace apqr::ui
