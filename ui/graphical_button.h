#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>

namespace apqr::ui {

// A button that shows its own background colour or picture instead of the
// style's button face, with the classic raised edge that sinks while it is
// pressed. It is still a QPushButton: clicks, focus and shortcuts behave as
// on any other button.
class GraphicalButton : public QPushButton {
    Q_OBJECT
public:
    explicit GraphicalButton(QWidget* parent = nullptr);

    void setFaceColor(const QColor& color);
    void setPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face;  // invalid: the palette's button colour
    QImage m_picture;
};

}  // namespace apqr::ui
