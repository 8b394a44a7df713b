// The layout table: every control of the window as data.
#include "window/layout_table.h"

#include <algorithm>
#include <array>
#include <string>

#include "board_geometry.h"
#include "qt_conversions.h"
#include "widgets/twips.h"

namespace apqr::ui {
namespace {

constexpr std::string_view kTimes = "Times New Roman";

// Where the board model already fixes a value (the cells' and headers'
// geometry, the board's initial size and scroll range), the row takes it from
// there. The texts of the boxes and cells are the model's too (Board starts
// with "2", "" and "2", and "0" and "1" in the first two cells), so their
// rows leave the text empty.
constexpr std::array kControls{
    ControlRow{.name = "Label3",
               .kind = ControlKind::Label,
               .parent = "Form1",
               .geometry = {270, 450, 615, 375},
               .text = "m =",
               .buddy = "Text2",
               .font = {kTimes, 14.25},
               .alignment = Qt::AlignHCenter | Qt::AlignTop,
               .tabIndex = 16},
    ControlRow{.name = "Text2",
               .kind = ControlKind::TextBox,
               .parent = "Form1",
               .geometry = {930, 420, 855, 435},
               .toolTip = "Modul hier einstellen oder eintragen",
               .accessibleName = "Modul m",
               .font = {kTimes, 14.25, true},
               .colors = colors::kModulusBox,
               .alignment = Qt::AlignCenter,
               .tabIndex = 0},
    ControlRow{.name = "VScroll1",
               .kind = ControlKind::ScrollBar,
               .parent = "Form1",
               .geometry = {1770, 90, 375, 1095},
               .accessibleName = "Modul",
               .tabIndex = 2,
               .scroll = {.topEnd = 3000, .bottomEnd = 2, .value = 2, .step = 1}},
    ControlRow{.name = "Text5",
               .kind = ControlKind::TextBox,
               .parent = "Form1",
               .geometry = {2460, 420, 855, 435},
               .toolTip = "konstante Differenz der arithm. Progression",
               .accessibleName = "Differenz d",
               .font = {kTimes, 14.25},
               .alignment = Qt::AlignCenter,
               .tabIndex = 5},
    ControlRow{.name = "VScroll2",
               .kind = ControlKind::ScrollBar,
               .parent = "Form1",
               .geometry = {3300, 90, 345, 1095},
               .accessibleName = "Differenz",
               .tabIndex = 6,
               .scroll = {.topEnd = 200, .bottomEnd = 1, .value = 2, .step = 1}},
    ControlRow{.name = "Command5",
               .kind = ControlKind::Button,
               .parent = "Form1",
               .geometry = {3630, 480, 975, 405},
               .text = "prüfen",
               .toolTip = "arithmetische Progression mit nebenstehendem d suchen",
               .tabIndex = 17},
    ControlRow{.name = "Text3",
               .kind = ControlKind::TextBox,
               .parent = "Form1",
               .geometry = {5070, 420, 3255, 435},
               .accessibleName = "Primfaktorzerlegung",
               .font = {kTimes, 14.25},
               .alignment = Qt::AlignLeft | Qt::AlignVCenter,
               .tabIndex = 4},
    ControlRow{.name = "Command3",
               .kind = ControlKind::Button,
               .parent = "Form1",
               .geometry = {8520, 480, 765, 405},
               .text = "QR",
               .toolTip = "Quadratische Reste gelb markieren",
               .tabIndex = 1},
    ControlRow{.name = "Command2",
               .kind = ControlKind::GraphicalButton,
               .parent = "Form1",
               .geometry = {9420, 480, 2295, 405},
               .text = "arithm. Progression suchen",
               .toolTip = "sucht arithm. Progression mit minimalem d",
               .colors = colors::kSearchButton,
               .tabIndex = 7},
    ControlRow{.name = "Command1",
               .kind = ControlKind::GraphicalButton,
               .parent = "Form1",
               .geometry = {11760, 480, 2835, 405},
               .text = "nächster Modul mit nur trivialer Progr.",
               .colors = colors::kScanButton,
               .tabIndex = 3},
    // No caption: the stop sign is its picture.
    ControlRow{.name = "Command4",
               .kind = ControlKind::GraphicalButton,
               .parent = "Form1",
               .geometry = {14610, 480, 465, 405},
               .toolTip = "anhalten",
               .tabIndex = 8},
    ControlRow{.name = "piccontainer",
               .kind = ControlKind::Frame,
               .parent = "Form1",
               .geometry = {270, 1200, 14775, 9555},
               .colors = colors::kPanel,
               .frameTwips = 30,
               .tabIndex = 9},
    ControlRow{
        .name = "VScroll3",
        .kind = ControlKind::ScrollBar,
        .parent = "piccontainer",
        .geometry = {14280, 0, 495, 9465},
        .accessibleName = "Tafel blättern",
        .tabIndex = 15,
        .scroll = {.topEnd = 0, .bottomEnd = geometry::kInitialScrollMax, .value = 1, .step = 1}},
    ControlRow{.name = "picTafel",
               .kind = ControlKind::Board,
               .parent = "piccontainer",
               .geometry = {-30, -30, geometry::kTafelWidth,
                            geometry::kInitialTafelHeightUnits* geometry::kTwipsPerUnit},
               .accessibleName = "Tafel der Reste",
               .colors = colors::kPanel,
               .tabIndex = 10},
    ControlRow{.name = "Text1(0)",
               .kind = ControlKind::Cell,
               .parent = "picTafel",
               .geometry = {geometry::kCell0Left, geometry::kCell0Top, geometry::kCellWidth,
                            geometry::kCellHeight},
               .font = {kTimes, 8.25},
               .alignment = Qt::AlignCenter,
               .tabIndex = 12},
    ControlRow{.name = "Text1(1)",
               .kind = ControlKind::Cell,
               .parent = "picTafel",
               .geometry = {geometry::kCell1DesignLeft, geometry::kCell0Top, geometry::kCellWidth,
                            geometry::kCellHeight},
               .font = {kTimes, 8.25},
               .alignment = Qt::AlignCenter,
               .tabIndex = 11},
    ControlRow{.name = "Label1(0)",
               .kind = ControlKind::HeaderLabel,
               .parent = "picTafel",
               .geometry = {geometry::kColumnHeader0Left, geometry::kColumnHeader0Top,
                            geometry::kHeaderWidth, geometry::kHeaderHeight},
               .colors = colors::kPanel,
               .alignment = Qt::AlignRight | Qt::AlignTop,
               .tabIndex = 13},
    ControlRow{.name = "Label2(0)",
               .kind = ControlKind::HeaderLabel,
               .parent = "picTafel",
               .geometry = {geometry::kRowHeader0Left, geometry::kRowHeader0Top,
                            geometry::kHeaderWidth, geometry::kHeaderHeight},
               .colors = colors::kPanel,
               .alignment = Qt::AlignRight | Qt::AlignTop,
               .tabIndex = 14},
};

// MS Sans Serif, the classic dialog font, is not on a Linux desktop. Arial
// (Liberation Sans through fontconfig) is about as narrow, which "nächster
// Modul mit nur trivialer Progr." needs to fit its button; the usual default,
// DejaVu Sans, would cut it off.
constexpr WindowLayout kForm1{
    .name = "Form1",
    .caption = "Arithmetische Progressionen in den quadratischen Resten modulo m",
    .clientWidth = 4680,
    .clientHeight = 3195,
    .font = {"Arial", 8.25},
};

}  // namespace

const WindowLayout& form1Layout() {
    return kForm1;
}

std::span<const ControlRow> layoutTable() {
    return kControls;
}

const ControlRow& layoutOf(std::string_view name) {
    const auto* row = std::ranges::find(kControls, name, &ControlRow::name);
    // A name the table lacks is a mistake in the code; it stops the program
    // at start-up, saying which name.
    if (row == kControls.end()) {
        qFatal("apqr: Die Layouttabelle kennt kein Steuerelement \"%s\".",
               std::string(name).c_str());
    }
    return *row;
}

QFont fontOf(const FontChoice& font, const QFont& windowFont) {
    if (font.family.empty()) return windowFont;
    // Asked for by name; where it is missing, fontconfig supplies its
    // metric-compatible stand-in (Liberation Serif, Liberation Sans).
    QFont result(qText(font.family));
    result.setPixelSize(twips::pointsToPixels(font.points));
    result.setBold(font.bold);
    return result;
}

}  // namespace apqr::ui
