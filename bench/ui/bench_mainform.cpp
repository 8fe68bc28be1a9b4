// Opening a catalogue of 20,000 boreholes through the window's "Öffnen..." until the list
// holds and has painted every row (target: under 0.5 s).

#include "DMBorehole.h"
#include "DatabaseTemplate.h"
#include "MainForm.h"
#include "StartPage.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavDialogs.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int Boreholes = 20000;
QTemporaryDir *WorkDir = nullptr;

class TOpenDialogs : public TZavDialogs
{
public:
    QString Path;
    QString GetSaveFileName(QWidget *, const TFileRequest &) override { return QString(); }
    QString GetOpenFileName(QWidget *, const TFileRequest &) override { return Path; }
    TButton MessageDlg(QWidget *, TMsgKind, const QString &AHeading, const QString &, int) override
    {
        throw EDatabaseError(AHeading);
    }
    bool InputQuery(QWidget *, const QString &, const QString &, QString &) override { return false; }
};

QString MakeCatalogue()
{
    const QString P = QDir(WorkDir->path()).filePath(QStringLiteral("bench.sqlite"));
    WriteDatabaseTemplate(P, BuiltinDatabaseTemplate());
    TZavConnection Conn;
    Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + P);
    Conn.Open();
    TZavTransaction T(Conn);
    Conn.ExecRaw(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                                "INSERT INTO S3STAMM (PRJ_ID,LOCID,RECID,ANAME,SHORTNAME,XCOORD,YCOORD,ZCOORDB,ZCOORDE,"
                                "KSYS,HSYS,TK25,BLAND) SELECT 'ZAVGEN', i, 1, 'Bohrung '||i, 'B'||i, 3400000+i*0.25, "
                                "5600000+i, 100.5, 15+i%40, 'GK3', 'NN', '7916', 'BW' FROM n")
                     .arg(Boreholes));
    T.Commit();
    return P;
}

void BM_OpenCatalogueIntoTheList(benchmark::State &AState)
{
    auto Dialogs = std::make_unique<TOpenDialogs>();
    Dialogs->Path = MakeCatalogue();
    SetZavDialogs(std::move(Dialogs));
    TDMBorehole DM;
    DMBorehole = &DM;
    {
        TZAV3MainForm Form;
        Form.show();
        QApplication::processEvents();
        for (auto _ : AState) {
            Form.OpenDatabaseExecute(nullptr);
            QApplication::processEvents();
            if (Form.TabSheetStart->lvBoreholes->topLevelItemCount() != Boreholes)
                AState.SkipWithError("not every borehole listed");
        }
    }
    DMBorehole = nullptr;
    SetZavDialogs(nullptr);
}
BENCHMARK(BM_OpenCatalogueIntoTheList)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    QTemporaryDir Dir;
    WorkDir = &Dir;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const EDatabaseError &E) {
        std::fprintf(stderr, "bench_mainform: %s\n", E.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
