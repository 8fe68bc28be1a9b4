#include "MainForm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TZAV3MainForm MainForm;
    MainForm.show();
    return App.exec();
}
