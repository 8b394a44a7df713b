// The scan to the next modulus with only trivial progressions, driven
// through the real window: where it ends, the stop button, the top of the
// modulus range, a second click during a scan and closing the window.
#include <QApplication>
#include <QTimer>

#include "form_driver.h"

namespace apqr::ui::test {

class ScanTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> m_form;

    QScrollBar* modulusBar() const { return control<QScrollBar>(*m_form, "VScroll1"); }
    QString modulusBox() const { return control<QLineEdit>(*m_form, "Text2")->text(); }

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

    void theScanEndsAtTheTopOfTheRange() {
        modulusBar()->setValue(2995);
        click(*m_form, "Command1");
        QCOMPARE(modulusBar()->value(), 3000);
        QCOMPARE(m_form->board().cellCount(), 3000);
        // 3000 holds progressions, so its first one stays red.
        QVERIFY(!redCells(m_form->board()).empty());
        QVERIFY(!m_form->isScanning());
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
    }
};

}  // namespace apqr::ui::test

QTEST_MAIN(apqr::ui::test::ScanTest)
#include "scan_test.moc"
