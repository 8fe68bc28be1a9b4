#include "ZAV_Profil.h"

#include "ZavFormat.h"
#include "ZavQuery.h"

#include <QStringList>

#include <memory>

TClass TZAV_Profil::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TZAV_Profil"), TQDObjectList::ClassInfo(),
                                 [] { return static_cast<TObject *>(new TZAV_Profil); }, {}};
    return &Info;
}

TZAV_Profil::TZAV_Profil()
    : TQDObjectList(true)
    , fWaterlevels(new TQDObjectList(true))
    , FSamples(new TQDObjectList(true))
{
}

TZAV_Profil::~TZAV_Profil()
{
    delete fWaterlevels;
    delete FSamples;
    // The layers go with the list itself.
}

void TZAV_Profil::ReadFromDB(TZavDataSet *ADataset)
{
    if (!ADataset)
        return;
    FName = ADataset->FieldByName(QStringLiteral("ANAME")).AsString();
    FX = ADataset->FieldByName(QStringLiteral("XCOORD")).AsFloat();
    FY = ADataset->FieldByName(QStringLiteral("YCOORD")).AsFloat();
    FXYsys = ADataset->FieldByName(QStringLiteral("KSYS")).AsString();
    FLocID = ADataset->FieldByName(QStringLiteral("LOCID")).AsInteger();
    FZ = ADataset->FieldByName(QStringLiteral("ZCOORDB")).AsFloat();
    FMaxDepth = ADataset->FieldByName(QStringLiteral("ZCOORDE")).AsFloat();
    FZsys = ADataset->FieldByName(QStringLiteral("HSYS")).AsString();
    FPrj_ID = ADataset->FieldByName(QStringLiteral("PRJ_ID")).AsString();
    FShortname = ADataset->FieldByName(QStringLiteral("SHORTNAME")).AsString();
}

QString TZAV_Profil::QuotedPrj_ID() const
{
    return SQLQuoted(FPrj_ID);
}

QString TZAV_Profil::BoreholeCondition() const
{
    if (FPrj_ID.isEmpty())
        return QStringLiteral("where LOCID=%1").arg(FLocID);
    return QStringLiteral("where PRJ_ID=") + QuotedPrj_ID() + QStringLiteral(" and LOCID=%1").arg(FLocID);
}

bool TZAV_Profil::ReadLayersFromDB(TZavQuery *QyLayers, TZavQuery *QySubLayers, const QString &ATablename)
{
    // One query for both would close the layer cursor under the loop.
    if (!QyLayers || !QySubLayers || QyLayers == QySubLayers)
        return false;
    QyLayers->Close();
    QyLayers->SetSQL(QStringList{QStringLiteral("select * from ") + ATablename,
                                 BoreholeCondition() + QStringLiteral(" and DEPTHTO<>Null"),
                                 QStringLiteral("order by DEPTHTO")}
                         .join(u'\n'));
    QyLayers->Open();
    if (!QyLayers->Active())
        return false;
    Clear();
    const QString SubLayerFrom = QStringLiteral("SELECT * FROM ") + ATablename;
    const QString SubLayerWhere = FPrj_ID.isEmpty()
                                      ? QStringLiteral("WHERE LOCID=%1").arg(FLocID)
                                      : QStringLiteral("WHERE PRJ_ID=") + QuotedPrj_ID() + QStringLiteral(" AND LOCID=%1").arg(FLocID);
    while (!QyLayers->Eof()) {
        auto NewLayer = std::make_unique<TZAV_Layer>(QyLayers->FieldByName(QStringLiteral("DEPTHTO")).AsFloat());
        NewLayer->ReadFromDB(QyLayers);
        TZAV_Layer *Layer = NewLayer.get();
        Add(NewLayer.release());

        const int LayerID = QyLayers->FieldByName(QStringLiteral("LAYERID")).AsInteger();
        QySubLayers->Close();
        QySubLayers->SetSQL(QStringList{SubLayerFrom,
                                        SubLayerWhere + QStringLiteral(" AND LAYERID=%1 AND LAYERCNTR>0").arg(LayerID),
                                        QStringLiteral("ORDER BY LAYERCNTR")}
                                .join(u'\n'));
        QySubLayers->Open();
        while (!QySubLayers->Eof()) {
            auto Sub = std::make_unique<TZAV_SubLayer>();
            Sub->ReadFromDB(QySubLayers);
            Layer->SubLayers()->Add(Sub.release());
            QySubLayers->Next();
        }
        QySubLayers->Close();
        QyLayers->Next();
    }
    return Count() > 0;
}

template <class TElement>
bool TZAV_Profil::ReadChildrenFromDB(TZavQuery *AQuery, const QString &ATablename, TQDObjectList *AList)
{
    if (!AQuery)
        return false;
    AQuery->Close();
    AQuery->SetSQL(QStringList{QStringLiteral("select * from ") + ATablename, BoreholeCondition(),
                               QStringLiteral("order by RECID")}
                       .join(u'\n'));
    AQuery->Open();
    if (!AQuery->Active())
        return false;
    AList->Clear();
    while (!AQuery->Eof()) {
        auto Element = std::make_unique<TElement>();
        Element->ReadFromDB(AQuery);
        AList->Add(Element.release());
        AQuery->Next();
    }
    return AList->Count() > 0;
}

bool TZAV_Profil::ReadWaterlevelsFromDB(TZavQuery *QyWaterlevels, const QString &ATablename)
{
    return ReadChildrenFromDB<TZAV_Groundwater>(QyWaterlevels, ATablename, fWaterlevels);
}

bool TZAV_Profil::ReadSamplesFromDB(TZavQuery *QySamples, const QString &ATablename)
{
    return ReadChildrenFromDB<TZAV_Sample>(QySamples, ATablename, FSamples);
}
