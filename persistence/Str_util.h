#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// The string primitives of the stream formats.

// Writes a counted string: 4-byte length in UTF-16 code units, then UTF-16LE text.
void WriteStrToStream(QIODevice *S, const QString &AString);
// Reads a counted string; a zero or negative length gives the empty string.
QString LoadStrFromStream(QIODevice *S);
// The same into ATarget, reusing its memory where it can (for hot read loops).
void LoadStrFromStreamInto(QIODevice *S, QString &ATarget);
// Reads a short string: one length byte, then single-byte text of the ANSI code page (1252).
QString LoadShortString(QIODevice *S);

// Raw little-endian reads and writes; a short read raises "Stream-Lesefehler",
// a short write "Stream-Schreibfehler".
void ReadBuffer(QIODevice *S, void *ABuffer, qint64 ACount);
void WriteBuffer(QIODevice *S, const void *ABuffer, qint64 ACount);
quint8 ReadByte(QIODevice *S);
qint32 ReadInt32(QIODevice *S);
void WriteByte(QIODevice *S, quint8 AValue);
void WriteInt32(QIODevice *S, qint32 AValue);

// Bytes a random-access stream can still deliver; -1 for sequential streams,
// which cannot tell in advance.
qint64 StreamBytesLeft(QIODevice *S);
