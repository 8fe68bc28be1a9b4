#include "ZavTable.h"

#include "ZavDatabaseError.h"

TZavTable::TZavTable(TZavConnection &AConnection)
    : TZavDataSet(AConnection)
{
}

void TZavTable::SetTableName(const QString &ATableName)
{
    Close();
    FTableName = ATableName;
}

void TZavTable::SetFilter(const QString &ACondition)
{
    Close();
    FFilter = ACondition;
}

TZavDataSet::TZavRows TZavTable::DoOpen()
{
    if (FTableName.isEmpty())
        throw EDatabaseError(QStringLiteral("Kein Tabellenname angegeben"));
    QString Quoted = FTableName;
    Quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    QString Statement = QStringLiteral("SELECT rowid, * FROM \"%1\"").arg(Quoted);
    if (!FFilter.isEmpty())
        Statement += QStringLiteral(" WHERE (%1) ORDER BY rowid").arg(FFilter);
    TZavRows Rows;
    FetchRows(Connection(), Statement, Statement, {}, true, Rows);
    Rows.Table = FTableName;
    return Rows;
}
