// The engine layer on real SQLite files made from the template: connecting,
// queries, parameters, commands, tables, the editable row, errors and transactions.

#include "DatabaseTestUtil.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavDateTime.h"
#include "ZavQuery.h"
#include "ZavTable.h"

#include "LocaleGuard.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

QString ConnectString(const QString &APath, int ABusyTimeout = 5000)
{
    return u"Provider=SQLite;Busy Timeout=%1;Data Source="_s.arg(ABusyTimeout) + APath;
}

int CountRows(TZavConnection &AConn, const QString &AWhere)
{
    TZavQuery Q(AConn);
    Q.SetSQL(u"SELECT COUNT(*) AS N FROM S3STAMM WHERE "_s + AWhere);
    Q.Open();
    return Q.FieldByName(u"N"_s).AsInteger();
}

} // namespace

class TestZavEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void connectAnyPath_data();
    void connectAnyPath();
    void connectFailures_data();
    void connectFailures();
    void connectLockedFileFails();
    void connectWaitsForALock();
    void connectionIsHardened();
    void tableNamesAreUserTables();
    void connectionStringWithoutPath();

    void queryWalksRows();
    void queryReadsTypes();
    void queryNullReads();
    void queryFieldLookup();
    void queryIsStatic();
    void queryDialect();
    void queryAsStringFollowsLocale();

    void paramsBindByName();
    void paramUnsetBindsNull();
    void paramUnknownNameFails();
    void paramEmptyTextIsNotNull();
    void paramSetSQLResets();
    void execSQLYieldsRowsAffected();

    void errors_data();
    void errors();
    void schemaRefusesBadValues_data();
    void schemaRefusesBadValues();

    void tableWalkReadWrite();
    void tableAppendPost();
    void tableFilter();

    void editCurrentRow();
    void editConvertsTextWithLocale_data();
    void editConvertsTextWithLocale();
    void editRefusesBadText();
    void editErrorKeepsEditMode();
    void editNotPossibleOnExpressions();

    void dateTimeDays_data();
    void dateTimeDays();
    void dateTimeColumns();

    void transactionRollsBackUnlessCommitted();
    void closeClosesDataSets();

    void writeTemplateErrors();
    void writeTemplateDropsOldJournal();

    void textLengthCountsCodeUnits_data();
    void textLengthCountsCodeUnits();
    void damagedFileIsRefused();
    void damageFoundDuringWorkClosesTheConnection();

private:
    QByteArray FTemplate;
};

void TestZavEngine::initTestCase()
{
    FTemplate = TemplateBytes();
    QVERIFY2(!FTemplate.isEmpty(), "the resource Template is embedded");
}

void TestZavEngine::connectAnyPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("spaces") << u"my catalogue file.accdb"_s;
    QTest::newRow("semicolon") << u"a;Data Source=b;c.accdb"_s;
    QTest::newRow("hash") << u"nr#1.accdb"_s;
    QTest::newRow("question mark") << u"what?.accdb"_s;
    QTest::newRow("percent") << u"100%25 %s.accdb"_s;
    QTest::newRow("umlauts") << u"Bohrungen Köln Straße ä.accdb"_s;
    QTest::newRow("quote and equals") << u"o'neil=\"x\".accdb"_s;
}

void TestZavEngine::connectAnyPath()
{
    QFETCH(QString, name);
    QTemporaryDir Dir;
    const QString Sub = QDir(Dir.path()).filePath(u"Ordner ü;#?"_s);
    QVERIFY(QDir().mkpath(Sub));
    const QString Path = MakeDatabase(Sub, name);
    // A decoy: a wrongly cut or decoded path must not silently open another file.
    MakeDatabase(Sub, u"a"_s);

    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(Path));
    Conn.Open();
    QVERIFY(Conn.Connected());
    QCOMPARE(Conn.DatabasePath(), Path);
    Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (77)"_s);
    Conn.Close();
    QVERIFY(!Conn.Connected());

    QStringList Expected{u"a"_s, name};
    QStringList Listed = QDir(Sub).entryList(QDir::Files);
    Expected.sort();
    Listed.sort();
    QCOMPARE(Listed, Expected); // no journal or other file left behind
    QVERIFY(FileBytes(Path) != FTemplate);                             // the row went into the named file
    QCOMPARE(FileBytes(QDir(Sub).filePath(u"a"_s)), FTemplate); // and nowhere else
}

void TestZavEngine::connectFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << u"missing"_s;
    QTest::newRow("folder") << u"folder"_s;
    QTest::newRow("empty file") << u"empty"_s;
    QTest::newRow("text file") << u"text"_s;
    QTest::newRow("binary garbage of a page's size") << u"garbage"_s;
}

void TestZavEngine::connectFailures()
{
    QFETCH(QString, kind);
    QTemporaryDir Dir;
    const QString Path = QDir(Dir.path()).filePath(u"target.accdb"_s);
    QVERIFY(MakeBadTarget(kind, Path));
    const QString Before = FolderState(Dir.path());

    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(Path));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Conn.Open());
    QVERIFY(!Conn.Connected());
    QCOMPARE(FolderState(Dir.path()), Before);
    QVERIFY(QDir(Path).isEmpty() || !QFileInfo(Path).isDir());
}

void TestZavEngine::connectLockedFileFails()
{
    QTemporaryDir Dir;
    const QString Path = MakeDatabase(Dir.path());
    TZavConnection Other; // another program holding the file exclusively
    Other.SetConnectionString(ConnectString(Path));
    Other.Open();
    Other.ExecRaw(u"BEGIN EXCLUSIVE"_s);
    Other.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (5)"_s);

    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(Path, 200));
    try {
        Conn.Open();
        QFAIL("a file locked past the busy timeout does not connect");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"locked"_s), qPrintable(E.Message()));
    }
    QVERIFY(!Conn.Connected());
    Other.ExecRaw(u"ROLLBACK"_s);
    Other.Close();
    QCOMPARE(FileBytes(Path), FTemplate);
    QCOMPARE(QDir(Dir.path()).entryList(QDir::Files), QStringList{u"catalogue.accdb"_s});
}

void TestZavEngine::connectWaitsForALock()
{
    QTemporaryDir Dir;
    const QString Path = MakeDatabase(Dir.path());
    std::promise<void> Locked;
    std::thread Writer([&] {
        TZavConnection Other;
        Other.SetConnectionString(ConnectString(Path));
        Other.Open();
        Other.ExecRaw(u"BEGIN EXCLUSIVE"_s);
        Other.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (5)"_s);
        Locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        Other.ExecRaw(u"COMMIT"_s);
        Other.Close();
    });
    Locked.get_future().wait();
    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(Path));
    bool Connected = false;
    try {
        Conn.Open();
        Connected = Conn.Connected();
    } catch (const EDatabaseError &) {
    }
    Writer.join();
    QVERIFY2(Connected, "connect waits on a lock instead of failing at once");
    QCOMPARE(CountRows(Conn, u"LOCID=5"_s), 1);
}

void TestZavEngine::connectionIsHardened()
{
    QTemporaryDir Dir;
    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(MakeDatabase(Dir.path())));
    Conn.Open();
    TZavQuery Q(Conn);
    Q.SetSQL(u"PRAGMA trusted_schema"_s);
    Q.Open();
    QCOMPARE(Q.Fields(0).AsInteger(), 0);
    Q.SetSQL(u"SELECT load_extension('/nonexistent/libx')"_s);
    try {
        Q.Open();
        QFAIL("extension loading is off");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"not authorized"_s), qPrintable(E.Message()));
    }
}

void TestZavEngine::tableNamesAreUserTables()
{
    QTemporaryDir Dir;
    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(MakeDatabase(Dir.path())));
    Conn.Open();
    Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (1)"_s);
    Conn.ExecRaw(u"ANALYZE"_s); // creates sqlite_stat1
    Conn.ExecRaw(u"CREATE TEMP TABLE Scratch (A)"_s);
    const QStringList Names = Conn.GetTableNames();
    QCOMPARE(Names.size(), 15);
    for (const QString &N : Names)
        QVERIFY2(N.startsWith(u"S3"_s), qPrintable(N));
    QVERIFY(Names.contains(u"S3STAMM"_s));
    QVERIFY(Names.contains(u"S3SNDREG"_s));
}

void TestZavEngine::connectionStringWithoutPath()
{
    TZavConnection Conn;
    Conn.SetConnectionString(u"Provider=SQLite;Busy Timeout=100"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Conn.Open());
    Conn.SetConnectionString(u"Provider=Microsoft.ACE.OLEDB.12.0;Data Source=/tmp/x"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Conn.Open());
}

namespace {

// A connection to a fresh template copy with three master rows.
struct TFixture
{
    QTemporaryDir Dir;
    QString Path;
    TZavConnection Conn;
    TFixture()
    {
        Path = MakeDatabase(Dir.path());
        Conn.SetConnectionString(ConnectString(Path));
        Conn.Open();
        Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID,RECID,PRJ_ID,ANAME,XCOORD,EPSG) VALUES (1,1,'ZAVGEN','Bohrung 1',3456789.5,25832)"_s);
        Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID,RECID,ANAME) VALUES (2,1,'Brunnen Müller')"_s);
        Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID,RECID,PRJ_ID) VALUES (3,1,'')"_s);
    }
};

} // namespace

void TestZavEngine::queryWalksRows()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT LOCID, ANAME FROM S3STAMM"_s);
    QVERIFY(!Q.Active());
    Q.Open();
    QVERIFY(Q.Active());
    QCOMPARE(Q.RecordCount(), 3);
    QVERIFY(!Q.Eof());
    QList<int> Seen;
    for (Q.First(); !Q.Eof(); Q.Next())
        Seen.append(Q.FieldByName(u"LOCID"_s).AsInteger());
    QCOMPARE(Seen, QList<int>({1, 2, 3})); // insertion order without ORDER BY
    QVERIFY(Q.Eof());
    QCOMPARE(Q.FieldByName(u"LOCID"_s).AsInteger(), 3); // behind the last row, the last row is current
    Q.Last();
    QVERIFY(Q.Eof());
    QCOMPARE(Q.RecNo(), 2);
    Q.Close();
    QVERIFY(!Q.Active());

    Q.SetSQL(u"SELECT LOCID FROM S3STAMM WHERE LOCID > 100"_s);
    Q.Open();
    QCOMPARE(Q.RecordCount(), 0);
    QVERIFY(Q.Eof());
    QVERIFY(Q.Bof());
    QVERIFY(Q.FieldByName(u"LOCID"_s).IsNull());
}

void TestZavEngine::queryReadsTypes()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT * FROM S3STAMM WHERE LOCID=1"_s);
    Q.Open();
    QCOMPARE(Q.FieldCount(), 104);
    QCOMPARE(Q.FieldByName(u"ANAME"_s).AsString(), u"Bohrung 1"_s);
    QCOMPARE(Q.FieldByName(u"XCOORD"_s).AsFloat(), 3456789.5);
    QCOMPARE(Q.FieldByName(u"EPSG"_s).AsInteger(), 25832);
    QCOMPARE(Q.FieldByName(u"LOCID"_s).AsString(), u"1"_s);
    QCOMPARE(Q.FieldByName(u"EPSG"_s).AsFloat(), 25832.0);
    QCOMPARE(Q.FieldByName(u"XCOORD"_s).AsInteger(), 3456790); // rounded
    QVERIFY(!Q.FieldByName(u"PRJ_ID"_s).IsNull());
}

void TestZavEngine::queryNullReads()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT ANAME, XCOORD, EPSG, BZEITA, PRJ_ID FROM S3STAMM WHERE LOCID=3"_s);
    Q.Open();
    QVERIFY(Q.FieldByName(u"ANAME"_s).IsNull());
    QCOMPARE(Q.FieldByName(u"ANAME"_s).AsString(), QString());
    QCOMPARE(Q.FieldByName(u"XCOORD"_s).AsFloat(), 0.0);
    QCOMPARE(Q.FieldByName(u"EPSG"_s).AsInteger(), 0); // the schema default
    QVERIFY(!Q.FieldByName(u"EPSG"_s).IsNull());
    QVERIFY(Q.FieldByName(u"BZEITA"_s).IsNull());
    QCOMPARE(Q.FieldByName(u"BZEITA"_s).AsDateTime(), 0.0);
    QVERIFY(!Q.FieldByName(u"PRJ_ID"_s).IsNull()); // empty text is not NULL
    QCOMPARE(Q.FieldByName(u"PRJ_ID"_s).AsString(), QString());

    Q.SetSQL(u"SELECT MAX(LOCID) AS MAXID FROM S3SCHDAT"_s);
    Q.Open();
    QCOMPARE(Q.RecordCount(), 1); // MAX gives one row even without rows
    QVERIFY(Q.FieldByName(u"MAXID"_s).IsNull());
    QCOMPARE(Q.FieldByName(u"MAXID"_s).AsInteger(), 0);
}

void TestZavEngine::queryFieldLookup()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"select locid, Aname from S3STAMM"_s);
    Q.Open();
    QVERIFY(Q.FindField(u"LOCID"_s));
    QVERIFY(Q.FindField(u"aname"_s));
    QCOMPARE(Q.FindField(u"ANAME"_s)->FieldName().toUpper(), u"ANAME"_s);
    QCOMPARE(Q.FindField(u"NOPE"_s), nullptr);
    try {
        Q.FieldByName(u"NOPE"_s);
        QFAIL("FieldByName raises for a missing field");
    } catch (const EDatabaseError &E) {
        QVERIFY(E.Message().contains(u"NOPE"_s));
    }
    QCOMPARE(Q.Fields(1).FieldName().toUpper(), u"ANAME"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.Fields(2));
    Q.Close();
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.FieldByName(u"LOCID"_s));
}

void TestZavEngine::queryIsStatic()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT LOCID FROM S3STAMM"_s);
    Q.Open();
    F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (4)"_s); // no read lock is held
    F.Conn.ExecRaw(u"DELETE FROM S3STAMM WHERE LOCID=1"_s);
    QCOMPARE(Q.RecordCount(), 3);
    QCOMPARE(Q.FieldByName(u"LOCID"_s).AsInteger(), 1);
    Q.Close();
    Q.Open();
    QCOMPARE(Q.RecordCount(), 3);
    QCOMPARE(Q.FieldByName(u"LOCID"_s).AsInteger(), 2);
}

void TestZavEngine::queryDialect()
{
    TFixture F;
    F.Conn.ExecRaw(u"INSERT INTO S3SCHDAT (LOCID,RECID,DEPTHTO) VALUES (1,1,2.5),(1,2,NULL),(1,3,1.5)"_s);
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"select * from S3SCHDAT\nwhere LOCID=1 and DEPTHTO<>Null\norder by DEPTHTO"_s);
    Q.Open();
    QCOMPARE(Q.RecordCount(), 2);
    QCOMPARE(Q.FieldByName(u"RECID"_s).AsInteger(), 3);
    Q.SetSQL(u"INSERT INTO S3SCHDAT (LOCID,RECID,INTGRUPPE) VALUES (1,4,\"ERST\")"_s);
    QCOMPARE(Q.ExecSQL(), 1);
    Q.SetSQL(u"SELECT INTGRUPPE FROM S3SCHDAT WHERE RECID=4"_s);
    Q.Open();
    QCOMPARE(Q.FieldByName(u"INTGRUPPE"_s).AsString(), u"ERST"_s);
    Q.SetSQL(u"DELETE * FROM S3SCHDAT WHERE (LOCID=1)"_s);
    QCOMPARE(Q.ExecSQL(), 4);
}

void TestZavEngine::queryAsStringFollowsLocale()
{
    TFixture F;
    F.Conn.ExecRaw(u"UPDATE S3STAMM SET ZCOORDB=12.5, ZCOORDE=3, YCOORD=1234567.125 WHERE LOCID=2"_s);
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT ZCOORDB, ZCOORDE, YCOORD FROM S3STAMM WHERE LOCID=2"_s);
    Q.Open();
    {
        TLocaleGuard G(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Q.FieldByName(u"ZCOORDB"_s).AsString(), u"12,5"_s);
        QCOMPARE(Q.FieldByName(u"ZCOORDE"_s).AsString(), u"3"_s);
        QCOMPARE(Q.FieldByName(u"YCOORD"_s).AsString(), u"1234567,125"_s); // no digit grouping
    }
    {
        TLocaleGuard G(QLocale::c());
        QCOMPARE(Q.FieldByName(u"ZCOORDB"_s).AsString(), u"12.5"_s);
    }
}

void TestZavEngine::paramsBindByName()
{
    TFixture F;
    F.Conn.ExecRaw(u"INSERT INTO S3GRUNDW (LOCID,RECID) VALUES (1,1)"_s);
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"UPDATE S3GRUNDW\nSET GW=:GW, GWZEIT=:GWZEIT, GWDATUM=:GWDATUM,\nGWATT=:GWATT\nWHERE (LOCID=1) AND (RECID=1)"_s);
    QCOMPARE(Q.ParamCount(), 4);
    // Set in another order than they stand, one in other letter case.
    Q.ParamByName(u"GWATT"_s).SetAsString(u"Süß"_s);
    Q.ParamByName(u"gwdatum"_s).SetAsDateTime(45000.25);
    Q.ParamByName(u"GWZEIT"_s).SetAsInteger(12);
    Q.ParamByName(u"GW"_s).SetAsFloat(3.75);
    QCOMPARE(Q.ExecSQL(), 1);
    Q.SetSQL(u"SELECT * FROM S3GRUNDW"_s);
    Q.Open();
    QCOMPARE(Q.FieldByName(u"GW"_s).AsFloat(), 3.75);
    QCOMPARE(Q.FieldByName(u"GWZEIT"_s).AsInteger(), 12);
    QCOMPARE(Q.FieldByName(u"GWDATUM"_s).AsDateTime(), 45000.25);
    QCOMPARE(Q.FieldByName(u"GWATT"_s).AsString(), u"Süß"_s);

    Q.SetSQL(u"SELECT COUNT(*) AS N FROM S3GRUNDW WHERE GW=:V OR GWZEIT=:V"_s);
    Q.ParamByName(u"V"_s).SetAsInteger(12); // one name standing twice
    Q.Open();
    QCOMPARE(Q.FieldByName(u"N"_s).AsInteger(), 1);
}

void TestZavEngine::paramUnsetBindsNull()
{
    TFixture F;
    F.Conn.ExecRaw(u"INSERT INTO S3GRUNDW (LOCID,RECID,GW,GWF) VALUES (1,1,5,6)"_s);
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"UPDATE S3GRUNDW SET GW=:GW, GWF=:GWF WHERE (LOCID=1) AND (RECID=1)"_s);
    Q.ParamByName(u"GW"_s).SetAsFloat(1);
    Q.ParamByName(u"GWF"_s).SetAsFloat(2);
    Q.ParamByName(u"GWF"_s).Clear();
    QCOMPARE(Q.ExecSQL(), 1);
    Q.SetSQL(u"SELECT GW, GWF FROM S3GRUNDW"_s);
    Q.Open();
    QCOMPARE(Q.FieldByName(u"GW"_s).AsFloat(), 1.0);
    QVERIFY(Q.FieldByName(u"GWF"_s).IsNull());
}

void TestZavEngine::paramUnknownNameFails()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"UPDATE S3SCHDAT SET DEPTHTO=:Depthto WHERE (LOCID=1) AND (RECID=1)"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.ParamByName(u"DepthTo2"_s));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.ParamByName(u":Depthto"_s));
    Q.SetSQL(u"SELECT ':Inside' AS A FROM S3STAMM"_s);
    QCOMPARE(Q.ParamCount(), 0);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.ParamByName(u"Inside"_s));
}

void TestZavEngine::paramEmptyTextIsNotNull()
{
    TFixture F;
    F.Conn.ExecRaw(u"INSERT INTO S3SCHDAT (LOCID,RECID,PETRO,FARBE) VALUES (1,1,'G','bn')"_s);
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"UPDATE S3SCHDAT SET PETRO=:Petro, FARBE=:Farbe WHERE (LOCID=1) AND (RECID=1)"_s);
    Q.ParamByName(u"Petro"_s).SetAsString(QString());       // a null QString
    Q.ParamByName(u"Farbe"_s).SetAsString(u""_s);
    QCOMPARE(Q.ExecSQL(), 1);
    Q.SetSQL(u"SELECT COUNT(*) AS N FROM S3SCHDAT WHERE PETRO='' AND FARBE=''"_s);
    Q.Open();
    QCOMPARE(Q.FieldByName(u"N"_s).AsInteger(), 1);
}

void TestZavEngine::paramSetSQLResets()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT COUNT(*) AS N FROM S3STAMM WHERE LOCID=:L"_s);
    Q.ParamByName(u"L"_s).SetAsInteger(1);
    Q.Open();
    QCOMPARE(Q.FieldByName(u"N"_s).AsInteger(), 1);
    Q.SetSQL(u"SELECT COUNT(*) AS N FROM S3STAMM WHERE LOCID=:L"_s);
    QVERIFY(!Q.Active());
    QVERIFY(Q.ParamByName(u"L"_s).IsNull());
    Q.Open();
    QCOMPARE(Q.FieldByName(u"N"_s).AsInteger(), 0);
}

void TestZavEngine::execSQLYieldsRowsAffected()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"UPDATE S3STAMM SET RECID=1"_s);
    QCOMPARE(Q.ExecSQL(), 3);
    Q.SetSQL(u"UPDATE S3STAMM SET RECID=1 WHERE LOCID=99"_s);
    QCOMPARE(Q.ExecSQL(), 0);
    Q.SetSQL(u"DELETE * FROM S3STAMM WHERE LOCID=2"_s);
    QCOMPARE(Q.ExecSQL(), 1);
}

void TestZavEngine::errors_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("asCommand");
    QTest::addColumn<QString>("engineText");
    QTest::newRow("refused statement") << u"SELEKT * FROM S3STAMM"_s << false << u"syntax error"_s;
    QTest::newRow("missing table") << u"SELECT * FROM S3NOPE"_s << false << u"no such table"_s;
    QTest::newRow("missing column") << u"SELECT NOPE FROM S3STAMM"_s << false << u"no such column"_s;
    QTest::newRow("constraint") << u"INSERT INTO S3STAMM (LOCID) VALUES (40000)"_s << true << u"CHECK constraint failed"_s;
    QTest::newRow("command without result as query") << u"UPDATE S3STAMM SET RECID=1"_s << false << u"keine Datenmenge"_s;
}

void TestZavEngine::errors()
{
    QFETCH(QString, statement);
    QFETCH(bool, asCommand);
    QFETCH(QString, engineText);
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(statement);
    try {
        if (asCommand)
            Q.ExecSQL();
        else
            Q.Open();
        QFAIL("the engine refuses it");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(engineText), qPrintable(E.Message()));
        QCOMPARE(E.Statement(), statement);
        QCOMPARE(QString::fromUtf8(E.what()), E.Message());
    }
    QVERIFY(!Q.Active());
}

void TestZavEngine::schemaRefusesBadValues_data()
{
    QTest::addColumn<QString>("statement");
    QTest::newRow("LOCID above 32767") << u"INSERT INTO S3STAMM (LOCID) VALUES (32768)"_s;
    QTest::newRow("RECID below -32768") << u"INSERT INTO S3SCHDAT (RECID) VALUES (-32769)"_s;
    QTest::newRow("int32 above range") << u"INSERT INTO S3STAMM (EPSG) VALUES (2147483648)"_s;
    QTest::newRow("SHORTNAME longer than 15") << u"INSERT INTO S3STAMM (SHORTNAME) VALUES ('1234567890123456')"_s;
    QTest::newRow("PRJ_ID longer than 6, umlauts count once") << u"INSERT INTO S3STAMM (PRJ_ID) VALUES ('äöüÄÖÜß')"_s;
    QTest::newRow("letters in a double column") << u"INSERT INTO S3SCHDAT (DEPTHTO) VALUES ('abc')"_s;
    QTest::newRow("letters in an int column") << u"INSERT INTO S3GRUNDW (GWZEIT) VALUES ('zwölf')"_s;
    QTest::newRow("fraction in an int column") << u"INSERT INTO S3STAMM (LOCID) VALUES (1.5)"_s;
    QTest::newRow("second equal INVID") << u"INSERT INTO S3PROBEN (INVID) VALUES ('X'),('X')"_s;
}

void TestZavEngine::schemaRefusesBadValues()
{
    QFETCH(QString, statement);
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(statement);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.ExecSQL());
}

void TestZavEngine::tableWalkReadWrite()
{
    TFixture F;
    TZavTable T(F.Conn);
    T.SetTableName(u"s3stamm"_s);
    T.Open();
    QCOMPARE(T.TableName(), u"s3stamm"_s);
    QCOMPARE(T.FieldCount(), 104);
    QCOMPARE(T.Fields(0).FieldName(), u"PRJ_ID"_s);
    QCOMPARE(T.Fields(103).FieldName(), u"EPSG"_s);
    QCOMPARE(T.RecordCount(), 3);
    T.Next();
    QCOMPARE(T.Fields(1).AsInteger(), 2);
    QCOMPARE(T.FieldByName(u"ANAME"_s).AsString(), u"Brunnen Müller"_s);
    T.Edit();
    T.SetFieldValue(15, u"Brunnen Maier"_s); // ANAME by position
    T.SetFieldValue(u"XCOORD"_s, 5.5);
    T.Post();
    QCOMPARE(T.FieldByName(u"ANAME"_s).AsString(), u"Brunnen Maier"_s);
    QCOMPARE(T.State(), TZavDataSet::dsBrowse);

    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT ANAME, XCOORD FROM S3STAMM WHERE LOCID=2"_s);
    Q.Open();
    QCOMPARE(Q.FieldByName(u"ANAME"_s).AsString(), u"Brunnen Maier"_s);
    QCOMPARE(Q.FieldByName(u"XCOORD"_s).AsFloat(), 5.5);
    QCOMPARE(CountRows(F.Conn, u"ANAME='Bohrung 1'"_s), 1); // the other rows kept
}

void TestZavEngine::tableAppendPost()
{
    TFixture F;
    TZavTable T(F.Conn);
    T.SetTableName(u"S3STAMM"_s);
    T.Open();
    T.Append();
    QCOMPARE(T.State(), TZavDataSet::dsInsert);
    T.SetFieldValue(u"LOCID"_s, 9);
    T.SetFieldValue(u"ANAME"_s, u"Neu"_s);
    T.Post();
    QCOMPARE(T.RecordCount(), 4);
    QCOMPARE(T.RecNo(), 3);
    QCOMPARE(T.FieldByName(u"LOCID"_s).AsInteger(), 9);

    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT * FROM S3STAMM WHERE LOCID=9"_s);
    Q.Open();
    QCOMPARE(Q.RecordCount(), 1);
    QCOMPARE(Q.FieldByName(u"ANAME"_s).AsString(), u"Neu"_s);
    QCOMPARE(Q.FieldByName(u"EPSG"_s).AsInteger(), 0); // an unset column takes its default
    QVERIFY(Q.FieldByName(u"RECID"_s).IsNull());

    T.Append();
    T.Cancel();
    QCOMPARE(T.RecordCount(), 4);
    T.Append();
    T.SetFieldValue(u"LOCID"_s, 40000);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, T.Post());
    QCOMPARE(T.State(), TZavDataSet::dsInsert);
}

void TestZavEngine::tableFilter()
{
    TFixture F;
    F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID,ANAME) VALUES (2,'zweite 2')"_s);
    TZavTable T(F.Conn);
    T.SetTableName(u"S3STAMM"_s);
    T.SetFilter(u"LOCID=2"_s);
    T.Open();
    QCOMPARE(T.RecordCount(), 2);
    QCOMPARE(T.FieldByName(u"ANAME"_s).AsString(), u"Brunnen Müller"_s); // storage order
    T.Append();
    T.SetFieldValue(u"LOCID"_s, 8);
    T.Post();
    T.SetFilter(QString());
    QVERIFY(!T.Active());
    T.Open();
    QCOMPARE(T.RecordCount(), 5);
}

void TestZavEngine::editCurrentRow()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT LOCID, RECID, PRJ_ID, ANAME, XCOORD, EPSG FROM S3STAMM"_s);
    Q.Open();
    QCOMPARE(Q.EditTableName(), u"S3STAMM"_s);
    Q.Next();
    Q.Edit();
    QCOMPARE(Q.State(), TZavDataSet::dsEdit);
    Q.SetFieldValue(u"ANAME"_s, u"Geändert"_s);
    Q.SetFieldNull(u"PRJ_ID"_s);
    Q.SetFieldValue(u"EPSG"_s, 31467);
    QCOMPARE(Q.FieldByName(u"ANAME"_s).AsString(), u"Geändert"_s); // the edited value reads back
    Q.Post();
    QCOMPARE(Q.State(), TZavDataSet::dsBrowse);
    QCOMPARE(Q.FieldByName(u"ANAME"_s).AsString(), u"Geändert"_s);
    QCOMPARE(Q.RecNo(), 1);

    QCOMPARE(CountRows(F.Conn, u"ANAME='Geändert' AND PRJ_ID IS NULL AND EPSG=31467 AND LOCID=2"_s), 1);
    QCOMPARE(CountRows(F.Conn, u"ANAME='Bohrung 1' AND EPSG=25832"_s), 1); // one row written
    QCOMPARE(CountRows(F.Conn, u"1=1"_s), 3);

    // Moving away from an edited row posts it (as Delphi's data sets did).
    Q.Edit();
    Q.SetFieldValue(u"ANAME"_s, u"Zweimal"_s);
    Q.First();
    QCOMPARE(CountRows(F.Conn, u"ANAME='Zweimal'"_s), 1);
}

void TestZavEngine::editConvertsTextWithLocale_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("de_DE: comma decimal into a double") << u"XCOORD"_s << u"3456789,5"_s << QVariant(3456789.5);
    QTest::newRow("de_DE: whole number into a double") << u"XCOORD"_s << u"12"_s << QVariant(12.0);
    QTest::newRow("de_DE: negative") << u"XCOORD"_s << u"-0,25"_s << QVariant(-0.25);
    QTest::newRow("de_DE: integer column") << u"EPSG"_s << u"25832"_s << QVariant(25832);
    QTest::newRow("de_DE: empty text gives NULL") << u"XCOORD"_s << u""_s << QVariant();
    QTest::newRow("de_DE: text column keeps digits as text") << u"ANAME"_s << u"12,5"_s << QVariant(u"12,5"_s);
}

void TestZavEngine::editConvertsTextWithLocale()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QVariant, stored);
    TLocaleGuard G(QLocale(QLocale::German, QLocale::Germany));
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT LOCID, ANAME, XCOORD, EPSG FROM S3STAMM WHERE LOCID=1"_s);
    Q.Open();
    Q.Edit();
    Q.SetFieldValue(field, text);
    Q.Post();

    TZavQuery R(F.Conn);
    R.SetSQL(u"SELECT %1 AS V, typeof(%1) AS T FROM S3STAMM WHERE LOCID=1"_s.arg(field));
    R.Open();
    if (!stored.isValid()) {
        QVERIFY(R.FieldByName(u"V"_s).IsNull());
    } else if (stored.typeId() == QMetaType::QString) {
        QCOMPARE(R.FieldByName(u"T"_s).AsString(), u"text"_s);
        QCOMPARE(R.FieldByName(u"V"_s).AsString(), stored.toString());
    } else {
        QCOMPARE(R.FieldByName(u"V"_s).AsFloat(), stored.toDouble());
    }
}

void TestZavEngine::editRefusesBadText()
{
    TLocaleGuard G(QLocale(QLocale::German, QLocale::Germany));
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT LOCID, XCOORD, EPSG FROM S3STAMM WHERE LOCID=1"_s);
    Q.Open();
    Q.Edit();
    for (const QString &Bad : {u"abc"_s, u"12.5"_s, u"1.234,5"_s, u"3 m"_s, u"nan"_s, u"inf"_s, u"-inf"_s}) {
        try {
            Q.SetFieldValue(u"XCOORD"_s, Bad);
            QFAIL(qPrintable(u"text %1 is refused"_s.arg(Bad)));
        } catch (const EDatabaseError &E) {
            QVERIFY2(E.Message().contains(u"'"_s + Bad + u"'"_s), qPrintable(E.Message()));
        }
    }
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.SetFieldValue(u"EPSG"_s, u"12,5"_s));
    QCOMPARE(Q.State(), TZavDataSet::dsEdit);
    Q.Cancel();
    QCOMPARE(Q.FieldByName(u"XCOORD"_s).AsFloat(), 3456789.5);
}

void TestZavEngine::editErrorKeepsEditMode()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT LOCID, SHORTNAME FROM S3STAMM WHERE LOCID=1"_s);
    Q.Open();
    Q.Edit();
    Q.SetFieldValue(u"SHORTNAME"_s, u"viel zu lang für fünfzehn"_s);
    try {
        Q.Post();
        QFAIL("an over-long text is refused");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"CHECK constraint failed"_s), qPrintable(E.Message()));
    }
    QCOMPARE(Q.State(), TZavDataSet::dsEdit);
    Q.SetFieldValue(u"SHORTNAME"_s, u"kurz"_s);
    Q.Post();
    QCOMPARE(CountRows(F.Conn, u"SHORTNAME='kurz'"_s), 1);
}

void TestZavEngine::editNotPossibleOnExpressions()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    for (const QString &S : {u"SELECT MAX(LOCID) AS MAXID FROM S3STAMM"_s, u"SELECT DISTINCT LOCID FROM S3STAMM"_s,
                             u"SELECT A.LOCID FROM S3STAMM A, S3SCHDAT B"_s, u"SELECT LOCID FROM S3STAMM GROUP BY LOCID"_s}) {
        Q.SetSQL(S);
        Q.Open();
        QVERIFY2(Q.EditTableName().isEmpty(), qPrintable(S));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.Edit());
    }
    Q.SetSQL(u"select * from S3STAMM where PRJ_ID='a''FROM b' and LOCID=1 order by LOCID"_s);
    Q.Open();
    QCOMPARE(Q.EditTableName(), u"S3STAMM"_s);
    QCOMPARE(Q.FieldCount(), 104); // the rowid stays hidden
}

void TestZavEngine::dateTimeDays_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QDateTime>("dateTime");
    QTest::newRow("the epoch") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    QTest::newRow("1 January 1900") << 2.0 << QDateTime(QDate(1900, 1, 1), QTime(0, 0));
    QTest::newRow("noon") << 45000.5 << QDateTime(QDate(2023, 3, 15), QTime(12, 0));
    QTest::newRow("quarter to six") << 36526.75 << QDateTime(QDate(2000, 1, 1), QTime(18, 0));
    QTest::newRow("before the epoch") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
}

void TestZavEngine::dateTimeDays()
{
    QFETCH(double, days);
    QFETCH(QDateTime, dateTime);
    QCOMPARE(ZavDaysToDateTime(days), dateTime);
    QCOMPARE(ZavDateTimeToDays(dateTime), days);
}

void TestZavEngine::dateTimeColumns()
{
    TFixture F;
    F.Conn.ExecRaw(u"INSERT INTO S3GRUNDW (LOCID,RECID,GWDATUM) VALUES (1,1,45000.5)"_s);
    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT GWDATUM FROM S3GRUNDW"_s);
    Q.Open();
    QCOMPARE(Q.FieldByName(u"GWDATUM"_s).AsDateTime(), 45000.5);
    QCOMPARE(ZavDaysToDateTime(Q.FieldByName(u"GWDATUM"_s).AsDateTime()), QDateTime(QDate(2023, 3, 15), QTime(12, 0)));
    Q.SetSQL(u"SELECT '2023-03-15T12:00:00' AS D FROM S3GRUNDW"_s); // a text date of a file made elsewhere
    Q.Open();
    QCOMPARE(Q.FieldByName(u"D"_s).AsDateTime(), 45000.5);
    // Values a file made elsewhere may hold that are no date.
    for (double Bad : {qInf(), -qInf(), qQNaN(), 1e300, -1e18})
        QVERIFY(!ZavDaysToDateTime(Bad).isValid());
}

void TestZavEngine::transactionRollsBackUnlessCommitted()
{
    TFixture F;
    {
        TZavTransaction T(F.Conn);
        QVERIFY(F.Conn.InTransaction());
        F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (10)"_s);
    }
    QVERIFY(!F.Conn.InTransaction());
    QCOMPARE(CountRows(F.Conn, u"LOCID=10"_s), 0);
    try {
        TZavTransaction T(F.Conn);
        F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (11)"_s);
        {
            TZavTransaction Inner(F.Conn); // joins the outer one
            F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (12)"_s);
            Inner.Commit();
        }
        F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (99999)"_s);
        T.Commit();
        QFAIL("the last insert is refused");
    } catch (const EDatabaseError &) {
    }
    QCOMPARE(CountRows(F.Conn, u"LOCID IN (11,12)"_s), 0);
    // An inner guard that failed and whose error the caller caught: the outer Commit must
    // not keep the inner half.
    {
        TZavTransaction T(F.Conn);
        F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (14)"_s);
        try {
            TZavTransaction Inner(F.Conn);
            F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (15)"_s);
            F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (99999)"_s);
            Inner.Commit();
        } catch (const EDatabaseError &) {
        }
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, T.Commit());
    }
    QVERIFY(!F.Conn.InTransaction());
    QCOMPARE(CountRows(F.Conn, u"LOCID IN (14,15)"_s), 0);
    {
        TZavTransaction T(F.Conn);
        F.Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (13)"_s);
        T.Commit();
    }
    QCOMPARE(CountRows(F.Conn, u"LOCID=13"_s), 1);
}

void TestZavEngine::closeClosesDataSets()
{
    TFixture F;
    TZavQuery Q(F.Conn);
    TZavTable T(F.Conn);
    Q.SetSQL(u"SELECT LOCID FROM S3STAMM"_s);
    Q.Open();
    T.SetTableName(u"S3STAMM"_s);
    T.Open();
    F.Conn.Close();
    QVERIFY(!Q.Active());
    QVERIFY(!T.Active());
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Q.Open());
    F.Conn.Open();
    Q.Open();
    QCOMPARE(Q.RecordCount(), 3);
}

void TestZavEngine::writeTemplateErrors()
{
    QTemporaryDir Dir;
    const QString Path = QDir(Dir.path()).filePath(u"neu.accdb"_s);
    WriteDatabaseTemplate(Path, FTemplate);
    QCOMPARE(FileBytes(Path), FTemplate);
    // Replacing a file that is there.
    QFile Old(Path);
    QVERIFY(Old.open(QIODevice::WriteOnly));
    Old.write("old contents");
    Old.close();
    WriteDatabaseTemplate(Path, FTemplate);
    QCOMPARE(FileBytes(Path), FTemplate);
    // A path in a folder that does not exist.
    try {
        WriteDatabaseTemplate(QDir(Dir.path()).filePath(u"fehlt/neu.accdb"_s), FTemplate);
        QFAIL("an unwritable path raises");
    } catch (const EDatabaseError &E) {
        QVERIFY(E.Message().contains(u"fehlt"_s));
    }
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, WriteDatabaseTemplate(Path, QByteArray()));
}

void TestZavEngine::writeTemplateDropsOldJournal()
{
    // A database that crashed mid-transaction: its file and its hot journal, copied while
    // the transaction is still open.
    QTemporaryDir Dir;
    const QString Crashed = QDir(Dir.path()).filePath(u"alt.accdb"_s);
    const QString Path = QDir(Dir.path()).filePath(u"neu.accdb"_s);
    {
        TZavConnection Conn;
        Conn.OpenNew(Crashed);
        Conn.ExecRaw(u"PRAGMA cache_size=5"_s); // spill pages into the file before commit
        Conn.ExecRaw(u"CREATE TABLE OLD (X BLOB)"_s);
        Conn.ExecRaw(u"BEGIN"_s);
        for (int I = 0; I < 200; ++I)
            Conn.ExecRaw(u"INSERT INTO OLD VALUES (zeroblob(4000))"_s);
        QVERIFY(QFile::exists(Crashed + u"-journal"_s));
        QVERIFY(QFile::copy(Crashed, Path));
        QVERIFY(QFile::copy(Crashed + u"-journal"_s, Path + u"-journal"_s));
        Conn.ExecRaw(u"ROLLBACK"_s);
    }
    QFile(Path + u"-wal"_s).open(QIODevice::WriteOnly);

    WriteDatabaseTemplate(Path, FTemplate);
    QVERIFY(!QFile::exists(Path + u"-journal"_s));
    QVERIFY(!QFile::exists(Path + u"-wal"_s));
    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(Path));
    Conn.Open();
    QVERIFY(Conn.GetTableNames().contains(u"S3STAMM"_s));
    QVERIFY(!Conn.GetTableNames().contains(u"OLD"_s));
    Conn.Close();
    QCOMPARE(FileBytes(Path), FTemplate);
}

QTEST_GUILESS_MAIN(TestZavEngine)
void TestZavEngine::textLengthCountsCodeUnits_data()
{
    // SHORTNAME holds 15 characters, counted as UTF-16 code units.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored");
    const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("15 umlauts") << QString(15, u'ä') << true;
    QTest::newRow("16 letters") << QString(16, u'x') << false;
    QTest::newRow("7 emoji and a letter: 15 units") << Emoji.repeated(7) + u'x' << true;
    QTest::newRow("8 emoji: 16 units") << Emoji.repeated(8) << false;
    QTest::newRow("NUL inside, short") << u"a"_s + QChar(0) + u"b"_s << true;
    QTest::newRow("NUL inside, 22 units") << u"a"_s + QChar(0) + QString(20, u'x') << false;
    QTest::newRow("NUL at the end, 16 units") << QString(15, u'x') + QChar(0) << false;
    QTest::newRow("unpaired high surrogate") << u"a"_s + QChar(0xD800) + u"b"_s << false;
    QTest::newRow("unpaired low surrogate at the end") << u"ab"_s + QChar(0xDC00) << false;
}

void TestZavEngine::textLengthCountsCodeUnits()
{
    QFETCH(QString, text);
    QFETCH(bool, stored);
    TFixture F;

    // Through a parameter of a command ...
    TZavQuery Command(F.Conn);
    Command.SetSQL(u"UPDATE S3STAMM SET SHORTNAME=:Name WHERE LOCID=1"_s);
    Command.ParamByName(u"Name"_s).SetAsString(text);
    if (stored)
        QCOMPARE(Command.ExecSQL(), 1);
    else
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, Command.ExecSQL());

    // ... and through the edited row of a query.
    TZavQuery Row(F.Conn);
    Row.SetSQL(u"SELECT LOCID, SHORTNAME FROM S3STAMM WHERE LOCID=2"_s);
    Row.Open();
    Row.Edit();
    Row.SetFieldValue(u"SHORTNAME"_s, text);
    if (stored)
        Row.Post();
    else
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, Row.Post());

    TZavQuery Back(F.Conn);
    Back.SetSQL(u"SELECT SHORTNAME FROM S3STAMM WHERE LOCID IN (1, 2) ORDER BY LOCID"_s);
    Back.Open();
    for (; !Back.Eof(); Back.Next()) {
        if (stored)
            QCOMPARE(Back.Fields(0).AsString(), text); // exactly, NUL included
        else
            QVERIFY(Back.Fields(0).IsNull());
    }
}

void TestZavEngine::damagedFileIsRefused()
{
    QTemporaryDir Dir;
    const QString Path = MakeDatabase(Dir.path());
    DamageMasterTable(Path);
    const QByteArray Before = FileBytes(Path);
    TZavConnection Conn;
    Conn.SetConnectionString(ConnectString(Path));
    try {
        Conn.Open();
        QFAIL("a damaged file was opened");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"beschädigt"_s), qPrintable(E.Message()));
        QVERIFY2(E.Message().contains(u".recover"_s), qPrintable(E.Message()));
    }
    QVERIFY(!Conn.Connected());
    QCOMPARE(FileBytes(Path), Before);
}

void TestZavEngine::damageFoundDuringWorkClosesTheConnection()
{
    TFixture F;
    int Damaged = 0;
    F.Conn.OnDamaged = [&Damaged] { ++Damaged; };
    TZavQuery Other(F.Conn);
    Other.SetSQL(u"SELECT LOCID FROM S3STAMM"_s);
    Other.Open();
    DamageMasterTable(F.Path);
    const QByteArray Before = FileBytes(F.Path);

    TZavQuery Q(F.Conn);
    Q.SetSQL(u"SELECT * FROM S3STAMM"_s);
    try {
        Q.Open();
        QFAIL("a damaged table was read");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"beschädigt"_s), qPrintable(E.Message()));
    }
    QCOMPARE(Damaged, 1);
    QVERIFY(!F.Conn.Connected());
    QVERIFY(!Other.Active());
    // Nothing more is written into the file.
    TZavQuery Insert(F.Conn);
    Insert.SetSQL(u"INSERT INTO S3SCHDAT (LOCID,RECID) VALUES (1,1)"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Insert.ExecSQL());
    QCOMPARE(FileBytes(F.Path), Before);
}

#include "tst_zavengine.moc"
