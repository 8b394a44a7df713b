// The painted board: how it scrolls inside its frame, what it paints where,
// the tooltips of its cells and typing into a cell.
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include "board/cell_pixels.h"
#include "form_driver.h"

using namespace apqr;
using namespace apqr::ui;
using namespace apqr::ui::test;

class BoardViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_form = std::make_unique<Form1>();
        m_form->resize(px(15075), px(10755));
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup() { m_form.reset(); }

    void boardStaysAtItsDesignPositionUntilScrolled() {
        QCOMPARE(board(*m_form)->pos(), QPoint(px(-30), px(-30)));
        QCOMPARE(control<QScrollBar>(*m_form, "VScroll3")->value(), 1);
    }

    // Every way of moving VScroll3 puts the board's top at −100 twips per step.
    void scrollBarMovesTheBoard_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("value");
        QTest::newRow("lower arrow at 0") << 0 << "lower arrow" << 1;
        QTest::newRow("upper arrow") << 5 << "upper arrow" << 4;
        QTest::newRow("wheel down over the board") << 5 << "wheel down" << 6;
        QTest::newRow("wheel up over the board") << 5 << "wheel up" << 4;
        QTest::newRow("thumb dragged, not yet released") << 0 << "drag to 30" << 30;
        QTest::newRow("far out of sight before growth") << 0 << "set 1000" << 1000;
    }
    void scrollBarMovesTheBoard() {
        QFETCH(int, start);
        QFETCH(QString, action);
        QFETCH(int, value);
        auto* bar = control<QScrollBar>(*m_form, "VScroll3");
        auto* view = board(*m_form);
        bar->setValue(start);
        if (action == QLatin1String("lower arrow")) clickArrow(bar, Arrow::Lower);
        if (action == QLatin1String("upper arrow")) clickArrow(bar, Arrow::Upper);
        if (action.startsWith(QLatin1String("wheel"))) {
            const int notch = action.endsWith(QLatin1String("down")) ? -120 : 120;
            const QPointF at = view->cellRect(0).center();
            QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, notch}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view, &wheel);
        }
        if (action.startsWith(QLatin1String("drag"))) {
            bar->setSliderDown(true);
            bar->setSliderPosition(30);
        }
        if (action == QLatin1String("set 1000")) bar->setValue(1000);

        QCOMPARE(bar->value(), value);
        QCOMPARE(view->y(), px(-100.0 * value));
        QCOMPARE(view->x(), px(-30));
    }

    // The board grows by a fifth once a row no longer fits; the scroll range
    // follows it and never shrinks back.
    void rangeFollowsTheBoardHeight_data() {
        QTest::addColumn<QStringList>("moduli");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<double>("heightTwips");
        QTest::newRow("three rows fit") << QStringList{"75"} << 1000 << 1875.0;
        QTest::newRow("fourth row grows it") << QStringList{"76"} << 22 << 2250.0;
        QTest::newRow("kept for a smaller modulus") << QStringList{"76", "5"} << 22 << 2250.0;
    }
    void rangeFollowsTheBoardHeight() {
        QFETCH(QStringList, moduli);
        QFETCH(int, maximum);
        QFETCH(double, heightTwips);
        for (const QString& modulus : moduli) buildFor(*m_form, modulus);
        auto* bar = control<QScrollBar>(*m_form, "VScroll3");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), maximum);
        QCOMPARE(board(*m_form)->height(), px(heightTwips));
        bar->setValue(maximum);
        QCOMPARE(board(*m_form)->y(), px(-100.0 * maximum));
    }

    // Cells far down the board are painted in their colours once exposed,
    // whichever rows the exposed band cuts.
    void distantCellsArePaintedInTheirColours() {
        control<QScrollBar>(*m_form, "VScroll1")->setValue(3000);
        auto* view = board(*m_form);
        const Board& model = view->board();
        QCOMPARE(model.cellCount(), 3000);
        for (int index : {0, 24, 25, 1500, 2974, 2975, 2999}) {
            const auto expected = colorOf(model.cell(index).color);
            QCOMPARE(paintedColor(view, index), expected);
        }
    }

    // Painting at one pixel ratio and then at another, as when the window
    // moves to a screen of another scale, gives the very pixels a fresh
    // painter gives; and each cell covers the device pixels a fill of it
    // covers, to the last one, where a fractional ratio rounds them.
    void facesFollowThePixelRatio_data() {
        QTest::addColumn<qreal>("first");
        QTest::addColumn<qreal>("then");
        QTest::newRow("1, then 2") << 1.0 << 2.0;
        QTest::newRow("1, then 1.5") << 1.0 << 1.5;
    }
    void facesFollowThePixelRatio() {
        QFETCH(qreal, first);
        QFETCH(qreal, then);
        buildFor(*m_form, QStringLiteral("30"));
        const Board& model = board(*m_form)->board();
        const QRect area = board(*m_form)->cellRect(0).united(board(*m_form)->cellRect(29));
        BoardPainter moved = testPainter();
        paintAt(moved, model, area, first);
        const QImage painted = paintAt(moved, model, area, then);
        BoardPainter fresh = testPainter();
        QCOMPARE(painted, paintAt(fresh, model, area, then));

        QImage cells(painted.size(), QImage::Format_ARGB32_Premultiplied);
        cells.setDevicePixelRatio(then);
        cells.fill(kPanel);
        {
            QPainter filler(&cells);
            filler.translate(-area.topLeft());
            for (const Cell& cell : model.cells()) {
                if (cell.visible) filler.fillRect(cellPixelRect(cell), Qt::black);
            }
        }
        for (int y = 0; y < painted.height(); ++y) {
            for (int x = 0; x < painted.width(); ++x) {
                const bool face = painted.pixelColor(x, y) != kPanel;
                const bool cell = cells.pixelColor(x, y) == Qt::black;
                if (face != cell)
                    QFAIL(qPrintable(QStringLiteral("device pixel %1, %2").arg(x).arg(y)));
            }
        }
    }

    void hoveringACellShowsItsIndex_data() {
        QTest::addColumn<QPointF>("twips");  // a point inside the board
        QTest::addColumn<QString>("tip");    // empty: none
        QTest::newRow("cell 0") << QPointF(700, 700) << "0";
        QTest::newRow("cell 1, moved at load") << QPointF(1160, 700) << "1";
        QTest::newRow("gap between 0 and 1") << QPointF(1115, 700) << "";
        QTest::newRow("cell 24") << QPointF(600 + 24 * 544.5 + 200, 700) << "24";
        QTest::newRow("cell 25, next row") << QPointF(700, 1012.5 + 100) << "25";
        QTest::newRow("beyond the last cell") << QPointF(600 + 5 * 544.5 + 200, 1112.5) << "";
        QTest::newRow("on a header label") << QPointF(700, 300) << "";
    }
    void hoveringACellShowsItsIndex() {
        QFETCH(QPointF, twips);
        QFETCH(QString, tip);
        buildFor(*m_form, QStringLiteral("30"));
        auto* view = board(*m_form);
        const QPoint at(px(twips.x()), px(twips.y()));
        QToolTip::hideText();
        QWidget* target = view->childAt(at) != nullptr ? view->childAt(at) : view;
        QHelpEvent help(QEvent::ToolTip, target->mapFrom(view, at), view->mapToGlobal(at));
        QApplication::sendEvent(target, &help);
        // A tip being taken away lingers for a moment.
        QTRY_COMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    }

    // Typing goes into the model; the next rebuild empties the cell again,
    // except cells 0 and 1 when the modulus is 2.
    void typingIntoACell_data() {
        QTest::addColumn<QString>("modulus");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("afterRebuild");
        QTest::newRow("cell 3 of 5") << "5" << 3 << "";
        QTest::newRow("cell 0 of 5") << "5" << 0 << "";
        QTest::newRow("cell 1 of 2 keeps it") << "2" << 1 << "42";
    }
    void typingIntoACell() {
        QFETCH(QString, modulus);
        QFETCH(int, cell);
        QFETCH(QString, afterRebuild);
        buildFor(*m_form, modulus);
        auto* view = board(*m_form);
        const QRect box = view->cellRect(cell);
        QTest::mouseClick(view, Qt::LeftButton, {}, box.center());
        auto* editor = view->editor();
        QVERIFY(editor->isVisible());
        QVERIFY(box.contains(editor->geometry()));
        QCOMPARE(QFontInfo(editor->font()).pixelSize(), 11);  // 8.25 pt, as the cells
        QCOMPARE(editor->alignment(), Qt::AlignCenter);

        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("42"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->isVisible());
        QCOMPARE(view->board().cell(cell).text, "42");
        QVERIFY(showsText(view, cell));

        click(*m_form, "Command3");
        QCOMPARE(QString::fromStdString(view->board().cell(cell).text), afterRebuild);
        QCOMPARE(showsText(view, cell), !afterRebuild.isEmpty());
    }

    void editorTakesTheCellsColour() {
        buildFor(*m_form, QStringLiteral("9"));
        click(*m_form, "Command2");  // cell 4 turns red
        auto* view = board(*m_form);
        QTest::mouseClick(view, Qt::LeftButton, {}, view->cellRect(4).center());
        auto* editor = view->editor();
        QCOMPARE(editor->text(), QStringLiteral("3"));
        QCOMPARE(editor->grab().toImage().pixelColor(1, 1), colorOf(CellColor::Red));
    }

private:
    // A panel colour that no face, edge or text pixel has.
    static constexpr QColor kPanel{0, 128, 0};

    static BoardPainter testPainter() {
        QPalette palette;
        palette.setColor(QPalette::Window, kPanel);
        BoardPainter painter;
        painter.takeColorsFrom(palette);
        painter.setCellStyle(QApplication::font(), Qt::AlignCenter);
        return painter;
    }

    // The cells within `area` and the mark of cell 27, at `ratio`.
    static QImage paintAt(BoardPainter& painter, const Board& model, const QRect& area,
                          qreal ratio) {
        QImage image(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        QPainter on(&image);
        on.translate(-area.topLeft());
        painter.paint(on, area, model, 27);
        return image;
    }

    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(BoardViewTest)
#include "board_view_test.moc"
