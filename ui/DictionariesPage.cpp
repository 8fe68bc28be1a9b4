#include "DictionariesPage.h"

#include "MainForm.h"
#include "ZAVDictionaries.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

QString FixedCatalogueDatabasePath()
{
    return QStringLiteral(ZAVREX_CATALOGUE_DATABASE);
}

QString FixedDictionaryFilePath()
{
    return QStringLiteral(ZAVREX_DICTIONARY_FILE);
}

TDictionariesPage::TDictionariesPage(TZAV3MainForm &AForm)
    : TZavPage(AForm, QStringLiteral("TabSheet1"))
{
    auto *Layout = new QGridLayout(this);
    QWidget *Strip = NewCommandStrip(this, {AForm.CreateDicts, AForm.SaveDictToFile});
    Layout->addWidget(Strip, 0, 0, 1, 2);
    auto *DictsCaption = new QLabel(QStringLiteral("Wörterbuch"), this);
    auto *EntriesCaption = new QLabel(QStringLiteral("Einträge"), this);
    LBDicts = new QListWidget(this);
    LBDicts->setObjectName(QStringLiteral("LBDicts"));
    DictsCaption->setBuddy(LBDicts);
    LBDictEntries = new QListWidget(this);
    LBDictEntries->setObjectName(QStringLiteral("LBDictEntries"));
    LBDictEntries->setUniformItemSizes(true);
    EntriesCaption->setBuddy(LBDictEntries);
    Layout->addWidget(DictsCaption, 1, 0);
    Layout->addWidget(EntriesCaption, 1, 1);
    Layout->addWidget(LBDicts, 2, 0);
    Layout->addWidget(LBDictEntries, 2, 1);
    Layout->setColumnStretch(0, 1);
    Layout->setColumnStretch(1, 2);
    connect(LBDicts, &QListWidget::itemSelectionChanged, this,
            [this] { Form().Guarded([this] { LBDictsClick(LBDicts); }); });
}

void TDictionariesPage::ShowSet(const TZAVDictionaries *ASet)
{
    LBDictEntries->clear();
    LBDicts->clear();
    if (!ASet)
        return;
    for (int I = 0; I < ASet->Count(); ++I) {
        TZAVDict *Dict = ASet->Dictionary(I);
        auto *Item = new QListWidgetItem(Dict->Tablename(), LBDicts);
        Item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void *>(Dict)));
    }
}

void TDictionariesPage::LBDictsClick(QObject *)
{
    LBDictEntries->clear();
    const QList<QListWidgetItem *> Selected = LBDicts->selectedItems();
    if (Selected.isEmpty())
        return;
    const auto *Dict = static_cast<const TZAVDict *>(Selected.constFirst()->data(Qt::UserRole).value<void *>());
    if (!Dict)
        return;
    QStringList Texts;
    Texts.reserve(Dict->Count());
    for (const TObject *Obj : *Dict)
        Texts.append(static_cast<const TZAVAtom *>(Obj)->ClearText());
    LBDictEntries->setUpdatesEnabled(false);
    LBDictEntries->addItems(Texts);
    LBDictEntries->setUpdatesEnabled(true);
}

void TDictionariesPage::CreateDictsExecute(QObject *)
{
    // Built aside: the set in use goes only when the new one is complete.
    Form().ReplaceDictionaries(BuildSetFromDB(FixedCatalogueDatabasePath(), ZAV_Dictionaries),
                               QStringLiteral("aus der Datenbank %1").arg(FixedCatalogueDatabasePath()));
}

void TDictionariesPage::SaveDictToFileExecute(QObject *)
{
    if (ZAV_Dictionaries && ZAV_Dictionaries->Count() > 0)
        ZAV_Dictionaries->SaveToFile(FixedDictionaryFilePath());
}
