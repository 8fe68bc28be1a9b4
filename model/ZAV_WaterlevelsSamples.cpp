#include "ZAV_WaterlevelsSamples.h"

#include "ZavQuery.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace {

// NULL reads as a missing value.
void SetIfValue(TZavDataSet *ADataset, const QString &AFieldName, double &ATarget)
{
    const TZavField &F = ADataset->FieldByName(AFieldName);
    ATarget = F.IsNull() ? std::numeric_limits<double>::quiet_NaN() : F.AsFloat();
}

// A missing value leaves the parameter unset, which binds NULL.
void SetIfPresent(TZavQuery *AQuery, const QString &AName, double AValue)
{
    if (!std::isnan(AValue))
        AQuery->ParamByName(AName).SetAsFloat(AValue);
}

QString WhereLine(int ALocID, int ARecID)
{
    return QStringLiteral("WHERE (LOCID=%1) AND (RECID=%2)").arg(ALocID).arg(ARecID);
}

} // namespace

// ---------------------------------------------------------------------------
// TZAV_Groundwater

TClass TZAV_Groundwater::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TZAV_Groundwater"), TObject::ClassInfo(),
                                 [] { return static_cast<TObject *>(new TZAV_Groundwater); }, {}};
    return &Info;
}

void TZAV_Groundwater::ReadFromDB(TZavDataSet *ADataset)
{
    if (!ADataset)
        return;
    const TZavField &Date = ADataset->FieldByName(QStringLiteral("GWDATUM"));
    FDateMeasured = Date.IsNull() ? 0 : Date.AsDateTime();
    SetIfValue(ADataset, QStringLiteral("GW"), FDepth);
    SetIfValue(ADataset, QStringLiteral("GWF"), FGWF);
    SetIfValue(ADataset, QStringLiteral("GWS"), FGWS);
    SetIfValue(ADataset, QStringLiteral("GWV"), FGWV);
    SetIfValue(ADataset, QStringLiteral("GWR"), FGWR);
    const TZavField &Time = ADataset->FieldByName(QStringLiteral("GWZEIT"));
    FDeltaTime = Time.IsNull() ? -1 : Time.AsInteger();
    FRecID = ADataset->FieldByName(QStringLiteral("RECID")).AsInteger();
}

bool TZAV_Groundwater::UpdateDB(int ALocID, TZavQuery *AQuery, const QString &ATablename)
{
    if (!AQuery)
        return false;
    AQuery->Close();
    AQuery->SetSQL(QStringList{QStringLiteral("UPDATE ") + ATablename,
                               QStringLiteral("SET GW=:GW, GWF=:GWF, GWS=:GWS, GWV=:GWV,"),
                               QStringLiteral("GWR=:GWR, GWDATUM=:GWDATUM, GWZEIT=:GWZEIT"),
                               WhereLine(ALocID, FRecID)}
                       .join(u'\n'));
    SetIfPresent(AQuery, QStringLiteral("GW"), FDepth);
    SetIfPresent(AQuery, QStringLiteral("GWF"), FGWF);
    SetIfPresent(AQuery, QStringLiteral("GWS"), FGWS);
    SetIfPresent(AQuery, QStringLiteral("GWV"), FGWV);
    SetIfPresent(AQuery, QStringLiteral("GWR"), FGWR);
    if (FDateMeasured > 0)
        AQuery->ParamByName(QStringLiteral("GWDATUM")).SetAsDateTime(FDateMeasured);
    // Only a negative time difference is missing: a stored 0 must come back as 0.
    if (FDeltaTime >= 0)
        AQuery->ParamByName(QStringLiteral("GWZEIT")).SetAsInteger(FDeltaTime);
    return AQuery->ExecSQL() == 1;
}

// ---------------------------------------------------------------------------
// TZAV_Sample

TClass TZAV_Sample::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TZAV_Sample"), TObject::ClassInfo(),
                                 [] { return static_cast<TObject *>(new TZAV_Sample); }, {}};
    return &Info;
}

void TZAV_Sample::ReadFromDB(TZavDataSet *ADataset)
{
    if (!ADataset)
        return;
    const TZavField &Name = ADataset->FieldByName(QStringLiteral("INVNAME"));
    FName = Name.IsNull() ? QString() : Name.AsString();
    SetIfValue(ADataset, QStringLiteral("INVZBEG"), FTopDepth);
    SetIfValue(ADataset, QStringLiteral("INVZEND"), FBottomDepth);
    FRecID = ADataset->FieldByName(QStringLiteral("RECID")).AsInteger();
}

bool TZAV_Sample::UpdateDB(int ALocID, TZavQuery *AQuery, const QString &ATablename)
{
    if (!AQuery)
        return false;
    AQuery->Close();
    AQuery->SetSQL(QStringList{QStringLiteral("UPDATE ") + ATablename,
                               QStringLiteral("SET INVZBEG=:INVZBEG, INVZEND=:INVZEND, INVNAME=:INVNAME"),
                               WhereLine(ALocID, FRecID)}
                       .join(u'\n'));
    SetIfPresent(AQuery, QStringLiteral("INVZBEG"), FTopDepth);
    SetIfPresent(AQuery, QStringLiteral("INVZEND"), FBottomDepth);
    if (!FName.isEmpty())
        AQuery->ParamByName(QStringLiteral("INVNAME")).SetAsString(FName);
    return AQuery->ExecSQL() == 1;
}
