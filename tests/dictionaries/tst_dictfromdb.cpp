// Dictionaries from catalogue databases, the same expectations for an Access catalogue (the
// fixture, read through the Access reader) and an SQLite catalogue holding the very same
// tables and rows: quantity markers, row order and sorting, repeats, NULL codes, missing
// tables and columns, further tables, and the full set with what it takes over.

#include "DMDict.h"
#include "ZAVDictionaries.h"
#include "ZavAccessFile.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavQuery.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

QString AccessData(const QString &AName)
{
    return QDir(QStringLiteral(ZAVREX_ACCESS_DATA)).filePath(AName);
}

// An SQLite catalogue with the tables, columns and rows of an Access catalogue, in their
// stored order; every value as text (NULL stays NULL).
QString SqliteCopyOf(const QString &AAccessPath, const QString &ADir)
{
    const QString Path = QDir(ADir).filePath(QFileInfo(AAccessPath).completeBaseName() + u".sqlite"_s);
    if (QFile::exists(Path))
        return Path;
    const TZavAccessFile Access(AAccessPath);
    TZavConnection Conn;
    Conn.OpenNew(Path);
    TZavTransaction T(Conn);
    for (const QString &Name : Access.TableNames()) {
        const TZavAccessFile::TTable Table = Access.ReadTable(Name);
        QStringList Columns;
        for (const QString &C : Table.Columns)
            Columns.append(u'"' + C + u"\" TEXT"_s);
        Conn.ExecRaw(u"CREATE TABLE %1 (%2)"_s.arg(Name, Columns.join(u", "_s)));
        for (const QList<QVariant> &Row : Table.Rows) {
            TZavQuery Insert(Conn);
            QStringList Marks;
            for (int I = 0; I < Row.size(); ++I)
                Marks.append(u":P%1"_s.arg(I));
            Insert.SetSQL(u"INSERT INTO %1 VALUES (%2)"_s.arg(Name, Marks.join(u',')));
            for (int I = 0; I < Row.size(); ++I) {
                if (!Row[I].isNull())
                    Insert.ParamByName(u"P%1"_s.arg(I)).SetAsString(Row[I].toString());
            }
            Insert.ExecSQL();
        }
    }
    T.Commit();
    return Path;
}

QStringList Entries(const TZAVDict *ADict)
{
    QStringList Result;
    for (int I = 0; I < ADict->Count(); ++I)
        Result.append(u"%1=%2/%3"_s.arg(ADict->Atom(I)->Abbr(), ADict->Atom(I)->ClearText())
                          .arg(int(ADict->Atom(I)->QuantityType())));
    return Result;
}

} // namespace

class TestDictFromDB : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void descriptionDictionaries_data();
    void descriptionDictionaries();
    void missingTableFails_data();
    void missingTableFails();
    void missingColumnFails();
    void addDictionary_data();
    void addDictionary();
    void fewerThanTwelveFailsAtTheFirstMissing();
    void fullSetTakesOverWhatIsMissing_data();
    void fullSetTakesOverWhatIsMissing();
    void unreadableCatalogue_data();
    void unreadableCatalogue();

private:
    void AddKinds();
    QString Catalogue(const QString &AKind, const QString &AAccessName = u"catalogue.accdb"_s);

    QTemporaryDir FDir;
    std::unique_ptr<TDMDict> FModule;
    std::unique_ptr<TZAVDictionaries> FBuiltIn;
};

void TestDictFromDB::initTestCase()
{
    QVERIFY(QFile::exists(AccessData(u"catalogue.accdb"_s)));
    FBuiltIn = LoadDictionariesFromResource();
    QVERIFY(FBuiltIn);
}

void TestDictFromDB::init()
{
    FModule = std::make_unique<TDMDict>();
    DMDict = FModule.get();
}

void TestDictFromDB::cleanup()
{
    DMDict = nullptr;
    FModule.reset();
}

QString TestDictFromDB::Catalogue(const QString &AKind, const QString &AAccessName)
{
    const QString Access = AccessData(AAccessName);
    return AKind == u"access" ? Access : SqliteCopyOf(Access, FDir.path());
}

void TestDictFromDB::AddKinds()
{
    QTest::addColumn<QString>("kind");
}

void TestDictFromDB::descriptionDictionaries_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("position");
    for (const QString &Kind : {u"access"_s, u"sqlite"_s}) {
        const QByteArray K = Kind.toLatin1();
        QTest::newRow(K + ": markers in mixed case, tested in order") << Kind << int(wbZusatz);
        QTest::newRow(K + ": repeated codes kept") << Kind << int(wbGenese);
        QTest::newRow(K + ": no Attribute column") << Kind << int(wbSArt);
        QTest::newRow(K + ": NULL code reads as empty") << Kind << int(wbFarbe);
    }
}

void TestDictFromDB::descriptionDictionaries()
{
    QFETCH(QString, kind);
    QFETCH(int, position);
    const std::unique_ptr<TZAVDictionaries> Set = TZAVDictionaries::CreateFromDB(Catalogue(kind));
    QCOMPARE(Set->Count(), 12);
    const TZAVDict *Dict = Set->GetDictionary(TZAV_WB(position));
    const QStringList Got = Entries(Dict);
    // Sorted by code, code unit by code unit.
    for (int I = 1; I < Dict->Count(); ++I)
        QVERIFY(CompareZAVAtoms(Dict->Atom(I - 1), Dict->Atom(I)) <= 0);
    switch (position) {
    case wbZusatz:
        // "quant_s QUANT_A": both markers, case-insensitive, Quant_A tested first.
        QVERIFY2(Got.contains(u"b=Bröckchen/1"_s), qPrintable(Got.join(u" | ")));
        QCOMPARE(Dict->Tablename(), u"S3ZUSAT"_s);
        break;
    case wbGenese: {
        QStringList Agg;
        for (int I = 0; I < Dict->Count(); ++I)
            if (Dict->Atom(I)->Abbr() == u"agg")
                Agg.append(Dict->Atom(I)->ClearText());
        // Both rows kept, in the order they were stored (the sort is stable).
        QCOMPARE(Agg, QStringList({u"Aggregation"_s, u"agglomeratisch"_s}));
        break;
    }
    case wbSArt:
        QCOMPARE(Dict->Count(), 5);
        for (int I = 0; I < Dict->Count(); ++I)
            QCOMPARE(Dict->Atom(I)->QuantityType(), qtNone);
        break;
    case wbFarbe:
        // The row stored with a NULL code comes first, as an empty code.
        QCOMPARE(Dict->Atom(0)->Abbr(), QString());
        QCOMPARE(Dict->Atom(0)->ClearText(), u"weiss"_s);
        break;
    default:
        break;
    }
    // Petrography: the fixture's nine rows with their markers.
    const TZAVDict *Petro = Set->GetDictionary(wbPetro);
    QCOMPARE(Petro->Count(), 9);
    QCOMPARE(Petro->Find(u"g", false)->QuantityType(), qtStaerke);
    QCOMPARE(Petro->Find(u"pf", false)->QuantityType(), qtMenge);
    QCOMPARE(Petro->Find(u"X", false)->QuantityType(), qtAnzahl);
}

void TestDictFromDB::missingTableFails_data()
{
    AddKinds();
    QTest::newRow("access") << u"access"_s;
    QTest::newRow("sqlite") << u"sqlite"_s;
}

void TestDictFromDB::missingTableFails()
{
    QFETCH(QString, kind);
    const QString Path = Catalogue(kind, u"catalogue_missing.accdb"_s);
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, TZAVDictionaries::CreateFromDB(Path));
    // On an existing set the dictionaries before the failing one keep what they read.
    TZAVDictionaries Set;
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Set.MakeFromDB(Path));
    QVERIFY(Set.GetDictionary(wbStrat)->Count() > 0);
    QCOMPARE(Set.GetDictionary(wbGenese)->Count(), 0);
    QCOMPARE(Set.GetDictionary(wbBoGrp)->Count(), 0);
}

void TestDictFromDB::missingColumnFails()
{
    const QString Path = FDir.filePath(u"ohne-klartext.sqlite"_s);
    {
        TZavConnection Conn;
        Conn.OpenNew(Path);
        Conn.ExecRaw(u"CREATE TABLE S3PETRO (Kuerzel TEXT, Text TEXT)"_s);
        Conn.ExecRaw(u"INSERT INTO S3PETRO VALUES ('G', 'Kies')"_s);
    }
    QVERIFY(DMDict->ConnectToDB(Path));
    TZAVDict Dict;
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, Dict.CreateFromDB(DMDict->DataSet(u"S3PETRO"_s)));
}

void TestDictFromDB::addDictionary_data()
{
    AddKinds();
    QTest::newRow("access") << u"access"_s;
    QTest::newRow("sqlite") << u"sqlite"_s;
}

void TestDictFromDB::addDictionary()
{
    QFETCH(QString, kind);
    TZAVDictionaries Set;
    QVERIFY(Set.MakeFromDB(Catalogue(kind)));
    QVERIFY(Set.AddDictionary(u"S3VERT"_s, false));
    QCOMPARE(Set.Count(), 13);
    QCOMPARE(Set.Dictionary(12)->Tablename(), u"S3VERT"_s);
    QCOMPARE(Set.Dictionary(12)->Count(), 4);
    // The map sheets: the name given is not read, and the columns are found by name
    // (the table stores Klartext before Kuerzel).
    QVERIFY(Set.AddDictionary(u"Egal"_s, true));
    QCOMPARE(Set.Dictionary(13)->Tablename(), u"S3TK25"_s);
    QVERIFY(Set.Dictionary(13)->Find(u"7916", false));
    QCOMPARE(Set.Dictionary(13)->Find(u"7916", false)->ClearText(), u"Villingen-Schwenningen (W)"_s);
    // A table the catalogue lacks: false, nothing appended.
    QVERIFY(!Set.AddDictionary(u"S3NICHTDA"_s, false));
    QCOMPARE(Set.Count(), 14);
}

void TestDictFromDB::fewerThanTwelveFailsAtTheFirstMissing()
{
    TZAVDictionaries Set;
    while (Set.Count() > 5)
        Set.Delete(Set.Count() - 1);
    try {
        Set.MakeFromDB(Catalogue(u"sqlite"_s));
        QFAIL("a set of five was filled as twelve");
    } catch (const EListError &E) {
        QCOMPARE(E.Message(), u"Listenindex außerhalb des gültigen Bereichs (5)"_s);
    }
    QCOMPARE(Set.Dictionary(4)->Tablename(), u"S3SART"_s);
    QCOMPARE(Set.Dictionary(4)->Count(), 5);
}

void TestDictFromDB::fullSetTakesOverWhatIsMissing_data()
{
    AddKinds();
    QTest::newRow("access") << u"access"_s;
    QTest::newRow("sqlite") << u"sqlite"_s;
}

void TestDictFromDB::fullSetTakesOverWhatIsMissing()
{
    QFETCH(QString, kind);
    QStringList TakenOver;
    std::unique_ptr<TZAVDictionaries> Set = BuildSetFromDB(Catalogue(kind), FBuiltIn.get(), &TakenOver);
    QCOMPARE(Set->Count(), 21);
    QCOMPARE(TakenOver, QStringList());
    QStringList Names;
    for (int I = 12; I < 21; ++I)
        Names.append(Set->Dictionary(I)->Tablename());
    QCOMPARE(Names, FurtherCatalogueTables);

    // A catalogue without S3VERT: the set in use serves it, and says so.
    if (kind == u"sqlite") {
        const QString Path = FDir.filePath(u"ohne-vert.sqlite"_s);
        QFile::remove(Path);
        QVERIFY(QFile::copy(Catalogue(kind), Path));
        QFile(Path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        {
            TZavConnection Conn;
            Conn.SetConnectionString(u"Provider=SQLite;Data Source="_s + Path);
            Conn.Open();
            Conn.ExecRaw(u"DROP TABLE S3VERT"_s);
        }
        Set = BuildSetFromDB(Path, FBuiltIn.get(), &TakenOver);
        QCOMPARE(TakenOver, QStringList{u"S3VERT"_s});
        QCOMPARE(Set->Count(), 21);
        QCOMPARE(Set->Dictionary(18)->Tablename(), u"S3VERT"_s);
        QCOMPARE(Entries(Set->Dictionary(18)), Entries(FBuiltIn->GetDictionary(u"S3VERT"_s)));
        // A copy: the set in use keeps its own entries.
        QVERIFY(Set->Dictionary(18)->Atom(0) != FBuiltIn->GetDictionary(u"S3VERT"_s)->Atom(0));
    }
}

void TestDictFromDB::unreadableCatalogue_data()
{
    QTest::addColumn<QString>("content");
    QTest::newRow("missing file") << QString();
    QTest::newRow("text file") << u"kein Katalog"_s;
}

void TestDictFromDB::unreadableCatalogue()
{
    QFETCH(QString, content);
    const QString Path = FDir.filePath(u"kaputt.accdb"_s);
    QFile::remove(Path);
    if (!content.isNull()) {
        QFile F(Path);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write(content.toUtf8());
    }
    QVERIFY(!DMDict->ConnectToDB(Path));
    QVERIFY(!DMDict->ConnectError().isEmpty());
    // The constructor leaves twelve empty dictionaries with empty names.
    const std::unique_ptr<TZAVDictionaries> Set = TZAVDictionaries::CreateFromDB(Path);
    QCOMPARE(Set->Count(), 12);
    QCOMPARE(Set->Dictionary(0)->Tablename(), QString());
    QVERIFY_THROWS_EXCEPTION(ECatalogueNotOpened, BuildSetFromDB(Path, FBuiltIn.get()));
}

QTEST_GUILESS_MAIN(TestDictFromDB)
#include "tst_dictfromdb.moc"
