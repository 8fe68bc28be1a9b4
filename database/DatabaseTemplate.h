#pragma once

#include <QByteArray>
#include <QString>

// "Creating a database": the empty borehole database is the embedded resource
// "Template", written to the chosen path byte for byte.

// The bytes of the resource ":/Template" of the running program; empty when the program
// was linked without it.
QByteArray BuiltinDatabaseTemplate();

// Writes ATemplate unchanged to APath, creating the file or replacing the one there. The
// new file replaces the old one only once it is complete, so a failed write leaves the old
// file as it was; journal files of the replaced database are removed. Raises EDatabaseError
// with the file system's message.
void WriteDatabaseTemplate(const QString &APath, const QByteArray &ATemplate);

// A new catalogue made from the template beside ATarget, under a name of its own, for
// work that fills it before it takes ATarget's place: Commit replaces ATarget (which the
// user agreed to), and a draft destroyed without Commit removes itself with its journal,
// leaving ATarget as it was. Raises EDatabaseError.
class TZavDatabaseDraft
{
public:
    explicit TZavDatabaseDraft(const QString &ATarget);
    ~TZavDatabaseDraft();
    TZavDatabaseDraft(const TZavDatabaseDraft &) = delete;
    TZavDatabaseDraft &operator=(const TZavDatabaseDraft &) = delete;

    // The draft's path, to connect to while filling it (close before Commit).
    const QString &Path() const { return FPath; }
    void Commit();

private:
    QString FPath;
    QString FTarget;
    bool FCommitted = false;
};
