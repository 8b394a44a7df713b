#include "graphical_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "bevel.h"

namespace apqr::ui {

GraphicalButton::GraphicalButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicalButton::setFaceColor(const QColor& color) {
    m_face = color;
    update();
}

void GraphicalButton::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void GraphicalButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), m_face.isValid() ? m_face : pal.color(QPalette::Button));

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

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = content.adjusted(1, 1, -1, -1);
        focus.backgroundColor = m_face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace apqr::ui
