#include <QApplication>

#include "application.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    apqr::ui::setUpApplication(app);

    apqr::ui::Form1 form;
    form.show();
    return QApplication::exec();
}
