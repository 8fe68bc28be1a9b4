#include "ZavDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTranslator>

namespace {

// The Qt implementation: Qt's own dialogs, German through the translations loaded at start.
class TQtDialogs : public TZavDialogs
{
public:
    QString GetSaveFileName(QWidget *AParent, const TFileRequest &ARequest) override
    {
        QFileDialog Dialog(AParent, ARequest.Caption, ARequest.Directory);
        Dialog.setAcceptMode(QFileDialog::AcceptSave);
        Dialog.setFileMode(QFileDialog::AnyFile);
        Dialog.setNameFilters(ARequest.Filters);
        Dialog.setDefaultSuffix(ARequest.DefaultSuffix);
        Dialog.setOption(QFileDialog::DontConfirmOverwrite, !ARequest.ConfirmOverwrite);
        if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
            return QString();
        return Dialog.selectedFiles().constFirst();
    }

    QString GetOpenFileName(QWidget *AParent, const TFileRequest &ARequest) override
    {
        QFileDialog Dialog(AParent, ARequest.Caption, ARequest.Directory);
        Dialog.setAcceptMode(QFileDialog::AcceptOpen);
        Dialog.setFileMode(QFileDialog::ExistingFile);
        Dialog.setNameFilters(ARequest.Filters);
        if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
            return QString();
        return Dialog.selectedFiles().constFirst();
    }

    TButton MessageDlg(QWidget *AParent, TMsgKind AKind, const QString &AHeading, const QString &AText,
                       int AButtons) override
    {
        static const QMessageBox::Icon Icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                  QMessageBox::Critical, QMessageBox::Question};
        QMessageBox Box(Icons[AKind], QStringLiteral("Zavrex"), AHeading, QMessageBox::NoButton, AParent);
        // Headings like "<B 1> löschen?" and engine messages are text, not markup.
        Box.setTextFormat(Qt::PlainText);
        // Task-style: the heading is the main instruction, the text explains it.
        if (!AText.isEmpty())
            Box.setInformativeText(QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(AText.toHtmlEscaped()));
        const std::pair<TButton, QMessageBox::StandardButton> Map[] = {
            {mbYes, QMessageBox::Yes}, {mbNo, QMessageBox::No}, {mbOK, QMessageBox::Ok}, {mbCancel, QMessageBox::Cancel}};
        for (const auto &[Ours, Qts] : Map) {
            if (AButtons & Ours)
                Box.addButton(Qts);
        }
        if (AButtons == mbNone)
            Box.addButton(QMessageBox::Ok);
        Box.exec();
        const QMessageBox::StandardButton Chosen = Box.standardButton(Box.clickedButton());
        for (const auto &[Ours, Qts] : Map) {
            if (Chosen == Qts)
                return Ours;
        }
        return mbNone;
    }

    int ExecDialog(QDialog *ADialog) override { return ADialog->exec(); }

    class TQtProgress : public TProgress
    {
    public:
        TQtProgress(QWidget *AParent, const QString &ACaption)
            : FDialog(ACaption, QStringLiteral("Abbrechen"), 0, 1, AParent)
        {
            FDialog.setWindowTitle(QStringLiteral("Zavrex"));
            FDialog.setWindowModality(Qt::WindowModal);
            FDialog.setMinimumDuration(300);
        }
        bool Step(const QString &ALabel, int AValue, int AMaximum) override
        {
            FDialog.setMaximum(AMaximum);
            if (!ALabel.isEmpty())
                FDialog.setLabelText(ALabel);
            FDialog.setValue(AValue); // a modal progress dialog lets the events through here
            return !FDialog.wasCanceled();
        }

    private:
        QProgressDialog FDialog;
    };

    std::unique_ptr<TProgress> BeginProgress(QWidget *AParent, const QString &ACaption) override
    {
        return std::make_unique<TQtProgress>(AParent, ACaption);
    }

    bool InputQuery(QWidget *AParent, const QString &ACaption, const QString &APrompt, QString &AValue) override
    {
        bool Ok = false;
        const QString Text = QInputDialog::getText(AParent, ACaption, APrompt, QLineEdit::Normal, AValue, &Ok);
        if (Ok)
            AValue = Text;
        return Ok;
    }
};

std::unique_ptr<TZavDialogs> &Current()
{
    static std::unique_ptr<TZavDialogs> Dialogs;
    return Dialogs;
}

} // namespace

TZavDialogs &ZavDialogs()
{
    std::unique_ptr<TZavDialogs> &Dialogs = Current();
    if (!Dialogs)
        Dialogs = std::make_unique<TQtDialogs>();
    return *Dialogs;
}

void SetZavDialogs(std::unique_ptr<TZavDialogs> ADialogs)
{
    Current() = std::move(ADialogs);
}

void ShowErrorMessage(QWidget *AParent, const QString &AText)
{
    ZavDialogs().MessageDlg(AParent, TZavDialogs::mkError, AText, QString(), TZavDialogs::mbOK);
}

bool InstallGermanQtTranslations()
{
    static QTranslator *Installed = nullptr;
    if (Installed)
        return true;
    auto Translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (!Translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    Installed = Translator.release();
    return QCoreApplication::installTranslator(Installed);
}
