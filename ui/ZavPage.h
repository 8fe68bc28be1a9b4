#pragma once

#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QEvent;
class QTreeWidget;
class QTreeWidgetItem;
class TObject;

class TZAV3MainForm;

// One page of the window's page stack. The window runs the leaving and entering
// protocols in their order; each page does its own part of them.
class TZavPage : public QWidget
{
    Q_OBJECT

public:
    TZavPage(TZAV3MainForm &AForm, const QString &AObjectName);

    // The page's part of the leaving protocol: write back what it edits. An error raised
    // here ends the operation that left the page, and the page stays.
    virtual void PageLeave() {}
    // The page's part of the entering protocol: fill the page.
    virtual void PageEnter() {}

protected:
    TZAV3MainForm &Form() const { return FForm; }

private:
    TZAV3MainForm &FForm;
};

// A strip of buttons for ACommands, left to right and wrapping into further rows when the
// page is narrow; each button shows its command's caption and follows its enabled state.
QWidget *NewCommandStrip(QWidget *AParent, const QList<QAction *> &ACommands);

// A list in report mode as every page has one: read-only, whole rows, one selected row at
// most, ACaptions as its columns with the given widths (widened where a caption would be
// cut off; 0: as wide as the caption), named AName for tests and AAccessibleName for
// screen readers.
QTreeWidget *NewReportList(QWidget *AParent, const QString &AName, const QString &AAccessibleName,
                           const QStringList &ACaptions, const QList<int> &AWidths);

// The object a list row carries (in its first column), or null.
TObject *ObjectOfRow(const QTreeWidgetItem *AItem);

// The selection of a list that edits one record at a time: runs ASelect with the row now
// selected (null for none), unless that row carries AActive already. When ASelect fails
// (the old record's write was refused, and the error shown) the row of the still active
// record is selected again, without selection events.
void FollowSelection(TZAV3MainForm &AForm, QTreeWidget *AList, const TObject *AActive,
                     const std::function<void(QTreeWidgetItem *)> &ASelect);

// Whether AEvent is the Delete key pressed in AList.
bool IsDeleteKeyIn(const QTreeWidget *AList, const QObject *AWatched, const QEvent *AEvent);
