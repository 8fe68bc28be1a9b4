// Building the dictionary set from catalogue databases: the 21 dictionaries from an SQLite
// catalogue of the full key's size (16,368 entries, target under 0.5 s), and from the
// largest Access fixture through the Access reader.

#include "BenchMain.h"
#include "DMDict.h"
#include "ZAVDictionaries.h"
#include "ZavAccessFile.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavQuery.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {


// The table names of the set in set order, with the entry counts of the full key.
const char *const Tables[21] = {"S3PETRO", "S3FARBE", "S3KSYS", "S3HSYS",  "S3SART",  "S3KALK", "S3STRAT",
                                "S3GENES", "S3BOGRP", "S3ZUSAT", "S3BSBG", "S3BSBV",  "S3FACH", "S3KFIND",
                                "S3HFIND", "S3BART",  "S3ASBBV", "S3BZW",  "S3VERT",  "S3BLAND", "S3TK25"};
const int Sizes[21] = {2461, 279, 43, 11, 124, 267, 7125, 608, 184, 995, 256, 200, 29, 28, 28, 78, 87, 167, 15, 20, 3363};

const QString &FullSizeCatalogue()
{
    static const QString Path = [] {
        const QString P = QDir(BenchWorkDir()).filePath(QStringLiteral("catalogue.sqlite"));
        TZavConnection Conn;
        Conn.OpenNew(P);
        TZavTransaction T(Conn);
        for (int D = 0; D < 21; ++D) {
            const QString Name = QString::fromLatin1(Tables[D]);
            Conn.ExecRaw(QStringLiteral("CREATE TABLE %1 (Kuerzel TEXT, Klartext TEXT, Attribute TEXT)").arg(Name));
            // Stored out of order, as real tables are, so the sort has work to do.
            const QString Size = QString::number(Sizes[D]);
            Conn.ExecRaw(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<") + Size
                         + QStringLiteral("-1) INSERT INTO ") + Name
                         + QStringLiteral(" SELECT printf('c%05d', (i*7919) % ") + Size
                         + QStringLiteral("), printf('Klartext %04d [x]', i), CASE i % 5 WHEN 1 THEN 'Quant_A' "
                                          "WHEN 2 THEN 'Quant_M' ELSE NULL END FROM n"));
        }
        T.Commit();
        return P;
    }();
    return Path;
}

// Argument 0: the full-size SQLite catalogue; 1: the Access fixture.
void BM_BuildSetFromCatalogue(benchmark::State &AState)
{
    const QString Path = AState.range(0) == 0 ? FullSizeCatalogue() : QStringLiteral(ZAVREX_ACCESS_DATA "/catalogue.accdb");
    TDMDict Module;
    DMDict = &Module;
    for (auto _ : AState) {
        std::unique_ptr<TZAVDictionaries> Set = BuildSetFromDB(Path, nullptr);
        if (Set->Count() != 21)
            AState.SkipWithError("not 21 dictionaries");
    }
    DMDict = nullptr;
}
BENCHMARK(BM_BuildSetFromCatalogue)->Arg(0)->Arg(1)->ArgNames({"access"})->Unit(benchmark::kMillisecond);

void BM_ReadEveryTableOfAnAccessFile(benchmark::State &AState)
{
    const QString Path = QStringLiteral(ZAVREX_ACCESS_DATA "/catalogue.accdb");
    for (auto _ : AState) {
        const TZavAccessFile File(Path);
        int Rows = 0;
        for (const QString &Name : File.TableNames())
            Rows += int(File.ReadTable(Name).Rows.size());
        benchmark::DoNotOptimize(Rows);
    }
}
BENCHMARK(BM_ReadEveryTableOfAnAccessFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunFileBenchmarks<QCoreApplication>(argc, argv, "bench_catalogue");
}
