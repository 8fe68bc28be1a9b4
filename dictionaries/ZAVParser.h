#pragma once

#include "ZAVDictionaries.h"

#include <QString>
#include <QStringView>

// Translation of the coded layer fields into clear text. Every function reads
// ZAV_Dictionaries on each call and never fails: without a set, or without a dictionary
// of the kind needed, each code comes back as typed.

// Clear text of a colour field, read piece by piece (the whole code, a two-letter
// prefix, a code before a final "=" or "st"). On return Abbr holds the rest that could
// not be read, empty when everything was. Translates regardless of ZAV3_Translate.
QString ParseColor(QString &Abbr);
// The same for a caller that does not need the rest (a temporary or const text).
QString ParseColor(QStringView Abbr);

// Clear text of a field of kind WB: split at separators, each token translated whole.
QString ParseWBText(TZAV_WB WB, QStringView Eingabe);
QString ParseStrat(QStringView Eingabe);
QString ParseGenese(QStringView Eingabe);

// Clear text of a petrography field ("F:" colour and "S:" stratigraphy tokens allowed),
// without the final spacing of MakeNiceText.
QString ParsePetroText(QStringView Eingabe);
// Clear text of a layer-type field ("F:" colour tokens allowed); always translated.
QString ParseSArtText(QStringView Eingabe);
// Display form of the two above: a blank after every comma and before an opening bracket.
QString MakeNiceText(QStringView Eingabe);

// Appends the clear text of AAtom for ACode (its abbreviation, or the abbreviation and a
// grade digit, as Find returns it) exactly as TZAVAtom::Translate makes it with
// ZAV3_DeleteBracketText, but without intermediate copies. A grade of an entry without a
// quantity type appends ACode itself. The step every parser takes per token.
void AppendAtomText(const TZAVAtom *AAtom, QStringView ACode, QString &AResult);
