// Reading boreholes the way the window does: every master row into a profile when the
// borehole list is built, and the layers of one large borehole when its page opens.

#include "DMBorehole.h"
#include "DatabaseTemplate.h"
#include "ZAV_Profil.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Boreholes = 20000;
constexpr int BigLayers = 1000;
constexpr int BigSublayersPerLayer = 2;

// One catalogue for all benchmarks: 20,000 boreholes, the last one with 1,000 layers of
// two sublayers each.
struct TCatalogue
{
    QTemporaryDir Dir;
    TDMBorehole DM;

    TCatalogue()
    {
        const QString Path = Dir.filePath(QStringLiteral("katalog.accdb"));
        WriteDatabaseTemplate(Path, BuiltinDatabaseTemplate());
        if (!DM.ConnectToDatabase(Path))
            qFatal("cannot open the benchmark catalogue");
        DM.ConnBorehole.ExecRaw(QStringLiteral("BEGIN"));
        for (int I = 1; I <= Boreholes; ++I) {
            DM.ConnBorehole.ExecRaw(
                QStringLiteral("INSERT INTO S3STAMM (PRJ_ID,LOCID,RECID,ANAME,XCOORD,YCOORD,ZCOORDB,ZCOORDE,KSYS,HSYS,"
                               "SHORTNAME,TK25,BLAND,EPSG) VALUES ('ZAVGEN',%1,1,'Bohrung %1',%2,%3,101.25,30,'GK3',"
                               "'NHN','B%1','7916','BW',31467)")
                    .arg(I)
                    .arg(3456789.5 + I)
                    .arg(5678901.25 + I));
        }
        int Rec = 0;
        for (int L = 1; L <= BigLayers; ++L) {
            DM.ConnBorehole.ExecRaw(
                QStringLiteral("INSERT INTO S3SCHDAT (PRJ_ID,LOCID,RECID,INTV,LAYERID,LAYERCNTR,DEPTHFROM,DEPTHTO,"
                               "PETRO,FARBE,STRAT,GENESE,INTGRUPPE) VALUES ('ZAVGEN',%1,%2,0,%3,0,%4,%5,"
                               "'mS,fs2,g3','hbn','qh','fl','ERST')")
                    .arg(Boreholes)
                    .arg(++Rec)
                    .arg(L)
                    .arg(L - 1)
                    .arg(L));
            for (int S = 1; S <= BigSublayersPerLayer; ++S) {
                DM.ConnBorehole.ExecRaw(
                    QStringLiteral("INSERT INTO S3SCHDAT (PRJ_ID,LOCID,RECID,INTV,LAYERID,LAYERCNTR,SART,PETRO,"
                                   "INTGRUPPE) VALUES ('ZAVGEN',%1,%2,0,%3,%4,'B3','X','ERST')")
                        .arg(Boreholes)
                        .arg(++Rec)
                        .arg(L)
                        .arg(S));
            }
        }
        DM.ConnBorehole.ExecRaw(QStringLiteral("COMMIT"));
    }
};

TCatalogue &Catalogue()
{
    static TCatalogue C;
    return C;
}

void BM_OpenBoreholeListIntoProfiles(benchmark::State &State)
{
    TCatalogue &C = Catalogue();
    TQDObjectList Boreholes(true);
    // What the window hooks to the master query: one profile per row.
    C.DM.QyStamm.AfterOpen = [&Boreholes](TZavDataSet &DataSet) {
        Boreholes.Clear();
        DataSet.First();
        while (!DataSet.Eof()) {
            auto *P = new TZAV_Profil;
            P->ReadFromDB(&DataSet);
            Boreholes.Add(P);
            DataSet.Next();
        }
    };
    for (auto _ : State) {
        C.DM.OpenTblBorehole();
        benchmark::DoNotOptimize(Boreholes.Count());
    }
    C.DM.QyStamm.AfterOpen = nullptr;
    State.counters["boreholes"] = Boreholes.Count();
}
BENCHMARK(BM_OpenBoreholeListIntoProfiles)->Unit(benchmark::kMillisecond);

void BM_ReadLayersOfALargeBorehole(benchmark::State &State)
{
    TCatalogue &C = Catalogue();
    TZAV_Profil P;
    P.SetLocID(Boreholes);
    P.SetPrj_ID(QStringLiteral("ZAVGEN"));
    for (auto _ : State)
        P.ReadLayersFromDB(&C.DM.QyLayers, &C.DM.QySublayers, C.DM.S3SchichtTablename());
    State.counters["layers"] = P.Count();
    State.counters["sublayers"] = P.Count() * BigSublayersPerLayer;
}
BENCHMARK(BM_ReadLayersOfALargeBorehole)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
