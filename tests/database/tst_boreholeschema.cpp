// The schema and its template: the fifteen tables with every column in the
// listed order, the limits the engine enforces, the indexes, and the template's bytes.

#include "DatabaseTestUtil.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavQuery.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The column lists the catalogue format prescribes, in its own notation.
const QList<QPair<QString, QString>> ListedTables = {
    {u"S3STAMM"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; XCOORD double; YCOORD double; ZCOORDB double; ZCOORDE double; SHORTNAME text(15); LONGNAME text(40); BID text(12); TK25 text(4); TK5 text(12); ARFACH text(4); ARNUM int32; AKBEZ text(15); ANAME text(254); ORTSBEZ text(254); GEMEINDE text(64); LKREIS text(64); KFIND text(4); KSYS text(6); HFIND text(4); HSYS text(4); ENDHORIZ text(12); BART text(4); BVER text(4); BZEITA date-time; BZEITE date-time; AUTOR text(80); DATUM date-time; ERFDATUM date-time; ERFNAME text(80); PROJEKT text(254); AUFGEB text(254); BFIRMA text(254); BZW text(4); DATHINW text(254); GRUNDWASS int16; AUSBAUDAT int16; TITELDATEN int16; PROFILTYP int16; LOGMESS int16; ARCHIVDAT int16; PROBENDAT int16; SCHICHTDAT int16; MESSDATEN int16; VERTR text(3); NOTIZSTM long text; BOHRPUNKTK text(40); ENDDURCHM int32; BLAND text(6); FLURNR text(10); PROJEKTSL text(24); AUFGEBSL text(24); BFIRMASL text(24); FACHLEISL text(24); FACHLEIT text(254); GENNEIG text(3); BIDEXT int32; ARNUMEXT int32; GEMEINDESL text(24); STAAT text(6); RECHTS double; HOCH double; BIDZU text(12); TPROJEKT text(40); LFIRMA text(254); EIGENTM text(254); FLANUTZ text(40); SVQ text(4); PRUEFER text(80); PRDATUM date-time; XCOORD_ALT double; YCOORD_ALT double; ZCOORDV double; EPRECHTS double; EPHOCH double; ARFACHEXT text(4); GEMARKUNG text(64); KSYS_ALT text(6); BOHRGER text(80); GERAETEF text(80); BOHRKERN int16; GEFAHR text(50); VERWAHR text(8); SYNONYM1 text(80); BEZIRK text(50); ORTSTEIL text(50); PLZ int32; WWK text(30); LEITPARAM text(30); SYNONYM2 text(120); GUID text(40); LAENGE double; BREITE double; NORD double; OST double; BMLID text(100); AENDERUNG date-time; DOKUMENTE int16; KSYS_RH text(6); KSYS_LB text(6); KSYS_ON text(6); EPSG int32"_s},
    {u"S3SCHDAT"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; INTV int16; LAYERID int16; LAYERCNTR int16; DEPTHFROM double; DEPTHTO double; SART text(128); STRAT text(254); PETRO text(254); GENESE text(254); FARBE text(254); ZUSATZ text(254); ERGBEM text(254); BESCHBG text(128); BESCHBV text(128); GRUPPE text(128); KALKGEH text(128); INTGRUPPE text(12); INTKLASSE text(24); INTNOTIZ long text; GUID text(40)"_s},
    {u"S3GRUNDW"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; GW double; GWF double; GWS double; GWV double; GWR double; GWDATUM date-time; GWZEIT int16; GWATT text(12); GWFLUR double; PUMPVER text(1); ENTNAHME double; ABSENKUNG double; MESSZEIT int16; DATUMW date-time; ANALYSEJN text(1); ANLNR text(15); NOTIZ long text; GWPKONT text(80); GWDECK text(40); GUID text(40)"_s},
    {u"S3PROBEN"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; INVID text(16); INVZBEG double; INVZEND double; INVNAME text(20); PART text(8); PMAT text(20); PENTG text(8); PUNT text(35); PLAB text(24); PLABNR text(24); PERG text(254); NOTIZ long text; GUID text(40)"_s},
    {u"S3ARCHIV"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; TGB text(24); ARCHIV text(48); ORDNER int16; PUMPARNR text(24); ANAARNR text(24); LOG int16; SPIEG int16; AUSB int16; RBNR text(24); PUMPVERS int16; GPBERTYP text(4); LITERATUR text(254); LABOR int16; GUID text(40)"_s},
    {u"S3ASBBL"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; BLBEG double; BLEND double; BLWIDE int16; BLVERF text(4); BLWERK text(4); BLNOTIZ long text; GUID text(40)"_s},
    {u"S3ASBFI"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; INVID text(16); INVZBEG double; INVZEND double; INVNAME text(20); INVMBEG double; INVKENN text(20); INVHYAS int32; INVROHR int16; INVSCHLITZ double; INVPOS text(10); INVHYEIN text(40); INVMSART text(10); INVGWTYP text(20); INVGWHYD text(20); INVGWSTOC text(20); HYGEOLEINH text(30); MPKT text(64); NOTIZ long text; INVPROG text(80); INVPLAN text(80); INVHSYS text(4); INVHYDYN text(4); INVGWLNR int16; INVARTFK text(4); INVERGEB text(4); INVDATEM date-time; INVTOLER double; INVDATFK date-time; INVDATLK date-time; INVDATFE date-time; KFWERT double; GWLKORR text(35); ARTLOG text(4); GEOPHYSM text(4); MESSNETZ text(50); ELKENNZ text(15); DATUMN date-time; KOPFART text(24); INVBETR text(80); FABRIKAT text(80); ELSCHLOSS text(80); INVDATEL date-time; INVANVW text(45); ABLEITER text(20); RUECKBAU text(1); GUID text(40)"_s},
    {u"S3ASBRO"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; INVID text(16); TOURID int16; ELCODE text(8); ELBEG double; ELEND double; ELWIDE int16; ELTHICKN double; ELTYP text(50); ELMAT text(8); NOTIZ long text; GUID text(40)"_s},
    {u"S3ASBSE"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; ELCODE text(8); ELBEG double; ELEND double; ELWIDE int16; ELTHICKN double; ELTYP text(50); NOTIZ long text; GUID text(40)"_s},
    {u"S3ASBSTM"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; ENDD int16; AUSBV text(1); AUSMAT text(80); DATUMA date-time; STUFEN int16; ANZSPER int16; ANZFIL int16; NOTIZ text(80); MPKT text(64); FACHAUF text(254); GUID text(40)"_s},
    {u"S3ASBVF"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; VFCODE text(8); VFBEG double; VFEND double; VFTYP text(50); VFWIDE int16; VFKGVON double; VFKGBIS double; NOTIZ long text; GUID text(40)"_s},
    {u"S3PROFIL"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; PROFTYP text(8); SPTYP text(8); PROFBAS double; QHBASIS double; QPBASIS double; DATUMPTI date-time; BEARBEIT text(80); NOTIZPRT text(80); GUID text(40)"_s},
    {u"S3SCHTIT"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; INTV int16; PROLEIT text(80); BEARBEIT text(80); DATUM date-time; EINLDAT date-time; UEBDATUM date-time; UEBNAME text(50); OPFELD text(64); AUSW text(24); INTGRUPPE text(12); INTBASIS int16; INTNEU int16; NOTIZ long text; SVART text(5); INTGLAGE text(24); SVQUALI text(5); GUID text(40)"_s},
    {u"S3SNDDAT"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; SNDID int16; DEPTH double; SNDVALUE text(20)"_s},
    {u"S3SNDREG"_s, u"PRJ_ID text(6); LOCID int16; RECID int16; SNDID int16; SNDNAME text(40); BMFIRMA text(254); DATUMR date-time; ANFANG double; ENDE double; METHODE text(12); NOTIZ text(254); ERGEBNIS text(254); MDIG int16; SNDDATA blob; MBERICHT text(24); GUID text(40)"_s},
};

struct TListedColumn
{
    QString Name;
    QString Type; // text(n), long text, int16, int32, double, date-time, blob
    int Size = 0; // n of text(n)
};

QList<TListedColumn> ListedColumns(const QString &AList)
{
    QList<TListedColumn> Result;
    static const QRegularExpression Sized(u"^text\\((\\d+)\\)$"_s);
    for (const QString &Item : AList.split(u';')) {
        const QString Trimmed = Item.trimmed();
        const qsizetype Blank = Trimmed.indexOf(u' ');
        TListedColumn C;
        C.Name = Trimmed.left(Blank);
        C.Type = Trimmed.mid(Blank + 1);
        const QRegularExpressionMatch M = Sized.match(C.Type);
        if (M.hasMatch()) {
            C.Size = M.captured(1).toInt();
            C.Type = u"text"_s;
        }
        Result.append(C);
    }
    return Result;
}

QString DeclaredType(const TListedColumn &AColumn)
{
    if (AColumn.Type == u"text" || AColumn.Type == u"long text")
        return u"TEXT"_s;
    if (AColumn.Type == u"int16" || AColumn.Type == u"int32")
        return u"INTEGER"_s;
    if (AColumn.Type == u"blob")
        return u"BLOB"_s;
    return u"REAL"_s; // double and date-time (days since 1899-12-30)
}

} // namespace

class TestBoreholeSchema : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fifteenEmptyTables();
    void columnsInOrder_data();
    void columnsInOrder();
    void limitsEnforced_data();
    void limitsEnforced();
    void nullEverywhereAndEpsgDefault_data();
    void nullEverywhereAndEpsgDefault();
    void indexes_data();
    void indexes();
    void manyNullInvids();
    void templateIsReproducible();

private:
    void AddTableRows();
    QTemporaryDir FDir;
    TZavConnection FConn;
};

void TestBoreholeSchema::initTestCase()
{
    QVERIFY(FDir.isValid());
    FConn.SetConnectionString(u"Provider=SQLite;Data Source="_s + MakeDatabase(FDir.path()));
    FConn.Open();
}

void TestBoreholeSchema::fifteenEmptyTables()
{
    QStringList Names = FConn.GetTableNames();
    QStringList Expected;
    for (const auto &T : ListedTables)
        Expected.append(T.first);
    Names.sort();
    Expected.sort();
    QCOMPARE(Names, Expected);
    for (const QString &N : std::as_const(Names)) {
        TZavQuery Q(FConn);
        Q.SetSQL(u"SELECT COUNT(*) AS N FROM "_s + N);
        Q.Open();
        QCOMPARE(Q.FieldByName(u"N"_s).AsInteger(), 0);
    }
}

void TestBoreholeSchema::AddTableRows()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    for (const auto &T : ListedTables)
        QTest::newRow(qPrintable(T.first)) << T.first << T.second;
}

void TestBoreholeSchema::columnsInOrder_data()
{
    AddTableRows();
}

void TestBoreholeSchema::columnsInOrder()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    const QList<TListedColumn> Listed = ListedColumns(columns);
    QCOMPARE(Listed.mid(0, 3).size(), 3);
    QCOMPARE(Listed[0].Name, u"PRJ_ID"_s);
    QCOMPARE(Listed[1].Name, u"LOCID"_s);
    QCOMPARE(Listed[2].Name, u"RECID"_s);
    if (table == u"S3STAMM")
        QCOMPARE(Listed.size(), 104);
    if (table == u"S3SCHDAT" || table == u"S3GRUNDW")
        QCOMPARE(Listed.size(), 23);
    if (table == u"S3PROBEN")
        QCOMPARE(Listed.size(), 16);

    TZavQuery Q(FConn);
    Q.SetSQL(u"PRAGMA table_info(%1)"_s.arg(table));
    Q.Open();
    QCOMPARE(Q.RecordCount(), int(Listed.size()));
    for (const TListedColumn &C : Listed) {
        QCOMPARE(Q.FieldByName(u"name"_s).AsString(), C.Name);
        QCOMPARE(Q.FieldByName(u"type"_s).AsString(), DeclaredType(C));
        QCOMPARE(Q.FieldByName(u"pk"_s).AsInteger(), 0);
        QCOMPARE(Q.FieldByName(u"notnull"_s).AsInteger(), 0);
        Q.Next();
    }
}

void TestBoreholeSchema::limitsEnforced_data()
{
    AddTableRows();
}

void TestBoreholeSchema::limitsEnforced()
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    auto Accepts = [&](const QString &AColumn, const QString &AValue) {
        try {
            FConn.ExecRaw(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, AColumn, AValue));
            return true;
        } catch (const EDatabaseError &) {
            return false;
        }
    };
    TZavTransaction Transaction(FConn); // rolled back at the end
    for (const TListedColumn &C : ListedColumns(columns)) {
        const QString Where = table + u'.' + C.Name;
        if (C.Type == u"text") {
            QVERIFY2(Accepts(C.Name, u"'%1'"_s.arg(QString(C.Size, u'ä'))), qPrintable(Where));
            QVERIFY2(Accepts(C.Name, u"''"_s), qPrintable(Where));
            QVERIFY2(!Accepts(C.Name, u"'%1'"_s.arg(QString(C.Size + 1, u'x'))), qPrintable(Where));
        } else if (C.Type == u"long text") {
            QVERIFY2(Accepts(C.Name, u"'%1'"_s.arg(QString(70000, u'z'))), qPrintable(Where));
        } else if (C.Type == u"int16") {
            QVERIFY2(Accepts(C.Name, u"32767"_s) && Accepts(C.Name, u"-32768"_s), qPrintable(Where));
            QVERIFY2(!Accepts(C.Name, u"32768"_s) && !Accepts(C.Name, u"-32769"_s), qPrintable(Where));
            QVERIFY2(!Accepts(C.Name, u"'abc'"_s) && !Accepts(C.Name, u"2.5"_s), qPrintable(Where));
        } else if (C.Type == u"int32") {
            QVERIFY2(Accepts(C.Name, u"2147483647"_s) && Accepts(C.Name, u"-2147483648"_s), qPrintable(Where));
            QVERIFY2(!Accepts(C.Name, u"2147483648"_s) && !Accepts(C.Name, u"-2147483649"_s), qPrintable(Where));
            QVERIFY2(!Accepts(C.Name, u"'abc'"_s), qPrintable(Where));
        } else if (C.Type == u"double" || C.Type == u"date-time") {
            QVERIFY2(Accepts(C.Name, u"-1234.5678"_s) && Accepts(C.Name, u"7"_s), qPrintable(Where));
            QVERIFY2(!Accepts(C.Name, u"'abc'"_s), qPrintable(Where));
        } else if (C.Type == u"blob") {
            QVERIFY2(Accepts(C.Name, u"X'00FF10'"_s), qPrintable(Where));
        } else {
            QFAIL(qPrintable(u"unknown type "_s + C.Type));
        }
    }
}

void TestBoreholeSchema::nullEverywhereAndEpsgDefault_data()
{
    AddTableRows();
}

void TestBoreholeSchema::nullEverywhereAndEpsgDefault()
{
    QFETCH(QString, table);
    TZavTransaction Transaction(FConn);
    FConn.ExecRaw(u"INSERT INTO %1 DEFAULT VALUES"_s.arg(table));
    TZavQuery Q(FConn);
    Q.SetSQL(u"SELECT * FROM "_s + table);
    Q.Open();
    QCOMPARE(Q.RecordCount(), 1);
    for (int I = 0; I < Q.FieldCount(); ++I) {
        const TZavField &F = Q.Fields(I);
        if (table == u"S3STAMM" && F.FieldName() == u"EPSG") {
            QCOMPARE(F.AsInteger(), 0);
            QVERIFY(!F.IsNull());
        } else {
            QVERIFY2(F.IsNull(), qPrintable(F.FieldName()));
        }
    }
}

void TestBoreholeSchema::indexes_data()
{
    AddTableRows();
}

void TestBoreholeSchema::indexes()
{
    QFETCH(QString, table);
    QStringList Expected{u"GEODIN_LOC_%1_I1 0 PRJ_ID"_s.arg(table), u"GEODIN_LOC_%1_I2 0 LOCID"_s.arg(table)};
    if (table == u"S3PROBEN" || table == u"S3ASBFI")
        Expected.append(u"GEODIN_LOC_%1_I4 1 INVID"_s.arg(table));
    if (table == u"S3SCHDAT") // our own, for reading a layer's sublayers
        Expected << u"ZAVREX_S3SCHDAT_LAYER 0 LOCID"_s << u"ZAVREX_S3SCHDAT_LAYER 0 LAYERID"_s
                 << u"ZAVREX_S3SCHDAT_LAYER 0 LAYERCNTR"_s;
    QStringList Found;
    TZavQuery L(FConn);
    // [unique]: a double-quoted name would be a text literal in the Access dialect.
    L.SetSQL(u"SELECT il.name AS name, il.[unique] AS U, ii.name AS col FROM pragma_index_list('%1') il, "
             u"pragma_index_info(il.name) ii ORDER BY il.name, ii.seqno"_s.arg(table));
    L.Open();
    for (; !L.Eof(); L.Next())
        Found.append(u"%1 %2 %3"_s.arg(L.FieldByName(u"name"_s).AsString(), L.FieldByName(u"U"_s).AsString(),
                                       L.FieldByName(u"col"_s).AsString()));
    QCOMPARE(Found, Expected);
}

void TestBoreholeSchema::manyNullInvids()
{
    TZavTransaction Transaction(FConn);
    for (int I = 1; I <= 5; ++I)
        FConn.ExecRaw(u"INSERT INTO S3PROBEN (LOCID,RECID) VALUES (1,%1)"_s.arg(I));
    FConn.ExecRaw(u"INSERT INTO S3ASBFI (LOCID,RECID) VALUES (1,1),(1,2)"_s);
    FConn.ExecRaw(u"INSERT INTO S3PROBEN (LOCID,RECID,INVID) VALUES (1,6,'P1')"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FConn.ExecRaw(u"INSERT INTO S3PROBEN (LOCID,RECID,INVID) VALUES (1,7,'P1')"_s));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, FConn.ExecRaw(u"INSERT INTO S3ASBFI (INVID) VALUES ('Q'),('Q')"_s));
}

void TestBoreholeSchema::templateIsReproducible()
{
    QTemporaryDir Dir;
    QList<QByteArray> Runs;
    for (int Run = 0; Run < 2; ++Run) {
        const QString Out = QDir(Dir.path()).filePath(u"Template%1"_s.arg(Run));
        QProcess P;
        P.start(QString::fromUtf8(ZAVREX_MKTEMPLATE), {QString::fromUtf8(ZAVREX_SCHEMA), Out});
        QVERIFY(P.waitForFinished(60000));
        QVERIFY2(P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0, P.readAllStandardError().constData());
        Runs.append(FileBytes(Out));
    }
    QVERIFY(!Runs[0].isEmpty());
    QVERIFY(Runs[0] == Runs[1]);
    QVERIFY2(Runs[0] == TemplateBytes(), "the embedded template is what the generator makes");
    QVERIFY(TemplateBytes().startsWith("SQLite format 3"));
}

QTEST_GUILESS_MAIN(TestBoreholeSchema)
#include "tst_boreholeschema.moc"
