#pragma once

// Grows a petrography dictionary to the full key's size (2,461 entries) with made-up codes
// of one to five letters, clear text "Kunstgestein", so that the bisections of the parsers
// cost what they cost with the full key.

#include "ZAVDict.h"

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
