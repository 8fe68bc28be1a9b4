#include "SampleCatalogue.h"

#include "DatabaseTemplate.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavQuery.h"

#include <QFile>

QList<TSampleTable> SampleCatalogueTables()
{
    QFile Source(QStringLiteral(":/Beispielkatalog.txt"));
    if (!Source.open(QIODevice::ReadOnly))
        throw EDatabaseError(QStringLiteral("Der Beispielkatalog fehlt im Programm"));
    const QStringList Lines = QString::fromUtf8(Source.readAll()).split(u'\n');
    QList<TSampleTable> Tables;
    for (const QString &Raw : Lines) {
        const QString Line = Raw.endsWith(u'\r') ? Raw.chopped(1) : Raw;
        if (Line.trimmed().isEmpty() || Line.startsWith(u'#'))
            continue;
        if (Line.startsWith(u'[') && Line.endsWith(u']')) {
            Tables.append({Line.mid(1, Line.size() - 2), {}, {}});
        } else if (!Tables.isEmpty() && Tables.last().Columns.isEmpty()) {
            Tables.last().Columns = Line.split(u'\t');
        } else if (!Tables.isEmpty()) {
            QStringList Fields = Line.split(u'\t');
            while (Fields.size() < Tables.last().Columns.size())
                Fields.append(QString());
            Tables.last().Rows.append(Fields);
        }
    }
    return Tables;
}

void WriteSampleCatalogue(const QString &APath)
{
    const QList<TSampleTable> Tables = SampleCatalogueTables();
    // Made beside the target, put in its place when complete.
    TZavDatabaseDraft Draft(APath);
    {
        TZavConnection Conn;
        Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + Draft.Path());
        Conn.Open();
        TZavTransaction Transaction(Conn);
        for (const TSampleTable &Table : Tables) {
            QStringList Params;
            for (int I = 0; I < Table.Columns.size(); ++I)
                Params.append(QStringLiteral(":P%1").arg(I));
            const QString Statement = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(Table.Name, Table.Columns.join(u','), Params.join(u','));
            TZavQuery Insert(Conn);
            for (const QStringList &Row : Table.Rows) {
                Insert.SetSQL(Statement);
                // Text as written; the columns' types turn numbers into numbers.
                for (int I = 0; I < Table.Columns.size(); ++I) {
                    if (!Row[I].isEmpty())
                        Insert.ParamByName(QStringLiteral("P%1").arg(I)).SetAsString(Row[I]);
                }
                Insert.ExecSQL();
            }
        }
        Transaction.Commit();
    }
    Draft.Commit();
}
