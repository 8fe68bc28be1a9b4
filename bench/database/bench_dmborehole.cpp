// The data module's identifier allocation, inserts and deletes on a large catalogue:
// 20,000 boreholes with 10 layers, 2 water levels and 2 samples each (target: under 5 ms
// per operation; connecting with its integrity check well under 0.2 s). Every benchmark
// works on its own copy of that file.

#include "BenchMain.h"
#include "DMBorehole.h"
#include "DatabaseTemplate.h"
#include "ZavDatabaseError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int Boreholes = 20000;
constexpr int LayersPerBorehole = 10;


// The catalogue, built once per program run.
const QString &CatalogueMaster()
{
    static const QString Path = [] {
        const QString P = QDir(BenchWorkDir()).filePath(QStringLiteral("master.accdb"));
        WriteDatabaseTemplate(P, BuiltinDatabaseTemplate());
        TZavConnection Conn;
        Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + P);
        Conn.Open();
        TZavTransaction T(Conn);
        const QString Numbers = QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1), "
            "m(j) AS (SELECT 1 UNION ALL SELECT j+1 FROM m WHERE j<%2) ").arg(Boreholes).arg(LayersPerBorehole);
        Conn.ExecRaw(QStringLiteral("INSERT INTO S3STAMM (PRJ_ID,LOCID,RECID,ANAME,SHORTNAME,XCOORD,YCOORD,ZCOORDB,ZCOORDE,KSYS,HSYS) ")
                     + Numbers
                     + QStringLiteral("SELECT 'ZAVGEN', i, 1, 'Bohrung '||i, 'B'||i, 3400000+i, 5600000+i, 100.5, 15, 'GK3', 'NN' FROM n"));
        Conn.ExecRaw(QStringLiteral("INSERT INTO S3SCHDAT (PRJ_ID,LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE,DEPTHFROM,DEPTHTO,PETRO,FARBE) ")
                     + Numbers
                     + QStringLiteral("SELECT 'ZAVGEN', i, j, 0, j, 0, 'ERST', (j-1)*1.5, j*1.5, 'G,s,u''', 'bn' FROM n, m"));
        Conn.ExecRaw(QStringLiteral("INSERT INTO S3GRUNDW (PRJ_ID,LOCID,RECID,GW) ") + Numbers
                     + QStringLiteral("SELECT 'ZAVGEN', i, j, j*2.0 FROM n, m WHERE j<=2"));
        Conn.ExecRaw(QStringLiteral("INSERT INTO S3PROBEN (PRJ_ID,LOCID,RECID,INVZBEG,INVZEND,INVNAME) ") + Numbers
                     + QStringLiteral("SELECT 'ZAVGEN', i, j, j, j+0.5, 'P'||j FROM n, m WHERE j<=2"));
        T.Commit();
        return P;
    }();
    return Path;
}

// A connected data module on a fresh copy of the catalogue.
std::unique_ptr<TDMBorehole> ConnectedCopy(const char *AName)
{
    const QString Copy = QDir(BenchWorkDir()).filePath(QString::fromLatin1(AName) + QStringLiteral(".accdb"));
    QFile::remove(Copy);
    if (!QFile::copy(CatalogueMaster(), Copy))
        throw EDatabaseError(QStringLiteral("cannot copy the catalogue"));
    auto DM = std::make_unique<TDMBorehole>();
    if (!DM->ConnectToDatabase(Copy))
        throw EDatabaseError(QStringLiteral("cannot connect to the catalogue copy"));
    return DM;
}

void BM_AddBorehole(benchmark::State &AState)
{
    auto DM = ConnectedCopy("add-borehole");
    for (auto _ : AState)
        benchmark::DoNotOptimize(DM->AddBorehole());
}
BENCHMARK(BM_AddBorehole)->Iterations(1000)->Unit(benchmark::kMillisecond);

void BM_AddLayer(benchmark::State &AState)
{
    auto DM = ConnectedCopy("add-layer");
    int LocID = 0;
    for (auto _ : AState) {
        LocID = LocID % Boreholes + 1;
        benchmark::DoNotOptimize(DM->AddLayer(LocID, QStringLiteral("ZAVGEN")));
    }
}
BENCHMARK(BM_AddLayer)->Iterations(1000)->Unit(benchmark::kMillisecond);

void BM_AddSublayer(benchmark::State &AState)
{
    auto DM = ConnectedCopy("add-sublayer");
    int LocID = 0;
    for (auto _ : AState) {
        LocID = LocID % Boreholes + 1;
        benchmark::DoNotOptimize(DM->AddSublayer(LocID, 3, QStringLiteral("ZAVGEN")));
    }
}
BENCHMARK(BM_AddSublayer)->Iterations(1000)->Unit(benchmark::kMillisecond);

void BM_DeleteBoreholeWithChildren(benchmark::State &AState)
{
    auto DM = ConnectedCopy("delete-borehole");
    int LocID = 0;
    for (auto _ : AState) {
        ++LocID;
        if (!DM->DeleteBorehole(LocID, true))
            AState.SkipWithError("no master row deleted");
    }
}
BENCHMARK(BM_DeleteBoreholeWithChildren)->Iterations(1000)->Unit(benchmark::kMillisecond);

// For information (no target): the two operations that read the whole master table.
void BM_DuplicateBorehole(benchmark::State &AState)
{
    auto DM = ConnectedCopy("duplicate");
    int LocID = 0;
    for (auto _ : AState) {
        LocID += 97;
        benchmark::DoNotOptimize(DM->DuplicateBorehole(LocID));
    }
}
BENCHMARK(BM_DuplicateBorehole)->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_OpenTblBorehole(benchmark::State &AState)
{
    auto DM = ConnectedCopy("open-list");
    for (auto _ : AState)
        benchmark::DoNotOptimize(DM->OpenTblBorehole());
}
BENCHMARK(BM_OpenTblBorehole)->Iterations(20)->Unit(benchmark::kMillisecond);

// Connecting runs SQLite's quick check over the whole file (target: well under 0.2 s).
void BM_ConnectToDatabase(benchmark::State &AState)
{
    auto DM = ConnectedCopy("connect");
    const QString Path = DM->Filename();
    for (auto _ : AState) {
        if (!DM->ConnectToDatabase(Path))
            throw EDatabaseError(QStringLiteral("cannot connect to the catalogue copy"));
    }
}
BENCHMARK(BM_ConnectToDatabase)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunFileBenchmarks<QCoreApplication>(argc, argv, "bench_dmborehole");
}
