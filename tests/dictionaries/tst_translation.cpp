// Translation of the coded layer fields against the built-in dictionary set and small
// hand-made sets.

#include "TranslationExamples.h"
#include "ZAVParser.h"

#include <QTest>

#include <memory>

namespace {

// Restores a global switch when the test row ends, also when a comparison fails.
class TSwitchGuard
{
public:
    TSwitchGuard(bool &ASwitch, bool AValue)
        : FSwitch(ASwitch)
        , FOld(ASwitch)
    {
        FSwitch = AValue;
    }
    ~TSwitchGuard() { FSwitch = FOld; }

private:
    bool &FSwitch;
    bool FOld;
};

// Puts another set (or none) in place of ZAV_Dictionaries for one test row.
class TSetGuard
{
public:
    explicit TSetGuard(TZAVDictionaries *ASet)
        : FOld(ZAV_Dictionaries)
    {
        ZAV_Dictionaries = ASet;
    }
    ~TSetGuard() { ZAV_Dictionaries = FOld; }

private:
    TZAVDictionaries *FOld;
};

// The text a field's label shows, as the layer page translates it.
QString ShownText(const QString &AField, const QString &AInput)
{
    if (AField == u"petro")
        return MakeNiceText(ParsePetroText(AInput));
    if (AField == u"sart")
        return MakeNiceText(ParseSArtText(AInput));
    if (AField == u"farbe")
        return AInput.isEmpty() ? QString() : ParseColor(QStringView(AInput));
    if (AField == u"strat")
        return ParseStrat(AInput);
    if (AField == u"genese")
        return ParseGenese(AInput);
    static const struct {
        const char16_t *Name;
        TZAV_WB Kind;
    } Kinds[] = {{u"kalk", wbKalk}, {u"bogrp", wbBoGrp}, {u"zusatz", wbZusatz}, {u"bsbg", wbBsBg}, {u"bsbv", wbBsBv}};
    for (const auto &K : Kinds)
        if (AField == QStringView(K.Name))
            return ParseWBText(K.Kind, AInput);
    qFatal("unknown field %s", qPrintable(AField));
}

// The parser's own result: for petro and sart without MakeNiceText.
QString ParsedText(const QString &AField, const QString &AInput)
{
    if (AField == u"petro")
        return ParsePetroText(AInput);
    if (AField == u"sart")
        return ParseSArtText(AInput);
    return ShownText(AField, AInput);
}

TZAVAtom *NewAtom(const char16_t *AAbbr, const char16_t *AClearText, TQuantityType AType = qtNone)
{
    auto *Atom = new TZAVAtom(QString::fromUtf16(AAbbr), QString::fromUtf16(AClearText));
    Atom->SetQuantityType(AType);
    return Atom;
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void workedExamples_data();
    void workedExamples();
    void sublayerDescription();
    void petroAndSArt_data();
    void petroAndSArt();
    void fieldParsers_data();
    void fieldParsers();
    void colorRest_data();
    void colorRest();
    void colorPiecesAndUmlauts_data();
    void colorPiecesAndUmlauts();
    void switches_data();
    void switches();
    void missingDictionaries_data();
    void missingDictionaries();
    void makeNiceText_data();
    void makeNiceText();
    void atomTextOfBuiltInSet();
    void atomText_data();
    void atomText();

private:
    std::unique_ptr<TZAVDictionaries> FBuiltIn;
};

void TestTranslation::initTestCase()
{
    FBuiltIn = LoadDictionariesFromResource();
    QVERIFY(FBuiltIn);
    ZAV_Dictionaries = FBuiltIn.get();
}

void TestTranslation::cleanupTestCase()
{
    ZAV_Dictionaries = nullptr;
    FBuiltIn.reset();
}

void TestTranslation::workedExamples_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("parsed");
    QTest::addColumn<QString>("shown");
    for (const TTranslationExample &E : TranslationExamples) {
        const QString Field = QString::fromLatin1(E.Field);
        const QString Parsed = QString::fromUtf16(E.Parsed);
        QTest::addRow("%s: %s", E.Field, qPrintable(QString::fromUtf16(E.Input)))
            << Field << QString::fromUtf16(E.Input) << Parsed << (E.Nice ? QString::fromUtf16(E.Nice) : Parsed);
    }
}

void TestTranslation::workedExamples()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, parsed);
    QFETCH(QString, shown);
    QCOMPARE(ParsedText(field, input), parsed);
    QCOMPARE(ShownText(field, input), shown);
}

void TestTranslation::sublayerDescription()
{
    // How a sublayer joins its layer type and petrography into one description.
    QCOMPARE(MakeNiceText(ParseSArtText(u"B3") + QStringLiteral(": ") + ParsePetroText(u"X")), QStringLiteral("etliche Brocken von: Steine"));
}

void TestTranslation::petroAndSArt_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("parsed");
    QTest::addColumn<QString>("nice");

    const auto Row = [](const char *AName, const char16_t *AField, const char16_t *AInput, const char16_t *AParsed,
                        const char16_t *ANice) {
        QTest::newRow(AName) << QString::fromUtf16(AField) << QString::fromUtf16(AInput) << QString::fromUtf16(AParsed)
                             << QString::fromUtf16(ANice);
    };
    Row("petro: empty", u"petro", u"", u"", u"");
    Row("petro: leading separator", u"petro", u",G", u",Kies", u", Kies");
    Row("petro: dash alone", u"petro", u"-", u" bis ", u" bis ");
    Row("petro: certainty mark stays in the token", u"petro", u"G!", u"G!", u"G!");
    Row("petro: grade digit without quantity type", u"petro", u"G2", u"G2", u"G2");
    Row("petro: no leak from the previous token", u"petro", u"mS,G2", u"Mittelsand,G2", u"Mittelsand, G2");
    Row("petro: no grade 6", u"petro", u"fs6", u"fs6", u"fs6");
    Row("petro: count grade drops brackets", u"petro", u"X2", u"mehrere Steine", u"mehrere Steine");
    Row("petro: element in quotes", u"petro", u"\"Au\"", u"Gold", u"Gold");
    Row("petro: blank makes the token unknown", u"petro", u" G", u" G", u" G");
    Row("petro: colour prefix is case-sensitive", u"petro", u"f:bn", u"f:bn", u"f:bn");
    Row("petro: empty colour", u"petro", u"F:", u"", u"");
    Row("petro: colour and stratigraphy", u"petro", u"F:grbnst,S:qh", u"graubraunstichig,Holozän",
        u"graubraunstichig, Holozän");
    Row("petro: stratigraphy certain", u"petro", u"S:qh!", u"Holozän (sicher)", u"Holozän  (sicher)");
    // "-" ends the stratigraphy token in petrography, so the rest is petrography again.
    Row("petro: stratigraphy ends at a dash", u"petro", u"S:q-t?", u"Quartär bis t?", u"Quartär bis t?");
    Row("petro: unclosed leading bracket", u"petro", u"(G,s", u"(Kies,sandig", u"(Kies, sandig");
    Row("petro: unclosed outer, closed inner", u"petro", u"((G),s", u"((Kies),sandig", u"((Kies), sandig");
    Row("petro: nested leading group", u"petro", u"((G),s)", u"(Kies),sandig", u"(Kies), sandig");
    Row("petro: only the leading group", u"petro", u"(G)(s)", u"Kies(sandig)", u"Kies (sandig)");
    Row("petro: bracket not at the start", u"petro", u"G(s)", u"Kies(sandig)", u"Kies (sandig)");

    Row("sart: empty", u"sart", u"", u"", u"");
    Row("sart: dash stays a dash", u"sart", u"-", u"-", u"-");
    Row("sart: trailing separator", u"sart", u"B3-", u"etliche Brocken von-", u"etliche Brocken von-");
    Row("sart: no stratigraphy prefix", u"sart", u"S:qh", u"S:qh", u"S:qh");
    Row("sart: grade digit without quantity type", u"sart", u"ad2,B3", u"ad2,etliche Brocken von",
        u"ad2, etliche Brocken von");
    Row("sart: no bracket unwrapping", u"sart", u"(ad)", u"(Adern von)", u"(Adern von)");
}

void TestTranslation::petroAndSArt()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, parsed);
    QFETCH(QString, nice);
    QCOMPARE(ParsedText(field, input), parsed);
    QCOMPARE(MakeNiceText(ParsedText(field, input)), nice);
}

void TestTranslation::fieldParsers_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const auto Row = [](const char *AName, const char16_t *AField, const char16_t *AInput, const char16_t *AExpected) {
        QTest::newRow(AName) << QString::fromUtf16(AField) << QString::fromUtf16(AInput)
                             << QString::fromUtf16(AExpected);
    };
    Row("strat: empty", u"strat", u"", u"");
    Row("genese: empty", u"genese", u"", u"");
    Row("genese: dash alone", u"genese", u"-", u" bis ");
    Row("strat: dash alone", u"strat", u"-", u" bis ");
    Row("strat: certain", u"strat", u"qh!", u"Holozän (sicher)");
    Row("genese: certainty mark stays in the token", u"genese", u"qh!", u"qh!");
    Row("strat: separators in a row", u"strat", u",,q", u",,Quartär");
    Row("strat: no trimming", u"strat", u" qh", u" qh");
    Row("strat: grade digit without quantity type", u"strat", u"q,qh2", u"Quartär,qh2");
    Row("kalk: no leak from the previous token", u"kalk", u"k2,k3", u"schwach kalkhaltig,k3");
    Row("kalk: colour rest stays as typed", u"kalk", u"F:bn=", u"braun=");
    Row("kalk: colour prefix is case-sensitive", u"kalk", u"f:bn", u"f:bn");
    Row("strat: colour token", u"strat", u"F:bn", u"braun");
    Row("genese: brackets are separators", u"genese", u"fl(lok)", u"Fließerde(lokal)");
    Row("genese: no grade 6", u"genese", u"fls6", u"fls6");
    Row("bsbg: plain entry", u"bsbg", u"idm", u"Mitte");
    Row("bsbv: unknown code", u"bsbv", u"xyz", u"xyz");
}

void TestTranslation::fieldParsers()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(ShownText(field, input), expected);
}

void TestTranslation::colorRest_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("rest");

    const auto Row = [](const char *AName, const char16_t *AInput, const char16_t *AExpected, const char16_t *ARest) {
        QTest::newRow(AName) << QString::fromUtf16(AInput) << QString::fromUtf16(AExpected)
                             << QString::fromUtf16(ARest);
    };
    Row("empty", u"", u"", u"");
    Row("two pieces", u"bnro", u"braunrot", u"");
    Row("prefix then whole code", u"grbnst", u"graubraunstichig", u"");
    Row("whole entry never split", u"bnst", u"braunstichig", u"");
    Row("whole three-letter code", u"hbn", u"hellbraun", u"");
    Row("exact entry beats grade", u"hin3", u"Hinweise", u"");
    Row("grade digit without quantity type", u"gr3", u"gr3", u"");
    Row("prefix then grade digit without quantity type", u"grgr3", u"graugr3", u"");
    Row("prefix leaves equals sign", u"bn=", u"braun=", u"=");
    Row("code before equals sign", u"hbn=", u"hellbraun=", u"=");
    Row("code before st", u"dgnst", u"dunkelgrünst", u"st");
    Row("unreadable rest", u"bnxyz", u"braunxyz", u"xyz");
    Row("nothing readable", u"hbnro", u"hbnro", u"hbnro");
    Row("three pieces", u"ddgrbn", u"sehr dunkelgraubraun", u"");
}

void TestTranslation::colorRest()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(QString, rest);
    QString Abbr = input;
    QCOMPARE(ParseColor(Abbr), expected);
    QCOMPARE(Abbr, rest);
    QCOMPARE(ParseColor(QStringView(input)), expected);
}

void TestTranslation::colorPiecesAndUmlauts_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("braun") << QStringLiteral("bnli") << QStringLiteral("bräunlich");
    QTest::newRow("rot") << QStringLiteral("roli") << QStringLiteral("rötlich");
    QTest::newRow("blau") << QStringLiteral("blli") << QStringLiteral("bläulich");
    QTest::newRow("grau") << QStringLiteral("grli") << QStringLiteral("gräulich");
    QTest::newRow("schwarz") << QStringLiteral("swli") << QStringLiteral("schwärzlich");
    QTest::newRow("two replacements") << QStringLiteral("bnligrli") << QStringLiteral("bräunlichgräulich");
    QTest::newRow("case-sensitive") << QStringLiteral("Bnli") << QStringLiteral("Braunlich");
    // The graded prefix shows itself only, not the whole code before the rest is read.
    QTest::newRow("graded prefix without quantity type") << QStringLiteral("d3bn") << QStringLiteral("d3braun");
    QTest::newRow("graded prefix with quantity type") << QStringLiteral("f2bn") << QStringLiteral("mehrere Fleckenbraun");
}

void TestTranslation::colorPiecesAndUmlauts()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);

    // Pieces that join into the spellings the colour parser corrects.
    TZAVDictionaries Set;
    TZAVDict *Farbe = Set.GetDictionary(wbFarbe);
    for (TZAVAtom *A : {NewAtom(u"bn", u"braun"), NewAtom(u"Bn", u"Braun"), NewAtom(u"ro", u"rot"),
                        NewAtom(u"bl", u"blau"), NewAtom(u"gr", u"grau"), NewAtom(u"sw", u"schwarz"),
                        NewAtom(u"li", u"lich"), NewAtom(u"d", u"dunkel"), NewAtom(u"f", u"Flecken", qtAnzahl)})
        Farbe->Add(A);
    Farbe->SortAlphabet();
    TSetGuard Guard(&Set);

    QCOMPARE(ParseColor(QStringView(input)), expected);
}

void TestTranslation::switches_data()
{
    QTest::addColumn<QString>("switchName");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const auto Row = [](const char *AName, const char16_t *ASwitch, const char16_t *AField, const char16_t *AInput,
                        const char16_t *AExpected) {
        QTest::newRow(AName) << QString::fromUtf16(ASwitch) << QString::fromUtf16(AField) << QString::fromUtf16(AInput)
                             << QString::fromUtf16(AExpected);
    };
    Row("no translation: petro returns its input", u"Translate", u"petro", u"(G,s),F:bn", u"(G, s), F:bn");
    Row("no translation: strat returns its input", u"Translate", u"strat", u"q-t?", u"q-t?");
    Row("no translation: kalk returns its input", u"Translate", u"kalk", u"k2", u"k2");
    Row("no translation: sart still translated", u"Translate", u"sart", u"B3", u"etliche Brocken von");
    Row("no translation: colour still translated", u"Translate", u"farbe", u"bnro", u"braunrot");
    Row("brackets kept: petro", u"DeleteBracketText", u"petro", u"mS,X2",
        u"Mittelsand [0, 2-0, 63 mm], mehrere Steine [63-200 mm]");
    Row("brackets kept: colour", u"DeleteBracketText", u"farbe", u"flas2", u"mehrere Flasern [veraltet]");
    Row("brackets kept: exact colour entry", u"DeleteBracketText", u"farbe", u"hin3", u"Hinweise [mittlere Stärke]");
    Row("no unwrapping", u"RemoveFirstBrackets", u"petro", u"(G,s)", u"(Kies, sandig)");
}

void TestTranslation::switches()
{
    QFETCH(QString, switchName);
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, expected);

    bool *Switch = switchName == u"Translate"           ? &ZAV3_Translate
                   : switchName == u"DeleteBracketText" ? &ZAV3_DeleteBracketText
                                                        : &ZAV3_RemoveFirstBrackets;
    TSwitchGuard Guard(*Switch, false);
    QCOMPARE(ShownText(field, input), expected);
}

void TestTranslation::missingDictionaries_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const auto Row = [](const char *AName, const char16_t *AField, const char16_t *AInput, const char16_t *AExpected) {
        QTest::newRow(AName) << QString::fromUtf16(AField) << QString::fromUtf16(AInput)
                             << QString::fromUtf16(AExpected);
    };
    Row("petro", u"petro", u"mS,fs2", u"mS, fs2");
    Row("petro: separators and unwrapping still apply", u"petro", u"(S-G)", u"S bis G");
    Row("petro: colour and stratigraphy", u"petro", u"F:bnro,S:qh?", u"bnro, qh  (fraglich)");
    Row("sart", u"sart", u"B3-ad", u"B3-ad");
    Row("colour", u"farbe", u"bnro", u"bnro");
    Row("strat", u"strat", u"q-t?", u"q bis t (fraglich)");
    Row("genese", u"genese", u"(fl)", u"(fl)");
    Row("bsbv", u"bsbv", u"F:bn,xyz", u"bn,xyz");
}

void TestTranslation::missingDictionaries()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    {
        TSetGuard NoSet(nullptr);
        QCOMPARE(ShownText(field, input), expected);
    }
    {
        // A dictionary file may hold fewer dictionaries than there are kinds.
        TZAVDictionaries Short;
        Short.Clear();
        auto *Only = new TZAVDict;
        Only->SetTablename(QStringLiteral("S3BLAND"));
        Only->Add(NewAtom(u"BB", u"Brandenburg"));
        Short.Add(Only);
        TSetGuard ShortSet(&Short);
        QCOMPARE(ShownText(field, input), expected);
    }
    {
        TZAVDictionaries Empty; // twelve empty dictionaries
        TSetGuard EmptySet(&Empty);
        QCOMPARE(ShownText(field, input), expected);
    }
}

void TestTranslation::makeNiceText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("comma") << QStringLiteral("a,b") << QStringLiteral("a, b");
    QTest::newRow("comma already spaced") << QStringLiteral("a, b") << QStringLiteral("a,  b");
    QTest::newRow("comma alone") << QStringLiteral(",") << QStringLiteral(", ");
    QTest::newRow("double bracket") << QStringLiteral("a((b))") << QStringLiteral("a ((b))");
    QTest::newRow("bracket first") << QStringLiteral("(a)") << QStringLiteral("(a)");
    QTest::newRow("bracket last") << QStringLiteral("a(") << QStringLiteral("a(");
    QTest::newRow("bracket after blank") << QStringLiteral("a (b") << QStringLiteral("a  (b");
    QTest::newRow("bracket after comma") << QStringLiteral("a,(b)") << QStringLiteral("a,  (b)");
    QTest::newRow("bracket last after comma") << QStringLiteral("a,(") << QStringLiteral("a, (");
    QTest::newRow("two brackets") << QStringLiteral("x(y(z") << QStringLiteral("x (y (z");
}

void TestTranslation::makeNiceText()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(MakeNiceText(input), expected);
}

namespace {

// What the entry's own Translate gives when it is handed the code as its result.
QString TranslatedByAtom(const TZAVAtom *AAtom, const QString &ACode)
{
    QString Result = ACode;
    AAtom->Translate(ACode, ZAV3_DeleteBracketText, Result);
    return Result;
}

QString AppendedText(const TZAVAtom *AAtom, const QString &ACode)
{
    QString Result = QStringLiteral("<");
    AppendAtomText(AAtom, ACode, Result);
    return Result.sliced(1);
}

} // namespace

void TestTranslation::atomTextOfBuiltInSet()
{
    // Every entry of every dictionary, as itself and with each grade digit, with and
    // without bracket removal: the parsers' shortcut must agree with Translate.
    for (const bool DeleteBrackets : {true, false}) {
        TSwitchGuard Guard(ZAV3_DeleteBracketText, DeleteBrackets);
        for (TObject *DictObj : *FBuiltIn) {
            for (TObject *Obj : *static_cast<TZAVDict *>(DictObj)) {
                const auto *Atom = static_cast<const TZAVAtom *>(Obj);
                for (const char16_t *Grade : {u"", u"1", u"2", u"3", u"4", u"5"}) {
                    const QString Code = Atom->Abbr() + QString::fromUtf16(Grade);
                    const QString Expected = TranslatedByAtom(Atom, Code);
                    const QString Actual = AppendedText(Atom, Code);
                    QVERIFY2(Actual == Expected, qPrintable(QStringLiteral("%1 %2: \"%3\", Translate \"%4\"")
                                                               .arg(static_cast<TZAVDict *>(DictObj)->Tablename(),
                                                                    Code, Actual, Expected)));
                }
            }
        }
    }
}

void TestTranslation::atomText_data()
{
    QTest::addColumn<QString>("clearText");
    QTest::addColumn<int>("quantityType");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("expectedGrade3");

    const auto Row = [](const char *AName, const char16_t *AClear, int AType, const char16_t *AExpected,
                        const char16_t *AGrade3) {
        QTest::newRow(AName) << QString::fromUtf16(AClear) << AType << QString::fromUtf16(AExpected)
                             << QString::fromUtf16(AGrade3);
    };
    Row("plain", u"Stein", qtAnzahl, u"Stein", u"etliche Stein");
    Row("only the first group", u"a [b] c [d]", qtNone, u"a  c [d]", u"A3");
    Row("empty group stays", u"Stein []", qtStaerke, u"Stein []", u"mittlere Stärke Stein []");
    Row("nested group", u"a [[b] c] d", qtMenge, u"a  d", u"mittlere Menge a  d");
    Row("group first", u"[alt] Stein", qtAnzahl, u"Stein", u"etliche  Stein");
    Row("group is everything", u"[alt]", qtAnzahl, u"", u"etliche");
    Row("unclosed group", u"Stein [alt", qtAnzahl, u"Stein", u"etliche Stein");
    Row("blanks and controls trimmed", u" \tStein\n ", qtQuality, u"Stein", u"mäßig  \tStein");
    Row("empty clear text", u"", qtAnzahl, u"", u"etliche");
    Row("unknown quantity type", u" Stein", 7, u"Stein", u"Stein");
}

void TestTranslation::atomText()
{
    QFETCH(QString, clearText);
    QFETCH(int, quantityType);
    QFETCH(QString, expected);
    QFETCH(QString, expectedGrade3);

    TZAVAtom Atom(QStringLiteral("A"), clearText);
    Atom.SetQuantityType(TQuantityType(quantityType));
    QCOMPARE(AppendedText(&Atom, QStringLiteral("A")), expected);
    QCOMPARE(AppendedText(&Atom, QStringLiteral("A3")), expectedGrade3);
    QCOMPARE(AppendedText(&Atom, QStringLiteral("A")), TranslatedByAtom(&Atom, QStringLiteral("A")));
    QCOMPARE(AppendedText(&Atom, QStringLiteral("A3")), TranslatedByAtom(&Atom, QStringLiteral("A3")));
}

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
