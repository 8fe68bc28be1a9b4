#include "AccessImport.h"

#include "DMBorehole.h"
#include "DatabaseTemplate.h"
#include "ZavAccessFile.h"
#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavQuery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlQuery>

namespace {

// The source's spelling of a schema table: its own name or with the prefix, either case.
QString SourceName(const QStringList &ASourceTables, const QString &ASchemaTable)
{
    for (const QString &Candidate : {ASchemaTable, GEODIN_Prefix + ASchemaTable}) {
        for (const QString &Name : ASourceTables) {
            if (Name.compare(Candidate, Qt::CaseInsensitive) == 0)
                return Name;
        }
    }
    return QString();
}

// The column the engine names in a refusal, "" when it names none of AColumns.
QString RefusedColumn(const QString &AMessage, const QStringList &AColumns)
{
    for (const QString &C : AColumns) {
        for (const QString &Form : {QStringLiteral("(%1 ").arg(C), QStringLiteral(" %1 ").arg(C), QStringLiteral(".%1").arg(C),
                                    QStringLiteral("(%1)").arg(C)}) {
            if (AMessage.contains(Form))
                return C;
        }
    }
    return QString();
}

} // namespace

TAccessImportReport ImportAccessCatalogue(const QString &ASource, const QString &ATarget,
                                          const TAccessImportProgress &AProgress)
{
    if (QFileInfo(ASource).absoluteFilePath() == QFileInfo(ATarget).absoluteFilePath())
        throw EDatabaseError(QStringLiteral("Quelle und Ziel sind dieselbe Datei <%1>").arg(ASource));
    if (!TZavAccessFile::IsAccessFile(ASource))
        throw EDatabaseError(QStringLiteral("Die Datei <%1> ist keine Access-Datei").arg(ASource));
    const TZavAccessFile Source(ASource);
    const QStringList SourceTables = Source.TableNames();
    for (const QString &Used : {S3StammTable, S3SchichtTable, S3GrundWTable, S3ProbenTable}) {
        if (SourceName(SourceTables, Used).isEmpty())
            throw EDatabaseError(
                QStringLiteral("<%1> ist kein Bohrungskatalog: es fehlt die Tabelle %2").arg(ASource, Used));
    }

    // Written beside the target, put in its place at the end.
    TZavDatabaseDraft Draft(ATarget);

    TAccessImportReport Report;
    {
        TZavConnection Target;
        Target.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + Draft.Path());
        Target.Open();
        TZavTransaction Transaction(Target);
        const QStringList SchemaTables = Target.GetTableNames();
        int Done = 0;
        for (const QString &Schema : SchemaTables) {
            const QString Name = SourceName(SourceTables, Schema);
            if (Name.isEmpty()) {
                ++Done;
                continue;
            }
            if (AProgress && !AProgress(Name, Done, int(SchemaTables.size())))
                throw EDatabaseError(QStringLiteral("Die Übernahme von <%1> wurde abgebrochen").arg(ASource));
            // The data module finds the tables under the names the source used.
            if (Name.compare(Schema, Qt::CaseInsensitive) != 0)
                Target.ExecRaw(QStringLiteral("ALTER TABLE %1 RENAME TO \"%2\"").arg(Schema, Name));

            QStringList TargetColumns;
            {
                QSqlQuery Info(Target.Database());
                Info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(Name));
                while (Info.next())
                    TargetColumns.append(Info.value(1).toString());
            }
            const TZavAccessFile::TTable Table = Source.ReadTable(Name);
            QList<int> SourceIndex; // per copied column, its position in the source row
            QStringList Copied;
            for (int I = 0; I < Table.Columns.size(); ++I) {
                QString Known;
                for (const QString &C : std::as_const(TargetColumns)) {
                    if (C.compare(Table.Columns[I], Qt::CaseInsensitive) == 0)
                        Known = C;
                }
                if (Known.isEmpty()) {
                    Report.SkippedColumns.append(Name + u'.' + Table.Columns[I]);
                    continue;
                }
                SourceIndex.append(I);
                Copied.append(Known);
            }
            QStringList Params;
            for (int I = 0; I < Copied.size(); ++I)
                Params.append(QStringLiteral(":P%1").arg(I));
            const QString Statement = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(Name, Copied.join(u','), Params.join(u','));
            const int LocIDAt = int(Table.Columns.indexOf(QStringLiteral("LOCID")));
            const int RecIDAt = int(Table.Columns.indexOf(QStringLiteral("RECID")));
            TZavQuery Insert(Target);
            for (const QList<QVariant> &Row : Table.Rows) {
                Insert.SetSQL(Statement);
                for (int I = 0; I < SourceIndex.size(); ++I) {
                    const QVariant &V = Row[SourceIndex[I]];
                    TZavParam &P = Insert.ParamByName(QStringLiteral("P%1").arg(I));
                    if (V.isNull())
                        P.Clear();
                    else if (V.typeId() == QMetaType::QString)
                        P.SetAsString(V.toString());
                    else
                        P.SetValue(V);
                }
                try {
                    Insert.ExecSQL();
                } catch (const EDatabaseError &E) {
                    auto Id = [&Row](int AAt) {
                        return AAt < 0 || Row[AAt].isNull() ? QStringLiteral("NULL") : Row[AAt].toString();
                    };
                    const QString Column = RefusedColumn(E.Message(), Copied);
                    throw EDatabaseError(QStringLiteral("Tabelle %1, LOCID %2, RECID %3%4: der Wert passt nicht in den "
                                                        "Bohrungskatalog (%5)")
                                             .arg(Name, Id(LocIDAt), Id(RecIDAt),
                                                  Column.isEmpty() ? QString() : QStringLiteral(", Spalte ") + Column,
                                                  E.Message()),
                                         E.Statement());
                }
            }
            Report.Rows.append({Name, int(Table.Rows.size())});
            ++Done;
        }
        if (AProgress && !AProgress(QString(), Done, int(SchemaTables.size())))
            throw EDatabaseError(QStringLiteral("Die Übernahme von <%1> wurde abgebrochen").arg(ASource));
        Transaction.Commit();
        Target.Close();
    }
    // The user agreed to replace an existing target; only now does it go.
    Draft.Commit();
    return Report;
}
