#pragma once

#include <QMainWindow>

// The one window of the program: a stack of pages without tabs.
class TZAV3MainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TZAV3MainForm(QWidget *AParent = nullptr);

    const QString &ProgramName() const { return fProgramName; }

private:
    QString fProgramName;
};
