// Renders the README's screenshot from the real window: creates Form1 on
// Qt's offscreen platform, works it through its own controls the way a
// person would, and saves what it shows as a PNG.
//
//   apqr_screenshot [--dark] <output.png>          writes the picture
//   apqr_screenshot [--dark] --check <picture.png> fails when the picture is
//                                                  not what the window shows
//
// --dark shows the window under a dark colour scheme, as a desktop with
// GNOME's Adwaita dark gives it.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "application.h"
#include "window/form1.h"

namespace {

// The state shown: the residues of the prime 193 checked for progressions
// of difference 1, that is, runs of four consecutive residues. Eight rows
// of white, yellow and red cells, the red ones carrying their difference.
constexpr int kModulus = 193;
constexpr int kDifference = 1;
constexpr int kNoteCell = 4;  // yellow: 2² is a residue, 5 and 6 are not

void typeInto(apqr::ui::Form1& form, const char* box, int number) {
    auto* edit = form.findChild<QLineEdit*>(QLatin1String(box));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::number(number));
}

// The colours Qt takes from Adwaita dark through its GTK platform theme,
// as far as the window uses them.
QPalette adwaitaDark() {
    QPalette p(QColor(53, 53, 53), QColor(36, 36, 36));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        p.setColor(role, QColor(255, 255, 255));
    }
    p.setColor(QPalette::Highlight, QColor(53, 132, 228));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(36, 36, 36));
    p.setColor(QPalette::ToolTipText, Qt::white);
    return p;
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
    // A note typed into a yellow cell, as a person might keep one.
    auto* board = form.findChild<QWidget*>(QStringLiteral("picTafel"));
    board->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < kNoteCell; ++i) QTest::keyClick(board, Qt::Key_Right);
    // The first key opens the cell's editor, the others go where the focus
    // then is.
    for (const QChar c : QStringLiteral("Wort")) {
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // A focused box or button would show its caret or focus frame.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    QApplication::processEvents();

    if (form.board().cellCount() != kModulus || !anyRed(form.board()) ||
        form.board().cell(kNoteCell).text != "Wort") {
        std::fprintf(stderr, "apqr_screenshot: the window did not reach the expected state\n");
        return std::nullopt;
    }
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char* argv[]) {
    bool check = false;
    bool dark = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--check") {
            check = true;
        } else if (arg == "--dark") {
            dark = true;
        } else if (path == nullptr && !arg.starts_with("--")) {
            path = argv[i];
        } else {
            path = nullptr;
            break;
        }
    }
    if (path == nullptr) {
        std::fprintf(stderr, "usage: %s [--dark] [--check] <picture.png>\n", argv[0]);
        return 2;
    }
    // Never a window on someone's desktop; the picture is the same offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    apqr::ui::setUpApplication(app);
    if (dark) QApplication::setPalette(adwaitaDark());

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
