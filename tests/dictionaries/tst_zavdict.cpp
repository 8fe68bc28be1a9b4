#include "Str_util.h"
#include "ZAVDictionaries.h"

#include <QBuffer>
#include <QLocale>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(TQuantityType)

namespace {

// A dictionary built by hand, entries kept in the order given.
std::unique_ptr<TZAVDict> MakeDict(const QList<std::pair<QString, QString>> &AEntries)
{
    auto Dict = std::make_unique<TZAVDict>();
    for (const auto &[Abbr, Clear] : AEntries)
        Dict->Add(new TZAVAtom(Abbr, Clear));
    return Dict;
}

} // namespace

class TestZAVDict : public QObject
{
    Q_OBJECT

    std::unique_ptr<TZAVDictionaries> FBuiltIn;

    TZAVDict *BuiltIn(const QString &ATable) const { return FBuiltIn->GetDictionary(ATable); }

private slots:
    void initTestCase()
    {
        FBuiltIn = LoadDictionariesFromResource();
        QVERIFY(FBuiltIn);
    }

    void gradeTexts_data()
    {
        QTest::addColumn<TQuantityType>("type");
        QTest::addColumn<int>("grade");
        QTest::addColumn<QString>("text");
        QTest::newRow("count 1") << qtAnzahl << 1 << QStringLiteral("vereinzelte");
        QTest::newRow("count 5") << qtAnzahl << 5 << QStringLiteral("sehr viele");
        QTest::newRow("amount 3") << qtMenge << 3 << QStringLiteral("mittlere Menge");
        QTest::newRow("strength 3") << qtStaerke << 3 << QStringLiteral("mittlere Stärke");
        QTest::newRow("strength 4") << qtStaerke << 4 << QStringLiteral("stark");
        QTest::newRow("quality 3") << qtQuality << 3 << QStringLiteral("mäßig");
        QTest::newRow("quality 5") << qtQuality << 5 << QStringLiteral("sehr gut");
        QTest::newRow("no grade type") << qtNone << 3 << QString();
        QTest::newRow("grade 0") << qtMenge << 0 << QString();
        QTest::newRow("grade 6") << qtMenge << 6 << QString();
        QTest::newRow("negative grade") << qtAnzahl << -1 << QString();
        QTest::newRow("unknown type value") << TQuantityType(9) << 2 << QString();
    }

    void gradeTexts()
    {
        QFETCH(TQuantityType, type);
        QFETCH(int, grade);
        QFETCH(QString, text);
        QCOMPARE(TQuantityProvider::ClearText(type, grade), text);
        QCOMPARE(TQuantityProvider::ClearText(type, QString::number(grade)), text);
    }

    void gradeFromTextThatIsNoNumber()
    {
        QCOMPARE(TQuantityProvider::ClearText(qtAnzahl, QStringLiteral("2x")), QString());
        QCOMPARE(TQuantityProvider::ClearText(qtAnzahl, QStringLiteral("")), QString());
    }

    void bracketSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("squareStart");
        QTest::addColumn<QString>("squareInner");
        QTest::newRow("closed group") << QStringLiteral("abc [def] gh") << 5 << QStringLiteral("def");
        QTest::newRow("empty group") << QStringLiteral("[]") << 1 << QString();
        QTest::newRow("unclosed group loses its last character") << QStringLiteral("ab [cd") << 4 << QStringLiteral("c");
        QTest::newRow("nested groups are counted") << QStringLiteral("a [b [c] d] e") << 3 << QStringLiteral("b [c] d");
        QTest::newRow("group at the very end") << QStringLiteral("Kies [gerundet]") << 6 << QStringLiteral("gerundet");
        QTest::newRow("no bracket") << QStringLiteral("Ton") << 0 << QString();
        QTest::newRow("empty text") << QString() << 0 << QString();
    }

    void bracketSearch()
    {
        QFETCH(QString, text);
        QFETCH(int, squareStart);
        QFETCH(QString, squareInner);
        int Start = -1;
        QCOMPARE(TextInBrackets(text, Start), squareInner);
        QCOMPARE(Start, squareStart);
        // The round-bracket search is the same operation on "(" and ")".
        const auto ToRound = [](QString S) { return S.replace(u'[', u'(').replace(u']', u')'); };
        Start = -1;
        QCOMPARE(TextInKlammern(ToRound(text), Start), ToRound(squareInner));
        QCOMPARE(Start, squareStart);
    }

    void findAndTranslateWorkedExamples_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("foundAbbr"); // empty: nothing found
        QTest::addColumn<TQuantityType>("foundType");
        QTest::addColumn<bool>("deleteBrackets");
        QTest::addColumn<QString>("translated");
        QTest::newRow("fs") << "S3PETRO" << "fs" << "fs" << qtStaerke << true << "feinsandig";
        QTest::newRow("fs2 graded") << "S3PETRO" << "fs2" << "fs" << qtStaerke << true << "schwach feinsandig";
        QTest::newRow("fs6: 6 is no grade") << "S3PETRO" << "fs6" << "" << qtNone << true << "";
        QTest::newRow("X2 count") << "S3PETRO" << "X2" << "X" << qtAnzahl << true << "mehrere Steine";
        QTest::newRow("X2 keeping brackets") << "S3PETRO" << "X2" << "X" << qtAnzahl << false
                                             << "mehrere Steine [63-200 mm]";
        QTest::newRow("flas3") << "S3FARBE" << "flas3" << "flas" << qtAnzahl << true << "etliche Flasern";
        QTest::newRow("hin3 is an entry of its own") << "S3FARBE" << "hin3" << "hin3" << qtNone << true << "Hinweise";
        QTest::newRow("G2: entry without grades leaves Result")
            << "S3PETRO" << "G2" << "G" << qtNone << true << "<vorher>";
    }

    void findAndTranslateWorkedExamples()
    {
        QFETCH(QString, table);
        QFETCH(QString, code);
        QFETCH(QString, foundAbbr);
        QFETCH(TQuantityType, foundType);
        QFETCH(bool, deleteBrackets);
        QFETCH(QString, translated);
        TZAVDict *Dict = BuiltIn(table);
        QVERIFY(Dict);
        const TZAVAtom *Atom = Dict->Find(code, true);
        if (foundAbbr.isEmpty()) {
            QCOMPARE(Atom, nullptr);
            return;
        }
        QVERIFY(Atom);
        QCOMPARE(Atom->Abbr(), foundAbbr);
        QCOMPARE(Atom->QuantityType(), foundType);
        QString Result = QStringLiteral(" <vorher> ");
        Atom->Translate(code, deleteBrackets, Result);
        QCOMPARE(Result, translated);
    }

    void findEdgeCases()
    {
        TZAVDict *Petro = BuiltIn(QStringLiteral("S3PETRO"));
        QCOMPARE(Petro->Find(u"", true), nullptr);
        QCOMPARE(Petro->Find(u"", false), nullptr);
        // A lone grade digit would shorten to the empty code.
        QCOMPARE(Petro->Find(u"3", true), nullptr);
        QCOMPARE(Petro->Find(u"fs2", false), nullptr);
        QVERIFY(Petro->Find(u"3.", false));
        QCOMPARE(Petro->Find(u"3.", false)->ClearText(), QStringLiteral("Petrographie (PETRO)"));
        // Codes are case-sensitive.
        QCOMPARE(Petro->Find(u"G", false)->ClearText(), QStringLiteral("Kies [gerundet]"));
        QCOMPARE(Petro->Find(u"g", false)->ClearText(), QStringLiteral("kiesig"));
        // Elements are found only with their quotes.
        QCOMPARE(Petro->Find(u"\"Au\"", false)->ClearText(), QStringLiteral("Gold"));
        QCOMPARE(Petro->Find(u"Au", false), nullptr);
    }

    void findAmongRepeatedAbbreviations_data()
    {
        // Which of the equal entries the bisection meets first.
        QTest::addColumn<QStringList>("abbrs");
        QTest::addColumn<int>("expected");
        QTest::newRow("three of five") << QStringList{"a", "b", "b", "b", "c"} << 2;
        QTest::newRow("two of two") << QStringList{"b", "b"} << 0;
        QTest::newRow("six of eight") << QStringList{"a", "b", "b", "b", "b", "b", "b", "c"} << 3;
        QTest::newRow("pair at the end") << QStringList{"a", "a", "b", "b"} << 2;
    }

    void findAmongRepeatedAbbreviations()
    {
        QFETCH(QStringList, abbrs);
        QFETCH(int, expected);
        TZAVDict Dict;
        for (const QString &A : abbrs)
            Dict.Add(new TZAVAtom(A, A));
        QCOMPARE(Dict.IndexOf(Dict.Find(u"b", false)), expected);
    }

    void translateRemovesOnlyTheFirstNonEmptyBracketGroup_data()
    {
        QTest::addColumn<QString>("clearText");
        QTest::addColumn<QString>("result");
        QTest::newRow("two groups") << "a [b] c [d]" << "a  c [d]";
        QTest::newRow("empty pair stays") << "a [] b" << "a [] b";
        QTest::newRow("trailing group and blank") << "Kies [gerundet]" << "Kies";
        QTest::newRow("control characters trimmed") << "\t Ton \n" << "Ton";
        QTest::newRow("unclosed group runs to the end") << "Sand [fein" << "Sand";
    }

    void translateRemovesOnlyTheFirstNonEmptyBracketGroup()
    {
        QFETCH(QString, clearText);
        QFETCH(QString, result);
        TZAVAtom Atom(QStringLiteral("x"), clearText);
        QString R;
        Atom.Translate(u"x", true, R);
        QCOMPARE(R, result);
    }

    void translateOfAnUngradedCodeLeavesResult_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("grade 0") << "x0";
        QTest::newRow("grade 6") << "x6";
        QTest::newRow("no digit") << "xy";
    }

    void translateOfAnUngradedCodeLeavesResult()
    {
        QFETCH(QString, code);
        TZAVAtom Atom(QStringLiteral("x"), QStringLiteral("Steine"));
        Atom.SetQuantityType(qtAnzahl);
        QString R = QStringLiteral("unverändert");
        Atom.Translate(code, true, R);
        QCOMPARE(R, QStringLiteral("unverändert"));
    }

    void compareOrdersByCodeUnits_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");
        QTest::newRow("heading before capital") << "3." << "G";
        QTest::newRow("capital before small") << "G" << "g";
        QTest::newRow("quote before digits") << "\"Au\"" << "0086";
        QTest::newRow("Z before a, not by locale") << "Z" << "a";
        QTest::newRow("umlaut after z") << "z" << "ä";
        QTest::newRow("prefix first") << "bn" << "bnst";
    }

    void compareOrdersByCodeUnits()
    {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TZAVAtom A(lower, QString()), B(higher, QString());
        QVERIFY(CompareZAVAtoms(&A, &B) < 0);
        QVERIFY(CompareZAVAtoms(&B, &A) > 0);
        QCOMPARE(CompareZAVAtoms(&A, &A), 0);
        QLocale::setDefault(QLocale::c());
    }

    void sortAlphabetOrdersTheEntries()
    {
        auto Dict = MakeDict({{"g", "1"}, {"3.", "2"}, {"G", "3"}, {"\"Ca\"", "4"}, {"G", "5"}});
        Dict->SortAlphabet();
        QStringList Abbrs;
        for (int I = 0; I < Dict->Count(); ++I)
            Abbrs << Dict->Atom(I)->Abbr();
        QCOMPARE(Abbrs, QStringList({"\"Ca\"", "3.", "G", "G", "g"}));
        QVERIFY(Dict->Find(u"g", false));
    }

    void findClearText()
    {
        TZAVDict *Petro = BuiltIn(QStringLiteral("S3PETRO"));
        QStringList Insensitive, Sensitive;
        for (const TZAVAtom *A : Petro->FindClearText(QStringLiteral("sand"), false))
            Insensitive << A->ClearText();
        for (const TZAVAtom *A : Petro->FindClearText(QStringLiteral("sand"), true))
            Sensitive << A->ClearText();
        QVERIFY(Insensitive.contains(QStringLiteral("Sand [allgemein]")));
        QVERIFY(Insensitive.contains(QStringLiteral("mittelsandig")));
        QVERIFY(!Sensitive.contains(QStringLiteral("Sand [allgemein]")));
        QVERIFY(Sensitive.contains(QStringLiteral("mittelsandig")));
        QVERIFY(Petro->FindClearText(QString(), false).isEmpty());
        QVERIFY(TZAVDict().FindClearText(QStringLiteral("Ton"), false).isEmpty());

        // Results come in list order; an empty clear text matches nothing.
        auto Dict = MakeDict({{"a", "Tonstein"}, {"b", ""}, {"c", "TON"}, {"d", "Kies"}});
        TZavAtomArray Hits = Dict->FindClearText(QStringLiteral("ton"), false);
        QCOMPARE(Hits.size(), 2);
        QCOMPARE(Hits[0]->Abbr(), QStringLiteral("a"));
        QCOMPARE(Hits[1]->Abbr(), QStringLiteral("c"));
    }

    void findClearTextUpperCasesByLocale()
    {
        auto Dict = MakeDict({{"a", "Straße"}});
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Dict->FindClearText(QStringLiteral("STRASSE"), false).size(), 1);
        QLocale::setDefault(QLocale::c());
    }

    void atomRoundTrip()
    {
        TZAVAtom Atom(QStringLiteral("\"Au\""), QStringLiteral("Gold [Element]"));
        Atom.SetZS(QStringLiteral("Zusatz ä"));
        Atom.SetQuantityType(qtQuality);
        QBuffer Buf;
        Buf.open(QIODevice::ReadWrite);
        Atom.Store(&Buf);
        Buf.seek(0);
        TZAVAtom Back;
        Back.Load(&Buf);
        QVERIFY(Buf.atEnd());
        QCOMPARE(Back.Abbr(), Atom.Abbr());
        QCOMPARE(Back.ClearText(), Atom.ClearText());
        QCOMPARE(Back.ZS(), Atom.ZS());
        QCOMPARE(Back.QuantityType(), qtQuality);
        QCOMPARE(TZAVAtom(QStringLiteral("a"), QStringLiteral("b")).QuantityType(), qtNone);
    }

    void dictionaryRoundTripKeepsNameAndOrder()
    {
        auto Dict = MakeDict({{"b", "zwei"}, {"a", "eins"}});
        Dict->SetTablename(QStringLiteral("S3TEST"));
        QBuffer Buf;
        Buf.open(QIODevice::ReadWrite);
        WriteObjectToStream(Dict.get(), &Buf);
        Buf.seek(0);
        std::unique_ptr<TObject> Obj(ReadObjectFromStream(&Buf));
        auto *Back = dynamic_cast<TZAVDict *>(Obj.get());
        QVERIFY(Back);
        QCOMPARE(Back->Tablename(), QStringLiteral("S3TEST"));
        QVERIFY(Back->OwnsObjects());
        QCOMPARE(Back->Count(), 2);
        // Reading does not sort.
        QCOMPARE(Back->Atom(0)->Abbr(), QStringLiteral("b"));
    }

    void foreignRecordInsideADictionaryIsAReadError()
    {
        // A damaged file could nest a dictionary where an entry belongs; Find would
        // then take it for an entry.
        TZAVDict Inner;
        Inner.SetTablename(QStringLiteral("INNEN"));
        QBuffer Buf;
        Buf.open(QIODevice::ReadWrite);
        WriteStrToStream(&Buf, QStringLiteral("S3AUSSEN"));
        WriteByte(&Buf, 1);
        WriteInt32(&Buf, 1);
        WriteObjectToStream(&Inner, &Buf);
        Buf.seek(0);
        TZAVDict Outer;
        try {
            Outer.ReadData(&Buf);
            QFAIL("no error");
        } catch (const EReadError &E) {
            QCOMPARE(E.Message(), QStringLiteral("Stream-Lesefehler"));
        }
        QCOMPARE(Outer.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestZAVDict)
#include "tst_zavdict.moc"
