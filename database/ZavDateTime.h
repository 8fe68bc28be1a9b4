#pragma once

#include <QDateTime>

// Date-time columns hold the engine's date-time as a double: days since 30 December 1899,
// the fraction being the time of day (local time, no time zone).

// The date-time a day number stands for (in local time); invalid for a number that is not
// finite or lies millions of years away.
QDateTime ZavDaysToDateTime(double ADays);
// The day number of a date-time, taken as local time; an invalid date-time gives 0.
double ZavDateTimeToDays(const QDateTime &ADateTime);
