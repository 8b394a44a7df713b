#include "window/announcer.h"

#include <QAccessibleWidget>

#include "window/form1.h"

namespace apqr::ui {
namespace {

QAccessibleInterface* rolesFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(Announcer::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    if (key == QLatin1String(Form1::staticMetaObject.className())) {
        // Named by its caption, as Qt names every top-level window.
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    installAccessibleRoles();
    setObjectName(QStringLiteral("announcer"));
    resize(0, 0);
    hide();
}

void Announcer::announce(const QString& message) {
    // Orca presents a notification as it becomes showing, not when its name
    // changes; hidden first, it appears once per message, repeated ones too.
    hide();
    setAccessibleName(message);
    show();
}

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(rolesFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace apqr::ui
