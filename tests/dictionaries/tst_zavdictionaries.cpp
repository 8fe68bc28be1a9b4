#include "RawResource.h"
#include "Str_util.h"
#include "ZAVDictionaries.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

namespace {

const QStringList SetOrder = {"S3PETRO", "S3FARBE", "S3KSYS", "S3HSYS", "S3SART", "S3KALK", "S3STRAT",
                              "S3GENES", "S3BOGRP", "S3ZUSAT", "S3BSBG", "S3BSBV", "S3FACH", "S3KFIND",
                              "S3HFIND", "S3BART", "S3ASBBV", "S3BZW", "S3VERT", "S3BLAND", "S3TK25"};

QByteArray ResourceBytes()
{
    std::unique_ptr<QIODevice> Res = OpenRawResource(QStringLiteral("Dictionary"));
    return Res ? Res->readAll() : QByteArray();
}

// A reader of the dictionary file written from the format description alone, sharing no
// code with the program: it checks the framing and that nothing follows the set.
class TIndependentReader
{
public:
    explicit TIndependentReader(const QByteArray &AData)
        : FData(AData)
    {
    }

    // Returns an empty string when the file is well-formed, else what is wrong.
    QString Check(QList<QPair<QString, int>> &ADicts)
    {
        if (!Byte(1))
            return QStringLiteral("set ownership byte");
        qint32 D = 0;
        if (!Int(D) || D < 0)
            return QStringLiteral("dictionary count");
        for (qint32 I = 0; I < D; ++I) {
            QString Cls, Table;
            if (!Str(Cls) || Cls != u"TZAVDict")
                return QStringLiteral("dictionary class name at %1").arg(FPos);
            if (!Str(Table) || !Byte(1))
                return QStringLiteral("dictionary head at %1").arg(FPos);
            qint32 E = 0;
            if (!Int(E) || E < 0)
                return QStringLiteral("entry count at %1").arg(FPos);
            for (qint32 J = 0; J < E; ++J) {
                QString AtomCls, Abbr, Clear, ZS;
                if (!Str(AtomCls) || AtomCls != u"TZAVAtom" || !Str(Abbr) || !Str(Clear) || !Str(ZS))
                    return QStringLiteral("entry at %1").arg(FPos);
                if (FPos >= FData.size() || uchar(FData[FPos]) > 4)
                    return QStringLiteral("quantity type at %1").arg(FPos);
                ++FPos;
            }
            ADicts.append({Table, E});
        }
        return FPos == FData.size() ? QString() : QStringLiteral("trailing bytes");
    }

private:
    bool Byte(int AExpected)
    {
        if (FPos >= FData.size() || FData[FPos] != char(AExpected))
            return false;
        ++FPos;
        return true;
    }
    bool Int(qint32 &V)
    {
        if (FPos + 4 > FData.size())
            return false;
        V = qFromLittleEndian<qint32>(FData.constData() + FPos);
        FPos += 4;
        return true;
    }
    bool Str(QString &S)
    {
        qint32 N = 0;
        if (!Int(N) || N < 0 || FPos + 2 * qint64(N) > FData.size())
            return false;
        S = QString::fromUtf16(reinterpret_cast<const char16_t *>(FData.constData() + FPos), N);
        FPos += 2 * N;
        return true;
    }

    QByteArray FData;
    qsizetype FPos = 0;
};

} // namespace

class TestZAVDictionaries : public QObject
{
    Q_OBJECT

    std::unique_ptr<TZAVDictionaries> FSet;

private slots:
    void initTestCase()
    {
        FSet = LoadDictionariesFromResource();
        QVERIFY(FSet);
    }

    void builtInSetHoldsTwentyOneSortedDictionariesInOrder()
    {
        QCOMPARE(FSet->Count(), SetOrder.size());
        QVERIFY(FSet->OwnsObjects());
        for (int I = 0; I < FSet->Count(); ++I) {
            TZAVDict *D = FSet->Dictionary(I);
            QCOMPARE(D->Tablename(), SetOrder[I]);
            QVERIFY(D->OwnsObjects());
            QVERIFY2(D->Count() > 0, qPrintable(D->Tablename()));
            for (int J = 1; J < D->Count(); ++J)
                QVERIFY2(CompareZAVAtoms(D->Atom(J - 1), D->Atom(J)) <= 0,
                         qPrintable(D->Tablename() + u' ' + D->Atom(J)->Abbr()));
        }
    }

    void kindsFindTheDescriptionDictionaries()
    {
        QCOMPARE(FSet->GetDictionary(wbPetro)->Tablename(), QStringLiteral("S3PETRO"));
        QCOMPARE(FSet->GetDictionary(wbFarbe)->Tablename(), QStringLiteral("S3FARBE"));
        QCOMPARE(FSet->GetDictionary(wbStrat)->Tablename(), QStringLiteral("S3STRAT"));
        QCOMPARE(FSet->GetDictionary(wbBsBv)->Tablename(), QStringLiteral("S3BSBV"));
    }

    void shortCataloguesAsListed_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("abbr");
        QTest::addColumn<QString>("clearText");
        QTest::newRow("S3BLAND heading") << "S3BLAND" << 20 << 0 << "3.2" << "Bundesland (BLAND)";
        QTest::newRow("S3BLAND last") << "S3BLAND" << 20 << 19 << "ZZ" << "zur Zeit keinem Bundesland zugeordnet";
        QTest::newRow("S3HSYS trailing blank") << "S3HSYS" << 11 << 7 << "NH16" << "Deutsches Haupthöhennetz 2016 (DHHN2016) ";
        QTest::newRow("S3HSYS NHN") << "S3HSYS" << 11 << 8 << "NHN" << "Normalhöhennull [bezogen auf DHHN92]";
        QTest::newRow("S3VERT numeric code 0") << "S3VERT" << 15 << 0 << "0" << "ohne Beschränkung, offen für Dritte";
        QTest::newRow("S3VERT numeric code 3") << "S3VERT" << 15 << 3 << "3" << "vertrauliche Verschlusssache, Freigabe durch Amtsleitung";
        QTest::newRow("S3VERT V4") << "S3VERT" << 15 << 14 << "V4" << "Verschlusssache für Personenkreis 4";
        QTest::newRow("S3FACH NO") << "S3FACH" << 29 << 22 << "NO" << "Offshorebohrungen [Nordsee, Ostsee], [hist.]";
        QTest::newRow("S3KFIND DGPS") << "S3KFIND" << 28 << 7 << "DGPS" << "differenzielle Ortung durch Satellit";
        QTest::newRow("S3HFIND GPS") << "S3HFIND" << 28 << 12 << "GPS" << "3D-GPS-Handgerät";
        QTest::newRow("S3KSYS EPSG code") << "S3KSYS" << 43 << 4 << "25831" << "UTM, ETRS89, Zone 31N (Ostwert 6-stellig, ohne Zonenangabe)";
        QTest::newRow("S3KSYS misspelt as published") << "S3KSYS" << 43 << 7 << "3068" << "Soldner-Koordiantensystem LS500, Berlin";
        QTest::newRow("S3KSYS GK. first") << "S3KSYS" << 43 << 21 << "GK." << "Gauß-Krüger, DHDN/PD, Bessel-Ellipsoid";
        QTest::newRow("S3KSYS GK. repeated") << "S3KSYS" << 43 << 22 << "GK." << "Gauß-Krüger, DHDN/PD, Bessel-Ellipsoid";
        QTest::newRow("S3KSYS UTM. first") << "S3KSYS" << 43 << 38 << "UTM." << "UTM-System, ETRS89, GRS80-Ellipsoid";
        QTest::newRow("S3KSYS UTM. repeated") << "S3KSYS" << 43 << 39 << "UTM." << "UTM-System, ETRS89, GRS80-Ellipsoid";
        QTest::newRow("S3KSYS last") << "S3KSYS" << 43 << 42 << "UTM3" << "UTM / ETRS89, Zone 33";
    }

    void shortCataloguesAsListed()
    {
        QFETCH(QString, table);
        QFETCH(int, count);
        QFETCH(int, position);
        QFETCH(QString, abbr);
        QFETCH(QString, clearText);
        TZAVDict *D = FSet->GetDictionary(table);
        QVERIFY(D);
        QCOMPARE(D->Count(), count);
        QCOMPARE(D->Atom(position)->Abbr(), abbr);
        QCOMPARE(D->Atom(position)->ClearText(), clearText);
        for (int I = 0; I < D->Count(); ++I) {
            QCOMPARE(D->Atom(I)->QuantityType(), qtNone);
            QVERIFY(D->Atom(I)->ZS().isEmpty());
        }
    }

    void lookupByTableName()
    {
        QCOMPARE(FSet->GetDictionary(QStringLiteral("s3petro")), nullptr);
        QCOMPARE(FSet->GetDictionary(QStringLiteral("S3PETRO")), FSet->Dictionary(0));
        QCOMPARE(FSet->GetDictionary(QStringLiteral("S3TK25")), FSet->Dictionary(20));
        QCOMPARE(FSet->GetDictionary(QString()), nullptr);

        TZAVDictionaries Fresh;
        QCOMPARE(Fresh.Count(), 12);
        QCOMPARE(Fresh.GetDictionary(QString()), Fresh.Dictionary(0));
        QCOMPARE(Fresh.GetDictionary(QStringLiteral("S3PETRO")), nullptr);

        // Two dictionaries of one name: the lower position wins.
        Fresh.Dictionary(3)->SetTablename(QStringLiteral("S3X"));
        Fresh.Dictionary(7)->SetTablename(QStringLiteral("S3X"));
        QCOMPARE(Fresh.GetDictionary(QStringLiteral("S3X")), Fresh.Dictionary(3));
    }

    void kindBeyondTheSetIsAListError()
    {
        TZAVDictionaries Set;
        Set.Delete(11);
        try {
            Set.GetDictionary(wbBsBv);
            QFAIL("no error");
        } catch (const EListError &E) {
            QCOMPARE(E.Message(), QStringLiteral("Listenindex außerhalb des gültigen Bereichs (11)"));
        }
    }

    void readingIntoAnUnclearedSetKeepsTheEmptyDictionariesInFront()
    {
        TZAVDictionaries Set;
        std::unique_ptr<QIODevice> Res = OpenRawResource(QStringLiteral("DICTIONARY"));
        QVERIFY(Res);
        Set.ReadData(Res.get());
        QCOMPARE(Set.Count(), 12 + SetOrder.size());
        QCOMPARE(Set.GetDictionary(wbPetro)->Count(), 0);
        QCOMPARE(Set.GetDictionary(wbPetro)->Find(u"G", true), nullptr);
        // By name the loaded ones are still found.
        QCOMPARE(Set.GetDictionary(QStringLiteral("S3PETRO")), Set.Dictionary(12));
    }

    void savedSetEqualsTheResourceByteForByte()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("Wörterbuch.WB3"));
        FSet->SaveToFile(Path);
        QFile F(Path);
        QVERIFY(F.open(QIODevice::ReadOnly));
        const QByteArray Saved = F.readAll();
        QCOMPARE(Saved, ResourceBytes());

        std::unique_ptr<TZAVDictionaries> Back = LoadDictionariesFromFile(Path);
        QCOMPARE(Back->Count(), FSet->Count());
        for (int I = 0; I < FSet->Count(); ++I) {
            TZAVDict *A = FSet->Dictionary(I);
            TZAVDict *B = Back->Dictionary(I);
            QCOMPARE(B->Tablename(), A->Tablename());
            QCOMPARE(B->Count(), A->Count());
            for (int J = 0; J < A->Count(); ++J) {
                QCOMPARE(B->Atom(J)->Abbr(), A->Atom(J)->Abbr());
                QCOMPARE(B->Atom(J)->ClearText(), A->Atom(J)->ClearText());
                QCOMPARE(B->Atom(J)->QuantityType(), A->Atom(J)->QuantityType());
            }
        }
    }

    void independentReaderAcceptsTheBuiltInSet()
    {
        QList<QPair<QString, int>> Dicts;
        TIndependentReader Reader(ResourceBytes());
        QCOMPARE(Reader.Check(Dicts), QString());
        QCOMPARE(Dicts.size(), SetOrder.size());
        for (int I = 0; I < Dicts.size(); ++I) {
            QCOMPARE(Dicts[I].first, SetOrder[I]);
            QCOMPARE(Dicts[I].second, FSet->Dictionary(I)->Count());
        }
    }

    void missingResourceGivesNoSet()
    {
        QVERIFY(!LoadDictionariesFromResource(QStringLiteral("NoSuchResource")));
        QVERIFY(LoadDictionariesFromResource(QStringLiteral("dictionary")));
    }

    void nestedDictionariesAreRefusedBeforeTheyAreRead()
    {
        // A dictionary where an entry belongs, holding another, and so on: refused at the
        // first nesting, not read level by level until the stack overflows.
        QBuffer Buf;
        Buf.open(QIODevice::ReadWrite);
        WriteByte(&Buf, 1);
        WriteInt32(&Buf, 1);
        for (int I = 0; I < 50000; ++I) {
            WriteStrToStream(&Buf, QStringLiteral("TZAVDict"));
            WriteStrToStream(&Buf, QStringLiteral("S3PETRO"));
            WriteByte(&Buf, 1);
            WriteInt32(&Buf, 1);
        }
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("verschachtelt.WB3"));
        QFile F(Path);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write(Buf.data());
        F.close();
        try {
            LoadDictionariesFromFile(Path);
            QFAIL("no error");
        } catch (const EReadError &E) {
            QCOMPARE(E.Message(), QStringLiteral("Stream-Lesefehler"));
        }
    }

    void damagedFilesRaiseErrorsAndNeverCrash()
    {
        const QByteArray Good = ResourceBytes();
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("kaputt.WB3"));
        QRandomGenerator Rng(20261210);
        int Failures = 0;
        for (int Round = 0; Round < 120; ++Round) {
            QByteArray Bad = Good;
            if (Round < 60) {
                Bad.truncate(qsizetype(Rng.bounded(quint32(Good.size()))));
            } else {
                for (int K = 0; K < 4; ++K)
                    Bad[qsizetype(Rng.bounded(quint32(Bad.size())))] = char(Rng.bounded(256));
            }
            QFile F(Path);
            QVERIFY(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
            F.write(Bad);
            F.close();
            try {
                std::unique_ptr<TZAVDictionaries> Set = LoadDictionariesFromFile(Path);
                // A flipped byte inside a text can leave a readable set.
                QVERIFY(Round >= 60);
            } catch (const Exception &) {
                ++Failures;
            }
        }
        QVERIFY(Failures >= 60);
    }
};

QTEST_GUILESS_MAIN(TestZAVDictionaries)
#include "tst_zavdictionaries.moc"
