// zavrex-cli: the translations of the layer page and the dictionary look-ups outside the
// window, for batch work and terminals.
//
//   zavrex-cli [--dictionary FILE] translate FIELD [CODE ...]
//   zavrex-cli [--dictionary FILE] dictionaries
//   zavrex-cli [--dictionary FILE] lookup TABLE CODE
//   zavrex-cli [--dictionary FILE] search [--abbr] TEXT
//   zavrex-cli [--dictionary FILE] export-dictionary FILE
//   zavrex-cli [--dictionary FILE] build-dictionary CATALOGUE FILE
//   zavrex-cli import-access SOURCE TARGET
//
// Exit status: 0 done, 1 failed (dictionary file unreadable, nothing found, write
// error), 2 usage error. Input and output are UTF-8.

#include "AccessImport.h"
#include "DMDict.h"
#include "ZAVParser.h"
#include "ZavSafeFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

const char UsageText[] =
    "Aufruf: zavrex-cli [--dictionary DATEI] BEFEHL [ARGUMENTE]\n"
    "\n"
    "Befehle:\n"
    "  translate FELD [KÜRZEL ...]  Klartext je Kürzel, eine Zeile je Kürzel; ohne KÜRZEL\n"
    "                               wird die Standardeingabe Zeile für Zeile übersetzt.\n"
    "                               FELD: petro, sart, farbe, strat, genese, kalk, bogrp,\n"
    "                               zusatz, bsbg, bsbv\n"
    "  dictionaries                 Wörterbücher des Satzes mit der Zahl ihrer Einträge\n"
    "  lookup TABELLE KÜRZEL        Eintrag des Kürzels im Wörterbuch TABELLE und sein Klartext\n"
    "  search [--abbr] TEXT         Einträge, deren Klartext TEXT enthält (mindestens drei\n"
    "                               Zeichen); mit --abbr die Einträge des Kürzels TEXT\n"
    "  export-dictionary DATEI      Wörterbuchsatz als Wörterbuchdatei (.WB3) schreiben\n"
    "  build-dictionary KATALOG DATEI\n"
    "                               die 21 Wörterbücher aus einer Katalogdatenbank (SQLite oder\n"
    "                               Access) lesen und als Wörterbuchdatei schreiben; fehlende\n"
    "                               weitere Tabellen kommen aus dem Satz in Gebrauch\n"
    "  import-access QUELLE ZIEL    einen Access-Bohrungskatalog (.accdb, .mdb) vollständig in\n"
    "                               einen neuen Bohrungskatalog ZIEL übernehmen\n"
    "\n"
    "Optionen:\n"
    "  --dictionary DATEI           diese Wörterbuchdatei statt der eingebauten verwenden\n"
    "  --help                       diese Hilfe anzeigen\n";

void WriteError(const QString &AMessage)
{
    const QByteArray Text = QStringLiteral("zavrex-cli: %1\n").arg(AMessage).toUtf8();
    std::fwrite(Text.constData(), 1, size_t(Text.size()), stderr);
}

int UsageError(const QString &AMessage)
{
    WriteError(AMessage);
    std::fputs("\n", stderr);
    std::fputs(UsageText, stderr);
    return ExitUsage;
}

// Standard output in large blocks; a million translated lines must not cost a million
// writes.
class TOutput
{
public:
    TOutput() { FBuffer.reserve(BlockSize + 4096); }
    ~TOutput() { Flush(); }

    void Line(const QString &AText)
    {
        const QByteArray Utf8 = AText.toUtf8();
        FBuffer.append(Utf8.constData(), size_t(Utf8.size()));
        FBuffer.push_back('\n');
        if (FBuffer.size() >= BlockSize)
            Flush();
    }
    void Flush()
    {
        if (!FBuffer.empty() && std::fwrite(FBuffer.data(), 1, FBuffer.size(), stdout) != FBuffer.size())
            FFailed = true;
        FBuffer.clear();
    }
    // False when anything could not be written.
    bool Finish()
    {
        Flush();
        return std::fflush(stdout) == 0 && !FFailed && !std::ferror(stdout);
    }

private:
    static constexpr size_t BlockSize = 1 << 20;
    std::string FBuffer;
    bool FFailed = false;
};

int Finished(TOutput &AOut)
{
    if (AOut.Finish())
        return ExitOk;
    WriteError(QStringLiteral("Die Ausgabe konnte nicht geschrieben werden."));
    return ExitFailed;
}

// ---------------------------------------------------------------------------
// translate

using TFieldTranslation = QString (*)(QStringView);

// What the label beside each field of the layer page shows.
TFieldTranslation FieldTranslation(const QString &AField)
{
    static const struct {
        const char16_t *Name;
        TFieldTranslation Translation;
    } Fields[] = {
        {u"petro", [](QStringView S) { return MakeNiceText(ParsePetroText(S)); }},
        {u"sart", [](QStringView S) { return MakeNiceText(ParseSArtText(S)); }},
        {u"farbe", [](QStringView S) { return S.isEmpty() ? QString() : ParseColor(S); }},
        {u"strat", [](QStringView S) { return ParseStrat(S); }},
        {u"genese", [](QStringView S) { return ParseGenese(S); }},
        {u"kalk", [](QStringView S) { return ParseWBText(wbKalk, S); }},
        {u"bogrp", [](QStringView S) { return ParseWBText(wbBoGrp, S); }},
        {u"zusatz", [](QStringView S) { return ParseWBText(wbZusatz, S); }},
        {u"bsbg", [](QStringView S) { return ParseWBText(wbBsBg, S); }},
        {u"bsbv", [](QStringView S) { return ParseWBText(wbBsBv, S); }},
    };
    for (const auto &F : Fields)
        if (AField == QStringView(F.Name))
            return F.Translation;
    return nullptr;
}

// One output line per input line, also for empty and damaged ones: invalid UTF-8 is
// read with replacement characters. A final line without a line break counts as a
// line; a CR before the line break (a Windows export) is not part of the code.
int TranslateStream(TFieldTranslation ATranslation, std::FILE *AInput, TOutput &AOut)
{
    constexpr size_t BlockSize = 1 << 20;
    std::vector<char> Block(BlockSize);
    std::string Pending; // the unfinished last line of the previous block
    const auto Emit = [&](const char *AData, size_t ALength) {
        if (ALength > 0 && AData[ALength - 1] == '\r')
            --ALength;
        AOut.Line(ATranslation(QString::fromUtf8(AData, qsizetype(ALength))));
    };
    for (;;) {
        const size_t Got = std::fread(Block.data(), 1, Block.size(), AInput);
        if (Got == 0)
            break;
        const char *Begin = Block.data();
        const char *End = Begin + Got;
        for (;;) {
            const auto *Eol = static_cast<const char *>(std::memchr(Begin, '\n', size_t(End - Begin)));
            if (!Eol)
                break;
            if (Pending.empty()) {
                Emit(Begin, size_t(Eol - Begin));
            } else {
                Pending.append(Begin, size_t(Eol - Begin));
                Emit(Pending.data(), Pending.size());
                Pending.clear();
            }
            Begin = Eol + 1;
        }
        Pending.append(Begin, size_t(End - Begin));
    }
    if (std::ferror(AInput)) {
        AOut.Finish();
        WriteError(QStringLiteral("Die Standardeingabe konnte nicht gelesen werden."));
        return ExitFailed;
    }
    if (!Pending.empty())
        Emit(Pending.data(), Pending.size());
    return Finished(AOut);
}

// AArgs: FIELD (already checked), then the codes.
int Translate(const QStringList &AArgs)
{
    const TFieldTranslation Translation = FieldTranslation(AArgs.first());
    TOutput Out;
    if (AArgs.size() == 1)
        return TranslateStream(Translation, stdin, Out);
    // As on standard input, a trailing CR is not part of the code; a line break inside
    // one would break "one line per code".
    QStringList Codes = AArgs.mid(1);
    for (QString &Code : Codes) {
        if (Code.endsWith(u'\r'))
            Code.chop(1);
        if (Code.contains(u'\n') || Code.contains(u'\r'))
            return UsageError(QStringLiteral("translate: ein KÜRZEL darf keinen Zeilenumbruch enthalten."));
    }
    for (const QString &Code : std::as_const(Codes))
        Out.Line(Translation(Code));
    return Finished(Out);
}

// ---------------------------------------------------------------------------
// dictionaries, lookup, search, export-dictionary

int ListDictionaries(const TZAVDictionaries &ASet)
{
    TOutput Out;
    for (TObject *Obj : ASet) {
        const auto *Dict = static_cast<const TZAVDict *>(Obj);
        Out.Line(Dict->Tablename() + u'\t' + QString::number(Dict->Count()));
    }
    return Finished(Out);
}

int Lookup(const TZAVDictionaries &ASet, const QString &ATable, const QString &ACode)
{
    const TZAVDict *Dict = ASet.GetDictionary(ATable);
    if (!Dict) {
        WriteError(QStringLiteral("Kein Wörterbuch „%1“ im Wörterbuchsatz.").arg(ATable));
        return ExitFailed;
    }
    const TZAVAtom *Atom = Dict->Find(ACode, true);
    if (!Atom) {
        WriteError(QStringLiteral("Kürzel „%1“ ist in %2 nicht enthalten.").arg(ACode, ATable));
        return ExitFailed;
    }
    // As the parsers do: a grade of an ungraded entry shows the code itself.
    QString Text = ACode;
    Atom->Translate(ACode, ZAV3_DeleteBracketText, Text);
    TOutput Out;
    Out.Line(Atom->Abbr() + u'\t' + QString::number(int(Atom->QuantityType())) + u'\t' + Atom->ClearText());
    Out.Line(Text);
    return Finished(Out);
}

// The rows the search panel lists, in set order and dictionary order.
int Search(const TZAVDictionaries &ASet, const QString &AText, bool AByAbbr)
{
    TOutput Out;
    const auto Row = [&Out](const TZAVDict *ADict, const TZAVAtom *AAtom) {
        Out.Line(ADict->Tablename() + u'\t' + AAtom->Abbr() + u'\t' + AAtom->ClearText());
    };
    // Like the panel, a clear-text search starts with the third character.
    if (AByAbbr || AText.size() > 2) {
        for (TObject *Obj : ASet) {
            const auto *Dict = static_cast<const TZAVDict *>(Obj);
            if (AByAbbr) {
                if (const TZAVAtom *Atom = Dict->Find(AText, true))
                    Row(Dict, Atom);
            } else {
                for (const TZAVAtom *Atom : Dict->FindClearText(AText, false))
                    Row(Dict, Atom);
            }
        }
    }
    return Finished(Out);
}

// All or nothing: a failed export leaves any earlier file as it was.
int ExportDictionary(const TZAVDictionaries &ASet, const QString &AFileName)
{
    TZavSafeFile F(AFileName);
    if (!F.Open()) {
        WriteError(QStringLiteral("Datei „%1“ kann nicht erstellt werden: %2").arg(AFileName, FileErrorReason(F.Device(), true)));
        return ExitFailed;
    }
    try {
        ASet.WriteData(&F.Device());
    } catch (const Exception &E) {
        WriteError(QStringLiteral("Datei „%1“ kann nicht geschrieben werden: %2").arg(AFileName, E.Message()));
        return ExitFailed;
    }
    if (!F.Commit()) {
        WriteError(QStringLiteral("Datei „%1“ kann nicht geschrieben werden: %2").arg(AFileName, F.ErrorString()));
        return ExitFailed;
    }
    return ExitOk;
}

// The 21 dictionaries of a catalogue database, written as a dictionary file; tables the
// catalogue lacks come from the set in use, and are named on standard error.
int BuildDictionary(const TZAVDictionaries &ASet, const QString &ACatalogue, const QString &AFileName)
{
    TDMDict Module;
    DMDict = &Module;
    std::unique_ptr<TZAVDictionaries> Built;
    QStringList TakenOver;
    try {
        Built = BuildSetFromDB(ACatalogue, &ASet, &TakenOver);
    } catch (const EZavError &E) {
        DMDict = nullptr;
        WriteError(QStringLiteral("Katalog „%1“ kann nicht gelesen werden: %2").arg(ACatalogue, E.Message()));
        return ExitFailed;
    }
    DMDict = nullptr;
    if (!TakenOver.isEmpty())
        WriteError(QStringLiteral("aus dem Satz in Gebrauch übernommen: %1").arg(TakenOver.join(QStringLiteral(", "))));
    return ExportDictionary(*Built, AFileName);
}

// The Access catalogue ASource taken over into the new catalogue ATarget; one line per
// table with the rows copied.
int ImportAccess(const QString &ASource, const QString &ATarget)
{
    if (QFileInfo::exists(ATarget)) {
        WriteError(QStringLiteral("Ziel „%1“ existiert bereits.").arg(ATarget));
        return ExitFailed;
    }
    TAccessImportReport Report;
    try {
        Report = ImportAccessCatalogue(ASource, ATarget);
    } catch (const EZavError &E) {
        WriteError(E.Message());
        return ExitFailed;
    }
    QByteArray Out;
    for (const auto &[Table, Rows] : std::as_const(Report.Rows))
        Out += (Table + u'\t' + QString::number(Rows) + u'\n').toUtf8();
    std::fwrite(Out.constData(), 1, size_t(Out.size()), stdout);
    for (const QString &Column : std::as_const(Report.SkippedColumns))
        WriteError(QStringLiteral("Spalte %1 ausgelassen: der Bohrungskatalog kennt sie nicht").arg(Column));
    return ExitOk;
}

// ---------------------------------------------------------------------------

std::unique_ptr<TZAVDictionaries> LoadSet(const QString &ADictionaryFile, bool AFromFile)
{
    if (!AFromFile) {
        std::unique_ptr<TZAVDictionaries> Set = LoadDictionariesFromResource();
        if (!Set)
            WriteError(QStringLiteral("Die eingebauten Wörterbücher können nicht geladen werden."));
        return Set;
    }
    try {
        return LoadDictionariesFromFile(ADictionaryFile);
    } catch (const Exception &E) {
        WriteError(QStringLiteral("Wörterbuchdatei „%1“ kann nicht gelesen werden: %2").arg(ADictionaryFile, E.Message()));
    } catch (const std::exception &) {
        // A damaged count can ask for more memory than there is.
        WriteError(QStringLiteral("Wörterbuchdatei „%1“ kann nicht gelesen werden: beschädigte Daten").arg(ADictionaryFile));
    }
    return nullptr;
}

// Sets ZAV_Dictionaries for the parsers while a command runs.
class TGlobalSet
{
public:
    explicit TGlobalSet(TZAVDictionaries *ASet) { ZAV_Dictionaries = ASet; }
    ~TGlobalSet() { ZAV_Dictionaries = nullptr; }
};

int Run(QStringList Args)
{
    QString DictionaryFile;
    bool FromFile = false;
    if (!Args.isEmpty() && (Args.first() == u"--dictionary" || Args.first().startsWith(u"--dictionary="))) {
        if (Args.first() == u"--dictionary") {
            if (Args.size() < 2)
                return UsageError(QStringLiteral("--dictionary: DATEI fehlt."));
            DictionaryFile = Args[1];
            Args.remove(0, 2);
        } else {
            DictionaryFile = Args.first().mid(qsizetype(sizeof("--dictionary=") - 1));
            Args.removeFirst();
        }
        if (DictionaryFile.isEmpty())
            return UsageError(QStringLiteral("--dictionary: DATEI fehlt."));
        FromFile = true;
    }
    if (Args.isEmpty())
        return UsageError(QStringLiteral("Kein Befehl angegeben."));

    const QString Command = Args.takeFirst();
    if (Command == u"--help" || Command == u"-h") {
        std::fputs(UsageText, stdout);
        return ExitOk;
    }

    // Arguments are checked before the set is read, so a usage error costs nothing.
    bool ByAbbr = false;
    if (Command == u"translate") {
        if (Args.isEmpty())
            return UsageError(QStringLiteral("translate: FELD fehlt."));
        if (!FieldTranslation(Args.first()))
            return UsageError(QStringLiteral("translate: unbekanntes Feld „%1“.").arg(Args.first()));
    } else if (Command == u"dictionaries") {
        if (!Args.isEmpty())
            return UsageError(QStringLiteral("dictionaries: keine Argumente erwartet."));
    } else if (Command == u"lookup") {
        if (Args.size() != 2)
            return UsageError(QStringLiteral("lookup: TABELLE und KÜRZEL erwartet."));
    } else if (Command == u"search") {
        if (!Args.isEmpty() && Args.first() == u"--abbr") {
            ByAbbr = true;
            Args.removeFirst();
        }
        if (Args.size() != 1)
            return UsageError(QStringLiteral("search: genau ein TEXT erwartet."));
    } else if (Command == u"export-dictionary") {
        if (Args.size() != 1 || Args.first().isEmpty())
            return UsageError(QStringLiteral("export-dictionary: DATEI erwartet."));
    } else if (Command == u"import-access") {
        if (Args.size() != 2 || Args[0].isEmpty() || Args[1].isEmpty())
            return UsageError(QStringLiteral("import-access: QUELLE und ZIEL erwartet."));
        // No dictionaries needed.
        return ImportAccess(Args[0], Args[1]);
    } else if (Command == u"build-dictionary") {
        if (Args.size() != 2 || Args[0].isEmpty() || Args[1].isEmpty())
            return UsageError(QStringLiteral("build-dictionary: KATALOG und DATEI erwartet."));
    } else {
        return UsageError(QStringLiteral("Unbekannter Befehl „%1“.").arg(Command));
    }

    const std::unique_ptr<TZAVDictionaries> Set = LoadSet(DictionaryFile, FromFile);
    if (!Set)
        return ExitFailed;
    const TGlobalSet Global(Set.get());

    if (Command == u"translate")
        return Translate(Args);
    if (Command == u"dictionaries")
        return ListDictionaries(*Set);
    if (Command == u"lookup")
        return Lookup(*Set, Args[0], Args[1]);
    if (Command == u"search")
        return Search(*Set, Args[0], ByAbbr);
    if (Command == u"build-dictionary")
        return BuildDictionary(*Set, Args[0], Args[1]);
    return ExportDictionary(*Set, Args[0]);
}

} // namespace

int main(int argc, char *argv[])
{
    // QtSql finds its SQLite driver through the application object.
    QCoreApplication App(argc, argv);
    // Arguments are UTF-8 whatever the locale says; invalid bytes become replacement
    // characters.
    QStringList Args;
    for (int I = 1; I < argc; ++I)
        Args.append(QString::fromUtf8(argv[I]));
    return Run(Args);
}
