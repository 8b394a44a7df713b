// piccontainer, the board pane: where the board is seen, and its scrolling.
#pragma once

#include <QWidget>

class QScrollBar;
class QWheelEvent;

namespace apqr {
class Board;
}

namespace apqr::ui {

class BoardView;

// piccontainer, the board pane: the one owner of where the board is seen.
// It draws the fixed frame's sunken edge and hands its children an interior
// that clips them, as the board moves up and out of it and the board scroll
// bar hangs partly under the edge. It holds the board view and VScroll3,
// moves the board with the bar and the mouse wheel, scrolls just far enough
// to show the current cell whole, and tells the view which part of it is in
// sight: that sets the page of the paging keys, and which cells a screen
// reader hears of as off screen.
class BoardPane : public QWidget {
    Q_OBJECT
public:
    explicit BoardPane(int edgePixels, QWidget* parent = nullptr);

    // Parent of the board and of its scroll bar; positions inside the frame
    // are measured from here.
    [[nodiscard]] QWidget* interior() const { return m_interior; }
    [[nodiscard]] BoardView* view() const { return m_view; }
    [[nodiscard]] QScrollBar* scrollBar() const { return m_scrollBar; }

    // Takes VScroll3, made as a child of the interior after the view, so
    // that it stays above the board. The mouse wheel over the board, or over
    // the frame around it, turns it one arrow step per notch.
    void setScrollBar(QScrollBar* bar);

    // Shows the model: the scroll range its board needs, and the board.
    void showBoard(const Board& model);

    // VScroll3 moved: the board's top goes `value` frame units (100 twips
    // each) above the top of the interior.
    void VScroll3_Change(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Through the bar, so that bar and picture agree, and only as far as it
    // takes to show the whole cell.
    void scrollToCell(int index);
    void turnWheel(QWheelEvent* event);
    void tellSight();

    QWidget* m_interior;
    BoardView* m_view;
    QScrollBar* m_scrollBar = nullptr;
    int m_wheelRemainder = 0;  // eighths of a degree short of a full notch
};

}  // namespace apqr::ui
