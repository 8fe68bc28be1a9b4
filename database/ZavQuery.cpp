#include "ZavQuery.h"

#include "ZavConnection.h"
#include "ZavDatabaseError.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The table of a SELECT that reads plain columns of one table, empty otherwise. Runs on
// SQLite text, whose only literals are single-quoted ones (blanked before matching).
QString EditableTable(const QString &ASQLiteText)
{
    static const QRegularExpression Literal(QStringLiteral("'(?:[^']|'')*'"));
    static const QRegularExpression OneTable(
        QStringLiteral(R"(^\s*SELECT\s+(?!DISTINCT\b|ALL\b)[^()]*?\bFROM\s+([A-Za-z_][A-Za-z0-9_]*)\s*(?:(?:WHERE|ORDER\s+BY|LIMIT)\b.*)?$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression Excluded(QStringLiteral(R"(\b(?:GROUP|UNION|INTERSECT|EXCEPT|JOIN|HAVING|WINDOW)\b)"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString Masked = ASQLiteText;
    Masked.replace(Literal, QStringLiteral("''"));
    const QRegularExpressionMatch M = OneTable.match(Masked);
    if (!M.hasMatch() || Excluded.match(Masked).hasMatch())
        return QString();
    return M.captured(1);
}

} // namespace

void TZavParam::SetAsString(const QString &AValue)
{
    // QtSql would bind a null QString as NULL.
    FValue = AValue.isNull() ? QStringLiteral("") : AValue;
}

TZavQuery::TZavQuery(TZavConnection &AConnection)
    : TZavDataSet(AConnection)
{
}

void TZavQuery::SetSQL(const QString &AText)
{
    Close();
    FSQL = AText;
    FStatement = TranslateToSQLite(AText);
    FParams.clear();
    for (const QString &Name : std::as_const(FStatement.ParamNames)) {
        bool Known = false;
        for (const TZavParam &P : std::as_const(FParams))
            Known = Known || P.Name().compare(Name, Qt::CaseInsensitive) == 0;
        if (!Known)
            FParams.append(TZavParam(Name));
    }
}

TZavParam &TZavQuery::ParamByName(const QString &AName)
{
    for (TZavParam &P : FParams) {
        if (P.Name().compare(AName, Qt::CaseInsensitive) == 0)
            return P;
    }
    throw EDatabaseError(QStringLiteral("Parameter '%1' nicht gefunden").arg(AName), FSQL);
}

QList<QVariant> TZavQuery::BindValues() const
{
    QList<QVariant> Result;
    Result.reserve(FStatement.ParamNames.size());
    for (const QString &Name : FStatement.ParamNames) {
        for (const TZavParam &P : FParams) {
            if (P.Name().compare(Name, Qt::CaseInsensitive) == 0) {
                Result.append(P.Value());
                break;
            }
        }
    }
    return Result;
}

TZavDataSet::TZavRows TZavQuery::DoOpen()
{
    TZavRows Rows;
    const QList<QVariant> Values = BindValues();
    const QString Table = EditableTable(FStatement.Text);
    if (!Table.isEmpty()) {
        // The rowid, read as a hidden first column, addresses the row that Post writes.
        static const QRegularExpression Select(QStringLiteral(R"(^\s*SELECT\s)"), QRegularExpression::CaseInsensitiveOption);
        QString WithRowId = FStatement.Text;
        WithRowId.replace(Select, QStringLiteral("SELECT rowid AS ZAV_ROWID, "));
        try {
            FetchRows(Connection(), WithRowId, FSQL, Values, true, Rows);
            Rows.Table = Table;
            return Rows;
        } catch (const EDatabaseError &E) {
            // A view or a table without rowid: read it as it stands, not editable.
            if (!E.Message().contains(QStringLiteral("rowid"), Qt::CaseInsensitive))
                throw;
            Rows = TZavRows();
        }
    }
    FetchRows(Connection(), FStatement.Text, FSQL, Values, false, Rows);
    return Rows;
}

int TZavQuery::ExecSQL()
{
    Close();
    if (!FStatement.Text.isValidUtf16())
        throw EDatabaseError(QStringLiteral("Die Anweisung enthält ein ungültiges Zeichen (ein einzelnes "
                                            "UTF-16-Ersatzzeichen) und wird nicht ausgeführt"),
                             FSQL);
    for (const TZavParam &P : std::as_const(FParams))
        CheckStorable(P.Value(), P.Name());
    QSqlQuery Query(Connection().Database());
    if (!Query.prepare(FStatement.Text))
        Connection().RaiseEngineError(Query.lastError(), FSQL);
    const QList<QVariant> Values = BindValues();
    for (const QVariant &V : Values)
        Query.addBindValue(V);
    if (!Query.exec())
        Connection().RaiseEngineError(Query.lastError(), FSQL);
    return Query.numRowsAffected();
}
