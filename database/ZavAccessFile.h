#pragma once

#include "ZavDataSet.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// A Microsoft Access database file (.accdb, .mdb), read through libmdb (mdbtools). The one
// reader of Access files for the whole program; it never writes to the file. Errors raise
// EDatabaseError with a German message naming the file or the table.
class TZavAccessFile
{
public:
    // Opens APath for reading: EDatabaseError when it is missing, no regular file, or no
    // Access file.
    explicit TZavAccessFile(const QString &APath);
    ~TZavAccessFile();
    TZavAccessFile(const TZavAccessFile &) = delete;
    TZavAccessFile &operator=(const TZavAccessFile &) = delete;

    // Whether APath holds an Access database, told by its content (the file header), not
    // by its name. False for anything unreadable.
    static bool IsAccessFile(const QString &APath);

    const QString &Path() const { return FPath; }

    // The user tables, system tables left out, in the order the file lists them.
    QStringList TableNames() const;

    // One whole table: its columns in table order and its rows in stored order. Values:
    // NULL as a null QVariant (told apart from empty text, which is an empty QString),
    // text as QString, integers and booleans as qlonglong, doubles exactly as stored,
    // date-times as days since 30 December 1899 (a double, as ZavDateTime.h counts them,
    // also before 1900), binary data as QByteArray. The table name matches without
    // regard to case; a missing table raises EDatabaseError.
    struct TTable
    {
        QString Name; // as the file spells it
        QStringList Columns;
        QList<QList<QVariant>> Rows;
    };
    TTable ReadTable(const QString &AName) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    QString FPath;
};

// A whole table of an Access file as a read-only data set, so that code written for the
// engine layer's data sets reads Access tables too. The connection is only what every data
// set belongs to: it need not be open.
class TZavAccessTable : public TZavDataSet
{
public:
    TZavAccessTable(TZavConnection &AConnection, const TZavAccessFile &AFile, const QString &ATableName);

    // Closes the table and names the one to open.
    void SetTableName(const QString &ATableName);
    const QString &TableName() const { return FTableName; }

protected:
    TZavRows DoOpen() override;

private:
    const TZavAccessFile &FFile;
    QString FTableName;
};
