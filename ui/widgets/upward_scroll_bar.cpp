// The upward scroll bar: the larger value at the top, and whether it is held.
#include "widgets/upward_scroll_bar.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace apqr::ui {

UpwardScrollBar::UpwardScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setInvertedAppearance(true);
    connect(this, &QAbstractSlider::actionTriggered, this, &UpwardScrollBar::mirrorAction);
}

// Runs after Qt has moved the slider position for the action and before the
// value follows it, which is the moment QAbstractSlider lets one correct it.
void UpwardScrollBar::mirrorAction(int action) {
    switch (action) {
        case SliderSingleStepAdd:
            setSliderPosition(value() - singleStep());
            break;
        case SliderSingleStepSub:
            setSliderPosition(value() + singleStep());
            break;
        case SliderPageStepAdd:
            setSliderPosition(value() - pageStep());
            break;
        case SliderPageStepSub:
            setSliderPosition(value() + pageStep());
            break;
        case SliderToMinimum:
            setSliderPosition(maximum());
            break;
        case SliderToMaximum:
            setSliderPosition(minimum());
            break;
        default:
            break;  // a drag of the thumb already follows the picture
    }
}

void UpwardScrollBar::wheelEvent(QWheelEvent* event) {
    // The wheel does not go through the actions above; turning its deltas
    // round keeps "wheel up" on the side of the upper arrow.
    QWheelEvent mirrored(event->position(), event->globalPosition(), -event->pixelDelta(),
                         -event->angleDelta(), event->buttons(), event->modifiers(), event->phase(),
                         event->inverted(), event->source(), event->pointingDevice());
    QScrollBar::wheelEvent(&mirrored);
    event->setAccepted(mirrored.isAccepted());
}

// A press that took hold of a part of the bar drags its thumb or starts
// repeating an action, the two marks QScrollBar leaves of what it holds.
void UpwardScrollBar::mousePressEvent(QMouseEvent* event) {
    QScrollBar::mousePressEvent(event);
    m_held = m_held || isSliderDown() || repeatAction() != SliderNoAction;
}

void UpwardScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    QScrollBar::mouseReleaseEvent(event);
    if (event->buttons() == Qt::NoButton) m_held = false;
}

// A hidden bar lets go of what it held, and gets no release.
void UpwardScrollBar::hideEvent(QHideEvent* event) {
    QScrollBar::hideEvent(event);
    m_held = false;
}

}  // namespace apqr::ui
