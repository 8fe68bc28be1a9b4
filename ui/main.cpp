#include "DMBorehole.h"
#include "DMDict.h"
#include "MainForm.h"
#include "ZavDialogs.h"

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zavrex"));
    QApplication::setApplicationVersion(QStringLiteral(ZAVREX_VERSION));
    // The interface is German, Qt's own dialogs included, whatever the locale says;
    // numbers and dates still follow the locale.
    InstallGermanQtTranslations();

    // Creation order: the catalogue data module, the borehole data module, the window.
    auto Dict = std::make_unique<TDMDict>();
    DMDict = Dict.get();
    auto Borehole = std::make_unique<TDMBorehole>();
    DMBorehole = Borehole.get();
    int Result = 0;
    {
        TZAV3MainForm MainForm;
        MainForm.show();
        Result = App.exec();
    }
    DMBorehole = nullptr;
    DMDict = nullptr;
    return Result;
}
