#pragma once

#include "QDStreamList.h"

#include <QString>

class TZavDataSet;
class TZavQuery;

// Missing values: depths and levels NaN, a date 0, a time difference -1 and a sample name
// empty. They read from NULL into these forms and are written back as NULL.

// One water-level observation of a borehole. Depths in metres below the start point.
class TZAV_Groundwater : public TObject
{
    ZAV_OBJECT

public:
    TZAV_Groundwater() = default;

    double Depth() const { return FDepth; }
    double GWF() const { return FGWF; }
    double GWS() const { return FGWS; }
    double GWV() const { return FGWV; }
    double GWR() const { return FGWR; }
    // Days since 30 December 1899, the fraction the time of day.
    double DateMeasured() const { return FDateMeasured; }
    int DeltaTime() const { return FDeltaTime; }
    int RecID() const { return FRecID; }

    void SetDateMeasured(double Value) { FDateMeasured = Value; }
    void SetDepth(double Value) { FDepth = Value; }
    void SetGWS(double Value) { FGWS = Value; }
    void SetGWV(double Value) { FGWV = Value; }
    void SetGWF(double Value) { FGWF = Value; }
    void SetGWR(double Value) { FGWR = Value; }
    void SetDeltaTime(int Value) { FDeltaTime = Value; }
    void SetRecID(int Value) { FRecID = Value; }

    virtual void ReadFromDB(TZavDataSet *ADataset);
    // Writes the row LOCID = ALocID, RECID = RecID; true when exactly one row changed.
    // A time difference is stored whenever it is not negative, so a 0 survives.
    virtual bool UpdateDB(int ALocID, TZavQuery *AQuery, const QString &ATablename);

private:
    double FDateMeasured = 0;
    double FDepth = 0;
    double FGWS = 0;
    double FGWV = 0;
    double FGWF = 0;
    double FGWR = 0;
    int FDeltaTime = 0;
    int FRecID = 0;
};

// One sample of a borehole, its top and bottom in metres below the start point.
class TZAV_Sample : public TObject
{
    ZAV_OBJECT

public:
    TZAV_Sample() = default;

    double BottomDepth() const { return FBottomDepth; }
    double TopDepth() const { return FTopDepth; }
    const QString &Name() const { return FName; }
    int RecID() const { return FRecID; }

    void SetName(const QString &Value) { FName = Value; }
    void SetBottomDepth(double Value) { FBottomDepth = Value; }
    void SetTopDepth(double Value) { FTopDepth = Value; }
    void SetRecID(int Value) { FRecID = Value; }

    virtual void ReadFromDB(TZavDataSet *ADataset);
    virtual bool UpdateDB(int ALocID, TZavQuery *AQuery, const QString &ATablename);

private:
    QString FName;
    double FBottomDepth = 0;
    double FTopDepth = 0;
    int FRecID = 0;
};
