#pragma once

#include <QWidget>

namespace apqr::ui {

// Tells a screen reader the outcome of an action without moving the focus
// and without showing anything: a widget of no size whose accessible role is
// a notification, named by the message. Orca speaks a notification when it
// appears, so each message makes it appear anew. A sighted user sees the
// outcome on the board already.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);
};

// The roles Qt cannot guess for our own widgets: the announcer is a
// notification, and the window a main window (a frame), not mere layout.
// Once is enough; further calls do nothing.
void installAccessibleRoles();

}  // namespace apqr::ui
