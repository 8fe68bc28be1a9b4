#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <memory>

// Replaces a file all-or-nothing: the data goes to a temporary file beside the target,
// which takes the target's place only at Commit, after every byte was written. Destroyed
// without a successful Commit, it leaves the target as it was. Shared by every writer of
// whole files (dictionary files, the database template, the command-line export).
//
// A target that exists but is no regular file (a device, a pipe) is written directly:
// there is nothing to replace, and renaming over it would destroy it. So is a target in a
// folder where no temporary file can be made but the file itself is writable.
class TZavSafeFile
{
public:
    explicit TZavSafeFile(const QString &APath);
    ~TZavSafeFile();
    TZavSafeFile(const TZavSafeFile &) = delete;
    TZavSafeFile &operator=(const TZavSafeFile &) = delete;

    // False when the file cannot be created; ErrorString and Device tell why.
    bool Open();
    // The stream to write to; valid from the construction on.
    QFileDevice &Device();
    // Flushes and puts the file in place. False when anything written before failed, or
    // the file could not be put in place; the target then stays as it was.
    bool Commit();
    QString ErrorString() const;

private:
    QString FPath;
    std::unique_ptr<QSaveFile> FSaveFile;
    std::unique_ptr<QFile> FDirectFile;
    bool FCommitted = false;
};
