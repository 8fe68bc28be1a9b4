#pragma once

// Helpers of the database tests: fresh SQLite files made from the embedded template.

#include "DatabaseTemplate.h"
#include "RawResource.h"
#include "ZavConnection.h"
#include "ZavQuery.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QTest>

// The embedded template, found as the window finds it (name without regard to case).
inline QByteArray TemplateBytes()
{
    const auto Device = OpenRawResource(QStringLiteral("TEMPLATE"));
    return Device ? Device->readAll() : QByteArray();
}

// A new database from the template at ADir/AName; its path.
inline QString MakeDatabase(const QString &ADir, const QString &AName = QStringLiteral("catalogue.accdb"))
{
    const QString Path = QDir(ADir).filePath(AName);
    WriteDatabaseTemplate(Path, TemplateBytes());
    return Path;
}

inline QByteArray FileBytes(const QString &APath)
{
    QFile F(APath);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

// Something at APath that is no database: "missing" (nothing), "folder", "empty" file,
// "text" file, or "garbage" of a page's size.
inline bool MakeBadTarget(const QString &AKind, const QString &APath)
{
    if (AKind == QStringLiteral("missing"))
        return true;
    if (AKind == QStringLiteral("folder"))
        return QDir().mkdir(APath);
    QFile F(APath);
    if (!F.open(QIODevice::WriteOnly))
        return false;
    if (AKind == QStringLiteral("text"))
        F.write("Dies ist keine Datenbank.\nZweite Zeile\n");
    else if (AKind == QStringLiteral("garbage"))
        F.write(QByteArray(4096, '\x5a'));
    return true;
}

// What a folder holds: names, sizes and contents, to prove nothing appeared or changed.
inline QString FolderState(const QString &ADir)
{
    QString Result;
    const QFileInfoList Entries = QDir(ADir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &Info : Entries) {
        Result += Info.fileName();
        if (Info.isFile())
            Result += QStringLiteral(" %1 %2").arg(Info.size()).arg(QString::fromLatin1(
                QCryptographicHash::hash(FileBytes(Info.filePath()), QCryptographicHash::Sha1).toHex()));
        Result += u'\n';
    }
    return Result;
}

// Runs SQLite statements on a file, as another program would.
inline void OnFile(const QString &APath, const QStringList &AStatements)
{
    TZavConnection Conn;
    Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + APath);
    Conn.Open();
    for (const QString &S : AStatements)
        Conn.ExecRaw(S);
}

// Overwrites the root page of S3STAMM with garbage and bumps the change counter, so that
// a connection holding the file meets the damage at its next statement.
inline void DamageMasterTable(const QString &APath)
{
    int RootPage = 0;
    {
        TZavConnection Conn;
        Conn.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + APath);
        Conn.Open();
        TZavQuery Q(Conn);
        Q.SetSQL(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name='S3STAMM'"));
        Q.Open();
        RootPage = Q.Fields(0).AsInteger();
    }
    QFile F(APath);
    QVERIFY(F.open(QIODevice::ReadWrite));
    QVERIFY(F.seek(qint64(RootPage - 1) * 4096));
    F.write(QByteArray(4096, '\x5a'));
    QVERIFY(F.seek(24));
    const QByteArray Counter = F.read(4);
    QVERIFY(F.seek(24));
    F.write(QByteArray(4, char(Counter[3] + 1)));
}
