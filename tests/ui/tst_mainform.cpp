// The main window offscreen, on real catalogues made from the template: the start state,
// the selection lists from the built-in set, the database commands, the borehole list,
// the page protocol and the error guard. Dialogs are answered by a script.

#include "DMBorehole.h"
#include "DatabaseTemplate.h"
#include "DatabaseTestUtil.h"
#include "DetailsPage.h"
#include "DictionariesPage.h"
#include "LayerPage.h"
#include "MainForm.h"
#include "ScriptedDialogs.h"
#include "SearchPanel.h"
#include "StartPage.h"
#include "WindowTestUtil.h"
#include "ZAVDictionaries.h"
#include "ZAV_Profil.h"
#include "ZavConnection.h"
#include "ZavQuery.h"

#include "LocaleGuard.h"

#include <QAction>
#include <QCollator>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <QDir>
#include <QFile>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList ComboAbbrs(const QComboBox *ACombo)
{
    QStringList Result;
    for (int I = 0; I < ACombo->count(); ++I)
        Result.append(static_cast<TZAVAtom *>(ACombo->itemData(I).value<void *>())->Abbr());
    return Result;
}

QStringList ComboTexts(const QComboBox *ACombo)
{
    QStringList Result;
    for (int I = 0; I < ACombo->count(); ++I)
        Result.append(ACombo->itemText(I));
    return Result;
}

} // namespace

class TestMainForm : public TWindowTest
{
    Q_OBJECT

private slots:
    void startState();
    void commandsAndControlsAreNamed();
    void selectionListsFromTheBuiltInSet();
    void sortedSelectionLists();
    void qtDialogsSpeakGerman();
    void newCatalogueAndItsBoreholes();
    void cancelledDialogsChangeNothing();
    void openShowsTheList_data();
    void openShowsTheList();
    void failedOpenSaysWhy_data();
    void failedOpenSaysWhy();
    void failedTemplateWriteIsReported();
    void raisingHandlerShowsItsMessage();
    void damagedCatalogueIsDropped();
    void pageProtocolAndSearchPanel();
    void openWhileOnADetailPage();
    void commandsWithoutCatalogueDoNothing();
    void exitClosesTheWindow();
    void aboutBox();
    void newOverTheOpenCatalogue();
    void accessCatalogueIsTakenOver();
    void accessTakeOverCancelled_data();
    void accessTakeOverCancelled();

private:
    QString NewCatalogue(const QStringList &AStatements = {});
    void Open(const QString &APath);
    QAction *Command(const char *AName) const;
};

QString TestMainForm::NewCatalogue(const QStringList &AStatements)
{
    return MakeCatalogue(FDir->path(), AStatements);
}

void TestMainForm::Open(const QString &APath)
{
    OpenCatalogue(*FForm, *FDialogs, APath);
}

QAction *TestMainForm::Command(const char *AName) const
{
    return CommandOf(*FForm, AName);
}

void TestMainForm::startState()
{
    QCOMPARE(FForm->windowTitle(), u"Zavrex"_s);
    QCOMPARE(FForm->ProgramName(), u"Zavrex"_s);
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    QVERIFY(!FForm->PanelTop->isVisible());
    QVERIFY(!FForm->PanelSearch->isVisible());
    QVERIFY(!Command("ViewSearchPanel")->isChecked());
    for (const char *Name : {"NewBorehole", "EditBorehole", "DeleteBorehole", "DuplicateBorehole", "ShowLayers",
                             "ShowWaterlevels", "ShowSamples"})
        QVERIFY2(!Command(Name)->isEnabled(), Name);
    QVERIFY(!FForm->TabSheetStart->lvBoreholes->isEnabled());
    for (const char *Name : {"CreateDatabase", "OpenDatabase", "ProgramExit", "ViewSearchPanel"})
        QVERIFY2(Command(Name)->isEnabled(), Name);
    QVERIFY(FForm->width() >= 500 && FForm->height() >= 600);
    QCOMPARE(FForm->minimumSize(), QSize(500, 600));
}

void TestMainForm::commandsAndControlsAreNamed()
{
    const char *Names[] = {"CreateDicts",   "SaveDictToFile",   "SaveBorehole",    "CreateDatabase", "OpenDatabase",
                           "ProgramExit",   "NewBorehole",      "ViewSearchPanel", "EditBorehole",   "DeleteBorehole",
                           "ShowLayers",    "NewLayer",         "DeleteLayer",     "NewSublayer",    "NewWaterlevel",
                           "DeleteWaterlevel", "ShowWaterlevels", "ShowSamples",   "NewSample",      "DeleteSample",
                           "DuplicateBorehole"};
    for (const char *Name : Names)
        QVERIFY2(!Command(Name)->text().isEmpty(), Name);
    QCOMPARE(Command("CreateDatabase")->text(), u"Neu"_s);
    QCOMPARE(Command("CreateDatabase")->toolTip(), u"Erstellt eine neue Datenbank"_s);
    QCOMPARE(Command("CreateDatabase")->shortcut(), QKeySequence(QKeySequence::New));
    QCOMPARE(Command("OpenDatabase")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(Command("ProgramExit")->shortcut(), QKeySequence(QKeySequence::Quit));
    QCOMPARE(Command("DuplicateBorehole")->statusTip(), u"Erstellt eine Kopie der aktuellen Bohrung (nur Stammdaten)"_s);
    QVERIFY(Command("ViewSearchPanel")->isCheckable());
    // Every command with an image shows one.
    for (const char *Name : {"CreateDatabase", "OpenDatabase", "ProgramExit", "ViewSearchPanel", "DeleteBorehole"})
        QVERIFY2(!Command(Name)->icon().pixmap(24, 24).isNull(), Name);

    for (const char *Name : {"ToolBar1", "PanelTop", "BtnBack", "PageControl1", "Splitter1", "PanelSearch",
                             "lvBoreholes", "TabSheet1", "TabSheetStart", "TabSheetBHDetails", "TabSheetSchichten",
                             "TabSheetWaterlevels", "TabSheetSamples", "LBDicts", "edtName", "cmbState", "cmbTK25",
                             "cmbCoordSys", "cmbConfLevel", "edtSearch"})
        QVERIFY2(FForm->findChild<QObject *>(QString::fromLatin1(Name)), Name);
    QCOMPARE(FForm->BtnBack->toolTip(), u"Zurück"_s);
    QCOMPARE(FForm->BtnBack->accessibleName(), u"Zurück"_s);
    QCOMPARE(FForm->ToolBar1->actions().size(), 4);
    QCOMPARE(FForm->ToolBar1->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);

    // Pages in the listed order.
    const char *Pages[] = {"TabSheet1", "TabSheetStart", "TabSheetBHDetails", "TabSheetSchichten",
                           "TabSheetWaterlevels", "TabSheetSamples"};
    for (int I = 0; I < 6; ++I)
        QCOMPARE(FForm->PageControl1->widget(I)->objectName(), QString::fromLatin1(Pages[I]));

    // Captions name their fields.
    const QList<QLabel *> Labels = FForm->TabSheetBHDetails->findChildren<QLabel *>();
    auto BuddyOf = [&](const QString &AText) -> QWidget * {
        for (QLabel *L : Labels) {
            if (L->text() == AText)
                return L->buddy();
        }
        return nullptr;
    };
    QCOMPARE(BuddyOf(u"Name"_s), FForm->TabSheetBHDetails->edtName);
    QCOMPARE(BuddyOf(u"Koordinatensystem"_s), FForm->TabSheetBHDetails->cmbCoordSys);
    QCOMPARE(BuddyOf(u"Vertraulichkeit"_s), FForm->TabSheetBHDetails->cmbConfLevel);

    // The list's columns as captioned.
    const QTreeWidgetItem *Header = FForm->TabSheetStart->lvBoreholes->headerItem();
    QStringList Captions;
    for (int C = 0; C < Header->columnCount(); ++C)
        Captions.append(Header->text(C));
    QCOMPARE(Captions, QStringList({u"Bezeichung"_s, u"X"_s, u"Y"_s, u"Koordinatensystem"_s, u"Endteufe [m]"_s,
                                    u"Höhe Bohransatzpunkt [m]"_s, u"Höhensystem"_s}));
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->selectionMode(), QAbstractItemView::SingleSelection);
}

void TestMainForm::selectionListsFromTheBuiltInSet()
{
    QVERIFY(ZAV_Dictionaries);
    const TDetailsPage *D = FForm->TabSheetBHDetails;

    // Coordinate systems: letter codes only, from DBRE on; no headings, no EPSG numbers.
    const QStringList KSys = ComboAbbrs(D->cmbCoordSys);
    QVERIFY(!KSys.isEmpty());
    QCOMPARE(KSys.first(), u"DBRE"_s);
    for (const QString &Abbr : KSys)
        QVERIFY2(!Abbr.isEmpty() && !Abbr.at(0).isDigit(), qPrintable(Abbr));
    QVERIFY(!KSys.contains(u"25832"_s));

    QCOMPARE(ComboAbbrs(D->cmbConfLevel),
             QStringList({u"A"_s, u"F"_s, u"N"_s, u"U"_s, u"V"_s, u"V1"_s, u"V2"_s, u"V3"_s, u"V4"_s}));

    // The federal states lose only their first entry, the heading.
    const TZAVDict *Bland = ZAV_Dictionaries->GetDictionary(u"S3BLAND"_s);
    QCOMPARE(D->cmbState->count(), Bland->Count() - 1);
    QVERIFY(!ComboAbbrs(D->cmbState).contains(u"3.2"_s));
    const TZAVDict *TK25 = ZAV_Dictionaries->GetDictionary(u"S3TK25"_s);
    QCOMPARE(D->cmbTK25->count(), TK25->Count() - 1);

    // The map sheets are sorted by their text, whatever the dictionary order.
    QCollator Collator{QLocale()};
    Collator.setCaseSensitivity(Qt::CaseInsensitive);
    const QStringList Sheets = ComboTexts(D->cmbTK25);
    QVERIFY(!Sheets.isEmpty());
    QVERIFY(std::is_sorted(Sheets.begin(), Sheets.end(),
                           [&](const QString &A, const QString &B) { return Collator.compare(A, B) < 0; }));

    // Every dictionary of the set is listed on the dictionaries page.
    QCOMPARE(FForm->TabSheet1->findChild<QListWidget *>(u"LBDicts"_s)->count(), ZAV_Dictionaries->Count());
}

void TestMainForm::sortedSelectionLists()
{
    // As the drilling methods (a sorted list filled in dictionary order) end up: by text
    // in the locale's order, without regard to case, each item keeping its entry.
    TLocaleGuard Guard{QLocale(u"de_DE"_s)};
    QComboBox Combo;
    int Tag = 0;
    for (const QString &Text : {u"Zylinder"_s, u"ärmel"_s, u"Bohrung"_s, u"abc"_s, u"Öl"_s})
        Combo.addItem(Text, ++Tag);
    SortComboByText(&Combo);
    QCOMPARE(ComboTexts(&Combo), QStringList({u"abc"_s, u"ärmel"_s, u"Bohrung"_s, u"Öl"_s, u"Zylinder"_s}));
    QCOMPARE(Combo.itemData(1).toInt(), 2);
    QCOMPARE(Combo.itemData(4).toInt(), 1);
}

void TestMainForm::qtDialogsSpeakGerman()
{
    QVERIFY2(InstallGermanQtTranslations(), "qtbase_de.qm is installed (qt6-translations-l10n)");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Open"), u"Öffnen"_s);
}

void TestMainForm::newCatalogueAndItsBoreholes()
{
    const QString Path = FDir->filePath(u"Neuer Katalog ä.sqlite"_s);
    FDialogs->FilePaths = {Path};
    Command("CreateDatabase")->trigger();
    QCOMPARE(FDialogs->Shown.size(), 1);
    QCOMPARE(FDialogs->Shown[0].Request.Filters, QStringList{u"Bohrungskatalog (*.sqlite)"_s});
    QCOMPARE(FDialogs->Shown[0].Request.DefaultSuffix, u"sqlite"_s);
    QVERIFY(FDialogs->Shown[0].Request.ConfirmOverwrite);
    QCOMPARE(FForm->windowTitle(), u"Zavrex - "_s + Path);
    QVERIFY(Command("NewBorehole")->isEnabled());
    QVERIFY(FForm->TabSheetStart->lvBoreholes->isEnabled());
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 0);

    // "Neue Bohrung" leads to the details page of the new borehole.
    Command("NewBorehole")->trigger();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piDetails));
    QVERIFY(FForm->PanelTop->isVisible());
    QCOMPARE(Rows(Path, u"SELECT LOCID, RECID, PRJ_ID FROM S3STAMM"_s), QStringList{u"1|1|ZAVGEN"_s});
    QVERIFY(FForm->ActiveBorehole());
    QCOMPARE(FForm->ActiveBorehole()->LocID(), 1);
    QCOMPARE(DMBorehole->QyStamm.FieldByName(u"LOCID"_s).AsInteger(), 1);
    FForm->BtnBack->click();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    QVERIFY(!FForm->PanelTop->isVisible());

    OnFile(Path, {u"UPDATE S3STAMM SET ANAME='B1' WHERE LOCID=1"_s});
    Command("NewBorehole")->trigger();
    FForm->BtnBack->click();
    FForm->TabSheetStart->lvBoreholes->setCurrentItem(FForm->TabSheetStart->lvBoreholes->topLevelItem(0));

    // Duplicate: a copy of the master row, its details page, the name field focused.
    FForm->activateWindow();
    Command("DuplicateBorehole")->trigger();
    QCOMPARE(Rows(Path, u"SELECT LOCID, ANAME FROM S3STAMM ORDER BY LOCID"_s),
             QStringList({u"1|B1"_s, u"2|<null>"_s, u"3|Kopie von B1"_s}));
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piDetails));
    QCOMPARE(FForm->ActiveBorehole()->LocID(), 3);
    QTRY_COMPARE(QApplication::focusWidget(), FForm->TabSheetBHDetails->edtName);
    FForm->BtnBack->click();

    // Delete asks first; anything but Yes leaves the catalogue as it is.
    QCOMPARE(FForm->ActiveBorehole()->LocID(), 3);
    FDialogs->Shown.clear();
    FDialogs->Buttons = {TZavDialogs::mbCancel};
    Command("DeleteBorehole")->trigger();
    QCOMPARE(FDialogs->Messages(),
             QStringList{u"<Kopie von B1> löschen? | Bohrung, zugehörige Schichten, Proben und Wasserspiegel werden gelöscht"_s});
    QCOMPARE(FDialogs->Shown[0].MsgKind, TZavDialogs::mkConfirmation);
    QCOMPARE(FDialogs->Shown[0].Buttons, TZavDialogs::mbYes | TZavDialogs::mbCancel);
    QCOMPARE(Rows(Path, u"SELECT COUNT(*) FROM S3STAMM"_s), QStringList{u"3"_s});

    // Yes deletes the borehole with its layers; the last row is selected then.
    OnFile(Path, {u"INSERT INTO S3SCHDAT (LOCID,RECID,DEPTHTO) VALUES (3,1,2.5)"_s});
    FDialogs->Buttons = {TZavDialogs::mbYes};
    Command("DeleteBorehole")->trigger();
    QCOMPARE(Rows(Path, u"SELECT LOCID FROM S3STAMM ORDER BY LOCID"_s), QStringList({u"1"_s, u"2"_s}));
    QCOMPARE(Rows(Path, u"SELECT COUNT(*) FROM S3SCHDAT"_s), QStringList{u"0"_s});
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 2);
    QCOMPARE(FForm->ActiveBorehole()->LocID(), 2);

    // Closed and opened again, the catalogue shows the same list.
    const QStringList Before = ListRowTexts(FForm->TabSheetStart->lvBoreholes);
    FForm.reset();
    FForm = std::make_unique<TZAV3MainForm>();
    Open(Path);
    QCOMPARE(ListRowTexts(FForm->TabSheetStart->lvBoreholes), Before);
    QCOMPARE(FForm->ActiveBorehole()->LocID(), 1);
}

void TestMainForm::cancelledDialogsChangeNothing()
{
    const QString Path = NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s});
    Open(Path);
    const QByteArray Bytes = [&] {
        QFile F(Path);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }();
    const QStringList Before = QDir(FDir->path()).entryList(QDir::Files);
    Command("CreateDatabase")->trigger(); // no path queued: cancelled
    Command("OpenDatabase")->trigger();
    QCOMPARE(FForm->windowTitle(), u"Zavrex - "_s + Path);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 1);
    QCOMPARE(QDir(FDir->path()).entryList(QDir::Files), Before);
    QFile F(Path);
    QVERIFY(F.open(QIODevice::ReadOnly));
    QCOMPARE(F.readAll(), Bytes);
}

void TestMainForm::openShowsTheList_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("de_DE") << u"de_DE"_s
                           << QStringList({u"B1|3456789,5|5678901,25|%1|12,5|101,75|%2"_s, u"B2|0|0|XYZ|0|0|"_s,
                                           u"|-1E-20|1234567890123,45||0|0|"_s});
    QTest::newRow("en_US") << u"en_US"_s
                           << QStringList({u"B1|3456789.5|5678901.25|%1|12.5|101.75|%2"_s, u"B2|0|0|XYZ|0|0|"_s,
                                           u"|-1E-20|1234567890123.45||0|0|"_s});
}

void TestMainForm::openShowsTheList()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, rows);
    TLocaleGuard Guard{QLocale(locale)};
    const QString Path = NewCatalogue(
        {u"INSERT INTO S3STAMM (LOCID,RECID,ANAME,XCOORD,YCOORD,KSYS,ZCOORDE,ZCOORDB,HSYS) "
         u"VALUES (4,1,'B1',3456789.5,5678901.25,'GK3',12.5,101.75,'NN')"_s,
         u"INSERT INTO S3STAMM (LOCID,RECID,ANAME,KSYS) VALUES (7,1,'B2','XYZ')"_s,
         u"INSERT INTO S3STAMM (LOCID,RECID,XCOORD,YCOORD) VALUES (9,1,-1e-20,1234567890123.45)"_s});
    Open(Path);
    QCOMPARE(FForm->windowTitle(), u"Zavrex - "_s + Path);
    const TZAVAtom *GK3 = ZAV_Dictionaries->GetDictionary(wbKSys)->Find(u"GK3", false);
    const TZAVAtom *NN = ZAV_Dictionaries->GetDictionary(wbHSys)->Find(u"NN", false);
    QVERIFY(GK3 && NN);
    rows[0] = rows[0].arg(GK3->ClearText(), NN->ClearText());
    QCOMPARE(ListRowTexts(FForm->TabSheetStart->lvBoreholes), rows);
    // The first row is selected and the master query stands on it.
    QCOMPARE(FForm->ActiveBorehole()->LocID(), 4);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->selectedItems().size(), 1);
    QCOMPARE(DMBorehole->QyStamm.FieldByName(u"LOCID"_s).AsInteger(), 4);
    QCOMPARE(FForm->FindDataObject(FForm->TabSheetStart->lvBoreholes, FForm->ActiveBorehole()),
             FForm->TabSheetStart->lvBoreholes->topLevelItem(0));
}

void TestMainForm::failedOpenSaysWhy_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << u"missing"_s << u"nicht gefunden"_s;
    QTest::newRow("text file") << u"text"_s << u"keine SQLite-Datenbank"_s;
    QTest::newRow("catalogue without S3PROBEN") << u"noproben"_s << u"S3PROBEN"_s;
}

void TestMainForm::failedOpenSaysWhy()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString Good = NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s});
    Open(Good);
    QVERIFY(Command("NewBorehole")->isEnabled());

    QString Path = FDir->filePath(u"Ziel.sqlite"_s);
    if (kind == u"text") {
        QFile F(Path);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write("Dies ist kein Bohrungskatalog.\n");
    } else if (kind == u"noproben") {
        Path = NewCatalogue({u"DROP TABLE S3PROBEN"_s});
    }
    FDialogs->Shown.clear();
    Open(Path);
    QCOMPARE(FDialogs->Messages().size(), 1);
    const TScriptedDialogs::TShown &Shown = FDialogs->Shown.last();
    QCOMPARE(Shown.Heading, u"Bohrungskatalog kann nicht geöffnet werden"_s);
    QCOMPARE(Shown.MsgKind, TZavDialogs::mkError);
    QVERIFY2(Shown.Text.contains(QDir::toNativeSeparators(Path)), qPrintable(Shown.Text));
    QVERIFY2(Shown.Text.contains(reason), qPrintable(Shown.Text));
    QCOMPARE(FForm->windowTitle(), u"Zavrex"_s);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 0);
    QCOMPARE(FForm->Boreholes()->Count(), 0);
    QVERIFY(!Command("NewBorehole")->isEnabled());
    QVERIFY(!FForm->TabSheetStart->lvBoreholes->isEnabled());
}

void TestMainForm::failedTemplateWriteIsReported()
{
    const QString Good = NewCatalogue();
    Open(Good);
    FDialogs->Shown.clear();
    FDialogs->FilePaths = {FDir->filePath(u"fehlt/neu.sqlite"_s)};
    Command("CreateDatabase")->trigger();
    QCOMPARE(FDialogs->Messages().size(), 1);
    QVERIFY2(FDialogs->Shown.last().Heading.contains(u"fehlt/neu.sqlite"_s), qPrintable(FDialogs->Shown.last().Heading));
    QVERIFY(!QFileInfo::exists(FDir->filePath(u"fehlt"_s)));
    // No connection was attempted: the open catalogue stays.
    QCOMPARE(FForm->windowTitle(), u"Zavrex - "_s + Good);
}

void TestMainForm::raisingHandlerShowsItsMessage()
{
    // Another program removed the master table: the command fails with the engine's
    // message, and the window lives on.
    const QString Path = NewCatalogue();
    Open(Path);
    OnFile(Path, {u"DROP TABLE S3STAMM"_s});
    FDialogs->Shown.clear();
    Command("NewBorehole")->trigger();
    QCOMPARE(FDialogs->Messages().size(), 1);
    QVERIFY2(FDialogs->Shown.last().Heading.contains(u"S3STAMM"_s), qPrintable(FDialogs->Shown.last().Heading));
    QCOMPARE(FDialogs->Shown.last().MsgKind, TZavDialogs::mkError);
    QVERIFY(FForm->isVisible());
    // The window still works: another catalogue opens.
    Open(NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s}));
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 1);
}

void TestMainForm::damagedCatalogueIsDropped()
{
    const QString Path = NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s});
    Open(Path);
    Command("EditBorehole")->trigger();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piDetails));
    FForm->BtnBack->click();
    // Damaged while open: the next command that meets the damage says so, and the
    // catalogue closes with its list instead of being written on.
    DamageMasterTable(Path);
    const QByteArray Damaged = FileBytes(Path);
    FDialogs->Shown.clear();
    Command("NewBorehole")->trigger();
    QCOMPARE(FDialogs->Messages().size(), 1);
    QVERIFY2(FDialogs->Shown.last().Heading.contains(u"beschädigt"_s), qPrintable(FDialogs->Shown.last().Heading));
    QCOMPARE(FForm->windowTitle(), u"Zavrex"_s);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 0);
    QCOMPARE(FForm->Boreholes()->Count(), 0);
    QVERIFY(!Command("NewBorehole")->isEnabled());
    QCOMPARE(FileBytes(Path), Damaged);
}

void TestMainForm::pageProtocolAndSearchPanel()
{
    Open(NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s}));
    Command("EditBorehole")->trigger();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piDetails));
    QVERIFY(FForm->PanelTop->isVisible());
    FForm->BtnBack->click();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    QVERIFY(!FForm->PanelTop->isVisible());

    Command("ShowLayers")->trigger();
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piLayers));
    QCOMPARE(FForm->TabSheetSchichten->LblSchichtenHeader->text(), u"Schichten in Bohrung <B1>"_s);
    FForm->BtnBack->click();

    // The search panel: shown with its check mark and the focus in the search field,
    // hidden again by the second toggle.
    FForm->activateWindow();
    Command("ViewSearchPanel")->trigger();
    QVERIFY(FForm->PanelSearch->isVisible());
    QVERIFY(Command("ViewSearchPanel")->isChecked());
    QTRY_COMPARE(QApplication::focusWidget(), FForm->PanelSearch->findChild<QLineEdit *>(u"edtSearch"_s));
    Command("ViewSearchPanel")->trigger();
    QVERIFY(!FForm->PanelSearch->isVisible());
    QVERIFY(!Command("ViewSearchPanel")->isChecked());
}

void TestMainForm::openWhileOnADetailPage()
{
    Open(NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s}));
    Command("EditBorehole")->trigger();
    const QString Other = NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (5,1,'Andere')"_s,
                                        u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (6,1,'Zweite')"_s});
    Open(Other);
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    QVERIFY(!FForm->PanelTop->isVisible());
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 2);
    QCOMPARE(FForm->ActiveBorehole()->Name(), u"Andere"_s);
}

void TestMainForm::commandsWithoutCatalogueDoNothing()
{
    FDialogs->Shown.clear();
    for (const char *Name : {"NewBorehole", "EditBorehole", "DeleteBorehole", "DuplicateBorehole", "ShowLayers",
                             "ShowWaterlevels", "ShowSamples", "SaveBorehole", "NewLayer", "DeleteLayer",
                             "NewSublayer", "NewWaterlevel", "DeleteWaterlevel", "NewSample", "DeleteSample"}) {
        // Called directly, as the pages do: disabled commands would not even trigger.
        QMetaObject::invokeMethod(Command(Name), "trigger");
        QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    }
    FForm->NewBoreholeExecute(nullptr);
    FForm->EditBoreholeExecute(nullptr);
    FForm->DuplicateBoreholeExecute(nullptr);
    FForm->DeleteBoreholeExecute(nullptr);
    FForm->ShowLayersExecute(nullptr);
    QCOMPARE(FForm->PageControl1->currentIndex(), int(TZAV3MainForm::piStart));
    QCOMPARE(FDialogs->Messages(), QStringList());
}

void TestMainForm::exitClosesTheWindow()
{
    Command("ProgramExit")->trigger();
    QVERIFY(!FForm->isVisible());
}

void TestMainForm::newOverTheOpenCatalogue()
{
    // The open catalogue chosen as the new one (after the overwrite prompt): it is closed,
    // replaced by an empty catalogue, and that one is open.
    const QString Path = NewCatalogue({u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (1,1,'B1')"_s});
    Open(Path);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 1);
    FDialogs->FilePaths = {Path};
    Command("CreateDatabase")->trigger();
    QCOMPARE(FDialogs->Messages(), QStringList());
    QCOMPARE(FForm->windowTitle(), u"Zavrex - "_s + Path);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 0);
    QCOMPARE(Rows(Path, u"SELECT count(*) FROM S3STAMM"_s), QStringList{u"0"_s});
    Command("NewBorehole")->trigger();
    QCOMPARE(Rows(Path, u"SELECT count(*) FROM S3STAMM"_s), QStringList{u"1"_s});
}

void TestMainForm::aboutBox()
{
    Command("HelpInfo")->trigger();
    QCOMPARE(FDialogs->Messages().size(), 1);
    const TScriptedDialogs::TShown &Shown = FDialogs->Shown.last();
    QVERIFY2(Shown.Heading.startsWith(u"Zavrex "_s), qPrintable(Shown.Heading));
    for (const QString &Part : {u"Wörterbücher in Gebrauch: eingebauter Satz"_s, u"Qt"_s, u"SQLite"_s, u"mdbtools"_s})
        QVERIFY2(Shown.Text.contains(Part), qPrintable(Shown.Text));
}

void TestMainForm::accessCatalogueIsTakenOver()
{
    QTemporaryDir Work;
    const QString Source = QDir(Work.path()).filePath(u"Bohrungen 2021.accdb"_s);
    QVERIFY(QFile::copy(QStringLiteral(ZAVREX_ACCESS_DATA "/boreholes.mdb"), Source));
    const QString Target = QDir(Work.path()).filePath(u"Bohrungen 2021.sqlite"_s);
    FDialogs->FilePaths = {Source, Target};
    FDialogs->Buttons = {TZavDialogs::mbOK};
    Command("OpenDatabase")->trigger();
    // Explained, the target proposed beside the source, the work shown.
    QCOMPARE(FDialogs->Shown[0].Request.Filters.value(1), u"Access-Bohrungskatalog (*.accdb *.mdb)"_s);
    QCOMPARE(FDialogs->Shown[1].Heading, u"Access-Bohrungskatalog übernehmen"_s);
    QCOMPARE(FDialogs->Shown[2].Kind, u"save"_s);
    QCOMPARE(FDialogs->Shown[2].Request.Directory, Target);
    QVERIFY(FDialogs->Shown[2].Request.ConfirmOverwrite);
    QVERIFY(!FDialogs->ProgressSteps.isEmpty());
    QCOMPARE(FDialogs->Messages().size(), 1);
    // The copy is open, its boreholes listed, the first selected.
    QCOMPARE(FForm->windowTitle(), u"Zavrex - "_s + Target);
    QCOMPARE(FForm->TabSheetStart->lvBoreholes->topLevelItemCount(), 3);
    QCOMPARE(FForm->ActiveBorehole()->Name(), u"Brunnen Großenhain Süd-Öst, Überlauf äöü ÄÖÜ ß"_s);
    QCOMPARE(Rows(Target, u"SELECT count(*) FROM S3SCHDAT"_s), QStringList{u"8"_s});
}

void TestMainForm::accessTakeOverCancelled_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("the explanation") << u"message"_s;
    QTest::newRow("the target") << u"save"_s;
    QTest::newRow("the progress") << u"progress"_s;
}

void TestMainForm::accessTakeOverCancelled()
{
    QFETCH(QString, where);
    QTemporaryDir Work;
    const QString Source = QDir(Work.path()).filePath(u"alt.accdb"_s);
    QVERIFY(QFile::copy(QStringLiteral(ZAVREX_ACCESS_DATA "/boreholes.accdb"), Source));
    const QString Target = QDir(Work.path()).filePath(u"alt.sqlite"_s);
    FDialogs->FilePaths = {Source};
    if (where != u"save")
        FDialogs->FilePaths.append(Target);
    FDialogs->Buttons = {where == u"message" ? TZavDialogs::mbCancel : TZavDialogs::mbOK};
    if (where == u"progress")
        FDialogs->CancelAtStep = 2;
    Command("OpenDatabase")->trigger();
    QCOMPARE(QDir(Work.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"alt.accdb"_s});
    QCOMPARE(FForm->windowTitle(), u"Zavrex"_s);
    if (where == u"progress") // said, as every failure is
        QVERIFY2(FDialogs->Messages().last().contains(u"abgebrochen"_s), qPrintable(FDialogs->Messages().last()));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
