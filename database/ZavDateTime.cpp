#include "ZavDateTime.h"

#include <cmath>

namespace {
const QDate ZavEpoch(1899, 12, 30);
constexpr double MSecsPerDay = 86400000.0;
constexpr double MaxDays = 1e9; // about 2.7 million years either way
}

QDateTime ZavDaysToDateTime(double ADays)
{
    // As the Access engine does, a negative day number counts its fraction forward from
    // midnight of the whole day: -1.25 is 29 December 1899, 06:00.
    // A file made elsewhere may hold any double; far outside the calendar it is no date.
    if (!std::isfinite(ADays) || std::fabs(ADays) > MaxDays)
        return QDateTime();
    const double Whole = std::trunc(ADays);
    const double Fraction = std::fabs(ADays - Whole);
    QDate Date = ZavEpoch.addDays(static_cast<qint64>(Whole));
    qint64 MSecs = std::llround(Fraction * MSecsPerDay);
    if (MSecs >= qint64(MSecsPerDay)) { // rounded up to the next midnight
        Date = Date.addDays(1);
        MSecs = 0;
    }
    // Wall-clock time of that day, not elapsed time: a day of a clock change stays aligned.
    return QDateTime(Date, QTime::fromMSecsSinceStartOfDay(int(MSecs)));
}

double ZavDateTimeToDays(const QDateTime &ADateTime)
{
    if (!ADateTime.isValid())
        return 0;
    const qint64 Days = ZavEpoch.daysTo(ADateTime.date());
    const double Fraction = ADateTime.time().msecsSinceStartOfDay() / MSecsPerDay;
    return Days >= 0 ? Days + Fraction : Days - Fraction;
}
