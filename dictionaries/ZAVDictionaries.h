#pragma once

#include "ZAVDict.h"
#include "ZavError.h"

#include <QStringList>

#include <memory>

// The twelve description dictionaries, by their position in the set.
enum TZAV_WB : quint8 {
    wbPetro = 0,   // S3PETRO
    wbFarbe = 1,   // S3FARBE
    wbKSys = 2,    // S3KSYS
    wbHSys = 3,    // S3HSYS
    wbSArt = 4,    // S3SART
    wbKalk = 5,    // S3KALK
    wbStrat = 6,   // S3STRAT
    wbGenese = 7,  // S3GENES
    wbBoGrp = 8,   // S3BOGRP
    wbZusatz = 9,  // S3ZUSAT
    wbBsBg = 10,   // S3BSBG
    wbBsBv = 11,   // S3BSBV
};

// The set of key dictionaries: positions 0 to 11 hold the description dictionaries in
// TZAV_WB order, further ones follow and are found by table name.
class TZAVDictionaries : public TQDObjectList
{
    ZAV_OBJECT

public:
    // Twelve new, empty dictionaries.
    TZAVDictionaries();

    TZAVDict *Dictionary(int Index) const { return static_cast<TZAVDict *>(Items(Index)); }
    // The element at position AType; a list index error beyond the end.
    virtual TZAVDict *GetDictionary(TZAV_WB AType) const;
    // The first dictionary whose table name equals ATablename exactly, or null.
    virtual TZAVDict *GetDictionary(const QString &ATablename) const;

    // A set of twelve dictionaries filled from the catalogue database ADatabase; twelve
    // empty ones when it cannot be opened. A missing description table or column raises
    // the engine's error.
    static std::unique_ptr<TZAVDictionaries> CreateFromDB(const QString &ADatabase);
    // Connects DMDict to ADatabase and fills the twelve description dictionaries from its
    // tables; false when it cannot be opened. The set must hold twelve dictionaries.
    bool MakeFromDB(const QString &ADatabase);
    // Appends a dictionary read from the table ATablename of the catalogue DMDict has open
    // (the map-sheet table S3TK25 with IsTK25); false, nothing appended, when it cannot
    // be read.
    bool AddDictionary(const QString &ATablename, bool IsTK25);

protected:
    bool AcceptsStreamed(TClass AClass) const override;
};

// The one set in use; null until the main window loads it, and when loading failed.
// Whoever sets it owns the set.
extern TZAVDictionaries *ZAV_Dictionaries;

// Switches of the translation functions; fixed for the life of the program.
extern bool ZAV3_Translate;
extern bool ZAV3_DeleteBracketText;
extern bool ZAV3_RemoveFirstBrackets;

// The built-in set from the raw-data resource AName, loaded as at start: create, clear,
// read. Null on any failure (resource missing, damaged data).
std::unique_ptr<TZAVDictionaries> LoadDictionariesFromResource(const QString &AName = QStringLiteral("Dictionary"));
// A set read from a dictionary file; the errors of the stream reach the caller.
std::unique_ptr<TZAVDictionaries> LoadDictionariesFromFile(const QString &AFileName);

// A catalogue database that cannot be opened; its message names the file.
class ECatalogueNotOpened : public EZavError
{
public:
    using EZavError::EZavError;
};

// The catalogue tables after the twelve description tables, in set order.
extern const QStringList FurtherCatalogueTables;

// The full set of a catalogue database: the twelve description dictionaries, then the
// further tables; a further table the catalogue lacks is copied from AFallback (when it
// has one), and its name goes into ATakenOver. A catalogue that cannot be opened raises
// "Zur Datenbank %s konnte keine Verbindung aufgebaut werden."; a missing description table
// raises the engine's error. The set in use is never touched.
std::unique_ptr<TZAVDictionaries> BuildSetFromDB(const QString &ADatabase, const TZAVDictionaries *AFallback,
                                                  QStringList *ATakenOver = nullptr);
