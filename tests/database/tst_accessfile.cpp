// The reader of Access files on real .accdb and .mdb files: tables, columns, NULL apart
// from empty text, exact doubles and dates, long memos, the data set over a table, files
// that are no Access files, and damaged ones.

#include "ZavAccessFile.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavDateTime.h"

#include "LocaleGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

#include <bit>
#include <clocale>
#include <cstring>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

QString AccessData(const QString &AName)
{
    return QDir(QStringLiteral(ZAVREX_ACCESS_DATA)).filePath(AName);
}

QByteArray FileBytes(const QString &APath)
{
    QFile F(APath);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

bool WriteFile(const QString &APath, const QByteArray &ABytes)
{
    QFile F(APath);
    return F.open(QIODevice::WriteOnly | QIODevice::Truncate) && F.write(ABytes) == ABytes.size();
}

// Names, sizes, contents and modification times of what a folder holds.
QString FolderState(const QString &ADir)
{
    QString Result;
    const QFileInfoList Entries = QDir(ADir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &Info : Entries) {
        const QByteArray Hash = QCryptographicHash::hash(FileBytes(Info.filePath()), QCryptographicHash::Sha1);
        Result += u"%1 %2 %3 %4\n"_s.arg(Info.fileName())
                      .arg(Info.size())
                      .arg(Info.lastModified().toMSecsSinceEpoch())
                      .arg(QString::fromLatin1(Hash.toHex()));
    }
    return Result;
}

const QStringList CatalogueTables = {
    u"S3PETRO"_s, u"S3FARBE"_s, u"S3KSYS"_s, u"S3HSYS"_s, u"S3SART"_s, u"S3KALK"_s, u"S3STRAT"_s,
    u"S3GENES"_s, u"S3BOGRP"_s, u"S3ZUSAT"_s, u"S3BSBG"_s, u"S3BSBV"_s, u"S3FACH"_s, u"S3KFIND"_s,
    u"S3HFIND"_s, u"S3BART"_s, u"S3ASBBV"_s, u"S3BZW"_s, u"S3VERT"_s, u"S3BLAND"_s, u"S3TK25"_s};

const QStringList BoreholeTables = {
    u"S3STAMM"_s, u"S3SCHDAT"_s, u"S3GRUNDW"_s, u"S3PROBEN"_s, u"S3ARCHIV"_s, u"S3ASBBL"_s, u"S3ASBFI"_s, u"S3ASBRO"_s,
    u"S3ASBSE"_s, u"S3ASBSTM"_s, u"S3ASBVF"_s, u"S3PROFIL"_s, u"S3SCHTIT"_s, u"S3SNDDAT"_s, u"S3SNDREG"_s};

// One value of a table read whole. A missing row or column throws (QtTest reports it),
// so that a NULL check cannot pass on a misspelt column.
QVariant Cell(const TZavAccessFile::TTable &ATable, int ARow, const QString &AColumn)
{
    const qsizetype Col = ATable.Columns.indexOf(AColumn);
    if (Col < 0 || ARow < 0 || ARow >= ATable.Rows.size())
        throw std::out_of_range("no such cell");
    return ATable.Rows[ARow][Col];
}

// Equal values of equal types; doubles bit for bit.
bool SameValue(const QVariant &A, const QVariant &B)
{
    if (A.isNull() || B.isNull())
        return A.isNull() == B.isNull();
    if (A.typeId() != B.typeId())
        return false;
    if (A.typeId() == QMetaType::Double)
        return std::bit_cast<quint64>(A.toDouble()) == std::bit_cast<quint64>(B.toDouble());
    return A == B;
}

QString Show(double AValue)
{
    return QString::number(AValue, 'g', 17);
}

// Reads every table of a file; what a damaged file gives is only allowed to be an
// EDatabaseError. The error's message, empty when all went through.
QString ReadEverything(const QString &APath)
{
    try {
        TZavAccessFile File(APath);
        for (const QString &Name : File.TableNames())
            File.ReadTable(Name);
    } catch (const EDatabaseError &E) {
        return E.Message();
    }
    return QString();
}

// The memo INTNOTIZ of S3SCHDAT (1,5) made AText, stored as Access stores a long memo:
// uncompressed UTF-16 in a chain of long-value pages, here appended to the file. Each
// piece starts with the page and row of the next; ALoop points the last one back at the
// first. Empty when the file does not hold that memo.
QByteArray WithLongMemo(QByteArray AFile, const QString &AText, bool ALoop)
{
    // The memo's field in the row: 302 bytes, on one long-value page.
    const QByteArray Field = QByteArray::fromHex("2e010040");
    const qsizetype At = AFile.indexOf(Field);
    if (At < 0 || AFile.indexOf(Field, At + 1) >= 0 || AFile.size() % 4096 != 0)
        return QByteArray();
    QByteArray Raw(AText.size() * 2, '\0');
    for (qsizetype I = 0; I < AText.size(); ++I)
        qToLittleEndian<quint16>(AText[I].unicode(), Raw.data() + 2 * I);
    constexpr int PageSize = 4096;
    constexpr int PieceSize = PageSize - 16 - 4; // page header, row offset, next pointer
    const quint32 First = quint32(AFile.size() / PageSize);
    const int Pieces = int((Raw.size() + PieceSize - 1) / PieceSize);
    for (int N = 0; N < Pieces; ++N) {
        const QByteArray Data = Raw.mid(qsizetype(N) * PieceSize, PieceSize);
        const quint32 Next = N + 1 < Pieces ? (First + quint32(N) + 1) << 8 : (ALoop ? First << 8 : 0);
        const int RowSize = 4 + int(Data.size());
        QByteArray Page(PageSize, '\0');
        Page[0] = 1; // data page
        Page[1] = 1;
        qToLittleEndian<quint16>(quint16(PageSize - 16 - RowSize), Page.data() + 2); // free space
        std::memcpy(Page.data() + 4, "LVAL", 4);
        qToLittleEndian<quint16>(1, Page.data() + 12); // rows
        qToLittleEndian<quint16>(quint16(PageSize - RowSize), Page.data() + 14); // where row 0 starts
        qToLittleEndian<quint32>(Next, Page.data() + PageSize - RowSize);
        std::memcpy(Page.data() + PageSize - RowSize + 4, Data.constData(), size_t(Data.size()));
        AFile.append(Page);
    }
    qToLittleEndian<quint32>(quint32(Raw.size()), AFile.data() + At); // no flag: a chain
    qToLittleEndian<quint32>(First << 8, AFile.data() + At + 4);
    return AFile;
}

// Sets the C library's locale for one test and restores it.
class TProcessLocale
{
public:
    TProcessLocale()
        : FSaved(std::setlocale(LC_ALL, nullptr))
    {
    }
    ~TProcessLocale() { std::setlocale(LC_ALL, FSaved.constData()); }
    TProcessLocale(const TProcessLocale &) = delete;
    TProcessLocale &operator=(const TProcessLocale &) = delete;

    // The first of the names the system knows; false when none.
    bool Set(const QList<QByteArray> &ANames)
    {
        for (const QByteArray &Name : ANames) {
            if (std::setlocale(LC_ALL, Name.constData()))
                return true;
        }
        return false;
    }

private:
    QByteArray FSaved;
};

} // namespace

class TestAccessFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void tableNames_data();
    void tableNames();
    void columnsInTableOrder_data();
    void columnsInTableOrder();
    void columnsFoundByName();
    void nullApartFromEmptyText_data();
    void nullApartFromEmptyText();
    void texts_data();
    void texts();
    void exactDoubles_data();
    void exactDoubles();
    void integers_data();
    void integers();
    void dates_data();
    void dates();
    void valuesIgnoreLocale_data();
    void valuesIgnoreLocale();
    void bothFormatsReadAlike();
    void memoLongerThanLibmdbBindSize_data();
    void memoLongerThanLibmdbBindSize();
    void memoChainThatLoopsIsRefused();

    void tableLookupIgnoresCase_data();
    void tableLookupIgnoresCase();
    void missingTable_data();
    void missingTable();
    void fileKinds_data();
    void fileKinds();
    void fileUnchangedAfterReading_data();
    void fileUnchangedAfterReading();
    void damagedFilesFailCleanly_data();
    void damagedFilesFailCleanly();

    void accessTableWalksRows();
    void accessTableIsReadOnly();
    void accessTableSwitchesTable();
    void accessTableMissingTableStaysClosed();

private:
    QTemporaryDir FDir;
};

void TestAccessFile::initTestCase()
{
    QVERIFY(FDir.isValid());
    for (const QString &Name : {u"catalogue.accdb"_s, u"catalogue_missing.accdb"_s, u"boreholes.accdb"_s,
                                u"boreholes.mdb"_s, u"boreholes_prefixed.accdb"_s})
        QVERIFY2(QFileInfo(AccessData(Name)).isFile(), qPrintable(AccessData(Name)));
}

void TestAccessFile::tableNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("tables");
    QStringList WithoutGenes = CatalogueTables;
    WithoutGenes.removeOne(u"S3GENES"_s);
    QTest::newRow("catalogue, Access 2010") << u"catalogue.accdb"_s << CatalogueTables;
    QTest::newRow("catalogue without S3GENES") << u"catalogue_missing.accdb"_s << WithoutGenes;
    QTest::newRow("boreholes, Access 2010") << u"boreholes.accdb"_s << BoreholeTables;
    QTest::newRow("boreholes, Access 2000") << u"boreholes.mdb"_s << BoreholeTables;
    QTest::newRow("boreholes with prefixed names")
        << u"boreholes_prefixed.accdb"_s
        << QStringList{u"GEODIN_LOC_S3STAMM"_s, u"GEODIN_LOC_S3SCHDAT"_s, u"GEODIN_LOC_S3GRUNDW"_s, u"GEODIN_LOC_S3PROBEN"_s};
}

void TestAccessFile::tableNames()
{
    QFETCH(QString, file);
    QFETCH(QStringList, tables);
    // The files also hold 21 system tables (MSys..., f_..._Data); the list shows none.
    const TZavAccessFile File(AccessData(file));
    QCOMPARE(File.TableNames(), tables);
    QCOMPARE(File.Path(), AccessData(file));
}

void TestAccessFile::columnsInTableOrder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("S3TK25 stores Klartext first") << u"catalogue.accdb"_s << u"S3TK25"_s
                                                   << QStringList{u"Klartext"_s, u"Kuerzel"_s, u"Attribute"_s} << 2;
    QTest::newRow("S3SART has no Attribute") << u"catalogue.accdb"_s << u"S3SART"_s
                                            << QStringList{u"Kuerzel"_s, u"Klartext"_s} << 5;
    QTest::newRow("S3PETRO") << u"catalogue.accdb"_s << u"S3PETRO"_s
                             << QStringList{u"Kuerzel"_s, u"Klartext"_s, u"Attribute"_s} << 9;
    QTest::newRow("empty table") << u"boreholes.mdb"_s << u"S3SNDDAT"_s
                                 << QStringList{u"PRJ_ID"_s, u"LOCID"_s, u"RECID"_s, u"SNDID"_s, u"DEPTH"_s, u"SNDVALUE"_s} << 0;
}

void TestAccessFile::columnsInTableOrder()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    QFETCH(int, rows);
    const TZavAccessFile::TTable Table = TZavAccessFile(AccessData(file)).ReadTable(table);
    QCOMPARE(Table.Name, table);
    QCOMPARE(Table.Columns, columns);
    QCOMPARE(Table.Rows.size(), rows);
    for (const QList<QVariant> &Row : Table.Rows)
        QCOMPARE(Row.size(), columns.size());
}

void TestAccessFile::columnsFoundByName()
{
    const TZavAccessFile::TTable Table = TZavAccessFile(AccessData(u"catalogue.accdb"_s)).ReadTable(u"S3TK25"_s);
    QCOMPARE(Cell(Table, 0, u"Kuerzel"_s), QVariant(u"7916"_s));
    QCOMPARE(Cell(Table, 0, u"Klartext"_s), QVariant(u"Villingen-Schwenningen (W)"_s));
    QCOMPARE(Cell(Table, 1, u"Kuerzel"_s), QVariant(u"0086"_s));
    QCOMPARE(Cell(Table, 1, u"Klartext"_s), QVariant(u"virtuelles Blatt Nr.: 0086"_s));
    QVERIFY(Cell(Table, 1, u"Attribute"_s).isNull());
}

void TestAccessFile::nullApartFromEmptyText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("null");
    QTest::addColumn<QString>("text");
    for (const QString &File : {u"boreholes.accdb"_s, u"boreholes.mdb"_s}) {
        const QByteArray F = File.toUtf8();
        QTest::addRow("%s: SHORTNAME of borehole 3 is empty text", F.constData())
            << File << u"S3STAMM"_s << 2 << u"SHORTNAME"_s << false << u""_s;
        QTest::addRow("%s: SHORTNAME of borehole 2 is NULL", F.constData())
            << File << u"S3STAMM"_s << 1 << u"SHORTNAME"_s << true << QString();
        QTest::addRow("%s: BART of borehole 3 is empty text", F.constData())
            << File << u"S3STAMM"_s << 2 << u"BART"_s << false << u""_s;
        QTest::addRow("%s: BART of borehole 1 is NULL", F.constData())
            << File << u"S3STAMM"_s << 0 << u"BART"_s << true << QString();
        QTest::addRow("%s: a NULL integer", F.constData()) << File << u"S3STAMM"_s << 1 << u"EPSG"_s << true << QString();
        QTest::addRow("%s: a NULL double", F.constData()) << File << u"S3STAMM"_s << 1 << u"XCOORD"_s << true << QString();
        QTest::addRow("%s: a NULL date", F.constData()) << File << u"S3STAMM"_s << 1 << u"BZEITA"_s << true << QString();
        QTest::addRow("%s: a NULL memo", F.constData()) << File << u"S3STAMM"_s << 1 << u"NOTIZSTM"_s << true << QString();
        QTest::addRow("%s: FARBE of layer (3,1) is empty text", F.constData())
            << File << u"S3SCHDAT"_s << 6 << u"FARBE"_s << false << u""_s;
        QTest::addRow("%s: FARBE of layer (3,2) is NULL", F.constData())
            << File << u"S3SCHDAT"_s << 5 << u"FARBE"_s << true << QString();
    }
    QTest::newRow("catalogue: Kuerzel of S3FARBE weiss is NULL")
        << u"catalogue.accdb"_s << u"S3FARBE"_s << 2 << u"Kuerzel"_s << true << QString();
    QTest::newRow("catalogue: Klartext of that row")
        << u"catalogue.accdb"_s << u"S3FARBE"_s << 2 << u"Klartext"_s << false << u"weiss"_s;
}

void TestAccessFile::nullApartFromEmptyText()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(bool, null);
    QFETCH(QString, text);
    const QVariant Value = Cell(TZavAccessFile(AccessData(file)).ReadTable(table), row, column);
    QCOMPARE(Value.isNull(), null);
    if (!null) {
        QCOMPARE(Value.typeId(), QMetaType::QString);
        QVERIFY(!Value.toString().isNull());
        QCOMPARE(Value.toString(), text);
    }
}

void TestAccessFile::texts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QString Digits;
    for (int I = 0; I < 25; ++I)
        Digits += u"0123456789"_s;
    QString Memo300 = u"Notiz "_s;
    while (Memo300.size() < 295)
        Memo300 += u"abcdefghij"_s;
    Memo300 = Memo300.left(295) + u"Ende."_s;
    for (const QString &File : {u"boreholes.accdb"_s, u"boreholes.mdb"_s}) {
        const QByteArray F = File.toUtf8();
        QTest::addRow("%s: umlauts and sharp s", F.constData())
            << File << u"S3STAMM"_s << 0 << u"ANAME"_s << u"Brunnen Großenhain Süd-Öst, Überlauf äöü ÄÖÜ ß"_s;
        QTest::addRow("%s: single quote, all 6 characters", F.constData())
            << File << u"S3STAMM"_s << 2 << u"PRJ_ID"_s << u"ZAV'03"_s;
        QTest::addRow("%s: memo with CRLF and quotes", F.constData())
            << File << u"S3STAMM"_s << 0 << u"NOTIZSTM"_s
            << u"Zeile 1: Bohrung abgeteuft.\r\nZeile 2: \"Kernverlust\" bei 3,5 m; Komma, Semikolon; 'Apostroph'.\r\n"
               u"Zeile 3: Ende."_s;
        QTest::addRow("%s: 254 characters, 258 bytes in UTF-8", F.constData())
            << File << u"S3SCHDAT"_s << 1 << u"ERGBEM"_s << Digits + u"ÄÖÜß"_s;
        QTest::addRow("%s: memo of 300 characters", F.constData()) << File << u"S3SCHDAT"_s << 1 << u"INTNOTIZ"_s << Memo300;
        QTest::addRow("%s: quotes and commas", F.constData())
            << File << u"S3SCHDAT"_s << 2 << u"PETRO"_s << u"mS,fs,u2,\"gl\""_s;
        QTest::addRow("%s: the column's full 20 characters", F.constData())
            << File << u"S3PROBEN"_s << 2 << u"INVNAME"_s << u"Kernprobe Öl-Spur ßä"_s;
    }
    QTest::newRow("catalogue: outside Latin-1") << u"catalogue.accdb"_s << u"S3BOGRP"_s << 1 << u"Klartext"_s
                                               << u"Kies-Schluff-Gemische, über 15 bis 40 % ≤ 0,063 mm"_s;
    QTest::newRow("catalogue: trailing space kept") << u"catalogue.accdb"_s << u"S3HSYS"_s << 1 << u"Klartext"_s
                                                   << u"Deutsches Haupthöhennetz 2016 (DHHN2016) "_s;
    QTest::newRow("catalogue: quotes in the code") << u"catalogue.accdb"_s << u"S3PETRO"_s << 1 << u"Kuerzel"_s << u"\"ca\""_s;
    QTest::newRow("catalogue: brackets and commas") << u"catalogue.accdb"_s << u"S3PETRO"_s << 0 << u"Klartext"_s
                                                   << u"Feinsand [0,063-0,2 mm]"_s;
}

void TestAccessFile::texts()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(QString, text);
    const QVariant Value = Cell(TZavAccessFile(AccessData(file)).ReadTable(table), row, column);
    QCOMPARE(Value.typeId(), QMetaType::QString);
    QCOMPARE(Value.toString(), text);
}

void TestAccessFile::exactDoubles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<double>("value");
    const double Sum = 0.1 + 0.2; // 16 digits print it as 0.3
    for (const QString &File : {u"boreholes.accdb"_s, u"boreholes.mdb"_s}) {
        const QByteArray F = File.toUtf8();
        QTest::addRow("%s: OST is 0.1+0.2", F.constData()) << File << u"S3STAMM"_s << 0 << u"OST"_s << Sum;
        QTest::addRow("%s: OST spelled out", F.constData()) << File << u"S3STAMM"_s << 0 << u"OST"_s << 0.30000000000000004;
        QTest::addRow("%s: ZCOORDE 8.7", F.constData()) << File << u"S3STAMM"_s << 0 << u"ZCOORDE"_s << 8.7;
        QTest::addRow("%s: LAENGE with 16 digits", F.constData()) << File << u"S3STAMM"_s << 0 << u"LAENGE"_s << 8.123456789012345;
        QTest::addRow("%s: XCOORD", F.constData()) << File << u"S3STAMM"_s << 0 << u"XCOORD"_s << 462345.67;
        QTest::addRow("%s: negative YCOORD", F.constData()) << File << u"S3STAMM"_s << 2 << u"YCOORD"_s << -5678901.25;
        QTest::addRow("%s: ZCOORDV 0.1", F.constData()) << File << u"S3STAMM"_s << 2 << u"ZCOORDV"_s << 0.1;
        QTest::addRow("%s: GW 2.35", F.constData()) << File << u"S3GRUNDW"_s << 1 << u"GW"_s << 2.35;
        QTest::addRow("%s: layer depth 4.75", F.constData()) << File << u"S3SCHDAT"_s << 5 << u"DEPTHFROM"_s << 4.75;
    }
}

void TestAccessFile::exactDoubles()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(double, value);
    const QVariant Value = Cell(TZavAccessFile(AccessData(file)).ReadTable(table), row, column);
    QCOMPARE(Value.typeId(), QMetaType::Double);
    // QCOMPARE on doubles is fuzzy; this must be the stored double itself.
    QVERIFY2(SameValue(Value, value), qPrintable(Show(Value.toDouble()) + u" != "_s + Show(value)));
}

void TestAccessFile::integers_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<qlonglong>("value");
    for (const QString &File : {u"boreholes.accdb"_s, u"boreholes.mdb"_s}) {
        const QByteArray F = File.toUtf8();
        QTest::addRow("%s: largest long integer", F.constData()) << File << u"S3STAMM"_s << 2 << u"ARNUM"_s << 2147483647LL;
        QTest::addRow("%s: smallest long integer", F.constData()) << File << u"S3STAMM"_s << 2 << u"BIDEXT"_s << -2147483648LL;
        QTest::addRow("%s: smallest integer", F.constData()) << File << u"S3STAMM"_s << 2 << u"GRUNDWASS"_s << -32768LL;
        QTest::addRow("%s: largest integer", F.constData()) << File << u"S3STAMM"_s << 2 << u"MESSDATEN"_s << 32767LL;
        QTest::addRow("%s: long integer above 16 bits", F.constData()) << File << u"S3STAMM"_s << 0 << u"PLZ"_s << 78048LL;
        QTest::addRow("%s: negative integer", F.constData()) << File << u"S3GRUNDW"_s << 0 << u"GWZEIT"_s << -24LL;
        QTest::addRow("%s: integer 0", F.constData()) << File << u"S3STAMM"_s << 0 << u"AUSBAUDAT"_s << 0LL;
    }
}

void TestAccessFile::integers()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(qlonglong, value);
    const QVariant Value = Cell(TZavAccessFile(AccessData(file)).ReadTable(table), row, column);
    QCOMPARE(Value.typeId(), QMetaType::LongLong);
    QCOMPARE(Value.toLongLong(), value);
}

void TestAccessFile::dates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<double>("days");
    QTest::addColumn<QDateTime>("dateTime");
    for (const QString &File : {u"boreholes.accdb"_s, u"boreholes.mdb"_s}) {
        const QByteArray F = File.toUtf8();
        QTest::addRow("%s: a date", F.constData())
            << File << 0 << u"BZEITA"_s << 44270.0 << QDateTime(QDate(2021, 3, 15), QTime(0, 0));
        QTest::addRow("%s: leap day with seconds", F.constData())
            << File << 0 << u"ERFDATUM"_s << 45351 + 32730 / 86400.0 << QDateTime(QDate(2024, 2, 29), QTime(9, 5, 30));
        QTest::addRow("%s: a second before midnight", F.constData())
            << File << 0 << u"AENDERUNG"_s << 45352 + 86399 / 86400.0 << QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59));
        QTest::addRow("%s: 1850, a negative day", F.constData())
            << File << 2 << u"BZEITA"_s << -18109.0 << QDateTime(QDate(1850, 6, 1), QTime(0, 0));
        QTest::addRow("%s: 1850 with a time", F.constData())
            << File << 2 << u"BZEITE"_s << -18107.75 << QDateTime(QDate(1850, 6, 3), QTime(18, 0));
        QTest::addRow("%s: day 0", F.constData()) << File << 2 << u"DATUM"_s << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
        // The fraction counts forward from midnight also before day 0.
        QTest::addRow("%s: noon of the day before day 0", F.constData())
            << File << 2 << u"ERFDATUM"_s << -1.5 << QDateTime(QDate(1899, 12, 29), QTime(12, 0));
    }
}

void TestAccessFile::dates()
{
    QFETCH(QString, file);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(double, days);
    QFETCH(QDateTime, dateTime);
    const QVariant Value = Cell(TZavAccessFile(AccessData(file)).ReadTable(u"S3STAMM"_s), row, column);
    QCOMPARE(Value.typeId(), QMetaType::Double);
    QVERIFY2(SameValue(Value, days), qPrintable(Show(Value.toDouble()) + u" != "_s + Show(days)));
    QCOMPARE(ZavDaysToDateTime(Value.toDouble()), dateTime);
}

void TestAccessFile::valuesIgnoreLocale_data()
{
    QTest::addColumn<bool>("processLocale");
    QTest::newRow("German in Qt") << false;
    QTest::newRow("German in Qt and the C library") << true;
}

void TestAccessFile::valuesIgnoreLocale()
{
    QFETCH(bool, processLocale);
    TLocaleGuard Guard(QLocale(QLocale::German, QLocale::Germany));
    TProcessLocale Process;
    // libmdb formats with the C library's locale: with a decimal comma there, 2.35
    // would come out as "2,35".
    if (processLocale && !Process.Set({"de_DE.UTF-8", "de_DE.utf8", "de_DE"}))
        QSKIP("the locale de_DE is not installed");
    const TZavAccessFile File(AccessData(u"boreholes.accdb"_s));
    const TZavAccessFile::TTable Master = File.ReadTable(u"S3STAMM"_s);
    QVERIFY(SameValue(Cell(Master, 0, u"OST"_s), 0.1 + 0.2));
    QVERIFY(SameValue(Cell(Master, 0, u"LAENGE"_s), 8.123456789012345));
    QVERIFY(SameValue(Cell(Master, 2, u"BZEITE"_s), -18107.75));
    QVERIFY(SameValue(Cell(Master, 0, u"DATUM"_s), 44273 + 14.5 / 24));
    QCOMPARE(Cell(Master, 0, u"ANAME"_s).toString(), u"Brunnen Großenhain Süd-Öst, Überlauf äöü ÄÖÜ ß"_s);
    QVERIFY(SameValue(Cell(File.ReadTable(u"S3GRUNDW"_s), 1, u"GW"_s), 2.35));
}

void TestAccessFile::bothFormatsReadAlike()
{
    // The same rows as Access 2000 and as Access 2010 file: every value alike.
    const TZavAccessFile Mdb(AccessData(u"boreholes.mdb"_s));
    const TZavAccessFile Accdb(AccessData(u"boreholes.accdb"_s));
    int Values = 0;
    for (const QString &Name : BoreholeTables) {
        const TZavAccessFile::TTable A = Mdb.ReadTable(Name);
        const TZavAccessFile::TTable B = Accdb.ReadTable(Name);
        QCOMPARE(A.Columns, B.Columns);
        QCOMPARE(A.Rows.size(), B.Rows.size());
        for (qsizetype R = 0; R < A.Rows.size(); ++R) {
            for (qsizetype C = 0; C < A.Columns.size(); ++C) {
                QVERIFY2(SameValue(A.Rows[R][C], B.Rows[R][C]),
                         qPrintable(u"%1 row %2 %3: %4 / %5"_s.arg(Name).arg(R).arg(A.Columns[C], A.Rows[R][C].toString(),
                                                                                 B.Rows[R][C].toString())));
                Values += A.Rows[R][C].isNull() ? 0 : 1;
            }
        }
    }
    QVERIFY(Values > 100);
}

void TestAccessFile::memoLongerThanLibmdbBindSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("length");
    // libmdb cuts its bound values at 16,384 bytes.
    QTest::newRow("Access 2010, 20,000 characters on 10 pages") << u"boreholes.accdb"_s << 20000;
    QTest::newRow("Access 2000, 20,000 characters on 10 pages") << u"boreholes.mdb"_s << 20000;
    QTest::newRow("Access 2010, 100,000 characters") << u"boreholes.accdb"_s << 100000;
    QTest::newRow("exactly one piece") << u"boreholes.accdb"_s << (4096 - 20) / 2;
}

void TestAccessFile::memoLongerThanLibmdbBindSize()
{
    QFETCH(QString, file);
    QFETCH(int, length);
    QString Text;
    for (int N = 0; Text.size() < length; ++N)
        Text += u"Zeile %1: äöü ≤ ß\r\n"_s.arg(N, 5, 10, QChar(u'0'));
    Text.truncate(length);
    const QString Path = FDir.filePath(u"long-memo-"_s + file);
    const QByteArray Bytes = WithLongMemo(FileBytes(AccessData(file)), Text, false);
    QVERIFY(!Bytes.isEmpty());
    QVERIFY(WriteFile(Path, Bytes));
    const TZavAccessFile::TTable Layers = TZavAccessFile(Path).ReadTable(u"S3SCHDAT"_s);
    const QString Memo = Cell(Layers, 1, u"INTNOTIZ"_s).toString();
    QCOMPARE(Memo.size(), Text.size());
    QCOMPARE(Memo, Text);
    // The rest of the row and the rows after it as before: the chain was read beside the
    // page of rows, not into it.
    QCOMPARE(Cell(Layers, 1, u"ERGBEM"_s).toString().right(4), u"ÄÖÜß"_s);
    QCOMPARE(Cell(Layers, 2, u"PETRO"_s).toString(), u"mS,fs,u2,\"gl\""_s);
    QCOMPARE(Cell(Layers, 6, u"FARBE"_s).toString(), u""_s);
    QCOMPARE(Layers.Rows.size(), 8);
}

void TestAccessFile::memoChainThatLoopsIsRefused()
{
    const QString Path = FDir.filePath(u"looping-memo.mdb"_s);
    const QByteArray Bytes = WithLongMemo(FileBytes(AccessData(u"boreholes.mdb"_s)), QString(20000, u'x'), true);
    QVERIFY(!Bytes.isEmpty());
    QVERIFY(WriteFile(Path, Bytes));
    const TZavAccessFile File(Path);
    try {
        File.ReadTable(u"S3SCHDAT"_s);
        QFAIL("the looping chain was read");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"<S3SCHDAT>") && E.Message().contains(u'<' + Path + u'>'), qPrintable(E.Message()));
    }
    // Other tables of the file still read.
    QCOMPARE(File.ReadTable(u"S3STAMM"_s).Rows.size(), 3);
}

void TestAccessFile::tableLookupIgnoresCase_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("name");
    QTest::newRow("lower case") << u"catalogue.accdb"_s << u"s3tk25"_s << u"S3TK25"_s;
    QTest::newRow("mixed case") << u"boreholes.mdb"_s << u"S3Stamm"_s << u"S3STAMM"_s;
    QTest::newRow("prefixed name in lower case")
        << u"boreholes_prefixed.accdb"_s << u"geodin_loc_s3stamm"_s << u"GEODIN_LOC_S3STAMM"_s;
    QTest::newRow("exact") << u"catalogue.accdb"_s << u"S3FARBE"_s << u"S3FARBE"_s;
}

void TestAccessFile::tableLookupIgnoresCase()
{
    QFETCH(QString, file);
    QFETCH(QString, asked);
    QFETCH(QString, name);
    const TZavAccessFile File(AccessData(file));
    const TZavAccessFile::TTable Table = File.ReadTable(asked);
    QCOMPARE(Table.Name, name);
    QCOMPARE(Table.Rows.size(), File.ReadTable(name).Rows.size());
    QVERIFY(!Table.Rows.isEmpty());
}

void TestAccessFile::missingTable_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::newRow("S3GENES in the catalogue without it") << u"catalogue_missing.accdb"_s << u"S3GENES"_s;
    QTest::newRow("a borehole table in a catalogue") << u"catalogue.accdb"_s << u"S3STAMM"_s;
    QTest::newRow("unprefixed name in the prefixed file") << u"boreholes_prefixed.accdb"_s << u"S3STAMM"_s;
    QTest::newRow("a system table") << u"catalogue.accdb"_s << u"MSysObjects"_s;
    QTest::newRow("empty name") << u"catalogue.accdb"_s << QString();
}

void TestAccessFile::missingTable()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    const TZavAccessFile File(AccessData(file));
    QString Message;
    try {
        File.ReadTable(table);
    } catch (const EDatabaseError &E) {
        Message = E.Message();
    }
    QCOMPARE(Message, u"Die Tabelle <%1> fehlt in <%2>"_s.arg(table, AccessData(file)));
    // The file stays usable.
    QVERIFY(!File.ReadTable(File.TableNames().constFirst()).Columns.isEmpty());
}

void TestAccessFile::fileKinds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("access");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Access 2010 file") << u"boreholes.accdb"_s << true << true;
    QTest::newRow("Access 2000 file") << u"boreholes.mdb"_s << true << true;
    QTest::newRow("catalogue") << u"catalogue.accdb"_s << true << true;
    QTest::newRow("Access file named .txt") << u"renamed"_s << true << true;
    QTest::newRow("only the header page") << u"header page"_s << true << false;
    QTest::newRow("header cut inside the name") << u"half header"_s << false << false;
    QTest::newRow("SQLite database named .accdb") << u"sqlite"_s << false << false;
    QTest::newRow("text file named .mdb") << u"text"_s << false << false;
    QTest::newRow("empty file") << u"empty"_s << false << false;
    QTest::newRow("missing path") << u"missing"_s << false << false;
    QTest::newRow("folder") << u"folder"_s << false << false;
    QTest::newRow("FIFO") << u"fifo"_s << false << false;
}

void TestAccessFile::fileKinds()
{
    QFETCH(QString, kind);
    QFETCH(bool, access);
    QFETCH(bool, opens);
    const QString Dir = FDir.filePath(u"kinds-"_s + QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
    QVERIFY(QDir().mkpath(Dir));
    QString Path;
    const QByteArray Boreholes = FileBytes(AccessData(u"boreholes.accdb"_s));
    if (kind.contains(u'.')) {
        Path = AccessData(kind);
    } else if (kind == u"renamed") {
        Path = Dir + u"/boreholes.txt"_s;
        QVERIFY(WriteFile(Path, Boreholes));
    } else if (kind == u"header page") {
        Path = Dir + u"/header.accdb"_s;
        QVERIFY(WriteFile(Path, Boreholes.left(4096)));
    } else if (kind == u"half header") {
        Path = Dir + u"/half.accdb"_s;
        QVERIFY(WriteFile(Path, Boreholes.left(12)));
    } else if (kind == u"sqlite") {
        Path = Dir + u"/catalogue.accdb"_s;
        TZavConnection Conn;
        Conn.OpenNew(Path);
        Conn.ExecRaw(u"CREATE TABLE S3FARBE (Kuerzel TEXT)"_s);
        Conn.Close();
    } else if (kind == u"text") {
        Path = Dir + u"/catalogue.mdb"_s;
        QVERIFY(WriteFile(Path, "Standard Jet DB\nist hier nur Text.\n"));
    } else if (kind == u"empty") {
        Path = Dir + u"/empty.accdb"_s;
        QVERIFY(WriteFile(Path, QByteArray()));
    } else if (kind == u"missing") {
        Path = Dir + u"/missing.accdb"_s;
    } else if (kind == u"folder") {
        Path = Dir + u"/folder.accdb"_s;
        QVERIFY(QDir().mkdir(Path));
    } else if (kind == u"fifo") {
        // Opened for reading, a FIFO would wait for a writer forever.
        Path = Dir + u"/pipe.accdb"_s;
        QCOMPARE(mkfifo(QFile::encodeName(Path).constData(), 0600), 0);
    }
    QCOMPARE(TZavAccessFile::IsAccessFile(Path), access);
    QString Message;
    try {
        const TZavAccessFile File(Path);
        QVERIFY(!File.TableNames().isEmpty());
    } catch (const EDatabaseError &E) {
        Message = E.Message();
    }
    if (opens) {
        QCOMPARE(Message, QString());
    } else {
        QVERIFY2(!Message.isEmpty(), "opening must fail");
        QVERIFY2(Message.contains(u'<' + Path + u'>'), qPrintable(Message));
    }
}

void TestAccessFile::fileUnchangedAfterReading_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Access 2010") << u"boreholes.accdb"_s;
    QTest::newRow("Access 2000") << u"boreholes.mdb"_s;
    QTest::newRow("catalogue") << u"catalogue.accdb"_s;
}

void TestAccessFile::fileUnchangedAfterReading()
{
    QFETCH(QString, file);
    const QString Dir = FDir.filePath(u"unchanged-"_s + file);
    QVERIFY(QDir().mkpath(Dir));
    const QString Path = Dir + u'/' + file;
    QVERIFY(QFile::copy(AccessData(file), Path));
    // An old time, so that any write would show.
    {
        QFile F(Path);
        QVERIFY(F.open(QIODevice::ReadWrite));
        QVERIFY(F.setFileTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)), QFileDevice::FileModificationTime));
    }
    const QString Before = FolderState(Dir);
    const QByteArray Bytes = FileBytes(Path);
    {
        const TZavAccessFile File(Path);
        TZavConnection Conn;
        for (const QString &Name : File.TableNames()) {
            File.ReadTable(Name);
            TZavAccessTable Table(Conn, File, Name);
            Table.Open();
            while (!Table.Eof())
                Table.Next();
        }
        // No lock file beside it while it is open.
        QCOMPARE(FolderState(Dir), Before);
    }
    QCOMPARE(FolderState(Dir), Before);
    QVERIFY(FileBytes(Path) == Bytes);
}

void TestAccessFile::damagedFilesFailCleanly_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    for (const QString &File : {u"boreholes.accdb"_s, u"boreholes.mdb"_s, u"catalogue.accdb"_s}) {
        const QByteArray F = File.toUtf8();
        QTest::addRow("%s cut at several sizes", F.constData()) << File << u"truncated"_s;
        QTest::addRow("%s with each page zeroed", F.constData()) << File << u"zeroed pages"_s;
        QTest::addRow("%s with random bytes after the header", F.constData()) << File << u"random after header"_s;
        QTest::addRow("%s with each table's page map lost", F.constData()) << File << u"page maps"_s;
        QTest::addRow("%s with each property block's length damaged", F.constData()) << File << u"property blocks"_s;
        QTest::addRow("%s with random bytes changed", F.constData()) << File << u"random bytes"_s;
    }
}

void TestAccessFile::damagedFilesFailCleanly()
{
    QFETCH(QString, file);
    QFETCH(QString, damage);
    // Whatever the damage, the result is rows or an EDatabaseError naming the file: no
    // crash (the sanitizer build watches for reads out of bounds), no hang.
    const QByteArray Good = FileBytes(AccessData(file));
    constexpr qsizetype PageSize = 4096;
    const qsizetype Pages = Good.size() / PageSize;
    QVERIFY(Pages > 50);
    const QString Path = FDir.filePath(u"damaged-"_s + file);
    int Variants = 0;
    int Failures = 0;
    const auto Check = [&](const QByteArray &ABytes, const QString &AWhat) {
        ++Variants;
        if (!WriteFile(Path, ABytes))
            return u"cannot write "_s + Path;
        const QString Message = ReadEverything(Path);
        if (!Message.isEmpty()) {
            ++Failures;
            if (!Message.contains(u'<' + Path + u'>'))
                return AWhat + u": "_s + Message;
        }
        return QString();
    };
    QRandomGenerator Random(20240229);
    QString Problem;
    if (damage == u"truncated") {
        for (const qsizetype Size : {qsizetype(0), qsizetype(1), qsizetype(19), qsizetype(100), qsizetype(2048), PageSize,
                                     PageSize + 1, 2 * PageSize, 3 * PageSize, 10 * PageSize, 30 * PageSize, Good.size() / 2,
                                     Good.size() - PageSize, Good.size() - 1}) {
            const int FailuresBefore = Failures;
            Problem = Check(Good.left(Size), u"cut at %1"_s.arg(Size));
            // Without its first page there is no database at all.
            if (Problem.isEmpty() && Size < PageSize && Failures == FailuresBefore)
                Problem = u"cut at %1 read without error"_s.arg(Size);
            if (!Problem.isEmpty())
                break;
        }
    } else if (damage == u"zeroed pages") {
        for (qsizetype Page = 1; Page < Pages && Problem.isEmpty(); ++Page) {
            QByteArray Bytes = Good;
            std::memset(Bytes.data() + Page * PageSize, 0, PageSize);
            Problem = Check(Bytes, u"page %1 zeroed"_s.arg(Page));
        }
    } else if (damage == u"random after header") {
        for (const qsizetype Keep : {qsizetype(0x80), PageSize, 3 * PageSize}) {
            QByteArray Bytes = Good;
            for (qsizetype I = Keep; I < Bytes.size(); ++I)
                Bytes[I] = char(Random.bounded(256));
            Problem = Check(Bytes, u"random after %1 bytes"_s.arg(Keep));
            if (!Problem.isEmpty())
                break;
        }
    } else if (damage == u"page maps") {
        // A table definition page (type 2) names the row of its page map at offset 55;
        // row 255 is none. libmdb then has no map and would walk a null pointer.
        for (qsizetype Page = 1; Page < Pages && Problem.isEmpty(); ++Page) {
            if (Good[Page * PageSize] != 2)
                continue;
            QByteArray Bytes = Good;
            Bytes[Page * PageSize + 55] = char(0xFF);
            Problem = Check(Bytes, u"page map of page %1"_s.arg(Page));
        }
    } else if (damage == u"property blocks") {
        // The properties of tables and columns are blocks starting "MR2\0", then the
        // length of the first entry. libmdb's catalogue reads them past their end.
        const QByteArray Magic("MR2\0", 4);
        for (qsizetype At = Good.indexOf(Magic); At >= 0 && Problem.isEmpty(); At = Good.indexOf(Magic, At + 1)) {
            QByteArray Bytes = Good;
            Bytes[At + 6] = char(0xF1);
            Problem = Check(Bytes, u"property block at %1"_s.arg(At));
        }
    } else {
        // Where the tables, their rows and the long values lie: the first hundred pages.
        const qsizetype End = std::min(Good.size(), 100 * PageSize);
        for (int N = 0; N < 150 && Problem.isEmpty(); ++N) {
            QByteArray Bytes = Good;
            const int Changes = N % 3 == 0 ? 1 : (N % 3 == 1 ? 8 : 64);
            for (int C = 0; C < Changes; ++C)
                Bytes[Random.bounded(qint64(PageSize), qint64(End))] = char(Random.bounded(256));
            Problem = Check(Bytes, u"variant %1"_s.arg(N));
        }
    }
    QVERIFY2(Problem.isEmpty(), qPrintable(Problem));
    QVERIFY(Variants > 0);
    if (damage == u"truncated" || damage == u"random after header")
        QVERIFY(Failures > 0);
}

void TestAccessFile::accessTableWalksRows()
{
    const TZavAccessFile File(AccessData(u"catalogue.accdb"_s));
    TZavConnection Conn; // never opened: the data set only belongs to it
    TZavAccessTable Table(Conn, File, u"S3FARBE"_s);
    QCOMPARE(Table.TableName(), u"S3FARBE"_s);
    QVERIFY(!Table.Active());
    Table.Open();
    QVERIFY(Table.Active());
    QCOMPARE(Table.RecordCount(), 6);
    QCOMPARE(Table.FieldCount(), 3);
    QStringList Codes;
    QList<bool> Nulls;
    QStringList Texts;
    for (Table.First(); !Table.Eof(); Table.Next()) {
        Codes.append(Table.FieldByName(u"Kuerzel"_s).AsString());
        Nulls.append(Table.FieldByName(u"Kuerzel"_s).IsNull());
        Texts.append(Table.FieldByName(u"klartext"_s).AsString());
    }
    QCOMPARE(Codes, (QStringList{u"hgn"_s, u"fls"_s, QString(), u"bn"_s, u"5."_s, u"dd"_s}));
    QCOMPARE(Nulls, (QList<bool>{false, false, true, false, false, false}));
    QCOMPARE(Texts, (QStringList{u"hellgrün"_s, u"Flasern"_s, u"weiss"_s, u"braun"_s, u"Farbe (FARBE)"_s, u"sehr dunkel"_s}));
    Table.First();
    Table.Next();
    QCOMPARE(Table.FieldByName(u"Attribute"_s).AsString(), u"Quant_A"_s);
    QVERIFY(Table.FieldByName(u"Attribute"_s).Value().typeId() == QMetaType::QString);

    TZavAccessTable Master(Conn, File, u"S3STAMM"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Master.Open());
    const TZavAccessFile Boreholes(AccessData(u"boreholes.accdb"_s));
    TZavAccessTable Stamm(Conn, Boreholes, u"S3STAMM"_s);
    Stamm.Open();
    QVERIFY(Stamm.FieldByName(u"OST"_s).AsFloat() == 0.1 + 0.2);
    QCOMPARE(Stamm.FieldByName(u"ARNUM"_s).AsInteger(), 4711);
    QCOMPARE(ZavDaysToDateTime(Stamm.FieldByName(u"ERFDATUM"_s).AsDateTime()), QDateTime(QDate(2024, 2, 29), QTime(9, 5, 30)));
}

void TestAccessFile::accessTableIsReadOnly()
{
    const TZavAccessFile File(AccessData(u"catalogue.accdb"_s));
    TZavConnection Conn;
    TZavAccessTable Table(Conn, File, u"S3PETRO"_s);
    Table.Open();
    QCOMPARE(Table.EditTableName(), QString());
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Table.Edit());
    QCOMPARE(Table.State(), TZavDataSet::dsBrowse);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Table.Append());
    QCOMPARE(Table.State(), TZavDataSet::dsBrowse);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Table.FieldByName(u"Kuerzel"_s).SetValue(u"x"_s));
    QCOMPARE(Table.FieldByName(u"Kuerzel"_s).AsString(), u"fS"_s);
}

void TestAccessFile::accessTableSwitchesTable()
{
    const TZavAccessFile File(AccessData(u"catalogue.accdb"_s));
    TZavConnection Conn;
    TZavAccessTable Table(Conn, File, u"S3FARBE"_s);
    Table.Open();
    Table.SetTableName(u"s3tk25"_s);
    QVERIFY(!Table.Active());
    QCOMPARE(Table.TableName(), u"s3tk25"_s);
    Table.Open();
    QCOMPARE(Table.RecordCount(), 2);
    QCOMPARE(Table.Fields(0).FieldName(), u"Klartext"_s);
    QCOMPARE(Table.FieldByName(u"Kuerzel"_s).AsString(), u"7916"_s);
    Table.Next();
    QCOMPARE(Table.FieldByName(u"Kuerzel"_s).AsString(), u"0086"_s);
    QVERIFY(Table.FieldByName(u"Attribute"_s).IsNull());
    Table.Next();
    QVERIFY(Table.Eof());
}

void TestAccessFile::accessTableMissingTableStaysClosed()
{
    const TZavAccessFile File(AccessData(u"catalogue_missing.accdb"_s));
    TZavConnection Conn;
    TZavAccessTable Table(Conn, File, u"S3GENES"_s);
    try {
        Table.Open();
        QFAIL("S3GENES opened");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"<S3GENES>"), qPrintable(E.Message()));
    }
    QVERIFY(!Table.Active());
    Table.SetTableName(u"S3FARBE"_s);
    Table.Open();
    QCOMPARE(Table.RecordCount(), 6);
}

QTEST_GUILESS_MAIN(TestAccessFile)
#include "tst_accessfile.moc"
