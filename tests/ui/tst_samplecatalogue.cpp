// The sample catalogue: every code in it has an entry in the built-in set, and "Beispielkatalog
// öffnen..." writes it and opens it with its boreholes listed and their layers translated.

#include "LayerPage.h"
#include "MainForm.h"
#include "SampleCatalogue.h"
#include "StartPage.h"
#include "WindowTestUtil.h"
#include "ZAVDictionaries.h"

#include <QAction>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestSampleCatalogue : public TWindowTest
{
    Q_OBJECT

private slots:
    void everyCodeHasAnEntry();
    void openedFromTheMenu();
};

void TestSampleCatalogue::everyCodeHasAnEntry()
{
    // Column -> dictionary; coded layer fields are split into their tokens.
    const QList<QPair<QString, QString>> Coded{
        {u"PETRO"_s, u"S3PETRO"_s},   {u"FARBE"_s, u"S3FARBE"_s}, {u"GENESE"_s, u"S3GENES"_s},
        {u"STRAT"_s, u"S3STRAT"_s},   {u"SART"_s, u"S3SART"_s},   {u"KALKGEH"_s, u"S3KALK"_s},
        {u"GRUPPE"_s, u"S3BOGRP"_s},  {u"KSYS"_s, u"S3KSYS"_s},   {u"HSYS"_s, u"S3HSYS"_s},
        {u"BLAND"_s, u"S3BLAND"_s},   {u"TK25"_s, u"S3TK25"_s},   {u"ARFACH"_s, u"S3FACH"_s}};
    const QList<TSampleTable> Tables = SampleCatalogueTables();
    QCOMPARE(Tables.size(), 4);
    int Checked = 0;
    for (const TSampleTable &Table : Tables) {
        for (const QStringList &Row : Table.Rows) {
            QCOMPARE(Row.size(), Table.Columns.size());
            for (const auto &[Column, Dictname] : Coded) {
                const qsizetype At = Table.Columns.indexOf(Column);
                if (At < 0 || Row[At].isEmpty())
                    continue;
                const TZAVDict *Dict = ZAV_Dictionaries->GetDictionary(Dictname);
                QVERIFY(Dict);
                for (const QString &Token : Row[At].split(QRegularExpression(u"[,()\\-]"_s), Qt::SkipEmptyParts)) {
                    QVERIFY2(Dict->Find(Token, true), qPrintable(u"%1 %2 in %3"_s.arg(Column, Token, Dictname)));
                    ++Checked;
                }
            }
        }
    }
    QVERIFY(Checked > 50);
}

void TestSampleCatalogue::openedFromTheMenu()
{
    const QString Path = FDir->filePath(u"Beispiel.sqlite"_s);
    FDialogs->FilePaths = {Path};
    CommandOf(*FForm, "OpenSampleCatalogue")->trigger();
    QCOMPARE(FDialogs->Messages(), QStringList());
    QCOMPARE(FForm->windowTitle(), u"Zavrex - "_s + Path);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 5);
    QCOMPARE(Rows(Path, u"SELECT count(DISTINCT BLAND) FROM S3STAMM"_s), QStringList{u"4"_s});
    // Numbers are numbers, NULL stays NULL.
    QCOMPARE(Rows(Path, u"SELECT typeof(XCOORD), typeof(LOCID), quote(TK25) FROM S3STAMM WHERE LOCID=2"_s),
             QStringList{u"real|integer|NULL"_s});
    CommandOf(*FForm, "ShowLayers")->trigger();
    QTreeWidget *Layers = FForm->TabSheetSchichten->lvLayers;
    QCOMPARE(Layers->topLevelItemCount(), 6);
    QCOMPARE(Layers->topLevelItem(0)->text(TLayerPage::colPetro), u"Mutterboden, humos"_s);
}

QTEST_MAIN(TestSampleCatalogue)
#include "tst_samplecatalogue.moc"
