// zavrex-cli end to end: the program is run as a user runs it, and its output, error
// text and exit status are checked.

#include "RawResource.h"
#include "TranslationExamples.h"
#include "ZAVDictionaries.h"

#include <QFile>
#include <QIODevice>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>
#include <utility>

#include <sys/stat.h>

namespace {

struct TRun
{
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

TRun RunCli(const QStringList &AArgs, const QByteArray &AInput = QByteArray())
{
    QProcess P;
    P.start(QStringLiteral(ZAVREX_CLI_PATH), AArgs);
    TRun R;
    if (!P.waitForStarted()) {
        qWarning("zavrex-cli did not start: %s", qPrintable(P.errorString()));
        return R;
    }
    if (!AInput.isEmpty())
        P.write(AInput);
    P.closeWriteChannel();
    if (!P.waitForFinished(120000)) {
        P.kill();
        P.waitForFinished();
        qWarning("zavrex-cli did not finish");
        return R;
    }
    R.Out = P.readAllStandardOutput();
    R.Err = P.readAllStandardError();
    R.ExitCode = P.exitStatus() == QProcess::NormalExit ? P.exitCode() : -1;
    return R;
}

QByteArray Lines(const QStringList &ALines)
{
    QByteArray Result;
    for (const QString &L : ALines)
        Result += L.toUtf8() + '\n';
    return Result;
}

QByteArray BuiltInBytes()
{
    std::unique_ptr<QIODevice> Stream = OpenRawResource(QStringLiteral("Dictionary"));
    return Stream ? Stream->readAll() : QByteArray();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void translate_data();
    void translate();
    void translateBatchKeepsLines();
    void dictionaries();
    void lookup_data();
    void lookup();
    void search();
    void exportDictionary();
    void brokenDictionaryFile_data();
    void brokenDictionaryFile();
    void buildDictionaryFromACatalogue();
    void dictionaryFromAPipe();
    void notOwningDictionaryFile_data();
    void notOwningDictionaryFile();
    void usageErrors_data();
    void usageErrors();

private:
    std::unique_ptr<TZAVDictionaries> FBuiltIn;
    QTemporaryDir FDir;
};

void TestCli::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral(ZAVREX_CLI_PATH)));
    QVERIFY(FDir.isValid());
    FBuiltIn = LoadDictionariesFromResource();
    QVERIFY(FBuiltIn);
}

void TestCli::translate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("shown");
    QStringList Fields;
    for (const TTranslationExample &E : TranslationExamples)
        if (!Fields.contains(QString::fromLatin1(E.Field)))
            Fields.append(QString::fromLatin1(E.Field));
    for (const QString &Field : Fields) {
        QStringList Codes;
        QStringList Shown;
        for (const TTranslationExample &E : TranslationExamples) {
            if (Field != QLatin1String(E.Field))
                continue;
            Codes << QString::fromUtf16(E.Input);
            Shown << QString::fromUtf16(E.Nice ? E.Nice : E.Parsed);
        }
        QTest::newRow(qPrintable(Field)) << Field << Codes << Shown;
    }
    // Fields without an example of their own, and a code that no entry matches.
    QTest::newRow("bsbg") << QStringLiteral("bsbg") << QStringList{QStringLiteral("idm"), QStringLiteral("-")}
                          << QStringList{QStringLiteral("Mitte"), QStringLiteral(" bis ")};
    QTest::newRow("bsbv") << QStringLiteral("bsbv") << QStringList{QStringLiteral("xyz")}
                          << QStringList{QStringLiteral("xyz")};
}

void TestCli::translate()
{
    QFETCH(QString, field);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, shown);

    const TRun Args = RunCli(QStringList{QStringLiteral("translate"), field} + codes);
    QCOMPARE(Args.ExitCode, 0);
    QCOMPARE(QString::fromUtf8(Args.Out), QString::fromUtf8(Lines(shown)));
    QCOMPARE(Args.Err, QByteArray());
    // A code argument with a Windows line end (from a script) reads as on standard input.
    QStringList WithCR = codes;
    WithCR.last() += u'\r';
    QCOMPARE(QString::fromUtf8(RunCli(QStringList{QStringLiteral("translate"), field} + WithCR).Out),
             QString::fromUtf8(Lines(shown)));

    // The same through standard input, with an empty line, a line that is not valid
    // UTF-8 and a Windows line end among the codes; the last line has no line break.
    QByteArray Input = codes.first().toUtf8() + "\n\nx\xffy";
    for (qsizetype I = 1; I < codes.size(); ++I)
        Input += "\r\n" + codes[I].toUtf8();
    QStringList Expected = shown;
    Expected.insert(1, QString());
    Expected.insert(2, QStringLiteral("x\uFFFDy"));
    const TRun Batch = RunCli(QStringList{QStringLiteral("translate"), field}, Input);
    QCOMPARE(Batch.ExitCode, 0);
    QCOMPARE(QString::fromUtf8(Batch.Out), QString::fromUtf8(Lines(Expected)));
}

void TestCli::translateBatchKeepsLines()
{
    // Enough lines to cross the program's read and write blocks; empty lines included.
    QByteArray Input;
    QByteArray Expected;
    for (int I = 0; I < 60000; ++I) {
        switch (I % 4) {
        case 0:
            Input += "mS,fs2,g3\n";
            Expected += "Mittelsand, schwach feinsandig, mittlere Stärke kiesig\n";
            break;
        case 1:
            Input += "\n";
            Expected += "\n";
            break;
        case 2:
            Input += "(G,s)\n";
            Expected += "Kies, sandig\n";
            break;
        default:
            Input += "G" + QByteArray::number(I) + "\n";
            Expected += "G" + QByteArray::number(I) + "\n";
            break;
        }
    }
    const TRun R = RunCli({QStringLiteral("translate"), QStringLiteral("petro")}, Input);
    QCOMPARE(R.ExitCode, 0);
    QCOMPARE(R.Out.count('\n'), 60000);
    QVERIFY(R.Out == Expected);

    const TRun Empty = RunCli({QStringLiteral("translate"), QStringLiteral("petro")});
    QCOMPARE(Empty.ExitCode, 0);
    QCOMPARE(Empty.Out, QByteArray());
}

void TestCli::dictionaries()
{
    const TRun R = RunCli({QStringLiteral("dictionaries")});
    QCOMPARE(R.ExitCode, 0);
    QStringList Expected;
    for (TObject *Obj : *FBuiltIn) {
        const auto *Dict = static_cast<const TZAVDict *>(Obj);
        Expected << Dict->Tablename() + u'\t' + QString::number(Dict->Count());
    }
    QCOMPARE(QString::fromUtf8(R.Out), QString::fromUtf8(Lines(Expected)));
    QVERIFY(R.Out.startsWith("S3PETRO\t"));
}

void TestCli::lookup_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");

    QTest::newRow("exact") << QStringLiteral("S3PETRO") << QStringLiteral("fs") << 0
                           << QStringLiteral("fs\t3\tfeinsandig\nfeinsandig\n");
    QTest::newRow("grade") << QStringLiteral("S3PETRO") << QStringLiteral("X2") << 0
                           << QStringLiteral("X\t1\tSteine [63-200 mm]\nmehrere Steine\n");
    QTest::newRow("grade without quantity type") << QStringLiteral("S3PETRO") << QStringLiteral("G2") << 0
                                                 << QStringLiteral("G\t0\tKies [gerundet]\nG2\n");
    QTest::newRow("exact entry beats grade") << QStringLiteral("S3FARBE") << QStringLiteral("hin3") << 0
                                             << QStringLiteral("hin3\t0\tHinweise [mittlere Stärke]\nHinweise\n");
    QTest::newRow("no grade 6") << QStringLiteral("S3PETRO") << QStringLiteral("fs6") << 1 << QString();
    QTest::newRow("table names are case-sensitive") << QStringLiteral("s3petro") << QStringLiteral("fs") << 1
                                                    << QString();
}

void TestCli::lookup()
{
    QFETCH(QString, table);
    QFETCH(QString, code);
    QFETCH(int, exitCode);
    QFETCH(QString, output);

    const TRun R = RunCli({QStringLiteral("lookup"), table, code});
    QCOMPARE(R.ExitCode, exitCode);
    QCOMPARE(QString::fromUtf8(R.Out), output);
    QCOMPARE(R.Err.isEmpty(), exitCode == 0);
}

void TestCli::search()
{
    // Clear-text mode: case ignored, every dictionary in set order.
    const TRun Ton = RunCli({QStringLiteral("search"), QStringLiteral("ton")});
    QCOMPARE(Ton.ExitCode, 0);
    QStringList Expected;
    for (TObject *Obj : *FBuiltIn) {
        const auto *Dict = static_cast<const TZAVDict *>(Obj);
        for (const TZAVAtom *A : Dict->FindClearText(QStringLiteral("ton"), false))
            Expected << Dict->Tablename() + u'\t' + A->Abbr() + u'\t' + A->ClearText();
    }
    QCOMPARE(QString::fromUtf8(Ton.Out), QString::fromUtf8(Lines(Expected)));
    QVERIFY(Ton.Out.contains("S3PETRO\tT\tTon\n"));
    QVERIFY(Ton.Out.contains("S3PETRO\t^t\tTonstein\n"));

    // Two characters are not searched yet.
    const TRun Short = RunCli({QStringLiteral("search"), QStringLiteral("to")});
    QCOMPARE(Short.ExitCode, 0);
    QCOMPARE(Short.Out, QByteArray());

    // Abbreviation mode: at most one row per dictionary; a grade digit falls back to the
    // code without it.
    const TRun Abbr = RunCli({QStringLiteral("search"), QStringLiteral("--abbr"), QStringLiteral("G2")});
    QCOMPARE(Abbr.ExitCode, 0);
    Expected.clear();
    for (TObject *Obj : *FBuiltIn) {
        const auto *Dict = static_cast<const TZAVDict *>(Obj);
        if (const TZAVAtom *A = Dict->Find(u"G2", true))
            Expected << Dict->Tablename() + u'\t' + A->Abbr() + u'\t' + A->ClearText();
    }
    QCOMPARE(QString::fromUtf8(Abbr.Out), QString::fromUtf8(Lines(Expected)));
    QVERIFY(Abbr.Out.startsWith("S3PETRO\tG\tKies [gerundet]\n"));
    QVERIFY(Abbr.Out.contains("S3FACH\tG\tGeologische Kartierung\n"));
}

void TestCli::exportDictionary()
{
    const QString File = FDir.filePath(QStringLiteral("Export ä.WB3"));
    const TRun R = RunCli({QStringLiteral("export-dictionary"), File});
    QCOMPARE(R.ExitCode, 0);
    QCOMPARE(R.Err, QByteArray());

    QFile F(File);
    QVERIFY(F.open(QIODevice::ReadOnly));
    const QByteArray Written = F.readAll();
    QCOMPARE(Written.size(), BuiltInBytes().size());
    QVERIFY(Written == BuiltInBytes());

    std::unique_ptr<TZAVDictionaries> Loaded = LoadDictionariesFromFile(File);
    QCOMPARE(Loaded->Count(), FBuiltIn->Count());
    for (int I = 0; I < Loaded->Count(); ++I) {
        QCOMPARE(Loaded->Dictionary(I)->Tablename(), FBuiltIn->Dictionary(I)->Tablename());
        QCOMPARE(Loaded->Dictionary(I)->Count(), FBuiltIn->Dictionary(I)->Count());
    }

    // The exported file serves as --dictionary.
    const TRun Again = RunCli({QStringLiteral("--dictionary"), File, QStringLiteral("translate"),
                               QStringLiteral("petro"), QStringLiteral("mS,k5")});
    QCOMPARE(Again.ExitCode, 0);
    QCOMPARE(QString::fromUtf8(Again.Out), QStringLiteral("Mittelsand, sehr stark kalkhaltig\n"));

    // A folder that does not exist: an error, and no file appears.
    const QString Missing = FDir.filePath(QStringLiteral("nicht da/x.WB3"));
    const TRun Failed = RunCli({QStringLiteral("export-dictionary"), Missing});
    QCOMPARE(Failed.ExitCode, 1);
    QVERIFY(!Failed.Err.isEmpty());
    QVERIFY(!QFile::exists(Missing));
}

void TestCli::brokenDictionaryFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");

    QTest::newRow("missing file") << QStringLiteral("fehlt.WB3") << QByteArray() << false;
    QTest::newRow("empty file") << QStringLiteral("leer.WB3") << QByteArray() << true;
    QTest::newRow("not a dictionary file") << QStringLiteral("text.WB3") << QByteArray("kein Wörterbuch\n") << true;
    QTest::newRow("truncated") << QStringLiteral("kurz.WB3") << BuiltInBytes().left(5000) << true;
    QTest::newRow("unknown class") << QStringLiteral("klasse.WB3")
                                   << QByteArray("\x01\x01\x00\x00\x00\x03\x00\x00\x00X\x00Y\x00Z\x00", 15) << true;
}

void TestCli::brokenDictionaryFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, create);

    const QString File = FDir.filePath(name);
    if (create) {
        QFile F(File);
        QVERIFY(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(content);
    }
    for (const QStringList &Command : {QStringList{QStringLiteral("translate"), QStringLiteral("petro"), QStringLiteral("G")},
                                       QStringList{QStringLiteral("translate"), QStringLiteral("petro")},
                                       QStringList{QStringLiteral("dictionaries")}}) {
        const TRun R = RunCli(QStringList{QStringLiteral("--dictionary"), File} + Command, "G\n");
        QCOMPARE(R.ExitCode, 1);
        QCOMPARE(R.Out, QByteArray());
        const QString Err = QString::fromUtf8(R.Err);
        QVERIFY2(Err.contains(u"Wörterbuchdatei") && Err.contains(name), qPrintable(Err));
        if (!create) // the reason in German, not the system's English text
            QVERIFY2(Err.contains(u"Die Datei wurde nicht gefunden"), qPrintable(Err));
    }
}

void TestCli::buildDictionaryFromACatalogue()
{
    const QString Access = QStringLiteral(ZAVREX_ACCESS_DATA "/catalogue.accdb");
    const QString File = FDir.filePath(QStringLiteral("Katalog.WB3"));
    const TRun R = RunCli({QStringLiteral("build-dictionary"), Access, File});
    QCOMPARE(QString::fromUtf8(R.Err), QString());
    QCOMPARE(R.ExitCode, 0);
    const TRun Listed = RunCli({QStringLiteral("--dictionary"), File, QStringLiteral("dictionaries")});
    QCOMPARE(Listed.ExitCode, 0);
    const QStringList Lines = QString::fromUtf8(Listed.Out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(Lines.size(), 21);
    QCOMPARE(Lines.first(), QStringLiteral("S3PETRO\t9"));
    QCOMPARE(Lines.last(), QStringLiteral("S3TK25\t2"));

    // A description table missing, or no catalogue at all: an error, and no file.
    for (const QString &Bad : {QStringLiteral(ZAVREX_ACCESS_DATA "/catalogue_missing.accdb"), File}) {
        const QString Out = FDir.filePath(QStringLiteral("nichts.WB3"));
        const TRun Failed = RunCli({QStringLiteral("build-dictionary"), Bad, Out});
        QCOMPARE(Failed.ExitCode, 1);
        QVERIFY2(QString::fromUtf8(Failed.Err).contains(u"kann nicht gelesen werden"), Failed.Err.constData());
        QVERIFY(!QFile::exists(Out));
    }
}

void TestCli::dictionaryFromAPipe()
{
    // Opening a pipe nobody writes to would block for ever.
    const QString Fifo = FDir.filePath(QStringLiteral("pipe.WB3"));
    QCOMPARE(mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
    const TRun R = RunCli({QStringLiteral("--dictionary"), Fifo, QStringLiteral("dictionaries")});
    QCOMPARE(R.ExitCode, 1);
    const QString Err = QString::fromUtf8(R.Err);
    QVERIFY2(Err.contains(u"Keine reguläre Datei"), qPrintable(Err));
}

void TestCli::notOwningDictionaryFile_data()
{
    QTest::addColumn<bool>("setOwns");
    QTest::addColumn<bool>("dictOwns");
    QTest::newRow("dictionary byte 0") << true << false;
    QTest::newRow("set byte 0") << false << true;
    QTest::newRow("both 0") << false << false;
}

void TestCli::notOwningDictionaryFile()
{
    // The ownership bytes say nothing about who frees what was read: the sanitizer build
    // reports a leak, and a failing exit, if the set or its entries are lost.
    QFETCH(bool, setOwns);
    QFETCH(bool, dictOwns);
    auto Str = [](const QString &S) {
        QByteArray B(4, Qt::Uninitialized);
        qToLittleEndian(qint32(S.size()), B.data());
        return B + QByteArray(reinterpret_cast<const char *>(S.utf16()), S.size() * 2);
    };
    auto Int = [](qint32 V) {
        QByteArray B(4, Qt::Uninitialized);
        qToLittleEndian(V, B.data());
        return B;
    };
    QByteArray Dict = Str(QStringLiteral("TZAVDict")) + Str(QStringLiteral("S3PETRO")) + char(dictOwns ? 1 : 0) + Int(5);
    for (const auto &[Abbr, Text] : {std::pair{u"G", u"Kies"}, {u"S", u"Sand"}, {u"U", u"Schluff"},
                                     {u"fs", u"feinsandig"}, {u"g", u"kiesig"}}) {
        Dict += Str(QStringLiteral("TZAVAtom")) + Str(QString::fromUtf16(Abbr)) + Str(QString::fromUtf16(Text))
            + Str(QString()) + char(Abbr == QStringView(u"fs") ? qtMenge : qtNone);
    }
    const QString File = FDir.filePath(QStringLiteral("nicht-besitzend.WB3"));
    QFile F(File);
    QVERIFY(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
    F.write(char(setOwns ? 1 : 0) + Int(1) + Dict);
    F.close();
    const TRun R = RunCli({QStringLiteral("--dictionary"), File, QStringLiteral("translate"), QStringLiteral("petro"),
                           QStringLiteral("fs2")});
    QCOMPARE(QString::fromUtf8(R.Err), QString());
    QCOMPARE(R.ExitCode, 0);
    QCOMPARE(QString::fromUtf8(R.Out), QStringLiteral("wenig feinsandig\n"));
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("übersetzen")};
    QTest::newRow("translate without field") << QStringList{QStringLiteral("translate")};
    QTest::newRow("unknown field") << QStringList{QStringLiteral("translate"), QStringLiteral("Petro"), QStringLiteral("G")};
    QTest::newRow("lookup without code") << QStringList{QStringLiteral("lookup"), QStringLiteral("S3PETRO")};
    QTest::newRow("search without text") << QStringList{QStringLiteral("search"), QStringLiteral("--abbr")};
    QTest::newRow("dictionaries with argument") << QStringList{QStringLiteral("dictionaries"), QStringLiteral("x")};
    QTest::newRow("export without file") << QStringList{QStringLiteral("export-dictionary")};
    QTest::newRow("dictionary option without file") << QStringList{QStringLiteral("--dictionary")};
    QTest::newRow("line break inside a code")
        << QStringList{QStringLiteral("translate"), QStringLiteral("petro"), QStringLiteral("G\nS"), QStringLiteral("X")};
    QTest::newRow("dictionary option after the command")
        << QStringList{QStringLiteral("dictionaries"), QStringLiteral("--dictionary"), QStringLiteral("x.WB3")};
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, args);
    const TRun R = RunCli(args);
    QCOMPARE(R.ExitCode, 2);
    QCOMPARE(R.Out, QByteArray());
    QVERIFY2(R.Err.contains("Aufruf: zavrex-cli"), R.Err.constData());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
