#include "board/board_pane.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "widgets/bevel.h"

namespace apqr::ui {
namespace {
constexpr int kNotch = 120;  // angle delta of one wheel notch
}

BoardPane::BoardPane(int edgePixels, QWidget* parent)
    : QWidget(parent), m_interior(new QWidget(this)) {
    setContentsMargins(edgePixels, edgePixels, edgePixels, edgePixels);
    m_interior->setObjectName(QStringLiteral("piccontainer.interior"));
    m_interior->setAutoFillBackground(true);
}

void BoardPane::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawBevel(painter, rect(), Bevel::Sunken, BevelColors::from(palette()));
}

void BoardPane::resizeEvent(QResizeEvent* event) {
    m_interior->setGeometry(contentsRect());
    QWidget::resizeEvent(event);
}

void BoardPane::scrollWithWheel(QScrollBar* scrollBar, QWidget* board) {
    m_wheelTarget = scrollBar;
    board->installEventFilter(this);
}

bool BoardPane::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && m_wheelTarget != nullptr) {
        turnWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BoardPane::wheelEvent(QWheelEvent* event) {
    if (m_wheelTarget == nullptr) {
        event->ignore();
        return;
    }
    turnWheel(event);
}

void BoardPane::turnWheel(QWheelEvent* event) {
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
