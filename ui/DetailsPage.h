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

    void PageLeave() override;

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
};

// Sorts a selection list by its shown text as a sorted list keeps it: in the order of the
// user's locale, without regard to case; the items keep what they carry.
void SortComboByText(QComboBox *ACombo);
