#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("apqr"));
    QApplication::setApplicationVersion(QStringLiteral(APQR_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("de.apqr.Apqr"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("de.apqr.Apqr")));

    // The program speaks German whatever the locale, Qt's own texts (the
    // warning box's button, the text boxes' context menu) included.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    apqr::ui::Form1 form;
    form.show();
    return QApplication::exec();
}
