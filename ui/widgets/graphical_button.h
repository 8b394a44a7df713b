// The graphical button: a push button that shows its colour or picture.
#pragma once

#include <QImage>
#include <QPushButton>

namespace apqr::ui {

// A button that shows its palette's button colour, or a picture, instead of
// the style's button face, with the classic raised edge that sinks while it
// is pressed. A fixed face colour comes with its caption colour through the
// palette (fixed_colors.h). It is still a QPushButton: clicks, focus and
// shortcuts behave as on any other button.
class GraphicalButton : public QPushButton {
    Q_OBJECT
public:
    explicit GraphicalButton(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

}  // namespace apqr::ui
