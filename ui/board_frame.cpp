#include "board_frame.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "bevel.h"

namespace apqr::ui {
namespace {
constexpr int kNotch = 120;  // angle delta of one wheel notch
}

BoardFrame::BoardFrame(int edgePixels, QWidget* parent)
    : QWidget(parent), m_interior(new QWidget(this)) {
    setContentsMargins(edgePixels, edgePixels, edgePixels, edgePixels);
    m_interior->setObjectName(QStringLiteral("piccontainer.interior"));
    m_interior->setAutoFillBackground(true);
}

void BoardFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawBevel(painter, rect(), Bevel::Sunken, BevelColors::from(palette()));
}

void BoardFrame::resizeEvent(QResizeEvent* event) {
    m_interior->setGeometry(contentsRect());
    QWidget::resizeEvent(event);
}

void BoardFrame::scrollWithWheel(QScrollBar* scrollBar, QWidget* board) {
    m_wheelTarget = scrollBar;
    board->installEventFilter(this);
}

bool BoardFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && m_wheelTarget != nullptr) {
        turnWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BoardFrame::wheelEvent(QWheelEvent* event) {
    if (m_wheelTarget == nullptr) {
        event->ignore();
        return;
    }
    turnWheel(event);
}

void BoardFrame::turnWheel(QWheelEvent* event) {
    // Fine-grained wheels send fractions of a notch; a step is taken only
    // once they add up to a whole one.
    m_wheelRemainder += event->angleDelta().y();
    while (m_wheelRemainder >= kNotch) {
        m_wheelTarget->triggerAction(QAbstractSlider::SliderSingleStepSub);
        m_wheelRemainder -= kNotch;
    }
    while (m_wheelRemainder <= -kNotch) {
        m_wheelTarget->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        m_wheelRemainder += kNotch;
    }
    event->accept();
}

}  // namespace apqr::ui
