#include "ZavObject.h"

TNamedMethod TClassInfo::MethodAddress(const QString &AName) const
{
    for (TClass C = this; C; C = C->Parent) {
        for (const TNamedMethodEntry &E : C->Methods) {
            if (E.Name == AName || E.Name.compare(AName, Qt::CaseInsensitive) == 0)
                return E.Code;
        }
    }
    return nullptr;
}

bool TClassInfo::InheritsFrom(TClass AClass) const
{
    for (TClass C = this; C; C = C->Parent) {
        if (C == AClass)
            return true;
    }
    return false;
}

TClass TObject::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TObject"), nullptr,
                                 [] { return new TObject; }, {}};
    return &Info;
}
