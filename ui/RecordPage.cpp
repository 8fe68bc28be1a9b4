#include "RecordPage.h"

#include "DMBorehole.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "ZAV_Profil.h"
#include "ZavDatabaseError.h"
#include "ZavDateTime.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

// The locale's short date format with a four-digit year: two digits cannot tell 1924
// from 2024.
QString FullYearFormat(const QLocale &ALocale)
{
    QString Format = ALocale.dateFormat(QLocale::ShortFormat);
    if (!Format.contains(QStringLiteral("yyyy")))
        Format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return Format;
}

} // namespace

TRecordPage::TRecordPage(TZAV3MainForm &AForm, int APageIndex, const QString &AObjectName, const QString &AHeaderName,
                         const QString &AListName, const QString &APanelName, const QString &AHeaderText,
                         const QStringList &AColumns, const QList<int> &AWidths, QAction *ANew, QAction *ADelete)
    : TZavPage(AForm, AObjectName)
    , FPageIndex(APageIndex)
    , FHeaderText(AHeaderText)
{
    auto *Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 8, 8);
    Header = new QLabel(this);
    Header->setObjectName(AHeaderName);
    Header->setTextFormat(Qt::PlainText);
    QFont Bold = Header->font();
    Bold.setBold(true);
    Header->setFont(Bold);
    Header->setMinimumHeight(32);
    Layout->addWidget(Header);

    List = NewReportList(this, AListName, AHeaderText.section(u' ', 0, 0), AColumns, AWidths);
    List->installEventFilter(this);
    List->setContextMenuPolicy(Qt::ActionsContextMenu);
    List->addActions({ANew, ADelete});
    connect(List, &QTreeWidget::itemSelectionChanged, this, &TRecordPage::OnSelectionChanged);
    Layout->addWidget(List, 1);

    QWidget *Strip = NewCommandStrip(this, {ANew, ADelete});
    Strip->layout()->setContentsMargins(0, 6, 0, 6);
    Layout->addWidget(Strip);

    Panel = new QWidget(this);
    Panel->setObjectName(APanelName);
    auto *PanelLayout = new QVBoxLayout(Panel);
    PanelLayout->setContentsMargins(0, 0, 0, 0);
    PanelLayout->addWidget(new QLabel(QStringLiteral("Alle Angaben unter Ansatzpunkt"), Panel));
    FGrid = new QGridLayout;
    FGrid->setHorizontalSpacing(8);
    FGrid->setColumnStretch(2, 1);
    PanelLayout->addLayout(FGrid);
    Layout->addWidget(Panel);
}

QLineEdit *TRecordPage::AddField(const QString &AName, const QString &ACaption, const QString &AColumn)
{
    auto *Edit = new QLineEdit(Panel);
    Edit->setObjectName(AName);
    Edit->setFixedWidth(qMax(120, Edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12));
    auto *Caption = new QLabel(ACaption, Panel);
    Caption->setBuddy(Edit);
    const int Row = int(FFields.size());
    FGrid->addWidget(Caption, Row, 0);
    FGrid->addWidget(Edit, Row, 1);
    if (!FFields.isEmpty())
        setTabOrder(FFields.last().Edit, Edit);
    FFields.append({Edit, ACaption, AColumn, QString()});
    return Edit;
}

double TRecordPage::NumberOf(const QString &AText)
{
    bool Ok = false;
    // No digit grouping: "2.500" under a German locale is no 2500.
    QLocale Locale;
    Locale.setNumberOptions(Locale.numberOptions() | QLocale::RejectGroupSeparator);
    const double Value = Locale.toDouble(AText.trimmed(), &Ok);
    return Ok && std::isfinite(Value) ? Value : std::numeric_limits<double>::quiet_NaN();
}

double TRecordPage::DateOf(const QString &AText)
{
    const QLocale Locale;
    const QString Text = AText.trimmed();
    QDate Date = Locale.toDate(Text, FullYearFormat(Locale));
    if (!Date.isValid()) {
        // Two-digit years mean this century or the last, whichever is nearer.
        Date = Locale.toDate(Text, QLocale::ShortFormat);
        if (Date.isValid() && Date.year() < 1950)
            Date = Date.addYears(100);
    }
    return Date.isValid() ? ZavDateTimeToDays(QDateTime(Date, QTime(0, 0))) : 0;
}

int TRecordPage::IntegerOf(const QString &AText)
{
    bool Ok = false;
    const int Value = QLocale().toInt(AText.trimmed(), &Ok);
    return Ok ? Value : -1;
}

QString TRecordPage::DateText(double ADays)
{
    const QLocale Locale;
    return Locale.toString(ZavDaysToDateTime(ADays).date(), FullYearFormat(Locale));
}

void TRecordPage::ClearList()
{
    // Without selection events: the rows may refer to records about to be released.
    const QSignalBlocker Blocker(List);
    List->clear();
}

void TRecordPage::DropActiveRecord()
{
    FActive = nullptr;
    ClearList();
}

void TRecordPage::PageLeave()
{
    SetActiveRecord(nullptr);
    ClearList();
}

void TRecordPage::PageEnter()
{
    FActive = nullptr;
    ActiveRecordToControls();
    UpdateView();
    if (QTreeWidgetItem *First = List->topLevelItem(0))
        First->setSelected(true);
}

void TRecordPage::ShowRecords()
{
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole)
        return;
    // The records are read again: nothing may refer to the old ones.
    SetActiveRecord(nullptr);
    ClearList();
    ReadRecords(Borehole);
    Header->setText(FHeaderText.arg(Borehole->Name()));
    Form().ShowPage(FPageIndex);
}

void TRecordPage::NewRecord()
{
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole || Form().PageControl1->currentIndex() != FPageIndex)
        return;
    SetActiveRecord(nullptr);
    AddRecordRow(Borehole->LocID(), Borehole->Prj_ID());
    ShowRecords();
    // Rows are ordered by RECID: the last is the new one.
    if (QTreeWidgetItem *Last = List->topLevelItem(List->topLevelItemCount() - 1))
        List->setCurrentItem(Last); // selects it; Last is not touched after the selection's write-back
}

void TRecordPage::DeleteRecord()
{
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole || !FActive)
        return;
    DeleteRecordRow(Borehole->LocID(), FActive);
    FActive = nullptr;
    ShowRecords();
}

void TRecordPage::UpdateView()
{
    ClearList();
    TZAV_Profil *Borehole = Form().ActiveBorehole();
    if (!Borehole)
        return;
    QList<QTreeWidgetItem *> Items;
    for (TObject *Record : *Records(Borehole)) {
        auto *Item = new QTreeWidgetItem;
        Items.append(Item);
        FillRow(Record, Item);
    }
    const QSignalBlocker Blocker(List);
    List->addTopLevelItems(Items);
}

void TRecordPage::SetActiveRecord(TObject *ARecord)
{
    if (ARecord != FActive && FActive) {
        // Nothing edited: nothing to write, and every stored value stays exactly.
        bool Edited = false;
        for (const TField &F : std::as_const(FFields))
            Edited = Edited || F.Edit->text() != F.ShownText;
        if (Edited) {
            ControlsToActiveRecord();
            FillRow(FActive, Form().FindDataObject(List, FActive));
            if (const TZAV_Profil *Borehole = Form().ActiveBorehole()) {
                try {
                    WriteRecord(FActive, Borehole->LocID());
                } catch (const EDatabaseError &E) {
                    // Not written: the record stays active with what was typed. The
                    // engine names the column it refused.
                    for (const TField &F : std::as_const(FFields)) {
                        if (E.Message().contains(QStringLiteral("(%1 ").arg(F.Column))
                            || E.Message().contains(QStringLiteral(" %1 ").arg(F.Column)))
                            throw EDatabaseError(
                                QStringLiteral("Der Wert „%1“ im Feld „%2“ kann nicht gespeichert werden: %3")
                                    .arg(F.Edit->text(), F.Caption, E.Message()),
                                E.Statement());
                    }
                    throw;
                }
            }
            for (TField &F : FFields)
                F.ShownText = F.Edit->text();
        }
    }
    FActive = ARecord;
}

void TRecordPage::ActiveRecordToControls()
{
    const bool Active = FActive != nullptr;
    for (QWidget *W : Panel->findChildren<QWidget *>())
        W->setEnabled(Active);
    const QStringList Texts = Active ? FieldTexts(FActive) : QStringList();
    for (qsizetype I = 0; I < FFields.size(); ++I) {
        FFields[I].ShownText = Texts.value(I);
        FFields[I].Edit->setText(FFields[I].ShownText);
    }
}

bool TRecordPage::ControlsToActiveRecord()
{
    if (!FActive)
        return false;
    // Only what the user changed: a depth shown with two decimals keeps its stored digits.
    for (qsizetype I = 0; I < FFields.size(); ++I) {
        if (FFields[I].Edit->text() != FFields[I].ShownText)
            TakeField(FActive, int(I), FFields[I].Edit->text());
    }
    return true;
}

void TRecordPage::SelectItem(QObject *, QTreeWidgetItem *Item, bool Selected)
{
    SetActiveRecord(Selected ? ObjectOfRow(Item) : nullptr);
    ActiveRecordToControls();
}

void TRecordPage::OnSelectionChanged()
{
    // The old row is written back before the new one is shown.
    FollowSelection(Form(), List, FActive,
                    [this](QTreeWidgetItem *AItem) { SelectItem(List, AItem, AItem != nullptr); });
}

bool TRecordPage::eventFilter(QObject *AWatched, QEvent *AEvent)
{
    if (IsDeleteKeyIn(List, AWatched, AEvent)) {
        Form().Guarded([&] { DeleteRecord(); });
        return true;
    }
    return TZavPage::eventFilter(AWatched, AEvent);
}
