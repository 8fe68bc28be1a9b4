#pragma once

#include "QDStreamList.h"

#include <QString>

class TZavDataSet;
class TZavQuery;

// What layers and sublayers share: the twelve coded description fields and the row
// identifier. The fields hold the codes exactly as typed.
class TAbstractZAV_Layer : public TObject
{
    ZAV_OBJECT

public:
    const QString &Strat() const { return FStrat; }
    const QString &Petro() const { return FPetro; }
    const QString &Farbe() const { return FFarbe; }
    const QString &Genese() const { return FGenese; }
    const QString &Zusatz() const { return FZusatz; }
    const QString &ErgBem() const { return FErgBem; }
    const QString &BeschBg() const { return FBeschBg; }
    const QString &BeschBv() const { return FBeschBv; }
    const QString &Gruppe() const { return FGruppe; }
    const QString &KalkGeh() const { return FKalkGeh; }
    const QString &IntGruppe() const { return FIntGruppe; }
    const QString &IntKlasse() const { return FIntKlasse; }
    int RecID() const { return FRecID; }

    void SetStrat(const QString &Value) { FStrat = Value; }
    void SetPetro(const QString &Value) { FPetro = Value; }
    void SetFarbe(const QString &Value) { FFarbe = Value; }
    void SetGenese(const QString &Value) { FGenese = Value; }
    void SetZusatz(const QString &Value) { FZusatz = Value; }
    void SetErgBem(const QString &Value) { FErgBem = Value; }
    void SetBeschBg(const QString &Value) { FBeschBg = Value; }
    void SetBeschBv(const QString &Value) { FBeschBv = Value; }
    void SetGruppe(const QString &Value) { FGruppe = Value; }
    void SetKalkGeh(const QString &Value) { FKalkGeh = Value; }
    void SetIntGruppe(const QString &Value) { FIntGruppe = Value; }
    void SetIntKlasse(const QString &Value) { FIntKlasse = Value; }
    void SetRecID(int Value) { FRecID = Value; }

    // Reads the shared columns of the dataset's current row; without a dataset nothing changes.
    virtual void ReadFromDB(TZavDataSet *ADataset);
    // Writes the object into its row (LOCID = ALocID, RECID = RecID) of ATablename; true
    // when exactly one row changed. Empty texts are written as empty texts.
    virtual bool UpdateDB(int ALocID, TZavQuery *QyLayers, const QString &ATablename) = 0;

    // Lime-content class of KalkGeh: "0" (kalkfrei), "++" (k4, k5), "+" (any k) or empty.
    QString GetISOLimeCont() const;

protected:
    TAbstractZAV_Layer() = default;
    // Binds the twelve shared fields of the update statement.
    void SetSharedParams(TZavQuery *AQuery) const;

private:
    QString FGruppe;
    QString FFarbe;
    QString FIntGruppe;
    QString FBeschBg;
    QString FKalkGeh;
    QString FErgBem;
    QString FIntKlasse;
    QString FGenese;
    QString FStrat;
    QString FBeschBv;
    QString FZusatz;
    QString FPetro;
    int FRecID = 0;
};

// A sublayer: the shared fields and its kind ("Art").
class TZAV_SubLayer : public TAbstractZAV_Layer
{
    ZAV_OBJECT

public:
    TZAV_SubLayer() = default;

    const QString &SArt() const { return FSArt; }
    void SetSArt(const QString &Value) { FSArt = Value; }
    // Kind and petrography in clear text: "<kind>: <petrography>", spaced for display.
    QString CompleteDescription() const { return GetCompleDescription(); }

    void ReadFromDB(TZavDataSet *ADataset) override;
    bool UpdateDB(int ALocID, TZavQuery *QyLayers, const QString &ATablename) override;

private:
    QString GetCompleDescription() const;

    QString FSArt;
};

// A layer: the depth of its base and top and its owned sublayers.
class TZAV_Layer : public TAbstractZAV_Layer
{
    ZAV_OBJECT

public:
    explicit TZAV_Layer(double ADepth);
    ~TZAV_Layer() override;

    double DepthTo() const { return FDepthTo; }
    double DepthFrom() const { return FDepthFrom; }
    TQDObjectList *SubLayers() const { return FSubLayers; }
    TZAV_SubLayer *SubLayer(int Index) const { return static_cast<TZAV_SubLayer *>(FSubLayers->Items(Index)); }
    void SetDepthTo(double Value) { FDepthTo = Value; }
    void SetDepthFrom(double Value) { FDepthFrom = Value; }

    void ReadFromDB(TZavDataSet *ADataset) override;
    // Writes DEPTHTO and the shared fields; DEPTHFROM is never written.
    bool UpdateDB(int ALocID, TZavQuery *QyLayers, const QString &ATablename) override;

private:
    double FDepthTo = 0;
    TQDObjectList *FSubLayers;
    double FDepthFrom = 0;
};
