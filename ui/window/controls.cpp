// The control factory: Qt controls made from rows of the layout table.
#include "window/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "qt_conversions.h"
#include "widgets/fixed_colors.h"
#include "widgets/graphical_button.h"
#include "widgets/twips.h"
#include "widgets/upward_scroll_bar.h"

namespace apqr::ui {
namespace {

Surface surfaceOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::Cell:
            return Surface::Box;
        case ControlKind::Button:
        case ControlKind::GraphicalButton:
            return Surface::Button;
        case ControlKind::Label:
        case ControlKind::HeaderLabel:
        case ControlKind::ScrollBar:
        case ControlKind::Frame:
        case ControlKind::Board:
            return Surface::Panel;
    }
    return Surface::Panel;
}

}  // namespace

QRect pixelGeometry(const ControlRow& row) {
    const TwipRect& g = row.geometry;
    return twips::toPixelRect(g.left, g.top, g.width, g.height);
}

void applyCommon(QWidget* widget, const ControlRow& row) {
    widget->setObjectName(qText(row.name));
    widget->setGeometry(pixelGeometry(row));
    if (!row.toolTip.empty()) {
        widget->setToolTip(qText(row.toolTip));
        widget->setAccessibleDescription(qText(row.toolTip));
    }
    // A screen reader names a box by its label or caption; boxes and bars
    // have none of their own, and the stop button shows only a picture.
    if (!row.accessibleName.empty()) {
        widget->setAccessibleName(qText(row.accessibleName));
    } else if (row.text.empty() && !row.toolTip.empty()) {
        widget->setAccessibleName(qText(row.toolTip));
    }
    if (!row.font.family.empty()) widget->setFont(fontOf(row.font, widget->font()));
    if (row.colors) {
        const Surface surface = surfaceOf(row.kind);
        applyColors(widget, *row.colors, surface);
        // The board fills its exposed region itself, once per paint; boxes
        // and buttons draw their own faces.
        widget->setAutoFillBackground(surface == Surface::Panel && row.kind != ControlKind::Board);
    }
}

QLabel* makeLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new QLabel(qText(row.text), parent);
    applyCommon(label, row);
    label->setAlignment(row.alignment);
    return label;
}

QLineEdit* makeTextBox(const ControlRow& row, QWidget* parent) {
    auto* box = new QLineEdit(qText(row.text), parent);
    applyCommon(box, row);
    box->setAlignment(row.alignment);
    return box;
}

QPushButton* makeButton(const ControlRow& row, QWidget* parent) {
    auto* button = new QPushButton(qText(row.text), parent);
    applyCommon(button, row);
    button->setAutoDefault(false);
    return button;
}

GraphicalButton* makeGraphicalButton(const ControlRow& row, QWidget* parent) {
    auto* button = new GraphicalButton(parent);
    button->setText(qText(row.text));
    applyCommon(button, row);
    button->setAutoDefault(false);
    return button;
}

QScrollBar* makeScrollBar(const ControlRow& row, QWidget* parent) {
    const ScrollRange& s = row.scroll;
    QScrollBar* bar =
        s.topEnd > s.bottomEnd ? new UpwardScrollBar(parent) : new QScrollBar(Qt::Vertical, parent);
    applyCommon(bar, row);
    bar->setRange(std::min(s.topEnd, s.bottomEnd), std::max(s.topEnd, s.bottomEnd));
    bar->setSingleStep(s.step);
    bar->setPageStep(s.step);
    bar->setValue(s.value);
    // Reached with Tab and moved with the arrow keys; a click on an arrow
    // leaves the focus where the typing is.
    bar->setFocusPolicy(Qt::TabFocus);
    return bar;
}

QLabel* makeHeaderLabel(const ControlRow& element0, int index, const HeaderLabel& header,
                        QWidget* parent) {
    QLabel* label = makeLabel(element0, parent);
    const std::string_view arrayName = element0.name.substr(0, element0.name.find('('));
    label->setObjectName(QStringLiteral("%1(%2)").arg(qText(arrayName)).arg(index));
    label->move(twips::toPixels(header.left), twips::toPixels(header.top));
    label->setText(qText(header.caption));
    return label;
}

bool takesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::ScrollBar:
        case ControlKind::Button:
        case ControlKind::GraphicalButton:
        case ControlKind::Board:  // one stop for all its cells, as a grid
            return true;
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::Cell:
        case ControlKind::HeaderLabel:
            return false;
    }
    return false;
}

}  // namespace apqr::ui
