// The board's cost with a screen reader listening: a rebuild and repaint
// while Qt's accessibility is active (the table is reset and the focused cell
// announced anew each time), what it takes to ask the table for a cell, and
// the scan 1541 … 3000 as a keyboard user starts it. Accessibility is only
// active on a platform with a bridge, so this runs on X with the AT-SPI bus:
//
//   scripts/run-with-atspi.sh ./build/bench/window/bench_accessible
//
// bench/window/scan_with_orca.sh runs the scan once without and once with
// Orca listening.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "accessibility.h"
#include "board/board_accessible.h"
#include "board/board_view.h"
#include "window/form1.h"

namespace {

using apqr::ui::BoardView;
using apqr::ui::Form1;

// Runs the event loop for `ms` milliseconds, or until `done` holds.
template <typename Done>
void spin(int ms, Done done) {
    QElapsedTimer waited;
    waited.start();
    QTimer look;  // wakes the waiting loop to look again; it leaves the processor to others
    look.start(50);
    while (!done() && waited.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// The whole layout on screen, the board focused as a reader's user has it,
// built for `modulus`.
struct Window {
    Form1 form;
    BoardView* board = form.findChild<BoardView*>(QStringLiteral("picTafel"));
    QPushButton* qr = form.findChild<QPushButton*>(QStringLiteral("Command3"));

    explicit Window(int modulus) {
        form.resize(1005, 717);
        form.show();
        form.activateWindow();
        QCoreApplication::processEvents();
        form.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QString::number(modulus));
        qr->click();
        board->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
};

void rebuildAndRepaint(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Pressed from the program, so the focus stays on the board.
        window.qr->click();
        window.board->repaint();
    }
    state.counters["cells"] = static_cast<double>(window.form.board().cellCount());
}

// A cell not asked for before: its interface is made and registered.
void firstRequestForACell(benchmark::State& state) {
    Window window(32767);
    int index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(apqr::ui::accessibleCell(window.board, index));
        if (++index == 32767) {
            state.PauseTiming();
            window.qr->click();  // drops every cell asked for so far
            index = 0;
            state.ResumeTiming();
        }
    }
}

// A cell asked for again: found in the table's cache.
void repeatedRequestForACell(benchmark::State& state) {
    Window window(32767);
    QAccessibleInterface* cell = apqr::ui::accessibleCell(window.board, 20000);
    benchmark::DoNotOptimize(cell);
    for (auto _ : state) {
        benchmark::DoNotOptimize(apqr::ui::accessibleCell(window.board, 20000));
    }
}

// The processor time a process has used so far, in clock ticks (fields 14
// and 15 of /proc/<pid>/stat, after the parenthesised name).
long processorTicks(const std::string& pid) {
    std::ifstream file("/proc/" + pid + "/stat");
    std::string stat;
    std::getline(file, stat);
    const auto nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) return -1;  // the process has ended
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string skipped;
    for (int field = 3; field < 14; ++field) fields >> skipped;
    long user = 0;
    long system = 0;
    fields >> user >> system;
    return user + system;
}

// From the press of "nächster Modul mit nur trivialer Progr." to the end of
// the scan, which visits every modulus 1541 … 3000: the window active and the
// focus on the button, as a keyboard user has it. With the process id of a
// screen reader in APQR_READER_PID, also the seconds from the press until the
// reader has gone idle again: a reader presents events in their order, so
// only then has it told its user how the scan ended.
void scanFrom1540(benchmark::State& state) {
    Form1 form;
    form.resize(1005, 717);
    form.show();
    form.activateWindow();
    spin(10000, [&] { return form.isActiveWindow(); });
    auto* modulus = form.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    auto* scan = form.findChild<QPushButton*>(QStringLiteral("Command1"));
    scan->setFocus(Qt::TabFocusReason);
    modulus->setValue(1540);
    // A listening reader is still reading the new window and the new board;
    // that is not the scan's time.
    spin(3000, [] { return false; });
    QElapsedTimer sincePress;
    for (auto _ : state) {
        sincePress.start();
        scan->click();                      // returns when the scan has ended
        QCoreApplication::processEvents();  // what it left queued is its time too
    }
    if (const std::string reader = qEnvironmentVariable("APQR_READER_PID").toStdString();
        !reader.empty()) {
        // Idle once its processor time has stood still for two seconds; the
        // window goes on answering the reader's questions meanwhile.
        long ticks = processorTicks(reader);
        qint64 lastBusy = sincePress.elapsed();
        spin(300000, [&] {
            if (const long now = processorTicks(reader); now != ticks) {
                ticks = now;
                lastBusy = sincePress.elapsed();
            }
            return sincePress.elapsed() - lastBusy > 2000;
        });
        state.counters["reader_idle_s"] = static_cast<double>(lastBusy) / 1000.0;
    }
    if (modulus->value() != modulus->maximum()) {
        state.SkipWithError("the scan ended before the top of the range");
    }
    if (!form.isActiveWindow()) state.SkipWithError("the window was not active");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    apqr::ui::installAccessibleInterfaces();
    spin(10000, [] { return QAccessible::isActive(); });
    if (!QAccessible::isActive()) {
        std::fprintf(stderr,
                     "bench_accessible: accessibility is not active; "
                     "run it under scripts/run-with-atspi.sh\n");
        return 1;
    }

    benchmark::RegisterBenchmark("accessible_rebuild_and_repaint", rebuildAndRepaint)
        ->Arg(3000)
        ->Arg(32767)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("accessible_first_request_for_a_cell", firstRequestForACell)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("accessible_repeated_request_for_a_cell", repeatedRequestForACell)
        ->Unit(benchmark::kMicrosecond);

    benchmark::RegisterBenchmark("accessible_scan_from_1540_to_3000", scanFrom1540)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
