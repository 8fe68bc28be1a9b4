#pragma once

#include "ZAVDict.h"

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
