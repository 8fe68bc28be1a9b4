#pragma once

#include "ZavPage.h"

class QTreeWidget;

// The start page "Bohrungen": the borehole list and the strip of borehole commands.
// The database and borehole commands themselves are the window's (StartPage.cpp).
class TStartPage : public TZavPage
{
    Q_OBJECT

public:
    // The columns of lvBoreholes.
    enum TColumn { colName, colX, colY, colXYsys, colMaxDepth, colZ, colZsys };

    explicit TStartPage(TZAV3MainForm &AForm);

    QTreeWidget *lvBoreholes = nullptr;

protected:
    bool eventFilter(QObject *AWatched, QEvent *AEvent) override;
};
