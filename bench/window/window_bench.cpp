// The window's speed, measured on the real Form1 (offscreen unless a
// platform is given): a rebuild for m = 3000 followed by the repaint of the
// visible board, and the way from nothing to the first painted window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScrollBar>
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

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
