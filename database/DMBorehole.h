#pragma once

#include "ZavConnection.h"
#include "ZavQuery.h"
#include "ZavTable.h"

#include <QString>

// Names of the four tables the system uses, the optional prefix of databases made
// elsewhere, and the statement of the borehole list.
extern const QString S3StammTable;   // "S3STAMM"
extern const QString S3SchichtTable; // "S3SCHDAT"
extern const QString S3GrundWTable;  // "S3GRUNDW"
extern const QString S3ProbenTable;  // "S3PROBEN"
extern const QString GEODIN_Prefix;  // "GEODIN_LOC_"
// The connection string of TZavConnection, "%s" standing for the database path.
extern const QString ConnectTemplate;
// The master query; "%s" is the master table name.
extern const QString cmdTemplate;

// The borehole data module: owns the one connection to the borehole database,
// resolves the table names at connect, opens the borehole list, allocates identifiers,
// inserts, deletes and duplicates rows. The model reads and updates through the query
// objects and table names it lends. Engine errors raise EDatabaseError; only a failed
// connect is a false result.
class TDMBorehole
{
public:
    TDMBorehole();
    virtual ~TDMBorehole();
    TDMBorehole(const TDMBorehole &) = delete;
    TDMBorehole &operator=(const TDMBorehole &) = delete;

    // Components. The connection comes first: the data sets are made on it.
    TZavConnection ConnBorehole;
    TZavQuery QyStamm;          // the borehole list; its current row is edited by the details page
    TZavQuery QyDynamic;        // look-ups and inserts here; lent to read samples and water levels
    TZavQuery ADOCommandDelete; // every delete (run with ExecSQL)
    TZavQuery QyLayers;         // lent to read layers and to update layers, sublayers, samples, water levels
    TZavQuery QySublayers;      // lent to read sublayers
    TZavTable tblStamm;         // the whole master table, for duplication

    // The names under which the four tables are addressed in every statement; the setters
    // only store.
    const QString &S3Tablename() const { return FS3Tablename; }
    const QString &S3SchichtTablename() const { return FS3SchichtTablename; }
    const QString &S3GrundWTablename() const { return FS3GrundWTablename; }
    const QString &S3ProbenTablename() const { return FS3ProbenTablename; }
    void SetS3Tablename(const QString &AValue) { FS3Tablename = AValue; }
    void SetS3SchichtTablename(const QString &AValue) { FS3SchichtTablename = AValue; }
    void SetS3GrundWTablename(const QString &AValue) { FS3GrundWTablename = AValue; }
    void SetS3ProbenTablename(const QString &AValue) { FS3ProbenTablename = AValue; }
    // The connected database's path; empty until a connect succeeded completely.
    const QString &Filename() const { return FFilename; }
    // Why the last ConnectToDatabase returned false, in German; empty after a success.
    const QString &ConnectError() const { return FConnectError; }

    // Closes the connection, opens AFilename and resolves each table name (current name,
    // default name, "GEODIN_LOC_" + default, compared without regard to case). True when
    // connected and all four tables found; the connection stays open when a table is
    // missing. A damaged file, or one holding triggers, is refused and left closed.
    virtual bool ConnectToDatabase(const QString &AFilename);
    // (Re)opens QyStamm over all master rows; its AfterOpen runs as part of the opening.
    virtual bool OpenTblBorehole();
    // Deletes the borehole's layers, samples and water levels (with DeleteChilds) and its
    // master row, all in one transaction; true when a master row was deleted.
    virtual bool DeleteBorehole(int ALocID, bool DeleteChilds);
    // Inserts a master row (RECID 1, PRJ_ID "ZAVGEN"); yields its new LOCID.
    virtual int AddBorehole();
    // Copies the master row of SourceLocID under a new LOCID, named "Kopie von " + its
    // name; yields the new LOCID, also when there is no such row (nothing inserted).
    virtual int DuplicateBorehole(int SourceLocID);
    // Inserts a layer one metre below the deepest layer bottom; yields its RECID.
    virtual int AddLayer(int ALocID, const QString &APrj_ID);
    // Inserts an empty water level / sample row; yields its RECID.
    virtual int AddWaterlevel(int ALocID, const QString &APrj_ID);
    virtual int AddSample(int ALocID, const QString &APrj_ID);
    // Inserts a sublayer of the layer that row ARecID belongs to (a layer row or one of
    // its sublayers); yields its RECID.
    virtual int AddSublayer(int ALocID, int ARecID, const QString &APrj_ID);
    // Delete the row (LOCID, RECID); true when a row was deleted.
    virtual bool DeleteLayer(int ALocID, int ARecID);
    virtual bool DeleteWaterlevel(int ALocID, int ARecID);
    virtual bool DeleteSample(int ALocID, int ARecID);

protected:
    // Sets the four table names to their defaults.
    void DataModuleCreate();

private:
    double LookUpFloat(const QString &AStatement, const QString &AFieldname);
    int LookUpMax(const QString &AStatement, const QString &AFieldname);
    void InsertRow(const QString &AStatement);
    int DeleteRows(const QString &AStatement);
    int AddChildRow(const QString &ATablename, int ALocID, const QString &APrj_ID);
    bool DeleteChildRow(const QString &ATablename, int ALocID, int ARecID);

    QString FS3Tablename;
    QString FS3SchichtTablename;
    QString FS3ProbenTablename;
    QString FS3GrundWTablename;
    QString FFilename;
    QString FConnectError;
};

// The one instance, made at start-up after the dictionary data module and before the main
// window, kept until the program ends.
extern TDMBorehole *DMBorehole;
