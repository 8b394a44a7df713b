// The set-up main runs before the window: German locale and Qt's German
// texts whatever the environment says, the program's identity, and the
// window icon from the compiled-in SVG.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "application.h"
#include "window/form1.h"

using namespace apqr::ui;

namespace {

// The menu's entries as shown, "&Kopieren\tStrg+C" and so on; separators
// have no text and are left out.
QStringList entries(QLineEdit* box) {
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) texts << action->text();
    }
    return texts;
}

}  // namespace

class LocalizationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // main() below starts the test in the C locale, so anything German
        // afterwards comes from the set-up.
        QVERIFY(QLocale().language() != QLocale::German);
        QLineEdit plain;
        QVERIFY(entries(&plain).contains(QStringLiteral("&Copy\tCtrl+C")));
        setUpApplication(*qApp);
    }

    void defaultLocaleIsGermanGermany() {
        const QLocale locale;
        QCOMPARE(locale.language(), QLocale::German);
        QCOMPARE(locale.territory(), QLocale::Germany);
        QCOMPARE(locale.decimalPoint(), QStringLiteral(","));
    }

    // Every text box of the window, the board's cell editor included, offers
    // Qt's context menu in German, key names too.
    void textBoxContextMenusAreGerman() {
        Form1 form;
        const auto boxes = form.findChildren<QLineEdit*>();
        QVERIFY(boxes.size() >= 4);  // m, d, factorization, cell editor
        const QStringList german{
            QStringLiteral("&Rückgängig\tStrg+Z"),    QStringLiteral("Wieder&herstellen\tStrg+Y"),
            QStringLiteral("&Ausschneiden\tStrg+X"),  QStringLiteral("&Kopieren\tStrg+C"),
            QStringLiteral("Einf&ügen\tStrg+V"),      QStringLiteral("Löschen"),
            QStringLiteral("Alles auswählen\tStrg+A")};
        for (QLineEdit* box : boxes) {
            box->setText(QStringLiteral("12"));
            QCOMPARE(entries(box), german);
        }
    }

    // "OK" reads the same in both languages, so the other standard buttons
    // show whether the box speaks German.
    void messageBoxButtonsAreGerman() {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("apqr"), QStringLiteral("Text"),
                        QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Close |
                            QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(box.button(QMessageBox::Close)->text(), QStringLiteral("Schließen"));
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
    }

    void identityIsSet() {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("apqr"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00"));
        QVERIFY(!QCoreApplication::organizationName().isEmpty());
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("de.apqr.Apqr"));
    }

    // The window's icon is the program's own drawing: a board with yellow
    // and red cells, rendered from the resource without any installed theme.
    void windowIconIsTheProgramsSvg() {
        QVERIFY(QFile::exists(QStringLiteral(":/icons/de.apqr.Apqr.svg")));
        Form1 form;
        const QIcon icon = form.windowIcon();
        QVERIFY(!icon.isNull());
        const QImage image = icon.pixmap(48, 48).toImage();
        QCOMPARE(image.size(), QSize(48, 48));
        int yellow = 0;
        int red = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() < 100) ++yellow;
                if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
            }
        }
        QVERIFY(yellow > 0);
        QVERIFY(red > 0);
    }
};

int main(int argc, char* argv[]) {
    // An English-speaking environment, as on a desktop set to another language.
    qputenv("LC_ALL", "C");
    qputenv("LANGUAGE", "en");
    QApplication app(argc, argv);
    LocalizationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "localization_test.moc"
