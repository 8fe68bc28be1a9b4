#include "StartPage.h"

#include "AccessImport.h"
#include "DMBorehole.h"
#include "DatabaseTemplate.h"
#include "SampleCatalogue.h"
#include "DetailsPage.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "ZAVDictionaries.h"
#include "ZAV_Profil.h"
#include "ZavAccessFile.h"
#include "ZavDialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The clear text of ACode in the dictionary of kind AKind, found exactly (no grade
// digit); the code itself without such an entry, dictionary or set.
QString ClearTextOf(TZAV_WB AKind, const QString &ACode)
{
    if (ZAV_Dictionaries && ZAV_Dictionaries->Count() > int(AKind)) {
        if (const TZAVAtom *Atom = ZAV_Dictionaries->GetDictionary(AKind)->Find(ACode, false))
            return Atom->ClearText();
    }
    return ACode;
}

TZAV_Profil *ProfilOf(const QTreeWidgetItem *AItem)
{
    if (!AItem)
        return nullptr;
    auto *Object = static_cast<TObject *>(AItem->data(TStartPage::colName, Qt::UserRole).value<void *>());
    return dynamic_cast<TZAV_Profil *>(Object);
}

const QString CatalogueFilter = QStringLiteral("Bohrungskatalog (*.sqlite)");
const QString OpenFilters = QStringLiteral("Bohrungskatalog (*.sqlite *.db)");
const QString AccessFilter = QStringLiteral("Access-Bohrungskatalog (*.accdb *.mdb)");
const QString AllFilesFilter = QStringLiteral("Alle Dateien (*)");

// Where to save a new catalogue file: ADirectory proposes the file (empty: the dialog's
// choice), asking before an existing file is replaced.
TZavDialogs::TFileRequest CatalogueSaveRequest(const QString &ACaption, const QString &ADirectory)
{
    TZavDialogs::TFileRequest Request;
    Request.Caption = ACaption;
    Request.Filters = {CatalogueFilter};
    Request.DefaultSuffix = QStringLiteral("sqlite");
    Request.ConfirmOverwrite = true;
    Request.Directory = ADirectory;
    return Request;
}

// Suspends a widget's redrawing while it lives, also when an error ends the work early.
class TUpdatesOff
{
public:
    explicit TUpdatesOff(QWidget *AWidget)
        : FWidget(AWidget)
    {
        FWidget->setUpdatesEnabled(false);
    }
    ~TUpdatesOff() { FWidget->setUpdatesEnabled(true); }
    TUpdatesOff(const TUpdatesOff &) = delete;
    TUpdatesOff &operator=(const TUpdatesOff &) = delete;

private:
    QWidget *FWidget;
};

} // namespace

// ---------------------------------------------------------------------------------------
// The page

TStartPage::TStartPage(TZAV3MainForm &AForm)
    : TZavPage(AForm, QStringLiteral("TabSheetStart"))
{
    auto *Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 8, 8, 8);

    lvBoreholes = NewReportList(this, QStringLiteral("lvBoreholes"), QStringLiteral("Bohrungen"),
                                {QStringLiteral("Bezeichung"), QStringLiteral("X"), QStringLiteral("Y"),
                                 QStringLiteral("Koordinatensystem"), QStringLiteral("Endteufe [m]"),
                                 QStringLiteral("Höhe Bohransatzpunkt [m]"), QStringLiteral("Höhensystem")},
                                {150, 80, 80, 140, 80, 70, 120});
    lvBoreholes->installEventFilter(this);
    Layout->addWidget(lvBoreholes, 1);

    auto *Separator = new QAction(this);
    Separator->setSeparator(true);
    lvBoreholes->setContextMenuPolicy(Qt::ActionsContextMenu);
    lvBoreholes->addActions({AForm.NewBorehole, AForm.DuplicateBorehole, AForm.EditBorehole, AForm.DeleteBorehole,
                             Separator, AForm.ShowLayers, AForm.ShowWaterlevels, AForm.ShowSamples});
    connect(lvBoreholes, &QTreeWidget::itemDoubleClicked, this,
            [&AForm] { AForm.Guarded([&] { AForm.EditBoreholeExecute(AForm.TabSheetStart->lvBoreholes); }); });

    QWidget *Strip = NewCommandStrip(this, {AForm.NewBorehole, AForm.DuplicateBorehole, AForm.EditBorehole,
                                            AForm.DeleteBorehole, AForm.ShowLayers, AForm.ShowWaterlevels,
                                            AForm.ShowSamples});
    Strip->layout()->setContentsMargins(0, 8, 0, 0);
    Layout->addWidget(Strip);
}

bool TStartPage::eventFilter(QObject *AWatched, QEvent *AEvent)
{
    // Delete removes the selected borehole (after asking), Enter opens it, as in any list.
    if (AWatched == lvBoreholes && AEvent->type() == QEvent::KeyPress) {
        const int Key = static_cast<QKeyEvent *>(AEvent)->key();
        if (Key == Qt::Key_Delete) {
            Form().Guarded([&] { Form().DeleteBoreholeExecute(lvBoreholes); });
            return true;
        }
        if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
            Form().Guarded([&] { Form().EditBoreholeExecute(lvBoreholes); });
            return true;
        }
    }
    return TZavPage::eventFilter(AWatched, AEvent);
}

// ---------------------------------------------------------------------------------------
// The window's database commands and borehole list

void TZAV3MainForm::CreateDatabaseExecute(QObject *)
{
    // The shown page's edits belong to the catalogue open now.
    LeaveToStartPage();
    const QString Path =
        ZavDialogs().GetSaveFileName(this, CatalogueSaveRequest(QStringLiteral("Neuen Bohrungskatalog anlegen"), QString()));
    if (Path.isEmpty())
        return;
    // Replacing the catalogue that is open: its connection goes first.
    if (DatabaseOpen() && QFileInfo(DMBorehole->Filename()).absoluteFilePath() == QFileInfo(Path).absoluteFilePath())
        CloseCatalogue();
    // All or nothing: a failed write raises with its reason and leaves any old file.
    WriteDatabaseTemplate(Path, BuiltinDatabaseTemplate());
    ConnectAndOpen(Path);
}

void TZAV3MainForm::OpenDatabaseExecute(QObject *)
{
    LeaveToStartPage();
    TZavDialogs::TFileRequest Request;
    Request.Caption = QStringLiteral("Bohrungskatalog öffnen");
    Request.Filters = {OpenFilters, AccessFilter, AllFilesFilter};
    const QString Path = ZavDialogs().GetOpenFileName(this, Request);
    if (!Path.isEmpty())
        OpenCatalogueFile(Path);
}

void TZAV3MainForm::OpenCatalogueFile(const QString &APath)
{
    LeaveToStartPage();
    QString Path = APath;
    // Access files cannot be written here: the catalogue is taken over into a new one.
    if (TZavAccessFile::IsAccessFile(Path)) {
        Path = TakeOverAccessCatalogue(Path);
        if (Path.isEmpty())
            return;
    }
    if (ConnectAndOpen(Path)) {
        SelectBoreholeRow(0);
        DatsetToActiveBorehole();
    }
}

void TZAV3MainForm::OpenSampleCatalogueExecute(QObject *)
{
    LeaveToStartPage();
    const QString Path = ZavDialogs().GetSaveFileName(
        this, CatalogueSaveRequest(QStringLiteral("Beispielkatalog speichern"),
                                   QDir(QDir::homePath()).filePath(QStringLiteral("Beispielkatalog.sqlite"))));
    if (Path.isEmpty())
        return;
    // The old connection closes first: its file may be the one replaced.
    CloseCatalogue();
    WriteSampleCatalogue(Path);
    OpenCatalogueFile(Path);
}

QString TZAV3MainForm::TakeOverAccessCatalogue(const QString &ASource)
{
    const QFileInfo Source(ASource);
    if (ZavDialogs().MessageDlg(this, TZavDialogs::mkInformation, QStringLiteral("Access-Bohrungskatalog übernehmen"),
                                QStringLiteral("Access-Dateien können hier nicht geändert werden; der Katalog wird "
                                               "deshalb vollständig in einen neuen Zavrex-Bohrungskatalog übernommen, "
                                               "mit dem Sie dann arbeiten."),
                                TZavDialogs::mbOK | TZavDialogs::mbCancel)
        != TZavDialogs::mbOK)
        return QString();
    const QString Target = ZavDialogs().GetSaveFileName(
        this, CatalogueSaveRequest(QStringLiteral("Neuen Bohrungskatalog speichern"),
                                   QDir(Source.absolutePath()).filePath(Source.completeBaseName() + QStringLiteral(".sqlite"))));
    if (Target.isEmpty())
        return QString();
    // The old connection closes first: its file may be the one replaced.
    CloseCatalogue();
    TAccessImportReport Report;
    {
        std::unique_ptr<TZavDialogs::TProgress> Progress =
            ZavDialogs().BeginProgress(this, QStringLiteral("Der Access-Bohrungskatalog wird übernommen ..."));
        Report = ImportAccessCatalogue(ASource, Target, [&Progress](const QString &ATable, int ADone, int ATotal) {
            return !Progress
                || Progress->Step(ATable.isEmpty() ? QString() : QStringLiteral("Tabelle %1").arg(ATable), ADone, ATotal);
        });
    }
    if (!Report.SkippedColumns.isEmpty())
        ZavDialogs().MessageDlg(this, TZavDialogs::mkWarning,
                                QStringLiteral("Spalten ohne Gegenstück im Bohrungskatalog wurden ausgelassen"),
                                Report.SkippedColumns.join(QStringLiteral(", ")), TZavDialogs::mbOK);
    return Target;
}

void TZAV3MainForm::CloseCatalogue()
{
    TabSheetStart->lvBoreholes->clear();
    FBoreholes->Clear();
    DMBorehole->ConnBorehole.Close();
    ConnectionStateToGUI();
}

bool TZAV3MainForm::ConnectAndOpen(const QString &APath)
{
    // The old connection closes with the attempt: nothing of its list may stay.
    TabSheetStart->lvBoreholes->clear();
    FBoreholes->Clear();
    if (DMBorehole->ConnectToDatabase(APath)) {
        DMBorehole->QyStamm.AfterOpen = [this](TZavDataSet &ADataset) { AfterOpenStammTable(ADataset); };
        DMBorehole->OpenTblBorehole();
        return true;
    }
    ConnectionStateToGUI();
    ZavDialogs().MessageDlg(this, TZavDialogs::mkError, QStringLiteral("Bohrungskatalog kann nicht geöffnet werden"),
                            QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(APath), DMBorehole->ConnectError()),
                            TZavDialogs::mbOK);
    return false;
}

void TZAV3MainForm::AfterOpenStammTable(TZavDataSet &ADataset)
{
    TabSheetStart->lvBoreholes->clear();
    FBoreholes->Clear();
    ADataset.First();
    while (!ADataset.Eof()) {
        auto Profil = std::make_unique<TZAV_Profil>();
        Profil->ReadFromDB(&ADataset);
        FBoreholes->Add(Profil.release());
        ADataset.Next();
    }
    UpdateBoreholesView();
    ConnectionStateToGUI();
}

void TZAV3MainForm::UpdateBoreholesView()
{
    QTreeWidget *List = TabSheetStart->lvBoreholes;
    List->clear();
    TUpdatesOff Frozen(List);
    // Filled first and added in one step: one insertion instead of one per row.
    QList<QTreeWidgetItem *> Items;
    Items.reserve(FBoreholes->Count());
    try {
        for (TObject *Object : *FBoreholes) {
            auto *Item = new QTreeWidgetItem;
            Items.append(Item);
            ZAV_Profil2LI(static_cast<TZAV_Profil *>(Object), Item);
        }
    } catch (...) {
        List->addTopLevelItems(Items);
        throw;
    }
    List->addTopLevelItems(Items);
}

void TZAV3MainForm::ZAV_Profil2LI(TZAV_Profil *AProfil, QTreeWidgetItem *AListItem) const
{
    if (!AProfil || !AListItem)
        return;
    for (int I = 1; I < TStartPage::colZsys + 1; ++I)
        AListItem->setText(I, QString());
    AListItem->setData(TStartPage::colName, Qt::UserRole, QVariant::fromValue(static_cast<void *>(static_cast<TObject *>(AProfil))));
    AListItem->setText(TStartPage::colName, AProfil->Name());
    AListItem->setText(TStartPage::colX, GeneralNumber(AProfil->X()));
    AListItem->setText(TStartPage::colY, GeneralNumber(AProfil->Y()));
    AListItem->setText(TStartPage::colXYsys, ClearTextOf(wbKSys, AProfil->XYsys()));
    AListItem->setText(TStartPage::colMaxDepth, GeneralNumber(AProfil->MaxDepth()));
    AListItem->setText(TStartPage::colZ, GeneralNumber(AProfil->Z()));
    AListItem->setText(TStartPage::colZsys, ClearTextOf(wbHSys, AProfil->Zsys()));
    for (int Column : {TStartPage::colX, TStartPage::colY, TStartPage::colMaxDepth, TStartPage::colZ})
        AListItem->setTextAlignment(Column, Qt::AlignRight | Qt::AlignVCenter);
}

TZAV_Profil *TZAV3MainForm::GetActiveBorehole() const
{
    const QList<QTreeWidgetItem *> Selected = TabSheetStart->lvBoreholes->selectedItems();
    return Selected.isEmpty() ? nullptr : ProfilOf(Selected.constFirst());
}

QTreeWidgetItem *TZAV3MainForm::FindDataObject(QTreeWidget *AListview, const TObject *ADataObject) const
{
    if (!AListview || !ADataObject)
        return nullptr;
    for (int I = 0; I < AListview->topLevelItemCount(); ++I) {
        QTreeWidgetItem *Item = AListview->topLevelItem(I);
        const auto *Object = static_cast<const TObject *>(Item->data(0, Qt::UserRole).value<void *>());
        if (Object == ADataObject)
            return Item;
    }
    return nullptr;
}

bool TZAV3MainForm::DatsetToActiveBorehole()
{
    const TZAV_Profil *Borehole = ActiveBorehole();
    if (!Borehole)
        return false;
    TZavQuery &Q = DMBorehole->QyStamm;
    Q.First();
    while (!Q.Eof() && Q.FieldByName(QStringLiteral("LOCID")).AsInteger() != Borehole->LocID())
        Q.Next();
    return true;
}

void TZAV3MainForm::SelectBoreholeRow(int ARow)
{
    QTreeWidget *List = TabSheetStart->lvBoreholes;
    List->clearSelection();
    QTreeWidgetItem *Item = ARow >= 0 ? List->topLevelItem(ARow) : nullptr;
    if (Item) {
        List->setCurrentItem(Item);
        Item->setSelected(true);
        List->scrollToItem(Item);
    }
}

TZAV_Profil *TZAV3MainForm::BoreholeToWorkOn()
{
    if (!DatabaseOpen())
        return nullptr;
    // The rebuilt list releases every borehole a detail page might show.
    LeaveToStartPage();
    return ActiveBorehole();
}

void TZAV3MainForm::NewBoreholeExecute(QObject *)
{
    if (!DatabaseOpen())
        return;
    // The rebuilt list releases every borehole a detail page might show.
    LeaveToStartPage();
    DMBorehole->AddBorehole();
    DMBorehole->OpenTblBorehole();
    SelectBoreholeRow(TabSheetStart->lvBoreholes->topLevelItemCount() - 1);
    ShowPage(piDetails);
}

void TZAV3MainForm::EditBoreholeExecute(QObject *)
{
    if (!DatabaseOpen() || !DatsetToActiveBorehole())
        return;
    ShowPage(piDetails);
}

void TZAV3MainForm::DuplicateBoreholeExecute(QObject *)
{
    const TZAV_Profil *Borehole = BoreholeToWorkOn();
    if (!Borehole)
        return;
    DMBorehole->DuplicateBorehole(Borehole->LocID());
    DMBorehole->OpenTblBorehole();
    SelectBoreholeRow(TabSheetStart->lvBoreholes->topLevelItemCount() - 1);
    ShowPage(piDetails);
    TabSheetBHDetails->edtName->setFocus();
}

void TZAV3MainForm::DeleteBoreholeExecute(QObject *)
{
    const TZAV_Profil *Borehole = BoreholeToWorkOn();
    if (!Borehole)
        return;
    const int LocID = Borehole->LocID();
    if (ZavDialogs().MessageDlg(this, TZavDialogs::mkConfirmation, QStringLiteral("<%1> löschen?").arg(Borehole->Name()),
                                QStringLiteral("Bohrung, zugehörige Schichten, Proben und Wasserspiegel werden gelöscht"),
                                TZavDialogs::mbYes | TZavDialogs::mbCancel)
        != TZavDialogs::mbYes)
        return;
    if (DMBorehole->DeleteBorehole(LocID, true)) {
        DMBorehole->OpenTblBorehole();
        SelectBoreholeRow(TabSheetStart->lvBoreholes->topLevelItemCount() - 1);
    }
}
