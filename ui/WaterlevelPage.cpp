#include "WaterlevelPage.h"

#include "DMBorehole.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "ZAV_Profil.h"

#include <QLineEdit>
#include <QTreeWidget>

TWaterlevelPage::TWaterlevelPage(TZAV3MainForm &AForm)
    : TRecordPage(AForm, TZAV3MainForm::piWaterlevels, QStringLiteral("TabSheetWaterlevels"),
                  QStringLiteral("LblWaterlevelsHeader"), QStringLiteral("lvWaterlevels"),
                  QStringLiteral("PanelWLControls"), QStringLiteral("Wasserstände in Bohrung <%1>"),
                  {QStringLiteral("Angetroffen [m]"), QStringLiteral("Abgefallen auf [m]"),
                   QStringLiteral("Angestiegen auf [m]"), QStringLiteral("Versickert bei [m]"),
                   QStringLiteral("nach Abschluss der Bohrarbeiten [m]"), QStringLiteral("Datum"),
                   QStringLiteral("Zeitdifferenz [h]")},
                  {120, 120, 140, 150, 120, 80, 100}, AForm.NewWaterlevel, AForm.DeleteWaterlevel)
{
    edtWLDepth = AddField(QStringLiteral("edtWLDepth"), QStringLiteral("Angetroffen [m]"), QStringLiteral("GW"));
    edtWLGWF = AddField(QStringLiteral("edtWLGWF"), QStringLiteral("Abgefallen auf [m]"), QStringLiteral("GWF"));
    edtWLGWS = AddField(QStringLiteral("edtWLGWS"), QStringLiteral("Angestiegen auf [m]"), QStringLiteral("GWS"));
    edtWLGWV = AddField(QStringLiteral("edtWLGWV"), QStringLiteral("Versickert bei [m]"), QStringLiteral("GWV"));
    edtWLGWR = AddField(QStringLiteral("edtWLGWR"), QStringLiteral("Ruhewasserstand [m]"), QStringLiteral("GWR"));
    edtWLDatum = AddField(QStringLiteral("edtWLDatum"), QStringLiteral("Datum"), QStringLiteral("GWDATUM"));
    edtWLDeltat = AddField(QStringLiteral("edtWLDeltat"), QStringLiteral("Zeitdifferenz [h]"), QStringLiteral("GWZEIT"));
}

TQDObjectList *TWaterlevelPage::Records(TZAV_Profil *ABorehole) const
{
    return ABorehole->Waterlevels();
}

void TWaterlevelPage::ReadRecords(TZAV_Profil *ABorehole)
{
    ABorehole->ReadWaterlevelsFromDB(&DMBorehole->QyDynamic, DMBorehole->S3GrundWTablename());
}

void TWaterlevelPage::ZAV_WL2LI(TZAV_Groundwater *AWaterlevel, QTreeWidgetItem *AListItem)
{
    if (!AWaterlevel || !AListItem)
        return;
    AListItem->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void *>(static_cast<TObject *>(AWaterlevel))));
    const QString Missing = QStringLiteral("-");
    const double Levels[] = {AWaterlevel->Depth(), AWaterlevel->GWF(), AWaterlevel->GWS(), AWaterlevel->GWV(),
                             AWaterlevel->GWR()};
    for (int I = 0; I < 5; ++I) {
        AListItem->setText(I, DblValueToStr(Missing, Levels[I]));
        AListItem->setTextAlignment(I, Qt::AlignRight | Qt::AlignVCenter);
    }
    AListItem->setText(5, AWaterlevel->DateMeasured() > 0 ? DateText(AWaterlevel->DateMeasured()) : Missing);
    AListItem->setText(6, AWaterlevel->DeltaTime() >= 1 ? QString::number(AWaterlevel->DeltaTime()) : Missing);
}

void TWaterlevelPage::FillRow(TObject *ARecord, QTreeWidgetItem *AItem)
{
    ZAV_WL2LI(static_cast<TZAV_Groundwater *>(ARecord), AItem);
}

QStringList TWaterlevelPage::FieldTexts(const TObject *ARecord) const
{
    const auto *W = static_cast<const TZAV_Groundwater *>(ARecord);
    return {DblValueToStr(QString(), W->Depth()),
            DblValueToStr(QString(), W->GWF()),
            DblValueToStr(QString(), W->GWS()),
            DblValueToStr(QString(), W->GWV()),
            DblValueToStr(QString(), W->GWR()),
            W->DateMeasured() > 0 ? DateText(W->DateMeasured()) : QString(),
            W->DeltaTime() >= 1 ? QString::number(W->DeltaTime()) : QString()};
}

void TWaterlevelPage::TakeField(TObject *ARecord, int AIndex, const QString &AText)
{
    auto *W = static_cast<TZAV_Groundwater *>(ARecord);
    switch (AIndex) {
    case 0: W->SetDepth(NumberOf(AText)); break;
    case 1: W->SetGWF(NumberOf(AText)); break;
    case 2: W->SetGWS(NumberOf(AText)); break;
    case 3: W->SetGWV(NumberOf(AText)); break;
    case 4: W->SetGWR(NumberOf(AText)); break;
    case 5: W->SetDateMeasured(DateOf(AText)); break;
    case 6: W->SetDeltaTime(IntegerOf(AText)); break;
    default: break;
    }
}

void TWaterlevelPage::WriteRecord(TObject *ARecord, int ALocID)
{
    static_cast<TZAV_Groundwater *>(ARecord)->UpdateDB(ALocID, &DMBorehole->QyLayers, DMBorehole->S3GrundWTablename());
}

int TWaterlevelPage::AddRecordRow(int ALocID, const QString &APrj_ID)
{
    return DMBorehole->AddWaterlevel(ALocID, APrj_ID);
}

void TWaterlevelPage::DeleteRecordRow(int ALocID, const TObject *ARecord)
{
    DMBorehole->DeleteWaterlevel(ALocID, static_cast<const TZAV_Groundwater *>(ARecord)->RecID());
}
