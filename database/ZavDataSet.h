#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class TZavConnection;
class TZavDataSet;

// Refuses a value that cannot be stored as it is (a text with an unpaired surrogate),
// naming the column or parameter AName: EDatabaseError.
void CheckStorable(const QVariant &AValue, const QString &AName);

// One column of an open data set, read on the data set's current row (or on the row being
// edited). Valid until the data set closes.
class TZavField
{
public:
    TZavField(TZavDataSet &ADataSet, int AIndex, const QString &AFieldName);

    const QString &FieldName() const { return FFieldName; }
    int Index() const { return FIndex; }

    // The value as the engine gave it (qlonglong, double, QString, QByteArray) or a null
    // QVariant for NULL.
    QVariant Value() const;
    bool IsNull() const;
    // NULL reads as empty text; a double as in the user's locale, general format (shortest
    // text of up to 15 significant digits, no digit grouping), as Delphi's AsString did.
    QString AsString() const;
    // NULL reads as 0; a text that is no number raises EDatabaseError.
    double AsFloat() const;
    // NULL reads as 0; a double is rounded.
    int AsInteger() const;
    // Days since 30 December 1899 (ZavDateTime.h); NULL reads as 0. A text in ISO form
    // (from a file made elsewhere) is converted.
    double AsDateTime() const;

    // Shorthands of the data set's SetFieldValue / SetFieldNull for this column.
    void SetValue(const QVariant &AValue);
    void Clear();

private:
    TZavDataSet &FDataSet;
    int FIndex;
    QString FFieldName;
};

// A static cursor over rows in memory, the common part of TZavQuery and TZavTable: Open
// reads all rows at once (a SELECT not read to its end would keep writers out) and the rows stay
// as they were when it opened. A data set over one table can change its current row
// (Edit) or append one (Append), set fields, and write that one row back (Post).
class TZavDataSet
{
public:
    enum TState { dsInactive, dsBrowse, dsEdit, dsInsert };

    explicit TZavDataSet(TZavConnection &AConnection);
    virtual ~TZavDataSet();
    TZavDataSet(const TZavDataSet &) = delete;
    TZavDataSet &operator=(const TZavDataSet &) = delete;

    TZavConnection &Connection() const { return FConnection; }

    // Reads the rows and stands on the first one; then runs AfterOpen. Does nothing when
    // already open. Engine errors raise EDatabaseError and leave the data set closed.
    void Open();
    // Drops the rows and any pending edit; the fields become invalid.
    void Close();
    bool Active() const { return FState != dsInactive; }
    TState State() const { return FState; }

    // Runs at the end of every Open, with the opened data set (the master query's
    // "after open" event). An error it raises leaves Open, the data set open.
    std::function<void(TZavDataSet &)> AfterOpen;

    // Navigation; a pending edit is posted first. After Next on the last row Eof is true
    // and the last row stays current; Last sets Eof too.
    void First();
    void Next();
    void Last();
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    int RecordCount() const { return FRowCount; }
    // Index of the current row, 0-based; -1 without rows.
    int RecNo() const { return FRowCount == 0 ? -1 : FRecNo; }

    int FieldCount() const { return int(FFields.size()); }
    TZavField &Fields(int AIndex);
    // Field names compare without regard to case. FieldByName raises EDatabaseError when
    // the data set has no such field; FindField yields null then.
    TZavField &FieldByName(const QString &AFieldName);
    TZavField *FindField(const QString &AFieldName);

    // Editing of a one-table data set. Edit puts the current row into edit mode, Append a
    // new row (all NULL; unset columns take their defaults) at the end.
    void Edit();
    void Append();
    // Sets a field of the row in edit mode. A text given for a numeric column is converted
    // with the rules of QLocale() (empty text gives NULL); one that does not convert raises
    // EDatabaseError naming the value.
    void SetFieldValue(int AIndex, const QVariant &AValue);
    void SetFieldValue(const QString &AFieldName, const QVariant &AValue);
    void SetFieldNull(const QString &AFieldName);
    // Sets a field to a value as the engine gave it (Value(): its own type, or NULL),
    // without the conversion of typed input; for copying stored rows exactly.
    void SetFieldStored(int AIndex, const QVariant &AValue);
    // Writes the row in edit mode back (the changed fields of it; for an appended row
    // those set) and returns to browsing; the cached row takes the new values. On an
    // engine error the row stays in edit mode.
    void Post();
    // Drops a pending edit.
    void Cancel();

    // The table written by Edit/Append and Post; empty when the data set is not one table.
    const QString &EditTableName() const { return FEditTable; }

    // For TZavField: the value of a column on the current or edited row.
    const QVariant &CurrentValue(int AIndex) const;

protected:
    // What a subclass delivers at Open: field names and the rows, row-major, with the
    // SQLite rowid of each row when the rows come from one table (RowIds empty otherwise).
    struct TZavRows
    {
        QString Table;
        QStringList FieldNames;
        QList<QVariant> Values;
        QList<qint64> RowIds;
    };
    virtual TZavRows DoOpen() = 0;
    // Reads the rows of AStatement (SQLite dialect) into ARows, with parameter values bound
    // in order; when AHasRowId the first result column is the rowid.
    static void FetchRows(TZavConnection &AConnection, const QString &AStatement, const QString &AShownStatement,
                          const QList<QVariant> &ABindValues, bool AHasRowId, TZavRows &ARows);
    void CheckActive() const;

private:
    enum TAffinity { afText, afInteger, afReal, afNumeric, afBlob };
    void CheckBrowseMode();
    void CheckEditable();
    int CheckFieldIndex(int AIndex) const;
    QVariant ConvertForColumn(int AIndex, const QVariant &AValue) const;

    TZavConnection &FConnection;
    TState FState = dsInactive;
    std::vector<std::unique_ptr<TZavField>> FFields;
    QHash<QString, int> FFieldIndex; // upper-case name -> index
    QList<QVariant> FValues;         // row-major, FFields.size() per row
    QList<qint64> FRowIds;
    int FRowCount = 0;
    int FRecNo = 0;
    bool FEof = true;
    bool FBof = true;
    QString FEditTable;
    QList<TAffinity> FAffinities; // of the fields, filled at the first Edit/Append
    QList<QVariant> FBuffer;      // the row in edit mode
    QList<bool> FModified;
};
