#pragma once

#include "ZavPage.h"

class QListWidget;
class TZAVDictionaries;

// The maintenance page "Wörterbücher": the dictionaries of the set in use and the entries
// of the one selected, and the two commands that rebuild the set from the catalogue
// database at a fixed path and write it to a dictionary file at a fixed path. No command
// brings it forward.
class TDictionariesPage : public TZavPage
{
    Q_OBJECT

public:
    explicit TDictionariesPage(TZAV3MainForm &AForm);

    // Lists the dictionaries of ASet (none without a set); no entries are listed then.
    void ShowSet(const TZAVDictionaries *ASet);
    void LBDictsClick(QObject *Sender);
    void CreateDictsExecute(QObject *Sender);
    void SaveDictToFileExecute(QObject *Sender);

    QListWidget *LBDicts = nullptr;
    QListWidget *LBDictEntries = nullptr;
};

// The developer settings of the page: the catalogue database CreateDicts reads and the
// dictionary file SaveDictToFile writes.
QString FixedCatalogueDatabasePath();
QString FixedDictionaryFilePath();
