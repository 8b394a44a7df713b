// The frame pacer: when a loop should next show what it has changed.
#pragma once

#include <QElapsedTimer>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace apqr::ui {

// Tells a loop that changes the model far more often than a screen can show
// it when the next display frame is due, so that it shows the model once
// per frame: what happens in between nobody could see.
class FramePacer {
public:
    explicit FramePacer(const QWidget& shown) {
        const QScreen* screen = shown.screen();
        const qreal hertz = screen != nullptr ? screen->refreshRate() : 0;
        // An unknown or implausible rate counts as the common 60 Hz.
        m_frameNs = static_cast<qint64>(1e9 / (hertz >= 10 ? std::min(hertz, 240.0) : 60.0));
        m_sinceShown.start();
    }

    // True once a frame's time has passed since it last said so.
    [[nodiscard]] bool due() {
        if (m_sinceShown.nsecsElapsed() < m_frameNs) return false;
        m_sinceShown.restart();
        return true;
    }

private:
    QElapsedTimer m_sinceShown;
    qint64 m_frameNs = 0;
};

}  // namespace apqr::ui
