#pragma once

#include "ZavDataSet.h"
#include "ZavDialect.h"

#include <QList>
#include <QString>
#include <QVariant>

// A named parameter of a query (":Depthto" in the statement, "Depthto" here). A parameter
// left unset binds NULL.
class TZavParam
{
public:
    explicit TZavParam(const QString &AName)
        : FName(AName)
    {
    }
    const QString &Name() const { return FName; }
    const QVariant &Value() const { return FValue; }
    bool IsNull() const { return FValue.isNull(); }

    // An empty text binds an empty text, never NULL.
    void SetAsString(const QString &AValue);
    void SetAsFloat(double AValue) { FValue = AValue; }
    void SetAsInteger(int AValue) { FValue = AValue; }
    // Days since 30 December 1899 (ZavDateTime.h).
    void SetAsDateTime(double AValue) { FValue = AValue; }
    // A value as the engine holds it (qlonglong, double, QString, QByteArray), bound
    // unchanged; for copying stored values.
    void SetValue(const QVariant &AValue) { FValue = AValue; }
    // Back to NULL.
    void Clear() { FValue = QVariant(); }

private:
    QString FName;
    QVariant FValue;
};

// A statement in the Access SQL dialect (translated for SQLite by TranslateToSQLite) with
// colon-named parameters: opened as a static cursor over its rows (Open) or run as a
// command (ExecSQL). A one-table SELECT whose column list holds no expression ("SELECT
// LOCID, ANAME FROM S3STAMM WHERE ...", "select * from ...") can edit its current row.
class TZavQuery : public TZavDataSet
{
public:
    explicit TZavQuery(TZavConnection &AConnection);

    // Closes the query and replaces its statement (lines joined by "\n"); all parameters
    // become unset.
    void SetSQL(const QString &AText);
    const QString &SQL() const { return FSQL; }

    // The parameter of that name (compared without regard to case). A name that does not
    // occur in the statement is a programming error: EDatabaseError.
    TZavParam &ParamByName(const QString &AName);
    int ParamCount() const { return int(FParams.size()); }

    // Closes the query and runs the statement as a command; yields the rows affected.
    int ExecSQL();

protected:
    TZavRows DoOpen() override;

private:
    QList<QVariant> BindValues() const;

    QString FSQL;
    TZavSQLiteStatement FStatement;
    QList<TZavParam> FParams; // one per distinct name, in order of first occurrence
};
