#include "ZavConnection.h"

#include "ZavDataSet.h"
#include "ZavDatabaseError.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

namespace {

const QString DataSourceKey = QStringLiteral("Data Source=");
constexpr int DefaultBusyTimeout = 5000;

struct TConnectSettings
{
    QString Path;
    int BusyTimeout = DefaultBusyTimeout;
};

TConnectSettings ParseConnectionString(const QString &AConnectionString)
{
    const qsizetype At = AConnectionString.indexOf(DataSourceKey, 0, Qt::CaseInsensitive);
    if (At < 0)
        throw EDatabaseError(QStringLiteral("Verbindungszeichenfolge ohne \"Data Source\": %1").arg(AConnectionString));
    TConnectSettings Result;
    Result.Path = AConnectionString.mid(At + DataSourceKey.size());
    const QStringList Options = AConnectionString.left(At).split(u';', Qt::SkipEmptyParts);
    for (const QString &Option : Options) {
        const qsizetype Eq = Option.indexOf(u'=');
        const QString Key = Option.left(Eq).trimmed();
        const QString Value = Eq < 0 ? QString() : Option.mid(Eq + 1).trimmed();
        if (Key.compare(u"Provider", Qt::CaseInsensitive) == 0) {
            if (Value.compare(u"SQLite", Qt::CaseInsensitive) != 0)
                throw EDatabaseError(QStringLiteral("Unbekannter Provider <%1>").arg(Value));
        } else if (Key.compare(u"Busy Timeout", Qt::CaseInsensitive) == 0) {
            bool Ok = false;
            Result.BusyTimeout = Value.toInt(&Ok);
            if (!Ok || Result.BusyTimeout < 0)
                throw EDatabaseError(QStringLiteral("Ungültiger Busy Timeout <%1>").arg(Value));
        } else {
            throw EDatabaseError(QStringLiteral("Unbekannte Option <%1> in der Verbindungszeichenfolge").arg(Key));
        }
    }
    if (Result.Path.isEmpty())
        throw EDatabaseError(QStringLiteral("Verbindungszeichenfolge ohne Dateipfad"));
    return Result;
}

// Splits an SQLite script at ";" outside quotes, brackets and comments.
QStringList SplitScript(const QString &AScript)
{
    QStringList Result;
    QString Current;
    const qsizetype N = AScript.size();
    for (qsizetype I = 0; I < N; ++I) {
        const QChar C = AScript[I];
        const QChar Next = I + 1 < N ? AScript[I + 1] : QChar();
        if (C == u'-' && Next == u'-') {
            while (I < N && AScript[I] != u'\n')
                ++I;
            Current += u'\n';
            continue;
        }
        if (C == u'/' && Next == u'*') {
            const qsizetype E = AScript.indexOf(QStringLiteral("*/"), I + 2);
            I = E < 0 ? N : E + 1;
            Current += u' ';
            continue;
        }
        if (C == u'\'' || C == u'"' || C == u'`' || C == u'[') {
            const QChar Close = C == u'[' ? QChar(u']') : C;
            Current += C;
            for (++I; I < N; ++I) {
                Current += AScript[I];
                if (AScript[I] == Close)
                    break;
            }
            continue;
        }
        if (C == u';') {
            if (!Current.trimmed().isEmpty())
                Result.append(Current.trimmed());
            Current.clear();
            continue;
        }
        Current += C;
    }
    if (!Current.trimmed().isEmpty())
        Result.append(Current.trimmed());
    return Result;
}

// Why a file could not be opened, in German for the common reasons the user can act on;
// the engine's own text follows in brackets.
QString OpenFailureMessage(const QString &APath, const QSqlError &AError)
{
    const QString Engine = EngineMessage(AError);
    bool Ok = false;
    const int Code = AError.nativeErrorCode().toInt(&Ok) & 0xFF;
    if (Ok && Code == 26) // SQLITE_NOTADB
        return QStringLiteral("Die Datei <%1> ist keine SQLite-Datenbank und damit kein Bohrungskatalog (%2)")
            .arg(APath, Engine);
    if (Ok && (Code == 5 || Code == 6)) // SQLITE_BUSY, SQLITE_LOCKED
        return QStringLiteral("Die Datei <%1> ist gesperrt: ein anderes Programm arbeitet gerade damit (%2)")
            .arg(APath, Engine);
    if (Ok && Code == 14) // SQLITE_CANTOPEN
        return QStringLiteral("Die Datei <%1> kann nicht geöffnet werden, vielleicht fehlt die Berechtigung (%2)")
            .arg(APath, Engine);
    return Engine;
}

} // namespace

TZavConnection::TZavConnection()
{
    static std::atomic<int> Counter{0};
    FConnectionName = QStringLiteral("zavrex-%1").arg(++Counter);
}

TZavConnection::~TZavConnection()
{
    Close();
}

void TZavConnection::SetConnectionString(const QString &AConnectionString)
{
    FConnectionString = AConnectionString;
}

void TZavConnection::Open()
{
    Close();
    const TConnectSettings Settings = ParseConnectionString(FConnectionString);
    OpenPath(Settings.Path, Settings.BusyTimeout, false);
}

void TZavConnection::OpenNew(const QString &APath)
{
    Close();
    if (QFileInfo::exists(APath))
        throw EDatabaseError(QStringLiteral("Die Datei <%1> existiert bereits").arg(APath));
    OpenPath(APath, DefaultBusyTimeout, true);
}

void TZavConnection::OpenPath(const QString &APath, int ABusyTimeout, bool ACreate)
{
    FPath = APath;
    const QFileInfo Info(APath);
    if (!ACreate) {
        // SQLite would take an empty file for an empty database and would report a folder
        // only at the first statement; neither is a catalogue.
        if (!Info.exists())
            throw EDatabaseError(QStringLiteral("Die Datenbankdatei <%1> wurde nicht gefunden").arg(APath));
        if (!Info.isFile())
            throw EDatabaseError(QStringLiteral("<%1> ist keine Datei").arg(APath));
        if (Info.size() == 0)
            throw EDatabaseError(QStringLiteral("Die Datei <%1> ist leer").arg(APath));
    }

    // A file: URI with "mode=rw" opens without creating; built by QUrl so that "#", "?",
    // "%" and non-ASCII characters of the path survive (a raw "file:" text would not).
    const QString Uri = QUrl::fromLocalFile(Info.absoluteFilePath()).toString(QUrl::FullyEncoded)
        + (ACreate ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw"));
    FDatabase = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnectionName);
    FDatabase.setDatabaseName(Uri);
    FDatabase.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(ABusyTimeout));
    if (!FDatabase.open()) {
        const QString Message = EngineMessage(FDatabase.lastError());
        Close();
        throw EDatabaseError(Message.isEmpty() ? QStringLiteral("Die Datenbank <%1> kann nicht geöffnet werden").arg(APath)
                                               : Message);
    }
    try {
        // The file is data from elsewhere: its views and triggers must not run functions
        // with side effects. Then the first read proves the file is a database.
        ExecRaw(QStringLiteral("PRAGMA trusted_schema=OFF"));
        {
            QSqlQuery Probe(FDatabase);
            if (!Probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
                throw EDatabaseError(OpenFailureMessage(APath, Probe.lastError()), Probe.lastQuery());
        }
        if (!ACreate)
            CheckIntegrity();
    } catch (...) {
        Close();
        throw;
    }
}

namespace {

QString DamagedMessage(const QString &APath, const QString &AReason)
{
    return QStringLiteral("Die Datenbank <%1> ist beschädigt (%2). Mit sqlite3 \"%1\" \".recover\" lassen sich "
                          "ihre Zeilen vielleicht retten.")
        .arg(APath, AReason);
}

bool IsDamageError(const QSqlError &AError)
{
    // SQLITE_CORRUPT, also as an extended code.
    bool Ok = false;
    const int Code = AError.nativeErrorCode().toInt(&Ok);
    return (Ok && (Code & 0xFF) == 11) || AError.databaseText().contains(QStringLiteral("malformed"));
}

} // namespace

void TZavConnection::CheckIntegrity()
{
    // The quick check reads every page but skips the index contents; a file damaged
    // elsewhere is refused before anything is written into it. It would also evaluate
    // every CHECK constraint of every row, two thirds of its time on a large catalogue:
    // a value another program stored past a constraint is no damage of the file.
    ExecRaw(QStringLiteral("PRAGMA ignore_check_constraints=ON"));
    QString Result;
    QString Failure;
    {
        QSqlQuery Check(FDatabase);
        Check.setForwardOnly(true);
        if (!Check.exec(QStringLiteral("PRAGMA quick_check(1)")))
            Failure = EngineMessage(Check.lastError());
        else if (Check.next())
            Result = Check.value(0).toString();
    }
    ExecRaw(QStringLiteral("PRAGMA ignore_check_constraints=OFF"));
    if (!Failure.isEmpty())
        throw EDatabaseError(DamagedMessage(FPath, Failure), QStringLiteral("PRAGMA quick_check(1)"));
    if (Result != u"ok")
        throw EDatabaseError(DamagedMessage(FPath, Result), QStringLiteral("PRAGMA quick_check(1)"));
}

void TZavConnection::RaiseEngineError(const QSqlError &AError, const QString &AStatement)
{
    const QString Message = EngineMessage(AError);
    if (!IsDamageError(AError) || !FDatabase.isOpen())
        throw EDatabaseError(Message, AStatement);
    // Closed, not removed: the failed statement's query object still refers to the handle.
    for (TZavDataSet *DataSet : std::as_const(FDataSets))
        DataSet->Close();
    FTransactionDepth = 0;
    FDatabase.close();
    if (OnDamaged)
        OnDamaged();
    throw EDatabaseError(DamagedMessage(FPath, Message) + QStringLiteral(" Die Verbindung wurde geschlossen."),
                         AStatement);
}

void TZavConnection::Close()
{
    for (TZavDataSet *DataSet : std::as_const(FDataSets))
        DataSet->Close();
    FTransactionDepth = 0;
    if (FDatabase.isValid()) {
        FDatabase.close();
        FDatabase = QSqlDatabase();
        QSqlDatabase::removeDatabase(FConnectionName);
    }
}

QSqlDatabase TZavConnection::Database() const
{
    if (!FDatabase.isOpen())
        throw EDatabaseError(QStringLiteral("Keine Verbindung zur Datenbank"));
    return FDatabase;
}

QStringList TZavConnection::GetTableNames()
{
    QSqlQuery Query(Database());
    Query.setForwardOnly(true);
    const QString Statement = QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    if (!Query.exec(Statement))
        RaiseEngineError(Query.lastError(), Statement);
    QStringList Result;
    while (Query.next())
        Result.append(Query.value(0).toString());
    return Result;
}

QStringList TZavConnection::GetTriggerNames()
{
    QSqlQuery Query(Database());
    Query.setForwardOnly(true);
    const QString Statement = QStringLiteral("SELECT name FROM sqlite_master WHERE type='trigger'");
    if (!Query.exec(Statement))
        RaiseEngineError(Query.lastError(), Statement);
    QStringList Result;
    while (Query.next())
        Result.append(Query.value(0).toString());
    return Result;
}

int TZavConnection::ExecRaw(const QString &AStatement)
{
    QSqlQuery Query(Database());
    if (!Query.exec(AStatement))
        RaiseEngineError(Query.lastError(), AStatement);
    return Query.numRowsAffected();
}

void TZavConnection::ExecScript(const QString &AScript)
{
    const QStringList Statements = SplitScript(AScript);
    for (const QString &Statement : Statements)
        ExecRaw(Statement);
}

void TZavConnection::RegisterDataSet(TZavDataSet *ADataSet)
{
    FDataSets.append(ADataSet);
}

void TZavConnection::UnregisterDataSet(TZavDataSet *ADataSet)
{
    FDataSets.removeOne(ADataSet);
}

TZavTransaction::TZavTransaction(TZavConnection &AConnection, TLockMode AMode)
    : FConnection(AConnection)
{
    if (FConnection.FTransactionDepth > 0) {
        ++FConnection.FTransactionDepth;
        return;
    }
    FConnection.ExecRaw(AMode == tmImmediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    FConnection.FTransactionDepth = 1;
    FConnection.FRollbackOnly = false;
    FOwner = true;
}

TZavTransaction::~TZavTransaction()
{
    if (FDone)
        return;
    if (!FOwner) {
        if (FConnection.FTransactionDepth > 0) {
            --FConnection.FTransactionDepth;
            FConnection.FRollbackOnly = true;
        }
        return;
    }
    FConnection.FTransactionDepth = 0;
    if (FConnection.Connected()) {
        try {
            FConnection.ExecRaw(QStringLiteral("ROLLBACK"));
        } catch (const EDatabaseError &) {
            // SQLite may have rolled back by itself already (e.g. after a disk error).
        }
    }
}

void TZavTransaction::Commit()
{
    if (FDone)
        return;
    if (!FOwner) {
        --FConnection.FTransactionDepth;
        FDone = true;
        return;
    }
    if (FConnection.FRollbackOnly) {
        // The destructor rolls back.
        throw EDatabaseError(QStringLiteral("Ein Teil der Transaktion ist fehlgeschlagen; sie wurde zurückgenommen"));
    }
    FConnection.ExecRaw(QStringLiteral("COMMIT"));
    FConnection.FTransactionDepth = 0;
    FDone = true;
}
