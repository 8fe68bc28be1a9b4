#include "SamplePage.h"

#include "DMBorehole.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "ZAV_Profil.h"

#include <QLineEdit>
#include <QTreeWidget>

TSamplePage::TSamplePage(TZAV3MainForm &AForm)
    : TRecordPage(AForm, TZAV3MainForm::piSamples, QStringLiteral("TabSheetSamples"), QStringLiteral("LblSamplesHeader"),
                  QStringLiteral("lvSamples"), QStringLiteral("PanelSampleControls"),
                  QStringLiteral("Proben in Bohrung <%1>"),
                  {QStringLiteral("Bezeichnung"), QStringLiteral("OK [m]"), QStringLiteral("UK [m]")}, {150, 120, 120},
                  AForm.NewSample, AForm.DeleteSample)
{
    // Tab order: top, bottom, name.
    edtSampleTop = AddField(QStringLiteral("edtSampleTop"), QStringLiteral("Oberkante [m]"), QStringLiteral("INVZBEG"));
    edtSampleBottom =
        AddField(QStringLiteral("edtSampleBottom"), QStringLiteral("Unterkante [m]"), QStringLiteral("INVZEND"));
    edtSampleName = AddField(QStringLiteral("edtSampleName"), QStringLiteral("Bezeichnung"), QStringLiteral("INVNAME"));
    // As many characters as the column holds.
    edtSampleName->setMaxLength(20);
}

TQDObjectList *TSamplePage::Records(TZAV_Profil *ABorehole) const
{
    return ABorehole->Samples();
}

void TSamplePage::ReadRecords(TZAV_Profil *ABorehole)
{
    ABorehole->ReadSamplesFromDB(&DMBorehole->QyDynamic, DMBorehole->S3ProbenTablename());
}

void TSamplePage::ZAV_Sample2LI(TZAV_Sample *ASample, QTreeWidgetItem *AListItem)
{
    if (!ASample || !AListItem)
        return;
    AListItem->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void *>(static_cast<TObject *>(ASample))));
    AListItem->setText(0, ASample->Name());
    AListItem->setText(1, DblValueToStr(QStringLiteral("-"), ASample->TopDepth()));
    AListItem->setText(2, DblValueToStr(QStringLiteral("-"), ASample->BottomDepth()));
    AListItem->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    AListItem->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
}

void TSamplePage::FillRow(TObject *ARecord, QTreeWidgetItem *AItem)
{
    ZAV_Sample2LI(static_cast<TZAV_Sample *>(ARecord), AItem);
}

QStringList TSamplePage::FieldTexts(const TObject *ARecord) const
{
    const auto *S = static_cast<const TZAV_Sample *>(ARecord);
    return {DblValueToStr(QString(), S->TopDepth()), DblValueToStr(QString(), S->BottomDepth()), S->Name()};
}

void TSamplePage::TakeField(TObject *ARecord, int AIndex, const QString &AText)
{
    auto *S = static_cast<TZAV_Sample *>(ARecord);
    if (AIndex == 0)
        S->SetTopDepth(NumberOf(AText));
    else if (AIndex == 1)
        S->SetBottomDepth(NumberOf(AText));
    else
        S->SetName(AText);
}

void TSamplePage::WriteRecord(TObject *ARecord, int ALocID)
{
    static_cast<TZAV_Sample *>(ARecord)->UpdateDB(ALocID, &DMBorehole->QyLayers, DMBorehole->S3ProbenTablename());
}

int TSamplePage::AddRecordRow(int ALocID, const QString &APrj_ID)
{
    return DMBorehole->AddSample(ALocID, APrj_ID);
}

void TSamplePage::DeleteRecordRow(int ALocID, const TObject *ARecord)
{
    DMBorehole->DeleteSample(ALocID, static_cast<const TZAV_Sample *>(ARecord)->RecID());
}
