#include "ZavDialect.h"

namespace {

// The rewrites below match ASCII letters, digits and blanks only, by hand: a regular
// expression refuses to match text that is not valid UTF-16, and would then leave the
// statement untranslated.
bool IsAsciiWordChar(QChar C)
{
    const char16_t U = C.unicode();
    return (U >= u'a' && U <= u'z') || (U >= u'A' && U <= u'Z') || (U >= u'0' && U <= u'9') || U == u'_';
}

bool IsAsciiSpace(QChar C)
{
    const char16_t U = C.unicode();
    return U == u' ' || (U >= u'\t' && U <= u'\r');
}

// Whether AWord (upper-case ASCII) stands at AAt, in either case.
bool WordAt(const QString &AText, qsizetype AAt, QStringView AWord)
{
    if (AAt + AWord.size() > AText.size())
        return false;
    for (qsizetype I = 0; I < AWord.size(); ++I) {
        char16_t U = AText[AAt + I].unicode();
        if (U >= u'a' && U <= u'z')
            U = char16_t(U - u'a' + u'A');
        if (U != AWord[I].unicode())
            return false;
    }
    return true;
}

bool WordEndsAt(const QString &AText, qsizetype AAt)
{
    return AAt >= AText.size() || !IsAsciiWordChar(AText[AAt]);
}

qsizetype SkipSpaces(const QString &AText, qsizetype AAt)
{
    while (AAt < AText.size() && IsAsciiSpace(AText[AAt]))
        ++AAt;
    return AAt;
}

// End of "DELETE <blanks> * [blanks] FROM" starting at AAt, or -1.
qsizetype DeleteStarEnd(const QString &AText, qsizetype AAt)
{
    if ((AAt > 0 && IsAsciiWordChar(AText[AAt - 1])) || !WordAt(AText, AAt, u"DELETE"))
        return -1;
    qsizetype I = AAt + 6;
    const qsizetype Star = SkipSpaces(AText, I);
    if (Star == I || Star >= AText.size() || AText[Star] != u'*')
        return -1;
    I = SkipSpaces(AText, Star + 1);
    if (!WordAt(AText, I, u"FROM") || !WordEndsAt(AText, I + 4))
        return -1;
    return I + 4;
}

// End of "<> [blanks] NULL" starting at AAt, or -1.
qsizetype NotNullEnd(const QString &AText, qsizetype AAt)
{
    if (AAt + 1 >= AText.size() || AText[AAt] != u'<' || AText[AAt + 1] != u'>')
        return -1;
    const qsizetype I = SkipSpaces(AText, AAt + 2);
    if (!WordAt(AText, I, u"NULL") || !WordEndsAt(AText, I + 4))
        return -1;
    return I + 4;
}

// The rewrites that apply to statement text outside literals.
QString TranslateCode(const QString &ACode)
{
    QString Result;
    Result.reserve(ACode.size() + 8);
    qsizetype I = 0;
    while (I < ACode.size()) {
        if (const qsizetype E = DeleteStarEnd(ACode, I); E >= 0) {
            Result += QStringLiteral("DELETE FROM");
            I = E;
        } else if (const qsizetype E2 = NotNullEnd(ACode, I); E2 >= 0) {
            // The blanks before "<>" belong to the rewrite.
            while (!Result.isEmpty() && IsAsciiSpace(Result.back()))
                Result.chop(1);
            Result += QStringLiteral(" IS NOT NULL");
            I = E2;
        } else {
            Result += ACode[I];
            ++I;
        }
    }
    return Result;
}

bool IsNameStart(QChar C)
{
    return C.isLetter() || C == u'_';
}

bool IsNameChar(QChar C)
{
    return C.isLetterOrNumber() || C == u'_';
}

// Index just past the literal that starts at AStart with AQuote, where a doubled quote
// stands for itself; the end of the text when it is not closed.
qsizetype LiteralEnd(const QString &AText, qsizetype AStart, QChar AQuote)
{
    qsizetype I = AStart + 1;
    while (I < AText.size()) {
        if (AText[I] == AQuote) {
            if (I + 1 < AText.size() && AText[I + 1] == AQuote) {
                I += 2;
                continue;
            }
            return I + 1;
        }
        ++I;
    }
    return AText.size();
}

} // namespace

TZavSQLiteStatement TranslateToSQLite(const QString &AStatement)
{
    TZavSQLiteStatement Result;
    QString Code; // pending text outside literals, translated in one piece
    auto FlushCode = [&] {
        Result.Text += TranslateCode(Code);
        Code.clear();
    };

    const qsizetype N = AStatement.size();
    qsizetype I = 0;
    while (I < N) {
        const QChar C = AStatement[I];
        const QChar Next = I + 1 < N ? AStatement[I + 1] : QChar();
        if (C == u'\'' || C == u'`') {
            const qsizetype E = LiteralEnd(AStatement, I, C);
            FlushCode();
            Result.Text += AStatement.mid(I, E - I);
            I = E;
        } else if (C == u'"') {
            // Access reads a double-quoted token as a text literal.
            const qsizetype E = LiteralEnd(AStatement, I, C);
            const bool Closed = E - I >= 2 && AStatement[E - 1] == u'"';
            QString Inner = AStatement.mid(I + 1, E - I - (Closed ? 2 : 1));
            Inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
            Inner.replace(QStringLiteral("'"), QStringLiteral("''"));
            FlushCode();
            Result.Text += u'\'' + Inner + (Closed ? QStringLiteral("'") : QString());
            I = E;
        } else if (C == u'[') {
            qsizetype E = AStatement.indexOf(u']', I + 1);
            E = E < 0 ? N : E + 1;
            FlushCode();
            Result.Text += AStatement.mid(I, E - I);
            I = E;
        } else if (C == u'-' && Next == u'-') {
            qsizetype E = AStatement.indexOf(u'\n', I);
            E = E < 0 ? N : E;
            FlushCode();
            Result.Text += AStatement.mid(I, E - I);
            I = E;
        } else if (C == u'/' && Next == u'*') {
            qsizetype E = AStatement.indexOf(QStringLiteral("*/"), I + 2);
            E = E < 0 ? N : E + 2;
            FlushCode();
            Result.Text += AStatement.mid(I, E - I);
            I = E;
        } else if (C == u':' && Next == u':') {
            // "::" stands for one colon that starts no parameter.
            Code += C;
            I += 2;
        } else if (C == u':' && IsNameStart(Next)) {
            qsizetype E = I + 1;
            while (E < N && IsNameChar(AStatement[E]))
                ++E;
            FlushCode();
            Result.ParamNames.append(AStatement.mid(I + 1, E - I - 1));
            Result.Text += u'?';
            I = E;
        } else {
            Code += C;
            ++I;
        }
    }
    FlushCode();
    return Result;
}
