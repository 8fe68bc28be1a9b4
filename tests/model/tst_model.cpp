#include "DMBorehole.h"
#include "DatabaseTemplate.h"
#include "ZAVDictionaries.h"
#include "ZAV_Profil.h"
#include "ZAV_Layer.h"
#include "ZavDatabaseError.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// A fresh database from the template, connected through its own data module.
class TFixture
{
public:
    TFixture()
    {
        FPath = FDir.filePath(QStringLiteral("Bohrungen ä.accdb"));
        WriteDatabaseTemplate(FPath, BuiltinDatabaseTemplate());
        Ok = DM.ConnectToDatabase(FPath);
    }

    void Exec(const QString &AStatement) { DM.ConnBorehole.ExecRaw(AStatement); }

    // The first row of a SELECT, column by column; NULL as an invalid QVariant.
    QVariantList Row(const QString &AStatement)
    {
        TZavQuery Q(DM.ConnBorehole);
        Q.SetSQL(AStatement);
        Q.Open();
        QVariantList Result;
        if (Q.RecordCount() == 0)
            return Result;
        for (int I = 0; I < Q.FieldCount(); ++I)
            Result << (Q.Fields(I).IsNull() ? QVariant() : Q.Fields(I).Value());
        return Result;
    }

    int CountRows(const QString &AWhere, const QString &ATable = QStringLiteral("S3SCHDAT"))
    {
        return Row(QStringLiteral("select count(*) from %1 where %2").arg(ATable, AWhere)).value(0).toInt();
    }

    // A profile for the borehole LOCID, with the project key it has.
    std::unique_ptr<TZAV_Profil> Profile(int ALocID, const QString &APrj_ID)
    {
        auto P = std::make_unique<TZAV_Profil>();
        P->SetLocID(ALocID);
        P->SetPrj_ID(APrj_ID);
        return P;
    }

    bool ReadLayers(TZAV_Profil &P)
    {
        return P.ReadLayersFromDB(&DM.QyLayers, &DM.QySublayers, DM.S3SchichtTablename());
    }

    QTemporaryDir FDir;
    QString FPath;
    TDMBorehole DM;
    bool Ok = false;
};

QStringList LayerDepths(const TZAV_Profil &P)
{
    QStringList Result;
    for (int I = 0; I < P.Count(); ++I)
        Result << QString::number(P.Layer(I)->DepthTo());
    return Result;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void statementsNameTheBorehole_data()
    {
        QTest::addColumn<QString>("prjId");
        QTest::addColumn<QString>("condition");
        QTest::newRow("no project key") << "" << "where LOCID=7";
        QTest::newRow("project key") << "ZAVGEN" << "where PRJ_ID='ZAVGEN' and LOCID=7";
        QTest::newRow("key with a single quote") << "O'B" << "where PRJ_ID='O''B' and LOCID=7";
    }

    void statementsNameTheBorehole()
    {
        QFETCH(QString, prjId);
        QFETCH(QString, condition);
        TFixture F;
        QVERIFY(F.Ok);
        auto P = F.Profile(7, prjId);
        F.ReadLayers(*P);
        QCOMPARE(F.DM.QyLayers.SQL(), "select * from S3SCHDAT\n" + condition + " and DEPTHTO<>Null\norder by DEPTHTO");
        P->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename());
        QCOMPARE(F.DM.QyDynamic.SQL(), "select * from S3GRUNDW\n" + condition + "\norder by RECID");
        P->ReadSamplesFromDB(&F.DM.QyDynamic, F.DM.S3ProbenTablename());
        QCOMPARE(F.DM.QyDynamic.SQL(), "select * from S3PROBEN\n" + condition + "\norder by RECID");
    }

    void sublayerStatementNamesLayerAndProject_data()
    {
        QTest::addColumn<QString>("prjId");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("key with a single quote") << "O'B" << "'O''B'";
        // A key is text, not a format: "%2" in it must not take the LOCID.
        QTest::newRow("key with a percent sign") << "A%2" << "'A%2'";
    }

    void sublayerStatementNamesLayerAndProject()
    {
        QFETCH(QString, prjId);
        QFETCH(QString, quoted);
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        const int Layer = F.DM.AddLayer(Loc, prjId);
        F.DM.AddSublayer(Loc, Layer, prjId);
        auto P = F.Profile(Loc, prjId);
        QVERIFY(F.ReadLayers(*P));
        QCOMPARE(F.DM.QySublayers.SQL(), "SELECT * FROM S3SCHDAT\nWHERE PRJ_ID=" + quoted
                                             + QStringLiteral(" AND LOCID=%1 AND LAYERID=1 AND LAYERCNTR>0\nORDER BY LAYERCNTR").arg(Loc));
        QCOMPARE(P->Count(), 1);
        QCOMPARE(P->Layer(0)->SubLayers()->Count(), 1);
    }

    void projectKeySelectsRows()
    {
        TFixture F;
        // Borehole 1 of two projects sharing the LOCID.
        for (const char *Prj : {"ZAVGEN", "FREMD"}) {
            F.Exec(QStringLiteral("INSERT INTO S3SCHDAT (PRJ_ID,LOCID,RECID,LAYERID,LAYERCNTR,DEPTHTO) "
                                  "VALUES ('%1',1,%2,1,0,%3)")
                       .arg(QLatin1String(Prj))
                       .arg(Prj[0] == 'Z' ? 1 : 2)
                       .arg(Prj[0] == 'Z' ? 2.0 : 4.0));
            F.Exec(QStringLiteral("INSERT INTO S3GRUNDW (PRJ_ID,LOCID,RECID,GW) VALUES ('%1',1,%2,1.5)")
                       .arg(QLatin1String(Prj))
                       .arg(Prj[0] == 'Z' ? 1 : 2));
            F.Exec(QStringLiteral("INSERT INTO S3PROBEN (PRJ_ID,LOCID,RECID,INVNAME) VALUES ('%1',1,%2,'%1')")
                       .arg(QLatin1String(Prj))
                       .arg(Prj[0] == 'Z' ? 1 : 2));
        }
        auto Own = F.Profile(1, QStringLiteral("ZAVGEN"));
        QVERIFY(F.ReadLayers(*Own));
        QCOMPARE(LayerDepths(*Own), QStringList({"2"}));
        QVERIFY(Own->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename()));
        QCOMPARE(Own->Waterlevels()->Count(), 1);
        QVERIFY(Own->ReadSamplesFromDB(&F.DM.QyDynamic, F.DM.S3ProbenTablename()));
        QCOMPARE(Own->Samples()->Count(), 1);
        QCOMPARE(Own->Sample(0)->Name(), QStringLiteral("ZAVGEN"));

        auto Any = F.Profile(1, QString());
        QVERIFY(F.ReadLayers(*Any));
        QCOMPARE(LayerDepths(*Any), QStringList({"2", "4"}));
        Any->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename());
        QCOMPARE(Any->Waterlevels()->Count(), 2);
        Any->ReadSamplesFromDB(&F.DM.QyDynamic, F.DM.S3ProbenTablename());
        QCOMPARE(Any->Samples()->Count(), 2);
    }

    void layersAndSublayersFromRows()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        // Layers inserted out of depth order.
        F.Exec(QStringLiteral("INSERT INTO S3SCHDAT (LOCID,RECID,LAYERID,LAYERCNTR,DEPTHTO,DEPTHFROM,PETRO) VALUES "
                              "(%1,1,1,0,5.5,2,'G'),(%1,2,2,0,2,NULL,'S'),(%1,3,3,0,9,5.5,'T')")
                   .arg(Loc));
        // Sublayers of layer 1, out of counter order; rows with counter 0 or NULL and no depth.
        F.Exec(QStringLiteral("INSERT INTO S3SCHDAT (LOCID,RECID,LAYERID,LAYERCNTR,SART,PETRO) VALUES "
                              "(%1,4,1,2,'B3','X'),(%1,5,1,1,'ad','S'),(%1,6,1,0,'x',''),(%1,7,1,NULL,'y','')")
                   .arg(Loc));
        // A row with a depth and a counter: a layer and a sublayer of each layer of its LAYERID.
        F.Exec(QStringLiteral("INSERT INTO S3SCHDAT (LOCID,RECID,LAYERID,LAYERCNTR,DEPTHTO,SART) VALUES "
                              "(%1,8,3,1,12,'aug')")
                   .arg(Loc));

        auto P = F.Profile(Loc, QString());
        QVERIFY(F.ReadLayers(*P));
        QCOMPARE(LayerDepths(*P), QStringList({"2", "5.5", "9", "12"}));
        QCOMPARE(P->Layer(0)->DepthFrom(), 0.0); // NULL reads as 0
        QCOMPARE(P->Layer(1)->DepthFrom(), 2.0);
        QCOMPARE(P->Layer(0)->SubLayers()->Count(), 0);
        TZAV_Layer *First = P->Layer(1);
        QCOMPARE(First->SubLayers()->Count(), 2);
        QCOMPARE(First->SubLayer(0)->RecID(), 5);
        QCOMPARE(First->SubLayer(0)->SArt(), QStringLiteral("ad"));
        QCOMPARE(First->SubLayer(1)->RecID(), 4);
        QCOMPARE(P->Layer(2)->SubLayers()->Count(), 1);
        QCOMPARE(P->Layer(2)->SubLayer(0)->RecID(), 8);
        QCOMPARE(P->Layer(3)->SubLayers()->Count(), 1); // its own row
    }

    void boreholeWithoutLayersEmptiesTheProfile()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        F.DM.AddLayer(Loc, QString());
        auto P = F.Profile(Loc, QString());
        QVERIFY(F.ReadLayers(*P));
        QCOMPARE(P->Count(), 1);
        F.DM.DeleteLayer(Loc, P->Layer(0)->RecID());
        QVERIFY(!F.ReadLayers(*P));
        QCOMPARE(P->Count(), 0);
    }

    void readingOneKindLeavesTheOthers()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        F.DM.AddLayer(Loc, QString());
        F.DM.AddWaterlevel(Loc, QString());
        F.DM.AddSample(Loc, QString());
        F.DM.AddSample(Loc, QString());
        auto P = F.Profile(Loc, QString());
        F.ReadLayers(*P);
        P->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename());
        P->ReadSamplesFromDB(&F.DM.QyDynamic, F.DM.S3ProbenTablename());
        TObject *Layer = P->Layer(0);
        TObject *Level = P->Waterlevel(0);

        F.Exec(QStringLiteral("DELETE FROM S3SCHDAT"));
        F.Exec(QStringLiteral("DELETE FROM S3GRUNDW"));
        QVERIFY(P->ReadSamplesFromDB(&F.DM.QyDynamic, F.DM.S3ProbenTablename()));
        QCOMPARE(P->Samples()->Count(), 2);
        QCOMPARE(P->Layer(0), Layer);
        QCOMPARE(P->Waterlevel(0), Level);

        QVERIFY(!P->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename()));
        QCOMPARE(P->Waterlevels()->Count(), 0);
        QCOMPARE(P->Count(), 1);
        QCOMPARE(P->Samples()->Count(), 2);

        F.DM.AddWaterlevel(Loc, QString());
        QVERIFY(P->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename()));
        QVERIFY(!F.ReadLayers(*P));
        QCOMPARE(P->Count(), 0);
        QCOMPARE(P->Waterlevels()->Count(), 1);
        QCOMPARE(P->Samples()->Count(), 2);
    }

    void waterlevelsAndSamplesInRecIdOrder()
    {
        TFixture F;
        F.Exec(QStringLiteral("INSERT INTO S3GRUNDW (LOCID,RECID,GW) VALUES (1,3,3),(1,1,1),(1,2,2)"));
        auto P = F.Profile(1, QString());
        P->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename());
        QCOMPARE(P->Waterlevels()->Count(), 3);
        for (int I = 0; I < 3; ++I)
            QCOMPARE(P->Waterlevel(I)->RecID(), I + 1);
    }

    void masterRowReadsIntoTheProfile()
    {
        TFixture F;
        F.Exec(QStringLiteral("INSERT INTO S3STAMM (PRJ_ID,LOCID,RECID,ANAME,XCOORD,YCOORD,ZCOORDB,ZCOORDE,KSYS,HSYS,"
                              "SHORTNAME) VALUES ('P1',4,1,'Bohrung Süd',3456789.5,5678901.25,101.5,30,'GK3','NHN','BS')"));
        F.Exec(QStringLiteral("INSERT INTO S3STAMM (LOCID,RECID) VALUES (5,1)"));
        QVERIFY(F.DM.OpenTblBorehole());
        TZAV_Profil P;
        P.ReadFromDB(&F.DM.QyStamm);
        QCOMPARE(P.Name(), QStringLiteral("Bohrung Süd"));
        QCOMPARE(P.X(), 3456789.5);
        QCOMPARE(P.Y(), 5678901.25);
        QCOMPARE(P.Z(), 101.5);
        QCOMPARE(P.MaxDepth(), 30.0);
        QCOMPARE(P.XYsys(), QStringLiteral("GK3"));
        QCOMPARE(P.Zsys(), QStringLiteral("NHN"));
        QCOMPARE(P.Prj_ID(), QStringLiteral("P1"));
        QCOMPARE(P.LocID(), 4);
        QCOMPARE(P.Shortname(), QStringLiteral("BS"));

        F.DM.QyStamm.Next();
        P.ReadFromDB(&F.DM.QyStamm);
        QCOMPARE(P.Name(), QString());
        QCOMPARE(P.X(), 0.0);
        QCOMPARE(P.Prj_ID(), QString());
        QCOMPARE(P.LocID(), 5);

        P.ReadFromDB(nullptr);
        QCOMPARE(P.LocID(), 5);
    }

    void layerRoundTrip()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        const int Rec = F.DM.AddLayer(Loc, QStringLiteral("ZAVGEN"));
        F.Exec(QStringLiteral("UPDATE S3SCHDAT SET DEPTHFROM=1.25"));
        auto P = F.Profile(Loc, QStringLiteral("ZAVGEN"));
        F.ReadLayers(*P);
        TZAV_Layer *L = P->Layer(0);
        QCOMPARE(L->RecID(), Rec);
        QCOMPARE(L->IntGruppe(), QStringLiteral("ERST"));
        L->SetDepthTo(0); // 0 is a depth
        L->SetPetro(QStringLiteral("mS,fs2,g3"));
        L->SetFarbe(QStringLiteral("hbn"));
        L->SetGenese(QStringLiteral("fl"));
        L->SetStrat(QStringLiteral("qh?"));
        L->SetZusatz(QStringLiteral("b2,en"));
        L->SetErgBem(QStringLiteral("Bemerkung mit Umlauten äöüß"));
        L->SetBeschBg(QString());
        L->SetBeschBv(QStringLiteral("x"));
        L->SetGruppe(QStringLiteral("GU-GT"));
        L->SetKalkGeh(QStringLiteral("k2"));
        L->SetIntGruppe(QString());
        L->SetIntKlasse(QStringLiteral("Ä1"));
        QVERIFY(L->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3SchichtTablename()));

        auto Back = F.Profile(Loc, QStringLiteral("ZAVGEN"));
        F.ReadLayers(*Back);
        TZAV_Layer *B = Back->Layer(0);
        QCOMPARE(B->DepthTo(), 0.0);
        QCOMPARE(B->DepthFrom(), 1.25);
        QCOMPARE(B->Petro(), L->Petro());
        QCOMPARE(B->Farbe(), L->Farbe());
        QCOMPARE(B->Genese(), L->Genese());
        QCOMPARE(B->Strat(), L->Strat());
        QCOMPARE(B->Zusatz(), L->Zusatz());
        QCOMPARE(B->ErgBem(), L->ErgBem());
        QCOMPARE(B->BeschBv(), L->BeschBv());
        QCOMPARE(B->Gruppe(), L->Gruppe());
        QCOMPARE(B->KalkGeh(), L->KalkGeh());
        QCOMPARE(B->IntKlasse(), L->IntKlasse());
        // Emptied fields are stored as empty text, not NULL; DEPTHFROM and the rest stay.
        const QVariantList Row = F.Row(
            QStringLiteral("select BESCHBG, INTGRUPPE, DEPTHFROM, LAYERCNTR, INTV, PRJ_ID from S3SCHDAT where RECID=%1").arg(Rec));
        QCOMPARE(Row.value(0), QVariant(QString()));
        QVERIFY(!Row.value(0).isNull());
        QCOMPARE(Row.value(1), QVariant(QString()));
        QCOMPARE(Row.value(2).toDouble(), 1.25);
        QCOMPARE(Row.value(3).toInt(), 0);
        QCOMPARE(Row.value(5).toString(), QStringLiteral("ZAVGEN"));
    }

    void sublayerRoundTripKeepsDepthNull()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        const int LayerRec = F.DM.AddLayer(Loc, QString());
        const int SubRec = F.DM.AddSublayer(Loc, LayerRec, QString());
        auto P = F.Profile(Loc, QString());
        F.ReadLayers(*P);
        TZAV_SubLayer *S = P->Layer(0)->SubLayer(0);
        QCOMPARE(S->RecID(), SubRec);
        S->SetSArt(QStringLiteral("B3"));
        S->SetPetro(QStringLiteral("X"));
        QVERIFY(S->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3SchichtTablename()));
        const QVariantList Row = F.Row(QStringLiteral("select SART, PETRO, DEPTHTO, LAYERCNTR from S3SCHDAT where RECID=%1").arg(SubRec));
        QCOMPARE(Row.value(0).toString(), QStringLiteral("B3"));
        QCOMPARE(Row.value(1).toString(), QStringLiteral("X"));
        QVERIFY(Row.value(2).isNull());
        QCOMPARE(Row.value(3).toInt(), 1);
        // The row reads back as a sublayer again, not as a layer.
        F.ReadLayers(*P);
        QCOMPARE(P->Count(), 1);
        QCOMPARE(P->Layer(0)->SubLayer(0)->SArt(), QStringLiteral("B3"));
    }

    void updateOfAMissingRowChangesNothing()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        F.DM.AddLayer(Loc, QString());
        TZAV_Layer Layer(3);
        Layer.SetRecID(99);
        Layer.SetPetro(QStringLiteral("G"));
        QVERIFY(!Layer.UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3SchichtTablename()));
        QVERIFY(!Layer.UpdateDB(Loc, nullptr, F.DM.S3SchichtTablename()));
        TZAV_SubLayer Sub;
        Sub.SetRecID(1);
        QVERIFY(!Sub.UpdateDB(Loc + 1, &F.DM.QyLayers, F.DM.S3SchichtTablename()));
        TZAV_Groundwater Level;
        Level.SetRecID(5);
        QVERIFY(!Level.UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3GrundWTablename()));
        QVERIFY(!Level.UpdateDB(Loc, nullptr, F.DM.S3GrundWTablename()));
        TZAV_Sample Sample;
        QVERIFY(!Sample.UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3ProbenTablename()));
        QCOMPARE(F.CountRows(QStringLiteral("PETRO='G'")), 0);
        QCOMPARE(F.CountRows(QStringLiteral("1=1")), 1);
    }

    void newWaterlevelAndSampleAreAllMissing()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        F.DM.AddWaterlevel(Loc, QStringLiteral("ZAVGEN"));
        F.DM.AddSample(Loc, QStringLiteral("ZAVGEN"));
        auto P = F.Profile(Loc, QStringLiteral("ZAVGEN"));
        P->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename());
        P->ReadSamplesFromDB(&F.DM.QyDynamic, F.DM.S3ProbenTablename());
        TZAV_Groundwater *W = P->Waterlevel(0);
        TZAV_Sample *S = P->Sample(0);
        for (double V : {W->Depth(), W->GWF(), W->GWS(), W->GWV(), W->GWR(), S->TopDepth(), S->BottomDepth()})
            QVERIFY(std::isnan(V));
        QCOMPARE(W->DateMeasured(), 0.0);
        QCOMPARE(W->DeltaTime(), -1);
        QCOMPARE(S->Name(), QString());

        QVERIFY(W->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3GrundWTablename()));
        QVERIFY(S->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3ProbenTablename()));
        const QVariantList WRow = F.Row(QStringLiteral("select GW,GWF,GWS,GWV,GWR,GWDATUM,GWZEIT from S3GRUNDW"));
        QCOMPARE(WRow.size(), 7);
        for (const QVariant &V : WRow)
            QVERIFY(V.isNull());
        const QVariantList SRow = F.Row(QStringLiteral("select INVZBEG,INVZEND,INVNAME from S3PROBEN"));
        QCOMPARE(SRow.size(), 3);
        for (const QVariant &V : SRow)
            QVERIFY(V.isNull());
    }

    void waterlevelValuesAndNulls_data()
    {
        QTest::addColumn<double>("depth");
        QTest::addColumn<double>("gwr");
        QTest::addColumn<double>("date");
        QTest::addColumn<int>("deltaTime");
        QTest::addColumn<QVariantList>("stored"); // GW, GWF, GWS, GWV, GWR, GWDATUM, GWZEIT
        const QVariant Null;
        QTest::newRow("depth present, the other levels missing")
            << 3.456 << NaN << 46000.5 << 12 << QVariantList{3.456, Null, Null, Null, Null, 46000.5, 12};
        QTest::newRow("depth 0 is a value") << 0.0 << 0.0 << 0.0 << 0 << QVariantList{0.0, Null, Null, Null, 0.0, Null, 0};
        QTest::newRow("negative time difference and date are missing")
            << NaN << 2.5 << -3.0 << -1 << QVariantList{Null, Null, Null, Null, 2.5, Null, Null};
    }

    void waterlevelValuesAndNulls()
    {
        QFETCH(double, depth);
        QFETCH(double, gwr);
        QFETCH(double, date);
        QFETCH(int, deltaTime);
        QFETCH(QVariantList, stored);
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        TZAV_Groundwater W;
        W.SetRecID(F.DM.AddWaterlevel(Loc, QString()));
        W.SetDepth(depth);
        W.SetGWF(NaN);
        W.SetGWS(NaN);
        W.SetGWV(NaN);
        W.SetGWR(gwr);
        W.SetDateMeasured(date);
        W.SetDeltaTime(deltaTime);
        QVERIFY(W.UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3GrundWTablename()));
        const QVariantList Row = F.Row(QStringLiteral("select GW,GWF,GWS,GWV,GWR,GWDATUM,GWZEIT from S3GRUNDW"));
        QCOMPARE(Row.size(), stored.size());
        for (int I = 0; I < Row.size(); ++I) {
            QCOMPARE(Row[I].isNull(), stored[I].isNull());
            if (!stored[I].isNull())
                QCOMPARE(Row[I].toDouble(), stored[I].toDouble());
        }

        // Written back unchanged, every value stays as it is, a stored 0 included.
        auto P = F.Profile(Loc, QString());
        P->ReadWaterlevelsFromDB(&F.DM.QyDynamic, F.DM.S3GrundWTablename());
        QVERIFY(P->Waterlevel(0)->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3GrundWTablename()));
        QCOMPARE(F.Row(QStringLiteral("select GW,GWF,GWS,GWV,GWR,GWDATUM,GWZEIT from S3GRUNDW")), Row);
    }

    void sampleRoundTrip()
    {
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        TZAV_Sample S;
        S.SetRecID(F.DM.AddSample(Loc, QString()));
        S.SetName(QStringLiteral("P-ä1"));
        S.SetTopDepth(0);
        S.SetBottomDepth(1.75);
        QVERIFY(S.UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3ProbenTablename()));
        auto P = F.Profile(Loc, QString());
        P->ReadSamplesFromDB(&F.DM.QyDynamic, F.DM.S3ProbenTablename());
        QCOMPARE(P->Sample(0)->Name(), QStringLiteral("P-ä1"));
        QCOMPARE(P->Sample(0)->TopDepth(), 0.0);
        QCOMPARE(P->Sample(0)->BottomDepth(), 1.75);

        // An empty name is stored as NULL; a name longer than its column is refused.
        P->Sample(0)->SetName(QString());
        QVERIFY(P->Sample(0)->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3ProbenTablename()));
        QVERIFY(F.Row(QStringLiteral("select INVNAME from S3PROBEN")).value(0).isNull());
        P->Sample(0)->SetName(QString(21, u'x'));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, P->Sample(0)->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3ProbenTablename()));
        QCOMPARE(P->Sample(0)->Name(), QString(21, u'x'));
        // Also when a NUL hides the rest from a count that stops there.
        P->Sample(0)->SetName(u"a"_s + QChar(0) + QString(30, u'x'));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, P->Sample(0)->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3ProbenTablename()));
        QVERIFY(F.Row(QStringLiteral("select INVNAME from S3PROBEN")).value(0).isNull());
    }

    void layerWithoutDepthIsRefused()
    {
        // Stored as NULL, it would vanish from every later read, with its sublayers.
        TFixture F;
        const int Loc = F.DM.AddBorehole();
        auto P = F.Profile(Loc, QString());
        const int RecID = F.DM.AddLayer(Loc, QString());
        F.DM.AddSublayer(Loc, RecID, QString());
        QVERIFY(F.ReadLayers(*P));
        TZAV_Layer *Layer = P->Layer(0);
        Layer->SetDepthTo(NaN);
        Layer->SetPetro(QStringLiteral("G"));
        try {
            Layer->UpdateDB(Loc, &F.DM.QyLayers, F.DM.S3SchichtTablename());
            QFAIL("a layer without depth was stored");
        } catch (const EDatabaseError &E) {
            QCOMPARE(E.Message(), QStringLiteral("Schicht ohne Tiefe kann nicht gespeichert werden"));
        }
        QCOMPARE(F.Row(QStringLiteral("select DEPTHTO, PETRO from S3SCHDAT where RECID=%1").arg(RecID)),
                 QVariantList({1.0, QVariant()}));
        QVERIFY(F.ReadLayers(*P));
        QCOMPARE(P->Layer(0)->SubLayers()->Count(), 1);
    }

    void limeContentClass_data()
    {
        QTest::addColumn<QString>("kalkGeh");
        QTest::addColumn<QString>("iso");
        QTest::newRow("kalkfrei") << "kf" << "0";
        QTest::newRow("k4") << "k4" << "++";
        QTest::newRow("k5") << "k5" << "++";
        QTest::newRow("k") << "k" << "+";
        QTest::newRow("k1") << "k1" << "+";
        QTest::newRow("k3") << "k3" << "+";
        QTest::newRow("kf wins over k4") << "k4,kf" << "0";
        QTest::newRow("upper case is no code") << "K4" << "";
        QTest::newRow("any other lower-case k") << "xk" << "+";
        QTest::newRow("no k") << "abc" << "";
        QTest::newRow("empty") << "" << "";
    }

    void limeContentClass()
    {
        QFETCH(QString, kalkGeh);
        QFETCH(QString, iso);
        TZAV_Layer L(1);
        L.SetKalkGeh(kalkGeh);
        QCOMPARE(L.GetISOLimeCont(), iso);
    }

    void completeDescriptionOfASublayer()
    {
        std::unique_ptr<TZAVDictionaries> Set = LoadDictionariesFromResource();
        QVERIFY(Set);
        ZAV_Dictionaries = Set.get();
        TZAV_SubLayer S;
        S.SetSArt(QStringLiteral("B3"));
        S.SetPetro(QStringLiteral("X"));
        QCOMPARE(S.CompleteDescription(), QStringLiteral("etliche Brocken von: Steine"));
        ZAV_Dictionaries = nullptr;
        QCOMPARE(S.CompleteDescription(), QStringLiteral("B3: X"));
    }

    void newObjectsAndMissingDatasets()
    {
        TZAV_Layer L(4.5);
        QCOMPARE(L.DepthTo(), 4.5);
        QCOMPARE(L.DepthFrom(), 0.0);
        QCOMPARE(L.RecID(), 0);
        QCOMPARE(L.SubLayers()->Count(), 0);
        L.ReadFromDB(nullptr);
        QCOMPARE(L.DepthTo(), 4.5);
        TZAV_Groundwater W;
        QCOMPARE(W.Depth(), 0.0);
        QCOMPARE(W.DeltaTime(), 0);
        W.ReadFromDB(nullptr);
        QCOMPARE(W.Depth(), 0.0);
        TZAV_Profil P;
        QCOMPARE(P.Count(), 0);
        QVERIFY(P.OwnsObjects());
        QCOMPARE(P.Waterlevels()->Count(), 0);
        QCOMPARE(P.Samples()->Count(), 0);
    }

    void profileFreesWhatItHolds()
    {
        // Run under the sanitizers: nothing may leak or be freed twice.
        auto P = std::make_unique<TZAV_Profil>();
        auto *L = new TZAV_Layer(1);
        L->SubLayers()->Add(new TZAV_SubLayer);
        P->Add(L);
        P->Waterlevels()->Add(new TZAV_Groundwater);
        P->Samples()->Add(new TZAV_Sample);
        P.reset();
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
