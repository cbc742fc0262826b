// The floor of PENNARO's start: its own form, shown by a program that does
// nothing else.
#include "ui_fo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    Ui::fo form;
    form.setupUi(&window);
    window.show();
    return application.exec();
}
