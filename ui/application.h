// The application's set-up before the window: German texts, identity, icon, accessibility.
#pragma once

#include <QIcon>

class QApplication;

namespace apqr::ui {

// The desktop entry's id; the icon in the hicolor theme has the same name.
inline constexpr auto kDesktopId = "de.apqr.Apqr";

// Makes the program German whatever the user's locale: the default QLocale
// becomes German (Germany), and Qt's own German texts (standard buttons,
// the text boxes' context menu, key names) are loaded from Qt's translations
// directory. The translator belongs to the application. Returns whether the
// translations were found; without them Qt's texts stay English.
bool installGermanTexts(QApplication& app);

// The window icon: the program's SVG compiled in as a resource, or, where
// Qt's SVG icon engine is missing, the installed theme icon.
QIcon applicationIcon();

// Name, version, organisation and desktop entry as the desktop and the
// window manager see them, and the window icon.
void setApplicationIdentity(QApplication& app);

// Everything the program sets up before its window is created: the above
// and the interfaces a screen reader gets for our widgets.
void setUpApplication(QApplication& app);

}  // namespace apqr::ui
