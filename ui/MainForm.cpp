#include "MainForm.h"

TZAV3MainForm::TZAV3MainForm(QWidget *AParent)
    : QMainWindow(AParent)
    , fProgramName(QStringLiteral("Zavrex"))
{
    setWindowTitle(fProgramName);
    resize(1229, 660);
    setMinimumSize(500, 600);
}
