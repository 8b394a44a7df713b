#include <QApplication>

#include "window/form1.h"
#include "application.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    apqr::ui::setUpApplication(app);

    apqr::ui::Form1 form;
    form.show();
    return QApplication::exec();
}
