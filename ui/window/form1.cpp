// Form1, the program's window: its controls, the model, the handlers.
#include "window/form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <optional>
#include <utility>

#include "board/board_pane.h"
#include "board/board_view.h"
#include "board_geometry.h"
#include "build_board.h"
#include "form_load.h"
#include "mark_progressions.h"
#include "progression_search.h"
#include "qt_conversions.h"
#include "scan_cycle.h"
#include "text_conversions.h"
#include "texts.h"
#include "widgets/graphical_button.h"
#include "widgets/stop_sign.h"
#include "widgets/twips.h"
#include "widgets/upward_scroll_bar.h"
#include "window/announcer.h"
#include "window/controls.h"
#include "window/layout_table.h"
#include "window/scan_loop.h"

namespace apqr::ui {
namespace {

// Setting an unchanged text would still reset the caret and undo history of
// a box the user may be typing in. A new text is shown from its start, so a
// factorization longer than its box shows the modulus rather than the tail.
void showText(QLineEdit* box, const std::string& text) {
    const QString shown = qText(text);
    if (box->text() == shown) return;
    box->setText(shown);
    box->setCursorPosition(0);
}

// The control of the window that a row of the layout table names. Where the
// table and the code disagree about a name, the program stops, saying which.
template <typename Control = QWidget>
Control* controlNamed(const QWidget& window, std::string_view name) {
    auto* control = window.findChild<Control*>(qText(name));
    if (control == nullptr) {
        qFatal(
            "apqr: Das Fenster hat kein Steuerelement \"%s\" der Art, die die Layouttabelle "
            "nennt.",
            std::string(name).c_str());
    }
    return control;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    createControls();
    applyTabOrder();
    Form_Load();
    m_modulusBarValue = m_vScroll1->value();
    showModel();
    // Wired last, so that the initial values of the scroll bars start nothing;
    // in particular the board stays at its design position until VScroll3 is
    // first used.
    connectHandlers();
}

void Form1::createControls() {
    const WindowLayout& window = form1Layout();
    setObjectName(qText(window.name));
    setWindowTitle(qText(window.caption));
    setFont(fontOf(window.font, font()));
    resize(twips::toPixels(window.clientWidth), twips::toPixels(window.clientHeight));

    m_announcer = new Announcer(this);
    m_label3 = makeLabel(layoutOf("Label3"), this);
    m_text2 = makeTextBox(layoutOf("Text2"), this);
    makeScrollBar(layoutOf("VScroll1"), this);
    // Only a bar with its larger value on top tells whether it is held.
    m_vScroll1 = controlNamed<UpwardScrollBar>(*this, "VScroll1");
    m_text5 = makeTextBox(layoutOf("Text5"), this);
    m_vScroll2 = makeScrollBar(layoutOf("VScroll2"), this);
    m_command5 = makeButton(layoutOf("Command5"), this);
    m_text3 = makeTextBox(layoutOf("Text3"), this);
    m_command3 = makeButton(layoutOf("Command3"), this);
    m_command2 = makeGraphicalButton(layoutOf("Command2"), this);
    m_command1 = makeGraphicalButton(layoutOf("Command1"), this);
    m_command4 = makeGraphicalButton(layoutOf("Command4"), this);
    m_command4->setPicture(stopSignImage());

    // The pane holds the board and, made after it in the pane's interior so
    // that it stays above the board, the board's scroll bar.
    const ControlRow& frame = layoutOf("piccontainer");
    m_piccontainer = new BoardPane(twips::toPixels(frame.frameTwips), this);
    applyCommon(m_piccontainer, frame);
    m_picTafel = m_piccontainer->view();
    applyCommon(m_picTafel, layoutOf("picTafel"));
    const ControlRow& cell = layoutOf("Text1(0)");
    m_picTafel->setCellStyle(fontOf(cell.font, m_picTafel->font()), cell.alignment);
    m_piccontainer->setScrollBar(makeScrollBar(layoutOf("VScroll3"), m_piccontainer->interior()));

    // A label that names a box lends it its words and its focus.
    for (const ControlRow& row : layoutTable()) {
        if (row.buddy.empty()) continue;
        controlNamed<QLabel>(*this, row.name)->setBuddy(controlNamed(*this, row.buddy));
    }
}

void Form1::applyTabOrder() {
    std::vector<std::pair<int, QWidget*>> chain;
    for (const ControlRow& row : layoutTable()) {
        if (!takesFocus(row.kind)) continue;
        chain.emplace_back(row.tabIndex, controlNamed(*this, row.name));
    }
    std::ranges::sort(chain, {}, [](const auto& entry) { return entry.first; });
    for (std::size_t i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1].second, chain[i].second);
    }
}

void Form1::connectHandlers() {
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &Form1::VScroll1_Change);
    connect(m_vScroll2, &QScrollBar::valueChanged, this, &Form1::VScroll2_Change);
    // VScroll3 keeps tracking on, so valueChanged comes during a thumb drag
    // too; the two scroll bars above act only when the drag ends.
    m_vScroll1->setTracking(false);
    m_vScroll2->setTracking(false);
    connect(m_piccontainer->scrollBar(), &QScrollBar::valueChanged, m_piccontainer,
            &BoardPane::VScroll3_Change);

    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(m_command5, &QPushButton::clicked, this, &Form1::Command5_Click);

    // What is typed reaches the model at once, so a rebuild or check that
    // comes later reads it, and a refresh from the model keeps it. Any change
    // counts, not only keystrokes: assistive technology sets a box's text
    // without typing. The model's own texts come back unchanged.
    connect(m_text2, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_board.setText2(text.toStdString()); });
    connect(m_text3, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_board.setText3(text.toStdString()); });
    connect(m_text5, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_board.setText5(text.toStdString()); });
    connect(m_picTafel, &BoardView::cellTextEdited, this, &Form1::Text1_Change);
}

void Form1::Form_Load() {
    LoadForm(m_board, m_state);
    const ControlRow& column0 = layoutOf("Label1(0)");
    for (int j = 0; j < geometry::kColumnHeaders; ++j) {
        m_label1.push_back(makeHeaderLabel(column0, j, columnHeader(j), m_picTafel));
    }
    const ControlRow& row0 = layoutOf("Label2(0)");
    for (int r = 0; r < geometry::kRowHeaders; ++r) {
        m_label2.push_back(makeHeaderLabel(row0, r, rowHeader(r), m_picTafel));
    }
    m_picTafel->setHeaderLabels(m_label1, m_label2);
}

void Form1::VScroll1_Change(int value) {
    takeModulusBarValue(value);
    showModel();
}

void Form1::takeModulusBarValue(int value) {
    m_modulusBarValue = value;
    m_board.setText2(integerText(value));
    BuildBoard();
}

void Form1::VScroll2_Change(int value) {
    m_board.setText5(integerText(value));
    // The difference box alone: nothing else changed, and the board
    // need not be shown anew for it.
    showText(m_text5, m_board.text5());
}

// Steps the modulus upward until one whose residues hold only trivial
// progressions. Every cycle runs on the model, after a turn of the event
// loop in which the stop button and the other controls get through.
void Form1::Command1_Click() {
    // A click on this button during a scan arrives inside that scan's event
    // turn; a second scan nested in the first would fight it for the bar.
    if (m_scan != nullptr) return;
    m_state.stopRequested = false;
    std::optional<ScanEnd> end;  // none when the window went away
    {
        ScanLoop scan(*this, *m_vScroll1, [this] { showModel(); });
        m_scan = &scan;
        for (;;) {
            // The window may have been closed, or even destroyed, in that turn.
            if (!scan.turn()) return;
            if (!isVisible()) break;
            // The bar cannot go past its top end, so the scan ends there.
            if (m_modulusBarValue >= m_vScroll1->maximum()) {
                end = ScanEnd::EndOfRange;
                break;
            }

            BeginScanCycle(m_state);
            takeModulusBarValue(m_modulusBarValue + 1);
            const ScanStep step = FinishScanCycle(m_board, m_state);
            scan.cycleDone();
            emit scanCycleFinished();
            if (step == ScanStep::OnlyTrivial) end = ScanEnd::OnlyTrivial;
            if (step == ScanStep::StopRequested) end = ScanEnd::Stopped;
            if (step != ScanStep::Continue) break;
        }
        m_scan = nullptr;
    }
    showModel();
    if (end) announce(texts::scanEnded(*end, m_modulusBarValue));
}

void Form1::Command2_Click() {
    const bool found = SearchProgression(m_board, m_state);
    showModel();
    announce(found ? texts::progressionFound(static_cast<int>(m_state.m),
                                             static_cast<int>(m_state.d), m_state.a)
                   : std::string(texts::kNoProgressionFound));
}

void Form1::Command3_Click() {
    if (!BuildBoard()) return;
    showModel();
    announce(texts::boardBuilt(m_board.cellCount(), m_board.countOf(CellColor::Yellow)));
}

void Form1::Command4_Click() {
    m_state.stopRequested = true;
}

void Form1::Command5_Click() {
    // A refused modulus leaves the old board; checking it instead would
    // mark a board the user did not ask about.
    if (!BuildBoard()) return;
    const int marked = MarkProgressions(m_board, m_state);
    showModel();
    announce(texts::progressionsMarked(m_state.d, marked));
}

void Form1::Text1_Change(int index, const QString& text) {
    if (index < m_board.cellCount()) m_board.setCellText(index, text.toStdString());
}

bool Form1::BuildBoard() {
    const BuildResult result = apqr::BuildBoard(m_board, m_state);
    if (!result.ok()) {
        QMessageBox::warning(this, windowTitle(), qText(result.message()));
        return false;
    }
    emit boardRebuilt();
    return true;
}

void Form1::announce(const std::string& message) {
    m_announcer->announce(qText(message));
}

void Form1::showModel() {
    if (m_scan != nullptr) m_scan->shown();
    showText(m_text2, m_board.text2());
    showText(m_text3, m_board.text3());
    showText(m_text5, m_board.text5());
    {
        // The bar follows the model; its handler is for the user's changes.
        const QSignalBlocker following(m_vScroll1);
        m_vScroll1->setValue(m_modulusBarValue);
    }
    m_piccontainer->showBoard(m_board);
}

}  // namespace apqr::ui
