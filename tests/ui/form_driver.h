#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "board/board_view.h"
#include "qt_conversions.h"
#include "window/announcer.h"
#include "window/form1.h"
#include "window/layout_table.h"

// Drives Form1 the way a person does: through its controls, found by their
// layout names, and by looking at what the board paints.
namespace apqr::ui::test {

// The window as a person finds it after start-up: shown and exposed.
inline std::unique_ptr<Form1> openForm() {
    auto form = std::make_unique<Form1>();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qFatal("the window was not exposed");
    return form;
}

template <typename T>
T* control(const QWidget& form, const char* name) {
    T* widget = form.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
}

inline BoardView* board(const QWidget& form) {
    return control<BoardView>(form, "picTafel");
}

// Pixels from twips as the layout gives them, rounded to the nearest pixel.
inline int px(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

// Where the style lays out one part of a scroll bar: an arrow, a trough
// beside the thumb, the thumb.
inline QRect scrollBarPart(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

// Clicks the middle of one part of a scroll bar.
inline void clickPart(QScrollBar* bar, QStyle::SubControl part) {
    const QRect rect = scrollBarPart(bar, part);
    if (rect.isEmpty()) qFatal("no room to click that part of %s", qPrintable(bar->objectName()));
    QTest::mouseClick(bar, Qt::LeftButton, {}, rect.center());
}

enum class Arrow { Upper, Lower };

inline void clickArrow(QScrollBar* bar, Arrow arrow) {
    clickPart(bar,
              arrow == Arrow::Upper ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
}

// Everything a person can do to a scroll bar without dragging its thumb.
enum class BarAction {
    UpperArrow,
    LowerArrow,
    UpperTrough,
    LowerTrough,
    PageUpKey,
    PageDownKey,
    UpKey,
    DownKey,
    HomeKey,
    EndKey,
    WheelUp,
    WheelDown,
    Count  // not an action: how many there are
};

// Turns the mouse wheel over the bar by whole notches; positive turns it away
// from the user, which is "wheel up".
inline void turnWheel(QScrollBar* bar, int notches) {
    const QPointF at = QRectF(bar->rect()).center();
    QWheelEvent wheel(at, bar->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
}

inline void actOn(QScrollBar* bar, BarAction action) {
    switch (action) {
        case BarAction::UpperArrow:
            return clickArrow(bar, Arrow::Upper);
        case BarAction::LowerArrow:
            return clickArrow(bar, Arrow::Lower);
        case BarAction::UpperTrough:
            return clickPart(bar, QStyle::SC_ScrollBarSubPage);
        case BarAction::LowerTrough:
            return clickPart(bar, QStyle::SC_ScrollBarAddPage);
        case BarAction::PageUpKey:
            return QTest::keyClick(bar, Qt::Key_PageUp);
        case BarAction::PageDownKey:
            return QTest::keyClick(bar, Qt::Key_PageDown);
        case BarAction::UpKey:
            return QTest::keyClick(bar, Qt::Key_Up);
        case BarAction::DownKey:
            return QTest::keyClick(bar, Qt::Key_Down);
        case BarAction::HomeKey:
            return QTest::keyClick(bar, Qt::Key_Home);
        case BarAction::EndKey:
            return QTest::keyClick(bar, Qt::Key_End);
        case BarAction::WheelUp:
            return turnWheel(bar, 1);
        case BarAction::WheelDown:
            return turnWheel(bar, -1);
        case BarAction::Count:
            break;
    }
}

// What a screen reader was told last.
inline QString announced(const QWidget& form) {
    return control<Announcer>(form, "announcer")->lastMessage();
}

inline void typeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

inline void click(const QWidget& form, const char* button) {
    QTest::mouseClick(control<QPushButton>(form, button), Qt::LeftButton);
}

// Types a modulus and presses "QR".
inline void buildFor(const QWidget& form, const QString& modulus) {
    typeInto(control<QLineEdit>(form, "Text2"), modulus);
    click(form, "Command3");
}

// The colour a cell is painted in, read just inside its two-pixel edge,
// clear of the centred text.
inline QColor paintedColor(BoardView* view, int index) {
    return view->grab(view->cellRect(index)).toImage().pixelColor(3, 3);
}

// Whether the middle of a cell shows dark pixels, that is, text.
inline bool showsText(BoardView* view, int index) {
    const QImage image = view->grab(view->cellRect(index)).toImage();
    for (int y = 4; y < image.height() - 4; ++y) {
        for (int x = 4; x < image.width() - 4; ++x) {
            if (image.pixelColor(x, y).lightness() < 100) return true;
        }
    }
    return false;
}

inline QColor colorOf(CellColor color) {
    const auto rgb = rgbOf(color);
    return rgb ? ui::colorOf(*rgb) : QColor();
}

// WCAG 2 contrast ratio of two colours, from their relative luminance.
inline double contrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            v /= 255;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

inline std::set<int> redCells(const Board& board) {
    std::set<int> red;
    for (const Cell& cell : board.cells()) {
        if (cell.color == CellColor::Red) red.insert(cell.index);
    }
    return red;
}

}  // namespace apqr::ui::test
