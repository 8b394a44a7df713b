#pragma once

#include <QWidget>

class QScrollBar;

namespace apqr::ui {

// piccontainer: the fixed frame around the board. It draws a sunken edge and
// hands its children an interior that clips them, as the board moves up
// and out of it and the board scroll bar hangs partly under the edge.
class BoardPane : public QWidget {
    Q_OBJECT
public:
    BoardPane(int edgePixels, QWidget* parent = nullptr);

    // Parent of the board and of its scroll bar; positions inside the frame
    // are measured from here.
    [[nodiscard]] QWidget* interior() const { return m_interior; }

    // The mouse wheel over the board, or over the frame around it, turns
    // this scroll bar one arrow step per notch. Wheel events over the board
    // are taken before they reach it, since Qt hands events that a program
    // sends on to no parent.
    void scrollWithWheel(QScrollBar* scrollBar, QWidget* board);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void turnWheel(QWheelEvent* event);

    QWidget* m_interior;
    QScrollBar* m_wheelTarget = nullptr;
    int m_wheelRemainder = 0;  // eighths of a degree short of a full notch
};

}  // namespace apqr::ui
