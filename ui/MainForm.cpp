#include "MainForm.h"

#include "DMBorehole.h"
#include "DetailsPage.h"
#include "DictionariesPage.h"
#include "FormZAVDict.h"
#include "LayerPage.h"
#include "SamplePage.h"
#include "SearchPanel.h"
#include "StartPage.h"
#include "WaterlevelPage.h"
#include "ZAVDictionaries.h"
#include "ZAV_Profil.h"
#include "ZavDialogs.h"
#include "ZavError.h"
#include "ZavIcons.h"

#include <QAction>
#include <QCloseEvent>
#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TZAV3MainForm *ZAV3MainForm = nullptr;

namespace {

// One row of the command table.
struct TCommandInfo
{
    QAction *TZAV3MainForm::*Member;
    const char *Name;
    const char16_t *Category; // empty: none
    const char16_t *Caption;
    const char16_t *Hint; // empty: none
    int Image;            // TZavImage, -1: none
    QKeySequence::StandardKey Key;
    void (TZAV3MainForm::*Execute)(QObject *Sender);
};

using F = TZAV3MainForm;
const TCommandInfo Commands[] = {
    {&F::CreateDicts, "CreateDicts", u"Dictionary", u"Wörterbücher erstellen", u"", -1, QKeySequence::UnknownKey,
     &F::CreateDictsExecute},
    {&F::SaveDictToFile, "SaveDictToFile", u"Dictionary", u"Wörterbuch speichern", u"", -1, QKeySequence::UnknownKey,
     &F::SaveDictToFileExecute},
    {&F::SaveBorehole, "SaveBorehole", u"Borehole", u"Bohrung speichern", u"", -1, QKeySequence::UnknownKey,
     &F::SaveBoreholeExecute},
    {&F::CreateDatabase, "CreateDatabase", u"Database", u"Neu", u"Erstellt eine neue Datenbank", imDocumentEmpty,
     QKeySequence::New, &F::CreateDatabaseExecute},
    {&F::OpenDatabase, "OpenDatabase", u"Database", u"Öffnen...", u"Öffnet eine bestehende Datenbank", imFolderOpen,
     QKeySequence::Open, &F::OpenDatabaseExecute},
    {&F::ProgramExit, "ProgramExit", u"", u"Beenden", u"Schließt das Programm", imClose, QKeySequence::Quit,
     &F::ProgramExitExecute},
    {&F::NewBorehole, "NewBorehole", u"Borehole", u"Neue Bohrung", u"", -1, QKeySequence::UnknownKey,
     &F::NewBoreholeExecute},
    {&F::ViewSearchPanel, "ViewSearchPanel", u"", u"Suchfeld anzeigen",
     u"zur Suche von Kürzeln oder Klartext im Wörterbuch", imMagnifyingGlass, QKeySequence::UnknownKey,
     &F::ViewSearchPanelExecute},
    {&F::EditBorehole, "EditBorehole", u"Borehole", u"Bohrung bearbeiten", u"", -1, QKeySequence::UnknownKey,
     &F::EditBoreholeExecute},
    {&F::DeleteBorehole, "DeleteBorehole", u"Borehole", u"Bohrung löschen", u"", imDelete, QKeySequence::UnknownKey,
     &F::DeleteBoreholeExecute},
    {&F::ShowLayers, "ShowLayers", u"Borehole", u"Schichten", u"", -1, QKeySequence::UnknownKey,
     &F::ShowLayersExecute},
    {&F::NewLayer, "NewLayer", u"Borehole", u"Neue Schicht", u"", -1, QKeySequence::UnknownKey, &F::NewLayerExecute},
    {&F::DeleteLayer, "DeleteLayer", u"Borehole", u"Schicht löschen", u"Markierte Schicht/Unterschicht löschen",
     imDelete, QKeySequence::UnknownKey, &F::DeleteLayerExecute},
    {&F::NewSublayer, "NewSublayer", u"Borehole", u"Neue Unterschicht",
     u"Erstellt für die markierte Schicht eine Unterschicht", -1, QKeySequence::UnknownKey, &F::NewSublayerExecute},
    {&F::NewWaterlevel, "NewWaterlevel", u"Borehole", u"Neuer Wasserstand", u"", -1, QKeySequence::UnknownKey,
     &F::NewWaterlevelExecute},
    {&F::DeleteWaterlevel, "DeleteWaterlevel", u"Borehole", u"Wasserstand löschen", u"", imDelete,
     QKeySequence::UnknownKey, &F::DeleteWaterlevelExecute},
    {&F::ShowWaterlevels, "ShowWaterlevels", u"Borehole", u"Wasserstände", u"", -1, QKeySequence::UnknownKey,
     &F::ShowWaterlevelsExecute},
    {&F::ShowSamples, "ShowSamples", u"Borehole", u"Proben", u"", -1, QKeySequence::UnknownKey,
     &F::ShowSamplesExecute},
    {&F::NewSample, "NewSample", u"Borehole", u"Neue Probe", u"", -1, QKeySequence::UnknownKey, &F::NewSampleExecute},
    {&F::DeleteSample, "DeleteSample", u"Borehole", u"Probe löschen", u"", imDelete, QKeySequence::UnknownKey,
     &F::DeleteSampleExecute},
    {&F::DuplicateBorehole, "DuplicateBorehole", u"Borehole", u"Bohrung duplizieren",
     u"Erstellt eine Kopie der aktuellen Bohrung (nur Stammdaten)", -1, QKeySequence::UnknownKey,
     &F::DuplicateBoreholeExecute},
};

bool BeginsWithNumber(const QString &AText)
{
    if (AText.isEmpty())
        return false;
    const QChar::Category C = QChar::category(AText.at(0).isHighSurrogate() && AText.size() > 1
                                                  ? QChar::surrogateToUcs4(AText.at(0), AText.at(1))
                                                  : char32_t(AText.at(0).unicode()));
    return C == QChar::Number_DecimalDigit || C == QChar::Number_Letter || C == QChar::Number_Other;
}

} // namespace

TZAV3MainForm::TZAV3MainForm(QWidget *AParent)
    : QMainWindow(AParent)
{
    ZAV3MainForm = this;
    CreateCommands();
    CreateFrame();
    CreateMenusAndToolBar();
    FormCreate();
}

TZAV3MainForm::~TZAV3MainForm()
{
    FormDestroy();
    if (ZAV3MainForm == this)
        ZAV3MainForm = nullptr;
}

void TZAV3MainForm::CreateCommands()
{
    for (const TCommandInfo &Info : Commands) {
        auto *Action = new QAction(QString::fromUtf16(Info.Caption), this);
        Action->setObjectName(QString::fromLatin1(Info.Name));
        Action->setProperty("category", QString::fromUtf16(Info.Category));
        const QString Hint = QString::fromUtf16(Info.Hint);
        if (!Hint.isEmpty()) {
            Action->setToolTip(Hint);
            Action->setStatusTip(Hint);
        }
        if (Info.Image >= 0)
            Action->setIcon(ZavIcon(TZavImage(Info.Image)));
        if (Info.Key != QKeySequence::UnknownKey)
            Action->setShortcuts(Info.Key);
        const auto Execute = Info.Execute;
        connect(Action, &QAction::triggered, this, [this, Execute, Action] { Guarded([&] { (this->*Execute)(Action); }); });
        this->*Info.Member = Action;
    }
    ViewSearchPanel->setCheckable(true);
    // The window's own commands work wherever the focus is.
    for (QAction *Action : {CreateDatabase, OpenDatabase, ProgramExit, ViewSearchPanel})
        addAction(Action);
}

void TZAV3MainForm::CreateFrame()
{
    auto *Central = new QWidget(this);
    auto *Outer = new QVBoxLayout(Central);
    Outer->setContentsMargins(0, 0, 0, 0);
    Outer->setSpacing(0);

    PanelTop = new QWidget(Central);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedHeight(41);
    auto *TopLayout = new QHBoxLayout(PanelTop);
    TopLayout->setContentsMargins(8, 4, 8, 4);
    BtnBack = new QToolButton(PanelTop);
    BtnBack->setObjectName(QStringLiteral("BtnBack"));
    BtnBack->setIcon(ZavIcon(imArrowLeft));
    BtnBack->setIconSize(QSize(32, 32));
    BtnBack->setFixedSize(37, 32);
    BtnBack->setAutoRaise(true);
    BtnBack->setToolTip(QStringLiteral("Zurück"));
    BtnBack->setAccessibleName(QStringLiteral("Zurück"));
    connect(BtnBack, &QToolButton::clicked, this, [this] { Guarded([&] { BtnBackClick(BtnBack); }); });
    TopLayout->addWidget(BtnBack);
    TopLayout->addStretch();
    auto *BtnForward = new QToolButton(PanelTop); // kept from the original layout, never shown
    BtnForward->setIcon(ZavIcon(imArrowRight));
    BtnForward->hide();
    TopLayout->addWidget(BtnForward);
    Outer->addWidget(PanelTop);

    Splitter1 = new QSplitter(Qt::Horizontal, Central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    PageControl1 = new QStackedWidget(Splitter1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setContentsMargins(8, 0, 0, 0);

    TabSheet1 = new TDictionariesPage(*this);
    TabSheetStart = new TStartPage(*this);
    TabSheetBHDetails = new TDetailsPage(*this);
    TabSheetSchichten = new TLayerPage(*this);
    TabSheetWaterlevels = new TWaterlevelPage(*this);
    TabSheetSamples = new TSamplePage(*this);
    for (TZavPage *P : std::initializer_list<TZavPage *>{TabSheet1, TabSheetStart, TabSheetBHDetails, TabSheetSchichten,
                                                         TabSheetWaterlevels, TabSheetSamples})
        PageControl1->addWidget(P);

    PanelSearch = new TSearchPanel(*this, Splitter1);
    Splitter1->addWidget(PageControl1);
    Splitter1->addWidget(PanelSearch);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({965, 264});
    Outer->addWidget(Splitter1, 1);
    setCentralWidget(Central);
    statusBar();

    setMinimumSize(500, 600);
    resize(1229, 660);
    if (const QScreen *Screen = QGuiApplication::primaryScreen()) {
        QRect Frame(QPoint(), size());
        Frame.moveCenter(Screen->availableGeometry().center());
        move(Frame.topLeft());
    }
}

void TZAV3MainForm::CreateMenusAndToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("Werkzeugleiste"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar1->setMovable(false);
    ToolBar1->setContentsMargins(8, 0, 0, 0);
    ToolBar1->addAction(CreateDatabase);
    ToolBar1->addAction(OpenDatabase);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ViewSearchPanel);

    QMenu *Datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    Datei->addAction(CreateDatabase);
    Datei->addAction(OpenDatabase);
    QAction *OpenSample = Datei->addAction(QStringLiteral("Beispielkatalog öffnen..."));
    OpenSample->setObjectName(QStringLiteral("OpenSampleCatalogue"));
    OpenSample->setStatusTip(QStringLiteral("Legt einen kleinen Beispielkatalog an und öffnet ihn"));
    connect(OpenSample, &QAction::triggered, this,
            [this, OpenSample] { Guarded([&] { OpenSampleCatalogueExecute(OpenSample); }); });
    Datei->addSeparator();
    Datei->addAction(ProgramExit);
    QMenu *Extras = menuBar()->addMenu(QStringLiteral("&Extras"));
    // There are no options; the item stays as the original offers it and runs nothing.
    Extras->addAction(QStringLiteral("Optionen..."));
    QAction *EditDictionaries = Extras->addAction(QStringLiteral("Wörterbücher..."));
    EditDictionaries->setObjectName(QStringLiteral("EditDictionaries"));
    EditDictionaries->setStatusTip(QStringLiteral("Zeigt die Wörterbücher und lädt einen anderen Wörterbuchsatz"));
    connect(EditDictionaries, &QAction::triggered, this,
            [this, EditDictionaries] { Guarded([&] { EditDictionariesExecute(EditDictionaries); }); });
    QMenu *Hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    QAction *Info = Hilfe->addAction(QStringLiteral("Info"));
    Info->setObjectName(QStringLiteral("HelpInfo"));
    connect(Info, &QAction::triggered, this, [this, Info] { Guarded([&] { InfoExecute(Info); }); });
}

void TZAV3MainForm::InfoExecute(QObject *)
{
    ZavDialogs().MessageDlg(
        this, TZavDialogs::mkInformation, QStringLiteral("%1 %2").arg(fProgramName, QStringLiteral(ZAVREX_VERSION)),
        QStringLiteral("Editor für geologische Bohrungsdaten: Stammdaten, Schichten nach SEP 3, Wasserstände und "
                       "Proben.\n\nWörterbücher in Gebrauch: %1\n\nVerwendet Qt %2 (LGPL 3), SQLite (gemeinfrei) und "
                       "mdbtools (LGPL 2).")
            .arg(FDictionarySource, QString::fromLatin1(qVersion())),
        TZavDialogs::mbOK);
}

void TZAV3MainForm::FormCreate()
{
    // Step 1 (null reads as empty text) is how the engine layer reads fields anyway.
    fProgramName = QStringLiteral("Zavrex");
    PageControl1->setCurrentIndex(piStart);
    ViewSearchPanel->setChecked(false);
    PanelSearch->hide();
    PanelTop->hide();
    FBoreholes = new TQDObjectList(true);

    delete ZAV_Dictionaries;
    ZAV_Dictionaries = LoadStartSet().release();
    ShowDictionaries();
    ConnectionStateToGUI();
}

std::unique_ptr<TZAVDictionaries> TZAV3MainForm::LoadStartSet()
{
    // The set the user kept for later starts, else the built-in one.
    const QString Default = DefaultDictionarySetPath();
    if (QFileInfo::exists(Default)) {
        try {
            std::unique_ptr<TZAVDictionaries> Kept = LoadDictionariesFromFile(Default);
            FDictionarySource = QStringLiteral("Standardsatz %1").arg(QDir::toNativeSeparators(Default));
            return Kept;
        } catch (const std::exception &E) {
            const QString Reason = dynamic_cast<const EZavError *>(&E) ? static_cast<const EZavError &>(E).Message()
                                                                       : QString::fromLocal8Bit(E.what());
            ZavDialogs().MessageDlg(this, TZavDialogs::mkWarning,
                                    QStringLiteral("Der Standard-Wörterbuchsatz kann nicht gelesen werden"),
                                    QStringLiteral("%1\n\n%2\n\nDie eingebauten Wörterbücher werden verwendet.")
                                        .arg(QDir::toNativeSeparators(Default), Reason),
                                    TZavDialogs::mbOK);
        }
    }
    FDictionarySource = QStringLiteral("eingebauter Satz");
    return LoadDictionariesFromResource(QStringLiteral("Dictionary"));
}

void TZAV3MainForm::ShowDictionaries()
{
    TabSheet1->ShowSet(ZAV_Dictionaries);
    PanelSearch->RebuildGroups(ZAV_Dictionaries);
    PanelSearch->edtSearchChange(nullptr);
    TDetailsPage &D = *TabSheetBHDetails;
    for (QComboBox *Combo : D.findChildren<QComboBox *>())
        Combo->clear();
    if (!ZAV_Dictionaries)
        return;
    FillItemsFromDict(D.cmbState, QStringLiteral("S3BLAND"), false);
    FillItemsFromDict(D.cmbCoordSys, QStringLiteral("S3KSYS"), true);
    FillItemsFromDict(D.cmbCoordFind, QStringLiteral("S3KFIND"), true);
    FillItemsFromDict(D.cmbHFind, QStringLiteral("S3HFIND"), true);
    FillItemsFromDict(D.cmbHSys, QStringLiteral("S3HSYS"), true);
    FillItemsFromDict(D.cmbTK25, QStringLiteral("S3TK25"), false);
    FillItemsFromDict(D.cmbArfach, QStringLiteral("S3FACH"), true);
    FillItemsFromDict(D.cmbType, QStringLiteral("S3BART"), true);
    FillItemsFromDict(D.cmbTech, QStringLiteral("S3ASBBV"), true);
    FillItemsFromDict(D.cmbPurpose, QStringLiteral("S3BZW"), true);
    FillItemsFromDict(D.cmbConfLevel, QStringLiteral("S3VERT"), true);
    // The two sorted lists end sorted by their shown text.
    SortComboByText(D.cmbTK25);
    SortComboByText(D.cmbTech);
}

void TZAV3MainForm::ReplaceDictionaries(std::unique_ptr<TZAVDictionaries> ASet, const QString &ASource)
{
    if (!ASet)
        return;
    // The shown page writes its edits first; its lists and clear texts come from the set
    // about to go. A refused edit stops here, with the old set still in use.
    LeaveToStartPage();
    const TZAV_Profil *Active = ActiveBorehole();
    std::unique_ptr<TZAVDictionaries> Old(ZAV_Dictionaries);
    ZAV_Dictionaries = ASet.release();
    FDictionarySource = ASource;
    ShowDictionaries();
    // The borehole list shows clear texts of the coordinate and height systems.
    UpdateBoreholesView();
    if (Active)
        SelectBoreholeRow(TabSheetStart->lvBoreholes->indexOfTopLevelItem(FindDataObject(TabSheetStart->lvBoreholes, Active)));
}

void TZAV3MainForm::EditDictionariesExecute(QObject *)
{
    TFormZAVDict Dialog(*this);
    ZavDialogs().ExecDialog(&Dialog);
}

void TZAV3MainForm::CreateDictsExecute(QObject *Sender)
{
    TabSheet1->CreateDictsExecute(Sender);
}

void TZAV3MainForm::SaveDictToFileExecute(QObject *Sender)
{
    TabSheet1->SaveDictToFileExecute(Sender);
}

void TZAV3MainForm::FormDestroy()
{
    TabSheetSchichten->DropActiveLayer();
    TabSheetWaterlevels->DropActiveRecord();
    TabSheetSamples->DropActiveRecord();
    if (DMBorehole)
        DMBorehole->QyStamm.AfterOpen = nullptr;
    delete FBoreholes;
    FBoreholes = nullptr;
    delete ZAV_Dictionaries;
    ZAV_Dictionaries = nullptr;
}

bool TZAV3MainForm::FillItemsFromDict(QComboBox *TheItems, const QString &Dictname, bool SkipNumbers)
{
    const TZAVDict *Dict = ZAV_Dictionaries ? ZAV_Dictionaries->GetDictionary(Dictname) : nullptr;
    if (!Dict)
        return false;
    TheItems->clear();
    TheItems->setUpdatesEnabled(false);
    for (int I = SkipNumbers ? 0 : 1; I < Dict->Count(); ++I) {
        TZAVAtom *Atom = Dict->Atom(I);
        if (SkipNumbers && BeginsWithNumber(Atom->Abbr()))
            continue;
        TheItems->addItem(Atom->ClearText(), QVariant::fromValue(static_cast<void *>(Atom)));
    }
    // Nothing is chosen until a borehole's value selects its entry.
    TheItems->setCurrentIndex(-1);
    TheItems->setUpdatesEnabled(true);
    return true;
}

bool TZAV3MainForm::DatabaseOpen() const
{
    return DMBorehole && DMBorehole->ConnBorehole.Connected() && !DMBorehole->Filename().isEmpty();
}

void TZAV3MainForm::ConnectionStateToGUI()
{
    // Open means connected with its four tables: a file that turned out to be no
    // borehole catalogue leaves the connection open but offers nothing to work on.
    const bool Open = DatabaseOpen();
    TabSheetStart->lvBoreholes->setEnabled(Open);
    for (QAction *Action : {NewBorehole, EditBorehole, DeleteBorehole, DuplicateBorehole, ShowLayers, ShowWaterlevels,
                            ShowSamples})
        Action->setEnabled(Open);
    setWindowTitle(Open ? fProgramName + QStringLiteral(" - ") + DMBorehole->Filename() : fProgramName);
}

TZavPage *TZAV3MainForm::Page(int AIndex) const
{
    return static_cast<TZavPage *>(PageControl1->widget(AIndex));
}

void TZAV3MainForm::PageControl1Changing(QObject *, bool &)
{
    // The page's part writes back what it edits; an error ends the caller's operation.
    Page(PageControl1->currentIndex())->PageLeave();
}

void TZAV3MainForm::PageControl1Change(QObject *)
{
    const int Index = PageControl1->currentIndex();
    PanelTop->setVisible(Index != piStart);
    if (Index == piStart) {
        // Nothing of a borehole is active while the list is shown.
        TabSheetSchichten->DropActiveLayer();
        TabSheetWaterlevels->DropActiveRecord();
        TabSheetSamples->DropActiveRecord();
    }
    Page(Index)->PageEnter();
}

void TZAV3MainForm::ShowPage(int AIndex)
{
    PageControl1->setCurrentIndex(AIndex);
    PageControl1Change(nullptr);
}

void TZAV3MainForm::BtnBackClick(QObject *Sender)
{
    bool AllowChange = true;
    PageControl1Changing(Sender, AllowChange);
    if (AllowChange)
        ShowPage(piStart);
}

void TZAV3MainForm::LeaveToStartPage()
{
    if (PageControl1->currentIndex() == piStart)
        return;
    bool AllowChange = true;
    PageControl1Changing(nullptr, AllowChange);
    ShowPage(piStart);
}

void TZAV3MainForm::FormCloseQuery(QObject *Sender, bool &CanClose)
{
    PageControl1Changing(Sender, CanClose);
}

void TZAV3MainForm::closeEvent(QCloseEvent *AEvent)
{
    bool CanClose = true;
    // An edit the page refuses keeps the window open, so the user can correct it.
    if (!Guarded([&] { FormCloseQuery(this, CanClose); }) || !CanClose)
        AEvent->ignore();
    else
        AEvent->accept();
}

void TZAV3MainForm::ProgramExitExecute(QObject *)
{
    close();
}

void TZAV3MainForm::ViewSearchPanelExecute(QObject *)
{
    const bool Show = !PanelSearch->isVisible();
    ViewSearchPanel->setChecked(Show);
    PanelSearch->setVisible(Show);
    if (Show)
        PanelSearch->edtSearch->setFocus();
}

void TZAV3MainForm::ShowError(std::exception_ptr AError)
{
    QString Text;
    try {
        std::rethrow_exception(AError);
    } catch (const EZavError &E) {
        Text = E.Message();
    } catch (const std::bad_alloc &) {
        Text = QStringLiteral("Nicht genügend Arbeitsspeicher für diesen Befehl.");
    } catch (const std::exception &E) {
        Text = QString::fromLocal8Bit(E.what());
    } catch (...) {
        Text = QStringLiteral("Unbekannter Fehler.");
    }
    ShowErrorMessage(this, Text);
    DropLostCatalogue();
}

void TZAV3MainForm::DropLostCatalogue()
{
    if (DatabaseOpen() || FBoreholes->IsEmpty())
        return;
    // Without the leaving protocol: the catalogue it would write into is gone.
    PageControl1->setCurrentIndex(piStart);
    PanelTop->hide();
    TabSheetSchichten->DropActiveLayer();
    TabSheetWaterlevels->DropActiveRecord();
    TabSheetSamples->DropActiveRecord();
    TabSheetStart->lvBoreholes->clear();
    FBoreholes->Clear();
    ConnectionStateToGUI();
}

TAbstractZAV_Layer *TZAV3MainForm::ActiveLayer() const
{
    return TabSheetSchichten->ActiveLayer();
}

void TZAV3MainForm::ShowLayersExecute(QObject *Sender)
{
    TabSheetSchichten->ShowLayersExecute(Sender);
}

void TZAV3MainForm::NewLayerExecute(QObject *Sender)
{
    TabSheetSchichten->NewLayerExecute(Sender);
}

void TZAV3MainForm::NewSublayerExecute(QObject *Sender)
{
    TabSheetSchichten->NewSublayerExecute(Sender);
}

void TZAV3MainForm::DeleteLayerExecute(QObject *Sender)
{
    TabSheetSchichten->DeleteLayerExecute(Sender);
}

TZAV_Groundwater *TZAV3MainForm::ActiveWL() const
{
    return static_cast<TZAV_Groundwater *>(TabSheetWaterlevels->ActiveRecord());
}

TZAV_Sample *TZAV3MainForm::ActiveSample() const
{
    return static_cast<TZAV_Sample *>(TabSheetSamples->ActiveRecord());
}

void TZAV3MainForm::ShowWaterlevelsExecute(QObject *)
{
    TabSheetWaterlevels->ShowRecords();
}

void TZAV3MainForm::NewWaterlevelExecute(QObject *)
{
    TabSheetWaterlevels->NewRecord();
}

void TZAV3MainForm::DeleteWaterlevelExecute(QObject *)
{
    TabSheetWaterlevels->DeleteRecord();
}

void TZAV3MainForm::ShowSamplesExecute(QObject *)
{
    TabSheetSamples->ShowRecords();
}

void TZAV3MainForm::NewSampleExecute(QObject *)
{
    TabSheetSamples->NewRecord();
}

void TZAV3MainForm::DeleteSampleExecute(QObject *)
{
    TabSheetSamples->DeleteRecord();
}
