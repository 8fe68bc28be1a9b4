#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

class QSqlError;
class TZavDataSet;

// One connection to a borehole or catalogue database, an SQLite file reached through
// QtSql (driver QSQLITE), standing in for an ADO connection: opened from a
// connection string of ours, it owns no query objects but closes those made on it when it
// closes. Every engine error raises EDatabaseError.
//
// Connection string: "Provider=SQLite;Busy Timeout=<ms>;Data Source=<path>", the keys
// before "Data Source" in any order and optional (busy timeout 5000 ms); the path is
// everything after "Data Source=", taken unchanged, so it may hold ";" or anything else.
class TZavConnection
{
public:
    TZavConnection();
    ~TZavConnection();
    TZavConnection(const TZavConnection &) = delete;
    TZavConnection &operator=(const TZavConnection &) = delete;

    const QString &ConnectionString() const { return FConnectionString; }
    // Only stores the string; it takes effect at the next Open.
    void SetConnectionString(const QString &AConnectionString);

    // Closes any open connection, then opens the file the connection string names,
    // read-write, never creating or changing a file: a missing path, a folder, an empty
    // file, a file that is not an SQLite database, a damaged one (SQLite's quick check)
    // or one locked past the busy timeout raise EDatabaseError and leave the connection
    // closed. The opened connection runs with trusted_schema off and without extension
    // loading.
    void Open();
    // Closes every data set made on this connection, then the connection itself.
    void Close();
    bool Connected() const { return FDatabase.isOpen(); }
    // The path of the open (or last given) connection string.
    const QString &DatabasePath() const { return FPath; }

    // Creates a new empty SQLite database at APath, which must not exist, and opens it
    // like Open does (for the template generator). Raises EDatabaseError.
    void OpenNew(const QString &APath);

    // Names of the user tables, in the order the engine lists them; SQLite's own tables
    // ("sqlite_...") are left out.
    QStringList GetTableNames();
    // Names of the triggers the database holds.
    QStringList GetTriggerNames();

    // Runs one statement in SQLite's own dialect, without translation or parameters;
    // yields the rows affected.
    int ExecRaw(const QString &AStatement);
    // Runs a script of SQLite statements separated by ";" (outside quotes and comments).
    void ExecScript(const QString &AScript);

    // Raises the engine's error for a statement that failed on this connection. When the
    // engine found the file damaged, the connection closes first, so that nothing more is
    // written into it, and the message says so; OnDamaged runs then.
    [[noreturn]] void RaiseEngineError(const QSqlError &AError, const QString &AStatement);
    std::function<void()> OnDamaged;

    bool InTransaction() const { return FTransactionDepth > 0; }

    // For the engine layer's own classes: the QtSql handle, valid while connected.
    QSqlDatabase Database() const;

private:
    friend class TZavDataSet;
    friend class TZavTransaction;
    void OpenPath(const QString &APath, int ABusyTimeout, bool ACreate);
    // Refuses a damaged file (EDatabaseError saying so).
    void CheckIntegrity();
    void RegisterDataSet(TZavDataSet *ADataSet);
    void UnregisterDataSet(TZavDataSet *ADataSet);

    QString FConnectionString;
    QString FConnectionName; // the QSqlDatabase name, unique per object
    QString FPath;
    QSqlDatabase FDatabase;
    QList<TZavDataSet *> FDataSets;
    int FTransactionDepth = 0;
    bool FRollbackOnly = false; // a joined guard ended without Commit
};

// RAII guard of a transaction: begins it on construction and rolls it back on destruction
// unless Commit ran. An immediate transaction takes the write lock at once (waiting up to
// the busy timeout), so a look-up and the insert built from it cannot interleave with
// another program's writes. A guard made while a transaction runs joins it; when a joined
// guard ends without Commit, the outer Commit rolls everything back and raises
// EDatabaseError, so a caller that caught the inner failure cannot commit half its work.
class TZavTransaction
{
public:
    enum TLockMode { tmDeferred, tmImmediate };
    explicit TZavTransaction(TZavConnection &AConnection, TLockMode AMode = tmImmediate);
    ~TZavTransaction();
    TZavTransaction(const TZavTransaction &) = delete;
    TZavTransaction &operator=(const TZavTransaction &) = delete;

    void Commit();

private:
    TZavConnection &FConnection;
    bool FOwner = false; // false when joined to an outer transaction
    bool FDone = false;
};
