#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Statement texts are built from fixed templates: these helpers write values the
// way the templates expect them, whatever the user's locale.

// "%g": at most 15 significant digits, trailing zeros and point dropped, "." as decimal
// point (13.5 -> "13.5", 1.0 -> "1").
QString SQLFloat(double AValue);

// A text literal in single quotes with each inner single quote doubled (O'Neil -> 'O''Neil').
QString SQLQuoted(const QString &AText);

// Replaces "%s", "%d" and "%g" in ATemplate, left to right, by the arguments: %s takes the
// text as it stands (a table name or an already quoted literal), %d an integer in decimal,
// %g a double through SQLFloat. "%%" gives "%". A count mismatch is a programming error
// and raises EDatabaseError.
QString ZavFormat(const QString &ATemplate, const QList<QVariant> &AArgs);
