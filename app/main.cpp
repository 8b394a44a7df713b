#include <QApplication>

#include "form1.h"
#include "localization.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    apqr::ui::setUpApplication(app);

    apqr::ui::Form1 form;
    form.show();
    return QApplication::exec();
}
