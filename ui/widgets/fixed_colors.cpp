// Fixed colours: background and text pairs, and putting them into palettes.
#include "widgets/fixed_colors.h"

#include <QPalette>
#include <QWidget>

#include "qt_conversions.h"

namespace apqr::ui {

void applyColors(QWidget* widget, const ColorPair& pair, Surface surface) {
    const QColor background = colorOf(pair.background);
    const QColor text = colorOf(pair.text);
    QPalette palette = widget->palette();
    switch (surface) {
        case Surface::Panel:
            palette.setColor(QPalette::Window, background);
            palette.setColor(QPalette::WindowText, text);
            break;
        case Surface::Box:
            palette.setColor(QPalette::Base, background);
            palette.setColor(QPalette::Text, text);
            palette.setColor(QPalette::Highlight, text);
            palette.setColor(QPalette::HighlightedText, background);
            break;
        case Surface::Button:
            palette.setColor(QPalette::Button, background);
            palette.setColor(QPalette::ButtonText, text);
            break;
    }
    widget->setPalette(palette);
}

void followScheme(QWidget* widget) {
    widget->setPalette(QPalette());
}

}  // namespace apqr::ui
