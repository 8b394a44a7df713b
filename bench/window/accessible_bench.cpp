// The board's cost with a screen reader listening: a rebuild and repaint
// while Qt's accessibility is active (the table is reset and the focused cell
// announced anew each time), and what it takes to ask the table for a cell.
// Accessibility is only active on a platform with a bridge, so this runs on
// X with the AT-SPI bus:
//
//   scripts/run-with-atspi.sh ./build/bench/window/bench_accessible
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "board_accessible.h"
#include "board_view.h"
#include "form1.h"

namespace {

using apqr::ui::BoardView;
using apqr::ui::Form1;

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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
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

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
