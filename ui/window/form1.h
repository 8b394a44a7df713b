// Form1, the program's window: its controls, the model, the handlers.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "board.h"
#include "form_state.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace apqr::ui {

class Announcer;
class BoardPane;
class BoardView;
class GraphicalButton;
class ScanLoop;
class UpwardScrollBar;

// The program's one window. It owns the board model and the form state,
// builds its controls from the layout table (controls.h), runs the load
// action before it is first shown, and wires each control to a thin handler
// named after it. Every handler hands the work to the core and then shows
// the model again; only the scan shows it less often than it changes it,
// once per frame (scan_loop.h).
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    [[nodiscard]] const Board& board() const { return m_board; }
    [[nodiscard]] const FormState& state() const { return m_state; }
    [[nodiscard]] bool isScanning() const { return m_scan != nullptr; }

signals:
    // After every rebuild of the board, before anything marks it.
    void boardRebuilt();
    // After every modulus a scan has rebuilt and searched.
    void scanCycleFinished();

private:
    void createControls();
    void applyTabOrder();
    void connectHandlers();
    void Form_Load();

    void VScroll1_Change(int value);
    void VScroll2_Change(int value);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Text1_Change(int index, const QString& text);

    // The rebuild as the window runs it, on the model: a refused modulus is
    // shown in a warning box and leaves everything as it was. Returns
    // whether it built.
    bool BuildBoard();
    // What a new value of VScroll1 does to the model.
    void takeModulusBarValue(int value);

    // Brings every control that shows the model up to date with it.
    void showModel();
    // Tells a screen reader how an action ended.
    void announce(const std::string& message);

    Board m_board;
    FormState m_state;
    // VScroll1's value as the model has it: a scan raises it every cycle,
    // the bar shows it once per frame.
    int m_modulusBarValue = 0;
    // The scan running now, or none.
    ScanLoop* m_scan = nullptr;

    Announcer* m_announcer = nullptr;
    QLabel* m_label3 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text3 = nullptr;
    QLineEdit* m_text5 = nullptr;
    UpwardScrollBar* m_vScroll1 = nullptr;
    QScrollBar* m_vScroll2 = nullptr;
    GraphicalButton* m_command1 = nullptr;
    GraphicalButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
    GraphicalButton* m_command4 = nullptr;
    QPushButton* m_command5 = nullptr;
    BoardPane* m_piccontainer = nullptr;
    BoardView* m_picTafel = nullptr;
    std::vector<QLabel*> m_label1;  // column headers 0 … 24
    std::vector<QLabel*> m_label2;  // row headers 0 … 20
};

}  // namespace apqr::ui
