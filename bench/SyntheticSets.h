#pragma once

// Dictionary sets of the full key's size for the benchmarks, made up: the real key is not
// part of the program.

#include "ZAVDictionaries.h"

#include <QBuffer>

// A set of the size the full key has: 21 dictionaries, 16,368 entries, about 1.25 MB.
inline QByteArray SyntheticFullSet()
{
    static const int Sizes[21] = {2461, 279, 43, 11, 124, 267, 7125, 608, 184, 995, 256,
                                  200, 29, 28, 28, 78, 87, 167, 15, 20, 3363};
    TZAVDictionaries Set;
    Set.Clear();
    for (int D = 0; D < 21; ++D) {
        auto *Dict = new TZAVDict;
        Dict->SetTablename(QStringLiteral("S3SYN%1").arg(D));
        for (int I = 0; I < Sizes[D]; ++I) {
            // About the sizes of real entries: a short code, a clear text of some 16 characters.
            auto *A = new TZAVAtom(QStringLiteral("c%1").arg(I, 5, 10, QLatin1Char('0')),
                                   QStringLiteral("Klartext %1 [x]").arg(I, 4, 10, QLatin1Char('0')));
            A->SetQuantityType(TQuantityType(I % 5));
            Dict->Add(A);
        }
        Set.Add(Dict);
    }
    QBuffer Buf;
    Buf.open(QIODevice::WriteOnly);
    Set.WriteData(&Buf);
    return Buf.data();
}

// Grows a petrography dictionary to the full key's size (2,461 entries) with made-up codes
// of one to five letters, clear text "Kunstgestein", so that the bisections of the parsers
// cost what they cost with the full key.

inline void GrowToFullSizePetrography(TZAVDict *APetro)
{
    const QString Letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ^");
    quint32 Seed = 12345;
    while (APetro->Count() < 2461) {
        QString Code;
        Seed = Seed * 1103515245u + 12345u;
        const int Length = 1 + int((Seed >> 16) % 5);
        for (int I = 0; I < Length; ++I) {
            Seed = Seed * 1103515245u + 12345u;
            Code += Letters[qsizetype((Seed >> 16) % quint32(Letters.size()))];
        }
        if (!APetro->Find(Code, false))
            APetro->Add(new TZAVAtom(Code, QStringLiteral("Kunstgestein")));
    }
    APetro->SortAlphabet();
}
