// The accessibility factory for the window, the announcer and the board.
#include "accessibility.h"

#include <QAccessibleWidget>

#include "board/board_accessible.h"
#include "board/board_view.h"
#include "window/announcer.h"
#include "window/form1.h"

namespace apqr::ui {
namespace {

bool is(const QString& key, const QMetaObject& type) {
    return key == QLatin1String(type.className());
}

QAccessibleInterface* factory(const QString& key, QObject* object) {
    if (is(key, BoardView::staticMetaObject)) {
        return makeBoardAccessible(static_cast<BoardView*>(object));
    }
    if (is(key, Announcer::staticMetaObject)) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    if (is(key, Form1::staticMetaObject)) {
        // Named by its caption, as Qt names every top-level window.
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

}  // namespace apqr::ui
