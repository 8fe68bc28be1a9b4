#include "ZavSafeFile.h"

#include <QFileInfo>

TZavSafeFile::TZavSafeFile(const QString &APath)
    : FPath(APath)
{
    const QFileInfo Info(APath);
    if (Info.exists() && !Info.isFile() && !Info.isDir())
        FDirectFile = std::make_unique<QFile>(APath);
    else
        FSaveFile = std::make_unique<QSaveFile>(APath);
}

TZavSafeFile::~TZavSafeFile()
{
    // QSaveFile discards its temporary file unless committed.
    if (FSaveFile && !FCommitted && FSaveFile->isOpen())
        FSaveFile->cancelWriting();
}

QFileDevice &TZavSafeFile::Device()
{
    if (FDirectFile)
        return *FDirectFile;
    return *FSaveFile;
}

bool TZavSafeFile::Open()
{
    if (FDirectFile)
        return FDirectFile->open(QIODevice::WriteOnly | QIODevice::Truncate);
    FSaveFile->setDirectWriteFallback(true);
    return FSaveFile->open(QIODevice::WriteOnly);
}

bool TZavSafeFile::Commit()
{
    if (FDirectFile) {
        const bool Ok = FDirectFile->error() == QFileDevice::NoError && FDirectFile->flush();
        FDirectFile->close();
        FCommitted = Ok;
        return Ok;
    }
    FCommitted = FSaveFile->commit();
    return FCommitted;
}

QString TZavSafeFile::ErrorString() const
{
    return FDirectFile ? FDirectFile->errorString() : FSaveFile->errorString();
}
