// The borehole data module on SQLite files made from the embedded template:
// connecting and resolving table names, identifiers, inserts, deletes and duplication,
// on plain and on "GEODIN_LOC_" databases.

#include "DMBorehole.h"
#include "DatabaseTestUtil.h"
#include "ZavDatabaseError.h"

#include "LocaleGuard.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList UsedTables{u"S3STAMM"_s, u"S3SCHDAT"_s, u"S3GRUNDW"_s, u"S3PROBEN"_s};

// The rows of a statement on the module's connection, each row as "v1|v2|...", NULL as "<null>".
QStringList Rows(TDMBorehole &ADM, const QString &AStatement)
{
    TZavQuery Q(ADM.ConnBorehole);
    Q.SetSQL(AStatement);
    Q.Open();
    QStringList Result;
    for (; !Q.Eof(); Q.Next()) {
        QStringList Values;
        for (int I = 0; I < Q.FieldCount(); ++I)
            Values.append(Q.Fields(I).IsNull() ? u"<null>"_s : Q.Fields(I).Value().toString());
        Result.append(Values.join(u'|'));
    }
    return Result;
}

int Count(TDMBorehole &ADM, const QString &ATable, const QString &AWhere = u"1=1"_s)
{
    TZavQuery Q(ADM.ConnBorehole);
    Q.SetSQL(u"SELECT COUNT(*) AS N FROM %1 WHERE %2"_s.arg(ATable, AWhere));
    Q.Open();
    return Q.FieldByName(u"N"_s).AsInteger();
}

QStringList PrefixedStatements(const QStringList &ATables)
{
    QStringList Result;
    for (const QString &T : ATables)
        Result.append(u"ALTER TABLE %1 RENAME TO GEODIN_LOC_%1"_s.arg(T));
    return Result;
}

} // namespace

class TestDMBorehole : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createsWithDefaults();
    void connectNewDatabase();
    void connectFailures_data();
    void connectFailures();
    void connectLockedFile();
    void triggersAreRefused();
    void damagedCatalogue();
    void prefixedDatabase();
    void mixedPrefixes();
    void namesLiveAcrossConnects();
    void missingTable();
    void namesDifferingInCase();
    void reconnectClosesQueries();

    void openTblBoreholeRunsHook();
    void firstIdentifiersAreOne();
    void addBoreholeRow();
    void addLayerDepthGermanLocale();
    void childrenProjectKey_data();
    void childrenProjectKey();
    void sublayersOfLayerThree();
    void sublayerBesideSublayer();
    void sublayerOfMissingRow();
    void duplicateCopiesAllColumns();
    void duplicateIsExactOnPlainTables_data();
    void duplicateIsExactOnPlainTables();
    void duplicateMissingSource();
    void duplicatePrefixed();

    void deleteBoreholeWithChildren();
    void deleteBoreholeWithoutChildren();
    void deleteBoreholeWithoutMasterRow();
    void deleteBoreholeFailureKeepsEverything();
    void deleteRows();

    void identifierAbove32767Refused();
    void overlongTextRefused();
    void allocationWaitsForOtherWriter();
    void staleRowIsNotOverwritten();

private:
    QString NewDatabase(const QStringList &AStatements = {});

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TDMBorehole> FDM;
};

void TestDMBorehole::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    FDM = std::make_unique<TDMBorehole>();
}

void TestDMBorehole::cleanup()
{
    FDM.reset();
    FDir.reset();
}

QString TestDMBorehole::NewDatabase(const QStringList &AStatements)
{
    static int Counter = 0;
    const QString Path = MakeDatabase(FDir->path(), u"Katalog %1.accdb"_s.arg(++Counter));
    if (!AStatements.isEmpty())
        OnFile(Path, AStatements);
    return Path;
}

void TestDMBorehole::createsWithDefaults()
{
    QCOMPARE(FDM->S3Tablename(), u"S3STAMM"_s);
    QCOMPARE(FDM->S3SchichtTablename(), u"S3SCHDAT"_s);
    QCOMPARE(FDM->S3GrundWTablename(), u"S3GRUNDW"_s);
    QCOMPARE(FDM->S3ProbenTablename(), u"S3PROBEN"_s);
    QCOMPARE(FDM->Filename(), QString());
    QVERIFY(!FDM->ConnBorehole.Connected());
    QCOMPARE(GEODIN_Prefix, u"GEODIN_LOC_"_s);
    QVERIFY(ConnectTemplate.contains(u"%s"_s));
    QCOMPARE(cmdTemplate,
             u"SELECT LOCID, RECID, PRJ_ID, ANAME, SHORTNAME, XCOORD, YCOORD, ZCOORDB, ZCOORDE, TK25, ARFACH, KFIND, KSYS, "
             u"HFIND, HSYS, BART, BVER, BZW, VERTR, BLAND, EPSG FROM %s"_s);
}

void TestDMBorehole::connectNewDatabase()
{
    const QString Path = NewDatabase();
    QVERIFY(FDM->ConnectToDatabase(Path));
    QCOMPARE(FDM->Filename(), Path);
    QVERIFY(FDM->OpenTblBorehole());
    QCOMPARE(FDM->QyStamm.RecordCount(), 0);
    QCOMPARE(FDM->QyStamm.FieldCount(), 21);
}

void TestDMBorehole::connectFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << u"missing"_s;
    QTest::newRow("folder") << u"folder"_s;
    QTest::newRow("empty file") << u"empty"_s;
    QTest::newRow("text file") << u"text"_s;
}

void TestDMBorehole::connectFailures()
{
    QFETCH(QString, kind);
    const QString Good = NewDatabase();
    QVERIFY(FDM->ConnectToDatabase(Good));
    const QString Path = QDir(FDir->path()).filePath(u"Ziel.accdb"_s);
    QVERIFY(MakeBadTarget(kind, Path));
    const QString Before = FolderState(FDir->path());
    QVERIFY(!FDM->ConnectToDatabase(Path));
    QVERIFY(!FDM->ConnBorehole.Connected()); // the previous database is closed by the attempt
    QCOMPARE(FDM->Filename(), QString());
    QVERIFY(!FDM->ConnectError().isEmpty());
    QCOMPARE(FolderState(FDir->path()), Before);
}

void TestDMBorehole::triggersAreRefused()
{
    // A trigger that adds a layer to every new borehole would make rows nobody asked for.
    const QString Path = NewDatabase({u"CREATE TRIGGER Extra AFTER INSERT ON S3STAMM BEGIN "
                                      u"INSERT INTO S3SCHDAT (LOCID,RECID,DEPTHTO) VALUES (NEW.LOCID,1,5); END"_s});
    const QByteArray Before = FileBytes(Path);
    QVERIFY(!FDM->ConnectToDatabase(Path));
    QCOMPARE(FDM->Filename(), QString());
    QVERIFY2(FDM->ConnectError().contains(u"Trigger (Extra)"_s), qPrintable(FDM->ConnectError()));
    QVERIFY(!FDM->ConnBorehole.Connected());
    QCOMPARE(FileBytes(Path), Before);

    // A view beside the tables is harmless.
    QVERIFY(FDM->ConnectToDatabase(NewDatabase({u"CREATE VIEW Uebersicht AS SELECT LOCID, ANAME FROM S3STAMM"_s})));
    QCOMPARE(FDM->ConnectError(), QString());
}

void TestDMBorehole::damagedCatalogue()
{
    const QString Path = NewDatabase();
    QVERIFY(FDM->ConnectToDatabase(Path));
    for (int I = 0; I < 200; ++I)
        FDM->AddBorehole();
    QVERIFY(FDM->OpenTblBorehole());

    // Damaged while connected: the first statement that meets the damage closes the
    // catalogue, and nothing more is written into it.
    DamageMasterTable(Path);
    const QByteArray Damaged = FileBytes(Path);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FDM->OpenTblBorehole());
    QCOMPARE(FDM->Filename(), QString());
    QVERIFY(!FDM->ConnBorehole.Connected());
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FDM->AddLayer(1, QString()));
    QCOMPARE(FileBytes(Path), Damaged);

    // And it is refused at the next connect, saying why.
    QVERIFY(!FDM->ConnectToDatabase(Path));
    QVERIFY2(FDM->ConnectError().contains(u"beschädigt"_s), qPrintable(FDM->ConnectError()));
    QCOMPARE(FileBytes(Path), Damaged);
}

void TestDMBorehole::connectLockedFile()
{
    const QString Path = NewDatabase();
    TZavConnection Other;
    Other.SetConnectionString(u"Provider=SQLite;Data Source="_s + Path);
    Other.Open();
    Other.ExecRaw(u"BEGIN EXCLUSIVE"_s);
    Other.ExecRaw(u"INSERT INTO S3STAMM (LOCID) VALUES (1)"_s);
    const QString Before = FolderState(FDir->path());
    const auto Start = std::chrono::steady_clock::now();
    QVERIFY(!FDM->ConnectToDatabase(Path)); // waits out the busy timeout, then gives up
    const auto Waited = std::chrono::steady_clock::now() - Start;
    QVERIFY(!FDM->ConnBorehole.Connected());
    QVERIFY(Waited >= std::chrono::seconds(4));
    QCOMPARE(FolderState(FDir->path()), Before);
    Other.ExecRaw(u"ROLLBACK"_s);
    Other.Close();
    QCOMPARE(FileBytes(Path), TemplateBytes());
    QCOMPARE(QDir(FDir->path()).entryList(QDir::Files).size(), 1);
}

void TestDMBorehole::prefixedDatabase()
{
    const QString Path = NewDatabase(PrefixedStatements(UsedTables));
    QVERIFY(FDM->ConnectToDatabase(Path));
    QCOMPARE(FDM->S3Tablename(), u"GEODIN_LOC_S3STAMM"_s);
    QCOMPARE(FDM->S3SchichtTablename(), u"GEODIN_LOC_S3SCHDAT"_s);
    QCOMPARE(FDM->S3GrundWTablename(), u"GEODIN_LOC_S3GRUNDW"_s);
    QCOMPARE(FDM->S3ProbenTablename(), u"GEODIN_LOC_S3PROBEN"_s);

    const int LocID = FDM->AddBorehole();
    QCOMPARE(LocID, 1);
    QCOMPARE(FDM->AddLayer(LocID, u"ZAVGEN"_s), 1);
    QCOMPARE(FDM->AddSublayer(LocID, 1, u"ZAVGEN"_s), 2);
    QCOMPARE(FDM->AddWaterlevel(LocID, u"ZAVGEN"_s), 1);
    QCOMPARE(FDM->AddSample(LocID, u"ZAVGEN"_s), 1);
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3STAMM"_s), 1);
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3SCHDAT"_s), 2);
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3GRUNDW"_s), 1);
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3PROBEN"_s), 1);
    QVERIFY(FDM->OpenTblBorehole());
    QCOMPARE(FDM->QyStamm.RecordCount(), 1);
    QVERIFY(FDM->DeleteLayer(LocID, 2));
    QVERIFY(FDM->DeleteWaterlevel(LocID, 1));
    QVERIFY(FDM->DeleteSample(LocID, 1));
    QVERIFY(FDM->DeleteBorehole(LocID, true));
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3SCHDAT"_s), 0);
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3STAMM"_s), 0);
}

void TestDMBorehole::mixedPrefixes()
{
    const QString Path = NewDatabase(PrefixedStatements({u"S3SCHDAT"_s, u"S3PROBEN"_s}));
    QVERIFY(FDM->ConnectToDatabase(Path));
    QCOMPARE(FDM->S3Tablename(), u"S3STAMM"_s);
    QCOMPARE(FDM->S3SchichtTablename(), u"GEODIN_LOC_S3SCHDAT"_s);
    QCOMPARE(FDM->S3GrundWTablename(), u"S3GRUNDW"_s);
    QCOMPARE(FDM->S3ProbenTablename(), u"GEODIN_LOC_S3PROBEN"_s);
}

void TestDMBorehole::namesLiveAcrossConnects()
{
    // A file with both S3STAMM and GEODIN_LOC_S3STAMM.
    const QString Both = NewDatabase({u"CREATE TABLE GEODIN_LOC_S3STAMM AS SELECT * FROM S3STAMM"_s});
    const QString Prefixed = NewDatabase(PrefixedStatements(UsedTables));
    QVERIFY(FDM->ConnectToDatabase(Both));
    QCOMPARE(FDM->S3Tablename(), u"S3STAMM"_s); // first connection: the default name
    QVERIFY(FDM->ConnectToDatabase(Prefixed));
    QCOMPARE(FDM->S3Tablename(), u"GEODIN_LOC_S3STAMM"_s);
    QVERIFY(FDM->ConnectToDatabase(Both));
    QCOMPARE(FDM->S3Tablename(), u"GEODIN_LOC_S3STAMM"_s); // the earlier choice stays in force
    QCOMPARE(FDM->S3SchichtTablename(), u"S3SCHDAT"_s);
    FDM->AddBorehole();
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3STAMM"_s), 1);
    QCOMPARE(Count(*FDM, u"S3STAMM"_s), 0);
}

void TestDMBorehole::missingTable()
{
    for (const QString &Drop : {u"DROP TABLE S3PROBEN"_s, u"ALTER TABLE S3PROBEN RENAME TO PROBEN"_s}) {
        const QString Path = NewDatabase({Drop});
        QVERIFY(!FDM->ConnectToDatabase(Path));
        QCOMPARE(FDM->Filename(), QString());
        QVERIFY(FDM->ConnBorehole.Connected()); // the connection stays open
        QCOMPARE(FDM->S3ProbenTablename(), u"S3PROBEN"_s);
        QVERIFY2(FDM->ConnectError().contains(u"S3PROBEN"_s), qPrintable(FDM->ConnectError()));
    }
}

void TestDMBorehole::namesDifferingInCase()
{
    const QString Path = NewDatabase({u"ALTER TABLE S3STAMM RENAME TO X1"_s, u"ALTER TABLE X1 RENAME TO s3stamm"_s,
                                      u"ALTER TABLE S3SCHDAT RENAME TO X2"_s, u"ALTER TABLE X2 RENAME TO S3SchDat"_s});
    QVERIFY(FDM->ConnectToDatabase(Path));
    QCOMPARE(FDM->S3Tablename(), u"S3STAMM"_s);
    QCOMPARE(FDM->S3SchichtTablename(), u"S3SCHDAT"_s);
    const int LocID = FDM->AddBorehole();
    FDM->AddLayer(LocID, QString());
    QCOMPARE(Count(*FDM, u"s3stamm"_s), 1);
    QVERIFY(FDM->ConnBorehole.GetTableNames().contains(u"s3stamm"_s));

    // Prefixed names in other letter case count too.
    const QString Lower = NewDatabase({u"ALTER TABLE S3GRUNDW RENAME TO geodin_loc_s3grundw"_s});
    QVERIFY(FDM->ConnectToDatabase(Lower));
    QCOMPARE(FDM->S3GrundWTablename(), u"GEODIN_LOC_S3GRUNDW"_s);
}

void TestDMBorehole::reconnectClosesQueries()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    QVERIFY(FDM->OpenTblBorehole());
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    QVERIFY(!FDM->QyStamm.Active());
}

void TestDMBorehole::openTblBoreholeRunsHook()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    FDM->AddBorehole();
    FDM->AddBorehole();
    int Calls = 0;
    int RowsSeen = 0;
    FDM->QyStamm.AfterOpen = [&](TZavDataSet &ADataSet) {
        ++Calls;
        QVERIFY(ADataSet.Active());
        QCOMPARE(&ADataSet, static_cast<TZavDataSet *>(&FDM->QyStamm));
        for (ADataSet.First(); !ADataSet.Eof(); ADataSet.Next())
            ++RowsSeen;
    };
    QVERIFY(FDM->OpenTblBorehole());
    QCOMPARE(Calls, 1);
    QCOMPARE(RowsSeen, 2);
    QCOMPARE(FDM->QyStamm.FieldByName(u"LOCID"_s).AsInteger(), 2); // behind the end: the last row
    QVERIFY(FDM->OpenTblBorehole());
    QCOMPARE(Calls, 2);
}

void TestDMBorehole::firstIdentifiersAreOne()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    QCOMPARE(LocID, 1);
    QCOMPARE(FDM->AddLayer(LocID, QString()), 1);
    QCOMPARE(FDM->AddSample(LocID, QString()), 1);
    QCOMPARE(FDM->AddWaterlevel(LocID, QString()), 1);
    QCOMPARE(Rows(*FDM, u"SELECT LOCID, RECID, INTV, LAYERID, LAYERCNTR, INTGRUPPE, DEPTHTO, PRJ_ID FROM S3SCHDAT"_s),
             QStringList{u"1|1|0|1|0|ERST|1|<null>"_s});
    QCOMPARE(Rows(*FDM, u"SELECT PRJ_ID, LOCID, RECID, INVZBEG, INVNAME FROM S3PROBEN"_s), QStringList{u"<null>|1|1|<null>|<null>"_s});
    QCOMPARE(Rows(*FDM, u"SELECT PRJ_ID, LOCID, RECID, GW, GWZEIT FROM S3GRUNDW"_s), QStringList{u"<null>|1|1|<null>|<null>"_s});
    // Second of each, and a second borehole.
    QCOMPARE(FDM->AddLayer(LocID, QString()), 2);
    QCOMPARE(FDM->AddSample(LocID, QString()), 2);
    QCOMPARE(FDM->AddWaterlevel(LocID, QString()), 2);
    QCOMPARE(FDM->AddBorehole(), 2);
    QCOMPARE(FDM->AddLayer(2, QString()), 1); // sequences are per borehole
}

void TestDMBorehole::addBoreholeRow()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    QCOMPARE(FDM->AddBorehole(), 1);
    TZavQuery Q(FDM->ConnBorehole);
    Q.SetSQL(u"SELECT * FROM S3STAMM"_s);
    Q.Open();
    QCOMPARE(Q.RecordCount(), 1);
    for (int I = 0; I < Q.FieldCount(); ++I) {
        const QString Name = Q.Fields(I).FieldName();
        if (Name == u"LOCID" || Name == u"RECID")
            QCOMPARE(Q.Fields(I).AsInteger(), 1);
        else if (Name == u"PRJ_ID")
            QCOMPARE(Q.Fields(I).AsString(), u"ZAVGEN"_s);
        else if (Name == u"EPSG")
            QCOMPARE(Q.Fields(I).AsInteger(), 0);
        else
            QVERIFY2(Q.Fields(I).IsNull(), qPrintable(Name));
    }
}

void TestDMBorehole::addLayerDepthGermanLocale()
{
    TLocaleGuard G(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(FDM->ConnectToDatabase(NewDatabase({u"INSERT INTO S3STAMM (LOCID,RECID) VALUES (4,1)"_s,
                                                 u"INSERT INTO S3SCHDAT (LOCID,RECID,LAYERID,LAYERCNTR,DEPTHTO) VALUES (4,1,1,0,3)"_s,
                                                 u"INSERT INTO S3SCHDAT (LOCID,RECID,LAYERID,LAYERCNTR,DEPTHTO) VALUES (4,2,2,0,12.5)"_s,
                                                 u"INSERT INTO S3SCHDAT (LOCID,RECID,LAYERID,LAYERCNTR,DEPTHTO) VALUES (5,1,1,0,99)"_s})));
    QCOMPARE(FDM->AddLayer(4, QString()), 3);
    QVERIFY2(FDM->QyDynamic.SQL().endsWith(u",13.5)"_s), qPrintable(FDM->QyDynamic.SQL()));
    QCOMPARE(FDM->QyDynamic.SQL(),
             u"INSERT INTO S3SCHDAT (LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE,DEPTHTO) VALUES (4,3,0,3,0,\"ERST\",13.5)"_s);
    QCOMPARE(Rows(*FDM, u"SELECT DEPTHTO, LAYERID FROM S3SCHDAT WHERE LOCID=4 AND RECID=3"_s), QStringList{u"13.5|3"_s});
}

void TestDMBorehole::childrenProjectKey_data()
{
    QTest::addColumn<QString>("prjId");
    QTest::addColumn<QString>("inStatement");
    QTest::addColumn<QString>("stored");
    QTest::newRow("no project key") << QString() << QString() << u"<null>"_s;
    QTest::newRow("ZAVGEN") << u"ZAVGEN"_s << u"('ZAVGEN',"_s << u"ZAVGEN"_s;
    QTest::newRow("key with a single quote") << u"O'Neil"_s << u"('O''Neil',"_s << u"O'Neil"_s;
}

void TestDMBorehole::childrenProjectKey()
{
    QFETCH(QString, prjId);
    QFETCH(QString, inStatement);
    QFETCH(QString, stored);
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    auto CheckStatement = [&] {
        const QString S = FDM->QyDynamic.SQL();
        if (prjId.isEmpty())
            QVERIFY2(!S.contains(u"PRJ_ID"_s), qPrintable(S));
        else
            QVERIFY2(S.contains(u"(PRJ_ID,"_s) && S.contains(inStatement), qPrintable(S));
    };
    QCOMPARE(FDM->AddLayer(LocID, prjId), 1);
    CheckStatement();
    QCOMPARE(FDM->AddSublayer(LocID, 1, prjId), 2);
    CheckStatement();
    QCOMPARE(FDM->AddWaterlevel(LocID, prjId), 1);
    CheckStatement();
    QCOMPARE(FDM->AddSample(LocID, prjId), 1);
    CheckStatement();
    QCOMPARE(Rows(*FDM, u"SELECT PRJ_ID FROM S3SCHDAT"_s), QStringList({stored, stored}));
    QCOMPARE(Rows(*FDM, u"SELECT PRJ_ID FROM S3GRUNDW"_s), QStringList{stored});
    QCOMPARE(Rows(*FDM, u"SELECT PRJ_ID FROM S3PROBEN"_s), QStringList{stored});
    // Look-ups go by LOCID only: a row of another project with the same LOCID counts.
    OnFile(FDM->Filename(), {u"INSERT INTO S3PROBEN (PRJ_ID,LOCID,RECID) VALUES ('ANDERS',1,7)"_s});
    QCOMPARE(FDM->AddSample(LocID, prjId), 8);
}

void TestDMBorehole::sublayersOfLayerThree()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    QCOMPARE(FDM->AddLayer(LocID, QString()), 1);
    QCOMPARE(FDM->AddLayer(LocID, QString()), 2);
    QCOMPARE(FDM->AddSublayer(LocID, 1, QString()), 3); // a sublayer of layer 1 in between
    QCOMPARE(FDM->AddLayer(LocID, QString()), 4);        // LAYERID 3
    QCOMPARE(FDM->AddSublayer(LocID, 4, QString()), 5);
    QCOMPARE(FDM->AddSublayer(LocID, 4, QString()), 6);
    QCOMPARE(Rows(*FDM, u"SELECT RECID, LAYERID, LAYERCNTR, DEPTHTO, INTGRUPPE, INTV FROM S3SCHDAT ORDER BY RECID"_s),
             QStringList({u"1|1|0|1|ERST|0"_s, u"2|2|0|2|ERST|0"_s, u"3|1|1|<null>|ERST|0"_s, u"4|3|0|3|ERST|0"_s,
                          u"5|3|1|<null>|ERST|0"_s, u"6|3|2|<null>|ERST|0"_s}));
}

void TestDMBorehole::sublayerBesideSublayer()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    FDM->AddLayer(LocID, QString());                         // RECID 1, LAYERID 1
    FDM->AddLayer(LocID, QString());                         // RECID 2, LAYERID 2
    QCOMPARE(FDM->AddSublayer(LocID, 2, QString()), 3);      // of layer 2
    QCOMPARE(FDM->AddSublayer(LocID, 3, QString()), 4);      // beside sublayer 3: layer 2 again
    QCOMPARE(Rows(*FDM, u"SELECT LAYERID, LAYERCNTR FROM S3SCHDAT WHERE RECID=4"_s), QStringList{u"2|2"_s});
}

void TestDMBorehole::sublayerOfMissingRow()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    FDM->AddLayer(LocID, QString());
    // Another program deleted the layer meanwhile: no sublayer of no layer is made.
    try {
        FDM->AddSublayer(LocID, 42, QString());
        QFAIL("a sublayer of a missing layer was added");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"RECID 42"_s), qPrintable(E.Message()));
    }
    QCOMPARE(Rows(*FDM, u"SELECT RECID, LAYERCNTR FROM S3SCHDAT"_s), QStringList{u"1|0"_s});
}

void TestDMBorehole::duplicateCopiesAllColumns()
{
    // A source row with a value in each of the 104 columns.
    QStringList Columns;
    QStringList Values;
    {
        const QString Path = NewDatabase();
        QVERIFY(FDM->ConnectToDatabase(Path));
        TZavQuery Info(FDM->ConnBorehole);
        Info.SetSQL(u"PRAGMA table_info(S3STAMM)"_s);
        Info.Open();
        int N = 0;
        for (; !Info.Eof(); Info.Next(), ++N) {
            const QString Name = Info.FieldByName(u"name"_s).AsString();
            const QString Type = Info.FieldByName(u"type"_s).AsString();
            Columns.append(Name);
            if (Name == u"LOCID")
                Values.append(u"7"_s);
            else if (Name == u"ANAME")
                Values.append(u"'B1 Süd'"_s);
            else if (Type == u"TEXT")
                Values.append(u"'%1'"_s.arg(N % 3 == 0 ? QString() : u"ä"_s + QString::number(N)));
            else if (Type == u"INTEGER")
                Values.append(QString::number(N));
            else
                Values.append(QString::number(N + 0.25, 'g', 15));
        }
        QCOMPARE(Columns.size(), 104);
        OnFile(Path, {u"INSERT INTO S3STAMM (LOCID,ANAME) VALUES (3,'davor')"_s,
                      u"INSERT INTO S3STAMM (%1) VALUES (%2)"_s.arg(Columns.join(u','), Values.join(u',')),
                      u"INSERT INTO S3STAMM (LOCID,ANAME) VALUES (5,'danach')"_s});
    }
    QCOMPARE(FDM->DuplicateBorehole(7), 8);

    QVERIFY(FDM->OpenTblBorehole());
    FDM->QyStamm.Last();
    QCOMPARE(FDM->QyStamm.FieldByName(u"LOCID"_s).AsInteger(), 8); // the new last row
    QCOMPARE(FDM->QyStamm.FieldByName(u"ANAME"_s).AsString(), u"Kopie von B1 Süd"_s);

    const QString All = Columns.join(u',');
    const QStringList Source = Rows(*FDM, u"SELECT %1, typeof(XCOORD) FROM S3STAMM WHERE LOCID=7"_s.arg(All));
    const QStringList Copy = Rows(*FDM, u"SELECT %1, typeof(XCOORD) FROM S3STAMM WHERE LOCID=8"_s.arg(All));
    QCOMPARE(Source.size(), 1);
    QCOMPARE(Copy.size(), 1);
    QStringList S = Source[0].split(u'|');
    QStringList C = Copy[0].split(u'|');
    const int LocIdx = int(Columns.indexOf(u"LOCID"_s));
    const int NameIdx = int(Columns.indexOf(u"ANAME"_s));
    QCOMPARE(C[LocIdx], u"8"_s);
    QCOMPARE(C[NameIdx], u"Kopie von B1 Süd"_s);
    S[LocIdx] = C[LocIdx];
    S[NameIdx] = C[NameIdx];
    QCOMPARE(C, S); // every other column equal, types included
    QCOMPARE(Count(*FDM, u"S3STAMM"_s), 4);
}

void TestDMBorehole::duplicateIsExactOnPlainTables_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("de_DE") << u"de_DE"_s;
    QTest::newRow("C") << u"C"_s;
}

void TestDMBorehole::duplicateIsExactOnPlainTables()
{
    // A catalogue made elsewhere with plain column types: dates kept as ISO text, a number
    // stored as German text, a blob, NULLs. The copy holds the very same values and types.
    QFETCH(QString, locale);
    TLocaleGuard Locale{QLocale(locale)};
    const QString Path = QDir(FDir->path()).filePath(u"plain.sqlite"_s);
    {
        TZavConnection Conn;
        Conn.OpenNew(Path);
        Conn.ExecScript(u"CREATE TABLE S3STAMM (PRJ_ID VARCHAR(6), LOCID INTEGER, RECID INTEGER, ANAME TEXT, "
                        u"XCOORD DOUBLE, YCOORD DOUBLE, ZCOORDB NUMERIC, BZEITA DATETIME, TK25, NOTIZ BLOB);"
                        u"CREATE TABLE S3SCHDAT (PRJ_ID, LOCID, RECID, LAYERID, LAYERCNTR, DEPTHTO);"
                        u"CREATE TABLE S3GRUNDW (PRJ_ID, LOCID, RECID);"
                        u"CREATE TABLE S3PROBEN (PRJ_ID, LOCID, RECID);"
                        u"INSERT INTO S3STAMM VALUES ('P1', 4, 1, 'Alt', '12,5', 7.25, NULL, "
                        u"'2024-05-03T10:15:00', 3625, x'00ff10');"_s);
    }
    QVERIFY(FDM->ConnectToDatabase(Path));
    QCOMPARE(FDM->DuplicateBorehole(4), 5);
    const QString Columns = u"quote(PRJ_ID), quote(RECID), quote(XCOORD), typeof(XCOORD), quote(YCOORD), "
                            u"quote(ZCOORDB), quote(BZEITA), typeof(BZEITA), quote(TK25), typeof(TK25), quote(NOTIZ)"_s;
    const QStringList Source = Rows(*FDM, u"SELECT %1 FROM S3STAMM WHERE LOCID=4"_s.arg(Columns));
    QCOMPARE(Rows(*FDM, u"SELECT %1 FROM S3STAMM WHERE LOCID=5"_s.arg(Columns)), Source);
    QCOMPARE(Source, QStringList{u"'P1'|1|'12,5'|text|7.25|NULL|'2024-05-03T10:15:00'|text|3625|integer|X'00FF10'"_s});
    QCOMPARE(Rows(*FDM, u"SELECT ANAME FROM S3STAMM WHERE LOCID=5"_s), QStringList{u"Kopie von Alt"_s});
}

void TestDMBorehole::duplicateMissingSource()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase({u"INSERT INTO S3STAMM (LOCID,ANAME) VALUES (3,'B3')"_s})));
    QCOMPARE(FDM->DuplicateBorehole(99), 4);
    QCOMPARE(Count(*FDM, u"S3STAMM"_s), 1);
    // A source without name gives "Kopie von ".
    QCOMPARE(FDM->AddBorehole(), 4);
    QCOMPARE(FDM->DuplicateBorehole(4), 5);
    QCOMPARE(Rows(*FDM, u"SELECT ANAME, PRJ_ID, RECID FROM S3STAMM WHERE LOCID=5"_s), QStringList{u"Kopie von |ZAVGEN|1"_s});
}

void TestDMBorehole::duplicatePrefixed()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase(PrefixedStatements(UsedTables))));
    const int LocID = FDM->AddBorehole();
    FDM->AddLayer(LocID, u"ZAVGEN"_s);
    QCOMPARE(FDM->DuplicateBorehole(LocID), 2);
    QCOMPARE(FDM->tblStamm.TableName(), u"GEODIN_LOC_S3STAMM"_s);
    QCOMPARE(Rows(*FDM, u"SELECT LOCID, ANAME FROM GEODIN_LOC_S3STAMM"_s), QStringList({u"1|<null>"_s, u"2|Kopie von "_s}));
    QCOMPARE(Count(*FDM, u"GEODIN_LOC_S3SCHDAT"_s), 1); // children are not copied
}

void TestDMBorehole::deleteBoreholeWithChildren()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    for (int B = 0; B < 2; ++B) {
        const int LocID = FDM->AddBorehole();
        FDM->AddLayer(LocID, QString());
        FDM->AddSublayer(LocID, 1, QString());
        FDM->AddWaterlevel(LocID, QString());
        FDM->AddSample(LocID, QString());
    }
    OnFile(FDM->Filename(), {u"INSERT INTO S3ARCHIV (LOCID,RECID) VALUES (1,1)"_s});
    QVERIFY(FDM->DeleteBorehole(1, true));
    QCOMPARE(Count(*FDM, u"S3STAMM"_s, u"LOCID=1"_s), 0);
    QCOMPARE(Count(*FDM, u"S3SCHDAT"_s, u"LOCID=1"_s), 0);
    QCOMPARE(Count(*FDM, u"S3GRUNDW"_s, u"LOCID=1"_s), 0);
    QCOMPARE(Count(*FDM, u"S3PROBEN"_s, u"LOCID=1"_s), 0);
    QCOMPARE(Count(*FDM, u"S3ARCHIV"_s, u"LOCID=1"_s), 1); // the other tables are not touched
    QCOMPARE(Count(*FDM, u"S3STAMM"_s, u"LOCID=2"_s), 1);
    QCOMPARE(Count(*FDM, u"S3SCHDAT"_s, u"LOCID=2"_s), 2);
    QVERIFY(!FDM->DeleteBorehole(1, true));
}

void TestDMBorehole::deleteBoreholeWithoutChildren()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    FDM->AddLayer(LocID, QString());
    QVERIFY(FDM->DeleteBorehole(LocID, false));
    QCOMPARE(Count(*FDM, u"S3SCHDAT"_s), 1);
}

void TestDMBorehole::deleteBoreholeWithoutMasterRow()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    FDM->AddLayer(5, QString());
    FDM->AddSample(5, QString());
    FDM->AddWaterlevel(5, QString());
    QVERIFY(!FDM->DeleteBorehole(5, true));
    QCOMPARE(Count(*FDM, u"S3SCHDAT"_s) + Count(*FDM, u"S3PROBEN"_s) + Count(*FDM, u"S3GRUNDW"_s), 0);
}

void TestDMBorehole::deleteBoreholeFailureKeepsEverything()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    FDM->AddLayer(LocID, QString());
    FDM->AddSample(LocID, QString());
    FDM->AddWaterlevel(LocID, QString());
    // The water-level delete (third) fails after the layer and sample deletes ran.
    FDM->SetS3GrundWTablename(u"S3FEHLT"_s);
    try {
        FDM->DeleteBorehole(LocID, true);
        QFAIL("the delete on a missing table raises");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"no such table"_s), qPrintable(E.Message()));
        QVERIFY(E.Statement().contains(u"S3FEHLT"_s));
    }
    QVERIFY(!FDM->ConnBorehole.InTransaction());
    QCOMPARE(Count(*FDM, u"S3SCHDAT"_s), 1);
    QCOMPARE(Count(*FDM, u"S3PROBEN"_s), 1);
    QCOMPARE(Count(*FDM, u"S3GRUNDW"_s), 1);
    QCOMPARE(Count(*FDM, u"S3STAMM"_s), 1);
    FDM->SetS3GrundWTablename(u"S3GRUNDW"_s);
    QVERIFY(FDM->DeleteBorehole(LocID, true));
}

void TestDMBorehole::deleteRows()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    const int LocID = FDM->AddBorehole();
    FDM->AddLayer(LocID, QString());
    FDM->AddSublayer(LocID, 1, QString());
    FDM->AddWaterlevel(LocID, QString());
    FDM->AddSample(LocID, QString());
    QVERIFY(FDM->DeleteLayer(LocID, 2));
    QVERIFY(!FDM->DeleteLayer(LocID, 2));
    QVERIFY(FDM->DeleteLayer(LocID, 1));
    QVERIFY(!FDM->DeleteWaterlevel(LocID + 1, 1));
    QVERIFY(FDM->DeleteWaterlevel(LocID, 1));
    QVERIFY(FDM->DeleteSample(LocID, 1));
    QVERIFY(!FDM->DeleteSample(LocID, 1));
    QCOMPARE(FDM->ADOCommandDelete.SQL(), u"DELETE * FROM S3PROBEN WHERE (LOCID=1) AND (RECID=1)"_s);
}

void TestDMBorehole::identifierAbove32767Refused()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase({u"INSERT INTO S3STAMM (LOCID,RECID) VALUES (32767,1)"_s,
                                                 u"INSERT INTO S3SCHDAT (LOCID,RECID,LAYERID) VALUES (1,32767,1)"_s})));
    try {
        FDM->AddBorehole();
        QFAIL("LOCID 32768 does not fit its column");
    } catch (const EDatabaseError &E) {
        QVERIFY2(E.Message().contains(u"LOCID"_s), qPrintable(E.Message()));
        QVERIFY(E.Statement().contains(u"32768"_s));
    }
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FDM->AddLayer(1, QString()));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FDM->DuplicateBorehole(32767));
    QVERIFY(!FDM->ConnBorehole.InTransaction());
    QCOMPARE(Count(*FDM, u"S3STAMM"_s), 1);
    QCOMPARE(Count(*FDM, u"S3SCHDAT"_s), 1);
}

void TestDMBorehole::overlongTextRefused()
{
    QVERIFY(FDM->ConnectToDatabase(NewDatabase()));
    FDM->AddBorehole();
    QVERIFY(FDM->OpenTblBorehole());
    FDM->QyStamm.Edit();
    FDM->QyStamm.SetFieldValue(u"ANAME"_s, QString(255, u'x'));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FDM->QyStamm.Post());
    FDM->QyStamm.SetFieldValue(u"ANAME"_s, QString(254, u'x'));
    FDM->QyStamm.Post();
    // A copy's name longer than ANAME holds is refused by the engine.
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FDM->DuplicateBorehole(1));
    QCOMPARE(Count(*FDM, u"S3STAMM"_s), 1);
}

void TestDMBorehole::allocationWaitsForOtherWriter()
{
    // Another program inserts borehole 1 and commits a little later. Our AddBorehole starts
    // meanwhile: it must wait for the write lock before looking up the maximum, or it would
    // read 0 and write a second LOCID 1.
    const QString Path = NewDatabase();
    QVERIFY(FDM->ConnectToDatabase(Path));
    std::promise<void> Locked;
    std::thread Other([&] {
        TZavConnection Conn;
        Conn.SetConnectionString(u"Provider=SQLite;Data Source="_s + Path);
        Conn.Open();
        TZavTransaction T(Conn);
        Conn.ExecRaw(u"INSERT INTO S3STAMM (LOCID,RECID,PRJ_ID) VALUES (1,1,'ZAVGEN')"_s);
        Locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        T.Commit();
    });
    Locked.get_future().wait();
    int LocID = 0;
    int LayerRecID = 0;
    try {
        LocID = FDM->AddBorehole();
        LayerRecID = FDM->AddLayer(LocID, QString());
    } catch (const EDatabaseError &) {
    }
    Other.join();
    QCOMPARE(LocID, 2);
    QCOMPARE(LayerRecID, 1);
    QCOMPARE(Rows(*FDM, u"SELECT LOCID FROM S3STAMM ORDER BY LOCID"_s), QStringList({u"1"_s, u"2"_s}));
}

void TestDMBorehole::staleRowIsNotOverwritten()
{
    // Another program deletes borehole 2 and adds borehole 3, which SQLite stores under the
    // freed rowid. Posting our edit of the borehole 2 we still show must not rename 3.
    const QString Path = NewDatabase();
    QVERIFY(FDM->ConnectToDatabase(Path));
    FDM->AddBorehole();
    FDM->AddBorehole();
    QVERIFY(FDM->OpenTblBorehole());
    FDM->QyStamm.Last();
    QCOMPARE(FDM->QyStamm.FieldByName(u"LOCID"_s).AsInteger(), 2);
    {
        TDMBorehole Other;
        QVERIFY(Other.ConnectToDatabase(Path));
        QVERIFY(Other.DeleteBorehole(2, true));
        QCOMPARE(Other.AddBorehole(), 2); // the maximum is 1 again
        Other.ConnBorehole.ExecRaw(u"UPDATE S3STAMM SET LOCID=3, ANAME='Fremd' WHERE LOCID=2"_s);
    }
    FDM->QyStamm.Edit();
    FDM->QyStamm.SetFieldValue(u"ANAME"_s, u"Meins"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FDM->QyStamm.Post());
    QCOMPARE(Rows(*FDM, u"SELECT LOCID, ANAME FROM S3STAMM ORDER BY LOCID"_s),
             QStringList({u"1|<null>"_s, u"3|Fremd"_s}));
}

QTEST_GUILESS_MAIN(TestDMBorehole)
#include "tst_dmborehole.moc"
