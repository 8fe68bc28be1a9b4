// The dictionaries page and the dictionary set dialog offscreen: the set in use listed,
// replaced from a catalogue database or a dictionary file, kept for later starts, and
// never lost when a replacement fails.

#include "DMDict.h"
#include "DetailsPage.h"
#include "DictionariesPage.h"
#include "FormZAVDict.h"
#include "MainForm.h"
#include "SearchPanel.h"
#include "WindowTestUtil.h"
#include "ZAVDictionaries.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString AccessData(const QString &AName)
{
    return QDir(QStringLiteral(ZAVREX_ACCESS_DATA)).filePath(AName);
}

QStringList Lines(const QListWidget *AList)
{
    QStringList Result;
    for (int I = 0; I < AList->count(); ++I)
        Result.append(AList->item(I)->text());
    return Result;
}

} // namespace

class TestDictionaries : public TWindowTest
{
    Q_OBJECT

private slots:
    void pageListsTheEntriesOfTheSelectedDictionary();
    void dialogListsTheSetInUse();
    void buildFromACatalogueReplacesEverything();
    void failedBuildKeepsTheSetInUse_data();
    void failedBuildKeepsTheSetInUse();
    void dictionaryFileLoadsOrChangesNothing();
    void keptSetIsUsedAtTheNextStart();
    void replacingWritesTheShownPageFirst();
    void pageCommandWithoutCatalogueKeepsTheSet();

private:
    // Opens the dialog and runs AWork in it.
    void InDialog(const std::function<void(TFormZAVDict &)> &AWork);
    void Restart();
};

void TestDictionaries::InDialog(const std::function<void(TFormZAVDict &)> &AWork)
{
    FDialogs->OnDialog = [&](QDialog *ADialog) {
        AWork(*static_cast<TFormZAVDict *>(ADialog));
        return int(QDialog::Accepted);
    };
    CommandOf(*FForm, "EditDictionaries")->trigger();
    FDialogs->OnDialog = nullptr;
}

void TestDictionaries::Restart()
{
    FForm.reset();
    FForm = std::make_unique<TZAV3MainForm>();
    FForm->show();
}

void TestDictionaries::pageListsTheEntriesOfTheSelectedDictionary()
{
    TDictionariesPage *Page = FForm->TabSheet1;
    QCOMPARE(Page->LBDicts->count(), ZAV_Dictionaries->Count());
    QCOMPARE(Page->LBDicts->item(0)->text(), u"S3PETRO"_s);
    const TZAVDict *Bland = ZAV_Dictionaries->GetDictionary(u"S3BLAND"_s);
    Page->LBDicts->setCurrentRow(ZAV_Dictionaries->IndexOf(Bland));
    QStringList Expected;
    for (int I = 0; I < Bland->Count(); ++I)
        Expected.append(Bland->Atom(I)->ClearText());
    // Clear texts, the heading of the section included.
    QCOMPARE(Lines(Page->LBDictEntries), Expected);
    QCOMPARE(Page->LBDictEntries->item(0)->text(), Bland->Atom(0)->ClearText());
}

void TestDictionaries::dialogListsTheSetInUse()
{
    InDialog([&](TFormZAVDict &D) {
        QCOMPARE(D.windowTitle(), u"ZAV3 Wörterbücher"_s);
        QCOMPARE(D.LBoxItems->count(), 21);
        QCOMPARE(D.LBoxItems->item(0)->text(),
                 u"S3PETRO (%1 Einträge)"_s.arg(ZAV_Dictionaries->GetDictionary(wbPetro)->Count()));
        QVERIFY(!D.TFrameOKCancel1->BtnCancel->isVisibleTo(&D));
    });
    QCOMPARE(FDialogs->Shown.last().Heading, u"ZAV3 Wörterbücher"_s);
}

void TestDictionaries::buildFromACatalogueReplacesEverything()
{
    // The search shows a result of the set in use, which must not outlive it.
    FForm->PanelSearch->rbAbbr->click();
    FForm->PanelSearch->edtSearch->setText(u"G"_s);
    const TZAVDictionaries *Before = ZAV_Dictionaries;
    InDialog([&](TFormZAVDict &D) {
        FDialogs->FilePaths = {AccessData(u"catalogue.accdb"_s)};
        D.BtnFromDB->click();
        QCOMPARE(D.LBoxItems->count(), 21);
        QCOMPARE(D.LBoxItems->item(0)->text(), u"S3PETRO (9 Einträge)"_s);
    });
    QVERIFY(ZAV_Dictionaries != Before);
    QCOMPARE(ZAV_Dictionaries->Count(), 21);
    QCOMPARE(FDialogs->Messages(), QStringList());
    // Everything that shows entries now shows those of the new set.
    QCOMPARE(FForm->TabSheet1->LBDicts->count(), 21);
    int Letters = 0;
    for (const TObject *Obj : *ZAV_Dictionaries->GetDictionary(u"S3VERT"_s))
        Letters += static_cast<const TZAVAtom *>(Obj)->Abbr().front().isLetter() ? 1 : 0;
    QCOMPARE(FForm->TabSheetBHDetails->cmbConfLevel->count(), Letters);
    QVERIFY(Letters > 0);
    const auto *Atom = static_cast<TZAVAtom *>(FForm->TabSheetBHDetails->cmbConfLevel->itemData(0).value<void *>());
    QVERIFY(ZAV_Dictionaries->GetDictionary(u"S3VERT"_s)->IndexOf(Atom) >= 0);
    QCOMPARE(FForm->PanelSearch->lvSearchResults->topLevelItemCount(), 21);
    const QTreeWidgetItem *Petro = FForm->PanelSearch->lvSearchResults->topLevelItem(0);
    QVERIFY(!Petro->isHidden());
    QCOMPARE(Petro->child(0)->text(1), ZAV_Dictionaries->GetDictionary(wbPetro)->Find(u"G", true)->ClearText());
}

void TestDictionaries::failedBuildKeepsTheSetInUse_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("heading");
    QTest::newRow("a description table missing") << AccessData(u"catalogue_missing.accdb"_s) << u"S3GENES"_s;
    QTest::newRow("no database") << u"text"_s << u"Keine Verbindung zur Datenbank"_s;
}

void TestDictionaries::failedBuildKeepsTheSetInUse()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, heading);
    if (catalogue == u"text") {
        catalogue = FDir->filePath(u"kein.accdb"_s);
        QFile F(catalogue);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write("kein Katalog");
    }
    const TZAVDictionaries *Before = ZAV_Dictionaries;
    const int Petro = Before->GetDictionary(wbPetro)->Count();
    InDialog([&](TFormZAVDict &D) {
        FDialogs->FilePaths = {catalogue};
        D.BtnFromDB->click();
        QCOMPARE(D.LBoxItems->item(0)->text(), u"S3PETRO (%1 Einträge)"_s.arg(Petro));
    });
    QCOMPARE(ZAV_Dictionaries, Before);
    QCOMPARE(ZAV_Dictionaries->Count(), 21);
    QCOMPARE(FDialogs->Messages().size(), 1);
    QVERIFY2(FDialogs->Messages().first().contains(heading), qPrintable(FDialogs->Messages().first()));
}

void TestDictionaries::dictionaryFileLoadsOrChangesNothing()
{
    // A set of its own: the built-in one less its last dictionary.
    const QString File = FDir->filePath(u"Satz.WB3"_s);
    {
        std::unique_ptr<TZAVDictionaries> Set = LoadDictionariesFromResource();
        Set->Delete(Set->Count() - 1);
        Set->SaveToFile(File);
    }
    const QString Damaged = FDir->filePath(u"kaputt.WB3"_s);
    {
        QFile In(File), Out(Damaged);
        QVERIFY(In.open(QIODevice::ReadOnly) && Out.open(QIODevice::WriteOnly));
        Out.write(In.read(In.size() / 2));
    }
    const TZAVDictionaries *Before = ZAV_Dictionaries;
    InDialog([&](TFormZAVDict &D) {
        FDialogs->FilePaths = {Damaged};
        D.BtnLoadFile->click();
        QCOMPARE(D.LBoxItems->count(), 21);
        FDialogs->FilePaths = {File};
        D.BtnLoadFile->click();
        QCOMPARE(D.LBoxItems->count(), 20);
    });
    QCOMPARE(FDialogs->Messages(), QStringList{u"Stream-Lesefehler | "_s});
    QVERIFY(ZAV_Dictionaries != Before);
    QCOMPARE(ZAV_Dictionaries->Count(), 20);
}

void TestDictionaries::keptSetIsUsedAtTheNextStart()
{
    InDialog([&](TFormZAVDict &D) {
        FDialogs->FilePaths = {AccessData(u"catalogue.accdb"_s)};
        D.BtnFromDB->click();
        D.BtnMakeDefault->click();
    });
    QVERIFY(QFile::exists(DefaultDictionarySetPath()));
    Restart();
    QCOMPARE(ZAV_Dictionaries->GetDictionary(wbPetro)->Count(), 9);
    QCOMPARE(FDialogs->Messages(), QStringList());

    // A damaged kept set: the built-in one, and the window says so once.
    {
        QFile F(DefaultDictionarySetPath());
        QVERIFY(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write("\x01\x05\x00");
    }
    Restart();
    const std::unique_ptr<TZAVDictionaries> BuiltIn = LoadDictionariesFromResource();
    QCOMPARE(ZAV_Dictionaries->GetDictionary(wbPetro)->Count(), BuiltIn->GetDictionary(wbPetro)->Count());
    QCOMPARE(FDialogs->Messages().size(), 1);
    QVERIFY(FDialogs->Messages().first().startsWith(u"Der Standard-Wörterbuchsatz kann nicht gelesen werden"_s));

    // "Eingebauten Satz verwenden" drops the kept set.
    InDialog([&](TFormZAVDict &D) { D.BtnBuiltIn->click(); });
    QVERIFY(!QFile::exists(DefaultDictionarySetPath()));
    Restart();
    QCOMPARE(FDialogs->Messages().size(), 1);
}

void TestDictionaries::replacingWritesTheShownPageFirst()
{
    const QString Path = MakeCatalogue(FDir->path(), {u"INSERT INTO S3STAMM (LOCID,RECID,ANAME,KSYS) VALUES (1,1,'B1','GK3')"_s});
    OpenCatalogue(*FForm, *FDialogs, Path);
    CommandOf(*FForm, "EditBorehole")->trigger();
    FForm->TabSheetBHDetails->edtName->setText(u"B1 neu"_s);
    // As a menu command runs while the details page is shown.
    InDialog([&](TFormZAVDict &D) {
        FDialogs->FilePaths = {AccessData(u"catalogue.accdb"_s)};
        D.BtnFromDB->click();
    });
    QCOMPARE(Rows(Path, u"SELECT ANAME, KSYS FROM S3STAMM"_s), QStringList{u"B1 neu|GK3"_s});
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    // The list shows the clear text of the new set, the borehole still selected.
    QVERIFY(FForm->ActiveBorehole());
    CommandOf(*FForm, "EditBorehole")->trigger();
    const int GK3 = IndexOfZAVAtom(u"GK3"_s, u"S3KSYS"_s, FForm->TabSheetBHDetails->cmbCoordSys);
    QCOMPARE(FForm->TabSheetBHDetails->cmbCoordSys->currentIndex(), GK3);
}

void TestDictionaries::pageCommandWithoutCatalogueKeepsTheSet()
{
    // The page's fixed catalogue path holds nothing here.
    if (QFile::exists(FixedCatalogueDatabasePath()))
        QSKIP("a catalogue database lies at the fixed path");
    const TZAVDictionaries *Before = ZAV_Dictionaries;
    QMetaObject::invokeMethod(CommandOf(*FForm, "CreateDicts"), "trigger");
    QCOMPARE(ZAV_Dictionaries, Before);
    QCOMPARE(FForm->TabSheet1->LBDicts->count(), 21);
    QCOMPARE(FDialogs->Messages().size(), 1);
    QVERIFY(FDialogs->Messages().first().contains(FixedCatalogueDatabasePath()));
}

QTEST_MAIN(TestDictionaries)
#include "tst_dictionaries.moc"
