#include "DictionariesPage.h"

#include "MainForm.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TDictionariesPage::TDictionariesPage(TZAV3MainForm &AForm)
    : TZavPage(AForm, QStringLiteral("TabSheet1"))
{
    auto *Layout = new QVBoxLayout(this);
    auto *Caption = new QLabel(QStringLiteral("Wörterbücher"), this);
    Layout->addWidget(Caption);
    LBDicts = new QListWidget(this);
    LBDicts->setObjectName(QStringLiteral("LBDicts"));
    Caption->setBuddy(LBDicts);
    Layout->addWidget(LBDicts, 1);
    QWidget *Strip = NewCommandStrip(this, {AForm.CreateDicts, AForm.SaveDictToFile});
    Layout->addWidget(Strip);
}
