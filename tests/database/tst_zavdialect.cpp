// The one place that turns the Access statement dialect into SQLite: one table row per rule,
// and rows that prove quoted literals pass untouched.

#include "ZavDialect.h"
#include "ZavFormat.h"

#include <QLocale>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestZavDialect : public QObject
{
    Q_OBJECT

private slots:
    void translate_data();
    void translate();
    void sqlFloat_data();
    void sqlFloat();
    void sqlFloatIgnoresLocale();
    void sqlQuoted();
    void format();
    void formatArgumentMismatch();
};

void TestZavDialect::translate_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("params");

    QTest::newRow("plain select unchanged")
        << u"SELECT MAX(LOCID) AS MAXID FROM S3STAMM"_s << u"SELECT MAX(LOCID) AS MAXID FROM S3STAMM"_s << QStringList();
    QTest::newRow("DELETE * FROM")
        << u"DELETE * FROM S3SCHDAT WHERE (LOCID=3)"_s << u"DELETE FROM S3SCHDAT WHERE (LOCID=3)"_s << QStringList();
    QTest::newRow("delete * from, lower case, spaces")
        << u"delete  *  from S3GRUNDW where LOCID=3"_s << u"DELETE FROM S3GRUNDW where LOCID=3"_s << QStringList();
    QTest::newRow("DELETE *FROM without blank")
        << u"DELETE *FROM T"_s << u"DELETE FROM T"_s << QStringList();
    QTest::newRow("unpaired surrogate outside quotes does not stop the rewrites")
        << u"DELETE * FROM T"_s + QChar(0xD800) + u" WHERE A<>Null"_s
        << u"DELETE FROM T"_s + QChar(0xD800) + u" WHERE A IS NOT NULL"_s << QStringList();
    QTest::newRow("<>Null after a column")
        << u"where LOCID=3 and DEPTHTO<>Null"_s << u"where LOCID=3 and DEPTHTO IS NOT NULL"_s << QStringList();
    QTest::newRow("<> NULL with blanks, upper case")
        << u"WHERE DEPTHTO <> NULL ORDER BY DEPTHTO"_s << u"WHERE DEPTHTO IS NOT NULL ORDER BY DEPTHTO"_s << QStringList();
    QTest::newRow("<>Null at a line end")
        << u"select * from S3SCHDAT\nwhere LOCID=1 and DEPTHTO<>Null\norder by DEPTHTO"_s
        << u"select * from S3SCHDAT\nwhere LOCID=1 and DEPTHTO IS NOT NULL\norder by DEPTHTO"_s << QStringList();
    QTest::newRow("<> against a name beginning with Null is no null test")
        << u"WHERE A<>NullCount"_s << u"WHERE A<>NullCount"_s << QStringList();
    QTest::newRow("=Null stays (an assignment in SET)")
        << u"UPDATE T SET A=Null"_s << u"UPDATE T SET A=Null"_s << QStringList();
    QTest::newRow("double-quoted text literal")
        << u"INSERT INTO S3STAMM (LOCID,RECID,PRJ_ID) VALUES (1,1,\"ZAVGEN\")"_s
        << u"INSERT INTO S3STAMM (LOCID,RECID,PRJ_ID) VALUES (1,1,'ZAVGEN')"_s << QStringList();
    QTest::newRow("double-quoted literal holding a single quote")
        << u"VALUES (\"O'Neil\")"_s << u"VALUES ('O''Neil')"_s << QStringList();
    QTest::newRow("doubled double quote inside a double-quoted literal")
        << u"VALUES (\"a\"\"b\")"_s << u"VALUES ('a\"b')"_s << QStringList();
    QTest::newRow("single-quoted literal untouched")
        << u"WHERE PRJ_ID='it''s' AND LOCID=1"_s << u"WHERE PRJ_ID='it''s' AND LOCID=1"_s << QStringList();
    QTest::newRow("rules not applied inside a single-quoted literal")
        << u"VALUES ('DELETE * FROM x <>Null :Name \"q\"')"_s << u"VALUES ('DELETE * FROM x <>Null :Name \"q\"')"_s
        << QStringList();
    QTest::newRow("rules not applied inside a double-quoted literal")
        << u"VALUES (\"DELETE * FROM x<>Null :Name\")"_s << u"VALUES ('DELETE * FROM x<>Null :Name')"_s << QStringList();
    QTest::newRow("bracketed identifier untouched")
        << u"SELECT [A<>Null] FROM T"_s << u"SELECT [A<>Null] FROM T"_s << QStringList();
    QTest::newRow("comment untouched")
        << u"SELECT 1 -- DELETE * FROM :x\nFROM T"_s << u"SELECT 1 -- DELETE * FROM :x\nFROM T"_s << QStringList();
    QTest::newRow("named parameters become ? in order")
        << u"UPDATE S3SCHDAT\nSET DEPTHTO=:Depthto, PETRO=:Petro\nWHERE (LOCID=1) AND (RECID=2)"_s
        << u"UPDATE S3SCHDAT\nSET DEPTHTO=?, PETRO=?\nWHERE (LOCID=1) AND (RECID=2)"_s << QStringList{u"Depthto"_s, u"Petro"_s};
    QTest::newRow("repeated parameter")
        << u"WHERE A=:X OR B=:X"_s << u"WHERE A=? OR B=?"_s << QStringList{u"X"_s, u"X"_s};
    QTest::newRow("parameter with digits and underscore")
        << u"SET GW=:GW_1"_s << u"SET GW=?"_s << QStringList{u"GW_1"_s};
    QTest::newRow("a lone colon is no parameter")
        << u"SELECT ': ' || A, 1 : 2"_s << u"SELECT ': ' || A, 1 : 2"_s << QStringList();
    QTest::newRow("a doubled colon is one colon, no parameter")
        << u"SELECT '10' || '::' || A, B::C FROM T WHERE X=:P"_s << u"SELECT '10' || '::' || A, B:C FROM T WHERE X=?"_s
        << QStringList{u"P"_s};
    QTest::newRow("doubles with decimal point unchanged")
        << u"VALUES (1,2,0,1,0,\"ERST\",13.5)"_s << u"VALUES (1,2,0,1,0,'ERST',13.5)"_s << QStringList();
    QTest::newRow("unterminated literal is left for the engine to refuse")
        << u"VALUES ('abc"_s << u"VALUES ('abc"_s << QStringList();
}

void TestZavDialect::translate()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(QStringList, params);
    const TZavSQLiteStatement S = TranslateToSQLite(input);
    QCOMPARE(S.Text, expected);
    QCOMPARE(S.ParamNames, params);
}

void TestZavDialect::sqlFloat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("13.5") << 13.5 << u"13.5"_s;
    QTest::newRow("1.0 drops the point") << 1.0 << u"1"_s;
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("negative") << -2.25 << u"-2.25"_s;
    QTest::newRow("15 significant digits") << 1234567.89012345 << u"1234567.89012345"_s;
    QTest::newRow("rounded to 15 digits") << 0.1 + 0.2 << u"0.3"_s;
    QTest::newRow("tiny in exponent form") << 0.000001 << u"1e-06"_s;
    // "inf" and "nan" would be read as column names.
    QTest::newRow("infinity") << qInf() << u"9e999"_s;
    QTest::newRow("minus infinity") << -qInf() << u"-9e999"_s;
    QTest::newRow("not a number") << qQNaN() << u"NULL"_s;
}

void TestZavDialect::sqlFloat()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(SQLFloat(value), expected);
}

void TestZavDialect::sqlFloatIgnoresLocale()
{
    const QLocale Saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString Text = SQLFloat(13.5);
    const QString Formatted = ZavFormat(u"VALUES (%g)"_s, {12.5 + 1.0});
    QLocale::setDefault(Saved);
    QCOMPARE(Text, u"13.5"_s);
    QCOMPARE(Formatted, u"VALUES (13.5)"_s);
}

void TestZavDialect::sqlQuoted()
{
    QCOMPARE(SQLQuoted(u"ZAVGEN"_s), u"'ZAVGEN'"_s);
    QCOMPARE(SQLQuoted(u"O'N"_s), u"'O''N'"_s);
    QCOMPARE(SQLQuoted(QString()), u"''"_s);
}

void TestZavDialect::format()
{
    QCOMPARE(ZavFormat(u"INSERT INTO %s (PRJ_ID,LOCID,RECID) VALUES (%s,%d,%d)"_s, {u"S3PROBEN"_s, SQLQuoted(u"A'B"_s), 7, 3}),
             u"INSERT INTO S3PROBEN (PRJ_ID,LOCID,RECID) VALUES ('A''B',7,3)"_s);
    QCOMPARE(ZavFormat(u"100%% %d"_s, {5}), u"100% 5"_s);
}

void TestZavDialect::formatArgumentMismatch()
{
    QVERIFY_THROWS_EXCEPTION(std::exception, ZavFormat(u"%s %d"_s, {u"T"_s}));
    QVERIFY_THROWS_EXCEPTION(std::exception, ZavFormat(u"%s"_s, {u"T"_s, 1}));
}

QTEST_GUILESS_MAIN(TestZavDialect)
#include "tst_zavdialect.moc"
