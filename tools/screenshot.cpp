// Renders the README's screenshot from the real window: creates Form1 on
// Qt's offscreen platform, works it through its own controls the way a
// person would, and saves what it shows as a PNG.
//
//   apqr_screenshot <output.png>          writes the picture
//   apqr_screenshot --check <picture.png> fails when the picture is not
//                                         what the window shows now
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "form1.h"
#include "localization.h"

namespace {

// The state shown: the residues of the prime 193 checked for progressions
// of difference 1, that is, runs of four consecutive residues. Eight rows
// of white, yellow and red cells, the red ones carrying their difference.
constexpr int kModulus = 193;
constexpr int kDifference = 1;

void typeInto(apqr::ui::Form1& form, const char* box, int number) {
    auto* edit = form.findChild<QLineEdit*>(QLatin1String(box));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::number(number));
}

bool anyRed(const apqr::Board& board) {
    return std::ranges::any_of(
        board.cells(), [](const apqr::Cell& cell) { return cell.color == apqr::CellColor::Red; });
}

// The picture, or nothing when the window did not do what was asked: a
// picture of that would mislead.
std::optional<QImage> render() {
    apqr::ui::Form1 form;
    // The window opens smaller than its controls reach; a person enlarges it
    // to see the board whole. The margin on the right and at the bottom
    // matches the one on the left and at the top.
    const QRect controls = form.childrenRect();
    form.resize(controls.right() + 1 + controls.left(), controls.bottom() + 1 + controls.top());
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "apqr_screenshot: the window was not shown\n");
        return std::nullopt;
    }

    typeInto(form, "Text2", kModulus);
    typeInto(form, "Text5", kDifference);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
    // A focused box or button would show its caret or focus frame.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    QApplication::processEvents();

    if (form.board().cellCount() != kModulus || !anyRed(form.board())) {
        std::fprintf(stderr, "apqr_screenshot: the window did not reach the expected state\n");
        return std::nullopt;
    }
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: %s <output.png> | --check <picture.png>\n", argv[0]);
        return 2;
    }
    const char* path = argv[argc - 1];
    // Never a window on someone's desktop; the picture is the same offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    apqr::ui::setUpApplication(app);

    const std::optional<QImage> picture = render();
    if (!picture) return 1;

    if (check) {
        const QImage stored(QString::fromLocal8Bit(path));
        if (stored.isNull()) {
            std::fprintf(stderr, "apqr_screenshot: cannot read %s\n", path);
            return 1;
        }
        if (stored.convertToFormat(QImage::Format_RGB32) != *picture) {
            std::fprintf(stderr,
                         "apqr_screenshot: %s no longer shows the window; "
                         "run scripts/update-screenshot.sh\n",
                         path);
            return 1;
        }
        return 0;
    }
    if (!picture->save(QString::fromLocal8Bit(path), "PNG")) {
        std::fprintf(stderr, "apqr_screenshot: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
