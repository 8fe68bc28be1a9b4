#include "RawResource.h"

#include <QDir>
#include <QFile>

std::unique_ptr<QIODevice> OpenRawResource(const QString &AName)
{
    const QStringList Names = QDir(QStringLiteral(":/")).entryList(QDir::Files);
    for (const QString &Name : Names) {
        if (Name.compare(AName, Qt::CaseInsensitive) != 0)
            continue;
        auto F = std::make_unique<QFile>(QStringLiteral(":/") + Name);
        if (F->open(QIODevice::ReadOnly))
            return F;
    }
    return nullptr;
}
