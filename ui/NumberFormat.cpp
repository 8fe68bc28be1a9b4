#include "NumberFormat.h"

#include <QLocale>

#include <cmath>

namespace {

QLocale UngroupedLocale()
{
    QLocale Locale;
    Locale.setNumberOptions(Locale.numberOptions() | QLocale::OmitGroupSeparator);
    return Locale;
}

} // namespace

QString GeneralNumber(double AValue)
{
    return UngroupedLocale().toString(AValue, 'g', 15);
}

QString DblValueToStr(const QString &NANValue, double AValue)
{
    if (std::isnan(AValue))
        return NANValue;
    const QLocale Locale = UngroupedLocale();
    if (std::isfinite(AValue) && std::fabs(AValue) >= 1e8)
        return Locale.toString(AValue, 'E', 7);
    // Rounded to 8 significant digits first, as the fixed format of the original does.
    const double Rounded = std::isfinite(AValue) ? QString::number(AValue, 'g', 8).toDouble() : AValue;
    return Locale.toString(Rounded, 'f', 2);
}
