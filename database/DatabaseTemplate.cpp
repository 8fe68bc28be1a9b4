#include "DatabaseTemplate.h"

#include "ZavDatabaseError.h"
#include "ZavSafeFile.h"

#include <QFile>

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
    TZavSafeFile File(APath);
    if (!File.Open())
        throw EDatabaseError(QStringLiteral("%1: %2").arg(APath, File.ErrorString()));
    if (File.Device().write(ATemplate) != ATemplate.size() || !File.Commit())
        throw EDatabaseError(QStringLiteral("%1: %2").arg(APath, File.ErrorString()));
    // A journal or write-ahead log left by the replaced database (after a crash) would be
    // played back into the new file at the first connect. Removed only now, so that a
    // failed write above leaves the old database with its journal.
    for (const char16_t *Suffix : {u"-journal", u"-wal", u"-shm"}) {
        QFile Side(APath + QString::fromUtf16(Suffix));
        if (Side.exists() && !Side.remove())
            throw EDatabaseError(QStringLiteral("%1: %2").arg(Side.fileName(), Side.errorString()));
    }
}
