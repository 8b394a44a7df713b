// The application's set-up: German texts, identity, icon, accessibility.
#include "application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "accessibility.h"

namespace apqr::ui {

bool installGermanTexts(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Parented to the application so that it lives exactly as long as the
    // texts it translates may be asked for.
    auto* qtTexts = new QTranslator(&app);
    if (!qtTexts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtTexts;
        qWarning(
            "apqr: Die deutschen Texte von Qt (qtbase_de.qm aus qt6-translations-l10n) "
            "fehlen in %s; Schaltflächen und Kontextmenüs bleiben englisch.",
            qUtf8Printable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        return false;
    }
    return QApplication::installTranslator(qtTexts);
}

QIcon applicationIcon() {
    QIcon icon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kDesktopId)));
    if (icon.isNull()) icon = QIcon::fromTheme(QLatin1String(kDesktopId));
    return icon;
}

// The identity belongs to the process; the parameter only makes sure the
// application (which the window icon needs) already exists.
void setApplicationIdentity([[maybe_unused]] QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("apqr"));
    QApplication::setApplicationVersion(QStringLiteral(APQR_VERSION));
    QApplication::setOrganizationName(QStringLiteral("apqr"));
    QApplication::setOrganizationDomain(QStringLiteral("apqr.de"));
    QApplication::setDesktopFileName(QLatin1String(kDesktopId));
    QApplication::setWindowIcon(applicationIcon());
}

void setUpApplication(QApplication& app) {
    setApplicationIdentity(app);
    installGermanTexts(app);
    installAccessibleInterfaces();
}

}  // namespace apqr::ui
