#include "upward_scroll_bar.h"

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

}  // namespace apqr::ui
