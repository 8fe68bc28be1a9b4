#include "LayerPage.h"

#include "DMBorehole.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "ZAVParser.h"
#include "ZAV_Profil.h"
#include "ZavDatabaseError.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

// ---------------------------------------------------------------------------------------
// TClearTextLabel

QSize TClearTextLabel::minimumSizeHint() const
{
    // Any width will do: the text elides.
    return QSize(0, QLabel::minimumSizeHint().height());
}

void TClearTextLabel::paintEvent(QPaintEvent *)
{
    QPainter P(this);
    const QRect Area = contentsRect();
    const QString Shown = fontMetrics().elidedText(text(), Qt::ElideRight, Area.width());
    P.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    P.drawText(Area, int(alignment()) | Qt::TextSingleLine, Shown);
}

void TClearTextLabel::resizeEvent(QResizeEvent *AEvent)
{
    QLabel::resizeEvent(AEvent);
    UpdateToolTip();
}

void TClearTextLabel::SetClearText(const QString &AText)
{
    setText(AText);
    UpdateToolTip();
}

void TClearTextLabel::UpdateToolTip()
{
    // The whole text where the label cuts it.
    setToolTip(fontMetrics().horizontalAdvance(text()) > contentsRect().width() ? text() : QString());
}

// ---------------------------------------------------------------------------------------
// Translations of the panel

namespace {

QString SArtText(const QString &AText)
{
    return MakeNiceText(ParseSArtText(AText));
}
QString PetroText(const QString &AText)
{
    return MakeNiceText(ParsePetroText(AText));
}
QString ColorText(const QString &AText)
{
    return AText.isEmpty() ? QString() : ParseColor(QStringView(AText));
}
QString GeneseText(const QString &AText)
{
    return ParseGenese(AText);
}
QString StratText(const QString &AText)
{
    return ParseStrat(AText);
}
template <TZAV_WB Kind>
QString WBText(const QString &AText)
{
    return ParseWBText(Kind, AText);
}

// Column sizes of the layer table, so typing cannot exceed them.
struct TColumnSize
{
    const char *Column;
    int Size;
};
constexpr TColumnSize ColumnSizes[] = {{"SART", 128},   {"PETRO", 254},   {"FARBE", 254},  {"GENESE", 254},
                                       {"STRAT", 254},  {"ZUSATZ", 254},  {"ERGBEM", 254}, {"BESCHBV", 128},
                                       {"BESCHBG", 128}, {"GRUPPE", 128}, {"KALKGEH", 128}, {"INTGRUPPE", 12},
                                       {"INTKLASSE", 24}};

int ColumnSize(const char *AColumn)
{
    for (const TColumnSize &C : ColumnSizes) {
        if (qstrcmp(C.Column, AColumn) == 0)
            return C.Size;
    }
    return 32767;
}

QLineEdit *NewField(QWidget *AParent, const QString &AName)
{
    auto *Edit = new QLineEdit(AParent);
    Edit->setObjectName(AName);
    Edit->setMinimumWidth(120);
    Edit->setMaximumWidth(226);
    return Edit;
}

TClearTextLabel *NewClearText(QWidget *AParent, const QString &AName)
{
    auto *Label = new TClearTextLabel(AParent);
    Label->setObjectName(AName);
    Label->setTextFormat(Qt::PlainText);
    Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return Label;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TLayerPage

TLayerPage::TLayerPage(TZAV3MainForm &AForm)
    : TZavPage(AForm, QStringLiteral("TabSheetSchichten"))
{
    auto *Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 8, 8);
    LblSchichtenHeader = new QLabel(this);
    LblSchichtenHeader->setObjectName(QStringLiteral("LblSchichtenHeader"));
    // Names like "<B 1>" are text, not markup.
    LblSchichtenHeader->setTextFormat(Qt::PlainText);
    QFont Bold = LblSchichtenHeader->font();
    Bold.setBold(true);
    LblSchichtenHeader->setFont(Bold);
    LblSchichtenHeader->setMinimumHeight(32);
    Layout->addWidget(LblSchichtenHeader);

    lvLayers = NewReportList(this, QStringLiteral("lvLayers"), QStringLiteral("Schichten"),
                             {QStringLiteral("Tiefe UK [m]"), QStringLiteral("Petrologie"), QStringLiteral("Farbe"),
                              QStringLiteral("Genese"), QStringLiteral("Stratigraphie"),
                              QStringLiteral("Anzahl Unterschichten")},
                             {120, 200, 120, 140, 150, 0});
    lvLayers->installEventFilter(this);
    auto *Separator = new QAction(this);
    Separator->setSeparator(true);
    lvLayers->setContextMenuPolicy(Qt::ActionsContextMenu);
    lvLayers->addActions({AForm.NewLayer, AForm.NewSublayer, Separator, AForm.DeleteLayer});
    connect(lvLayers, &QTreeWidget::itemSelectionChanged, this, &TLayerPage::OnSelectionChanged);
    Layout->addWidget(lvLayers, 1);

    QWidget *Strip = NewCommandStrip(this, {AForm.NewLayer, AForm.NewSublayer, AForm.DeleteLayer});
    Strip->layout()->setContentsMargins(0, 6, 0, 6);
    Layout->addWidget(Strip);

    PanelLayerFields = new QWidget(this);
    PanelLayerFields->setObjectName(QStringLiteral("PanelLayerFields"));
    auto *Grid = new QGridLayout(PanelLayerFields);
    Grid->setContentsMargins(0, 0, 0, 0);
    Grid->setHorizontalSpacing(8);
    Grid->setVerticalSpacing(3);
    Grid->setColumnStretch(2, 1);

    // The depth of a layer and the kind of a sublayer share the first row.
    edtLayerDepth = NewField(PanelLayerFields, QStringLiteral("edtLayerDepth"));
    edtLayerDepth->setMaximumWidth(90);
    edtSART = NewField(PanelLayerFields, QStringLiteral("edtSART"));
    lblSartClear = NewClearText(PanelLayerFields, QStringLiteral("lblSartClear"));
    FDepthCaption = new QLabel(QStringLiteral("Tiefe UK [m]"), PanelLayerFields);
    FDepthCaption->setBuddy(edtLayerDepth);
    FSArtCaption = new QLabel(QStringLiteral("Art"), PanelLayerFields);
    FSArtCaption->setBuddy(edtSART);
    Grid->addWidget(FDepthCaption, 0, 0);
    Grid->addWidget(FSArtCaption, 0, 0);
    Grid->addWidget(edtLayerDepth, 0, 1, Qt::AlignLeft);
    Grid->addWidget(edtSART, 0, 1);
    Grid->addWidget(lblSartClear, 0, 2);

    struct TRowSpec
    {
        QLineEdit *TLayerPage::*Edit;
        TClearTextLabel *TLayerPage::*Label;
        const char16_t *EditName;
        const char16_t *LabelName;
        const char16_t *Caption;
        const char *Column;
        QString (*Translate)(const QString &);
    };
    const TRowSpec Rows[] = {
        {&TLayerPage::edtLayerPetro, &TLayerPage::LblPetroClear, u"edtLayerPetro", u"LblPetroClear", u"Petrologie",
         "PETRO", &PetroText},
        {&TLayerPage::edtLayerColor, &TLayerPage::LblColorClear, u"edtLayerColor", u"LblColorClear", u"Farbe", "FARBE",
         &ColorText},
        {&TLayerPage::edtLayerGenese, &TLayerPage::LblGeneseClear, u"edtLayerGenese", u"LblGeneseClear", u"Genese",
         "GENESE", &GeneseText},
        {&TLayerPage::edtLayerStrati, &TLayerPage::LblStratiClear, u"edtLayerStrati", u"LblStratiClear",
         u"Stratigraphie", "STRAT", &StratText},
        {&TLayerPage::edtZusatz, &TLayerPage::lblZusatzClear, u"edtZusatz", u"lblZusatzClear", u"Zusatz", "ZUSATZ",
         &WBText<wbZusatz>},
        {&TLayerPage::edtErgbem, &TLayerPage::lblErgbemClear, u"edtErgbem", u"lblErgbemClear", u"Erg. Bemerkungen",
         "ERGBEM", nullptr},
        {&TLayerPage::edtBeschBV, &TLayerPage::lblBeschBVClear, u"edtBeschBV", u"lblBeschBVClear",
         u"Besch. Bohrvorgang", "BESCHBV", &WBText<wbBsBv>},
        {&TLayerPage::edtBeschBG, &TLayerPage::lblBeschBGClear, u"edtBeschBG", u"lblBeschBGClear", u"Besch. Bohrgut",
         "BESCHBG", &WBText<wbBsBg>},
        {&TLayerPage::edtGruppe, &TLayerPage::LblGruppeClear, u"edtGruppe", u"LblGruppeClear", u"Bodengruppe", "GRUPPE",
         &WBText<wbBoGrp>},
        {&TLayerPage::edtKalkgeh, &TLayerPage::lblKalkgehClear, u"edtKalkgeh", u"lblKalkgehClear", u"Kalkgehalt",
         "KALKGEH", &WBText<wbKalk>},
        {&TLayerPage::edtIntGruppe, &TLayerPage::lblIntGruppeClear, u"edtIntGruppe", u"lblIntGruppeClear",
         u"Art Interpretation", "INTGRUPPE", nullptr},
        {&TLayerPage::edtIntKlasse, &TLayerPage::lblIntKlasseClear, u"edtIntKlasse", u"lblIntKlasseClear",
         u"Interpretationswert", "INTKLASSE", nullptr},
    };
    FFields.append({edtSART, FSArtCaption, lblSartClear, "SART", &SArtText});
    int Row = 1;
    for (const TRowSpec &R : Rows) {
        QLineEdit *Edit = NewField(PanelLayerFields, QString::fromUtf16(R.EditName));
        TClearTextLabel *Label = NewClearText(PanelLayerFields, QString::fromUtf16(R.LabelName));
        auto *Caption = new QLabel(QString::fromUtf16(R.Caption), PanelLayerFields);
        Caption->setBuddy(Edit);
        this->*R.Edit = Edit;
        this->*R.Label = Label;
        Grid->addWidget(Caption, Row, 0);
        Grid->addWidget(Edit, Row, 1);
        Grid->addWidget(Label, Row, 2);
        ++Row;
        FFields.append({Edit, Caption, Label, R.Column, R.Translate});
    }
    edtGruppe->setToolTip(QStringLiteral("nach DIN 18196"));
    for (const TField &F : std::as_const(FFields)) {
        F.Edit->setMaxLength(ColumnSize(F.Column));
        if (!F.Translate)
            continue;
        // Every change, typed or filled in, shows the field's clear text at once.
        QLineEdit *Edit = F.Edit;
        TClearTextLabel *Label = F.Label;
        const auto Translate = F.Translate;
        connect(Edit, &QLineEdit::textChanged, this, [this, Label, Translate](const QString &AText) {
            Form().Guarded([&] { Label->SetClearText(Translate(AText)); });
        });
    }
    // The interpretation fields pass their values but are not shown.
    for (QWidget *Hidden : std::initializer_list<QWidget *>{edtIntGruppe, edtIntKlasse, lblIntGruppeClear,
                                                            lblIntKlasseClear, FFields[11].Caption, FFields[12].Caption})
        Hidden->hide();
    Layout->addWidget(PanelLayerFields);

    // Tab order as the fields are listed.
    QWidget *Previous = edtLayerDepth;
    for (const TField &F : std::as_const(FFields)) {
        setTabOrder(Previous, F.Edit);
        Previous = F.Edit;
    }
    edtSART->hide();
    lblSartClear->hide();
    FSArtCaption->hide();
}

TAbstractZAV_Layer *TLayerPage::LayerOfItem(const QTreeWidgetItem *AItem) const
{
    return dynamic_cast<TAbstractZAV_Layer *>(ObjectOfRow(AItem));
}

void TLayerPage::ClearList()
{
    // Without selection events: the rows may refer to layers about to be released.
    const QSignalBlocker Blocker(lvLayers);
    lvLayers->clear();
}

void TLayerPage::DropActiveLayer()
{
    FActiveLayer = nullptr;
    ClearList();
}

void TLayerPage::PageLeave()
{
    SetActiveLayer(nullptr);
    ClearList();
}

void TLayerPage::PageEnter()
{
    FActiveLayer = nullptr;
    ActiveLayerToControls();
    UpdateLayersView();
    if (QTreeWidgetItem *First = lvLayers->topLevelItem(0))
        First->setSelected(true);
}

void TLayerPage::ShowLayersExecute(QObject *)
{
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole)
        return;
    // The layers are read again: nothing may refer to the old ones.
    SetActiveLayer(nullptr);
    ClearList();
    Borehole->ReadLayersFromDB(&DMBorehole->QyLayers, &DMBorehole->QySublayers, DMBorehole->S3SchichtTablename());
    LblSchichtenHeader->setText(QStringLiteral("Schichten in Bohrung <%1>").arg(Borehole->Name()));
    Form().ShowPage(TZAV3MainForm::piLayers);
}

void TLayerPage::UpdateLayersView()
{
    ClearList();
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole)
        return;
    lvLayers->setUpdatesEnabled(false);
    const QSignalBlocker Blocker(lvLayers);
    try {
        for (int I = 0; I < Borehole->Count(); ++I) {
            auto *Item = new QTreeWidgetItem(lvLayers);
            ZAV_Layer2LI(Borehole->Layer(I), Item, true);
        }
    } catch (...) {
        lvLayers->setUpdatesEnabled(true);
        throw;
    }
    lvLayers->setUpdatesEnabled(true);
}

void TLayerPage::ZAV_Layer2LI(TAbstractZAV_Layer *ALayer, QTreeWidgetItem *AListItem, bool CreateSubLayers)
{
    if (!ALayer || !AListItem)
        return;
    for (int C = colPetro; C <= colSubLayers; ++C)
        AListItem->setText(C, QString());
    AListItem->setData(colDepth, Qt::UserRole, QVariant::fromValue(static_cast<void *>(static_cast<TObject *>(ALayer))));
    auto *Layer = dynamic_cast<TZAV_Layer *>(ALayer);
    if (Layer) {
        AListItem->setText(colDepth, DblValueToStr(QStringLiteral("-"), Layer->DepthTo()));
        AListItem->setTextAlignment(colDepth, Qt::AlignRight | Qt::AlignVCenter);
    } else {
        AListItem->setText(colDepth, QStringLiteral("  ") + ParseSArtText(static_cast<TZAV_SubLayer *>(ALayer)->SArt()));
    }
    AListItem->setText(colPetro, MakeNiceText(ParsePetroText(ALayer->Petro())));
    AListItem->setText(colFarbe, ColorText(ALayer->Farbe()));
    AListItem->setText(colGenese, ParseGenese(ALayer->Genese()));
    AListItem->setText(colStrat, ParseStrat(ALayer->Strat()));
    if (!Layer)
        return;
    AListItem->setText(colSubLayers, QString::number(Layer->SubLayers()->Count()));
    if (CreateSubLayers) {
        for (TObject *Sub : *Layer->SubLayers())
            ZAV_Layer2LI(static_cast<TZAV_SubLayer *>(Sub), new QTreeWidgetItem(lvLayers), false);
    }
}

void TLayerPage::RaiseRefusedWrite(const EDatabaseError &AError) const
{
    // The engine names the column it refused.
    for (const TField &F : FFields) {
        if (AError.Message().contains(QStringLiteral("(%1 ").arg(QString::fromLatin1(F.Column)))
            || AError.Message().contains(QStringLiteral(" %1 ").arg(QString::fromLatin1(F.Column)))) {
            throw EDatabaseError(QStringLiteral("Der Wert „%1“ im Feld „%2“ kann nicht gespeichert werden: %3")
                                     .arg(F.Edit->text(), F.Caption->text(), AError.Message()),
                                 AError.Statement());
        }
    }
    throw AError;
}

void TLayerPage::SetActiveLayer(TAbstractZAV_Layer *ALayer)
{
    if (ALayer != FActiveLayer && FActiveLayer) {
        ControlsToActiveLayer();
        ZAV_Layer2LI(FActiveLayer, Form().FindDataObject(lvLayers, FActiveLayer), false);
        const TZAV_Profil *Borehole = Form().ActiveBorehole();
        if (Borehole) {
            try {
                FActiveLayer->UpdateDB(Borehole->LocID(), &DMBorehole->QyLayers, DMBorehole->S3SchichtTablename());
            } catch (const EDatabaseError &E) {
                // Not written: the layer stays active with what was typed.
                RaiseRefusedWrite(E);
            }
        }
    }
    FActiveLayer = ALayer;
}

void TLayerPage::ActiveLayerToControls()
{
    const bool Active = FActiveLayer != nullptr;
    for (QWidget *W : PanelLayerFields->findChildren<QWidget *>())
        W->setEnabled(Active);
    for (const TField &F : std::as_const(FFields))
        F.Label->SetClearText(QString());
    if (!Active) {
        edtLayerDepth->clear();
        for (const TField &F : std::as_const(FFields))
            F.Edit->clear();
        return;
    }
    auto *Layer = dynamic_cast<TZAV_Layer *>(FActiveLayer);
    edtLayerDepth->setVisible(Layer);
    FDepthCaption->setVisible(Layer);
    edtSART->setVisible(!Layer);
    lblSartClear->setVisible(!Layer);
    FSArtCaption->setVisible(!Layer);
    if (Layer)
        edtLayerDepth->setText(GeneralNumber(Layer->DepthTo()));
    else {
        const QSignalBlocker Quiet(edtSART);
        edtSART->setText(static_cast<TZAV_SubLayer *>(FActiveLayer)->SArt());
    }
    const TAbstractZAV_Layer &L = *FActiveLayer;
    const QString Values[] = {L.Petro(),   L.Farbe(),   L.Genese(), L.Strat(),   L.Zusatz(),    L.ErgBem(),
                              L.BeschBv(), L.BeschBg(), L.Gruppe(), L.KalkGeh(), L.IntGruppe(), L.IntKlasse()};
    for (int I = 0; I < 12; ++I) {
        const TField &F = FFields[I + 1];
        {
            // Filling is no typing: the label is set once below, also for a text equal to
            // the one shown before, which would raise no change.
            const QSignalBlocker Quiet(F.Edit);
            F.Edit->setText(Values[I]);
        }
        if (F.Translate)
            F.Label->SetClearText(F.Translate(Values[I]));
    }
    if (!Layer)
        lblSartClear->SetClearText(SArtText(edtSART->text()));
}

bool TLayerPage::ControlsToActiveLayer()
{
    if (!FActiveLayer)
        return false;
    bool Result = true;
    if (auto *Layer = dynamic_cast<TZAV_Layer *>(FActiveLayer)) {
        bool Ok = false;
        // "12.500" is no depth of 12500 m under a German locale: no digit grouping.
        QLocale Locale;
        Locale.setNumberOptions(Locale.numberOptions() | QLocale::RejectGroupSeparator);
        const double Depth = Locale.toDouble(edtLayerDepth->text(), &Ok);
        if (Ok && std::isfinite(Depth))
            Layer->SetDepthTo(Depth);
        else
            Result = false; // empty or no number: the old depth stays
    } else {
        static_cast<TZAV_SubLayer *>(FActiveLayer)->SetSArt(edtSART->text());
    }
    TAbstractZAV_Layer &L = *FActiveLayer;
    L.SetPetro(edtLayerPetro->text());
    L.SetFarbe(edtLayerColor->text());
    L.SetGenese(edtLayerGenese->text());
    L.SetStrat(edtLayerStrati->text());
    L.SetZusatz(edtZusatz->text());
    L.SetErgBem(edtErgbem->text());
    L.SetBeschBg(edtBeschBG->text());
    L.SetBeschBv(edtBeschBV->text());
    L.SetGruppe(edtGruppe->text());
    L.SetKalkGeh(edtKalkgeh->text());
    L.SetIntGruppe(edtIntGruppe->text());
    L.SetIntKlasse(edtIntKlasse->text());
    return Result;
}

void TLayerPage::SelectLayerLVByRecID(int ARecID)
{
    for (int I = 0; I < lvLayers->topLevelItemCount(); ++I) {
        QTreeWidgetItem *Item = lvLayers->topLevelItem(I);
        if (const TAbstractZAV_Layer *L = LayerOfItem(Item); L && L->RecID() == ARecID) {
            // Selecting writes the previous layer back; should that fail badly, the list
            // may be gone afterwards, so Item is not touched again.
            lvLayers->scrollToItem(Item);
            lvLayers->setCurrentItem(Item);
            return;
        }
    }
}

void TLayerPage::lvLayersSelectItem(QObject *, QTreeWidgetItem *Item, bool Selected)
{
    SetActiveLayer(Selected ? LayerOfItem(Item) : nullptr);
    ActiveLayerToControls();
}

void TLayerPage::OnSelectionChanged()
{
    // The old row is written back before the new one is shown.
    FollowSelection(Form(), lvLayers, FActiveLayer,
                    [this](QTreeWidgetItem *AItem) { lvLayersSelectItem(lvLayers, AItem, AItem != nullptr); });
}

bool TLayerPage::eventFilter(QObject *AWatched, QEvent *AEvent)
{
    if (IsDeleteKeyIn(lvLayers, AWatched, AEvent)) {
        Form().Guarded([&] { DeleteLayerExecute(lvLayers); });
        return true;
    }
    return TZavPage::eventFilter(AWatched, AEvent);
}

void TLayerPage::NewLayerExecute(QObject *)
{
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole || Form().PageControl1->currentIndex() != TZAV3MainForm::piLayers)
        return;
    SetActiveLayer(nullptr);
    DMBorehole->AddLayer(Borehole->LocID(), Borehole->Prj_ID());
    ShowLayersExecute(nullptr);
    if (const int Count = lvLayers->topLevelItemCount(); Count > 0) {
        // The new layer lies below all others; its sublayers, if any, would follow it.
        for (int I = Count - 1; I >= 0; --I) {
            QTreeWidgetItem *Item = lvLayers->topLevelItem(I);
            if (dynamic_cast<TZAV_Layer *>(LayerOfItem(Item))) {
                lvLayers->setCurrentItem(Item); // selects it, in a list of one selected row
                break;
            }
        }
    }
}

void TLayerPage::NewSublayerExecute(QObject *)
{
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole || !FActiveLayer)
        return;
    const int RecID = FActiveLayer->RecID();
    SetActiveLayer(nullptr);
    const int NewRecID = DMBorehole->AddSublayer(Borehole->LocID(), RecID, Borehole->Prj_ID());
    ShowLayersExecute(nullptr);
    SelectLayerLVByRecID(NewRecID);
}

void TLayerPage::DeleteLayerExecute(QObject *)
{
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole || !FActiveLayer)
        return;
    {
        // A layer and its sublayers go together or not at all.
        TZavTransaction Transaction(DMBorehole->ConnBorehole);
        if (auto *Layer = dynamic_cast<TZAV_Layer *>(FActiveLayer)) {
            for (TObject *Sub : *Layer->SubLayers())
                DMBorehole->DeleteLayer(Borehole->LocID(), static_cast<TZAV_SubLayer *>(Sub)->RecID());
        }
        DMBorehole->DeleteLayer(Borehole->LocID(), FActiveLayer->RecID());
        Transaction.Commit();
    }
    FActiveLayer = nullptr;
    ShowLayersExecute(nullptr);
}
