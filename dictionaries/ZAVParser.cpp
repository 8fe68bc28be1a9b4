#include "ZAVParser.h"

namespace {

// The dictionary of a kind, or null when there is no set or the set is too short for
// that kind (a dictionary file may hold fewer than twelve); translation never fails.
const TZAVDict *DictionaryOfKind(TZAV_WB AKind)
{
    const TZAVDictionaries *Set = ZAV_Dictionaries;
    if (!Set || Set->Count() <= int(AKind))
        return nullptr;
    return Set->GetDictionary(AKind);
}

// Appends the clear text of the entry found for ACode. An entry reached only through a
// grade digit but without a quantity type leaves Translate's result as passed in; that
// case shows the code itself, so it is settled here and Translate never sees a stale
// result (and no copy of the code is made for the common case).
void AppendEntryText(const TZAVAtom *AAtom, QStringView ACode, QString &AResult)
{
    if (AAtom->QuantityType() == qtNone && ACode != AAtom->Abbr()) {
        AResult.append(ACode);
        return;
    }
    QString Text;
    AAtom->Translate(ACode, ZAV3_DeleteBracketText, Text);
    AResult.append(Text);
}

// Translates ACode in ADict (grade digits allowed) and appends it; appends the code as
// typed when there is no dictionary or no entry.
void AppendCodeText(const TZAVDict *ADict, QStringView ACode, QString &AResult)
{
    const TZAVAtom *Atom = ADict ? ADict->Find(ACode, true) : nullptr;
    if (Atom)
        AppendEntryText(Atom, ACode, AResult);
    else
        AResult.append(ACode);
}

// One step of ParseColor: appends the clear text of a leading piece of Abbr and leaves
// in Abbr what follows it; appends Abbr as it stands and leaves it unchanged when no
// piece can be read.
void ParseColorInternal(const TZAVDict *ColorDict, QStringView &Abbr, QString &Result)
{
    if (Abbr.isEmpty() || !ColorDict) {
        Result.append(Abbr);
        return;
    }
    // Whole code first, so an entry such as bnst is never split into bn and st.
    if (const TZAVAtom *Atom = ColorDict->Find(Abbr, true)) {
        AppendEntryText(Atom, Abbr, Result);
        Abbr = QStringView();
        return;
    }
    if (Abbr.size() > 2) {
        const QStringView Prefix = Abbr.first(2);
        if (const TZAVAtom *Atom = ColorDict->Find(Prefix, true)) {
            AppendEntryText(Atom, Prefix, Result);
            Abbr = Abbr.sliced(2);
            return;
        }
    }
    if (Abbr.endsWith(u'=')) {
        const QStringView Code = Abbr.chopped(1);
        if (const TZAVAtom *Atom = ColorDict->Find(Code, true)) {
            AppendEntryText(Atom, Code, Result);
            Abbr = Abbr.last(1);
            return;
        }
    }
    if (Abbr.endsWith(u"st")) {
        const QStringView Code = Abbr.chopped(2);
        if (const TZAVAtom *Atom = ColorDict->Find(Code, true)) {
            AppendEntryText(Atom, Code, Result);
            Abbr = Abbr.last(2);
            return;
        }
    }
    Result.append(Abbr);
}

// Joining colour pieces writes "braun" + "lich"; these are the spellings shown.
void ReplaceColorUmlauts(QString &AText)
{
    if (!AText.contains(u"lich"))
        return;
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
    for (const auto &P : Pairs)
        AText.replace(P.From.data(), P.From.size(), P.To.data(), P.To.size(), Qt::CaseSensitive);
}

QString ParseColorRest(QStringView &Rest)
{
    QString Result;
    const TZAVDict *ColorDict = DictionaryOfKind(wbFarbe);
    QStringView Before;
    do {
        Before = Rest;
        ParseColorInternal(ColorDict, Rest, Result);
    } while (!Rest.isEmpty() && Rest != Before);
    ReplaceColorUmlauts(Result);
    return Result;
}

bool BeginsWithColorPrefix(QStringView AToken)
{
    return AToken.startsWith(u"F:");
}

bool BeginsWithStratPrefix(QStringView AToken)
{
    return AToken.startsWith(u"S:");
}

// Room for a typical clear text, which runs a few times longer than its codes.
QString NewResult(QStringView Eingabe)
{
    QString Result;
    Result.reserve(Eingabe.size() * 4 + 32);
    return Result;
}

// Appends the text of a separator; one table for ParseWBText and ParsePetroText
// (petrography never passes "!" or "?", which stay in its tokens).
void ParseSeperator(QChar c, QString &Result)
{
    switch (c.unicode()) {
    case u'!':
        Result.append(u" (sicher)");
        break;
    case u'?':
        Result.append(u" (fraglich)");
        break;
    case u'-':
        Result.append(u" bis ");
        break;
    default:
        Result.append(c);
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

// Runs the tokenizer shared by the field parsers: splits Eingabe at IsSeperator, hands
// each token (a slice of the input) to Translate and each separator to Seperator.
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

QString ParseColor(QString &Abbr)
{
    QStringView Rest(Abbr);
    QString Result = ParseColorRest(Rest);
    if (Rest.isEmpty())
        Abbr.clear();
    else if (Rest.size() != Abbr.size())
        Abbr = Rest.toString();
    return Result;
}

QString ParseColor(QStringView Abbr)
{
    return ParseColorRest(Abbr);
}

QString ParseWBText(TZAV_WB WB, QStringView Eingabe)
{
    if (!ZAV3_Translate)
        return Eingabe.toString();
    const TZAVDict *Dict = DictionaryOfKind(WB);
    QString Result = NewResult(Eingabe);

    // Stratigraphy takes the certainty marks as separators and keeps brackets in its codes.
    const auto IsSeperator = [WB](QChar c) {
        if (WB == wbStrat)
            return c == u',' || c == u'-' || c == u'!' || c == u'?';
        return IsBracketSeperator(c);
    };
    const auto Translate = [Dict, &Result](QStringView Token) {
        if (BeginsWithColorPrefix(Token))
            Result.append(ParseColor(Token.sliced(2))); // the colour rest is dropped
        else
            AppendCodeText(Dict, Token, Result);
    };
    const auto Seperator = [&Result](QChar c) { ParseSeperator(c, Result); };
    SplitAndTranslate(Eingabe, IsSeperator, Translate, Seperator);
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
    const TZAVDict *Dict = DictionaryOfKind(wbPetro);
    QString Result = NewResult(Eingabe);

    const auto Translate = [Dict, &Result](QStringView Token) {
        if (BeginsWithColorPrefix(Token))
            Result.append(ParseColor(Token.sliced(2)));
        else if (BeginsWithStratPrefix(Token))
            Result.append(ParseStrat(Token.sliced(2)));
        else
            AppendCodeText(Dict, Token, Result);
    };
    const auto Seperator = [&Result](QChar c) { ParseSeperator(c, Result); };
    SplitAndTranslate(Eingabe, IsBracketSeperator, Translate, Seperator);

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
    const TZAVDict *Dict = DictionaryOfKind(wbSArt);
    QString Result = NewResult(Eingabe);

    const auto Translate = [Dict, &Result](QStringView Token) {
        if (BeginsWithColorPrefix(Token))
            Result.append(ParseColor(Token.sliced(2)));
        else
            AppendCodeText(Dict, Token, Result);
    };
    // Separators are kept as typed: a layer type reads "-" as a hyphen, not a range.
    const auto Seperator = [&Result](QChar c) { Result.append(c); };
    SplitAndTranslate(Eingabe, IsBracketSeperator, Translate, Seperator);
    return Result;
}

QString MakeNiceText(QStringView Eingabe)
{
    // Both steps in one pass over the text as it reads after ", " replaces ",": a "("
    // gets a blank before it unless a "(" precedes it; the first and the last
    // character of that text are never looked at.
    const qsizetype Len = Eingabe.size() + Eingabe.count(u',');
    QString Result;
    Result.reserve(Len + Eingabe.count(u'('));
    qsizetype Pos = 0; // position in the text after the comma step
    QChar Prev;
    for (const QChar c : Eingabe) {
        if (c == u'(' && Pos >= 1 && Pos < Len - 1 && Prev != u'(')
            Result.append(u' ');
        Result.append(c);
        Prev = c;
        ++Pos;
        if (c == u',') {
            Result.append(u' ');
            Prev = u' ';
            ++Pos;
        }
    }
    return Result;
}
