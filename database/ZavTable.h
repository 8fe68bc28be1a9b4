#pragma once

#include "ZavDataSet.h"

#include <QString>

// A whole table opened by name: its rows in storage order, its columns
// in table order; fields are read and written by position or name, rows edited or appended
// and posted (TZavDataSet).
class TZavTable : public TZavDataSet
{
public:
    explicit TZavTable(TZavConnection &AConnection);

    // Closes the table and names the one to open.
    void SetTableName(const QString &ATableName);
    const QString &TableName() const { return FTableName; }
    // Closes the table; from the next Open on only rows matching ACondition (SQLite
    // dialect, e.g. "LOCID=7") are read, still in storage order. Empty: all rows.
    void SetFilter(const QString &ACondition);
    const QString &Filter() const { return FFilter; }

protected:
    TZavRows DoOpen() override;

private:
    QString FTableName;
    QString FFilter;
};
