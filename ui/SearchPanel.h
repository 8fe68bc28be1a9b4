#pragma once

#include <QWidget>

class QAction;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class TZAV3MainForm;
class TZAVDictionaries;

// The dictionary search panel at the right edge of the window: a clear-text fragment or a
// code typed into edtSearch lists the matching entries of every dictionary, grouped by
// dictionary, while typing.
class TSearchPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TSearchPanel(TZAV3MainForm &AForm, QWidget *AParent);

    // Removes every group and row, then makes one group per dictionary of ASet in set
    // order (none without a set); group i belongs to the dictionary at position i.
    void RebuildGroups(const TZAVDictionaries *ASet);
    // Runs the search again for the text and mode shown.
    void edtSearchChange(QObject *Sender);

    QLineEdit *edtSearch = nullptr;
    QRadioButton *rbCleartext = nullptr;
    QRadioButton *rbAbbr = nullptr;
    QTreeWidget *lvSearchResults = nullptr;
    // Copy the abbreviation or the clear text of the current result row.
    QAction *CopyAbbr = nullptr;
    QAction *CopyClearText = nullptr;

private:
    void FindText();
    // The group of the dictionary at position AIndex.
    QTreeWidgetItem *Group(int AIndex) const;
    void CopyColumn(int AColumn) const;

    TZAV3MainForm &FForm;
    const TZAVDictionaries *FSet = nullptr;
};
