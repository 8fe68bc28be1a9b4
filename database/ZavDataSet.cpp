#include "ZavDataSet.h"

#include "ZavConnection.h"
#include "ZavDatabaseError.h"
#include "ZavDateTime.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>

namespace {

QString QuoteIdent(const QString &AName)
{
    QString Inner = AName;
    Inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + Inner + u'"';
}

bool IsTextValue(const QVariant &AValue)
{
    return AValue.typeId() == QMetaType::QString;
}

const QVariant NullValue;

} // namespace

void CheckStorable(const QVariant &AValue, const QString &AName)
{
    // SQLite would store a lone surrogate changed, taking the next character with it.
    if (AValue.typeId() == QMetaType::QString && !AValue.toString().isValidUtf16())
        throw EDatabaseError(QStringLiteral("Der Text für <%1> enthält ein ungültiges Zeichen (ein einzelnes "
                                            "UTF-16-Ersatzzeichen) und kann nicht gespeichert werden")
                                 .arg(AName));
}

// ---------------------------------------------------------------------------------------
// TZavField

TZavField::TZavField(TZavDataSet &ADataSet, int AIndex, const QString &AFieldName)
    : FDataSet(ADataSet)
    , FIndex(AIndex)
    , FFieldName(AFieldName)
{
}

QVariant TZavField::Value() const
{
    return FDataSet.CurrentValue(FIndex);
}

bool TZavField::IsNull() const
{
    return FDataSet.CurrentValue(FIndex).isNull();
}

QString TZavField::AsString() const
{
    const QVariant &V = FDataSet.CurrentValue(FIndex);
    if (V.isNull())
        return QString();
    switch (V.typeId()) {
    case QMetaType::Double: {
        QLocale Locale;
        Locale.setNumberOptions(Locale.numberOptions() | QLocale::OmitGroupSeparator);
        return Locale.toString(V.toDouble(), 'g', 15);
    }
    case QMetaType::QByteArray:
        return QString::fromUtf8(V.toByteArray());
    default:
        return V.toString();
    }
}

double TZavField::AsFloat() const
{
    const QVariant &V = FDataSet.CurrentValue(FIndex);
    if (V.isNull())
        return 0;
    if (IsTextValue(V)) {
        bool Ok = false;
        const double D = V.toString().trimmed().toDouble(&Ok);
        if (!Ok)
            throw EDatabaseError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert (Feld %2)").arg(V.toString(), FFieldName));
        return D;
    }
    return V.toDouble();
}

int TZavField::AsInteger() const
{
    const QVariant &V = FDataSet.CurrentValue(FIndex);
    if (V.isNull())
        return 0;
    if (V.typeId() == QMetaType::Double)
        return int(std::llround(V.toDouble()));
    if (IsTextValue(V)) {
        bool Ok = false;
        const int I = V.toString().trimmed().toInt(&Ok);
        if (!Ok)
            throw EDatabaseError(QStringLiteral("'%1' ist kein gültiger Integerwert (Feld %2)").arg(V.toString(), FFieldName));
        return I;
    }
    return int(V.toLongLong());
}

double TZavField::AsDateTime() const
{
    const QVariant &V = FDataSet.CurrentValue(FIndex);
    if (V.isNull())
        return 0;
    if (IsTextValue(V)) {
        const QString Text = V.toString().trimmed();
        const QDateTime DT = QDateTime::fromString(Text, Qt::ISODate);
        if (DT.isValid())
            return ZavDateTimeToDays(DT);
        const QDate D = QDate::fromString(Text, Qt::ISODate);
        if (D.isValid())
            return ZavDateTimeToDays(QDateTime(D, QTime(0, 0)));
        bool Ok = false;
        const double Days = Text.toDouble(&Ok);
        if (!Ok)
            throw EDatabaseError(QStringLiteral("'%1' ist kein gültiger Datumswert (Feld %2)").arg(Text, FFieldName));
        return Days;
    }
    return V.toDouble();
}

void TZavField::SetValue(const QVariant &AValue)
{
    FDataSet.SetFieldValue(FIndex, AValue);
}

void TZavField::Clear()
{
    FDataSet.SetFieldValue(FIndex, QVariant());
}

// ---------------------------------------------------------------------------------------
// TZavDataSet

TZavDataSet::TZavDataSet(TZavConnection &AConnection)
    : FConnection(AConnection)
{
    FConnection.RegisterDataSet(this);
}

TZavDataSet::~TZavDataSet()
{
    FConnection.UnregisterDataSet(this);
}

void TZavDataSet::Open()
{
    if (Active())
        return;
    TZavRows Rows = DoOpen();
    const int Count = int(Rows.FieldNames.size());
    FFields.reserve(Count);
    for (int I = 0; I < Count; ++I) {
        FFields.push_back(std::make_unique<TZavField>(*this, I, Rows.FieldNames[I]));
        const QString Key = Rows.FieldNames[I].toUpper();
        if (!FFieldIndex.contains(Key)) // the first of equal names wins
            FFieldIndex.insert(Key, I);
    }
    FValues = std::move(Rows.Values);
    FRowIds = std::move(Rows.RowIds);
    FRowCount = Count == 0 ? 0 : int(FValues.size() / Count);
    FEditTable = Rows.Table;
    FState = dsBrowse;
    FRecNo = 0;
    FBof = true;
    FEof = FRowCount == 0;
    if (AfterOpen)
        AfterOpen(*this);
}

void TZavDataSet::Close()
{
    FState = dsInactive;
    FFields.clear();
    FFieldIndex.clear();
    FValues.clear();
    FRowIds.clear();
    FRowCount = 0;
    FRecNo = 0;
    FBof = FEof = true;
    FEditTable.clear();
    FAffinities.clear();
    FBuffer.clear();
    FModified.clear();
}

void TZavDataSet::CheckActive() const
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("Die Datenmenge ist geschlossen"));
}

void TZavDataSet::CheckBrowseMode()
{
    CheckActive();
    if (FState == dsEdit || FState == dsInsert)
        Post();
}

void TZavDataSet::First()
{
    CheckBrowseMode();
    FRecNo = 0;
    FBof = true;
    FEof = FRowCount == 0;
}

void TZavDataSet::Next()
{
    CheckBrowseMode();
    if (FRecNo + 1 < FRowCount) {
        ++FRecNo;
        FBof = false;
    } else {
        FEof = true;
    }
}

void TZavDataSet::Last()
{
    CheckBrowseMode();
    FRecNo = FRowCount > 0 ? FRowCount - 1 : 0;
    FBof = FRowCount == 0;
    FEof = true;
}

int TZavDataSet::CheckFieldIndex(int AIndex) const
{
    CheckActive();
    if (AIndex < 0 || AIndex >= int(FFields.size()))
        throw EDatabaseError(QStringLiteral("Feldindex %1 außerhalb des gültigen Bereichs").arg(AIndex));
    return AIndex;
}

TZavField &TZavDataSet::Fields(int AIndex)
{
    return *FFields[size_t(CheckFieldIndex(AIndex))];
}

TZavField *TZavDataSet::FindField(const QString &AFieldName)
{
    const auto It = FFieldIndex.constFind(AFieldName.toUpper());
    return It == FFieldIndex.constEnd() ? nullptr : FFields[size_t(*It)].get();
}

TZavField &TZavDataSet::FieldByName(const QString &AFieldName)
{
    CheckActive();
    TZavField *Field = FindField(AFieldName);
    if (!Field)
        throw EDatabaseError(QStringLiteral("Feld '%1' nicht gefunden").arg(AFieldName));
    return *Field;
}

const QVariant &TZavDataSet::CurrentValue(int AIndex) const
{
    CheckFieldIndex(AIndex);
    if (FState == dsEdit || FState == dsInsert)
        return FBuffer[AIndex];
    if (FRowCount == 0)
        return NullValue;
    return FValues[qsizetype(FRecNo) * FFields.size() + AIndex];
}

void TZavDataSet::CheckEditable()
{
    CheckActive();
    if (FEditTable.isEmpty())
        throw EDatabaseError(QStringLiteral("Die Datenmenge kann nicht geändert werden (keine einzelne Tabelle)"));
    if (!FAffinities.isEmpty() || FFields.empty())
        return;
    // Column types decide how text given for a column converts; SQLite's affinity rules.
    QHash<QString, TAffinity> ByName;
    QSqlQuery Info(FConnection.Database());
    const QString Statement = QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdent(FEditTable));
    if (!Info.exec(Statement))
        FConnection.RaiseEngineError(Info.lastError(), Statement);
    while (Info.next()) {
        const QString Type = Info.value(2).toString().toUpper();
        TAffinity A = afNumeric;
        if (Type.contains(u"INT"))
            A = afInteger;
        else if (Type.contains(u"CHAR") || Type.contains(u"CLOB") || Type.contains(u"TEXT"))
            A = afText;
        else if (Type.contains(u"BLOB") || Type.isEmpty() || Type == u"ANY")
            A = afBlob;
        else if (Type.contains(u"REAL") || Type.contains(u"FLOA") || Type.contains(u"DOUB"))
            A = afReal;
        ByName.insert(Info.value(1).toString().toUpper(), A);
    }
    for (const auto &Field : FFields)
        FAffinities.append(ByName.value(Field->FieldName().toUpper(), afBlob));
}

void TZavDataSet::Edit()
{
    CheckActive();
    if (FState == dsEdit || FState == dsInsert)
        return;
    CheckEditable();
    if (FRowCount == 0)
        throw EDatabaseError(QStringLiteral("Keine aktuelle Zeile zum Bearbeiten"));
    const qsizetype N = qsizetype(FFields.size());
    FBuffer = FValues.mid(qsizetype(FRecNo) * N, N);
    FModified = QList<bool>(N, false);
    FState = dsEdit;
}

void TZavDataSet::Append()
{
    CheckBrowseMode();
    CheckEditable();
    const qsizetype N = qsizetype(FFields.size());
    FBuffer = QList<QVariant>(N);
    FModified = QList<bool>(N, false);
    FState = dsInsert;
}

QVariant TZavDataSet::ConvertForColumn(int AIndex, const QVariant &AValue) const
{
    if (AValue.isNull())
        return QVariant();
    if (!IsTextValue(AValue))
        return AValue;
    const TAffinity A = FAffinities.value(AIndex, afBlob);
    if (A == afText || A == afBlob) // QtSql would bind a null QString as NULL
        return AValue.toString().isNull() ? QVariant(QStringLiteral("")) : AValue;
    const QString Text = AValue.toString();
    if (Text.isEmpty())
        return QVariant(); // as Delphi's numeric fields: empty text clears
    QLocale Locale;
    Locale.setNumberOptions(Locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool Ok = false;
    if (A == afInteger) {
        const qlonglong I = Locale.toLongLong(Text.trimmed(), &Ok);
        if (Ok)
            return I;
        throw EDatabaseError(QStringLiteral("'%1' ist kein gültiger Integerwert (Feld %2)").arg(Text, FFields[AIndex]->FieldName()));
    }
    // QLocale accepts "nan" and "inf"; neither is a value a user means to store.
    const double D = Locale.toDouble(Text.trimmed(), &Ok);
    if (Ok && std::isfinite(D))
        return D;
    throw EDatabaseError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert (Feld %2)").arg(Text, FFields[AIndex]->FieldName()));
}

void TZavDataSet::SetFieldValue(int AIndex, const QVariant &AValue)
{
    CheckFieldIndex(AIndex);
    if (FState != dsEdit && FState != dsInsert)
        throw EDatabaseError(QStringLiteral("Die Datenmenge ist nicht im Bearbeitungsmodus"));
    FBuffer[AIndex] = ConvertForColumn(AIndex, AValue);
    FModified[AIndex] = true;
}

void TZavDataSet::SetFieldStored(int AIndex, const QVariant &AValue)
{
    CheckFieldIndex(AIndex);
    if (FState != dsEdit && FState != dsInsert)
        throw EDatabaseError(QStringLiteral("Die Datenmenge ist nicht im Bearbeitungsmodus"));
    FBuffer[AIndex] = AValue.isNull() ? QVariant() : AValue;
    FModified[AIndex] = true;
}

void TZavDataSet::SetFieldValue(const QString &AFieldName, const QVariant &AValue)
{
    SetFieldValue(FieldByName(AFieldName).Index(), AValue);
}

void TZavDataSet::SetFieldNull(const QString &AFieldName)
{
    SetFieldValue(FieldByName(AFieldName).Index(), QVariant());
}

void TZavDataSet::Post()
{
    CheckActive();
    if (FState != dsEdit && FState != dsInsert)
        return;
    const qsizetype N = qsizetype(FFields.size());
    QStringList Columns;
    QList<QVariant> Values;
    for (qsizetype I = 0; I < N; ++I) {
        if (FModified[I]) {
            Columns.append(QuoteIdent(FFields[size_t(I)]->FieldName()));
            Values.append(FBuffer[I]);
        }
    }
    QSqlQuery Query(FConnection.Database());
    QString Statement;
    if (FState == dsEdit) {
        if (!Columns.isEmpty()) {
            // Rowids of a table without key are reused after deletes and renumbered by
            // VACUUM; another program may have done either since the rows were read. The
            // row must still hold every value as read, or the update finds nothing.
            QString Where = QStringLiteral("rowid=?");
            Values.append(FRowIds[FRecNo]);
            for (qsizetype I = 0; I < N; ++I) {
                Where += QStringLiteral(" AND %1 IS ?").arg(QuoteIdent(FFields[size_t(I)]->FieldName()));
                Values.append(FValues[qsizetype(FRecNo) * N + I]);
            }
            Statement = QStringLiteral("UPDATE %1 SET %2=? WHERE %3")
                            .arg(QuoteIdent(FEditTable), Columns.join(QStringLiteral("=?, ")), Where);
        }
    } else if (Columns.isEmpty()) {
        Statement = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QuoteIdent(FEditTable));
    } else {
        QStringList Marks(Columns.size(), QStringLiteral("?"));
        Statement = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(QuoteIdent(FEditTable), Columns.join(u','), Marks.join(u','));
    }
    if (!Statement.isEmpty()) {
        for (qsizetype I = 0, Col = 0; I < N; ++I) {
            if (FModified[I])
                CheckStorable(Values[Col++], FFields[size_t(I)]->FieldName());
        }
        if (!Query.prepare(Statement))
            FConnection.RaiseEngineError(Query.lastError(), Statement);
        for (const QVariant &V : std::as_const(Values))
            Query.addBindValue(V);
        if (!Query.exec())
            FConnection.RaiseEngineError(Query.lastError(), Statement);
        if (FState == dsEdit && Query.numRowsAffected() != 1)
            throw EDatabaseError(QStringLiteral("Die Zeile wurde für die Aktualisierung nicht gefunden"), Statement);
    }
    if (FState == dsEdit) {
        for (qsizetype I = 0; I < N; ++I)
            FValues[qsizetype(FRecNo) * N + I] = FBuffer[I];
    } else {
        FValues.append(FBuffer);
        FRowIds.append(Query.lastInsertId().toLongLong());
        ++FRowCount;
        FRecNo = FRowCount - 1;
        FEof = false;
        FBof = FRowCount == 1;
    }
    FBuffer.clear();
    FModified.clear();
    FState = dsBrowse;
}

void TZavDataSet::Cancel()
{
    if (FState != dsEdit && FState != dsInsert)
        return;
    FBuffer.clear();
    FModified.clear();
    FState = dsBrowse;
}

void TZavDataSet::FetchRows(TZavConnection &AConnection, const QString &AStatement, const QString &AShownStatement,
                            const QList<QVariant> &ABindValues, bool AHasRowId, TZavRows &ARows)
{
    QSqlQuery Query(AConnection.Database());
    Query.setForwardOnly(true);
    if (!Query.prepare(AStatement))
        AConnection.RaiseEngineError(Query.lastError(), AShownStatement);
    for (const QVariant &V : ABindValues)
        Query.addBindValue(V);
    if (!Query.exec())
        AConnection.RaiseEngineError(Query.lastError(), AShownStatement);
    if (!Query.isSelect())
        throw EDatabaseError(QStringLiteral("Die Anweisung liefert keine Datenmenge"), AShownStatement);
    const QSqlRecord Record = Query.record();
    const int First = AHasRowId ? 1 : 0;
    const int Count = Record.count();
    for (int I = First; I < Count; ++I)
        ARows.FieldNames.append(Record.fieldName(I));
    while (Query.next()) {
        if (AHasRowId)
            ARows.RowIds.append(Query.value(0).toLongLong());
        for (int I = First; I < Count; ++I) {
            // QSQLITE gives NULL as a null QVariant typed QString; keep it untyped, so
            // that a copied NULL stays NULL in any column.
            const QVariant V = Query.value(I);
            ARows.Values.append(V.isNull() ? QVariant() : V);
        }
    }
    if (Query.lastError().isValid())
        AConnection.RaiseEngineError(Query.lastError(), AShownStatement);
}
