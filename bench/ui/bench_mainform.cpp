// The window on large catalogues: opening 20,000 boreholes through "Öffnen..." until the
// list holds and has painted every row (target: under 0.5 s); the layer page of a
// borehole with 1,000 layers and 2,000 sublayers (target: under 0.3 s); one keystroke in
// "Petrologie" to its updated clear text (target: under 0.2 ms); one keystroke in the
// search panel to the complete result list (target: under 5 ms on a full-size set).

#include "BenchMain.h"
#include "DMBorehole.h"
#include "SyntheticSets.h"
#include "DatabaseTemplate.h"
#include "LayerPage.h"
#include "MainForm.h"
#include "SearchPanel.h"
#include "StartPage.h"
#include "ZAVDictionaries.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavDialogs.h"

#include <QApplication>
#include <QBuffer>
#include <QRadioButton>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>

namespace {

constexpr int Boreholes = 20000;

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
    int ExecDialog(QDialog *) override { return 0; }
    std::unique_ptr<TProgress> BeginProgress(QWidget *, const QString &) override { return nullptr; }
};

QString MakeCatalogue()
{
    const QString P = QDir(BenchWorkDir()).filePath(QStringLiteral("bench.sqlite"));
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

// A catalogue whose borehole 1 has 1,000 layers of two sublayers each, opened in a window.
struct TLayerFixture
{
    TOpenDialogs *Dialogs = nullptr;
    std::unique_ptr<TDMBorehole> DM;
    std::unique_ptr<TZAV3MainForm> Form;

    TLayerFixture()
    {
        const QString P = QDir(BenchWorkDir()).filePath(QStringLiteral("layers.sqlite"));
        if (!QFileInfo::exists(P)) {
            WriteDatabaseTemplate(P, BuiltinDatabaseTemplate());
            TZavConnection Conn;
            Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + P);
            Conn.Open();
            TZavTransaction T(Conn);
            Conn.ExecRaw(QStringLiteral("INSERT INTO S3STAMM (PRJ_ID,LOCID,RECID,ANAME) VALUES ('ZAVGEN',1,1,'B1')"));
            Conn.ExecRaw(QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<1000), m(j) AS (SELECT 0 UNION ALL "
                "SELECT j+1 FROM m WHERE j<2) INSERT INTO S3SCHDAT (PRJ_ID,LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE,"
                "DEPTHTO,PETRO,FARBE,GENESE,STRAT,SART) SELECT 'ZAVGEN', 1, i*3+j, 0, i, j, 'ERST', "
                "CASE WHEN j=0 THEN i*0.5 END, 'mS,fs2,g3,u', 'bngr', 'f', 'qh', CASE WHEN j>0 THEN 'Ls' END FROM n, m"));
            T.Commit();
        }
        auto D = std::make_unique<TOpenDialogs>();
        Dialogs = D.get();
        Dialogs->Path = P;
        SetZavDialogs(std::move(D));
        DM = std::make_unique<TDMBorehole>();
        DMBorehole = DM.get();
        Form = std::make_unique<TZAV3MainForm>();
        Form->show();
        Form->OpenDatabaseExecute(nullptr);
        QApplication::processEvents();
    }
    ~TLayerFixture()
    {
        Form.reset();
        DMBorehole = nullptr;
        DM.reset();
        SetZavDialogs(nullptr);
    }
};

void BM_ShowLayersOfALongBorehole(benchmark::State &AState)
{
    TLayerFixture F;
    for (auto _ : AState) {
        F.Form->ShowLayersExecute(nullptr);
        QApplication::processEvents();
        if (F.Form->TabSheetSchichten->lvLayers->topLevelItemCount() != 3000)
            AState.SkipWithError("not every layer listed");
        AState.PauseTiming();
        F.Form->BtnBackClick(nullptr);
        AState.ResumeTiming();
    }
}
BENCHMARK(BM_ShowLayersOfALongBorehole)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInPetrology(benchmark::State &AState)
{
    TLayerFixture F;
    if (AState.range(0) == 1)
        GrowToFullSizePetrography(ZAV_Dictionaries->GetDictionary(wbPetro));
    F.Form->ShowLayersExecute(nullptr);
    QLineEdit *Edit = F.Form->TabSheetSchichten->edtLayerPetro;
    const QString Texts[2] = {QStringLiteral("mS,fs2,g3,u4,h"), QStringLiteral("mS,fs2,g3,u4,h,")};
    int N = 0;
    for (auto _ : AState)
        Edit->setText(Texts[++N % 2]); // the change handler translates and sets the label
}
BENCHMARK(BM_KeystrokeInPetrology)->Arg(0)->Arg(1)->ArgNames({"full_size"})->Unit(benchmark::kMicrosecond);

void BM_KeystrokeInSearch(benchmark::State &AState)
{
    auto Dialogs = std::make_unique<TOpenDialogs>();
    SetZavDialogs(std::move(Dialogs));
    TDMBorehole DM;
    DMBorehole = &DM;
    {
        TZAV3MainForm Form;
        Form.show();
        // The window's own set goes back in place before the window goes.
        TZAVDictionaries *const Own = ZAV_Dictionaries;
        std::unique_ptr<TZAVDictionaries> FullSize;
        if (AState.range(0) == 1) {
            QBuffer Buf;
            Buf.setData(SyntheticFullSet());
            Buf.open(QIODevice::ReadOnly);
            FullSize = std::make_unique<TZAVDictionaries>();
            FullSize->Clear();
            FullSize->ReadData(&Buf);
            ZAV_Dictionaries = FullSize.get();
        }
        Form.PanelSearch->RebuildGroups(ZAV_Dictionaries);
        Form.ViewSearchPanelExecute(nullptr);
        const bool Abbr = AState.range(1) == 1;
        (Abbr ? Form.PanelSearch->rbAbbr : Form.PanelSearch->rbCleartext)->setChecked(true);
        const std::array<QString, 2> Texts = Abbr ? std::array<QString, 2>{QStringLiteral("c0004"), QStringLiteral("c00042")}
                                                  : std::array<QString, 2>{QStringLiteral("ton"), QStringLiteral("tonn")};
        int N = 0;
        for (auto _ : AState)
            Form.PanelSearch->edtSearch->setText(Texts[size_t(++N % 2)]); // every change searches
        ZAV_Dictionaries = Own;
    }
    DMBorehole = nullptr;
    SetZavDialogs(nullptr);
}
BENCHMARK(BM_KeystrokeInSearch)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->ArgNames({"full_size", "abbr"})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunFileBenchmarks<QApplication>(argc, argv, "bench_mainform");
}
