#pragma once

#include "ZavPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The details page "Bohrungsdetails": the master data of one borehole, in the groups
// "Lage" and "Sonstige Angaben". Its selection lists are filled from the dictionaries
// when the window is created.
class TDetailsPage : public TZavPage
{
    Q_OBJECT

public:
    explicit TDetailsPage(TZAV3MainForm &AForm);

    void PageEnter() override;
    void PageLeave() override;

    // Writes the fields into the current master row and posts it, all or nothing: a value
    // the row refuses raises an error naming the field's caption and the value, and
    // leaves the row as it was.
    void ControlsToMaster();
    void BtnEnterTKNoClick(QObject *Sender);

    QLabel *LblLocID = nullptr;
    QLineEdit *edtName = nullptr;
    QComboBox *cmbState = nullptr;
    QComboBox *cmbTK25 = nullptr;
    QPushButton *BtnEnterTKNo = nullptr;
    QLineEdit *edtXCoord = nullptr;
    QLineEdit *edtYCoord = nullptr;
    QLineEdit *edtEPSG = nullptr;
    QComboBox *cmbCoordSys = nullptr;
    QComboBox *cmbCoordFind = nullptr;
    QLineEdit *edtZCoordB = nullptr;
    QLineEdit *edtFinalDepth = nullptr;
    QComboBox *cmbHSys = nullptr;
    QComboBox *cmbHFind = nullptr;
    QComboBox *cmbArfach = nullptr;
    QComboBox *cmbType = nullptr;
    QComboBox *cmbTech = nullptr;
    QComboBox *cmbPurpose = nullptr;
    QComboBox *cmbConfLevel = nullptr;

private:
    // A selection list, the column it edits and its dictionary.
    struct TCodeField
    {
        QComboBox *Combo;
        const char *Column;
        const char *Dictname;
        QString Caption;
    };
    // An edit field and the column it edits.
    struct TEditField
    {
        QLineEdit *Edit;
        const char *Column;
        QString Caption;
        QString ShownText; // as filled when the page was entered
    };

    QList<TCodeField> FCodeFields;
    QList<TEditField> FEditFields;
};

// The position in TheItems of the item carrying the entry of the dictionary Dictname
// whose abbreviation is exactly Abbreviation (no grade digit); -1 without set, dictionary,
// entry, or item (the entry was left out when the list was filled).
int IndexOfZAVAtom(const QString &Abbreviation, const QString &Dictname, const QComboBox *TheItems);

// Sorts a selection list by its shown text as a sorted list keeps it: in the order of the
// user's locale, without regard to case; the items keep what they carry.
void SortComboByText(QComboBox *ACombo);
