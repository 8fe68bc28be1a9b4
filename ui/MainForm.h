#pragma once

#include <QMainWindow>
#include <QString>

#include <exception>
#include <memory>
#include <utility>

class QAction;
class QComboBox;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TAbstractZAV_Layer;
class TDetailsPage;
class TDictionariesPage;
class TLayerPage;
class TSamplePage;
class TSearchPanel;
class TWaterlevelPage;
class TQDObjectList;
class TStartPage;
class TZAV_Groundwater;
class TZAV_Profil;
class TZAV_Sample;
class TZAVDictionaries;
class TZavDataSet;
class TObject;
class TZavPage;

// The one window of the program: a tool bar, a main menu, the page stack PageControl1
// (pages without tabs) and the search panel at the right edge. It holds the borehole list
// Boreholes, the page protocol and the command table; each page lives in its own file.
class TZAV3MainForm : public QMainWindow
{
    Q_OBJECT

public:
    // Pages of PageControl1, in page order.
    enum TPageIndex { piDictionaries = 0, piStart = 1, piDetails = 2, piLayers = 3, piWaterlevels = 4, piSamples = 5 };

    explicit TZAV3MainForm(QWidget *AParent = nullptr);
    ~TZAV3MainForm() override;

    const QString &ProgramName() const { return fProgramName; }
    // One TZAV_Profil per row of the master query, owned.
    TQDObjectList *Boreholes() const { return FBoreholes; }
    TZAV_Profil *ActiveBorehole() const { return GetActiveBorehole(); }
    TAbstractZAV_Layer *ActiveLayer() const;
    TZAV_Groundwater *ActiveWL() const;
    TZAV_Sample *ActiveSample() const;

    // Commands, in the order of the command table.
    QAction *CreateDicts = nullptr;
    QAction *SaveDictToFile = nullptr;
    QAction *SaveBorehole = nullptr;
    QAction *CreateDatabase = nullptr;
    QAction *OpenDatabase = nullptr;
    QAction *ProgramExit = nullptr;
    QAction *NewBorehole = nullptr;
    QAction *ViewSearchPanel = nullptr;
    QAction *EditBorehole = nullptr;
    QAction *DeleteBorehole = nullptr;
    QAction *ShowLayers = nullptr;
    QAction *NewLayer = nullptr;
    QAction *DeleteLayer = nullptr;
    QAction *NewSublayer = nullptr;
    QAction *NewWaterlevel = nullptr;
    QAction *DeleteWaterlevel = nullptr;
    QAction *ShowWaterlevels = nullptr;
    QAction *ShowSamples = nullptr;
    QAction *NewSample = nullptr;
    QAction *DeleteSample = nullptr;
    QAction *DuplicateBorehole = nullptr;

    // Controls of the frame.
    QToolBar *ToolBar1 = nullptr;
    QWidget *PanelTop = nullptr;
    QToolButton *BtnBack = nullptr;
    QStackedWidget *PageControl1 = nullptr;
    QSplitter *Splitter1 = nullptr;
    TSearchPanel *PanelSearch = nullptr;

    // The pages, in page order.
    TDictionariesPage *TabSheet1 = nullptr;
    TStartPage *TabSheetStart = nullptr;
    TDetailsPage *TabSheetBHDetails = nullptr;
    TLayerPage *TabSheetSchichten = nullptr;
    TWaterlevelPage *TabSheetWaterlevels = nullptr;
    TSamplePage *TabSheetSamples = nullptr;

    // Page protocol. The leaving protocol acts on the page shown, the entering one on the
    // page shown after the change; commands that bring a page forward use ShowPage.
    void PageControl1Changing(QObject *Sender, bool &AllowChange);
    void PageControl1Change(QObject *Sender);
    // Brings page AIndex forward and runs the entering protocol.
    void ShowPage(int AIndex);
    void BtnBackClick(QObject *Sender);
    void FormCloseQuery(QObject *Sender, bool &CanClose);
    void ProgramExitExecute(QObject *Sender);
    void ViewSearchPanelExecute(QObject *Sender);
    void ConnectionStateToGUI();

    // Database commands and the borehole list (StartPage.cpp).
    void CreateDatabaseExecute(QObject *Sender);
    void OpenDatabaseExecute(QObject *Sender);
    void NewBoreholeExecute(QObject *Sender);
    void EditBoreholeExecute(QObject *Sender);
    void DuplicateBoreholeExecute(QObject *Sender);
    void DeleteBoreholeExecute(QObject *Sender);
    void AfterOpenStammTable(TZavDataSet &ADataset);
    void UpdateBoreholesView();
    void ZAV_Profil2LI(TZAV_Profil *AProfil, QTreeWidgetItem *AListItem) const;
    TZAV_Profil *GetActiveBorehole() const;
    QTreeWidgetItem *FindDataObject(QTreeWidget *AListview, const TObject *ADataObject) const;
    bool DatsetToActiveBorehole();

    // The details page into the master row (DetailsPage.cpp).
    void SaveBoreholeExecute(QObject *Sender);
    // The layer page's commands (LayerPage.cpp).
    void ShowLayersExecute(QObject *Sender);
    void NewLayerExecute(QObject *Sender);
    void NewSublayerExecute(QObject *Sender);
    void DeleteLayerExecute(QObject *Sender);
    // The water-level and sample pages' commands (WaterlevelPage.cpp, SamplePage.cpp).
    void ShowWaterlevelsExecute(QObject *Sender);
    void NewWaterlevelExecute(QObject *Sender);
    void DeleteWaterlevelExecute(QObject *Sender);
    void ShowSamplesExecute(QObject *Sender);
    void NewSampleExecute(QObject *Sender);
    void DeleteSampleExecute(QObject *Sender);
    // The dictionaries page's commands (DictionariesPage.cpp) and the dictionary set dialog.
    void CreateDictsExecute(QObject *Sender);
    void SaveDictToFileExecute(QObject *Sender);
    void EditDictionariesExecute(QObject *Sender);
    // Makes ASet the set in use and rebuilds everything that shows its entries; the old set
    // is released only then. The shown page is left first (its edits written); when that
    // fails, the old set stays.
    // ASource says where the set came from, for the about box.
    void ReplaceDictionaries(std::unique_ptr<TZAVDictionaries> ASet, const QString &ASource);
    // Where the set in use came from.
    const QString &DictionarySource() const { return FDictionarySource; }
    void InfoExecute(QObject *Sender);
    // Writes the sample catalogue to a file the user chooses and opens it.
    void OpenSampleCatalogueExecute(QObject *Sender);
    // Opens APath as "Öffnen..." does after the file dialog (an Access catalogue taken over).
    void OpenCatalogueFile(const QString &APath);

    // Runs AWork and shows any error it raises in a message box: every command handler
    // and event of the window runs inside it, so no error reaches the event loop. False
    // when an error was shown.
    template <typename F>
    bool Guarded(F &&AWork)
    {
        try {
            std::forward<F>(AWork)();
            return true;
        } catch (...) {
            ShowError(std::current_exception());
            return false;
        }
    }

protected:
    void closeEvent(QCloseEvent *AEvent) override;

private:
    void FormCreate();
    void FormDestroy();
    void CreateCommands();
    void CreateMenusAndToolBar();
    void CreateFrame();
    // Fills a selection list from the dictionary named ADictname; false when there is none.
    bool FillItemsFromDict(QComboBox *TheItems, const QString &Dictname, bool SkipNumbers);
    // The set to start with: the one kept for later starts, else the built-in one.
    std::unique_ptr<TZAVDictionaries> LoadStartSet();
    // Fills what shows dictionary entries from ZAV_Dictionaries.
    void ShowDictionaries();
    void ShowError(std::exception_ptr AError);
    // A borehole catalogue is open: connected, and its four tables were found.
    bool DatabaseOpen() const;
    // Brings the start page forward after the leaving protocol of the page shown; an error
    // of the protocol propagates, so the caller's command stops and the page stays.
    void LeaveToStartPage();
    // Empties the borehole list when the catalogue went away under a command (found
    // damaged and closed); the shown detail page goes, its edits have nowhere to go.
    void DropLostCatalogue();
    TZavPage *Page(int AIndex) const;
    // Connects to APath; on success opens the master query (the list follows). On
    // failure resets title and list and says why.
    bool ConnectAndOpen(const QString &APath);
    // Closes the open catalogue with its list (the start page is shown).
    void CloseCatalogue();
    // Takes the Access catalogue ASource over into a new catalogue the user places, with
    // progress; the new file's path, or empty when the user cancelled.
    QString TakeOverAccessCatalogue(const QString &ASource);
    void SelectBoreholeRow(int ARow);
    // The selected borehole for a command that changes the list, with the start page
    // brought forward first; null without catalogue or selection.
    TZAV_Profil *BoreholeToWorkOn();

    QString fProgramName;
    QString FDictionarySource;
    TQDObjectList *FBoreholes = nullptr;
};

// The one main window, while it exists.
extern TZAV3MainForm *ZAV3MainForm;
