// The announcer: the notification that tells a screen reader how an action ended.
#pragma once

#include <QWidget>

namespace apqr::ui {

// Tells a screen reader the outcome of an action without moving the focus
// and without showing anything: a widget of no size whose accessible role is
// a notification, named by the message. Orca speaks a notification when it
// appears, so each message makes it appear anew (its role comes from
// accessibility.h). A sighted user sees the outcome on the board already.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);
};

}  // namespace apqr::ui
