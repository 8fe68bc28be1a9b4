#pragma once

#include "ZavPage.h"

class QListWidget;

// The maintenance page "Wörterbücher": the dictionaries of the set in use. No command
// brings it forward.
class TDictionariesPage : public TZavPage
{
    Q_OBJECT

public:
    explicit TDictionariesPage(TZAV3MainForm &AForm);

    QListWidget *LBDicts = nullptr;
};
