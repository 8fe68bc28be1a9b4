#include "ZAV_Layer.h"

#include "ZAVParser.h"
#include "ZavDatabaseError.h"
#include "ZavQuery.h"

#include <cmath>

namespace {

const QString LayerSetLine = QStringLiteral("SET DEPTHTO=:Depthto, PETRO=:Petro, FARBE=:Farbe, GENESE=:Genese,");
const QString SubLayerSetLine = QStringLiteral("SET SART=:Sart, PETRO=:Petro, FARBE=:Farbe, GENESE=:Genese,");

// The five lines of the update statement; layers and sublayers differ in the SET line.
QString UpdateStatement(const QString &ATablename, const QString &ASetLine, int ALocID, int ARecID)
{
    return QStringList{QStringLiteral("UPDATE ") + ATablename, ASetLine,
                       QStringLiteral("ZUSATZ=:Zusatz, ERGBEM=:Ergbem, BESCHBG=:BeschBg, BESCHBV=:BeschBV,"),
                       QStringLiteral("STRAT=:Strat, GRUPPE=:Gruppe, KALKGEH=:Kalkgeh, INTGRUPPE=:IntGruppe, "
                                      "INTKLASSE=:IntKlasse"),
                       QStringLiteral("WHERE (LOCID=%1) AND (RECID=%2)").arg(ALocID).arg(ARecID)}
        .join(u'\n');
}

} // namespace

// ---------------------------------------------------------------------------
// TAbstractZAV_Layer

TClass TAbstractZAV_Layer::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TAbstractZAV_Layer"), TObject::ClassInfo(), nullptr, {}};
    return &Info;
}

void TAbstractZAV_Layer::ReadFromDB(TZavDataSet *ADataset)
{
    if (!ADataset)
        return;
    FRecID = ADataset->FieldByName(QStringLiteral("RECID")).AsInteger();
    FStrat = ADataset->FieldByName(QStringLiteral("STRAT")).AsString();
    FPetro = ADataset->FieldByName(QStringLiteral("PETRO")).AsString();
    FFarbe = ADataset->FieldByName(QStringLiteral("FARBE")).AsString();
    FGenese = ADataset->FieldByName(QStringLiteral("GENESE")).AsString();
    FZusatz = ADataset->FieldByName(QStringLiteral("ZUSATZ")).AsString();
    FErgBem = ADataset->FieldByName(QStringLiteral("ERGBEM")).AsString();
    FBeschBg = ADataset->FieldByName(QStringLiteral("BESCHBG")).AsString();
    FBeschBv = ADataset->FieldByName(QStringLiteral("BESCHBV")).AsString();
    FGruppe = ADataset->FieldByName(QStringLiteral("GRUPPE")).AsString();
    FKalkGeh = ADataset->FieldByName(QStringLiteral("KALKGEH")).AsString();
    FIntGruppe = ADataset->FieldByName(QStringLiteral("INTGRUPPE")).AsString();
    FIntKlasse = ADataset->FieldByName(QStringLiteral("INTKLASSE")).AsString();
}

void TAbstractZAV_Layer::SetSharedParams(TZavQuery *AQuery) const
{
    AQuery->ParamByName(QStringLiteral("Petro")).SetAsString(FPetro);
    AQuery->ParamByName(QStringLiteral("Farbe")).SetAsString(FFarbe);
    AQuery->ParamByName(QStringLiteral("Genese")).SetAsString(FGenese);
    AQuery->ParamByName(QStringLiteral("Zusatz")).SetAsString(FZusatz);
    AQuery->ParamByName(QStringLiteral("Ergbem")).SetAsString(FErgBem);
    AQuery->ParamByName(QStringLiteral("BeschBg")).SetAsString(FBeschBg);
    AQuery->ParamByName(QStringLiteral("BeschBV")).SetAsString(FBeschBv);
    AQuery->ParamByName(QStringLiteral("Strat")).SetAsString(FStrat);
    AQuery->ParamByName(QStringLiteral("Gruppe")).SetAsString(FGruppe);
    AQuery->ParamByName(QStringLiteral("Kalkgeh")).SetAsString(FKalkGeh);
    AQuery->ParamByName(QStringLiteral("IntGruppe")).SetAsString(FIntGruppe);
    AQuery->ParamByName(QStringLiteral("IntKlasse")).SetAsString(FIntKlasse);
}

QString TAbstractZAV_Layer::GetISOLimeCont() const
{
    if (FKalkGeh.contains(u"kf"))
        return QStringLiteral("0");
    if (FKalkGeh.contains(u"k4") || FKalkGeh.contains(u"k5"))
        return QStringLiteral("++");
    if (FKalkGeh.contains(u'k'))
        return QStringLiteral("+");
    return QString();
}

// ---------------------------------------------------------------------------
// TZAV_SubLayer

TClass TZAV_SubLayer::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TZAV_SubLayer"), TAbstractZAV_Layer::ClassInfo(),
                                 [] { return static_cast<TObject *>(new TZAV_SubLayer); }, {}};
    return &Info;
}

void TZAV_SubLayer::ReadFromDB(TZavDataSet *ADataset)
{
    if (!ADataset)
        return;
    TAbstractZAV_Layer::ReadFromDB(ADataset);
    FSArt = ADataset->FieldByName(QStringLiteral("SART")).AsString();
}

bool TZAV_SubLayer::UpdateDB(int ALocID, TZavQuery *QyLayers, const QString &ATablename)
{
    if (!QyLayers)
        return false;
    QyLayers->Close();
    QyLayers->SetSQL(UpdateStatement(ATablename, SubLayerSetLine, ALocID, RecID()));
    QyLayers->ParamByName(QStringLiteral("Sart")).SetAsString(FSArt);
    SetSharedParams(QyLayers);
    return QyLayers->ExecSQL() == 1;
}

QString TZAV_SubLayer::GetCompleDescription() const
{
    return MakeNiceText(ParseSArtText(FSArt) + QStringLiteral(": ") + ParsePetroText(Petro()));
}

// ---------------------------------------------------------------------------
// TZAV_Layer

TClass TZAV_Layer::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TZAV_Layer"), TAbstractZAV_Layer::ClassInfo(),
                                 [] { return static_cast<TObject *>(new TZAV_Layer(0)); }, {}};
    return &Info;
}

TZAV_Layer::TZAV_Layer(double ADepth)
    : FDepthTo(ADepth)
    , FSubLayers(new TQDObjectList(true))
{
}

TZAV_Layer::~TZAV_Layer()
{
    delete FSubLayers;
}

void TZAV_Layer::ReadFromDB(TZavDataSet *ADataset)
{
    if (!ADataset)
        return;
    TAbstractZAV_Layer::ReadFromDB(ADataset);
    FDepthTo = ADataset->FieldByName(QStringLiteral("DEPTHTO")).AsFloat();
    FDepthFrom = ADataset->FieldByName(QStringLiteral("DEPTHFROM")).AsFloat();
}

bool TZAV_Layer::UpdateDB(int ALocID, TZavQuery *QyLayers, const QString &ATablename)
{
    if (!QyLayers)
        return false;
    // A layer without depth would be stored as NULL and vanish from every later read,
    // with its sublayers.
    if (std::isnan(FDepthTo))
        throw EDatabaseError(QStringLiteral("Schicht ohne Tiefe kann nicht gespeichert werden"));
    QyLayers->Close();
    QyLayers->SetSQL(UpdateStatement(ATablename, LayerSetLine, ALocID, RecID()));
    QyLayers->ParamByName(QStringLiteral("Depthto")).SetAsFloat(FDepthTo);
    SetSharedParams(QyLayers);
    return QyLayers->ExecSQL() == 1;
}
