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

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void mirrorAction(int action);
};

}  // namespace apqr::ui
