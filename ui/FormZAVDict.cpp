#include "FormZAVDict.h"

#include "MainForm.h"
#include "ZAVDictionaries.h"
#include "ZavDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

QString DefaultDictionarySetPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Standard.WB3"));
}

TFrameOKCancel::TFrameOKCancel(QDialog *AParent)
    : QWidget(AParent)
{
    setObjectName(QStringLiteral("TFrameOKCancel1"));
    auto *Layout = new QHBoxLayout(this);
    Layout->addStretch();
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    Layout->addWidget(BtnOK);
    Layout->addWidget(BtnCancel);
    connect(BtnOK, &QPushButton::clicked, AParent, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, AParent, &QDialog::reject);
}

TFormZAVDict::TFormZAVDict(TZAV3MainForm &AForm)
    : QDialog(&AForm)
    , FForm(AForm)
{
    setObjectName(QStringLiteral("FormZAVDict"));
    setWindowTitle(QStringLiteral("ZAV3 Wörterbücher"));
    auto *Outer = new QVBoxLayout(this);
    auto *Body = new QHBoxLayout;
    LBoxItems = new QListWidget(this);
    LBoxItems->setObjectName(QStringLiteral("LBoxItems"));
    LBoxItems->setMinimumSize(385, 337);
    Body->addWidget(LBoxItems, 1);
    auto *Buttons = new QVBoxLayout;
    auto AddButton = [&](const QString &AName, const QString &ACaption, void (TFormZAVDict::*AClick)(QObject *)) {
        auto *Button = new QPushButton(ACaption, this);
        Button->setObjectName(AName);
        Button->setMinimumWidth(qMax(161, Button->sizeHint().width()));
        Button->setAutoDefault(false);
        connect(Button, &QPushButton::clicked, this, [this, AClick, Button] {
            FForm.Guarded([&] { (this->*AClick)(Button); });
            FillItems();
        });
        Buttons->addWidget(Button);
        return Button;
    };
    BtnSave = AddButton(QStringLiteral("BtnSave"), QStringLiteral("Speichern unter..."), &TFormZAVDict::OnSaveClick);
    BtnFromDB = AddButton(QStringLiteral("BtnFromDB"), QStringLiteral("Aus Datenbank erstellen..."),
                          &TFormZAVDict::OnCreateFromDBClick);
    BtnLoadFile = AddButton(QStringLiteral("BtnLoadFile"), QStringLiteral("Wörterbuchdatei laden..."),
                            &TFormZAVDict::OnLoadFileClick);
    Buttons->addSpacing(12);
    BtnMakeDefault = AddButton(QStringLiteral("BtnMakeDefault"), QStringLiteral("Als Standard verwenden"),
                               &TFormZAVDict::OnMakeDefaultClick);
    BtnBuiltIn = AddButton(QStringLiteral("BtnBuiltIn"), QStringLiteral("Eingebauten Satz verwenden"),
                           &TFormZAVDict::OnBuiltInClick);
    Buttons->addStretch();
    Body->addLayout(Buttons);
    Outer->addLayout(Body);
    TFrameOKCancel1 = new TFrameOKCancel(this);
    TFrameOKCancel1->BtnCancel->hide();
    Outer->addWidget(TFrameOKCancel1);
    FillItems();
}

void TFormZAVDict::FillItems()
{
    LBoxItems->clear();
    if (!ZAV_Dictionaries)
        return;
    for (int I = 0; I < ZAV_Dictionaries->Count(); ++I) {
        const TZAVDict *Dict = ZAV_Dictionaries->Dictionary(I);
        LBoxItems->addItem(QStringLiteral("%1 (%2 Einträge)").arg(Dict->Tablename()).arg(Dict->Count()));
    }
}

void TFormZAVDict::OnSaveClick(QObject *)
{
    if (!ZAV_Dictionaries)
        return;
    TZavDialogs::TFileRequest Request;
    Request.Caption = QStringLiteral("Wörterbuch speichern");
    Request.Filters = {QStringLiteral("Wörterbuch (*.WB3)")};
    Request.DefaultSuffix = QStringLiteral("WB3");
    const QString Path = ZavDialogs().GetSaveFileName(this, Request);
    if (!Path.isEmpty())
        ZAV_Dictionaries->SaveToFile(Path);
}

void TFormZAVDict::OnCreateFromDBClick(QObject *)
{
    TZavDialogs::TFileRequest Request;
    Request.Caption = QStringLiteral("Wörterbuch-Datenbank öffnen");
    Request.Filters = {QStringLiteral("Wörterbuch-Datenbank (*.accdb *.mdb *.sqlite *.db)"),
                       QStringLiteral("Alle Dateien (*)")};
    const QString Path = ZavDialogs().GetOpenFileName(this, Request);
    if (Path.isEmpty())
        return;
    // All 21 dictionaries, built aside; the set in use stays until the new one is complete.
    QStringList TakenOver;
    std::unique_ptr<TZAVDictionaries> Set;
    try {
        Set = BuildSetFromDB(Path, ZAV_Dictionaries, &TakenOver);
    } catch (const ECatalogueNotOpened &) {
        ZavDialogs().MessageDlg(this, TZavDialogs::mkError, QStringLiteral("Keine Verbindung zur Datenbank"),
                                QStringLiteral("Zur Datenbank %1 konnte keine Verbindung aufgebaut werden.").arg(Path),
                                TZavDialogs::mbOK);
        return;
    }
    FForm.ReplaceDictionaries(std::move(Set), QStringLiteral("aus der Datenbank %1").arg(QDir::toNativeSeparators(Path)));
    if (!TakenOver.isEmpty())
        ZavDialogs().MessageDlg(this, TZavDialogs::mkInformation,
                                QStringLiteral("Aus dem bisherigen Satz übernommen: %1").arg(TakenOver.join(u", ")),
                                QStringLiteral("Die Datenbank enthält diese Tabellen nicht."), TZavDialogs::mbOK);
}

void TFormZAVDict::OnLoadFileClick(QObject *)
{
    TZavDialogs::TFileRequest Request;
    Request.Caption = QStringLiteral("Wörterbuchdatei laden");
    Request.Filters = {QStringLiteral("Wörterbuch (*.WB3)"), QStringLiteral("Alle Dateien (*)")};
    const QString Path = ZavDialogs().GetOpenFileName(this, Request);
    if (!Path.isEmpty())
        FForm.ReplaceDictionaries(LoadDictionariesFromFile(Path),
                                  QStringLiteral("Wörterbuchdatei %1").arg(QDir::toNativeSeparators(Path)));
}

void TFormZAVDict::OnMakeDefaultClick(QObject *)
{
    if (!ZAV_Dictionaries)
        return;
    const QString Path = DefaultDictionarySetPath();
    QDir().mkpath(QFileInfo(Path).absolutePath());
    ZAV_Dictionaries->SaveToFile(Path);
}

void TFormZAVDict::OnBuiltInClick(QObject *)
{
    std::unique_ptr<TZAVDictionaries> BuiltIn = LoadDictionariesFromResource();
    if (!BuiltIn)
        throw EZavError(QStringLiteral("Die eingebauten Wörterbücher können nicht geladen werden."));
    FForm.ReplaceDictionaries(std::move(BuiltIn), QStringLiteral("eingebauter Satz"));
    const QString Path = DefaultDictionarySetPath();
    if (QFile::exists(Path) && !QFile::remove(Path))
        throw EZavError(QStringLiteral("Der Standard-Wörterbuchsatz <%1> kann nicht entfernt werden.").arg(Path));
}
