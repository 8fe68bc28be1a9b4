#pragma once

#include <QLocale>

// Switches the default locale for one test and restores it afterwards.
class TLocaleGuard
{
public:
    explicit TLocaleGuard(const QLocale &ALocale) { QLocale::setDefault(ALocale); }
    ~TLocaleGuard() { QLocale::setDefault(FSaved); }
    TLocaleGuard(const TLocaleGuard &) = delete;
    TLocaleGuard &operator=(const TLocaleGuard &) = delete;

private:
    QLocale FSaved;
};
