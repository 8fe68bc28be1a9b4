#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QDialog;
class QWidget;

// Every dialog the window shows goes through this one interface: file pickers, message
// boxes, confirmations and input dialogs. The program uses the Qt implementation; tests
// install a scripted one that answers without a person.
class TZavDialogs
{
public:
    enum TMsgKind { mkInformation, mkWarning, mkError, mkConfirmation };
    enum TButton { mbNone = 0, mbOK = 1, mbYes = 2, mbNo = 4, mbCancel = 8 };

    // A file picker: caption, name filters ("Bohrungskatalog (*.sqlite)"), default suffix
    // for saving, and whether saving over an existing file asks first.
    struct TFileRequest
    {
        QString Caption;
        QStringList Filters;
        QString DefaultSuffix;
        bool ConfirmOverwrite = true;
        QString Directory;
    };

    virtual ~TZavDialogs() = default;

    // The chosen path, or empty when the user cancelled.
    virtual QString GetSaveFileName(QWidget *AParent, const TFileRequest &ARequest) = 0;
    virtual QString GetOpenFileName(QWidget *AParent, const TFileRequest &ARequest) = 0;
    // A message with a heading (the main instruction) and a text; AButtons is a set of
    // TButton. Yields the button chosen (mbNone when the box was closed otherwise).
    virtual TButton MessageDlg(QWidget *AParent, TMsgKind AKind, const QString &AHeading, const QString &AText,
                               int AButtons) = 0;
    // A one-line input with caption, prompt and preset text; true when confirmed, AValue
    // then holding the text.
    virtual bool InputQuery(QWidget *AParent, const QString &ACaption, const QString &APrompt, QString &AValue) = 0;
    // Shows a dialog of ours modally; yields its result (QDialog::Accepted or Rejected).
    virtual int ExecDialog(QDialog *ADialog) = 0;

    // Progress of long work, shown with a Cancel button until the object goes.
    class TProgress
    {
    public:
        virtual ~TProgress() = default;
        // Shows ALabel and AValue of AMaximum; false once the user cancelled.
        virtual bool Step(const QString &ALabel, int AValue, int AMaximum) = 0;
    };
    virtual std::unique_ptr<TProgress> BeginProgress(QWidget *AParent, const QString &ACaption) = 0;
};

// The dialogs in use; the Qt ones unless a test installed others.
TZavDialogs &ZavDialogs();
// Replaces the dialogs in use (null: back to the Qt ones).
void SetZavDialogs(std::unique_ptr<TZavDialogs> ADialogs);

// Loads Qt's German translations, so Qt's own dialogs read "Öffnen", "Abbrechen", "Ja";
// false when they are not installed.
bool InstallGermanQtTranslations();

// Shows an error's text in a message box: what the window does with every error that a
// command does not handle itself.
void ShowErrorMessage(QWidget *AParent, const QString &AText);
