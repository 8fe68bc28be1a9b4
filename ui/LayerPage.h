#pragma once

#include "ZavPage.h"

#include <QLabel>
#include <QList>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TAbstractZAV_Layer;

// A clear-text label: shows its whole text where it fits, else elides it and offers the
// whole text as tool tip; text() is always the whole text.
class TClearTextLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
    // Sets the text; the tool tip follows.
    void SetClearText(const QString &AText);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *AEvent) override;
    void resizeEvent(QResizeEvent *AEvent) override;

private:
    void UpdateToolTip();
};

// The layer page "Schichten": the layers of the selected borehole, each followed by its
// sublayers, and the panel that edits one of them with live clear texts. The layer being
// edited is written back when another row is chosen and when the page is left.
class TLayerPage : public TZavPage
{
    Q_OBJECT

public:
    enum TColumn { colDepth, colPetro, colFarbe, colGenese, colStrat, colSubLayers };

    explicit TLayerPage(TZAV3MainForm &AForm);

    void PageLeave() override;
    void PageEnter() override;

    TAbstractZAV_Layer *ActiveLayer() const { return FActiveLayer; }
    // Forgets the active layer without writing it back (its borehole went away).
    void DropActiveLayer();

    void ShowLayersExecute(QObject *Sender);
    void NewLayerExecute(QObject *Sender);
    void NewSublayerExecute(QObject *Sender);
    void DeleteLayerExecute(QObject *Sender);

    // Writes the layer being edited back (when it changes) and makes ALayer active. An
    // error of the write leaves the old layer active, with the typed values.
    void SetActiveLayer(TAbstractZAV_Layer *ALayer);
    void ActiveLayerToControls();
    // False without active layer or when the depth text is empty or no number (the old
    // depth stays; the other fields are taken anyway).
    bool ControlsToActiveLayer();
    void UpdateLayersView();
    void ZAV_Layer2LI(TAbstractZAV_Layer *ALayer, QTreeWidgetItem *AListItem, bool CreateSubLayers);
    void SelectLayerLVByRecID(int ARecID);
    void lvLayersSelectItem(QObject *Sender, QTreeWidgetItem *Item, bool Selected);

    QLabel *LblSchichtenHeader = nullptr;
    QTreeWidget *lvLayers = nullptr;
    QWidget *PanelLayerFields = nullptr;
    QLineEdit *edtLayerDepth = nullptr;
    QLineEdit *edtSART = nullptr;
    QLineEdit *edtLayerPetro = nullptr;
    QLineEdit *edtLayerColor = nullptr;
    QLineEdit *edtLayerGenese = nullptr;
    QLineEdit *edtLayerStrati = nullptr;
    QLineEdit *edtZusatz = nullptr;
    QLineEdit *edtErgbem = nullptr;
    QLineEdit *edtBeschBV = nullptr;
    QLineEdit *edtBeschBG = nullptr;
    QLineEdit *edtGruppe = nullptr;
    QLineEdit *edtKalkgeh = nullptr;
    QLineEdit *edtIntGruppe = nullptr;
    QLineEdit *edtIntKlasse = nullptr;
    TClearTextLabel *lblSartClear = nullptr;
    TClearTextLabel *LblPetroClear = nullptr;
    TClearTextLabel *LblColorClear = nullptr;
    TClearTextLabel *LblGeneseClear = nullptr;
    TClearTextLabel *LblStratiClear = nullptr;
    TClearTextLabel *lblZusatzClear = nullptr;
    TClearTextLabel *lblErgbemClear = nullptr;
    TClearTextLabel *lblBeschBVClear = nullptr;
    TClearTextLabel *lblBeschBGClear = nullptr;
    TClearTextLabel *LblGruppeClear = nullptr;
    TClearTextLabel *lblKalkgehClear = nullptr;
    TClearTextLabel *lblIntGruppeClear = nullptr;
    TClearTextLabel *lblIntKlasseClear = nullptr;

protected:
    bool eventFilter(QObject *AWatched, QEvent *AEvent) override;

private:
    // One coded field: its edit, caption, label, column and how its text is translated.
    struct TField
    {
        QLineEdit *Edit;
        QLabel *Caption;
        TClearTextLabel *Label;
        const char *Column;
        QString (*Translate)(const QString &AText); // null: the label stays empty
    };

    void OnSelectionChanged();
    // The row's layer or sublayer; null for none or a row of a borehole gone.
    TAbstractZAV_Layer *LayerOfItem(const QTreeWidgetItem *AItem) const;
    void ClearList();
    // The message for a write the engine refused, naming the field and the value.
    [[noreturn]] void RaiseRefusedWrite(const class EDatabaseError &AError) const;

    QList<TField> FFields;
    QLabel *FDepthCaption = nullptr;
    QLabel *FSArtCaption = nullptr;
    TAbstractZAV_Layer *FActiveLayer = nullptr;
};
