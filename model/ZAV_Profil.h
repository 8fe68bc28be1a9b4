#pragma once

#include "QDStreamList.h"
#include "ZAV_WaterlevelsSamples.h"
#include "ZAV_Layer.h"

#include <QString>

class TZavDataSet;
class TZavQuery;

// One borehole: its master data, and - as the list it is - its layers in ascending depth.
// It owns its layers (which own their sublayers), its water levels and its samples. It
// opens no connection and names no table: every read is given its query objects and the
// table name to use.
class TZAV_Profil : public TQDObjectList
{
    ZAV_OBJECT

public:
    TZAV_Profil();
    ~TZAV_Profil() override;

    const QString &Name() const { return FName; }
    double X() const { return FX; }
    double Y() const { return FY; }
    double Z() const { return FZ; }
    const QString &XYsys() const { return FXYsys; }
    const QString &Zsys() const { return FZsys; }
    const QString &Prj_ID() const { return FPrj_ID; }
    int LocID() const { return FLocID; }
    const QString &Shortname() const { return FShortname; }
    double MaxDepth() const { return FMaxDepth; }
    TQDObjectList *Waterlevels() const { return fWaterlevels; }
    TQDObjectList *Samples() const { return FSamples; }

    void SetName(const QString &Value) { FName = Value; }
    void SetX(double Value) { FX = Value; }
    void SetY(double Value) { FY = Value; }
    void SetLocID(int Value) { FLocID = Value; }
    void SetXYsys(const QString &Value) { FXYsys = Value; }
    void SetZ(double Value) { FZ = Value; }
    void SetZsys(const QString &Value) { FZsys = Value; }
    void SetShortname(const QString &Value) { FShortname = Value; }
    void SetPrj_ID(const QString &Value) { FPrj_ID = Value; }
    void SetMaxDepth(double Value) { FMaxDepth = Value; }

    TZAV_Layer *Layer(int Index) const { return static_cast<TZAV_Layer *>(Items(Index)); }
    TZAV_Groundwater *Waterlevel(int Index) const { return static_cast<TZAV_Groundwater *>(fWaterlevels->Items(Index)); }
    TZAV_Sample *Sample(int Index) const { return static_cast<TZAV_Sample *>(FSamples->Items(Index)); }

    // Copies the master columns of the dataset's current row; NULL reads as empty text or
    // 0. Layers, water levels and samples stay as they are; without a dataset nothing changes.
    virtual void ReadFromDB(TZavDataSet *ADataset);
    // Replaces the layers and their sublayers by those of the borehole's rows in
    // ATablename; true when at least one layer was read. The two queries must differ (false,
    // nothing read, when they do not or one is missing).
    virtual bool ReadLayersFromDB(TZavQuery *QyLayers, TZavQuery *QySubLayers, const QString &ATablename);
    // Replace the water levels / samples; true when at least one was read (false without a
    // query).
    virtual bool ReadWaterlevelsFromDB(TZavQuery *QyWaterlevels, const QString &ATablename);
    virtual bool ReadSamplesFromDB(TZavQuery *QySamples, const QString &ATablename);

    // The project key as a text literal: in single quotes, inner ones doubled.
    QString QuotedPrj_ID() const;

private:
    // "where PRJ_ID='..' and LOCID=n", or "where LOCID=n" without a project key.
    QString BoreholeCondition() const;
    template <class TElement>
    bool ReadChildrenFromDB(TZavQuery *AQuery, const QString &ATablename, TQDObjectList *AList);

    QString FName;
    double FX = 0;
    double FY = 0;
    int FLocID = 0;
    QString FXYsys;
    double FZ = 0;
    QString FZsys;
    QString FShortname;
    QString FPrj_ID;
    double FMaxDepth = 0;
    TQDObjectList *fWaterlevels;
    TQDObjectList *FSamples;
};
