#include "ZavFormat.h"

#include "ZavDatabaseError.h"

#include <cmath>

QString SQLFloat(double AValue)
{
    // "inf" or "nan" would be read as column names; SQLite reads 9e999 as infinity and
    // stores NaN as NULL anyway.
    if (std::isnan(AValue))
        return QStringLiteral("NULL");
    if (std::isinf(AValue))
        return AValue > 0 ? QStringLiteral("9e999") : QStringLiteral("-9e999");
    return QString::number(AValue, 'g', 15);
}

QString SQLQuoted(const QString &AText)
{
    QString Inner = AText;
    Inner.replace(QStringLiteral("'"), QStringLiteral("''"));
    return u'\'' + Inner + u'\'';
}

QString ZavFormat(const QString &ATemplate, const QList<QVariant> &AArgs)
{
    QString Result;
    Result.reserve(ATemplate.size() + 32);
    qsizetype Arg = 0;
    auto NextArg = [&]() -> const QVariant & {
        if (Arg >= AArgs.size())
            throw EDatabaseError(QStringLiteral("Zu wenige Argumente für <%1>").arg(ATemplate));
        return AArgs[Arg++];
    };
    for (qsizetype I = 0; I < ATemplate.size(); ++I) {
        const QChar C = ATemplate[I];
        if (C != u'%' || I + 1 >= ATemplate.size()) {
            Result += C;
            continue;
        }
        const QChar Conversion = ATemplate[++I];
        if (Conversion == u's')
            Result += NextArg().toString();
        else if (Conversion == u'd')
            Result += QString::number(NextArg().toLongLong());
        else if (Conversion == u'g')
            Result += SQLFloat(NextArg().toDouble());
        else if (Conversion == u'%')
            Result += u'%';
        else
            throw EDatabaseError(QStringLiteral("Unbekanntes Format %%%1 in <%2>").arg(Conversion).arg(ATemplate));
    }
    if (Arg != AArgs.size())
        throw EDatabaseError(QStringLiteral("Zu viele Argumente für <%1>").arg(ATemplate));
    return Result;
}
