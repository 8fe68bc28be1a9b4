#include "ZAVParser.h"

// The parsers run on every keystroke and for every row of the layer list, so a token
// costs its bisections and a copy of its clear text into the one result, nothing more:
// tokens are slices of the input and every piece is written straight into the result.

namespace {

// Writes into a QString through a pointer; QString::append per piece costs more than
// the few characters it copies. The text gets its final length when the builder ends.
class TTextBuilder
{
public:
    TTextBuilder(QString &AText, qsizetype AExpected)
        : FText(AText)
        , FLength(AText.size())
    {
        FText.resize(FLength + qMax<qsizetype>(AExpected, 16));
        FData = FText.data();
        FCapacity = FText.size();
    }
    ~TTextBuilder() { FText.truncate(FLength); }
    TTextBuilder(const TTextBuilder &) = delete;
    TTextBuilder &operator=(const TTextBuilder &) = delete;

    void Append(QStringView S)
    {
        if (FLength + S.size() > FCapacity)
            Grow(S.size());
        QChar *Out = FData + FLength;
        for (const QChar c : S)
            *Out++ = c;
        FLength += S.size();
    }
    void Append(QChar c)
    {
        if (FLength == FCapacity)
            Grow(1);
        FData[FLength++] = c;
    }
    qsizetype Length() const { return FLength; }
    // The text written from AFrom on, for changes in place of the same length.
    QChar *At(qsizetype AFrom) { return FData + AFrom; }

private:
    void Grow(qsizetype AMore)
    {
        FText.resize(qMax(FCapacity * 2, FLength + AMore));
        FData = FText.data();
        FCapacity = FText.size();
    }

    QString &FText;
    QChar *FData = nullptr;
    qsizetype FLength = 0;
    qsizetype FCapacity = 0;
};

// Room for a typical clear text, which runs a few times longer than its codes.
qsizetype ExpectedLength(QStringView Eingabe)
{
    return Eingabe.size() * 6 + 16;
}

// The dictionary of a kind, or null when there is no set or the set is too short for
// that kind (a dictionary file may hold fewer than twelve); translation never fails.
const TZAVDict *DictionaryOfKind(TZAV_WB AKind)
{
    const TZAVDictionaries *Set = ZAV_Dictionaries;
    if (!Set || Set->Count() <= int(AKind))
        return nullptr;
    return Set->GetDictionary(AKind);
}

void AppendAtomTextTo(const TZAVAtom *AAtom, QStringView ACode, TTextBuilder &AResult)
{
    QStringView Parts[4];
    const int Count = AAtom->TextSlices(ACode, ZAV3_DeleteBracketText, Parts);
    // Translate leaves its result as passed in for a grade of an ungraded entry; the
    // parsers show the code itself there.
    if (Count < 0) {
        AResult.Append(ACode);
        return;
    }
    for (int I = 0; I < Count; ++I)
        AResult.Append(Parts[I]);
}

// Translates ACode in ADict (grade digits allowed) and appends it; appends the code as
// typed when there is no dictionary or no entry.
void AppendCodeText(const TZAVDict *ADict, QStringView ACode, TTextBuilder &AResult)
{
    const TZAVAtom *Atom = ADict ? ADict->Find(ACode, true) : nullptr;
    if (Atom)
        AppendAtomTextTo(Atom, ACode, AResult);
    else
        AResult.Append(ACode);
}

// One step of ParseColor: appends the clear text of a leading piece of Abbr and leaves
// in Abbr what follows it; appends Abbr as it stands and leaves it unchanged when no
// piece can be read. Each piece is translated as itself, so a graded piece of an
// ungraded entry shows that piece, not the whole code.
void ParseColorInternal(const TZAVDict *ColorDict, QStringView &Abbr, TTextBuilder &Result)
{
    if (Abbr.isEmpty() || !ColorDict) {
        Result.Append(Abbr);
        return;
    }
    // Whole code first, so an entry such as bnst is never split into bn and st.
    if (const TZAVAtom *Atom = ColorDict->Find(Abbr, true)) {
        AppendAtomTextTo(Atom, Abbr, Result);
        Abbr = QStringView();
        return;
    }
    if (Abbr.size() > 2) {
        const QStringView Prefix = Abbr.first(2);
        if (const TZAVAtom *Atom = ColorDict->Find(Prefix, true)) {
            AppendAtomTextTo(Atom, Prefix, Result);
            Abbr = Abbr.sliced(2);
            return;
        }
    }
    if (Abbr.endsWith(u'=')) {
        const QStringView Code = Abbr.chopped(1);
        if (const TZAVAtom *Atom = ColorDict->Find(Code, true)) {
            AppendAtomTextTo(Atom, Code, Result);
            Abbr = Abbr.last(1);
            return;
        }
    }
    if (Abbr.endsWith(u"st")) {
        const QStringView Code = Abbr.chopped(2);
        if (const TZAVAtom *Atom = ColorDict->Find(Code, true)) {
            AppendAtomTextTo(Atom, Code, Result);
            Abbr = Abbr.last(2);
            return;
        }
    }
    Result.Append(Abbr);
}

// Joining colour pieces writes "braun" + "lich"; these are the spellings shown. Each
// pair has the same length, so the text is changed in place.
void ReplaceColorUmlauts(QChar *AText, qsizetype ALength)
{
    static const struct {
        QStringView From;
        QStringView To;
    } Pairs[] = {
        {u"braunlich", u"bräunlich"},
        {u"rotlich", u"rötlich"},
        {u"blaulich", u"bläulich"},
        {u"graulich", u"gräulich"},
        {u"schwarzlich", u"schwärzlich"},
    };
    const QStringView Text(AText, ALength);
    if (!Text.contains(u"lich"))
        return;
    for (const auto &P : Pairs) {
        for (qsizetype At = Text.indexOf(P.From); At >= 0; At = Text.indexOf(P.From, At + P.From.size())) {
            for (qsizetype I = 0; I < P.To.size(); ++I)
                AText[At + I] = P.To[I];
        }
    }
}

// ParseColor into AResult; Rest becomes what could not be read.
void ParseColorTo(QStringView &Rest, TTextBuilder &AResult)
{
    const qsizetype From = AResult.Length();
    const TZAVDict *ColorDict = DictionaryOfKind(wbFarbe);
    QStringView Before;
    do {
        Before = Rest;
        ParseColorInternal(ColorDict, Rest, AResult);
    } while (!Rest.isEmpty() && Rest != Before);
    ReplaceColorUmlauts(AResult.At(From), AResult.Length() - From);
}

bool BeginsWithColorPrefix(QStringView AToken)
{
    return AToken.size() >= 2 && AToken[0] == u'F' && AToken[1] == u':';
}

bool BeginsWithStratPrefix(QStringView AToken)
{
    return AToken.size() >= 2 && AToken[0] == u'S' && AToken[1] == u':';
}

// Appends the text of a separator; one table for ParseWBText and ParsePetroText
// (petrography never passes "!" or "?", which stay in its tokens).
void ParseSeperator(QChar c, TTextBuilder &Result)
{
    switch (c.unicode()) {
    case u'!':
        Result.Append(u" (sicher)");
        break;
    case u'?':
        Result.Append(u" (fraglich)");
        break;
    case u'-':
        Result.Append(u" bis ");
        break;
    default:
        Result.Append(c);
        break;
    }
}

bool IsBracketSeperator(QChar c)
{
    switch (c.unicode()) {
    case u',':
    case u'-':
    case u'(':
    case u')':
        return true;
    default:
        return false;
    }
}

// The loop shared by the field parsers: splits Eingabe at IsSeperator, hands each token
// (a slice of the input) to Translate and each separator to Seperator.
template<typename IsSep, typename TranslateToken, typename AppendSep>
void SplitAndTranslate(QStringView Eingabe, IsSep IsSeperator, TranslateToken Translate, AppendSep Seperator)
{
    qsizetype Start = 0;
    for (qsizetype I = 0; I < Eingabe.size(); ++I) {
        const QChar c = Eingabe[I];
        if (IsSeperator(c)) {
            Translate(Eingabe.sliced(Start, I - Start));
            Seperator(c);
            Start = I + 1;
        }
    }
    Translate(Eingabe.sliced(Start));
}

void ParseWBTextTo(TZAV_WB WB, QStringView Eingabe, TTextBuilder &Result)
{
    const TZAVDict *Dict = DictionaryOfKind(WB);
    // Stratigraphy takes the certainty marks as separators and keeps brackets in its codes.
    const auto IsSeperator = [WB](QChar c) {
        if (WB == wbStrat)
            return c == u',' || c == u'-' || c == u'!' || c == u'?';
        return IsBracketSeperator(c);
    };
    const auto Translate = [Dict, &Result](QStringView Token) {
        if (BeginsWithColorPrefix(Token)) {
            QStringView Rest = Token.sliced(2);
            ParseColorTo(Rest, Result); // what is left of the colour stays as typed
        } else {
            AppendCodeText(Dict, Token, Result);
        }
    };
    const auto Seperator = [&Result](QChar c) { ParseSeperator(c, Result); };
    SplitAndTranslate(Eingabe, IsSeperator, Translate, Seperator);
}

// Index of the ")" that closes the "(" at index 0, or -1 while the group is open.
qsizetype MatchingCloseBracket(QStringView AText)
{
    int Depth = 0;
    for (qsizetype I = 0; I < AText.size(); ++I) {
        if (AText[I] == u'(') {
            ++Depth;
        } else if (AText[I] == u')') {
            if (--Depth == 0)
                return I;
        }
    }
    return -1;
}

} // namespace

void AppendAtomText(const TZAVAtom *AAtom, QStringView ACode, QString &AResult)
{
    TTextBuilder Builder(AResult, AAtom->ClearText().size() + 16);
    AppendAtomTextTo(AAtom, ACode, Builder);
}

QString ParseColor(QString &Abbr)
{
    QString Result;
    QStringView Rest(Abbr);
    {
        TTextBuilder Builder(Result, ExpectedLength(Rest));
        ParseColorTo(Rest, Builder);
    }
    if (Rest.isEmpty())
        Abbr.clear();
    else if (Rest.size() != Abbr.size())
        Abbr = Rest.toString();
    return Result;
}

QString ParseColor(QStringView Abbr)
{
    QString Result;
    TTextBuilder Builder(Result, ExpectedLength(Abbr));
    ParseColorTo(Abbr, Builder);
    return Result;
}

QString ParseWBText(TZAV_WB WB, QStringView Eingabe)
{
    if (!ZAV3_Translate)
        return Eingabe.toString();
    QString Result;
    {
        TTextBuilder Builder(Result, ExpectedLength(Eingabe));
        ParseWBTextTo(WB, Eingabe, Builder);
    }
    return Result;
}

QString ParseStrat(QStringView Eingabe)
{
    return ParseWBText(wbStrat, Eingabe);
}

QString ParseGenese(QStringView Eingabe)
{
    return ParseWBText(wbGenese, Eingabe);
}

QString ParsePetroText(QStringView Eingabe)
{
    if (!ZAV3_Translate)
        return Eingabe.toString();
    QString Result;
    {
        TTextBuilder Builder(Result, ExpectedLength(Eingabe));
        const TZAVDict *Dict = DictionaryOfKind(wbPetro);
        const auto Translate = [Dict, &Builder](QStringView Token) {
            if (BeginsWithColorPrefix(Token)) {
                QStringView Rest = Token.sliced(2);
                ParseColorTo(Rest, Builder);
            } else if (BeginsWithStratPrefix(Token)) {
                // ZAV3_Translate is known to be on here.
                ParseWBTextTo(wbStrat, Token.sliced(2), Builder);
            } else {
                AppendCodeText(Dict, Token, Builder);
            }
        };
        const auto Seperator = [&Builder](QChar c) { ParseSeperator(c, Builder); };
        SplitAndTranslate(Eingabe, IsBracketSeperator, Translate, Seperator);
    }

    // A description wholly in brackets is shown without them. Only a group that is
    // closed is unwrapped: while the user is still typing '(G,s' the text stays whole.
    if (ZAV3_RemoveFirstBrackets && Result.startsWith(u'(')) {
        const qsizetype Close = MatchingCloseBracket(Result);
        if (Close > 0) {
            Result.remove(Close, 1);
            Result.remove(0, 1);
        }
    }
    return Result;
}

QString ParseSArtText(QStringView Eingabe)
{
    QString Result;
    {
        TTextBuilder Builder(Result, ExpectedLength(Eingabe));
        const TZAVDict *Dict = DictionaryOfKind(wbSArt);
        const auto Translate = [Dict, &Builder](QStringView Token) {
            if (BeginsWithColorPrefix(Token)) {
                QStringView Rest = Token.sliced(2);
                ParseColorTo(Rest, Builder);
            } else {
                AppendCodeText(Dict, Token, Builder);
            }
        };
        // Separators are kept as typed: a layer type reads "-" as a hyphen, not a range.
        const auto Seperator = [&Builder](QChar c) { Builder.Append(c); };
        SplitAndTranslate(Eingabe, IsBracketSeperator, Translate, Seperator);
    }
    return Result;
}

QString MakeNiceText(QStringView Eingabe)
{
    // Both steps in one pass over the text as it reads after ", " replaces ",": a "("
    // gets a blank before it unless a "(" precedes it; the first and the last
    // character of that text are never looked at. Each character adds at most one.
    const qsizetype Len = Eingabe.size() + Eingabe.count(u',');
    QString Result(Eingabe.size() * 2, Qt::Uninitialized);
    QChar *Out = Result.data();
    qsizetype Pos = 0; // position in the text after the comma step
    QChar Prev;
    for (const QChar c : Eingabe) {
        if (c == u'(' && Pos >= 1 && Pos < Len - 1 && Prev != u'(')
            *Out++ = u' ';
        *Out++ = c;
        Prev = c;
        ++Pos;
        if (c == u',') {
            *Out++ = u' ';
            Prev = u' ';
            ++Pos;
        }
    }
    Result.truncate(Out - Result.constData());
    return Result;
}
