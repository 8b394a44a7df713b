// The control factory: Qt controls made from rows of the layout table.
#pragma once

#include <QRect>

#include "form_load.h"
#include "window/layout_table.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

// Turning rows of the layout table into Qt controls. Each function sets what
// its row fixes (name, geometry, text, tooltip, font, colours, alignment,
// range) and nothing else; the wiring is Form1's business.
namespace apqr::ui {

class GraphicalButton;

[[nodiscard]] QRect pixelGeometry(const ControlRow& row);

QLabel* makeLabel(const ControlRow& row, QWidget* parent);
QLineEdit* makeTextBox(const ControlRow& row, QWidget* parent);
QPushButton* makeButton(const ControlRow& row, QWidget* parent);
GraphicalButton* makeGraphicalButton(const ControlRow& row, QWidget* parent);
// An UpwardScrollBar where the table puts the larger value at the top end.
QScrollBar* makeScrollBar(const ControlRow& row, QWidget* parent);

// Element `index` of a header label array, a copy of element 0's row with
// the position and caption the load action computed for it.
QLabel* makeHeaderLabel(const ControlRow& element0, int index, const HeaderLabel& header,
                        QWidget* parent);

// Sets the name, geometry, tooltip, accessible name, font and fixed colours
// of a row on any widget.
void applyCommon(QWidget* widget, const ControlRow& row);

// Whether a control of this kind takes part in the focus chain. Labels and
// the frame hold a place in the tab order but never take focus; the board is
// one tab stop for all its cells, which the arrow keys then walk.
[[nodiscard]] bool takesFocus(ControlKind kind);

}  // namespace apqr::ui
