#include "DatabaseTemplate.h"

#include "ZavDatabaseError.h"

#include <QFile>
#include <QSaveFile>

QByteArray BuiltinDatabaseTemplate()
{
    QFile Resource(QStringLiteral(":/Template"));
    if (!Resource.open(QIODevice::ReadOnly))
        return QByteArray();
    return Resource.readAll();
}

void WriteDatabaseTemplate(const QString &APath, const QByteArray &ATemplate)
{
    if (ATemplate.isEmpty())
        throw EDatabaseError(QStringLiteral("Die Vorlage der Datenbank fehlt"));
    QSaveFile File(APath);
    // In a folder we may not create files in, an existing writable file is still written.
    File.setDirectWriteFallback(true);
    if (!File.open(QIODevice::WriteOnly))
        throw EDatabaseError(QStringLiteral("%1: %2").arg(APath, File.errorString()));
    if (File.write(ATemplate) != ATemplate.size() || !File.commit())
        throw EDatabaseError(QStringLiteral("%1: %2").arg(APath, File.errorString()));
}
