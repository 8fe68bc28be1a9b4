// The layer page offscreen on real catalogues with rows made through the data module:
// the list, the edit panel and its live clear texts, write-back when the row changes or
// the page is left, new layers and sublayers, deletion, and refused writes.

#include "DMBorehole.h"
#include "LayerPage.h"
#include "LocaleGuard.h"
#include "MainForm.h"
#include "StartPage.h"
#include "WindowTestUtil.h"
#include "ZAVParser.h"
#include "ZAV_Layer.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestLayerPage : public TWindowTest
{
    Q_OBJECT

private slots:
    void emptyBorehole();
    void listAndPanelShowTheLayers();
    void switchingRowsWritesBackTheOldLayer();
    void sameCodeOnTwoLayersShowsItsClearText();
    void depthAsTyped_data();
    void depthAsTyped();
    void clearTextFollowsEveryKey();
    void remarksAreStoredNotTranslated();
    void newLayerAndSublayers();
    void deleteKeyDeletesLayerWithSublayers();
    void leavingWritesTheLayerOnce_data();
    void leavingWritesTheLayerOnce();
    void refusedWriteKeepsTheEdit();
    void longClearTextsAreNotCutSilently();

private:
    // A catalogue with borehole 1 and its layers made through the data module; the
    // borehole's layer page is shown. ALayers: depth of each layer; ASublayers: the
    // number of sublayers of each layer.
    QString ShowLayers(const QList<double> &ALayers, const QList<int> &ASublayers = {}, const QStringList &AExtra = {});
    TLayerPage *Page() const { return FForm->TabSheetSchichten; }
    QTreeWidget *List() const { return Page()->lvLayers; }
    void Select(int ARow) { List()->setCurrentItem(List()->topLevelItem(ARow)); }
    QString FPath;
};

QString TestLayerPage::ShowLayers(const QList<double> &ALayers, const QList<int> &ASublayers, const QStringList &AExtra)
{
    FPath = MakeCatalogue(FDir->path(), {u"INSERT INTO S3STAMM (LOCID,RECID,PRJ_ID,ANAME) VALUES (1,1,'ZAVGEN','B1')"_s});
    {
        TDMBorehole DM;
        if (!DM.ConnectToDatabase(FPath))
            qFatal("cannot connect");
        for (int I = 0; I < ALayers.size(); ++I) {
            const int RecID = DM.AddLayer(1, u"ZAVGEN"_s);
            for (int S = 0; S < ASublayers.value(I); ++S)
                DM.AddSublayer(1, RecID, u"ZAVGEN"_s);
            DM.ConnBorehole.ExecRaw(u"UPDATE S3SCHDAT SET DEPTHTO=%1 WHERE RECID=%2"_s.arg(ALayers[I]).arg(RecID));
        }
        for (const QString &S : AExtra)
            DM.ConnBorehole.ExecRaw(S);
    }
    OpenCatalogue(*FForm, *FDialogs, FPath);
    CommandOf(*FForm, "ShowLayers")->trigger();
    return FPath;
}

void TestLayerPage::emptyBorehole()
{
    ShowLayers({});
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piLayers));
    QCOMPARE(Page()->LblSchichtenHeader->text(), u"Schichten in Bohrung <B1>"_s);
    QCOMPARE(List()->topLevelItemCount(), 0);
    QVERIFY(!Page()->edtLayerPetro->isEnabled());
    QCOMPARE(Page()->edtLayerPetro->text(), QString());
    CommandOf(*FForm, "NewSublayer")->trigger();
    CommandOf(*FForm, "DeleteLayer")->trigger();
    QCOMPARE(Rows(FPath, u"SELECT COUNT(*) FROM S3SCHDAT"_s), QStringList{u"0"_s});
    QCOMPARE(FDialogs->Messages(), QStringList());
}

void TestLayerPage::listAndPanelShowTheLayers()
{
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    ShowLayers({2, 12.5}, {0, 1},
               {u"UPDATE S3SCHDAT SET PETRO='mS,fs2', FARBE='bn', STRAT='qh' WHERE RECID=1"_s,
                u"UPDATE S3SCHDAT SET SART='xy', PETRO='G' WHERE RECID=3"_s});
    const QString Petro = MakeNiceText(ParsePetroText(u"mS,fs2"));
    QCOMPARE(ListRowTexts(List()), QStringList({u"2,00|%1|%2||%3|0"_s.arg(Petro, ParseColor(u"bn"), ParseStrat(u"qh")),
                                      u"12,50||||ERST|1"_s.replace(u"ERST"_s, ParseStrat(QString())),
                                      u"  %1|%2||||"_s.arg(ParseSArtText(u"xy"), MakeNiceText(ParsePetroText(u"G")))}));
    // The first row is active: its fields are in the panel, its clear texts beside them.
    QCOMPARE(Page()->ActiveLayer()->RecID(), 1);
    QVERIFY(Page()->edtLayerPetro->isEnabled());
    QCOMPARE(Page()->edtLayerDepth->text(), u"2"_s);
    QCOMPARE(Page()->edtLayerPetro->text(), u"mS,fs2"_s);
    QCOMPARE(Page()->LblPetroClear->text(), Petro);
    QVERIFY(Page()->edtLayerDepth->isVisible());
    QVERIFY(!Page()->edtSART->isVisible());

    Select(1);
    QCOMPARE(Page()->edtLayerDepth->text(), u"12,5"_s);
    QCOMPARE(Page()->LblPetroClear->text(), QString());
    // A sublayer shows its kind instead of the depth.
    Select(2);
    QVERIFY(!Page()->edtLayerDepth->isVisible());
    QVERIFY(Page()->edtSART->isVisible());
    QCOMPARE(Page()->edtSART->text(), u"xy"_s);
    QCOMPARE(Page()->lblSartClear->text(), MakeNiceText(ParseSArtText(u"xy")));
    QVERIFY(!Page()->edtIntGruppe->isVisible());
}

void TestLayerPage::switchingRowsWritesBackTheOldLayer()
{
    ShowLayers({1, 2});
    Page()->edtLayerPetro->setText(u"G,s"_s);
    Page()->edtLayerColor->setText(u"bn"_s);
    Page()->edtKalkgeh->setText(u"k"_s);
    Select(1);
    QCOMPARE(Rows(FPath, u"SELECT RECID, PETRO, FARBE, KALKGEH, DEPTHTO FROM S3SCHDAT ORDER BY RECID"_s),
             QStringList({u"1|G,s|bn|k|1"_s, u"2|<null>|<null>|<null>|2"_s}));
    // The old row shows what was written, the new one is in the panel.
    QCOMPARE(List()->topLevelItem(0)->text(TLayerPage::colPetro), MakeNiceText(ParsePetroText(u"G,s")));
    QCOMPARE(Page()->ActiveLayer()->RecID(), 2);
    QCOMPARE(Page()->edtLayerPetro->text(), QString());
}

void TestLayerPage::sameCodeOnTwoLayersShowsItsClearText()
{
    ShowLayers({1, 2}, {}, {u"UPDATE S3SCHDAT SET PETRO='mS', FARBE='gr'"_s});
    const QString Clear = MakeNiceText(ParsePetroText(u"mS"));
    QCOMPARE(Page()->LblPetroClear->text(), Clear);
    Select(1);
    QCOMPARE(Page()->ActiveLayer()->RecID(), 2);
    QCOMPARE(Page()->LblPetroClear->text(), Clear);
    QCOMPARE(Page()->LblColorClear->text(), ParseColor(u"gr"));
}

void TestLayerPage::depthAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("12,5") << u"12,5"_s << u"12.5"_s;
    QTest::newRow("letters keep the old depth") << u"abc"_s << u"3.0"_s;
    QTest::newRow("empty keeps the old depth") << QString() << u"3.0"_s;
}

void TestLayerPage::depthAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    ShowLayers({3, 20});
    Page()->edtLayerDepth->setText(typed);
    Page()->edtLayerPetro->setText(u"U"_s);
    Select(1);
    // The other fields are written whatever the depth.
    QCOMPARE(Rows(FPath, u"SELECT quote(DEPTHTO), PETRO FROM S3SCHDAT WHERE RECID=1"_s), QStringList{stored + u"|U"_s});
    QCOMPARE(FDialogs->Messages(), QStringList());
}

void TestLayerPage::clearTextFollowsEveryKey()
{
    ShowLayers({1}, {}, {u"UPDATE S3SCHDAT SET FARBE='bn'"_s});
    Page()->edtLayerPetro->setFocus();
    QString Typed;
    for (const QChar C : u"mS,fs2"_s) {
        QTest::keyClick(Page()->edtLayerPetro, C.toLatin1());
        Typed += C;
        QCOMPARE(Page()->edtLayerPetro->text(), Typed);
        QCOMPARE(Page()->LblPetroClear->text(), MakeNiceText(ParsePetroText(Typed)));
    }
    QCOMPARE(Page()->LblPetroClear->text(), u"Mittelsand, schwach feinsandig"_s);
    QCOMPARE(Page()->LblColorClear->text(), ParseColor(u"bn"));
    Page()->edtLayerColor->clear();
    QCOMPARE(Page()->LblColorClear->text(), QString());
}

void TestLayerPage::remarksAreStoredNotTranslated()
{
    ShowLayers({1, 2});
    Page()->edtErgbem->setText(u"G,mS"_s);
    QCOMPARE(Page()->lblErgbemClear->text(), QString());
    Select(1);
    QCOMPARE(Rows(FPath, u"SELECT ERGBEM FROM S3SCHDAT WHERE RECID=1"_s), QStringList{u"G,mS"_s});
}

void TestLayerPage::newLayerAndSublayers()
{
    ShowLayers({1.5});
    Page()->edtLayerPetro->setText(u"S"_s);
    // A new layer goes below the others, after the edit was written.
    CommandOf(*FForm, "NewLayer")->trigger();
    QCOMPARE(Rows(FPath, u"SELECT RECID, PETRO, DEPTHTO FROM S3SCHDAT ORDER BY RECID"_s),
             QStringList({u"1|S|1.5"_s, u"2|<null>|2.5"_s}));
    QCOMPARE(Page()->ActiveLayer()->RecID(), 2);

    // A sublayer under the selected layer, selected after the rebuild ...
    CommandOf(*FForm, "NewSublayer")->trigger();
    QCOMPARE(Page()->ActiveLayer()->RecID(), 3);
    QVERIFY(dynamic_cast<TZAV_SubLayer *>(Page()->ActiveLayer()));
    // ... and one beside the selected sublayer, under the same layer.
    Page()->edtSART->setText(u"Ls"_s);
    CommandOf(*FForm, "NewSublayer")->trigger();
    QCOMPARE(Page()->ActiveLayer()->RecID(), 4);
    QCOMPARE(Rows(FPath, u"SELECT RECID, LAYERID, LAYERCNTR, SART FROM S3SCHDAT ORDER BY RECID"_s),
             QStringList({u"1|1|0|<null>"_s, u"2|2|0|<null>"_s, u"3|2|1|Ls"_s, u"4|2|2|<null>"_s}));
    QCOMPARE(List()->topLevelItemCount(), 4);
    QCOMPARE(List()->topLevelItem(1)->text(TLayerPage::colSubLayers), u"2"_s);
    QCOMPARE(List()->selectedItems().size(), 1);
    QCOMPARE(List()->indexOfTopLevelItem(List()->selectedItems().constFirst()), 3);
}

void TestLayerPage::deleteKeyDeletesLayerWithSublayers()
{
    ShowLayers({1, 2}, {2, 0});
    QCOMPARE(List()->topLevelItemCount(), 4);
    Select(0);
    QTest::keyClick(List(), Qt::Key_Delete);
    QCOMPARE(Rows(FPath, u"SELECT RECID FROM S3SCHDAT"_s), QStringList{u"4"_s});
    QCOMPARE(List()->topLevelItemCount(), 1);
    QCOMPARE(Page()->ActiveLayer()->RecID(), 4);
    // A sublayer alone goes by itself, without asking.
    QCOMPARE(FDialogs->Shown.size(), 1); // only the open dialog
}

void TestLayerPage::leavingWritesTheLayerOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("back") << u"back"_s;
    QTest::newRow("closing the window") << u"close"_s;
    QTest::newRow("opening another catalogue") << u"open"_s;
}

void TestLayerPage::leavingWritesTheLayerOnce()
{
    QFETCH(QString, how);
    ShowLayers({1});
    Page()->edtLayerStrati->setText(u"qh"_s);
    if (how == u"back") {
        FForm->BtnBack->click();
        QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
        QCOMPARE(Page()->ActiveLayer(), nullptr);
    } else if (how == u"close") {
        FForm->close();
        QVERIFY(!FForm->isVisible());
    } else {
        OpenCatalogue(*FForm, *FDialogs, MakeCatalogue(FDir->path()));
        QCOMPARE(FForm->windowTitle().endsWith(u".sqlite"_s), true);
        QVERIFY(FForm->windowTitle() != u"Zavrex - "_s + FPath);
    }
    QCOMPARE(Rows(FPath, u"SELECT STRAT FROM S3SCHDAT"_s), QStringList{u"qh"_s});
    QCOMPARE(FDialogs->Messages(), QStringList());
}

void TestLayerPage::refusedWriteKeepsTheEdit()
{
    ShowLayers({1, 2});
    // One character more than PETRO holds, as if typing were not limited.
    Page()->edtLayerPetro->setMaxLength(1000);
    Page()->edtLayerPetro->setText(QString(255, u'x'));
    Page()->edtErgbem->setText(u"bleibt"_s);
    Select(1);
    QCOMPARE(FDialogs->Messages().size(), 1);
    const QString Message = FDialogs->Shown.last().Heading;
    QVERIFY2(Message.contains(u"„Petrologie“"_s) && Message.contains(QString(255, u'x')), qPrintable(Message.left(200)));
    // Nothing written; the layer stays active and selected with what was typed.
    QCOMPARE(Rows(FPath, u"SELECT PETRO, ERGBEM FROM S3SCHDAT WHERE RECID=1"_s), QStringList{u"<null>|<null>"_s});
    QCOMPARE(Page()->ActiveLayer()->RecID(), 1);
    QCOMPARE(List()->indexOfTopLevelItem(List()->selectedItems().value(0)), 0);
    QCOMPARE(Page()->edtErgbem->text(), u"bleibt"_s);
    // Going back does not leave the unwritten edit behind either.
    FForm->BtnBack->click();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piLayers));
    // Corrected, it is written.
    Page()->edtLayerPetro->setText(u"G"_s);
    Select(1);
    QCOMPARE(Rows(FPath, u"SELECT PETRO, ERGBEM FROM S3SCHDAT WHERE RECID=1"_s), QStringList{u"G|bleibt"_s});
    QCOMPARE(Page()->ActiveLayer()->RecID(), 2);
}

void TestLayerPage::longClearTextsAreNotCutSilently()
{
    ShowLayers({1});
    FForm->resize(500, 600);
    Page()->edtLayerPetro->setText(u"mS,fs2,g3,u4,h,k5,gs1,mS,fs2,g3,u4,h"_s);
    QApplication::processEvents();
    const QString Whole = MakeNiceText(ParsePetroText(Page()->edtLayerPetro->text()));
    QCOMPARE(Page()->LblPetroClear->text(), Whole);
    // Too wide for the label: the whole text is its tool tip.
    QVERIFY(Page()->LblPetroClear->fontMetrics().horizontalAdvance(Whole) > Page()->LblPetroClear->width());
    QCOMPARE(Page()->LblPetroClear->toolTip(), Whole);
}

QTEST_MAIN(TestLayerPage)
#include "tst_layerpage.moc"
