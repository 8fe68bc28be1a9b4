#pragma once

#include <QString>

// The two number formats of the window, both in the user's locale without digit grouping.

// General: the shortest text of up to 15 significant digits; 0 shows as "0".
QString GeneralNumber(double AValue);

// Fixed with two decimals after rounding to 8 significant digits; more than 8 integer
// digits give scientific notation; NaN (a missing value) gives NANValue.
QString DblValueToStr(const QString &NANValue, double AValue);
