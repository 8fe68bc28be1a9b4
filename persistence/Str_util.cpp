#include "Str_util.h"

#include "Exceptions.h"

#include <QBuffer>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the stream formats store UTF-16LE text as it is held in memory");

void ReadBuffer(QIODevice *S, void *ABuffer, qint64 ACount)
{
    if (ACount <= 0)
        return;
    // Dictionary sets are read field by field; for in-memory streams copying straight from
    // the buffer avoids the per-call cost of QIODevice::read.
    if (S->metaObject() == &QBuffer::staticMetaObject && S->isReadable()) {
        auto *B = static_cast<QBuffer *>(S);
        const QByteArray &Data = B->data();
        const qint64 Pos = B->pos();
        if (Pos + ACount > Data.size()) {
            B->seek(Data.size());
            throw EReadError();
        }
        std::memcpy(ABuffer, Data.constData() + Pos, size_t(ACount));
        B->seek(Pos + ACount);
        return;
    }
    char *P = static_cast<char *>(ABuffer);
    qint64 Done = 0;
    while (Done < ACount) {
        const qint64 N = S->read(P + Done, ACount - Done);
        if (N <= 0) {
            // A sequential device may simply not have the data yet.
            if (N == 0 && S->isSequential() && S->waitForReadyRead(30000))
                continue;
            throw EReadError();
        }
        Done += N;
    }
}

void WriteBuffer(QIODevice *S, const void *ABuffer, qint64 ACount)
{
    if (ACount <= 0)
        return;
    if (S->write(static_cast<const char *>(ABuffer), ACount) != ACount)
        throw EWriteError();
}

quint8 ReadByte(QIODevice *S)
{
    quint8 B = 0;
    ReadBuffer(S, &B, 1);
    return B;
}

qint32 ReadInt32(QIODevice *S)
{
    uchar Raw[4];
    ReadBuffer(S, Raw, 4);
    return qFromLittleEndian<qint32>(Raw);
}

void WriteByte(QIODevice *S, quint8 AValue)
{
    WriteBuffer(S, &AValue, 1);
}

void WriteInt32(QIODevice *S, qint32 AValue)
{
    uchar Raw[4];
    qToLittleEndian(AValue, Raw);
    WriteBuffer(S, Raw, 4);
}

qint64 StreamBytesLeft(QIODevice *S)
{
    if (S->isSequential())
        return -1;
    return std::max<qint64>(0, S->size() - S->pos());
}

void WriteStrToStream(QIODevice *S, const QString &AString)
{
    WriteInt32(S, qint32(AString.size()));
    WriteBuffer(S, AString.constData(), qint64(AString.size()) * 2);
}

void LoadStrFromStreamInto(QIODevice *S, QString &ATarget)
{
    const qint32 N = ReadInt32(S);
    if (N <= 0) {
        ATarget.clear();
        return;
    }
    const qint64 Bytes = qint64(N) * 2;
    // A damaged length must not make us allocate what the stream cannot deliver: fail
    // right behind the length.
    const qint64 Left = StreamBytesLeft(S);
    if (Left >= 0) {
        if (Bytes > Left)
            throw EReadError();
        if (ATarget.isDetached() && ATarget.capacity() >= N)
            ATarget.resize(N);
        else
            ATarget = QString(N, Qt::Uninitialized);
        ReadBuffer(S, ATarget.data(), Bytes);
        return;
    }
    // Sequential stream: grow with the data that actually arrives.
    constexpr qint32 Chunk = 32768;
    ATarget.clear();
    qint32 Done = 0;
    while (Done < N) {
        const qint32 Part = std::min(Chunk, N - Done);
        ATarget.resize(Done + Part);
        ReadBuffer(S, ATarget.data() + Done, qint64(Part) * 2);
        Done += Part;
    }
}

QString LoadStrFromStream(QIODevice *S)
{
    QString Result;
    LoadStrFromStreamInto(S, Result);
    return Result;
}

QString LoadShortString(QIODevice *S)
{
    // Code page 1252 differs from Latin-1 only in 0x80..0x9F.
    static constexpr char16_t Cp1252High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    const quint8 N = ReadByte(S);
    char Raw[255];
    ReadBuffer(S, Raw, N);
    QString Result(N, Qt::Uninitialized);
    for (int I = 0; I < N; ++I) {
        const uchar C = uchar(Raw[I]);
        Result[I] = (C >= 0x80 && C < 0xA0) ? QChar(Cp1252High[C - 0x80]) : QChar(char16_t(C));
    }
    return Result;
}
