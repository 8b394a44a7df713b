// The window's speed, measured on the real Form1 (offscreen unless a
// platform is given): a rebuild for m = 3000 followed by the repaint of the
// visible board, the way from nothing to the first painted window, the scan
// against the core's own sweep, how quickly a stop ends it, the memory a board
// of 32767 cells adds, and whether 10 000 rebuilds leave the resident size
// where the first ones put it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "build_board.h"
#include "form_load.h"
#include "scan_cycle.h"
#include "window/form1.h"

namespace {

using apqr::ui::Form1;

// Notes that a widget has been sent its first paint event; once the event
// loop returns, the painting is done.
class PaintSpy : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

// Counts the paint events a widget is sent.
class PaintSpyCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

QWidget* boardOf(const Form1& form) {
    return form.findChild<QWidget*>(QStringLiteral("picTafel"));
}

// Shows a new window and runs the event loop until its board has painted.
std::unique_ptr<Form1> openFirstPaintedWindow() {
    auto form = std::make_unique<Form1>();
    PaintSpy spy;
    boardOf(*form)->installEventFilter(&spy);
    form->show();
    while (!spy.painted) QCoreApplication::processEvents();
    boardOf(*form)->removeEventFilter(&spy);
    return form;
}

void firstWindowFromProcessStart(benchmark::State& state, const QElapsedTimer& sinceMain) {
    for (auto _ : state) {
        const auto form = openFirstPaintedWindow();
        state.SetIterationTime(static_cast<double>(sinceMain.nsecsElapsed()) * 1e-9);
    }
}

void windowToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        auto form = openFirstPaintedWindow();
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void rebuild3000AndRepaint(benchmark::State& state) {
    Form1 form;
    form.resize(1005, 717);  // the whole layout, so the full board frame is visible
    form.show();
    QCoreApplication::processEvents();
    // The scroll bar writes "3000" into the modulus box; "QR" then rebuilds
    // from the box on every press.
    form.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(3000);
    auto* qr = form.findChild<QPushButton*>(QStringLiteral("Command3"));
    QWidget* board = boardOf(form);

    for (auto _ : state) {
        qr->click();
        board->repaint();
    }
    state.counters["cells"] = static_cast<double>(form.board().cellCount());
}

// The whole layout on screen, so the full board frame is painted.
void showWholeWindow(Form1& form) {
    form.resize(1005, 717);
    form.show();
    QCoreApplication::processEvents();
}

template <typename T>
T* control(const Form1& form, const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
}

// The core's own sweep over the moduli 1541 … 3000, without a window: what
// the scan below costs at the least.
double coreSweepSeconds() {
    apqr::Board board;
    apqr::FormState state;
    apqr::LoadForm(board, state);
    board.setText2("1540");
    if (!apqr::BuildBoard(board, state).ok()) std::abort();
    QElapsedTimer clock;
    clock.start();
    for (int m = 1541; m <= 3000; ++m) {
        if (apqr::RunScanCycle(board, state, m) == apqr::ScanStep::OnlyTrivial) std::abort();
    }
    return static_cast<double>(clock.nsecsElapsed()) * 1e-9;
}

// A scan that visits every modulus 1541 … 3000 and ends at the top of the
// range, showing the board once per display frame, next to the core's sweep
// over the same moduli in the same run.
void scanFrom1540(benchmark::State& state) {
    Form1 form;
    showWholeWindow(form);
    auto* modulus = control<QScrollBar>(form, "VScroll1");
    auto* scan = control<QPushButton>(form, "Command1");
    PaintSpyCounter paints;
    boardOf(form)->installEventFilter(&paints);
    double coreSeconds = 1e9;
    double scanSeconds = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        state.PauseTiming();
        coreSeconds = std::min(coreSeconds, coreSweepSeconds());
        modulus->setValue(1540);
        QCoreApplication::processEvents();
        paints.count = 0;
        clock.start();
        state.ResumeTiming();
        scan->click();
        scanSeconds += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
    }
    scanSeconds /= static_cast<double>(state.iterations());
    state.counters["end"] = modulus->value();
    state.counters["board_paints"] = paints.count;
    state.counters["core_sweep_ms"] = coreSeconds * 1e3;
    state.counters["times_core"] = scanSeconds / coreSeconds;
}

// From the moment the stop click is handled to the end of the scan: the one
// cycle that still runs, at m ≈ 2100.
void stopLatency(benchmark::State& state) {
    Form1 form;
    showWholeWindow(form);
    auto* modulus = control<QScrollBar>(form, "VScroll1");
    auto* scan = control<QPushButton>(form, "Command1");
    auto* stop = control<QPushButton>(form, "Command4");
    QElapsedTimer clock;
    clock.start();
    qint64 stoppedAt = 0;
    QObject::connect(&form, &Form1::scanCycleFinished, &form, [&] {
        if (form.state().m != 2100) return;
        QTimer::singleShot(0, &form, [&] {
            stoppedAt = clock.nsecsElapsed();
            QTest::mouseClick(stop, Qt::LeftButton);
        });
    });
    for (auto _ : state) {
        modulus->setValue(2000);
        QCoreApplication::processEvents();
        scan->click();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed() - stoppedAt) * 1e-9);
        if (modulus->value() != 2101)
            state.SkipWithError("the stop did not end the scan after one cycle");
    }
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// The resident size the process gains when a modulus of 32767 is typed and
// built, over the idle window.
void memoryOfTheLargestBoard(benchmark::State& state) {
    double growth = 0;
    for (auto _ : state) {
        Form1 form;
        showWholeWindow(form);
        const double idle = residentMegabytes();
        auto* box = control<QLineEdit>(form, "Text2");
        box->setText(QStringLiteral("32767"));
        emit box->textEdited(box->text());
        control<QPushButton>(form, "Command3")->click();
        QCoreApplication::processEvents();
        growth = residentMegabytes() - idle;
        if (form.board().cellCount() != 32767) state.SkipWithError("the board was not built");
    }
    state.counters["rss_growth_MB"] = growth;
}

// Types a modulus into the box and presses "QR", as a person would, then
// lets the board repaint.
void rebuildThroughTheControls(Form1& form, const QString& modulus) {
    auto* box = control<QLineEdit>(form, "Text2");
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, modulus);
    QTest::mouseClick(control<QPushButton>(form, "Command3"), Qt::LeftButton);
    QCoreApplication::processEvents();
}

// 10 000 rebuilds alternating between a board of 3000 and one of 32767
// cells: the resident size after the last pair against the one after the
// first shows whether a rebuild leaves anything behind. The board itself
// stays flat; what grows, a few megabytes over the whole run, is the undo
// history of the modulus box, which keeps every keystroke typed into it
// (rebuilding through setText instead, which resets that history, shows no
// growth at all).
void memoryOverAlternatingRebuilds(benchmark::State& state) {
    constexpr int kPairs = 5000;
    const QString small = QStringLiteral("3000");
    const QString large = QStringLiteral("32767");
    double afterFirstPair = 0;
    double afterLastPair = 0;
    for (auto _ : state) {
        Form1 form;
        showWholeWindow(form);
        for (int pair = 0; pair < kPairs; ++pair) {
            rebuildThroughTheControls(form, small);
            rebuildThroughTheControls(form, large);
            if (pair == 0) afterFirstPair = residentMegabytes();
        }
        afterLastPair = residentMegabytes();
        if (form.board().cellCount() != 32767) state.SkipWithError("the board was not built");
    }
    state.counters["rss_after_first_pair_MB"] = afterFirstPair;
    state.counters["rss_after_last_pair_MB"] = afterLastPair;
    state.counters["rss_growth_MB"] = afterLastPair - afterFirstPair;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // Registered first, so that it meets the process cold: no fonts loaded,
    // no window shown yet.
    benchmark::RegisterBenchmark(
        "first_window_from_process_start",
        [&sinceMain](benchmark::State& state) { firstWindowFromProcessStart(state, sinceMain); })
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window_to_first_paint", windowToFirstPaint)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("rebuild_3000_and_repaint", rebuild3000AndRepaint)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scan_from_1540_to_3000", scanFrom1540)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("stop_latency", stopLatency)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(20);
    benchmark::RegisterBenchmark("memory_of_the_largest_board", memoryOfTheLargestBoard)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("memory_over_10000_rebuilds", memoryOverAlternatingRebuilds)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
