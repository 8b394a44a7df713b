// Each control starts its action, and the window then shows what the model
// holds: box texts, cell colours and cell texts.
#include <QMessageBox>
#include <QTimer>

#include "form_driver.h"
#include "texts.h"

using namespace apqr;
using namespace apqr::ui;
using namespace apqr::ui::test;

Q_DECLARE_METATYPE(std::set<int>)
Q_DECLARE_METATYPE(apqr::ui::test::BarAction)

class Form1WiringTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_form = openForm(); }
    void cleanup() { m_form.reset(); }

    void firstUpperArrowOfModulusBuildsThree() {
        clickArrow(control<QScrollBar>(*m_form, "VScroll1"), Arrow::Upper);
        QCOMPARE(text("Text2"), QStringLiteral("3"));
        QCOMPARE(text("Text3"), QStringLiteral(" 3 = 3"));
        auto* view = board(*m_form);
        QCOMPARE(view->board().cellCount(), 3);
        QCOMPARE(paintedColor(view, 0), colorOf(CellColor::Yellow));
        QCOMPARE(paintedColor(view, 1), colorOf(CellColor::Yellow));
        QCOMPARE(paintedColor(view, 2), colorOf(CellColor::White));
        QVERIFY(!showsText(view, 0));
        // The bar's own value is what a reader hears; nothing is announced.
        QCOMPARE(announced(), QString());
    }

    // Both number scroll bars hold their larger value at the top end: every
    // way of moving one upward raises the number in its box, every way down
    // lowers it, Home goes to the top end and End to the bottom one. They
    // stop at their ends, and a click that changes nothing starts nothing.
    void barActionsMoveTheNumbers_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("start");
        QTest::addColumn<BarAction>("action");
        QTest::addColumn<QString>("shown");
        using enum BarAction;
        const auto row = [](const char* name, const char* bar, int start, BarAction action,
                            const char* shown) {
            const bool modulus = QByteArray(bar) == "VScroll1";
            QTest::newRow(name) << bar << (modulus ? "Text2" : "Text5") << start << action << shown;
        };
        row("modulus down at its bottom end", "VScroll1", 2, LowerArrow, "2");
        row("modulus down", "VScroll1", 10, LowerArrow, "9");
        row("modulus up at its top end", "VScroll1", 3000, UpperArrow, "3000");
        row("difference up", "VScroll2", 2, UpperArrow, "3");
        row("difference down", "VScroll2", 2, LowerArrow, "1");
        row("difference down at 1", "VScroll2", 1, LowerArrow, "1");

        row("modulus: upper trough", "VScroll1", 1500, UpperTrough, "1501");
        row("modulus: lower trough", "VScroll1", 1500, LowerTrough, "1499");
        row("modulus: Page Up", "VScroll1", 1500, PageUpKey, "1501");
        row("modulus: Page Down", "VScroll1", 1500, PageDownKey, "1499");
        row("modulus: Up key", "VScroll1", 1500, UpKey, "1501");
        row("modulus: Down key", "VScroll1", 1500, DownKey, "1499");
        row("modulus: Home to the top end", "VScroll1", 1500, HomeKey, "3000");
        row("modulus: End to the bottom end", "VScroll1", 1500, EndKey, "2");
        row("modulus: wheel up", "VScroll1", 1500, WheelUp, "1501");
        row("modulus: wheel down", "VScroll1", 1500, WheelDown, "1499");
        row("modulus: Page Up at its top end", "VScroll1", 3000, PageUpKey, "3000");
        row("modulus: wheel down at its bottom end", "VScroll1", 2, WheelDown, "2");

        row("difference: upper trough", "VScroll2", 100, UpperTrough, "101");
        row("difference: lower trough", "VScroll2", 100, LowerTrough, "99");
        row("difference: Page Up", "VScroll2", 100, PageUpKey, "101");
        row("difference: Page Down", "VScroll2", 100, PageDownKey, "99");
        row("difference: Up key", "VScroll2", 100, UpKey, "101");
        row("difference: Down key", "VScroll2", 100, DownKey, "99");
        row("difference: Home to the top end", "VScroll2", 100, HomeKey, "200");
        row("difference: End to the bottom end", "VScroll2", 100, EndKey, "1");
        row("difference: wheel up", "VScroll2", 100, WheelUp, "101");
        row("difference: wheel down", "VScroll2", 100, WheelDown, "99");
        row("difference: wheel up at its top end", "VScroll2", 200, WheelUp, "200");
    }
    void barActionsMoveTheNumbers() {
        QFETCH(QString, bar);
        QFETCH(QString, box);
        QFETCH(int, start);
        QFETCH(BarAction, action);
        QFETCH(QString, shown);
        auto* scrollBar = m_form->findChild<QScrollBar*>(bar);
        scrollBar->setValue(start);
        actOn(scrollBar, action);
        QCOMPARE(text(box), shown);
        QCOMPARE(scrollBar->value(), shown.toInt());
        if (bar == QLatin1String("VScroll1")) {
            QCOMPARE(board(*m_form)->board().cellCount(), shown.toInt());
        }
    }

    void numberBarsActOnlyWhenTheDragEnds() {
        auto* bar = control<QScrollBar>(*m_form, "VScroll1");
        bar->setSliderDown(true);
        bar->setSliderPosition(40);
        QCOMPARE(text("Text2"), QStringLiteral("2"));
        QCOMPARE(board(*m_form)->board().cellCount(), 2);
        bar->setSliderDown(false);
        QCOMPARE(text("Text2"), QStringLiteral("40"));
        QCOMPARE(board(*m_form)->board().cellCount(), 40);
    }

    void typedModulusIsBuiltByQR() {
        buildFor(*m_form, QStringLiteral("12"));
        QCOMPARE(text("Text3"), QStringLiteral(" 12 = 2 * 2 * 3"));
        QCOMPARE(announced(),
                 QStringLiteral("Tafel für m = 12 (2 mal 2 mal 3): 4 quadratische Reste."));
        QCOMPARE(control<QScrollBar>(*m_form, "VScroll1")->value(), 2);
        auto* view = board(*m_form);
        QCOMPARE(view->board().cellCount(), 12);
        for (int index = 0; index < 12; ++index) {
            const bool square = index == 0 || index == 1 || index == 4 || index == 9;
            QCOMPARE(paintedColor(view, index),
                     colorOf(square ? CellColor::Yellow : CellColor::White));
        }
    }

    void modulusRewrittenByTheRebuildIsShown() {
        buildFor(*m_form, QStringLiteral("abc"));
        QCOMPARE(text("Text2"), QStringLiteral(" 3"));
        QCOMPARE(text("Text3"), QStringLiteral(" 3 = 3"));
    }

    // "prüfen" rebuilds for the typed modulus and marks every progression
    // of the typed difference.
    void checkMarksEveryProgressionOfTheDifference_data() {
        QTest::addColumn<QString>("modulus");
        QTest::addColumn<QString>("difference");
        QTest::addColumn<std::set<int>>("red");
        QTest::addColumn<QString>("announced");
        QTest::newRow("13, d 2") << "13"
                                 << "2" << std::set<int>{1, 3, 10, 12}
                                 << "d = 2: 1 Progression markiert.";
        QTest::newRow("25, d 5: red cells do not follow")
            << "25"
            << "5" << std::set<int>{1, 4, 6, 9, 11, 14, 16, 19}
            << "d = 5: 2 Progressionen markiert.";
        QTest::newRow("5, d 2: nothing") << "5"
                                         << "2" << std::set<int>{} << "d = 2: keine Progression.";
    }
    void checkMarksEveryProgressionOfTheDifference() {
        QFETCH(QString, modulus);
        QFETCH(QString, difference);
        QFETCH(std::set<int>, red);
        QFETCH(QString, announced);
        typeInto(control<QLineEdit>(*m_form, "Text2"), modulus);
        typeInto(control<QLineEdit>(*m_form, "Text5"), difference);
        click(*m_form, "Command5");
        // Only the marking, not the rebuild before it.
        QCOMPARE(this->announced(), announced);

        auto* view = board(*m_form);
        QCOMPARE(view->board().cellCount(), modulus.toInt());
        QCOMPARE(redCells(view->board()), red);
        for (int index : red) {
            QCOMPARE(paintedColor(view, index), colorOf(CellColor::Red));
            QCOMPARE(QString::fromStdString(view->board().cell(index).text), difference);
            QVERIFY(showsText(view, index));
        }
    }

    // The search works on the board as it is, without rebuilding.
    void searchMarksTheSmallestDifference_data() {
        QTest::addColumn<QString>("modulus");  // empty: the board of start-up
        QTest::addColumn<std::set<int>>("red");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("announced");
        QTest::newRow("9") << "9" << std::set<int>{1, 4, 7} << "3"
                           << "Progression mit d = 3 ab 1: 1, 4, 7, 1.";
        QTest::newRow("8: terms repeat") << "8" << std::set<int>{0, 4} << "4"
                                         << "Progression mit d = 4 ab 0: 0, 4, 0, 4.";
        QTest::newRow("3: nothing") << "3" << std::set<int>{} << ""
                                    << "Keine Progression gefunden.";
        QTest::newRow("start-up cells count as members")
            << "" << std::set<int>{0, 1} << "1"
            << "Progression mit d = 1 ab 0: 0, 1, 0, 1.";
    }
    void searchMarksTheSmallestDifference() {
        QFETCH(QString, modulus);
        QFETCH(std::set<int>, red);
        QFETCH(QString, written);
        QFETCH(QString, announced);
        if (!modulus.isEmpty()) buildFor(*m_form, modulus);
        click(*m_form, "Command2");
        QCOMPARE(this->announced(), announced);

        auto* view = board(*m_form);
        QCOMPARE(redCells(view->board()), red);
        for (int index : red) {
            QCOMPARE(paintedColor(view, index), colorOf(CellColor::Red));
            QCOMPARE(QString::fromStdString(view->board().cell(index).text), written);
        }
    }

    // A modulus the board cannot hold is refused with the core's message;
    // the board stays, and "prüfen" does not go on to mark it.
    void tooLargeModulusIsRefused_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("QR") << "Command3";
        QTest::newRow("prüfen") << "Command5";
    }
    void tooLargeModulusIsRefused() {
        QFETCH(QString, button);
        buildFor(*m_form, QStringLiteral("7"));
        typeInto(control<QLineEdit>(*m_form, "Text2"), QStringLiteral("40000"));

        QString title;
        QString message;
        QTimer closer;  // polls, as the box opens only inside the click
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            title = box->windowTitle();
            message = box->text();
            box->accept();
        });
        closer.start(10);
        click(*m_form, qPrintable(button));
        closer.stop();

        QCOMPARE(message, qText(texts::kModulusOutOfRange));
        QCOMPARE(title, m_form->windowTitle());
        QCOMPARE(board(*m_form)->board().cellCount(), 7);
        QVERIFY(redCells(board(*m_form)->board()).empty());
        QCOMPARE(text("Text3"), QStringLiteral(" 7 = 7"));
        QCOMPARE(text("Text2"), QStringLiteral("40000"));
        // The box tells of the refusal; the last announcement stands.
        QCOMPARE(announced(), QStringLiteral("Tafel für m = 7 (Primzahl): 4 quadratische Reste."));
    }

    // The search rewrites no box, so showing the model afterwards must not
    // take back what was typed.
    void typedTextSurvivesASearch_data() {
        QTest::addColumn<QString>("box");
        QTest::newRow("modulus") << "Text2";
        QTest::newRow("factorization") << "Text3";
        QTest::newRow("difference") << "Text5";
    }
    void typedTextSurvivesASearch() {
        QFETCH(QString, box);
        buildFor(*m_form, QStringLiteral("9"));
        typeInto(m_form->findChild<QLineEdit*>(box), QStringLiteral("17"));
        click(*m_form, "Command2");
        QCOMPARE(text(box), QStringLiteral("17"));
        QCOMPARE(board(*m_form)->board().cellCount(), 9);
    }

    void stopButtonAsksTheScanToStop() {
        QVERIFY(!m_form->state().stopRequested);
        QTest::mouseClick(control<QPushButton>(*m_form, "Command4"), Qt::LeftButton);
        QVERIFY(m_form->state().stopRequested);
    }

private:
    QString text(const QString& box) const { return m_form->findChild<QLineEdit*>(box)->text(); }
    QString announced() const { return test::announced(*m_form); }

    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(Form1WiringTest)
#include "form1_wiring_test.moc"
