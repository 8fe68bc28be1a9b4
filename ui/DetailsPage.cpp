#include "DetailsPage.h"

#include "DMBorehole.h"
#include "MainForm.h"
#include "StartPage.h"
#include "ZAV_Profil.h"

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

    // Tab order as the fields are listed.
    QWidget *Order[] = {edtName,      cmbState,    cmbTK25,       BtnEnterTKNo, edtXCoord, edtYCoord,
                        edtEPSG,      cmbCoordSys, cmbCoordFind,  edtZCoordB,   edtFinalDepth, cmbHSys,
                        cmbHFind,     cmbArfach,   cmbType,       cmbTech,      cmbPurpose, cmbConfLevel};
    for (size_t I = 1; I < std::size(Order); ++I)
        setTabOrder(Order[I - 1], Order[I]);
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
