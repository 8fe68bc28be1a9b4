// Checks on the data of the built-in catalogues, run on the resource as the build made it.

#include "ZAVDictionaries.h"

#include <QHash>
#include <QSet>
#include <QTest>

#include <memory>

namespace {

// The catalogues that carry the shared section of general attributes.
const char *const SharedSectionTables[] = {"S3FARBE", "S3KALK", "S3GENES", "S3BOGRP", "S3ZUSAT", "S3BSBG", "S3BSBV"};

bool IsHeading(const QString &AAbbr)
{
    return !AAbbr.isEmpty() && (AAbbr.front().isDigit() || AAbbr.front() == u'.');
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

    std::unique_ptr<TZAVDictionaries> FSet;

    TZAVDict *Dict(const QString &ATable) const
    {
        TZAVDict *D = FSet->GetDictionary(ATable);
        if (!D)
            qFatal("no dictionary %s", qPrintable(ATable));
        return D;
    }

private slots:
    void initTestCase()
    {
        FSet = LoadDictionariesFromResource();
        QVERIFY(FSet);
        QCOMPARE(FSet->Count(), 21);
    }

    void entriesAreWellFormed_data()
    {
        QTest::addColumn<int>("position");
        for (int I = 0; I < FSet->Count(); ++I)
            QTest::newRow(qPrintable(FSet->Dictionary(I)->Tablename())) << I;
    }

    // Sorted for the bisection, a valid grade reading, nothing a user could never type or
    // would see as an empty label.
    void entriesAreWellFormed()
    {
        QFETCH(int, position);
        const TZAVDict *D = FSet->Dictionary(position);
        QVERIFY(D->Count() > 0);
        for (int I = 0; I < D->Count(); ++I) {
            const TZAVAtom *A = D->Atom(I);
            const QByteArray Where = D->Tablename().toUtf8() + " entry " + QByteArray::number(I) + " \""
                                     + A->Abbr().toUtf8() + '"';
            if (I > 0)
                QVERIFY2(CompareZAVAtoms(D->Atom(I - 1), A) <= 0, Where.constData());
            QVERIFY2(!A->Abbr().isEmpty(), Where.constData());
            QVERIFY2(!A->Abbr().front().isSpace() && !A->Abbr().back().isSpace(), Where.constData());
            QVERIFY2(!A->ClearText().trimmed().isEmpty(), Where.constData());
            QVERIFY2(A->QuantityType() <= qtQuality, Where.constData());
            QVERIFY2(A->ZS().isEmpty(), Where.constData());
            // Headings are never graded: their digits must not read as a grade.
            if (IsHeading(A->Abbr()) && D->Tablename() != u"S3VERT" && D->Tablename() != u"S3TK25")
                QVERIFY2(A->QuantityType() == qtNone, Where.constData());
        }
    }

    // The key repeats a few abbreviations; any other repeat is a slip in a source file.
    void onlyKnownRepeats()
    {
        const QHash<QString, QSet<QString>> Known = {
            {QStringLiteral("S3KSYS"), {QStringLiteral("GK."), QStringLiteral("UTM.")}},
            {QStringLiteral("S3GENES"), {QStringLiteral("agg")}},
        };
        for (int P = 0; P < FSet->Count(); ++P) {
            const TZAVDict *D = FSet->Dictionary(P);
            for (int I = 1; I < D->Count(); ++I) {
                const QString &Abbr = D->Atom(I)->Abbr();
                if (Abbr != D->Atom(I - 1)->Abbr())
                    continue;
                const QByteArray Where = D->Tablename().toUtf8() + " repeats \"" + Abbr.toUtf8() + '"';
                QVERIFY2(Known.value(D->Tablename()).contains(Abbr), Where.constData());
            }
        }
        // The two genesis rows keep the order of their source.
        const TZAVDict *Genese = Dict(QStringLiteral("S3GENES"));
        QStringList Agg;
        for (int I = 0; I < Genese->Count(); ++I)
            if (Genese->Atom(I)->Abbr() == u"agg")
                Agg << Genese->Atom(I)->ClearText();
        QCOMPARE(Agg, (QStringList{QStringLiteral("agglomeratisch"), QStringLiteral("Aggregation")}));
    }

    void headings_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("abbr");
        QTest::addColumn<QString>("clearText");

        const auto Row = [](const char *ATable, const char16_t *AAbbr, const char16_t *AText) {
            QTest::addRow("%s %s", ATable, qPrintable(QString::fromUtf16(AAbbr)))
                << QString::fromLatin1(ATable) << QString::fromUtf16(AAbbr) << QString::fromUtf16(AText);
        };
        Row("S3PETRO", u"3.", u"Petrographie (PETRO)");
        Row("S3FARBE", u"5.", u"Farbe (FARBE)");
        Row("S3FARBE", u"5.1.4", u"Farb-Vorsilben");
        Row("S3SART", u"1.", u"Schichtart (SART)");
        Row("S3KALK", u"7.", u"Skalenangaben zum Kalkgehalt, Humositäts- und Zersetzungsgrad (KALKGEH)");
        Row("S3STRAT", u"2.", u"Stratigraphie (STRAT)");
        Row("S3GENES", u"4.", u"Genese (GENESE)");
        Row("S3BOGRP", u"10.", u"Bodengruppen, Rohstoffgruppen (BGRUPPE)");
        Row("S3ZUSAT", u"6.", u"Zusatzangaben (ZUSATZ)");
        Row("S3BSBG", u"8.", u"Beschaffenheit nach Bohrgut (BESCHBG)");
        Row("S3BSBV", u"9.", u"Beschaffenheit nach Bohrvorgang (BESCHBV)");
        Row("S3BART", u"2.2", u"Aufschlussart (AUFART)");
        Row("S3ASBBV", u"1.1", u"Bohrverfahren (BVER)");
        Row("S3BZW", u"2.3", u"Zweck der Untersuchung (BZWECK)");
        for (const char *Table : SharedSectionTables)
            Row(Table, u"11.", u"Allgemeine Attribute (datenfeldübergreifend verwendbar)");
    }

    void headings()
    {
        QFETCH(QString, table);
        QFETCH(QString, abbr);
        QFETCH(QString, clearText);
        const TZAVAtom *A = Dict(table)->Find(abbr, false);
        QVERIFY(A);
        QCOMPARE(A->ClearText(), clearText);
    }

    // The shared section reads the same in every catalogue that carries it.
    void sharedSectionIsTheSameEverywhere()
    {
        const TZAVDict *Colour = Dict(QStringLiteral("S3FARBE"));
        const TZAVAtom *Heading = Colour->Find(u"11.", false);
        QVERIFY(Heading);
        for (const char *Code : {"ob", "un", "idm", "lok", "lw", "wl", "tw", "pw", "zt", "lag", "lse", "tv", "fls", "flas"}) {
            const TZAVAtom *Ref = Colour->Find(QString::fromLatin1(Code), false);
            QVERIFY2(Ref, Code);
            for (const char *Table : SharedSectionTables) {
                const TZAVAtom *A = Dict(QString::fromLatin1(Table))->Find(QString::fromLatin1(Code), false);
                const QByteArray Where = QByteArray(Table) + ' ' + Code;
                QVERIFY2(A, Where.constData());
                QVERIFY2(A->ClearText() == Ref->ClearText() && A->QuantityType() == Ref->QuantityType(),
                         Where.constData());
            }
        }
    }

    // Elements and minerals are written between double quotes; every element once, by symbol.
    void quotedPetrographyCodes()
    {
        static const char Symbols[] =
            "H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As Se Br Kr "
            "Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm Eu Gd Tb Dy Ho Er Tm Yb "
            "Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U Np Pu Am Cm Bk Cf Es Fm Md No Lr Rf "
            "Db Sg Bh Hs Mt Ds Rg Cn Nh Fl Mc Lv Ts Og";
        const QStringList Elements = QString::fromLatin1(Symbols).split(u' ');
        QCOMPARE(Elements.size(), 118);

        const TZAVDict *Petro = Dict(QStringLiteral("S3PETRO"));
        QSet<QString> Quoted;
        for (int I = 0; I < Petro->Count(); ++I) {
            const QString &Abbr = Petro->Atom(I)->Abbr();
            if (!Abbr.startsWith(u'"') && !Abbr.endsWith(u'"'))
                continue;
            QVERIFY2(Abbr.size() > 2 && Abbr.startsWith(u'"') && Abbr.endsWith(u'"'), qPrintable(Abbr));
            QVERIFY2(!Abbr.mid(1, Abbr.size() - 2).contains(u'"'), qPrintable(Abbr));
            Quoted.insert(Abbr.mid(1, Abbr.size() - 2));
        }
        for (const QString &E : Elements)
            QVERIFY2(Quoted.contains(E), qPrintable(E));
        // Any other capitalised quoted code would be a misspelt element.
        for (const QString &Q : std::as_const(Quoted))
            QVERIFY2(!Q.front().isUpper() || Elements.contains(Q), qPrintable(Q));

        QCOMPARE(Petro->Find(u"\"Au\"", false)->ClearText(), QStringLiteral("Gold"));
        QCOMPARE(Petro->Find(u"\"Ca\"", false)->ClearText(), QStringLiteral("Calcium"));
        // Case decides between an element and a mineral.
        QCOMPARE(Petro->Find(u"\"ca\"", false)->ClearText(), QStringLiteral("Kalzit"));
        QVERIFY(!Petro->Find(u"Au", false));
    }

    // Codes the translation examples need to be absent: a new entry under one of them
    // would change how a code is read (split, graded or shown as typed).
    void codesThatMustStayAbsent_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("abbr");

        const auto Row = [](const char *ATable, const char16_t *AAbbr) {
            QTest::addRow("%s %s", ATable, qPrintable(QString::fromUtf16(AAbbr)))
                << QString::fromLatin1(ATable) << QString::fromUtf16(AAbbr);
        };
        // Colour: pieces that would split the examples differently.
        for (const char16_t *C : {u"hb", u"dg", u"xy", u"xyz", u"=", u"st", u"bn=", u"gr3", u"bnro", u"grbnst", u"dgnst",
                                  u"hbnro", u"bnxyz"})
            Row("S3FARBE", C);
        Row("S3STRAT", u"qh(x)");
        Row("S3STRAT", u"qh2");
        Row("S3GENES", u"qh!");
        Row("S3GENES", u"qh");
        Row("S3PETRO", u"fs6");
        Row("S3PETRO", u"G2");
        Row("S3PETRO", u"G!");
        Row("S3PETRO", u"G?");
        Row("S3KALK", u"k3");
    }

    void codesThatMustStayAbsent()
    {
        QFETCH(QString, table);
        QFETCH(QString, abbr);
        QVERIFY(!Dict(table)->Find(abbr, false));
    }

    // The grade readings the examples rely on, and entries that must stay ungraded.
    void quantityTypes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("abbr");
        QTest::addColumn<int>("type");

        const auto Row = [](const char *ATable, const char16_t *AAbbr, TQuantityType AType) {
            QTest::addRow("%s %s", ATable, qPrintable(QString::fromUtf16(AAbbr)))
                << QString::fromLatin1(ATable) << QString::fromUtf16(AAbbr) << int(AType);
        };
        Row("S3PETRO", u"fs", qtStaerke);
        Row("S3PETRO", u"g", qtStaerke);
        Row("S3PETRO", u"u", qtStaerke);
        Row("S3PETRO", u"k", qtStaerke);
        Row("S3PETRO", u"X", qtAnzahl);
        Row("S3PETRO", u"pf", qtMenge);
        Row("S3PETRO", u"G", qtNone);
        Row("S3PETRO", u"mS", qtNone);
        Row("S3FARBE", u"flas", qtAnzahl);
        Row("S3FARBE", u"gr", qtNone);
        Row("S3FARBE", u"hin3", qtNone);
        Row("S3GENES", u"fls", qtAnzahl);
        Row("S3KALK", u"k", qtNone);
        Row("S3SART", u"B", qtAnzahl);
        Row("S3SART", u"ag", qtStaerke);
        Row("S3SART", u"ad", qtNone);
        Row("S3STRAT", u"qh", qtNone);
        Row("S3ZUSAT", u"b", qtAnzahl);
    }

    void quantityTypes()
    {
        QFETCH(QString, table);
        QFETCH(QString, abbr);
        QFETCH(int, type);
        const TZAVAtom *A = Dict(table)->Find(abbr, false);
        QVERIFY(A);
        QCOMPARE(int(A->QuantityType()), type);
    }

    // Map sheets are four-digit numbers with a name.
    void mapSheetNumbers()
    {
        const TZAVDict *Tk = Dict(QStringLiteral("S3TK25"));
        for (int I = 0; I < Tk->Count(); ++I) {
            const QString &Abbr = Tk->Atom(I)->Abbr();
            bool Digits = Abbr.size() == 4;
            for (QChar C : Abbr)
                Digits = Digits && C >= u'0' && C <= u'9';
            QVERIFY2(Digits, qPrintable(Abbr));
        }
        QCOMPARE(Tk->Find(u"0086", false)->ClearText(), QStringLiteral("virtuelles Blatt Nr.: 0086"));
        QCOMPARE(Tk->Find(u"7916", false)->ClearText(), QStringLiteral("Villingen-Schwenningen (W)"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
