// The announcer: tells a screen reader how an action ended.
#include "window/announcer.h"

#include <QAccessible>

namespace apqr::ui {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("announcer"));
    resize(0, 0);
    hide();
}

void Announcer::announce(const QString& message) {
    m_lastMessage = message;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(this, message);
    QAccessible::updateAccessibility(&announcement);
#else
    // Orca presents a notification as it becomes showing, not when its name
    // changes; hidden first, it appears once per message, repeated ones too.
    hide();
    setAccessibleName(message);
    show();
#endif
}

}  // namespace apqr::ui
