#pragma once

#include "ZavPage.h"

#include <QList>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TObject;
class TQDObjectList;
class TZAV_Profil;

// What the water-level and sample pages share: a header naming the borehole, the list of
// its records, the strip with the add and delete commands, and the panel that edits the
// selected record. The record being edited is written back when another row is chosen
// and when the page is left; a field the user did not edit keeps its stored value, and a
// record with no edited field is not written at all.
class TRecordPage : public TZavPage
{
    Q_OBJECT

public:
    void PageLeave() override;
    void PageEnter() override;

    TObject *ActiveRecord() const { return FActive; }
    // Forgets the active record without writing it back (its borehole went away).
    void DropActiveRecord();

    // The show, new and delete commands of the page.
    void ShowRecords();
    void NewRecord();
    void DeleteRecord();
    // Writes the record being edited back (when it changes) and makes ARecord active. An
    // error of the write leaves the old record active, with the typed values.
    void SetActiveRecord(TObject *ARecord);
    void ActiveRecordToControls();
    // False without active record.
    bool ControlsToActiveRecord();
    void UpdateView();
    void SelectItem(QObject *Sender, QTreeWidgetItem *Item, bool Selected);

    QLabel *Header = nullptr;
    QTreeWidget *List = nullptr;
    QWidget *Panel = nullptr;

protected:
    // APage: the page's index in the window; the names and captions of its parts.
    TRecordPage(TZAV3MainForm &AForm, int APageIndex, const QString &AObjectName, const QString &AHeaderName,
                const QString &AListName, const QString &APanelName, const QString &AHeaderText,
                const QStringList &AColumns, const QList<int> &AWidths, QAction *ANew, QAction *ADelete);

    // Adds an edit field to the panel, in tab order; AColumn is the column it is stored in.
    QLineEdit *AddField(const QString &AName, const QString &ACaption, const QString &AColumn);

    // The page's own parts: its records, how one is read, shown, listed, written, added
    // and deleted.
    virtual TQDObjectList *Records(TZAV_Profil *ABorehole) const = 0;
    virtual void ReadRecords(TZAV_Profil *ABorehole) = 0;
    virtual void FillRow(TObject *ARecord, QTreeWidgetItem *AItem) = 0;
    // The texts of the fields for ARecord, in the order they were added.
    virtual QStringList FieldTexts(const TObject *ARecord) const = 0;
    // Takes field AIndex, whose text the user changed, into ARecord.
    virtual void TakeField(TObject *ARecord, int AIndex, const QString &AText) = 0;
    virtual void WriteRecord(TObject *ARecord, int ALocID) = 0;
    virtual int AddRecordRow(int ALocID, const QString &APrj_ID) = 0;
    virtual void DeleteRecordRow(int ALocID, const TObject *ARecord) = 0;

    // Readers of the typed texts: a missing value where the text is empty or unreadable.
    static double NumberOf(const QString &AText);
    static double DateOf(const QString &AText);
    static int IntegerOf(const QString &AText);
    // A date as shown: the locale's short date format, the year with four digits.
    static QString DateText(double ADays);

    bool eventFilter(QObject *AWatched, QEvent *AEvent) override;

private:
    struct TField
    {
        QLineEdit *Edit;
        QString Caption;
        QString Column;
        QString ShownText; // as filled in, to tell the user's edits
    };

    void OnSelectionChanged();
    void ClearList();

    int FPageIndex;
    QString FHeaderText;
    QList<TField> FFields;
    QGridLayout *FGrid = nullptr;
    TObject *FActive = nullptr;
};
