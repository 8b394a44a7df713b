// The layout table: every control of the window as data.
#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "widgets/fixed_colors.h"

// The window's layout as data: one row per control with everything the
// layout fixes about it. Form1 builds its controls from these rows, so a
// position, a text or a colour is changed here and nowhere else.
namespace apqr::ui {

enum class ControlKind : std::uint8_t {
    Label,
    TextBox,
    ScrollBar,
    Button,           // standard face
    GraphicalButton,  // shows its background colour or picture instead
    Frame,            // piccontainer
    Board,            // picTafel, which paints the cells
    Cell,             // an element of Text1, painted by the board
    HeaderLabel,      // element 0 of Label1 or Label2; the others are copies
};

// Left, top, width, height in twips, inside the parent's interior.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct FontChoice {
    std::string_view family;  // empty: the window's default font
    double points = 0;
    bool bold = false;
};

// Scroll bars are given by the values at their two ends, as the layout
// draws them; a top end above the bottom end puts the larger value on top.
struct ScrollRange {
    int topEnd = 0;
    int bottomEnd = 0;
    int value = 0;
    int step = 0;  // small and large change alike
};

struct ControlRow {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view parent;
    TwipRect geometry;
    std::string_view text;  // UTF-8
    std::string_view toolTip;
    // What a screen reader calls the control; empty: its caption, or for a
    // control without one, its tooltip.
    std::string_view accessibleName;
    // A label that names another control and hands it the focus.
    std::string_view buddy;
    FontChoice font;
    // A fixed background always comes with its fixed text colour; without
    // one the control follows the colour scheme.
    std::optional<ColorPair> colors;
    Qt::Alignment alignment;
    double frameTwips = 0;  // sunken frame on each side
    int tabIndex = 0;
    ScrollRange scroll;
};

struct WindowLayout {
    std::string_view name;
    std::string_view caption;
    double clientWidth = 0;  // twips
    double clientHeight = 0;
    FontChoice font;  // default font of the controls that name none
};

[[nodiscard]] const WindowLayout& form1Layout();
[[nodiscard]] std::span<const ControlRow> layoutTable();
// The row of a control. A name the table lacks stops the program with a
// message that names it.
[[nodiscard]] const ControlRow& layoutOf(std::string_view name);

[[nodiscard]] QFont fontOf(const FontChoice& font, const QFont& windowFont);

}  // namespace apqr::ui
