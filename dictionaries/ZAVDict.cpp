#include "ZAVDict.h"

#include "Str_util.h"

#include <QIODevice>
#include <QLocale>

#include <array>

// ---------------------------------------------------------------------------
// Grades

QString TQuantityProvider::ClearText(TQuantityType QuantityType, int AValue)
{
    static const char16_t *const Texts[4][5] = {
        {u"vereinzelte", u"mehrere", u"etliche", u"viele", u"sehr viele"},
        {u"sehr wenig", u"wenig", u"mittlere Menge", u"viel", u"sehr viel"},
        {u"sehr schwach", u"schwach", u"mittlere Stärke", u"stark", u"sehr stark"},
        {u"sehr schlecht", u"schlecht", u"mäßig", u"gut", u"sehr gut"},
    };
    if (QuantityType < qtAnzahl || QuantityType > qtQuality || AValue < 1 || AValue > 5)
        return QString();
    return QString::fromUtf16(Texts[QuantityType - 1][AValue - 1]);
}

QStringView TQuantityProvider::ClearTextView(TQuantityType QuantityType, int AValue)
{
    static const auto Texts = [] {
        std::array<std::array<QString, 5>, qtQuality> T;
        for (int Q = qtAnzahl; Q <= qtQuality; ++Q)
            for (int V = 1; V <= 5; ++V)
                T[size_t(Q - 1)][size_t(V - 1)] = ClearText(TQuantityType(Q), V);
        return T;
    }();
    if (QuantityType < qtAnzahl || QuantityType > qtQuality || AValue < 1 || AValue > 5)
        return QStringView();
    return Texts[size_t(QuantityType - 1)][size_t(AValue - 1)];
}

QString TQuantityProvider::ClearText(TQuantityType QuantityType, const QString &AValue)
{
    bool Ok = false;
    const int V = AValue.toInt(&Ok, 10);
    return ClearText(QuantityType, Ok ? V : 0);
}

TQuantityType QuantityTypeFromAttribute(QStringView AAttribute)
{
    if (AAttribute.contains(u"Quant_A", Qt::CaseInsensitive))
        return qtAnzahl;
    if (AAttribute.contains(u"Quant_M", Qt::CaseInsensitive))
        return qtMenge;
    if (AAttribute.contains(u"Quant_Q", Qt::CaseInsensitive))
        return qtQuality;
    if (AAttribute.contains(u"Quant_S", Qt::CaseInsensitive))
        return qtStaerke;
    return qtNone;
}

// ---------------------------------------------------------------------------
// Bracket groups

namespace {

// Trim as the classic runtime does: blanks and control characters at both ends.
void TrimInPlace(QString &S)
{
    qsizetype B = 0;
    qsizetype E = S.size();
    while (B < E && S.at(B).unicode() <= u' ')
        ++B;
    while (E > B && S.at(E - 1).unicode() <= u' ')
        --E;
    if (B > 0 || E < S.size())
        S = S.mid(B, E - B);
}

int LastDigit(QStringView s)
{
    if (s.isEmpty())
        return 0;
    const char16_t C = s.back().unicode();
    return (C >= u'0' && C <= u'9') ? int(C - u'0') : 0;
}

} // namespace

void FindBracketGroup(QStringView s, QChar AOpen, QChar AClose, qsizetype &AOpenPos, qsizetype &ALength)
{
    ALength = 0;
    AOpenPos = s.indexOf(AOpen);
    if (AOpenPos < 0)
        return;
    // The loop never looks at the last character, so an unclosed group loses it.
    int Depth = 1;
    qsizetype Cur = AOpenPos + 1;
    while (Depth > 0 && Cur < s.size() - 1) {
        const QChar C = s[Cur];
        if (C == AOpen)
            ++Depth;
        else if (C == AClose)
            --Depth;
        if (Depth != 0)
            ++Cur;
    }
    ALength = Cur - AOpenPos - 1;
}

namespace {

QString TextInGroup(const QString &s, QChar AOpen, QChar AClose, int &startpos)
{
    qsizetype OpenPos = 0;
    qsizetype Length = 0;
    FindBracketGroup(s, AOpen, AClose, OpenPos, Length);
    startpos = int(OpenPos + 1);
    return OpenPos < 0 ? QString() : s.mid(OpenPos + 1, Length);
}

} // namespace

QString TextInBrackets(const QString &s, int &startpos)
{
    return TextInGroup(s, u'[', u']', startpos);
}

QString TextInKlammern(const QString &s, int &startpos)
{
    return TextInGroup(s, u'(', u')', startpos);
}

// ---------------------------------------------------------------------------
// TZAVAtom

TClass TZAVAtom::ClassInfo()
{
    static const TClassInfo Info{
        QStringLiteral("TZAVAtom"),
        TObject::ClassInfo(),
        [] { return static_cast<TObject *>(new TZAVAtom); },
        {{QStringLiteral("Load"), [](TObject *Self, QIODevice *S) { static_cast<TZAVAtom *>(Self)->Load(S); }},
         {QStringLiteral("Store"), [](TObject *Self, QIODevice *S) { static_cast<TZAVAtom *>(Self)->Store(S); }}}};
    return &Info;
}

TZAVAtom::TZAVAtom(const QString &AAbbr, const QString &AClearText)
    : FAbbr(AAbbr)
    , FClearText(AClearText)
{
}

int TZAVAtom::TextSlices(QStringView ACode, bool DeleteBrackets, QStringView (&AParts)[4]) const
{
    int Count = 0;
    if (ACode != FAbbr) {
        const int V = LastDigit(ACode);
        if (V < 1 || V > 5 || FQuantityType == qtNone)
            return -1;
        AParts[Count++] = TQuantityProvider::ClearTextView(FQuantityType, V);
        AParts[Count++] = u" ";
    }
    // Grade texts hold no bracket, so the first group is the clear text's.
    const QStringView Clear = FClearText;
    qsizetype Start = 0;
    qsizetype Length = 0;
    if (DeleteBrackets)
        FindBracketGroup(Clear, u'[', u']', Start, Length);
    if (Length > 0) {
        AParts[Count++] = Clear.first(Start);
        AParts[Count++] = Clear.sliced(qMin(Start + Length + 2, Clear.size()));
    } else {
        AParts[Count++] = Clear;
    }
    // Trimmed across the slices, as one text would be.
    int First = 0;
    for (; First < Count; ++First) {
        QStringView &P = AParts[First];
        while (!P.isEmpty() && P.front().unicode() <= u' ')
            P = P.sliced(1);
        if (!P.isEmpty())
            break;
    }
    int Last = Count - 1;
    for (; Last >= First; --Last) {
        QStringView &P = AParts[Last];
        while (!P.isEmpty() && P.back().unicode() <= u' ')
            P.chop(1);
        if (!P.isEmpty())
            break;
    }
    int Kept = 0;
    for (int I = First; I <= Last; ++I)
        AParts[Kept++] = AParts[I];
    return Kept;
}

void TZAVAtom::Translate(QStringView AAbbr, bool DeleteBrackets, QString &Result) const
{
    QStringView Parts[4];
    const int Count = TextSlices(AAbbr, DeleteBrackets, Parts);
    if (Count >= 0) {
        QString Text;
        for (int I = 0; I < Count; ++I)
            Text += Parts[I];
        Result = Text;
        return;
    }
    // Not this entry's code: Result stays as passed in, less its first bracket group.
    if (DeleteBrackets) {
        qsizetype OpenPos = 0;
        qsizetype Length = 0;
        FindBracketGroup(Result, u'[', u']', OpenPos, Length);
        if (Length > 0)
            Result.remove(OpenPos, Length + 2);
    }
    TrimInPlace(Result);
}

void TZAVAtom::Store(QIODevice *S) const
{
    WriteStrToStream(S, FAbbr);
    WriteStrToStream(S, FClearText);
    WriteStrToStream(S, FZS);
    WriteByte(S, FQuantityType);
}

void TZAVAtom::Load(QIODevice *S)
{
    FAbbr = LoadStrFromStream(S);
    FClearText = LoadStrFromStream(S);
    FZS = LoadStrFromStream(S);
    // The byte is kept as stored; values beyond 4 read as no grade.
    FQuantityType = TQuantityType(ReadByte(S));
}

namespace {

// UTF-16 code unit order, inline: the parsers run a bisection per token on every
// keystroke, and codes are a few characters long.
inline int CompareCodeUnits(QStringView A, QStringView B)
{
    const qsizetype N = qMin(A.size(), B.size());
    const char16_t *PA = A.utf16();
    const char16_t *PB = B.utf16();
    for (qsizetype I = 0; I < N; ++I) {
        if (PA[I] != PB[I])
            return PA[I] < PB[I] ? -1 : 1;
    }
    return A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
}

} // namespace

int CompareZAVAtoms(const TZAVAtom *Item1, const TZAVAtom *Item2)
{
    return CompareCodeUnits(Item1->Abbr(), Item2->Abbr());
}

// ---------------------------------------------------------------------------
// TZAVDict

TClass TZAVDict::ClassInfo()
{
    static const TClassInfo Info{
        QStringLiteral("TZAVDict"),
        TQDObjectList::ClassInfo(),
        // Bare: empty, not owning, no table name; ReadData sets all three.
        [] { return static_cast<TObject *>(new TZAVDict(false)); },
        {{QStringLiteral("ReadData"), [](TObject *Self, QIODevice *S) { static_cast<TZAVDict *>(Self)->ReadData(S); }},
         {QStringLiteral("WriteData"),
          [](TObject *Self, QIODevice *S) { static_cast<TZAVDict *>(Self)->WriteData(S); }}}};
    return &Info;
}


int TZAVDict::FindIndex(QStringView AAbbreviation) const
{
    const auto Base = begin();
    int L = 0;
    int H = Count() - 1;
    bool Found = false;
    while (L <= H) {
        const int I = (L + H) >> 1;
        const int C = CompareCodeUnits(static_cast<const TZAVAtom *>(Base[I])->Abbr(), AAbbreviation);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0) {
                Found = true;
                L = I;
            }
        }
    }
    return Found ? L : -1;
}

TZAVAtom *TZAVDict::Find(QStringView AAbbreviation, bool AllowQuantifikator) const
{
    if (AAbbreviation.isEmpty())
        return nullptr;
    int Index = FindIndex(AAbbreviation);
    if (Index < 0 && AllowQuantifikator) {
        const int V = LastDigit(AAbbreviation);
        if (V >= 1 && V <= 5 && AAbbreviation.size() > 1)
            Index = FindIndex(AAbbreviation.chopped(1));
    }
    return Index < 0 ? nullptr : static_cast<TZAVAtom *>(begin()[Index]);
}

TZavAtomArray TZAVDict::FindClearText(const QString &s, bool CaseSensitiv) const
{
    TZavAtomArray Result;
    if (s.isEmpty())
        return Result;
    if (CaseSensitiv) {
        for (TObject *Obj : *this) {
            auto *A = static_cast<TZAVAtom *>(Obj);
            if (A->ClearText().contains(s, Qt::CaseSensitive))
                Result.append(A);
        }
        return Result;
    }
    const QLocale Locale;
    const QString Upper = Locale.toUpper(s);
    for (TObject *Obj : *this) {
        auto *A = static_cast<TZAVAtom *>(Obj);
        if (!A->ClearText().isEmpty() && Locale.toUpper(A->ClearText()).contains(Upper, Qt::CaseSensitive))
            Result.append(A);
    }
    return Result;
}

void TZAVDict::SortAlphabet()
{
    Sort([](const TObject *A, const TObject *B) {
        return CompareZAVAtoms(static_cast<const TZAVAtom *>(A), static_cast<const TZAVAtom *>(B)) < 0;
    });
}

void TZAVDict::ReadData(QIODevice *S)
{
    FTablename = LoadStrFromStream(S);
    TQDObjectList::ReadData(S);
}

void TZAVDict::WriteData(QIODevice *S) const
{
    WriteStrToStream(S, FTablename);
    TQDObjectList::WriteData(S);
}

bool TZAVDict::AcceptsStreamed(TClass AClass) const
{
    // Find and the parsers take every element for an entry.
    return AClass->InheritsFrom(TZAVAtom::ClassInfo());
}

// Module start of the dictionary module: the two streamable classes.
namespace {
const bool ZAVDictClassesRegistered = [] {
    RegisterStreamClass(TZAVDict::ClassInfo(), QStringLiteral("ReadData"), QStringLiteral("WriteData"));
    RegisterStreamClass(TZAVAtom::ClassInfo(), QStringLiteral("Load"), QStringLiteral("Store"));
    return true;
}();
} // namespace
