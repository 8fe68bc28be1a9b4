#pragma once

#include <QDialog>
#include <QWidget>

class QListWidget;
class QPushButton;
class TZAV3MainForm;
class TZAVDictionaries;

// A strip of dialog buttons along the bottom of its parent: OK closes with Accepted, the
// cancel button with Rejected.
class TFrameOKCancel : public QWidget
{
    Q_OBJECT

public:
    explicit TFrameOKCancel(QDialog *AParent);

    QPushButton *BtnOK = nullptr;
    QPushButton *BtnCancel = nullptr;
};

// The dictionary set dialog "ZAV3 Wörterbücher": the dictionaries of the set in use with
// their entry counts, and the ways to replace the set (from a catalogue database, from a
// dictionary file, the built-in set), to save it and to keep it for later starts.
class TFormZAVDict : public QDialog
{
    Q_OBJECT

public:
    explicit TFormZAVDict(TZAV3MainForm &AForm);

    // One line per dictionary of the set in use: "%s (%d Einträge)".
    void FillItems();

    void OnSaveClick(QObject *Sender);
    void OnCreateFromDBClick(QObject *Sender);
    void OnLoadFileClick(QObject *Sender);
    void OnMakeDefaultClick(QObject *Sender);
    void OnBuiltInClick(QObject *Sender);

    QListWidget *LBoxItems = nullptr;
    QPushButton *BtnSave = nullptr;
    QPushButton *BtnFromDB = nullptr;
    QPushButton *BtnLoadFile = nullptr;
    QPushButton *BtnMakeDefault = nullptr;
    QPushButton *BtnBuiltIn = nullptr;
    TFrameOKCancel *TFrameOKCancel1 = nullptr;

private:
    TZAV3MainForm &FForm;
};

// Where the set kept for later starts lives: in the user's data folder.
QString DefaultDictionarySetPath();
