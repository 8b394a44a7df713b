// Text on a fixed background stays readable whatever colour scheme the
// desktop has: measured from the window's own pixels, as WCAG 2 contrast
// between each text and the background it stands on, under a light, a dark
// and a high-contrast palette, and after switching palettes while running.
#include <QLabel>
#include <limits>
#include <tuple>
#include <utility>

#include "form_driver.h"

using namespace apqr;
using namespace apqr::ui;
using namespace apqr::ui::test;

namespace {

QPalette darkPalette() {
    QPalette p(QColor(50, 50, 50), QColor(42, 42, 42));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    // The sunken edges as qt6-gtk-platformtheme draws them under Adwaita
    // dark: all four lines nearly black.
    p.setColor(QPalette::Light, QColor(0x4b, 0x4b, 0x4b));
    p.setColor(QPalette::Midlight, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::Dark, QColor(0x21, 0x21, 0x21));
    p.setColor(QPalette::Shadow, QColor(0x19, 0x19, 0x19));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        p.setColor(role, QColor(230, 230, 230));
    }
    p.setColor(QPalette::Highlight, QColor(53, 132, 228));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

QPalette highContrastPalette() {
    QPalette p(Qt::black, Qt::black);
    p.setColor(QPalette::Base, Qt::black);
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        p.setColor(role, Qt::white);
    }
    p.setColor(QPalette::Highlight, Qt::yellow);
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

// The strongest contrast any pixel of the region has against the
// background: for a region holding text, the contrast of its ink.
double inkContrast(const QImage& image, const QRect& region, const QColor& background) {
    double best = 1;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            best = std::max(best, contrastRatio(image.pixelColor(x, y), background));
        }
    }
    return best;
}

// A text and the background it is drawn on, as the window shows them.
struct Sample {
    QString what;
    QImage image;
    QRect text;  // where the text lies
    QColor background;
    // WCAG 2 asks 4.5 : 1 of text, 3 : 1 of large text (14 pt bold and up).
    double minimum = 4.5;
};

}  // namespace

class ColorSchemeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_light = QApplication::palette(); }
    void cleanup() {
        m_form.reset();
        QApplication::setPalette(m_light);
    }

    void fixedBackgroundsKeepTheirTextReadable_data() { addSchemes(); }
    void fixedBackgroundsKeepTheirTextReadable() {
        QFETCH(QPalette, scheme);
        QApplication::setPalette(scheme);
        openChecked193();
        verifyReadable(samples());
    }

    // A scheme switched while the program runs takes effect at once, for
    // the fixed texts and for the default cells that follow the scheme.
    void aSchemeSwitchedAtRunTimeTakesEffect() {
        m_form = openForm();
        QApplication::setPalette(darkPalette());
        QApplication::processEvents();
        auto* view = board(*m_form);
        QCOMPARE(paintedColor(view, 0), QColor(30, 30, 30));
        std::vector<Sample> checked = headerSamples();
        checked.push_back(cellSample(0, QStringLiteral("default cell 0")));
        // Its editor is an ordinary box of the new scheme too.
        QTest::mouseClick(view, Qt::LeftButton, {}, view->cellRect(1).center());
        const QImage editor = view->editor()->grab().toImage();
        QCOMPARE(editor.pixelColor(1, 1), QColor(30, 30, 30));
        checked.push_back({QStringLiteral("editor over default cell 1"), editor, editor.rect(),
                           editor.pixelColor(1, 1)});
        verifyReadable(checked);

        QApplication::setPalette(highContrastPalette());
        QApplication::processEvents();
        QCOMPARE(paintedColor(view, 1), QColor(Qt::black));
        verifyReadable(headerSamples());
    }

    // The current cell's mark is its two-pixel edge and the line just inside
    // it. Every one of those pixels must differ from the same pixel of the
    // unmarked cell by 3 : 1 at least, on each cell colour and in each
    // scheme; a dark scheme draws the edge nearly black.
    void theCurrentCellStandsOut_data() {
        QTest::addColumn<QPalette>("scheme");
        QTest::addColumn<CellColor>("color");
        QTest::addColumn<int>("cell");  // of that colour: m = 9 after a search
        const std::tuple<const char*, CellColor, int> cells[] = {{"default", CellColor::Default, 0},
                                                                 {"white", CellColor::White, 2},
                                                                 {"yellow", CellColor::Yellow, 0},
                                                                 {"red", CellColor::Red, 4}};
        for (const auto& [scheme, palette] : schemes()) {
            for (const auto& [name, color, cell] : cells) {
                QTest::addRow("%s, %s", scheme, name) << palette << color << cell;
            }
        }
    }
    void theCurrentCellStandsOut() {
        QFETCH(QPalette, scheme);
        QFETCH(CellColor, color);
        QFETCH(int, cell);
        QApplication::setPalette(scheme);
        m_form = openForm();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        // Only the board of start-up has cells in the default colour.
        if (color != CellColor::Default) {
            buildFor(*m_form, QStringLiteral("9"));
            click(*m_form, "Command2");
        }
        QCOMPARE(m_form->board().cell(cell).color, color);

        auto* view = board(*m_form);
        view->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < cell; ++i) QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(view->currentCell(), cell);
        const QImage focused = view->grab(view->cellRect(cell)).toImage();
        control<QWidget>(*m_form, "Text2")->setFocus();
        const QImage unfocused = view->grab(view->cellRect(cell)).toImage();

        const int depth = static_cast<int>(3 * focused.devicePixelRatio());
        double weakest = std::numeric_limits<double>::max();
        QPoint where;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                const int fromEdge =
                    std::min({x, y, focused.width() - 1 - x, focused.height() - 1 - y});
                if (fromEdge >= depth) continue;
                const double ratio =
                    contrastRatio(focused.pixelColor(x, y), unfocused.pixelColor(x, y));
                if (ratio < weakest) {
                    weakest = ratio;
                    where = {x, y};
                }
            }
        }
        QVERIFY2(weakest >= 3, qPrintable(QStringLiteral("%1 : 1 at (%2, %3), %4 over %5")
                                              .arg(weakest, 0, 'f', 2)
                                              .arg(where.x())
                                              .arg(where.y())
                                              .arg(focused.pixelColor(where).name())
                                              .arg(unfocused.pixelColor(where).name())));
    }

    // Where a graphical button shows its focus, each dot of the frame stands
    // out from the colour under it.
    void focusFramesStayVisible_data() { addSchemes(); }
    void focusFramesStayVisible() {
        QFETCH(QPalette, scheme);
        QApplication::setPalette(scheme);
        m_form = openForm();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));

        for (const char* name : {"Command2", "Command1", "Command4"}) {
            auto* button = control<QWidget>(*m_form, name);
            const QImage unfocused = button->grab().toImage();
            button->setFocus(Qt::TabFocusReason);
            const QImage focused = button->grab().toImage();
            // The frame's dots are where the two pictures differ; each must
            // stand out from the pixel it covers.
            double best = 1;
            for (int y = 0; y < focused.height(); ++y) {
                for (int x = 0; x < focused.width(); ++x) {
                    if (focused.pixel(x, y) == unfocused.pixel(x, y)) continue;
                    best = std::max(
                        best, contrastRatio(focused.pixelColor(x, y), unfocused.pixelColor(x, y)));
                }
            }
            QVERIFY2(best >= 3, name);
        }
    }

private:
    [[nodiscard]] std::vector<std::pair<const char*, QPalette>> schemes() const {
        return {
            {"light", m_light}, {"dark", darkPalette()}, {"high contrast", highContrastPalette()}};
    }

    void addSchemes() const {
        QTest::addColumn<QPalette>("scheme");
        for (const auto& [name, palette] : schemes()) QTest::newRow(name) << palette;
    }

    // The README's state: m = 193 checked with d = 1, so red cells carry
    // "1", and a word typed into a yellow and into a white cell.
    void openChecked193() {
        m_form = openForm();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        typeInto(control<QLineEdit>(*m_form, "Text2"), QStringLiteral("193"));
        typeInto(control<QLineEdit>(*m_form, "Text5"), QStringLiteral("1"));
        click(*m_form, "Command5");
        const Board& model = m_form->board();
        QCOMPARE(model.cell(0).color, CellColor::Red);
        QCOMPARE(model.cell(4).color, CellColor::Yellow);
        QCOMPARE(model.cell(5).color, CellColor::White);
        for (const int index : {4, 5}) {
            QTest::mouseClick(board(*m_form), Qt::LeftButton, {},
                              board(*m_form)->cellRect(index).center());
            QTest::keyClicks(board(*m_form)->editor(), QStringLiteral("Wort"));
            QTest::keyClick(board(*m_form)->editor(), Qt::Key_Return);
        }
    }

    std::vector<Sample> headerSamples() const {
        std::vector<Sample> result;
        for (QLabel* label : board(*m_form)->findChildren<QLabel*>()) {
            const QImage image = label->grab().toImage();
            result.push_back({label->objectName(), image, image.rect(), image.pixelColor(0, 0)});
        }
        return result;
    }

    Sample cellSample(int index, const QString& what) const {
        auto* view = board(*m_form);
        const QImage image = view->grab(view->cellRect(index)).toImage();
        // Inside the two-pixel edge; the fill is read beside the centred text.
        return {what, image, image.rect().adjusted(2, 2, -3, -3), image.pixelColor(3, 3)};
    }

    Sample boxSample(const char* name) const {
        const QImage image = control<QWidget>(*m_form, name)->grab().toImage();
        // The centred text, clear of the frame, which must not stand in for
        // it; the fill is read at the left.
        const QRect middle(image.width() / 8, image.height() / 4, image.width() * 3 / 4,
                           image.height() / 2);
        return {QString::fromLatin1(name), image, middle, image.pixelColor(4, image.height() / 2)};
    }

    std::vector<Sample> samples() const {
        std::vector<Sample> result = headerSamples();
        result.push_back(boxSample("Command2"));
        result.push_back(boxSample("Command1"));
        // 14.25 pt bold is large text. White on the layout's red reaches 4.0
        // : 1; more would take changing one of the two colours it fixes.
        Sample modulus = boxSample("Text2");
        modulus.minimum = 3;
        result.push_back(modulus);
        result.push_back(cellSample(0, QStringLiteral("red cell with its difference")));
        result.push_back(cellSample(4, QStringLiteral("yellow cell with a word")));
        result.push_back(cellSample(5, QStringLiteral("white cell with a word")));
        return result;
    }

    static void verifyReadable(const std::vector<Sample>& samples) {
        QVERIFY(!samples.empty());
        for (const Sample& s : samples) {
            const double ratio = inkContrast(s.image, s.text, s.background);
            QVERIFY2(ratio >= s.minimum, qPrintable(QStringLiteral("%1: %2 : 1 on %3")
                                                        .arg(s.what)
                                                        .arg(ratio, 0, 'f', 2)
                                                        .arg(s.background.name())));
        }
    }

    QPalette m_light;
    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(ColorSchemeTest)
#include "color_scheme_test.moc"
