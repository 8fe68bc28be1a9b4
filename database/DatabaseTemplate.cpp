#include "DatabaseTemplate.h"

#include "ZavDatabaseError.h"
#include "ZavSafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

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

TZavDatabaseDraft::TZavDatabaseDraft(const QString &ATarget)
    : FTarget(ATarget)
{
    const QFileInfo Target(ATarget);
    FPath = QDir(Target.absolutePath())
                .filePath(QStringLiteral(".%1.%2.part")
                              .arg(Target.fileName(), QUuid::createUuid().toString(QUuid::WithoutBraces).left(8)));
    WriteDatabaseTemplate(FPath, BuiltinDatabaseTemplate());
}

TZavDatabaseDraft::~TZavDatabaseDraft()
{
    if (FCommitted)
        return;
    for (const char16_t *Suffix : {u"", u"-journal", u"-wal", u"-shm"})
        QFile::remove(FPath + QString::fromUtf16(Suffix));
}

void TZavDatabaseDraft::Commit()
{
    if (QFile::exists(FTarget) && !QFile::remove(FTarget))
        throw EDatabaseError(QStringLiteral("Die Datei <%1> kann nicht ersetzt werden").arg(FTarget));
    if (!QFile::rename(FPath, FTarget))
        throw EDatabaseError(QStringLiteral("Die Datei <%1> kann nicht angelegt werden").arg(FTarget));
    FCommitted = true;
}
