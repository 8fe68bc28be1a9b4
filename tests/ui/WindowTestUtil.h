#pragma once

// Helpers of the window tests: catalogues made from the template, the commands by name,
// rows read back from a catalogue file as another program would.

#include "DatabaseTemplate.h"
#include "DatabaseTestUtil.h"
#include "MainForm.h"
#include "ScriptedDialogs.h"
#include "ZavConnection.h"
#include "ZavQuery.h"

#include "DMBorehole.h"
#include "DMDict.h"
#include "FormZAVDict.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <memory>

// A new catalogue in ADir from the template, with AStatements run on it; its path.
inline QString MakeCatalogue(const QString &ADir, const QStringList &AStatements = {})
{
    static int Counter = 0;
    const QString Path = QDir(ADir).filePath(QStringLiteral("Katalog %1.sqlite").arg(++Counter));
    WriteDatabaseTemplate(Path, BuiltinDatabaseTemplate());
    if (!AStatements.isEmpty())
        OnFile(Path, AStatements);
    return Path;
}

// The command of that name; the test ends when there is none.
inline QAction *CommandOf(const TZAV3MainForm &AForm, const char *AName)
{
    auto *Action = AForm.findChild<QAction *>(QString::fromLatin1(AName));
    if (!Action)
        qFatal("no command %s", AName);
    return Action;
}

// "Öffnen..." with the user picking APath.
inline void OpenCatalogue(const TZAV3MainForm &AForm, TScriptedDialogs &ADialogs, const QString &APath)
{
    ADialogs.FilePaths = {APath};
    CommandOf(AForm, "OpenDatabase")->trigger();
}

// The rows of a statement on a catalogue file, each row "v1|v2|...", NULL as "<null>".
inline QStringList Rows(const QString &APath, const QString &AStatement)
{
    TZavConnection Conn;
    Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + APath);
    Conn.Open();
    TZavQuery Q(Conn);
    Q.SetSQL(AStatement);
    Q.Open();
    QStringList Result;
    for (; !Q.Eof(); Q.Next()) {
        QStringList Values;
        for (int I = 0; I < Q.FieldCount(); ++I)
            Values.append(Q.Fields(I).IsNull() ? QStringLiteral("<null>") : Q.Fields(I).AsString());
        Result.append(Values.join(u'|'));
    }
    return Result;
}

// The rows of a list, each "cell|cell|...".
inline QStringList ListRowTexts(const QTreeWidget *AList)
{
    QStringList Result;
    for (int I = 0; I < AList->topLevelItemCount(); ++I) {
        QStringList Cells;
        for (int C = 0; C < AList->columnCount(); ++C)
            Cells.append(AList->topLevelItem(I)->text(C));
        Result.append(Cells.join(u'|'));
    }
    return Result;
}

// The field the Tab key reaches from AWidget.
inline QWidget *NextByTab(QWidget *AWidget)
{
    QWidget *W = AWidget->nextInFocusChain();
    while (W != AWidget && !((W->focusPolicy() & Qt::TabFocus) && W->isVisibleTo(W->window()) && W->isEnabled()))
        W = W->nextInFocusChain();
    return W;
}

// Base of the window tests: before each test a fresh folder, scripted dialogs, the data
// module and a shown main window; all gone after it.
class TWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // Never the user's own data folder: the kept dictionary set lives there.
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(DefaultDictionarySetPath());
        FDir = std::make_unique<QTemporaryDir>();
        auto Dialogs = std::make_unique<TScriptedDialogs>();
        FDialogs = Dialogs.get();
        SetZavDialogs(std::move(Dialogs));
        FDictModule = std::make_unique<TDMDict>();
        DMDict = FDictModule.get();
        FDM = std::make_unique<TDMBorehole>();
        DMBorehole = FDM.get();
        FForm = std::make_unique<TZAV3MainForm>();
        FForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
    }

    void cleanup()
    {
        FForm.reset();
        DMBorehole = nullptr;
        FDM.reset();
        DMDict = nullptr;
        FDictModule.reset();
        QFile::remove(DefaultDictionarySetPath());
        SetZavDialogs(nullptr);
        FDialogs = nullptr;
        FDir.reset();
    }

protected:
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TDMDict> FDictModule;
    std::unique_ptr<TDMBorehole> FDM;
    std::unique_ptr<TZAV3MainForm> FForm;
    TScriptedDialogs *FDialogs = nullptr;
};
