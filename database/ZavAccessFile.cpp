#include "ZavAccessFile.h"

#include "ZavDatabaseError.h"

// mdbtools.h includes glib.h inside its extern "C" block, which g++ refuses unless glib came first.
#include <glib.h>
#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

// All reading goes through one MdbHandle, whose page buffers every call shares: one
// TZavAccessFile is not for several threads at once.
//
// No column is bound. A bound value is the text libmdb makes of it: doubles with 16
// digits in the process locale, dates wrong before 1900, texts cut at the bind size.
// Values are taken from the row instead, right after mdb_fetch_row has cracked it.

namespace {

// The offsets in a data page's row table carry flags in their top bits.
constexpr int RowOffsetMask = 0x1FFF;
// A memo or OLE field in the row: length and flags, where the data lies, 4 bytes unused.
constexpr int LongValueHeader = MDB_MEMO_OVERHEAD;

struct TTableFree
{
    void operator()(MdbTableDef *ATable) const { mdb_free_tabledef(ATable); }
};
using TTablePtr = std::unique_ptr<MdbTableDef, TTableFree>;

MdbColumn *ColumnAt(MdbTableDef *ATable, unsigned AIndex)
{
    return static_cast<MdbColumn *>(g_ptr_array_index(ATable->columns, AIndex));
}

} // namespace

struct TZavAccessFile::TImpl
{
    QString Path;
    MdbHandle *Mdb = nullptr;
    qint64 FileSize = 0;
    // The user tables. Entries of our own: libmdb's catalogue also parses every object's
    // properties, and on damaged files that code reads past its buffers and leaks.
    std::vector<std::unique_ptr<MdbCatalogEntry>> Tables;
    QStringList TableNames;

    ~TImpl()
    {
        if (Mdb)
            mdb_close(Mdb);
    }

    [[noreturn]] void Damaged(const QString &ATable, const QString &AReason) const
    {
        throw EDatabaseError(QStringLiteral("Die Tabelle <%1> in <%2> ist beschädigt (%3)").arg(ATable, Path, AReason));
    }

    int PageSize() const { return int(std::min<ssize_t>(Mdb->fmt->pg_size, MDB_PGSIZE)); }

    void ReadCatalog();
    TTablePtr OpenTable(MdbCatalogEntry *AEntry, const QString &AName) const;
    // The values of AColumns (indexes into the table's columns) of every row.
    void ReadRows(MdbTableDef *ATable, const QString &AName, const QList<unsigned> &AColumns,
                  QList<QList<QVariant>> &ARows) const;
    QVariant FieldValue(const MdbColumn &AColumn, const MdbField &AField, const QString &ATable) const;
    QByteArray LongValue(int AStart, int ASize, const QString &ATable) const;
    QString Text(const char *AData, size_t ASize) const;
};

TTablePtr TZavAccessFile::TImpl::OpenTable(MdbCatalogEntry *AEntry, const QString &AName) const
{
    TTablePtr Table(mdb_read_table(AEntry));
    if (!Table)
        Damaged(AName, QStringLiteral("Tabellendefinition nicht lesbar"));
    // libmdb would walk a missing page map through a null pointer.
    if (!Table->usage_map || Table->map_sz == 0)
        Damaged(AName, QStringLiteral("Seitenverzeichnis nicht lesbar"));
    if (!mdb_read_columns(Table.get()) || !Table->columns || Table->columns->len != Table->num_cols)
        Damaged(AName, QStringLiteral("Spalten nicht lesbar"));
    return Table;
}

void TZavAccessFile::TImpl::ReadCatalog()
{
    // What mdb_read_catalog does, without the properties: the system table of all objects
    // starts on page 2.
    MdbCatalogEntry System{};
    System.mdb = Mdb;
    System.object_type = MDB_TABLE;
    System.table_pg = 2;
    std::strcpy(System.object_name, "MSysObjects");
    const QString Damage = QStringLiteral("Die Access-Datei <%1> ist beschädigt (Systemkatalog nicht lesbar)").arg(Path);
    QList<QList<QVariant>> Rows;
    try {
        TTablePtr Table = OpenTable(&System, QStringLiteral("MSysObjects"));
        QStringList Columns;
        for (unsigned I = 0; I < Table->num_cols; ++I)
            Columns.append(QString::fromUtf8(ColumnAt(Table.get(), I)->name));
        QList<unsigned> Wanted;
        const QStringList Needed = {QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("Type"), QStringLiteral("Flags")};
        for (const QString &Name : Needed) {
            const qsizetype Col = Columns.indexOf(Name);
            if (Col < 0)
                throw EDatabaseError(Damage);
            Wanted.append(unsigned(Col));
        }
        ReadRows(Table.get(), QStringLiteral("MSysObjects"), Wanted, Rows);
    } catch (const EDatabaseError &) {
        throw EDatabaseError(Damage);
    }
    constexpr int IdCol = 0, NameCol = 1, TypeCol = 2, FlagsCol = 3;
    for (const QList<QVariant> &Row : std::as_const(Rows)) {
        // The type's top bit and the id's top byte are flags, as in libmdb.
        if ((Row[TypeCol].toLongLong() & 0x7F) != MDB_TABLE || Row[NameCol].toString().isEmpty())
            continue;
        auto Entry = std::make_unique<MdbCatalogEntry>();
        Entry->mdb = Mdb;
        Entry->object_type = MDB_TABLE;
        Entry->table_pg = static_cast<unsigned long>(Row[IdCol].toLongLong() & 0x00FFFFFF);
        Entry->flags = static_cast<int>(Row[FlagsCol].toLongLong());
        const QByteArray Name = Row[NameCol].toString().toUtf8();
        std::snprintf(Entry->object_name, sizeof Entry->object_name, "%s", Name.constData());
        if (mdb_is_system_table(Entry.get()))
            continue;
        TableNames.append(Row[NameCol].toString());
        Tables.push_back(std::move(Entry));
    }
}

void TZavAccessFile::TImpl::ReadRows(MdbTableDef *ATable, const QString &AName, const QList<unsigned> &AColumns,
                                    QList<QList<QVariant>> &ARows) const
{
    const unsigned Count = ATable->num_cols;
    // mdb_crack_row fills one field per column; libmdb itself keeps room for the most
    // columns a table can have.
    std::vector<MdbField> Fields(std::max<size_t>(Count, MDB_MAX_COLS) + 1);
    std::vector<int> FieldOf(Count);
    mdb_rewind_table(ATable);
    while (mdb_fetch_row(ATable)) {
        // The row just read is still in the page buffer; cracking it again gives what
        // the bound values hide: NULL apart from empty text, and where each value lies.
        int Start = 0;
        size_t Size = 0;
        if (ATable->cur_row == 0 || mdb_find_row(Mdb, int(ATable->cur_row) - 1, &Start, &Size) != 0)
            Damaged(AName, QStringLiteral("Zeile nicht auffindbar"));
        Start &= RowOffsetMask;
        if (size_t(Start) + Size > size_t(PageSize()) || mdb_crack_row(ATable, Start, Size, Fields.data()) < 0)
            Damaged(AName, QStringLiteral("Zeile nicht lesbar"));
        std::fill(FieldOf.begin(), FieldOf.end(), -1);
        for (unsigned I = 0; I < Count; ++I) {
            if (Fields[I].colnum >= 0 && unsigned(Fields[I].colnum) < Count)
                FieldOf[size_t(Fields[I].colnum)] = int(I);
        }
        QList<QVariant> Row;
        Row.reserve(AColumns.size());
        for (const unsigned Col : AColumns) {
            if (Col >= Count || FieldOf[Col] < 0)
                Damaged(AName, QStringLiteral("Zeile nicht lesbar"));
            Row.append(FieldValue(*ColumnAt(ATable, Col), Fields[size_t(FieldOf[Col])], AName));
        }
        ARows.append(std::move(Row));
    }
}

QVariant TZavAccessFile::TImpl::FieldValue(const MdbColumn &AColumn, const MdbField &AField, const QString &ATable) const
{
    // A yes/no column keeps its value in the null mask: "null" there means false.
    if (AColumn.col_type == MDB_BOOL)
        return qlonglong(AField.is_null ? 0 : 1);
    if (AField.is_null)
        return QVariant();
    const int Start = AField.start;
    const int Size = AField.siz;
    if (Start < 0 || Size < 0 || Start > PageSize() - Size)
        Damaged(ATable, QStringLiteral("Wert außerhalb der Seite"));
    const unsigned char *Data = Mdb->pg_buf + Start;
    const auto Need = [&](int ABytes) {
        if (Size < ABytes)
            Damaged(ATable, QStringLiteral("Wert der Spalte %1 zu kurz").arg(QString::fromUtf8(AColumn.name)));
    };
    switch (AColumn.col_type) {
    case MDB_BYTE:
        Need(1);
        return qlonglong(Data[0]);
    case MDB_INT:
        Need(2);
        return qlonglong(qFromLittleEndian<qint16>(Data));
    case MDB_LONGINT:
        Need(4);
        return qlonglong(qFromLittleEndian<qint32>(Data));
    case MDB_MONEY:
        // Currency is an integer of ten-thousandths; up to 2^53 of them (some 900 billion)
        // one division rounds it as exactly as parsing its decimal text would.
        Need(8);
        return double(qFromLittleEndian<qint64>(Data)) / 10000.0;
    case MDB_FLOAT:
        Need(4);
        return double(mdb_get_single(Mdb->pg_buf, Start));
    case MDB_DOUBLE:
    case MDB_DATETIME:
        // Date-times are the same double, days since 1899-12-30, negative before it.
        Need(8);
        return mdb_get_double(Mdb->pg_buf, Start);
    case MDB_NUMERIC: {
        Need(17);
        // Access allows a precision of 28 digits; more would be damage.
        if (AColumn.col_prec < 0 || AColumn.col_prec > 28 || AColumn.col_scale < 0 || AColumn.col_scale > 28)
            Damaged(ATable, QStringLiteral("Spalte %1 mit ungültiger Genauigkeit").arg(QString::fromUtf8(AColumn.name)));
        char *Raw = mdb_numeric_to_string(Mdb, Start, AColumn.col_scale, AColumn.col_prec);
        QByteArray Digits(Raw);
        g_free(Raw);
        // QByteArray parses in the C locale; a decimal comma would come from the process
        // locale.
        Digits.replace(',', '.');
        bool Ok = false;
        const double Value = Digits.toDouble(&Ok);
        if (!Ok)
            Damaged(ATable, QStringLiteral("Zahl der Spalte %1 nicht lesbar").arg(QString::fromUtf8(AColumn.name)));
        return Value;
    }
    case MDB_TEXT:
        return Text(reinterpret_cast<const char *>(Data), size_t(Size));
    case MDB_MEMO: {
        if (Size == 0)
            return QStringLiteral("");
        const QByteArray Raw = LongValue(Start, Size, ATable);
        return Text(Raw.constData(), size_t(Raw.size()));
    }
    case MDB_OLE:
        return Size == 0 ? QByteArray("") : LongValue(Start, Size, ATable);
    case MDB_REPID: {
        Need(16);
        char *Raw = mdb_uuid_to_string(Mdb->pg_buf, Start);
        const QString Value = QString::fromLatin1(Raw);
        g_free(Raw);
        return Value;
    }
    default:
        // Binary, and the key of an attachment or multi-value field: the stored bytes.
        return QByteArray(reinterpret_cast<const char *>(Data), Size);
    }
}

QByteArray TZavAccessFile::TImpl::LongValue(int AStart, int ASize, const QString &ATable) const
{
    // A memo or OLE value beyond the row, read here rather than by libmdb, whose walk of
    // the page chain has no guard against a chain that loops.
    if (ASize < LongValueHeader)
        Damaged(ATable, QStringLiteral("langer Wert ohne Kopf"));
    const quint32 Head = qFromLittleEndian<quint32>(Mdb->pg_buf + AStart);
    const qint64 Length = Head & 0x3FFFFFFF;
    if (Length > FileSize)
        Damaged(ATable, QStringLiteral("langer Wert größer als die Datei"));
    if (Head & 0x80000000) // inline, after the header
        return QByteArray(reinterpret_cast<const char *>(Mdb->pg_buf + AStart + LongValueHeader), ASize - LongValueHeader);
    quint32 PageRow = qFromLittleEndian<quint32>(Mdb->pg_buf + AStart + 4);
    const bool OnePiece = Head & 0x40000000;
    if (!OnePiece && (Head & 0xC0000000) != 0)
        Damaged(ATable, QStringLiteral("langer Wert unbekannter Art"));
    QByteArray Result;
    QSet<quint32> Seen;
    while (PageRow != 0) {
        if (Seen.contains(PageRow))
            Damaged(ATable, QStringLiteral("Seitenkette eines langen Werts läuft im Kreis"));
        Seen.insert(PageRow);
        void *Buffer = nullptr;
        int RowStart = 0;
        size_t RowSize = 0;
        if (mdb_find_pg_row(Mdb, int(PageRow), &Buffer, &RowStart, &RowSize) != 0)
            Damaged(ATable, QStringLiteral("Seite eines langen Werts nicht lesbar"));
        const int Offset = RowStart & RowOffsetMask;
        if (Offset > PageSize() || RowSize > size_t(PageSize() - Offset))
            Damaged(ATable, QStringLiteral("Teil eines langen Werts außerhalb der Seite"));
        const char *Piece = static_cast<const char *>(Buffer) + Offset;
        if (OnePiece) {
            // The whole value is that row.
            Result = QByteArray(Piece, qsizetype(RowSize));
            break;
        }
        // Each piece starts with the page and row of the next one, zero for the last.
        if (RowSize < 4)
            Damaged(ATable, QStringLiteral("Teil eines langen Werts zu kurz"));
        PageRow = qFromLittleEndian<quint32>(Piece);
        Result.append(Piece + 4, qsizetype(RowSize - 4));
        if (Result.size() > Length)
            Damaged(ATable, QStringLiteral("langer Wert länger als angegeben"));
    }
    return Result;
}

QString TZavAccessFile::TImpl::Text(const char *AData, size_t ASize) const
{
    if (ASize == 0)
        return QStringLiteral("");
    // libmdb turns UCS-2 (also compressed) or a Jet 3 code page into UTF-8: at most three
    // bytes per stored byte, so nothing is cut.
    std::vector<char> Utf8(3 * ASize + 16, '\0');
    mdb_unicode2ascii(Mdb, AData, ASize, Utf8.data(), Utf8.size());
    QString Result = QString::fromUtf8(Utf8.data(), qsizetype(strnlen(Utf8.data(), Utf8.size())));
    return Result.isNull() ? QStringLiteral("") : Result;
}

// ---------------------------------------------------------------------------------------
// TZavAccessFile

TZavAccessFile::TZavAccessFile(const QString &APath)
    : FImpl(std::make_unique<TImpl>())
    , FPath(APath)
{
    FImpl->Path = APath;
    const QFileInfo Info(APath);
    if (!Info.exists())
        throw EDatabaseError(QStringLiteral("Die Access-Datei <%1> wurde nicht gefunden").arg(APath));
    if (!Info.isFile())
        throw EDatabaseError(QStringLiteral("<%1> ist keine Datei").arg(APath));
    if (!IsAccessFile(APath))
        throw EDatabaseError(QStringLiteral("Die Datei <%1> ist keine Access-Datei").arg(APath));
    FImpl->FileSize = Info.size();
    // MDB_NOFLAGS opens read-only: libmdb never writes, and no lock file is made.
    FImpl->Mdb = mdb_open(QFile::encodeName(APath).constData(), MDB_NOFLAGS);
    if (!FImpl->Mdb)
        throw EDatabaseError(QStringLiteral("Die Access-Datei <%1> kann nicht geöffnet werden").arg(APath));
    FImpl->ReadCatalog();
}

TZavAccessFile::~TZavAccessFile() = default;

bool TZavAccessFile::IsAccessFile(const QString &APath)
{
    // Opening a FIFO or a device would block or consume input: regular files only.
    if (!QFileInfo(APath).isFile())
        return false;
    QFile File(APath);
    if (!File.open(QIODevice::ReadOnly))
        return false;
    const QByteArray Head = File.read(19);
    if (Head.size() < 19)
        return false;
    const QByteArray Kind = Head.mid(4, 15);
    return Kind == "Standard Jet DB" || Kind == "Standard ACE DB";
}

QStringList TZavAccessFile::TableNames() const
{
    return FImpl->TableNames;
}

TZavAccessFile::TTable TZavAccessFile::ReadTable(const QString &AName) const
{
    // Access compares object names without regard to case; an exact match goes first.
    const QStringList &Names = FImpl->TableNames;
    qsizetype At = Names.indexOf(AName);
    if (At < 0)
        At = std::find_if(Names.begin(), Names.end(), [&](const QString &AEach) {
                 return AEach.compare(AName, Qt::CaseInsensitive) == 0;
             }) - Names.begin();
    if (At >= Names.size())
        throw EDatabaseError(QStringLiteral("Die Tabelle <%1> fehlt in <%2>").arg(AName, FPath));
    TTable Result;
    Result.Name = Names[At];
    TTablePtr Table = FImpl->OpenTable(FImpl->Tables[size_t(At)].get(), Result.Name);
    for (unsigned I = 0; I < Table->num_cols; ++I)
        Result.Columns.append(QString::fromUtf8(ColumnAt(Table.get(), I)->name));
    QList<unsigned> All;
    for (unsigned I = 0; I < Table->num_cols; ++I)
        All.append(I);
    FImpl->ReadRows(Table.get(), Result.Name, All, Result.Rows);
    return Result;
}

// ---------------------------------------------------------------------------------------
// TZavAccessTable

TZavAccessTable::TZavAccessTable(TZavConnection &AConnection, const TZavAccessFile &AFile, const QString &ATableName)
    : TZavDataSet(AConnection)
    , FFile(AFile)
    , FTableName(ATableName)
{
}

void TZavAccessTable::SetTableName(const QString &ATableName)
{
    Close();
    FTableName = ATableName;
}

TZavDataSet::TZavRows TZavAccessTable::DoOpen()
{
    TZavAccessFile::TTable Table = FFile.ReadTable(FTableName);
    TZavRows Rows; // Table stays empty: nothing is written back to an Access file
    Rows.FieldNames = Table.Columns;
    Rows.Values.reserve(Table.Rows.size() * Table.Columns.size());
    for (QList<QVariant> &Row : Table.Rows)
        Rows.Values.append(std::move(Row));
    return Rows;
}
