#include "ZavDialect.h"

#include <QRegularExpression>

namespace {

// The rewrites that apply to statement text outside literals.
QString TranslateCode(const QString &ACode)
{
    static const QRegularExpression DeleteStar(QStringLiteral(R"(\bDELETE\s+\*\s*FROM\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression NotNull(QStringLiteral(R"(\s*<>\s*NULL\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString Result = ACode;
    Result.replace(DeleteStar, QStringLiteral("DELETE FROM"));
    Result.replace(NotNull, QStringLiteral(" IS NOT NULL"));
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
