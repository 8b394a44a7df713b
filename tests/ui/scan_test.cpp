// The scan to the next modulus with only trivial progressions, driven
// through the real window: where it ends, the stop button, the top of the
// modulus range, a second click during a scan and closing the window. The
// window shows a scan once per frame; it must end exactly where the same
// moduli run one after the other through the core leave the model, and
// show all of it.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

#include "build_board.h"
#include "form_driver.h"
#include "form_load.h"
#include "scan_cycle.h"
#include "text_conversions.h"

namespace apqr::ui::test {
namespace {

struct Model {
    Board board;
    FormState state;
};

// The model after the moduli start+1 … end, each rebuilt and searched
// through the core alone; `stop` when the last cycle ran after a stop click.
// `start` 2 is the window as it opens, not yet built.
Model coreScan(int start, int end, bool stop = false) {
    Model model;
    LoadForm(model.board, model.state);
    if (start != 2) {
        model.board.setText2(integerText(start));
        if (!BuildBoard(model.board, model.state).ok()) qFatal("cannot build %d", start);
    }
    for (int m = start + 1; m <= end; ++m) {
        model.state.stopRequested = stop && m == end;
        (void)RunScanCycle(model.board, model.state, m);
    }
    return model;
}

// The same cells and box texts, in the model or as a view shows them.
bool sameBoard(const Board& a, const Board& b) {
    if (a.cellCount() != b.cellCount() || a.text2() != b.text2() || a.text3() != b.text3() ||
        a.text5() != b.text5() || a.scrollMax() != b.scrollMax()) {
        return false;
    }
    for (int i = 0; i < a.cellCount(); ++i) {
        if (a.cell(i).color != b.cell(i).color || a.cell(i).text != b.cell(i).text) return false;
    }
    return true;
}

}  // namespace

// Calls back whenever a watched widget is painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<void(QObject*)> painted) : m_painted(std::move(painted)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) m_painted(watched);
        return false;
    }

private:
    std::function<void(QObject*)> m_painted;
};

class ScanTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> m_form;

    QScrollBar* modulusBar() const { return control<QScrollBar>(*m_form, "VScroll1"); }
    QString modulusBox() const { return control<QLineEdit>(*m_form, "Text2")->text(); }
    QString announced() const { return test::announced(*m_form); }

    // The window's model is the core's after the same moduli, and every
    // control shows it.
    void expectEndState(const Model& expected) const {
        const FormState& s = m_form->state();
        const FormState& e = expected.state;
        QVERIFY(sameBoard(m_form->board(), expected.board));
        QVERIFY(s.m == e.m && s.d == e.d && s.a == e.a && s.k == e.k && s.hit == e.hit &&
                s.onlyTrivial == e.onlyTrivial && s.stopRequested == e.stopRequested);
        QVERIFY(sameBoard(board(*m_form)->board(), expected.board));
        QCOMPARE(modulusBox().toStdString(), e.m == 2 ? "2" : integerText(e.m));
        QCOMPARE(control<QLineEdit>(*m_form, "Text3")->text().toStdString(),
                 expected.board.text3());
        QCOMPARE(modulusBar()->value(), static_cast<int>(e.m));
        QCOMPARE(control<QScrollBar>(*m_form, "VScroll3")->maximum(), expected.board.scrollMax());
    }

    // Runs `action` once, at the event turn that opens the cycle after the
    // one for `modulus`.
    void atCycleAfter(int modulus, std::function<void()> action) {
        auto* connection = new QMetaObject::Connection;
        *connection = connect(m_form.get(), &Form1::scanCycleFinished, this,
                              [this, modulus, connection, action = std::move(action)] {
                                  if (m_form->state().m != modulus) return;
                                  disconnect(*connection);
                                  delete connection;
                                  QTimer::singleShot(0, this, action);
                              });
    }

private slots:
    void init() { m_form = openForm(); }
    void cleanup() { m_form.reset(); }

    void endsAtTheNextModulusWithOnlyTrivialProgressions_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("start-up") << 2 << 3;
        QTest::newRow("past 6") << 5 << 7;
        QTest::newRow("past 9 and 10") << 8 << 11;
        QTest::newRow("past 13 and 14") << 12 << 15;
        QTest::newRow("long run") << 1155 << 1540;
    }
    void endsAtTheNextModulusWithOnlyTrivialProgressions() {
        QFETCH(int, start);
        QFETCH(int, end);
        if (start != modulusBar()->value()) modulusBar()->setValue(start);
        int cycles = 0;
        connect(m_form.get(), &Form1::scanCycleFinished, this, [&cycles] { ++cycles; });

        click(*m_form, "Command1");

        QVERIFY(!m_form->isScanning());
        QCOMPARE(cycles, end - start);
        QCOMPARE(modulusBar()->value(), end);
        QCOMPARE(modulusBox(), QString::number(end));
        QCOMPARE(m_form->board().cellCount(), end);
        QVERIFY(control<QLineEdit>(*m_form, "Text3")
                    ->text()
                    .startsWith(QStringLiteral(" %1 =").arg(end)));
        // The board shows the modulus with its residues and nothing red.
        QVERIFY(redCells(m_form->board()).empty());
        QCOMPARE(paintedColor(board(*m_form), 1), colorOf(CellColor::Yellow));
        expectEndState(coreScan(start, end));
        QCOMPARE(
            announced(),
            QStringLiteral("Suchlauf beendet: m = %1 hat nur triviale Progressionen.").arg(end));
    }

    // Box, factorization, bar and board are shown together, so whatever is
    // painted during the scan belongs to one modulus; and the board is not
    // painted for every modulus the scan passes, but at most once per
    // display frame, whatever the speed of the machine.
    void whateverIsPaintedShowsOneModulus() {
        modulusBar()->setValue(1155);
        auto* text2 = control<QLineEdit>(*m_form, "Text2");
        auto* text3 = control<QLineEdit>(*m_form, "Text3");
        BoardView* view = board(*m_form);
        int paints = 0;
        int boardPaints = 0;
        QStringList mixed;
        PaintWatch watch([&](QObject* painted) {
            ++paints;
            if (painted == view) ++boardPaints;
            const QString m = QString::number(view->board().cellCount());
            const QString shown = QStringList{text2->text(), text3->text().section(' ', 1, 1),
                                              QString::number(modulusBar()->value()), m}
                                      .join(QLatin1Char('/'));
            if (shown != QStringList{m, m, m, m}.join(QLatin1Char('/'))) mixed << shown;
        });
        for (QObject* shown : std::initializer_list<QObject*>{text2, text3, view, modulusBar()}) {
            shown->installEventFilter(&watch);
        }
        QElapsedTimer scanning;
        scanning.start();
        click(*m_form, "Command1");
        QCoreApplication::processEvents();  // the last picture
        const double frames =
            static_cast<double>(scanning.elapsed()) * m_form->screen()->refreshRate() / 1000.0;
        QVERIFY2(mixed.isEmpty(), qPrintable(mixed.join(QLatin1Char('\n'))));
        QVERIFY(paints > 0);
        // The first frame and the last, complete picture come on top.
        QVERIFY2(boardPaints <= frames + 2 && boardPaints < 1540 - 1155,
                 qPrintable(QStringLiteral("%1 paints in %2 frames").arg(boardPaints).arg(frames)));
    }

    void aStopIsHandledAtTheNextCycleWhichStillRuns() {
        modulusBar()->setValue(1155);
        atCycleAfter(1160, [this] { click(*m_form, "Command4"); });

        click(*m_form, "Command1");

        // The click came in at the turn that opened the cycle for 1161; that
        // cycle stepped, rebuilt and found a progression, then the scan ended.
        QCOMPARE(modulusBar()->value(), 1161);
        QCOMPARE(m_form->board().cellCount(), 1161);
        QCOMPARE(redCells(m_form->board()).empty(), false);
        QCOMPARE(paintedColor(board(*m_form), *redCells(m_form->board()).begin()),
                 colorOf(CellColor::Red));
        expectEndState(coreScan(1155, 1161, true));
        QCOMPARE(announced(), QStringLiteral("Suchlauf angehalten bei m = 1161."));
    }

    void aStopWhileIdleHasNoEffect() {
        click(*m_form, "Command4");
        modulusBar()->setValue(12);
        click(*m_form, "Command1");
        QCOMPARE(modulusBar()->value(), 15);
    }

    void aSecondScanClickDuringAScanIsIgnored() {
        modulusBar()->setValue(1155);
        atCycleAfter(1160, [this] { click(*m_form, "Command1"); });
        click(*m_form, "Command1");
        // A nested scan would have run to 1540 inside this one, which would
        // then have carried on from there to the top of the range.
        QCOMPARE(modulusBar()->value(), 1540);
    }

    void otherControlsWorkDuringAScan() {
        modulusBar()->setValue(1155);
        atCycleAfter(1160, [this] { typeInto(control<QLineEdit>(*m_form, "Text5"), "7"); });
        click(*m_form, "Command1");
        QCOMPARE(modulusBar()->value(), 1540);
        QCOMPARE(control<QLineEdit>(*m_form, "Text5")->text(), QStringLiteral("7"));
        QCOMPARE(m_form->board().text5(), std::string("7"));
    }

    // The bar may still show an earlier frame; its arrow steps from the
    // modulus the scan has reached.
    void theModulusArrowStepsFromTheLastCycle() {
        modulusBar()->setValue(1155);
        std::vector<int> rebuilt;
        connect(m_form.get(), &Form1::boardRebuilt, this,
                [&] { rebuilt.push_back(static_cast<int>(m_form->state().m)); });
        atCycleAfter(1160, [this] { clickArrow(modulusBar(), Arrow::Upper); });
        click(*m_form, "Command1");
        const auto at = std::find(rebuilt.begin(), rebuilt.end(), 1160);
        QVERIFY(rebuilt.end() - at > 2);
        QCOMPARE(*(at + 1), 1161);  // the arrow
        QCOMPARE(*(at + 2), 1162);  // the next cycle
        QCOMPARE(modulusBar()->value(), 1540);
    }

    // While a mouse button holds VScroll1 the scan waits: no cycle runs and
    // nothing moves the held thumb; a held arrow steps the modulus as the
    // person's own clicks do. The release hands the dropped value to the bar's
    // handler, and the scan goes on from there.
    void aHeldModulusBarPausesTheScan_data() {
        QTest::addColumn<int>("part");     // QStyle::SubControl pressed
        QTest::addColumn<int>("dropped");  // value after the release; 0: where the arrow left it
        QTest::addColumn<int>("end");
        QTest::newRow("thumb dragged to the bottom") << int(QStyle::SC_ScrollBarSlider) << 2 << 3;
        QTest::newRow("lower arrow held") << int(QStyle::SC_ScrollBarAddLine) << 0 << 1540;
    }
    void aHeldModulusBarPausesTheScan() {
        QFETCH(int, part);
        QFETCH(int, dropped);
        QFETCH(int, end);
        modulusBar()->setValue(1200);
        // Rebuilds as their modulus, the end of a cycle as its negative.
        std::vector<int> seen;
        connect(m_form.get(), &Form1::boardRebuilt, this,
                [&] { seen.push_back(static_cast<int>(m_form->state().m)); });
        connect(m_form.get(), &Form1::scanCycleFinished, this,
                [&] { seen.push_back(-static_cast<int>(m_form->state().m)); });
        std::size_t pressed = 0;
        std::size_t released = 0;
        int valueHeld = 0;
        int positionHeld = 0;
        const QPoint at = scrollBarPart(modulusBar(), QStyle::SubControl(part)).center();
        const QPoint bottom(at.x(), modulusBar()->height() - 1);
        QTimer release;  // goes with this function, should the scan end first
        release.setSingleShot(true);
        connect(&release, &QTimer::timeout, this, [&] {
            valueHeld = modulusBar()->value();
            positionHeld = modulusBar()->sliderPosition();
            released = seen.size();
            QTest::mouseRelease(modulusBar(), Qt::LeftButton, {},
                                part == QStyle::SC_ScrollBarSlider ? bottom : at);
        });
        atCycleAfter(1205, [&] {
            pressed = seen.size();
            QTest::mousePress(modulusBar(), Qt::LeftButton, {}, at);
            if (part == QStyle::SC_ScrollBarSlider) QTest::mouseMove(modulusBar(), bottom);
            release.start(700);
        });

        click(*m_form, "Command1");

        QVERIFY(pressed > 0 && released >= pressed);
        // Held: only the arrow's own steps, one modulus down each.
        int last = 1205;
        for (std::size_t i = pressed; i < released; ++i) QCOMPARE(seen[i], --last);
        if (part == QStyle::SC_ScrollBarSlider) {
            QCOMPARE(released, pressed);
            QCOMPARE(valueHeld, 1205);
            QCOMPARE(positionHeld, 2);  // the thumb stayed where it was dragged
        } else {
            QVERIFY2(last < 1204, "the arrow did not repeat");
            QCOMPARE(valueHeld, last);
        }
        // Let go: the dropped value, then the scan from there.
        std::size_t next = released;
        if (dropped != 0) {
            QCOMPARE(seen.at(next++), dropped);
            last = dropped;
        }
        QCOMPARE(seen.at(next), last + 1);
        QCOMPARE(seen.at(next + 1), -(last + 1));
        QCOMPARE(modulusBar()->value(), end);
        QCOMPARE(
            announced(),
            QStringLiteral("Suchlauf beendet: m = %1 hat nur triviale Progressionen.").arg(end));
    }

    void theScanEndsAtTheTopOfTheRange() {
        modulusBar()->setValue(2995);
        click(*m_form, "Command1");
        QCOMPARE(modulusBar()->value(), 3000);
        QCOMPARE(m_form->board().cellCount(), 3000);
        // 3000 holds progressions, so its first one stays red.
        QVERIFY(!redCells(m_form->board()).empty());
        QVERIFY(!m_form->isScanning());
        expectEndState(coreScan(2995, 3000));
        QCOMPARE(announced(), QStringLiteral("Suchlauf am Ende des Bereichs: m = 3000."));
    }

    void startedAtTheTopItChangesNothing() {
        modulusBar()->setValue(3000);
        buildFor(*m_form, "12");  // the bar stays at 3000
        int cycles = 0;
        connect(m_form.get(), &Form1::scanCycleFinished, this, [&cycles] { ++cycles; });
        click(*m_form, "Command1");
        QCOMPARE(cycles, 0);
        QCOMPARE(modulusBar()->value(), 3000);
        QCOMPARE(m_form->board().cellCount(), 12);
        QCOMPARE(modulusBox(), QStringLiteral("12"));
    }

    void closingTheWindowEndsTheScanAndTheEventLoop() {
        modulusBar()->setValue(1540);  // a scan from here would run to 3000
        int cycles = 0;
        connect(m_form.get(), &Form1::scanCycleFinished, this, [&cycles] { ++cycles; });
        atCycleAfter(1545, [this] { m_form->close(); });
        QTimer::singleShot(0, this, [this] { click(*m_form, "Command1"); });

        const bool quitOnClose = QApplication::quitOnLastWindowClosed();
        QApplication::setQuitOnLastWindowClosed(true);
        const int exitCode = QApplication::exec();
        QApplication::setQuitOnLastWindowClosed(quitOnClose);

        QCOMPARE(exitCode, 0);
        QVERIFY(!m_form->isVisible());
        QVERIFY(!m_form->isScanning());
        // The cycle that was running finished; no further one began.
        QCOMPARE(cycles, 5);
        QCOMPARE(modulusBar()->value(), 1545);
        expectEndState(coreScan(1540, 1545));
        QCOMPARE(announced(), QString());  // nobody left to tell
    }
};

}  // namespace apqr::ui::test

QTEST_MAIN(apqr::ui::test::ScanTest)
#include "scan_test.moc"
