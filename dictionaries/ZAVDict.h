#pragma once

#include "QDStreamList.h"

#include <QList>
#include <QString>
#include <QStringView>

class TZavDataSet;

// How a grade digit 1 to 5 written after an abbreviation is read.
enum TQuantityType : quint8 {
    qtNone = 0,
    qtAnzahl = 1,  // a count: vereinzelte ... sehr viele
    qtMenge = 2,   // an amount: sehr wenig ... sehr viel
    qtStaerke = 3, // a strength: sehr schwach ... sehr stark
    qtQuality = 4, // a quality: sehr schlecht ... sehr gut
};

// The fixed German texts of the grades.
class TQuantityProvider
{
public:
    TQuantityProvider() = delete;
    // Empty for qtNone, unknown types and grades outside 1 to 5.
    static QString ClearText(TQuantityType QuantityType, int AValue);
    // AValue as a decimal integer, 0 when it is none.
    static QString ClearText(TQuantityType QuantityType, const QString &AValue);
    // The same text as a view of a copy made once, for hot paths.
    static QStringView ClearTextView(TQuantityType QuantityType, int AValue);
};

// The quantity type named by a catalogue's "Attribute" text ("Quant_A", "Quant_M",
// "Quant_Q", "Quant_S", tested in this order without regard to case).
TQuantityType QuantityTypeFromAttribute(QStringView AAttribute);

// The first group of s opened by AOpen, nested groups counted: AOpenPos is the 0-based
// index of its opening bracket (-1 when there is none), ALength the length of the text
// inside. Literal to the classic algorithm: an unclosed group runs to the end of s, less
// its last character.
void FindBracketGroup(QStringView s, QChar AOpen, QChar AClose, qsizetype &AOpenPos, qsizetype &ALength);

// The text inside the first "[...]" group of s (nested groups counted); startpos is the
// 1-based position of its "[" or 0. An unclosed group runs to the end, less its last character.
QString TextInBrackets(const QString &s, int &startpos);
// The same with round brackets.
QString TextInKlammern(const QString &s, int &startpos);

// One dictionary entry: abbreviation ("Kürzel"), clear text and quantity type.
class TZAVAtom : public TObject
{
    ZAV_OBJECT

public:
    TZAVAtom() = default;
    TZAVAtom(const QString &AAbbr, const QString &AClearText);

    const QString &Abbr() const { return FAbbr; }
    const QString &ClearText() const { return FClearText; }
    const QString &ZS() const { return FZS; }
    TQuantityType QuantityType() const { return FQuantityType; }
    void SetAbbr(const QString &Value) { FAbbr = Value; }
    void SetClearText(const QString &Value) { FClearText = Value; }
    void SetZS(const QString &Value) { FZS = Value; }
    void SetQuantityType(TQuantityType Value) { FQuantityType = Value; }

    // Clear text for AAbbr, which is the abbreviation itself or the abbreviation and a
    // grade digit. Leaves Result as passed in when AAbbr is neither an exact match nor a
    // grade of a graded entry; then drops the first "[...]" group if asked, and trims.
    virtual void Translate(QStringView AAbbr, bool DeleteBrackets, QString &Result) const;
    // The clear text Translate makes for ACode, as up to four trimmed slices of the grade
    // text and this entry's clear text, without copying them; their count, or -1 when
    // ACode is neither the abbreviation nor a grade of a graded entry.
    int TextSlices(QStringView ACode, bool DeleteBrackets, QStringView (&AParts)[4]) const;
    virtual void Store(QIODevice *S) const;
    virtual void Load(QIODevice *S);

private:
    QString FAbbr;
    QString FClearText;
    QString FZS;
    TQuantityType FQuantityType = qtNone;
};

using TZavAtomArray = QList<TZAVAtom *>;

// Orders entries by abbreviation, UTF-16 code unit by code unit, case-sensitive.
int CompareZAVAtoms(const TZAVAtom *Item1, const TZAVAtom *Item2);

// One key dictionary: entries sorted by abbreviation and the catalogue table it came from.
class TZAVDict : public TQDObjectList
{
    ZAV_OBJECT

public:
    TZAVDict() = default;

    // Replaces the entries by the rows of a catalogue table ("Kuerzel", "Klartext" and the
    // optional "Attribute" of the quantity markers), in the order the engine delivers
    // them, then sorts them; Tablename becomes the table's name. Opens the data set when it
    // is closed. Always true; an engine error (missing table or column) propagates.
    bool CreateFromDB(TZavDataSet *ADataset);
    // A new dictionary with copies of this one's entries and its table name.
    TZAVDict *Copy() const;

    const QString &Tablename() const { return FTablename; }
    void SetTablename(const QString &Value) { FTablename = Value; }

    TZAVAtom *Atom(int Index) const { return static_cast<TZAVAtom *>(Items(Index)); }

    // Bisection over the sorted entries; with AllowQuantifikator a code ending in a grade
    // digit 1 to 5 that has no entry of its own is looked up without that digit.
    TZAVAtom *Find(QStringView AAbbreviation, bool AllowQuantifikator) const;
    // Every entry whose clear text contains s, in list order (a linear scan).
    virtual TZavAtomArray FindClearText(const QString &s, bool CaseSensitiv) const;
    void SortAlphabet();

    void ReadData(QIODevice *S) override;
    void WriteData(QIODevice *S) const override;

protected:
    bool AcceptsStreamed(TClass AClass) const override;

private:
    explicit TZAVDict(bool AOwnsObjects)
        : TQDObjectList(AOwnsObjects)
    {
    }
    int FindIndex(QStringView AAbbreviation) const;

    QString FTablename;
};
