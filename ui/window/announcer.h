// The announcer: tells a screen reader how an action ended.
#pragma once

#include <QWidget>

namespace apqr::ui {

// Tells a screen reader the outcome of an action once, without moving the
// focus and without showing anything; a sighted user sees the outcome on the
// board already. Each message is told, a repeated one too.
//
// With Qt 6.8 and later it is an announcement, which AT-SPI hands to the
// reader as such and Orca (from version 45) speaks. Older Qt has no such
// event: there this widget of no size, whose accessible role is a
// notification (accessibility.h), appears named by the message, as Orca
// speaks a notification when it appears.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);
    // The message told last; empty before the first.
    [[nodiscard]] const QString& lastMessage() const { return m_lastMessage; }

private:
    QString m_lastMessage;
};

}  // namespace apqr::ui
