// The window's speed, measured on the real Form1 (offscreen unless a
// platform is given): a rebuild for m = 3000 followed by the repaint of the
// visible board, the way from nothing to the first painted window, the scan
// with a repaint per modulus, how quickly a stop ends it, and the memory a
// board of 32767 cells adds.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>
#include <fstream>
#include <memory>

#include "form1.h"

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

// A scan that visits every modulus 1541 … 3000, repainting the board in
// every cycle, and ends at the top of the range.
void scanFrom1540(benchmark::State& state) {
    Form1 form;
    showWholeWindow(form);
    auto* modulus = control<QScrollBar>(form, "VScroll1");
    auto* scan = control<QPushButton>(form, "Command1");
    PaintSpyCounter paints;
    boardOf(form)->installEventFilter(&paints);
    for (auto _ : state) {
        state.PauseTiming();
        modulus->setValue(1540);
        QCoreApplication::processEvents();
        paints.count = 0;
        state.ResumeTiming();
        scan->click();
    }
    state.counters["end"] = modulus->value();
    state.counters["board_paints"] = paints.count;
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
        ->Iterations(3);
    benchmark::RegisterBenchmark("stop_latency", stopLatency)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(20);
    benchmark::RegisterBenchmark("memory_of_the_largest_board", memoryOfTheLargestBoard)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
