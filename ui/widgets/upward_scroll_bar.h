// The upward scroll bar: the larger value at the top, and whether it is held.
#pragma once

#include <QScrollBar>

namespace apqr::ui {

// A vertical scroll bar with its larger value at the top end, so that the
// upper arrow, a click into the upper trough, the Up key and the wheel turned
// upward all raise the number. Qt's inverted appearance only turns the thumb
// round; the arrows, trough and keys would still count the other way, so
// their actions are mirrored before the value is taken.
class UpwardScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit UpwardScrollBar(QWidget* parent = nullptr);

    // A mouse button holds the bar, on its thumb, an arrow or the trough,
    // and has not let go yet.
    [[nodiscard]] bool isHeld() const { return m_held; }

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void mirrorAction(int action);

    bool m_held = false;
};

}  // namespace apqr::ui
