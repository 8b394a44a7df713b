// The graphical button: a push button that shows its colour or picture.
#include "widgets/graphical_button.h"

#include <QPainter>

#include "widgets/bevel.h"

namespace apqr::ui {
namespace {

// A dotted focus rectangle of alternating black and white dots, which stays
// visible on any face colour and on the picture alike.
void drawFocusRect(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(rect);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect);
    painter.restore();
}

}  // namespace

GraphicalButton::GraphicalButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicalButton::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void GraphicalButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Button));

    const bool down = isDown() || isChecked();
    drawBevel(painter, rect(), down ? Bevel::Sunken : Bevel::Raised, BevelColors::from(pal));

    // The content moves one pixel down and right while pressed.
    QRect content = insideBevel(rect());
    if (down) content.translate(1, 1);

    if (!m_picture.isNull()) {
        const QRect target(QPoint(), m_picture.size());
        painter.drawImage(target.translated(content.center() - target.center()), m_picture);
    } else {
        painter.setPen(
            pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(content, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         text());
    }

    if (hasFocus()) drawFocusRect(painter, content.adjusted(1, 1, -2, -2));
}

}  // namespace apqr::ui
