#include "ZavPage.h"

#include "FlowLayout.h"

#include <QAction>
#include <QToolButton>

TZavPage::TZavPage(TZAV3MainForm &AForm, const QString &AObjectName)
    : FForm(AForm)
{
    setObjectName(AObjectName);
}

QWidget *NewCommandStrip(QWidget *AParent, const QList<QAction *> &ACommands)
{
    auto *Strip = new QWidget(AParent);
    auto *Buttons = new TFlowLayout(Strip);
    Buttons->setContentsMargins(0, 0, 0, 0);
    for (QAction *Action : ACommands) {
        auto *Button = new QToolButton(Strip);
        Button->setObjectName(QStringLiteral("Btn") + Action->objectName());
        Button->setDefaultAction(Action);
        Button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        Button->setMinimumSize(128, 25);
        Buttons->addWidget(Button);
    }
    return Strip;
}
