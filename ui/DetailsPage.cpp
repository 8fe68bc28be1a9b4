#include "DetailsPage.h"

#include "DMBorehole.h"
#include "MainForm.h"
#include "StartPage.h"
#include "ZAVDictionaries.h"
#include "ZAV_Profil.h"
#include "ZavDatabaseError.h"
#include "ZavDialogs.h"

#include <QCollator>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLineEdit *NewEdit(QWidget *AParent, const QString &AName)
{
    auto *Edit = new QLineEdit(AParent);
    Edit->setObjectName(AName);
    return Edit;
}

QComboBox *NewCombo(QWidget *AParent, const QString &AName)
{
    auto *Combo = new QComboBox(AParent);
    Combo->setObjectName(AName);
    Combo->setEditable(false);
    Combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo->setMinimumContentsLength(8);
    return Combo;
}

// A caption that names its field for screen readers and tests.
QLabel *Caption(QWidget *AParent, const QString &AText, QWidget *AField)
{
    auto *Label = new QLabel(AText, AParent);
    Label->setBuddy(AField);
    return Label;
}

// A row of a form: the caption and its field.
template <typename TField>
TField *AddRow(QFormLayout *AForm, TField *AField, const QString &ACaption)
{
    AForm->addRow(Caption(AForm->parentWidget(), ACaption, AField), AField);
    return AField;
}

QComboBox *AddComboRow(QFormLayout *AForm, const char *AName, const QString &ACaption)
{
    return AddRow(AForm, NewCombo(AForm->parentWidget(), QString::fromLatin1(AName)), ACaption);
}

QLineEdit *AddEditRow(QFormLayout *AForm, const char *AName, const QString &ACaption)
{
    return AddRow(AForm, NewEdit(AForm->parentWidget(), QString::fromLatin1(AName)), ACaption);
}

} // namespace

void SortComboByText(QComboBox *ACombo)
{
    QList<std::pair<QString, QVariant>> Items;
    for (int I = 0; I < ACombo->count(); ++I)
        Items.append({ACombo->itemText(I), ACombo->itemData(I)});
    QCollator Collator{QLocale()};
    Collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(Items.begin(), Items.end(),
                     [&Collator](const auto &A, const auto &B) { return Collator.compare(A.first, B.first) < 0; });
    const int Chosen = ACombo->currentIndex();
    const QVariant ChosenData = Chosen >= 0 ? ACombo->itemData(Chosen) : QVariant();
    ACombo->clear();
    for (const auto &[Text, Data] : Items)
        ACombo->addItem(Text, Data);
    ACombo->setCurrentIndex(Chosen >= 0 ? ACombo->findData(ChosenData) : -1);
}

TDetailsPage::TDetailsPage(TZAV3MainForm &AForm)
    : TZavPage(AForm, QStringLiteral("TabSheetBHDetails"))
{
    auto *Outer = new QVBoxLayout(this);
    Outer->setContentsMargins(0, 0, 0, 0);
    // Readable at the window's minimum size: the page scrolls instead of squeezing.
    auto *Scroll = new QScrollArea(this);
    Scroll->setWidgetResizable(true);
    Scroll->setFrameShape(QFrame::NoFrame);
    Outer->addWidget(Scroll);
    auto *Body = new QWidget(Scroll);
    Scroll->setWidget(Body);
    auto *Layout = new QVBoxLayout(Body);

    auto *Head = new QHBoxLayout;
    LblLocID = new QLabel(QStringLiteral("ID: "), Body);
    LblLocID->setObjectName(QStringLiteral("LblLocID"));
    LblLocID->setTextFormat(Qt::PlainText);
    Head->addWidget(LblLocID);
    Head->addStretch();
    Head->addWidget(new QLabel(QStringLiteral("Alle Eingaben sind Pflichtfelder"), Body));
    Layout->addLayout(Head);

    auto *NameRow = new QFormLayout;
    edtName = AddEditRow(NameRow, "edtName", QStringLiteral("Name"));
    Layout->addLayout(NameRow);

    auto *Lage = new QGroupBox(QStringLiteral("Lage"), Body);
    auto *LageForm = new QFormLayout(Lage);
    cmbState = AddComboRow(LageForm, "cmbState", QStringLiteral("Bundesland"));
    cmbTK25 = NewCombo(Lage, QStringLiteral("cmbTK25"));
    BtnEnterTKNo = new QPushButton(QStringLiteral("Nummer eingeben..."), Lage);
    BtnEnterTKNo->setObjectName(QStringLiteral("BtnEnterTKNo"));
    auto *TKRow = new QHBoxLayout;
    TKRow->addWidget(cmbTK25, 1);
    TKRow->addWidget(BtnEnterTKNo);
    LageForm->addRow(Caption(Lage, QStringLiteral("TK 25"), cmbTK25), TKRow);
    edtXCoord = NewEdit(Lage, QStringLiteral("edtXCoord"));
    edtYCoord = NewEdit(Lage, QStringLiteral("edtYCoord"));
    edtEPSG = NewEdit(Lage, QStringLiteral("edtEPSG"));
    auto *XYRow = new QHBoxLayout;
    XYRow->addWidget(edtXCoord, 2);
    XYRow->addWidget(Caption(Lage, QStringLiteral("Y-Koordinate"), edtYCoord));
    XYRow->addWidget(edtYCoord, 2);
    XYRow->addWidget(Caption(Lage, QStringLiteral("EPSG"), edtEPSG));
    XYRow->addWidget(edtEPSG, 1);
    LageForm->addRow(Caption(Lage, QStringLiteral("X-Koordinate"), edtXCoord), XYRow);
    cmbCoordSys = AddComboRow(LageForm, "cmbCoordSys", QStringLiteral("Koordinatensystem"));
    cmbCoordFind = AddComboRow(LageForm, "cmbCoordFind", QStringLiteral("Bestimmungsart der Koordinaten"));
    edtZCoordB = AddEditRow(LageForm, "edtZCoordB", QStringLiteral("Höhe Bohransatzpunkt [m]"));
    edtFinalDepth = AddEditRow(LageForm, "edtFinalDepth", QStringLiteral("Endteufe [m] u. Ansatzpunkt"));
    cmbHSys = AddComboRow(LageForm, "cmbHSys", QStringLiteral("Höhensystem"));
    cmbHFind = AddComboRow(LageForm, "cmbHFind", QStringLiteral("Bestimmungsart der Höhe"));
    Layout->addWidget(Lage);

    auto *Sonstige = new QGroupBox(QStringLiteral("Sonstige Angaben"), Body);
    auto *SonstigeForm = new QFormLayout(Sonstige);
    cmbArfach = AddComboRow(SonstigeForm, "cmbArfach", QStringLiteral("Fachbereich"));
    cmbType = AddComboRow(SonstigeForm, "cmbType", QStringLiteral("Art der Bohrung"));
    cmbTech = AddComboRow(SonstigeForm, "cmbTech", QStringLiteral("techn. Verfahren"));
    cmbPurpose = AddComboRow(SonstigeForm, "cmbPurpose", QStringLiteral("Zweck der Bohrung"));
    cmbConfLevel = AddComboRow(SonstigeForm, "cmbConfLevel", QStringLiteral("Vertraulichkeit"));
    Layout->addWidget(Sonstige);
    Layout->addStretch();

    // Numbers stay readable; a narrow window puts the fields under their captions.
    for (QLineEdit *Number : {edtXCoord, edtYCoord, edtEPSG})
        Number->setMinimumWidth(Number->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12);
    for (QFormLayout *FormLayout : Body->findChildren<QFormLayout *>())
        FormLayout->setRowWrapPolicy(QFormLayout::WrapLongRows);

    // Each text field takes at most what its column holds.
    edtName->setMaxLength(254);
    FEditFields = {{edtName, "ANAME", QStringLiteral("Name"), QString()},
                   {edtXCoord, "XCOORD", QStringLiteral("X-Koordinate"), QString()},
                   {edtYCoord, "YCOORD", QStringLiteral("Y-Koordinate"), QString()},
                   {edtZCoordB, "ZCOORDB", QStringLiteral("Höhe Bohransatzpunkt [m]"), QString()},
                   {edtFinalDepth, "ZCOORDE", QStringLiteral("Endteufe [m] u. Ansatzpunkt"), QString()},
                   {edtEPSG, "EPSG", QStringLiteral("EPSG"), QString()}};
    FCodeFields = {{cmbState, "BLAND", "S3BLAND", QStringLiteral("Bundesland")},
                   {cmbCoordSys, "KSYS", "S3KSYS", QStringLiteral("Koordinatensystem")},
                   {cmbCoordFind, "KFIND", "S3KFIND", QStringLiteral("Bestimmungsart der Koordinaten")},
                   {cmbHSys, "HSYS", "S3HSYS", QStringLiteral("Höhensystem")},
                   {cmbHFind, "HFIND", "S3HFIND", QStringLiteral("Bestimmungsart der Höhe")},
                   {cmbTK25, "TK25", "S3TK25", QStringLiteral("TK 25")},
                   {cmbArfach, "ARFACH", "S3FACH", QStringLiteral("Fachbereich")},
                   {cmbType, "BART", "S3BART", QStringLiteral("Art der Bohrung")},
                   {cmbTech, "BVER", "S3ASBBV", QStringLiteral("techn. Verfahren")},
                   {cmbPurpose, "BZW", "S3BZW", QStringLiteral("Zweck der Bohrung")},
                   {cmbConfLevel, "VERTR", "S3VERT", QStringLiteral("Vertraulichkeit")}};
    connect(BtnEnterTKNo, &QPushButton::clicked, this,
            [this] { Form().Guarded([&] { BtnEnterTKNoClick(BtnEnterTKNo); }); });

    // Tab order as the fields are listed.
    QWidget *Order[] = {edtName,      cmbState,    cmbTK25,       BtnEnterTKNo, edtXCoord, edtYCoord,
                        edtEPSG,      cmbCoordSys, cmbCoordFind,  edtZCoordB,   edtFinalDepth, cmbHSys,
                        cmbHFind,     cmbArfach,   cmbType,       cmbTech,      cmbPurpose, cmbConfLevel};
    for (size_t I = 1; I < std::size(Order); ++I)
        setTabOrder(Order[I - 1], Order[I]);
}

int IndexOfZAVAtom(const QString &Abbreviation, const QString &Dictname, const QComboBox *TheItems)
{
    const TZAVDict *Dict = ZAV_Dictionaries ? ZAV_Dictionaries->GetDictionary(Dictname) : nullptr;
    const TZAVAtom *Atom = Dict ? Dict->Find(Abbreviation, false) : nullptr;
    if (!Atom)
        return -1;
    return TheItems->findData(QVariant::fromValue(static_cast<void *>(const_cast<TZAVAtom *>(Atom))));
}

void TDetailsPage::PageEnter()
{
    TZavQuery &Master = DMBorehole->QyStamm;
    LblLocID->setText(QStringLiteral("ID: ") + Master.FieldByName(QStringLiteral("LOCID")).AsString());
    // Null reads as empty text, numbers in the general format of the user's locale.
    for (TEditField &F : FEditFields) {
        F.ShownText = Master.FieldByName(QString::fromLatin1(F.Column)).AsString();
        F.Edit->setText(F.ShownText);
    }
    // A code its list cannot show selects nothing, and then stays as stored.
    for (const TCodeField &F : std::as_const(FCodeFields)) {
        const QString Code = Master.FieldByName(QString::fromLatin1(F.Column)).AsString();
        F.Combo->setCurrentIndex(IndexOfZAVAtom(Code, QString::fromLatin1(F.Dictname), F.Combo));
    }
}

void TDetailsPage::ControlsToMaster()
{
    TZavQuery &Master = DMBorehole->QyStamm;
    QString Caption;
    QString Value;
    try {
        Master.Edit();
        // Empty text is NULL; any other text goes as typed, converted by the row with the
        // rules of the user's locale.
        auto GetEdtValue = [](const QString &AText) { return AText.isEmpty() ? QVariant() : QVariant(AText); };
        // A field the user did not edit keeps its stored value exactly: a number shown
        // with 15 digits would otherwise come back rounded.
        auto SetFromEdit = [&](const TEditField &F) {
            Caption = F.Caption;
            Value = F.Edit->text();
            if (Value != F.ShownText)
                Master.SetFieldValue(QString::fromLatin1(F.Column), GetEdtValue(Value));
        };
        SetFromEdit(FEditFields.first());
        for (const TCodeField &F : std::as_const(FCodeFields)) {
            // No selection: the list cannot show the stored code, which stays as it is. The
            // user cannot unselect a list, so a selection is either the stored code or a choice.
            const int Index = F.Combo->currentIndex();
            if (Index < 0)
                continue;
            const auto *Atom = static_cast<const TZAVAtom *>(F.Combo->itemData(Index).value<void *>());
            Caption = F.Caption;
            Value = Atom->Abbr();
            Master.SetFieldValue(QString::fromLatin1(F.Column), Value);
        }
        for (qsizetype I = 1; I < FEditFields.size(); ++I)
            SetFromEdit(FEditFields[I]);
        Caption.clear();
        Master.Post();
    } catch (const EDatabaseError &E) {
        // Nothing half-written may wait in the row for the next move of the cursor.
        Master.Cancel();
        if (Caption.isEmpty()) {
            // Refused when posted: the engine names the column.
            for (const TEditField &F : std::as_const(FEditFields)) {
                if (E.Message().contains(QString::fromLatin1(F.Column))) {
                    Caption = F.Caption;
                    Value = F.Edit->text();
                }
            }
        }
        if (Caption.isEmpty())
            throw;
        throw EDatabaseError(QStringLiteral("Der Wert „%1“ im Feld „%2“ kann nicht gespeichert werden: %3")
                                 .arg(Value, Caption, E.Message()),
                             E.Statement());
    }
}

void TDetailsPage::PageLeave()
{
    Form().SaveBoreholeExecute(nullptr);
    // The list row shows what was saved.
    if (TZAV_Profil *Borehole = Form().ActiveBorehole()) {
        Borehole->ReadFromDB(&DMBorehole->QyStamm);
        Form().ZAV_Profil2LI(Borehole, Form().FindDataObject(Form().TabSheetStart->lvBoreholes, Borehole));
    }
}

void TDetailsPage::BtnEnterTKNoClick(QObject *)
{
    const int Selected = cmbTK25->currentIndex();
    QString Number =
        Selected >= 0 ? static_cast<const TZAVAtom *>(cmbTK25->itemData(Selected).value<void *>())->Abbr() : QString();
    if (!ZavDialogs().InputQuery(this, QStringLiteral("TK 25 Nummer eingeben"), QStringLiteral("TK 25"), Number))
        return;
    const int Index = IndexOfZAVAtom(Number, QStringLiteral("S3TK25"), cmbTK25);
    if (Index >= 0) {
        cmbTK25->setCurrentIndex(Index);
        return;
    }
    ZavDialogs().MessageDlg(this, TZavDialogs::mkError,
                            QStringLiteral("Die TK 25 mit der Nummer <%1> wurde nicht gefunden.").arg(Number),
                            QStringLiteral("TK 25 Eingabe fehlerhaft"), TZavDialogs::mbOK);
}

// ---------------------------------------------------------------------------------------
// The window's command

void TZAV3MainForm::SaveBoreholeExecute(QObject *)
{
    // Only the details page has a borehole to write, and only into an open catalogue.
    if (PageControl1->currentIndex() != piDetails || !DatabaseOpen() || !DMBorehole->QyStamm.Active()
        || DMBorehole->QyStamm.RecordCount() == 0)
        return;
    TabSheetBHDetails->ControlsToMaster();
}
