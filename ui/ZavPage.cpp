#include "ZavPage.h"

#include "FlowLayout.h"
#include "MainForm.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>

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

QTreeWidget *NewReportList(QWidget *AParent, const QString &AName, const QString &AAccessibleName,
                           const QStringList &ACaptions, const QList<int> &AWidths)
{
    auto *List = new QTreeWidget(AParent);
    List->setObjectName(AName);
    List->setAccessibleName(AAccessibleName);
    List->setColumnCount(int(ACaptions.size()));
    List->setHeaderLabels(ACaptions);
    for (int I = 0; I < AWidths.size(); ++I)
        List->setColumnWidth(I, qMax(AWidths[I], List->header()->sectionSizeHint(I)));
    // Columns keep their widths; the last does not stretch a right-aligned number away.
    List->header()->setStretchLastSection(false);
    List->setRootIsDecorated(false);
    List->setItemsExpandable(false);
    List->setUniformRowHeights(true);
    List->setAllColumnsShowFocus(true);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return List;
}

TObject *ObjectOfRow(const QTreeWidgetItem *AItem)
{
    return AItem ? static_cast<TObject *>(AItem->data(0, Qt::UserRole).value<void *>()) : nullptr;
}

void FollowSelection(TZAV3MainForm &AForm, QTreeWidget *AList, const TObject *AActive,
                     const std::function<void(QTreeWidgetItem *)> &ASelect)
{
    const QList<QTreeWidgetItem *> Selected = AList->selectedItems();
    QTreeWidgetItem *Item = Selected.isEmpty() ? nullptr : Selected.constFirst();
    if (ObjectOfRow(Item) == AActive)
        return;
    if (AForm.Guarded([&] { ASelect(Item); }))
        return;
    const QSignalBlocker Blocker(AList);
    AList->clearSelection();
    if (QTreeWidgetItem *Old = AForm.FindDataObject(AList, AActive)) {
        AList->setCurrentItem(Old);
        Old->setSelected(true);
    }
}

bool IsDeleteKeyIn(const QTreeWidget *AList, const QObject *AWatched, const QEvent *AEvent)
{
    return AWatched == AList && AEvent->type() == QEvent::KeyPress
        && static_cast<const QKeyEvent *>(AEvent)->key() == Qt::Key_Delete;
}
