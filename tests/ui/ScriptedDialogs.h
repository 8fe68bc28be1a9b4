#pragma once

// Dialogs that answer from a script, for the window tests: each question takes the next
// queued answer of its kind (none queued: cancel) and is recorded with what it showed.

#include "ZavDialogs.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TScriptedDialogs : public TZavDialogs
{
public:
    struct TShown
    {
        QString Kind; // "save", "open", "message", "input"
        TMsgKind MsgKind = mkInformation;
        QString Heading;
        QString Text;
        int Buttons = mbNone;
        TFileRequest Request;
        QString Preset; // the text an input dialog started with
    };

    // Answers, taken from the front; an empty path cancels the file dialog.
    QStringList FilePaths;
    QList<TButton> Buttons;
    QStringList Inputs;
    // Everything shown, in order.
    QList<TShown> Shown;

    QString GetSaveFileName(QWidget *, const TFileRequest &ARequest) override
    {
        Shown.append({QStringLiteral("save"), mkInformation, ARequest.Caption, QString(), mbNone, ARequest, QString()});
        return FilePaths.isEmpty() ? QString() : FilePaths.takeFirst();
    }
    QString GetOpenFileName(QWidget *, const TFileRequest &ARequest) override
    {
        Shown.append({QStringLiteral("open"), mkInformation, ARequest.Caption, QString(), mbNone, ARequest, QString()});
        return FilePaths.isEmpty() ? QString() : FilePaths.takeFirst();
    }
    TButton MessageDlg(QWidget *, TMsgKind AKind, const QString &AHeading, const QString &AText, int AButtons) override
    {
        Shown.append({QStringLiteral("message"), AKind, AHeading, AText, AButtons, {}, QString()});
        return Buttons.isEmpty() ? mbNone : Buttons.takeFirst();
    }
    bool InputQuery(QWidget *, const QString &ACaption, const QString &APrompt, QString &AValue) override
    {
        Shown.append({QStringLiteral("input"), mkInformation, ACaption, APrompt, mbNone, {}, AValue});
        if (Inputs.isEmpty())
            return false;
        AValue = Inputs.takeFirst();
        return true;
    }

    // What a dialog of ours does while "shown": the test drives it, then it closes with
    // the result given (Rejected when there is no script).
    std::function<int(QDialog *)> OnDialog;
    int ExecDialog(QDialog *ADialog) override
    {
        Shown.append({QStringLiteral("dialog"), mkInformation, ADialog->windowTitle(), QString(), mbNone, {}, QString()});
        return OnDialog ? OnDialog(ADialog) : QDialog::Rejected;
    }

    // Progress: every step shown, as "label value/maximum"; cancelled at step CancelAtStep
    // (counted from 1; 0 never).
    QStringList ProgressSteps;
    int CancelAtStep = 0;
    class TScriptedProgress : public TProgress
    {
    public:
        explicit TScriptedProgress(TScriptedDialogs &AOwner)
            : FOwner(AOwner)
        {
        }
        bool Step(const QString &ALabel, int AValue, int AMaximum) override
        {
            FOwner.ProgressSteps.append(QStringLiteral("%1 %2/%3").arg(ALabel).arg(AValue).arg(AMaximum));
            return FOwner.CancelAtStep == 0 || FOwner.ProgressSteps.size() < FOwner.CancelAtStep;
        }

    private:
        TScriptedDialogs &FOwner;
    };
    std::unique_ptr<TProgress> BeginProgress(QWidget *, const QString &ACaption) override
    {
        Shown.append({QStringLiteral("progress"), mkInformation, ACaption, QString(), mbNone, {}, QString()});
        return std::make_unique<TScriptedProgress>(*this);
    }

    // The messages shown, as "heading | text", for readable comparisons.
    QStringList Messages() const
    {
        QStringList Result;
        for (const TShown &S : Shown) {
            if (S.Kind == QStringLiteral("message"))
                Result.append(S.Heading + QStringLiteral(" | ") + S.Text);
        }
        return Result;
    }
};
