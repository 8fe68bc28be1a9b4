#pragma once

#include "RecordPage.h"

class TZAV_Sample;

// The sample page "Proben".
class TSamplePage : public TRecordPage
{
    Q_OBJECT

public:
    explicit TSamplePage(TZAV3MainForm &AForm);

    void ZAV_Sample2LI(TZAV_Sample *ASample, QTreeWidgetItem *AListItem);

    QLineEdit *edtSampleTop = nullptr;
    QLineEdit *edtSampleBottom = nullptr;
    QLineEdit *edtSampleName = nullptr;

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
