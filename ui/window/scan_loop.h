// The scan's loop around its cycles: event turns, input filter, frame pacing.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "window/frame_pacer.h"

class QWidget;

namespace apqr::ui {

class UpwardScrollBar;

// The loop around the cycles of a scan, which Form1 runs on the model: the
// one place that hands the event loop a turn in the middle of an action,
// once per cycle, so that the stop button and the other controls get
// through. The controls show the model once per display frame, as nobody
// sees more, and a screen reader is not flooded with the changes of hundreds
// of moduli a second; before anything a person does reaches the window,
// they are brought up to date, so that it acts on the state the scan has
// reached. Lives as long as one scan; the filter goes with it.
class ScanLoop : public QObject {
public:
    // `show` brings every control of `window` up to date with the model;
    // `modulusBar` is VScroll1, which a person may hold during a turn.
    ScanLoop(QWidget& window, UpwardScrollBar& modulusBar, std::function<void()> show);
    ~ScanLoop() override;
    ScanLoop(const ScanLoop&) = delete;
    ScanLoop& operator=(const ScanLoop&) = delete;

    // The turn before a cycle: what is pending and, while a mouse button
    // holds the modulus bar, all that comes until it lets go. False once
    // the window is gone, even destroyed.
    [[nodiscard]] bool turn();
    // A cycle changed the model: the controls show it if a frame is due.
    void cycleDone();
    // The controls show the model as it is now.
    void shown() { m_behind = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    QPointer<UpwardScrollBar> m_modulusBar;
    std::function<void()> m_show;
    FramePacer m_frames;
    // The model has changed since the controls last showed it.
    bool m_behind = false;
};

}  // namespace apqr::ui
