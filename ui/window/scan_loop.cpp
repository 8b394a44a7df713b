// The scan's loop: its event turns, the held modulus bar, the frame pacing.
#include "window/scan_loop.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <utility>

#include "widgets/upward_scroll_bar.h"

namespace apqr::ui {
namespace {

// What a person does to the window, as against what the window does by
// itself: keys, clicks, drags and the wheel. A mere move of the pointer is
// not among them, nor the repeat of a held scroll bar arrow: while VScroll1
// is held the scan waits, so the bar it repeats on is never behind.
bool actsOnTheWindow(const QEvent& event) {
    switch (event.type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        case QEvent::MouseMove:
            return static_cast<const QMouseEvent&>(event).buttons() != Qt::NoButton;
        default:
            return false;
    }
}

}  // namespace

ScanLoop::ScanLoop(QWidget& window, UpwardScrollBar& modulusBar, std::function<void()> show)
    : m_window(&window), m_modulusBar(&modulusBar), m_show(std::move(show)), m_frames(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

ScanLoop::~ScanLoop() {
    QCoreApplication::instance()->removeEventFilter(this);
}

// A person holding the modulus bar keeps the turn until the button comes
// up: the scan neither steps nor moves the bar under the held thumb, an
// arrow's repeat steps the modulus as the person's own clicks do, and the
// release hands the dropped value to VScroll1_Change, from which the scan
// then goes on. Waiting for events rather than polling leaves the processor
// idle meanwhile.
bool ScanLoop::turn() {
    QCoreApplication::processEvents();
    while (!m_window.isNull() && m_window->isVisible() && !m_modulusBar.isNull() &&
           m_modulusBar->isHeld()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return !m_window.isNull();
}

void ScanLoop::cycleDone() {
    m_behind = true;
    if (m_frames.due()) m_show();
}

bool ScanLoop::eventFilter(QObject* watched, QEvent* event) {
    // The controls may show a frame the scan has passed. What the user does
    // acts on the state the scan has reached: an arrow of VScroll1 steps
    // from the last cycle's modulus, typing goes into the current text.
    if (m_behind && actsOnTheWindow(*event) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == m_window) {
        m_show();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace apqr::ui
