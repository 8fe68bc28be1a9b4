// zavrex-shots: the window's pages as PNG files, made offscreen on a small sample
// catalogue, at the default and at the minimum window size:
//
//   zavrex-shots OUTDIR
//
// Writes OUTDIR/<page>-default.png and OUTDIR/<page>-minimum.png; for looking at layouts
// without a display, and for the README's picture of the start page.

#include "DMBorehole.h"
#include "DMDict.h"
#include "DatabaseTemplate.h"
#include "FormZAVDict.h"
#include "MainForm.h"
#include "StartPage.h"
#include "ZavConnection.h"
#include "ZavDialogs.h"

#include <QApplication>
#include <QDir>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <memory>

namespace {

// Answers the one open dialog with the sample catalogue.
class TSampleDialogs : public TZavDialogs
{
public:
    explicit TSampleDialogs(const QString &APath)
        : FPath(APath)
    {
    }
    QString GetSaveFileName(QWidget *, const TFileRequest &) override { return QString(); }
    QString GetOpenFileName(QWidget *, const TFileRequest &) override { return FPath; }
    TButton MessageDlg(QWidget *, TMsgKind, const QString &AHeading, const QString &AText, int) override
    {
        std::fprintf(stderr, "zavrex-shots: %s %s\n", qUtf8Printable(AHeading), qUtf8Printable(AText));
        return mbOK;
    }
    bool InputQuery(QWidget *, const QString &, const QString &, QString &) override { return false; }
    int ExecDialog(QDialog *) override { return 0; }
    std::unique_ptr<TProgress> BeginProgress(QWidget *, const QString &) override { return nullptr; }

private:
    QString FPath;
};

void Grab(TZAV3MainForm &AForm, const QString &AOutDir, const QString &APage)
{
    for (const auto &[Suffix, Size] : {std::pair{QStringLiteral("default"), QSize(1229, 660)},
                                       std::pair{QStringLiteral("minimum"), QSize(500, 600)}}) {
        AForm.resize(Size);
        QApplication::processEvents();
        AForm.grab().save(QDir(AOutDir).filePath(APage + u'-' + Suffix + QStringLiteral(".png")));
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    const QStringList Args = App.arguments();
    if (Args.size() != 2) {
        std::fprintf(stderr, "usage: zavrex-shots OUTDIR\n");
        return 2;
    }
    const QString OutDir = Args[1];
    QDir().mkpath(OutDir);
    InstallGermanQtTranslations();

    QTemporaryDir Work;
    const QString Path = QDir(Work.path()).filePath(QStringLiteral("Beispielkatalog.sqlite"));
    WriteDatabaseTemplate(Path, BuiltinDatabaseTemplate());
    {
        TZavConnection Conn;
        Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + Path);
        Conn.Open();
        Conn.ExecScript(QStringLiteral(
            "INSERT INTO S3STAMM (PRJ_ID,LOCID,RECID,ANAME,XCOORD,YCOORD,KSYS,ZCOORDE,ZCOORDB,HSYS) VALUES "
            "('ZAVGEN',1,1,'B 1 Hofgut Mühlbach',3512345.5,5423456.25,'GK3',25,312.4,'NN'),"
            "('ZAVGEN',2,1,'B 2 Am Steinbruch',3512410,5423502.5,'GK3',18.5,308.15,'NN'),"
            "('ZAVGEN',3,1,'GWM 3 Wiesengrund',493210.75,5401234,'UTM32',42,295.8,'NN'),"
            "('ZAVGEN',4,1,'RKS 4',3512388.25,5423480,'GK3',6,310,'NN');"
            "INSERT INTO S3SCHDAT (PRJ_ID,LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE,DEPTHTO,PETRO,FARBE,GENESE,STRAT,"
            "SART,KALKGEH) VALUES "
            "('ZAVGEN',1,1,0,1,0,'ERST',0.4,'Mu,h','dbn','','qh','',''),"
            "('ZAVGEN',1,2,0,2,0,'ERST',3.2,'mS,fs2,g','bn','f','qh','','k2'),"
            "('ZAVGEN',1,3,0,3,0,'ERST',12.5,'G,s,u','gr','','qp','','kf'),"
            "('ZAVGEN',1,4,0,3,1,'ERST',NULL,'U,fs','bngr','','','Ls',''),"
            "('ZAVGEN',1,5,0,4,0,'ERST',25,'T,u2','gr','','jo','','k4');"
            "INSERT INTO S3GRUNDW (PRJ_ID,LOCID,RECID,GW,GWF,GWR,GWDATUM,GWZEIT) VALUES "
            "('ZAVGEN',1,1,4.35,NULL,3.9,45413.5,24),('ZAVGEN',1,2,11.2,8.75,NULL,45414,NULL);"
            "INSERT INTO S3PROBEN (PRJ_ID,LOCID,RECID,INVNAME,INVZBEG,INVZEND) VALUES "
            "('ZAVGEN',1,1,'P 1',0.4,1),('ZAVGEN',1,2,'P 2',3.2,3.5),('ZAVGEN',1,3,'P 3 Kern',12,12.5);"));
    }
    SetZavDialogs(std::make_unique<TSampleDialogs>(Path));
    auto Dict = std::make_unique<TDMDict>();
    DMDict = Dict.get();
    auto Borehole = std::make_unique<TDMBorehole>();
    DMBorehole = Borehole.get();
    {
        TZAV3MainForm Form;
        Form.show();
        Form.OpenDatabaseExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("start"));
        Form.EditBoreholeExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("details"));
        Form.BtnBackClick(nullptr);
        Form.ShowLayersExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("layers"));
        Form.BtnBackClick(nullptr);
        Form.ShowWaterlevelsExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("waterlevels"));
        Form.BtnBackClick(nullptr);
        Form.ShowSamplesExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("samples"));
        Form.BtnBackClick(nullptr);
        Form.ViewSearchPanelExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("start-search"));
        Form.ViewSearchPanelExecute(nullptr);
        Form.PageControl1->setCurrentIndex(TZAV3MainForm::piDictionaries);
        Form.PageControl1Change(nullptr);
        Grab(Form, OutDir, QStringLiteral("dictionaries"));
        TFormZAVDict Dialog(Form);
        Dialog.show();
        QApplication::processEvents();
        Dialog.grab().save(QDir(OutDir).filePath(QStringLiteral("dictionaries-dialog.png")));
    }
    DMBorehole = nullptr;
    DMDict = nullptr;
    return 0;
}
