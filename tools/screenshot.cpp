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
//
// The picture carries, as PNG text, the window it shows in words (every
// control's place, text, colours and font, every cell's colour and text)
// and a fingerprint of how this machine renders text and controls. The
// check compares the words always. It compares every pixel only where the
// fingerprint matches: another release's fonts and style draw the same
// window a little differently. There it allows the few pixels those differ
// in, far fewer than a window drawn differently changes.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>
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

const QString kWindowKey = QStringLiteral("apqr-window");
const QString kRenderingKey = QStringLiteral("apqr-rendering");
// Share of the pixels that may differ where the fingerprints do not match.
// Debian 12 and 13 draw the two pictures 0.3 and 0.5 % apart (glyph shapes,
// a scroll bar's outline); recolouring the red cells alone changes almost
// 3 %, a cell edge drawn otherwise more.
constexpr double kForeignPixelShare = 0.01;

QString fontWords(const QFont& font) {
    const QString size = font.pixelSize() > 0 ? QStringLiteral("%1px").arg(font.pixelSize())
                                              : QStringLiteral("%1pt").arg(font.pointSizeF());
    return QStringLiteral("%1 %2 %3%4")
        .arg(font.family(), size)
        .arg(font.weight())
        .arg(font.italic() ? QStringLiteral(" italic") : QString());
}

// The window in words: what it shows, independent of how glyphs and the
// style's lines come out on this machine.
QString describe(const apqr::ui::Form1& form) {
    QString words;
    QTextStream out(&words);
    out << "window " << form.width() << 'x' << form.height() << '\n';
    for (const QWidget* widget : form.findChildren<QWidget*>()) {
        // A widget of no size shows nothing, whether shown or not.
        if (!widget->isVisibleTo(&form) || widget->size().isEmpty()) continue;
        const QPoint at = widget->mapTo(&form, QPoint(0, 0));
        const QPalette& palette = widget->palette();
        out << widget->metaObject()->className() << ' ' << widget->objectName() << " at " << at.x()
            << ',' << at.y() << ' ' << widget->width() << 'x' << widget->height() << " colours "
            << palette.color(widget->backgroundRole()).name() << ' '
            << palette.color(widget->foregroundRole()).name() << " font "
            << fontWords(widget->font());
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            out << " text " << label->text();
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            out << " text " << edit->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            out << " text " << button->text();
        } else if (const auto* slider = qobject_cast<const QAbstractSlider*>(widget)) {
            out << " range " << slider->minimum() << ' ' << slider->maximum() << " value "
                << slider->value();
        }
        out << '\n';
    }
    for (const apqr::Cell& cell : form.board().cells()) {
        out << "cell " << cell.index << ' ' << static_cast<int>(cell.color) << ' '
            << (cell.visible ? "shown" : "hidden") << ' ' << QString::fromStdString(cell.text)
            << '\n';
    }
    return words;
}

// How this machine draws: the Qt release (its style's lines) and each of the
// window's fonts as the font engine renders a sample of it.
QString renderingFingerprint(const apqr::ui::Form1& form) {
    std::set<QString> fonts;
    QList<QFont> samples;
    for (const QWidget* widget : form.findChildren<QWidget*>()) {
        if (fonts.insert(fontWords(widget->font())).second) samples.append(widget->font());
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QFont& font : samples) {
        QImage sample(160, 40, QImage::Format_RGB32);
        sample.fill(Qt::white);
        QPainter painter(&sample);
        painter.setFont(font);
        painter.drawText(sample.rect(), Qt::AlignCenter, QStringLiteral("m = 193 prüfen QR"));
        painter.end();
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(sample.constBits()),
                                    sample.sizeInBytes()));
    }
    return QStringLiteral("Qt %1, fonts %2")
        .arg(QString::fromLatin1(qVersion()), QString::fromLatin1(hash.result().toHex().left(16)));
}

struct Picture {
    QImage image;
    QString words;
    QString rendering;
};

// The picture, or nothing when the window did not do what was asked: a
// picture of that would mislead.
std::optional<Picture> render() {
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
    return Picture{form.grab().toImage().convertToFormat(QImage::Format_RGB32), describe(form),
                   renderingFingerprint(form)};
}

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) count += rowA[x] != rowB[x] ? 1 : 0;
    }
    return count;
}

// Whether the stored picture still shows the window; says why not.
bool stillShows(const QImage& storedFile, const Picture& now, const char* path) {
    const QImage stored = storedFile.convertToFormat(QImage::Format_RGB32);
    const auto fail = [path](const char* why) {
        std::fprintf(stderr,
                     "apqr_screenshot: %s no longer shows the window (%s); "
                     "run scripts/update-screenshot.sh\n",
                     path, why);
        return false;
    };
    if (storedFile.text(kWindowKey) != now.words) return fail("its controls or cells differ");
    if (stored.size() != now.image.size()) return fail("its size differs");
    const int differing = differingPixels(stored, now.image);
    const QString storedRendering = storedFile.text(kRenderingKey);
    if (storedRendering == now.rendering) {
        return differing == 0 || fail("its pixels differ");
    }
    const double share =
        static_cast<double>(differing) / (static_cast<double>(stored.width()) * stored.height());
    std::printf(
        "apqr_screenshot: %s was drawn by %s, this machine draws with %s: "
        "%.2f %% of the pixels differ, up to %.0f %% allowed\n",
        path, qPrintable(storedRendering), qPrintable(now.rendering), 100 * share,
        100 * kForeignPixelShare);
    return share <= kForeignPixelShare || fail("too many of its pixels differ");
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

    std::optional<Picture> picture = render();
    if (!picture) return 1;

    if (check) {
        const QImage stored(QString::fromLocal8Bit(path));
        if (stored.isNull()) {
            std::fprintf(stderr, "apqr_screenshot: cannot read %s\n", path);
            return 1;
        }
        return stillShows(stored, *picture, path) ? 0 : 1;
    }
    picture->image.setText(kWindowKey, picture->words);
    picture->image.setText(kRenderingKey, picture->rendering);
    if (!picture->image.save(QString::fromLocal8Bit(path), "PNG")) {
        std::fprintf(stderr, "apqr_screenshot: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
