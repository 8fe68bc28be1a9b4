// Build-time generator: creates the empty borehole database that is embedded as the
// resource "Template", from the schema source resources/schema/borehole.sql.
//
//   zavrex-mktemplate SCHEMA.sql OUTPUT
//
// The file is made with the project's own engine layer, in one transaction on a new file,
// so the same schema and SQLite version give the same bytes on every run.

#include "ZavConnection.h"
#include "ZavDatabaseError.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

#include <cstdio>

namespace {

[[noreturn]] void Fail(const QString &AMessage)
{
    std::fprintf(stderr, "zavrex-mktemplate: %s\n", qUtf8Printable(AMessage));
    std::exit(1);
}

void RemoveIfThere(const QString &APath)
{
    if (QFile::exists(APath) && !QFile::remove(APath))
        Fail(QStringLiteral("cannot remove %1").arg(APath));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication App(argc, argv); // QtSql loads its driver plugin through it
    const QStringList Args = App.arguments();
    if (Args.size() != 3)
        Fail(QStringLiteral("usage: zavrex-mktemplate SCHEMA.sql OUTPUT"));
    const QString SchemaPath = Args[1];
    const QString OutputPath = Args[2];

    QFile Schema(SchemaPath);
    if (!Schema.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("%1: %2").arg(SchemaPath, Schema.errorString()));
    QStringDecoder Decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString Script = Decoder.decode(Schema.readAll());
    if (Decoder.hasError())
        Fail(QStringLiteral("%1: not valid UTF-8").arg(SchemaPath));

    const QString TempPath = OutputPath + QStringLiteral(".tmp");
    RemoveIfThere(TempPath);
    RemoveIfThere(TempPath + QStringLiteral("-journal"));
    try {
        TZavConnection Connection;
        Connection.OpenNew(TempPath);
        // Fixed here rather than left to SQLite's compile-time default.
        Connection.ExecRaw(QStringLiteral("PRAGMA page_size=4096"));
        {
            TZavTransaction Transaction(Connection);
            Connection.ExecScript(Script);
            Transaction.Commit();
        }
        if (Connection.GetTableNames().isEmpty())
            Fail(QStringLiteral("%1 creates no table").arg(SchemaPath));
        Connection.Close();
    } catch (const EDatabaseError &E) {
        RemoveIfThere(TempPath);
        Fail(E.Statement().isEmpty() ? E.Message() : QStringLiteral("%1\n  in: %2").arg(E.Message(), E.Statement()));
    }
    RemoveIfThere(OutputPath);
    if (!QFile::rename(TempPath, OutputPath))
        Fail(QStringLiteral("cannot rename %1 to %2").arg(TempPath, OutputPath));
    return 0;
}
