// zavrex-shots: the window's pages as PNG files, made offscreen on a small sample
// catalogue, at the default and at the minimum window size:
//
//   zavrex-shots OUTDIR
//
// Writes OUTDIR/<page>-default.png and OUTDIR/<page>-minimum.png on the sample catalogue;
// for looking at layouts without a display, and for the README's pictures (docs/).

#include "DMBorehole.h"
#include "DMDict.h"
#include "SampleCatalogue.h"
#include "SearchPanel.h"
#include "FormZAVDict.h"
#include "MainForm.h"
#include "StartPage.h"
#include "ZavDialogs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
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
    WriteSampleCatalogue(Path);
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
        // The layer page with the search panel beside it, looking up a code.
        Form.ViewSearchPanelExecute(nullptr);
        Form.PanelSearch->rbAbbr->setChecked(true);
        Form.PanelSearch->edtSearch->setText(QStringLiteral("fs"));
        Grab(Form, OutDir, QStringLiteral("layers-search"));
        Form.ViewSearchPanelExecute(nullptr);
        Form.BtnBackClick(nullptr);
        Form.ShowWaterlevelsExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("waterlevels"));
        Form.BtnBackClick(nullptr);
        Form.ShowSamplesExecute(nullptr);
        Grab(Form, OutDir, QStringLiteral("samples"));
        Form.BtnBackClick(nullptr);
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
