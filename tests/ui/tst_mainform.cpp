#include "MainForm.h"

#include <QtTest>

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void showsProgramNameAsTitle()
    {
        TZAV3MainForm Form;
        Form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Form));
        QCOMPARE(Form.windowTitle(), QStringLiteral("Zavrex"));
        QCOMPARE(Form.ProgramName(), QStringLiteral("Zavrex"));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
