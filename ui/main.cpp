#include "DMBorehole.h"
#include "DMDict.h"
#include "MainForm.h"
#include "ZavDialogs.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char HelpText[] =
    "Aufruf: zavrex [DATEI]\n"
    "\n"
    "Zavrex, Editor für geologische Bohrungsdaten (Stammdaten, Schichten nach SEP 3,\n"
    "Wasserstände, Proben).\n"
    "\n"
    "  DATEI        diesen Bohrungskatalog beim Start öffnen (.sqlite; ein Access-Katalog\n"
    "               .accdb/.mdb wird in einen neuen Katalog übernommen)\n"
    "  --help       diese Hilfe anzeigen\n"
    "  --version    die Version anzeigen\n";

} // namespace

int main(int argc, char **argv)
{
    // Answered before any window exists, so they work without a display.
    QStringList Files;
    for (int I = 1; I < argc; ++I) {
        if (std::strcmp(argv[I], "--help") == 0 || std::strcmp(argv[I], "-h") == 0) {
            std::fputs(HelpText, stdout);
            return 0;
        }
        if (std::strcmp(argv[I], "--version") == 0) {
            std::printf("Zavrex %s\n", ZAVREX_VERSION);
            return 0;
        }
        if (argv[I][0] == '-' && argv[I][1] != '\0') {
            std::fprintf(stderr, "zavrex: unbekannte Option „%s“\n\n%s", argv[I], HelpText);
            return 2;
        }
        Files.append(QString::fromLocal8Bit(argv[I]));
    }
    if (Files.size() > 1) {
        std::fprintf(stderr, "zavrex: höchstens eine DATEI\n\n%s", HelpText);
        return 2;
    }

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
        // A catalogue given at start opens as "Öffnen..." would open it.
        if (!Files.isEmpty())
            MainForm.Guarded([&] { MainForm.OpenCatalogueFile(Files.first()); });
        Result = App.exec();
    }
    DMBorehole = nullptr;
    DMDict = nullptr;
    return Result;
}
