// The board pane: the frame, the board's place in it, its scrolling.
#include "board/board_pane.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

#include "board.h"
#include "board/board_scrolling.h"
#include "board/board_view.h"
#include "widgets/bevel.h"

namespace apqr::ui {
namespace {
constexpr int kNotch = 120;  // angle delta of one wheel notch
}

BoardPane::BoardPane(int edgePixels, QWidget* parent)
    : QWidget(parent), m_interior(new QWidget(this)), m_view(new BoardView(m_interior)) {
    setContentsMargins(edgePixels, edgePixels, edgePixels, edgePixels);
    m_interior->setObjectName(QStringLiteral("piccontainer.interior"));
    m_interior->setAutoFillBackground(true);
    // Wheel events over the board are taken before they reach it, since Qt
    // hands events that a program sends on to no parent; and wherever the
    // board is moved, its part in sight moves with it.
    m_view->installEventFilter(this);
    connect(m_view, &BoardView::currentCellMoved, this, &BoardPane::scrollToCell);
}

void BoardPane::setScrollBar(QScrollBar* bar) {
    m_scrollBar = bar;
}

void BoardPane::showBoard(const Board& model) {
    m_scrollBar->setMaximum(model.scrollMax());
    m_view->syncFromModel(model);
}

void BoardPane::VScroll3_Change(int value) {
    m_view->move(m_view->x(), boardTopAt(value));
}

void BoardPane::scrollToCell(int index) {
    const QRect cell = m_view->cellRect(index);
    const std::optional<int> value = scrollValueShowing(cell.top(), cell.top() + cell.height(),
                                                        m_view->y(), m_interior->height());
    if (!value) return;
    const int clamped = std::clamp(*value, m_scrollBar->minimum(), m_scrollBar->maximum());
    // The bar may already stand there while the board does not: it keeps its
    // design position until the bar is first used.
    if (clamped == m_scrollBar->value()) {
        VScroll3_Change(clamped);
    } else {
        m_scrollBar->setValue(clamped);
    }
}

void BoardPane::tellSight() {
    m_view->setSight(m_interior->rect().translated(-m_view->pos()));
}

void BoardPane::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawBevel(painter, rect(), Bevel::Sunken, BevelColors::from(palette()));
}

void BoardPane::resizeEvent(QResizeEvent* event) {
    m_interior->setGeometry(contentsRect());
    tellSight();
    QWidget::resizeEvent(event);
}

bool BoardPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view) {
        if (event->type() == QEvent::Move) tellSight();
        if (event->type() == QEvent::Wheel && m_scrollBar != nullptr) {
            turnWheel(static_cast<QWheelEvent*>(event));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BoardPane::wheelEvent(QWheelEvent* event) {
    if (m_scrollBar == nullptr) {
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
        m_scrollBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        m_wheelRemainder -= kNotch;
    }
    while (m_wheelRemainder <= -kNotch) {
        m_scrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        m_wheelRemainder += kNotch;
    }
    event->accept();
}

}  // namespace apqr::ui
