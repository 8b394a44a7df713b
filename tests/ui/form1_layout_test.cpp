// The window as it opens: where its controls stand, what they say, and the
// state the load action leaves behind.
#include <QLabel>

#include "form_driver.h"

using namespace apqr;
using namespace apqr::ui;
using namespace apqr::ui::test;

class Form1LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_form = openForm(); }
    void cleanup() { m_form.reset(); }

    void windowOpensWithCaptionAndClientArea() {
        QCOMPARE(
            m_form->windowTitle(),
            QString::fromUtf8("Arithmetische Progressionen in den quadratischen Resten modulo m"));
        QCOMPARE(m_form->size(), QSize(px(4680), px(3195)));
    }

    // Positions as seen in the window, in twips from its client origin;
    // controls inside the board frame add the frame's position and edge.
    void controlsStandWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips");
        QTest::newRow("Text2") << "Text2" << QRectF(930, 420, 855, 435);
        QTest::newRow("VScroll1") << "VScroll1" << QRectF(1770, 90, 375, 1095);
        QTest::newRow("VScroll2") << "VScroll2" << QRectF(3300, 90, 345, 1095);
        QTest::newRow("Text3") << "Text3" << QRectF(5070, 420, 3255, 435);
        QTest::newRow("Command4") << "Command4" << QRectF(14610, 480, 465, 405);
        QTest::newRow("piccontainer") << "piccontainer" << QRectF(270, 1200, 14775, 9555);
        QTest::newRow("VScroll3") << "VScroll3" << QRectF(270 + 30 + 14280, 1200 + 30, 495, 9465);
        QTest::newRow("picTafel") << "picTafel"
                                  << QRectF(270 + 30 - 30, 1200 + 30 - 30, 14145, 1875);
        QTest::newRow("column header 24")
            << "Label1(24)" << QRectF(300 - 30 + 600 + 24 * 544.5, 1230 - 30 + 240, 375, 255);
        QTest::newRow("row header 20")
            << "Label2(20)" << QRectF(300 - 30, 1230 - 30 + 720 + 20 * 412.5, 375, 255);
    }
    void controlsStandWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        const auto* widget = m_form->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        const QPoint topLeft = widget->mapTo(m_form.get(), QPoint(0, 0));
        QCOMPARE(QRect(topLeft, widget->size()),
                 QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height())));
    }

    void controlsShowTheirTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("Label3") << "Label3"
                                << "m ="
                                << "";
        QTest::newRow("Text2") << "Text2"
                               << "2"
                               << "Modul hier einstellen oder eintragen";
        QTest::newRow("Text3") << "Text3"
                               << ""
                               << "";
        QTest::newRow("Text5") << "Text5"
                               << "2"
                               << "konstante Differenz der arithm. Progression";
        QTest::newRow("Command5") << "Command5" << QString::fromUtf8("prüfen")
                                  << "arithmetische Progression mit nebenstehendem d suchen";
        QTest::newRow("Command3") << "Command3"
                                  << "QR"
                                  << "Quadratische Reste gelb markieren";
        QTest::newRow("Command2") << "Command2"
                                  << "arithm. Progression suchen"
                                  << "sucht arithm. Progression mit minimalem d";
        QTest::newRow("Command1") << "Command1"
                                  << QString::fromUtf8("nächster Modul mit nur trivialer Progr.")
                                  << "";
        QTest::newRow("Command4") << "Command4"
                                  << ""
                                  << "anhalten";
    }
    void controlsShowTheirTexts() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        const auto* widget = m_form->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->property("text").toString(), text);
        QCOMPARE(widget->toolTip(), toolTip);
    }

    void textBoxesUseTheirFonts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Text2 is bold") << "Text2" << true;
        QTest::newRow("Text3") << "Text3" << false;
        QTest::newRow("Text5") << "Text5" << false;
    }
    void textBoxesUseTheirFonts() {
        QFETCH(QString, name);
        QFETCH(bool, bold);
        const QFontInfo font(m_form->findChild<QWidget*>(name)->font());
        QCOMPARE(font.pixelSize(), 19);  // 14.25 pt at 96 dpi
        QCOMPARE(font.bold(), bold);
        QVERIFY2(font.family().contains(QLatin1String("Serif")) ||
                     font.family() == QLatin1String("Times New Roman"),
                 qPrintable(font.family()));
    }

    // The graphical buttons and the modulus box show their own colours, not
    // the style's.
    void colouredControlsPaintTheirColour_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("color");
        QTest::newRow("Command2") << "Command2" << QColor(128, 128, 255);
        QTest::newRow("Command1") << "Command1" << QColor(255, 255, 128);
        QTest::newRow("Text2") << "Text2" << QColor(255, 0, 0);
        QTest::newRow("piccontainer") << "piccontainer" << QColor(224, 224, 224);
    }
    void colouredControlsPaintTheirColour() {
        QFETCH(QString, name);
        QFETCH(QColor, color);
        auto* widget = m_form->findChild<QWidget*>(name);
        // Just inside the edge, above any centred caption.
        QCOMPARE(widget->grab().toImage().pixelColor(3, 3), color);
    }

    void stopButtonShowsTheStopSign() {
        const QImage face = control<QWidget>(*m_form, "Command4")->grab().toImage();
        QMap<QRgb, int> pixels;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) ++pixels[face.pixel(x, y)];
        }
        QVERIFY(pixels.value(qRgb(255, 0, 0)) > 100);     // the octagon's field
        QVERIFY(pixels.value(qRgb(192, 192, 192)) > 20);  // the corners
        QVERIFY(pixels.value(qRgb(255, 255, 255)) > 20);  // the rim
        QVERIFY(pixels.value(qRgb(0, 0, 0)) > 60);        // outlines and letters
    }

    void headerLabelsCarryColumnsAndRowStarts() {
        auto* view = board(*m_form);
        for (int j = 0; j <= 24; ++j) {
            const auto* label = view->findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(j));
            QVERIFY(label != nullptr);
            QCOMPARE(label->text(), QString::number(j));
        }
        for (int r = 0; r <= 20; ++r) {
            const auto* label = view->findChild<QLabel*>(QStringLiteral("Label2(%1)").arg(r));
            QVERIFY(label != nullptr);
            QCOMPARE(label->text(), QString::number(25 * r));
        }
        // Rows 0 … 2 fit the board's first 1875 twips; the header of row 3 is
        // below them until the board grows.
        QVERIFY(control<QLabel>(*view, "Label2(2)")->geometry().bottom() < view->height());
        QVERIFY(control<QLabel>(*view, "Label2(3)")->y() >= view->height());
    }

    void loadMovesCellOneBesideCellZero() {
        auto* view = board(*m_form);
        QCOMPARE(view->board().cell(1).left, 1144.5F);
        QCOMPARE(view->cellRect(1).topLeft(), QPoint(px(1144.5), px(600)));
        QCOMPARE(view->cellRect(0).topLeft(), QPoint(px(600), px(600)));
        // Before any rebuild both show their design texts on the ordinary
        // text-box background.
        for (int index : {0, 1}) {
            QCOMPARE(view->board().cell(index).text, std::to_string(index));
            QVERIFY(showsText(view, index));
            QCOMPARE(paintedColor(view, index), view->palette().color(QPalette::Base));
        }
        QCOMPARE(view->board().cellCount(), 2);
    }

    void tabWalksTheLayoutOrder() {
        // The board is one stop for all its cells, where its cells stand.
        const QStringList expected{"Text2",    "Command3", "VScroll1", "Command1",
                                   "Text3",    "Text5",    "VScroll2", "Command2",
                                   "Command4", "picTafel", "VScroll3", "Command5"};
        QStringList chain;
        QWidget* widget = control<QWidget>(*m_form, "Text2");
        do {
            if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus)) {
                chain << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget->objectName() != QLatin1String("Text2"));
        QCOMPARE(chain, expected);
    }

private:
    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
