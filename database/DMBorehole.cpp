#include "DMBorehole.h"

#include "ZavDatabaseError.h"
#include "ZavFormat.h"

const QString S3StammTable = QStringLiteral("S3STAMM");
const QString S3SchichtTable = QStringLiteral("S3SCHDAT");
const QString S3GrundWTable = QStringLiteral("S3GRUNDW");
const QString S3ProbenTable = QStringLiteral("S3PROBEN");
const QString GEODIN_Prefix = QStringLiteral("GEODIN_LOC_");
const QString ConnectTemplate = QStringLiteral("Provider=SQLite;Busy Timeout=5000;Data Source=%s");
const QString cmdTemplate = QStringLiteral(
    "SELECT LOCID, RECID, PRJ_ID, ANAME, SHORTNAME, XCOORD, YCOORD, ZCOORDB, ZCOORDE, TK25, ARFACH, KFIND, KSYS, "
    "HFIND, HSYS, BART, BVER, BZW, VERTR, BLAND, EPSG FROM %s");

TDMBorehole *DMBorehole = nullptr;

namespace {

// The module's statements, in the Access dialect the engine layer translates.
const QString QMaxLocID = QStringLiteral("SELECT MAX(LOCID) AS MAXID FROM %s");
const QString QInsertBorehole = QStringLiteral("INSERT INTO %s (LOCID,RECID,PRJ_ID) VALUES (%d,1,\"ZAVGEN\")");
const QString QMaxRecID = QStringLiteral("SELECT MAX(RECID) AS MAXID FROM %s WHERE LOCID=%d");
const QString QMaxLayerID = QStringLiteral("SELECT MAX(LAYERID) AS MAXID FROM %s WHERE LOCID=%d");
const QString QMaxDepth = QStringLiteral("SELECT MAX(DEPTHTO) AS MAXDEPTH FROM %s WHERE LOCID=%d");
const QString QInsertLayer = QStringLiteral(
    "INSERT INTO %s (LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE,DEPTHTO) VALUES (%d,%d,0,%d,0,\"ERST\",%g)");
const QString QInsertLayerPrj = QStringLiteral(
    "INSERT INTO %s (PRJ_ID,LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE,DEPTHTO) VALUES (%s,%d,%d,0,%d,0,\"ERST\",%g)");
const QString QLayerIDOfRow = QStringLiteral("SELECT LAYERID FROM %s WHERE (LOCID=%d) AND (RECID=%d)");
const QString QMaxLayerCntr = QStringLiteral(
    "SELECT MAX(LAYERCNTR) AS MAXCNTR FROM %s WHERE (LOCID=%d) AND (LAYERID=%d)");
const QString QInsertSublayer = QStringLiteral(
    "INSERT INTO %s (LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE) VALUES (%d,%d,0,%d,%d,\"ERST\")");
const QString QInsertSublayerPrj = QStringLiteral(
    "INSERT INTO %s (PRJ_ID,LOCID,RECID,INTV,LAYERID,LAYERCNTR,INTGRUPPE) VALUES (%s,%d,%d,0,%d,%d,\"ERST\")");
const QString QInsertChild = QStringLiteral("INSERT INTO %s (LOCID,RECID) VALUES (%d,%d)");
const QString QInsertChildPrj = QStringLiteral("INSERT INTO %s (PRJ_ID,LOCID,RECID) VALUES (%s,%d,%d)");
const QString QDeleteChildren = QStringLiteral("DELETE * FROM %s WHERE (LOCID=%d)");
const QString QDeleteMaster = QStringLiteral("DELETE * FROM %s WHERE LOCID=%d");
const QString QDeleteRow = QStringLiteral("DELETE * FROM %s WHERE (LOCID=%d) AND (RECID=%d)");

const QString CopyPrefix = QStringLiteral("Kopie von ");

} // namespace

TDMBorehole::TDMBorehole()
    : QyStamm(ConnBorehole)
    , QyDynamic(ConnBorehole)
    , ADOCommandDelete(ConnBorehole)
    , QyLayers(ConnBorehole)
    , QySublayers(ConnBorehole)
    , tblStamm(ConnBorehole)
{
    DataModuleCreate();
    // A catalogue found damaged during work is closed by the engine layer; it is then no
    // longer the connected one.
    ConnBorehole.OnDamaged = [this] { FFilename.clear(); };
}

TDMBorehole::~TDMBorehole() = default;

void TDMBorehole::DataModuleCreate()
{
    FS3Tablename = S3StammTable;
    FS3SchichtTablename = S3SchichtTable;
    FS3GrundWTablename = S3GrundWTable;
    FS3ProbenTablename = S3ProbenTable;
}

bool TDMBorehole::ConnectToDatabase(const QString &AFilename)
{
    FFilename.clear();
    QString ConnectStr = ConnectTemplate;
    ConnectStr.replace(QStringLiteral("%s"), AFilename);
    ConnBorehole.Close();
    ConnBorehole.SetConnectionString(ConnectStr);
    FConnectError.clear();
    try {
        ConnBorehole.Open();
    } catch (const EDatabaseError &E) {
        // A failed connect is a false result; the window may show why.
        FConnectError = E.Message();
    }
    if (!ConnBorehole.Connected())
        return false;

    // A borehole catalogue has no triggers: one that inserts or changes rows behind every
    // statement of ours would add rows the user never asked for.
    const QStringList Triggers = ConnBorehole.GetTriggerNames();
    if (!Triggers.isEmpty()) {
        FConnectError = QStringLiteral("Die Datenbank enthält Trigger (%1); ein Bohrungskatalog hat keine, "
                                       "sie wird deshalb nicht verwendet.")
                            .arg(Triggers.join(QStringLiteral(", ")));
        ConnBorehole.Close();
        return false;
    }

    const QStringList Tables = ConnBorehole.GetTableNames();
    auto Found = [&Tables](const QString &AName) { return Tables.contains(AName, Qt::CaseInsensitive); };
    // Each table by itself; a name from an earlier database stays while this one has it.
    auto Resolve = [&Found](QString &AName, const QString &ADefault) {
        if (Found(AName))
            return;
        if (Found(ADefault))
            AName = ADefault;
        else if (Found(GEODIN_Prefix + ADefault))
            AName = GEODIN_Prefix + ADefault;
    };
    Resolve(FS3Tablename, S3StammTable);
    Resolve(FS3SchichtTablename, S3SchichtTable);
    Resolve(FS3GrundWTablename, S3GrundWTable);
    Resolve(FS3ProbenTablename, S3ProbenTable);

    QStringList Missing;
    for (const QString *Name : {&FS3Tablename, &FS3SchichtTablename, &FS3GrundWTablename, &FS3ProbenTablename}) {
        if (!Found(*Name))
            Missing.append(*Name);
    }
    if (!Missing.isEmpty()) {
        FConnectError = QStringLiteral("Die Datenbank ist kein Bohrungskatalog: es fehlt die Tabelle %1.")
                            .arg(Missing.join(QStringLiteral(", ")));
        return false;
    }
    FFilename = AFilename;
    return true;
}

bool TDMBorehole::OpenTblBorehole()
{
    QyStamm.Close();
    QyStamm.SetSQL(ZavFormat(cmdTemplate, {FS3Tablename}));
    QyStamm.Open();
    return QyStamm.Active();
}

double TDMBorehole::LookUpFloat(const QString &AStatement, const QString &AFieldname)
{
    QyDynamic.Close();
    QyDynamic.SetSQL(AStatement);
    QyDynamic.Open();
    return QyDynamic.FieldByName(AFieldname).AsFloat(); // NULL (no rows) reads as 0
}

int TDMBorehole::LookUpMax(const QString &AStatement, const QString &AFieldname)
{
    QyDynamic.Close();
    QyDynamic.SetSQL(AStatement);
    QyDynamic.Open();
    return QyDynamic.FieldByName(AFieldname).AsInteger(); // NULL (no rows) reads as 0
}

void TDMBorehole::InsertRow(const QString &AStatement)
{
    QyDynamic.Close();
    QyDynamic.SetSQL(AStatement);
    QyDynamic.ExecSQL();
}

int TDMBorehole::DeleteRows(const QString &AStatement)
{
    ADOCommandDelete.SetSQL(AStatement);
    return ADOCommandDelete.ExecSQL();
}

int TDMBorehole::AddBorehole()
{
    // The look-up and the insert run under one write lock, so that two programs adding to
    // one file cannot both take the same LOCID.
    TZavTransaction Transaction(ConnBorehole);
    const int NewLocID = LookUpMax(ZavFormat(QMaxLocID, {FS3Tablename}), QStringLiteral("MAXID")) + 1;
    InsertRow(ZavFormat(QInsertBorehole, {FS3Tablename, NewLocID}));
    Transaction.Commit();
    return NewLocID;
}

int TDMBorehole::DuplicateBorehole(int SourceLocID)
{
    TZavTransaction Transaction(ConnBorehole);
    const int NewLocID = LookUpMax(ZavFormat(QMaxLocID, {FS3Tablename}), QStringLiteral("MAXID")) + 1;

    tblStamm.Close();
    tblStamm.SetTableName(FS3Tablename);
    // Reads only the rows of the source, in storage order, so the walk below finds the
    // same first row without loading a large catalogue (20,000 rows took 0.7 s).
    tblStamm.SetFilter(ZavFormat(QStringLiteral("LOCID=%d"), {SourceLocID}));
    tblStamm.Open();
    tblStamm.First();
    while (!tblStamm.Eof() && tblStamm.FieldByName(QStringLiteral("LOCID")).AsInteger() != SourceLocID)
        tblStamm.Next();
    if (!tblStamm.Eof()) {
        const QString SourceName = tblStamm.FieldByName(QStringLiteral("ANAME")).AsString();
        QList<QVariant> Values;
        for (int I = 0; I < tblStamm.FieldCount(); ++I)
            Values.append(tblStamm.Fields(I).Value());
        tblStamm.Append();
        // The stored values as they are: a copy must not pass through the locale
        // conversion of typed input (a date kept as ISO text, '12,5' in a number column).
        for (int I = 0; I < Values.size(); ++I)
            tblStamm.SetFieldStored(I, Values[I]);
        tblStamm.SetFieldValue(QStringLiteral("LOCID"), NewLocID);
        tblStamm.SetFieldValue(QStringLiteral("ANAME"), CopyPrefix + SourceName);
        tblStamm.Post();
    }
    Transaction.Commit();
    return NewLocID;
}

int TDMBorehole::AddLayer(int ALocID, const QString &APrj_ID)
{
    const QString &Table = FS3SchichtTablename;
    TZavTransaction Transaction(ConnBorehole);
    const int RecID = LookUpMax(ZavFormat(QMaxRecID, {Table, ALocID}), QStringLiteral("MAXID")) + 1;
    const int NewLayerID = LookUpMax(ZavFormat(QMaxLayerID, {Table, ALocID}), QStringLiteral("MAXID")) + 1;
    const double MaxDepth = LookUpFloat(ZavFormat(QMaxDepth, {Table, ALocID}), QStringLiteral("MAXDEPTH")) + 1.0;
    if (APrj_ID.isEmpty())
        InsertRow(ZavFormat(QInsertLayer, {Table, ALocID, RecID, NewLayerID, MaxDepth}));
    else
        InsertRow(ZavFormat(QInsertLayerPrj, {Table, SQLQuoted(APrj_ID), ALocID, RecID, NewLayerID, MaxDepth}));
    Transaction.Commit();
    return RecID;
}

int TDMBorehole::AddSublayer(int ALocID, int ARecID, const QString &APrj_ID)
{
    const QString &Table = FS3SchichtTablename;
    TZavTransaction Transaction(ConnBorehole);
    const int RecID = LookUpMax(ZavFormat(QMaxRecID, {Table, ALocID}), QStringLiteral("MAXID")) + 1;
    QyDynamic.Close();
    QyDynamic.SetSQL(ZavFormat(QLayerIDOfRow, {Table, ALocID, ARecID}));
    QyDynamic.Open();
    // Another program may have deleted the layer: a sublayer of no layer is never shown.
    if (QyDynamic.RecordCount() == 0)
        throw EDatabaseError(QStringLiteral("Die Schicht (LOCID %1, RECID %2) wurde nicht gefunden; "
                                            "die Unterschicht wurde nicht angelegt")
                                 .arg(ALocID)
                                 .arg(ARecID));
    const int ParentLayerID = QyDynamic.FieldByName(QStringLiteral("LAYERID")).AsInteger();
    const int NewLayerCntr =
        LookUpMax(ZavFormat(QMaxLayerCntr, {Table, ALocID, ParentLayerID}), QStringLiteral("MAXCNTR")) + 1;
    if (APrj_ID.isEmpty())
        InsertRow(ZavFormat(QInsertSublayer, {Table, ALocID, RecID, ParentLayerID, NewLayerCntr}));
    else
        InsertRow(ZavFormat(QInsertSublayerPrj, {Table, SQLQuoted(APrj_ID), ALocID, RecID, ParentLayerID, NewLayerCntr}));
    Transaction.Commit();
    return RecID;
}

int TDMBorehole::AddChildRow(const QString &ATablename, int ALocID, const QString &APrj_ID)
{
    TZavTransaction Transaction(ConnBorehole);
    const int RecID = LookUpMax(ZavFormat(QMaxRecID, {ATablename, ALocID}), QStringLiteral("MAXID")) + 1;
    if (APrj_ID.isEmpty())
        InsertRow(ZavFormat(QInsertChild, {ATablename, ALocID, RecID}));
    else
        InsertRow(ZavFormat(QInsertChildPrj, {ATablename, SQLQuoted(APrj_ID), ALocID, RecID}));
    Transaction.Commit();
    return RecID;
}

int TDMBorehole::AddWaterlevel(int ALocID, const QString &APrj_ID)
{
    return AddChildRow(FS3GrundWTablename, ALocID, APrj_ID);
}

int TDMBorehole::AddSample(int ALocID, const QString &APrj_ID)
{
    return AddChildRow(FS3ProbenTablename, ALocID, APrj_ID);
}

bool TDMBorehole::DeleteBorehole(int ALocID, bool DeleteChilds)
{
    // One transaction: a failing delete leaves the whole borehole in place instead of a
    // borehole without layers.
    TZavTransaction Transaction(ConnBorehole);
    if (DeleteChilds) {
        DeleteRows(ZavFormat(QDeleteChildren, {FS3SchichtTablename, ALocID}));
        DeleteRows(ZavFormat(QDeleteChildren, {FS3ProbenTablename, ALocID}));
        DeleteRows(ZavFormat(QDeleteChildren, {FS3GrundWTablename, ALocID}));
    }
    const int Deleted = DeleteRows(ZavFormat(QDeleteMaster, {FS3Tablename, ALocID}));
    Transaction.Commit();
    return Deleted > 0;
}

bool TDMBorehole::DeleteChildRow(const QString &ATablename, int ALocID, int ARecID)
{
    return DeleteRows(ZavFormat(QDeleteRow, {ATablename, ALocID, ARecID})) > 0;
}

bool TDMBorehole::DeleteLayer(int ALocID, int ARecID)
{
    return DeleteChildRow(FS3SchichtTablename, ALocID, ARecID);
}

bool TDMBorehole::DeleteWaterlevel(int ALocID, int ARecID)
{
    return DeleteChildRow(FS3GrundWTablename, ALocID, ARecID);
}

bool TDMBorehole::DeleteSample(int ALocID, int ARecID)
{
    return DeleteChildRow(FS3ProbenTablename, ALocID, ARecID);
}
