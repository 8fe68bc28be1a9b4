#pragma once

#include <QString>
#include <QStringList>

// A statement in the Access SQL dialect the callers write, made ready for SQLite.
struct TZavSQLiteStatement
{
    QString Text;           // SQLite text; every parameter ":Name" became "?"
    QStringList ParamNames; // the parameter name of each "?", in order (a name may repeat)
};

// Translates one statement of that dialect for SQLite, in one pass that never looks
// inside a quoted literal, a bracketed identifier or a comment:
//   "DELETE * FROM"       -> "DELETE FROM"
//   "x<>Null"             -> "x IS NOT NULL" (SQLite would silently match nothing)
//   "text" (double-quoted) -> 'text' (a text literal, inner single quotes doubled)
//   :Name                 -> ? (the name recorded in ParamNames)
// Everything else (keywords in either case, MAX(...) AS aliases, numbers) passes unchanged.
TZavSQLiteStatement TranslateToSQLite(const QString &AStatement);
