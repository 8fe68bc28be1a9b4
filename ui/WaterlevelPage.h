#pragma once

#include "RecordPage.h"

class TZAV_Groundwater;

// The water-level page "Wasserstände".
class TWaterlevelPage : public TRecordPage
{
    Q_OBJECT

public:
    explicit TWaterlevelPage(TZAV3MainForm &AForm);

    void ZAV_WL2LI(TZAV_Groundwater *AWaterlevel, QTreeWidgetItem *AListItem);

    QLineEdit *edtWLDepth = nullptr;
    QLineEdit *edtWLGWF = nullptr;
    QLineEdit *edtWLGWS = nullptr;
    QLineEdit *edtWLGWV = nullptr;
    QLineEdit *edtWLGWR = nullptr;
    QLineEdit *edtWLDatum = nullptr;
    QLineEdit *edtWLDeltat = nullptr;

protected:
    TQDObjectList *Records(TZAV_Profil *ABorehole) const override;
    void ReadRecords(TZAV_Profil *ABorehole) override;
    void FillRow(TObject *ARecord, QTreeWidgetItem *AItem) override;
    QStringList FieldTexts(const TObject *ARecord) const override;
    void TakeField(TObject *ARecord, int AIndex, const QString &AText) override;
    void WriteRecord(TObject *ARecord, int ALocID) override;
    int AddRecordRow(int ALocID, const QString &APrj_ID) override;
    void DeleteRecordRow(int ALocID, const TObject *ARecord) override;
};
