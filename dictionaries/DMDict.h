#pragma once

#include "ZavConnection.h"

#include <QMap>
#include <QString>

#include <memory>

class TZavAccessFile;
class TZavDataSet;

// The catalogue data module: the connection to a catalogue database and one data set per
// catalogue table. A catalogue database is an SQLite file, read through the engine layer,
// or an Access file, read (never written) through the Access reader; they are told apart by
// content. Created first at start, before DMBorehole, and kept until the program ends.
class TDMDict
{
public:
    TDMDict();
    ~TDMDict();
    TDMDict(const TDMDict &) = delete;
    TDMDict &operator=(const TDMDict &) = delete;

    // The SQLite connection; an Access catalogue is read without it.
    TZavConnection ConnectionDictionary;

    // Closes any catalogue and its data sets, then opens AFilename. A failure is swallowed:
    // false, ConnectError says why.
    bool ConnectToDB(const QString &AFilename);
    bool Connected() const;
    const QString &ConnectError() const { return FConnectError; }

    // The data set that reads the whole table ATablename of the open catalogue; made at the
    // first request, closed, and valid until the next ConnectToDB.
    TZavDataSet *DataSet(const QString &ATablename);
    // The table a data set of this module reads.
    static QString TableNameOf(const TZavDataSet *ADataset);

private:
    void Close();

    std::unique_ptr<TZavAccessFile> FAccess;
    QMap<QString, std::shared_ptr<TZavDataSet>> FDataSets; // by upper-case table name
    QString FConnectError;
};

// The one instance, made at start-up, kept until the program ends.
extern TDMDict *DMDict;
