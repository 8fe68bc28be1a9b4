// Taking Access borehole catalogues over into catalogue files, on the Access fixtures: every
// value arrives exactly, table names keep their prefix, refusals and cancels leave no
// target, the source is only read.

#include "AccessImport.h"
#include "DMBorehole.h"
#include "DatabaseTestUtil.h"
#include "ZavAccessFile.h"
#include "ZavDatabaseError.h"
#include "ZavTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

QString AccessData(const QString &AName)
{
    return QDir(QStringLiteral(ZAVREX_ACCESS_DATA)).filePath(AName);
}

// Equal as stored: the same type class, NULL only with NULL, doubles bit for bit.
bool SameValue(const QVariant &A, const QVariant &B)
{
    if (A.isNull() || B.isNull())
        return A.isNull() && B.isNull();
    if (A.typeId() == QMetaType::Double || B.typeId() == QMetaType::Double) {
        const double X = A.toDouble(), Y = B.toDouble();
        return std::memcmp(&X, &Y, sizeof X) == 0;
    }
    if (A.typeId() == QMetaType::QString || B.typeId() == QMetaType::QString)
        return A.typeId() == B.typeId() && A.toString() == B.toString();
    if (A.typeId() == QMetaType::QByteArray || B.typeId() == QMetaType::QByteArray)
        return A.toByteArray() == B.toByteArray();
    return A.toLongLong() == B.toLongLong();
}

} // namespace

class TestAccessImport : public QObject
{
    Q_OBJECT

private slots:
    void everyValueArrives_data();
    void everyValueArrives();
    void specialValues_data();
    void specialValues();
    void prefixedTablesResolve();
    void refusedWithoutTarget_data();
    void refusedWithoutTarget();
    void cancelLeavesNothing();

private:
    QTemporaryDir FDir;
};

void TestAccessImport::everyValueArrives_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("Access 2010") << u"boreholes.accdb"_s;
    QTest::newRow("Access 2000") << u"boreholes.mdb"_s;
}

void TestAccessImport::everyValueArrives()
{
    QFETCH(QString, source);
    const QString Source = AccessData(source);
    const QByteArray SourceBytes = FileBytes(Source);
    const QString Target = FDir.filePath(source + u".sqlite"_s);
    const TAccessImportReport Report = ImportAccessCatalogue(Source, Target);
    QCOMPARE(FileBytes(Source), SourceBytes); // only read
    QCOMPARE(Report.SkippedColumns, QStringList());
    QCOMPARE(Report.Rows.size(), 15);

    const TZavAccessFile Access(Source);
    TZavConnection Conn;
    Conn.SetConnectionString(u"Provider=SQLite;Data Source="_s + Target);
    Conn.Open();
    for (const auto &[Name, Rows] : Report.Rows) {
        const TZavAccessFile::TTable Table = Access.ReadTable(Name);
        QCOMPARE(Rows, int(Table.Rows.size()));
        TZavTable Copy(Conn);
        Copy.SetTableName(Name);
        Copy.Open();
        QCOMPARE(Copy.RecordCount(), int(Table.Rows.size()));
        for (const QList<QVariant> &Row : Table.Rows) {
            for (int C = 0; C < Table.Columns.size(); ++C) {
                const QVariant Stored = Copy.FieldByName(Table.Columns[C]).Value();
                QVERIFY2(SameValue(Row[C], Stored), qPrintable(u"%1.%2: %3 / %4"_s.arg(Name, Table.Columns[C],
                                                                                       Row[C].toString(), Stored.toString())));
            }
            Copy.Next();
        }
    }
    // The copy is a catalogue like any other.
    TDMBorehole DM;
    QVERIFY(DM.ConnectToDatabase(Target));
    QCOMPARE(DM.S3Tablename(), u"S3STAMM"_s);
}

void TestAccessImport::specialValues_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");
    QTest::newRow("umlauts and ß") << u"SELECT ANAME FROM S3STAMM WHERE LOCID=1"_s
                                   << u"Brunnen Großenhain Süd-Öst, Überlauf äöü ÄÖÜ ß"_s;
    QTest::newRow("NULL in every column of a row")
        << u"SELECT count(*) FROM S3STAMM WHERE LOCID=2 AND PRJ_ID IS NULL AND RECID IS NULL AND EPSG IS NULL"_s << u"1"_s;
    QTest::newRow("empty text stays text") << u"SELECT quote(SHORTNAME)||quote(BART) FROM S3STAMM WHERE LOCID=3"_s
                                           << u"''''"_s;
    QTest::newRow("12.5 and 3456789.5") << u"SELECT quote(ZCOORDE)||' '||quote(XCOORD) FROM S3STAMM WHERE LOCID=3"_s
                                        << u"12.5 3456789.5"_s;
    QTest::newRow("negative coordinates") << u"SELECT quote(YCOORD)||' '||quote(ZCOORDB) FROM S3STAMM WHERE LOCID=3"_s
                                          << u"-5678901.25 -3.25"_s;
    QTest::newRow("0.1 + 0.2 bit for bit") << u"SELECT OST = 0.1 + 0.2 FROM S3STAMM WHERE LOCID=1"_s << u"1"_s;
    QTest::newRow("a date with its time") << u"SELECT quote(GWDATUM) FROM S3GRUNDW WHERE LOCID=1 AND RECID=2"_s
                                          << u"44272.34375"_s;
    QTest::newRow("a date before 1899-12-30") << u"SELECT quote(ERFDATUM) FROM S3STAMM WHERE LOCID=3"_s << u"-1.5"_s;
    QTest::newRow("GWZEIT 0 and negative") << u"SELECT group_concat(GWZEIT) FROM S3GRUNDW WHERE LOCID=1"_s
                                           << u"-24,0"_s;
    QTest::newRow("integer limits") << u"SELECT ARNUM||' '||BIDEXT||' '||GRUNDWASS FROM S3STAMM WHERE LOCID=3"_s
                                    << u"2147483647 -2147483648 -32768"_s;
    QTest::newRow("the column-sized remark") << u"SELECT length(ERGBEM) FROM S3SCHDAT WHERE LOCID=1 AND RECID=5"_s
                                             << u"254"_s;
    QTest::newRow("a memo whole") << u"SELECT substr(INTNOTIZ, -5) FROM S3SCHDAT WHERE LOCID=1 AND RECID=5"_s
                                  << u"Ende."_s;
}

void TestAccessImport::specialValues()
{
    QFETCH(QString, query);
    QFETCH(QString, expected);
    const QString Target = FDir.filePath(u"special.sqlite"_s);
    if (!QFile::exists(Target))
        ImportAccessCatalogue(AccessData(u"boreholes.accdb"_s), Target);
    TZavConnection Conn;
    Conn.SetConnectionString(u"Provider=SQLite;Data Source="_s + Target);
    Conn.Open();
    TZavQuery Q(Conn);
    Q.SetSQL(query);
    Q.Open();
    QCOMPARE(Q.Fields(0).AsString(), expected);
}

void TestAccessImport::prefixedTablesResolve()
{
    const QString Target = FDir.filePath(u"prefixed.sqlite"_s);
    const TAccessImportReport Report = ImportAccessCatalogue(AccessData(u"boreholes_prefixed.accdb"_s), Target);
    QCOMPARE(Report.Rows.first(), (QPair<QString, int>(u"GEODIN_LOC_S3STAMM"_s, 1)));
    TDMBorehole DM;
    QVERIFY(DM.ConnectToDatabase(Target));
    QCOMPARE(DM.S3Tablename(), u"GEODIN_LOC_S3STAMM"_s);
    QCOMPARE(DM.S3SchichtTablename(), u"GEODIN_LOC_S3SCHDAT"_s);
    QVERIFY(DM.OpenTblBorehole());
    QCOMPARE(DM.QyStamm.FieldByName(u"ANAME"_s).AsString(), u"Präfix-Bohrung Nr. 1"_s);
    // The tables the source lacks keep their plain names.
    QVERIFY(DM.ConnBorehole.GetTableNames().contains(u"S3ARCHIV"_s));
}

void TestAccessImport::refusedWithoutTarget_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("text file") << u"text"_s << u"keine Access-Datei"_s;
    QTest::newRow("no borehole catalogue") << u"catalogue"_s << u"es fehlt die Tabelle S3STAMM"_s;
    QTest::newRow("truncated to half") << u"half"_s << QString();
    QTest::newRow("truncated to three pages") << u"three pages"_s << QString();
    QTest::newRow("random bytes after the header") << u"random"_s << QString();
}

void TestAccessImport::refusedWithoutTarget()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir Dir;
    QString Source = QDir(Dir.path()).filePath(u"quelle.accdb"_s);
    const QByteArray Fixture = FileBytes(AccessData(u"boreholes.accdb"_s));
    {
        QFile F(Source);
        QVERIFY(F.open(QIODevice::WriteOnly));
        if (kind == u"text")
            F.write("kein Bohrungskatalog\n");
        else if (kind == u"half")
            F.write(Fixture.left(Fixture.size() / 2));
        else if (kind == u"three pages")
            F.write(Fixture.left(3 * 4096));
        else if (kind == u"random") {
            QByteArray Bytes = Fixture;
            quint32 Seed = 7;
            for (qsizetype I = 4096; I < Bytes.size(); ++I) {
                Seed = Seed * 1103515245u + 12345u;
                Bytes[I] = char(Seed >> 24);
            }
            F.write(Bytes);
        }
    }
    if (kind == u"catalogue")
        Source = AccessData(u"catalogue.accdb"_s);
    // An existing target stays as it was.
    const QString Target = QDir(Dir.path()).filePath(u"ziel.sqlite"_s);
    {
        QFile F(Target);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write("alt");
    }
    const QString Before = FolderState(Dir.path());
    try {
        ImportAccessCatalogue(Source, Target);
        QFAIL("a file that is no borehole catalogue was taken over");
    } catch (const EDatabaseError &E) {
        QVERIFY2(message.isEmpty() || E.Message().contains(message), qPrintable(E.Message()));
    }
    QCOMPARE(FolderState(Dir.path()), Before);
}

void TestAccessImport::cancelLeavesNothing()
{
    QTemporaryDir Dir;
    const QString Target = QDir(Dir.path()).filePath(u"ziel.sqlite"_s);
    QStringList Seen;
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, ImportAccessCatalogue(AccessData(u"boreholes.mdb"_s), Target,
                                                                   [&Seen](const QString &ATable, int, int) {
                                                                       Seen.append(ATable);
                                                                       return Seen.size() < 3;
                                                                   }));
    QCOMPARE(Seen.size(), 3);
    QCOMPARE(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestAccessImport)
#include "tst_accessimport.moc"
