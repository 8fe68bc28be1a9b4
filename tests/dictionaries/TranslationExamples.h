#pragma once

// The reference translations of the coded layer fields with the built-in dictionary set,
// shared by the parser tests and the end-to-end tests of zavrex-cli. Field names are the
// FIELD names of `zavrex-cli translate`.

struct TTranslationExample
{
    const char *Field;
    const char16_t *Input;
    // petro and sart: the parser's own result; the others: the clear text shown.
    const char16_t *Parsed;
    // petro and sart: after MakeNiceText; null for the other fields.
    const char16_t *Nice;
};

inline constexpr TTranslationExample TranslationExamples[] = {
    {"petro", u"mS,fs2,g3", u"Mittelsand,schwach feinsandig,mittlere Stärke kiesig",
     u"Mittelsand, schwach feinsandig, mittlere Stärke kiesig"},
    {"petro", u"T,u4,h", u"Ton,stark schluffig,humos", u"Ton, stark schluffig, humos"},
    {"petro", u"mS,k5", u"Mittelsand,sehr stark kalkhaltig", u"Mittelsand, sehr stark kalkhaltig"},
    {"petro", u"S-G", u"Sand bis Kies", u"Sand bis Kies"},
    {"petro", u"G,s(x)", u"Kies,sandig(steinig)", u"Kies, sandig (steinig)"},
    {"petro", u"mS(fs,g2)", u"Mittelsand(feinsandig,schwach kiesig)", u"Mittelsand (feinsandig, schwach kiesig)"},
    {"petro", u"(G,s)", u"Kies,sandig", u"Kies, sandig"},
    {"petro", u"(G),s", u"Kies,sandig", u"Kies, sandig"},
    {"petro", u"F:bn", u"braun", u"braun"},
    {"petro", u"G,S:qh?", u"Kies,Holozän (fraglich)", u"Kies, Holozän  (fraglich)"},
    {"sart", u"B3", u"etliche Brocken von", u"etliche Brocken von"},
    {"sart", u"ag2-ad", u"schwach Anreicherung von-Adern von", u"schwach Anreicherung von-Adern von"},
    {"sart", u"aug(ad)", u"Augen von(Adern von)", u"Augen von (Adern von)"},
    {"sart", u"B3,F:bn", u"etliche Brocken von,braun", u"etliche Brocken von, braun"},
    {"farbe", u"bnro", u"braunrot", nullptr},
    {"farbe", u"grbnst", u"graubraunstichig", nullptr},
    {"farbe", u"hbn", u"hellbraun", nullptr},
    {"farbe", u"flas2", u"mehrere Flasern", nullptr},
    {"farbe", u"bn=", u"braun=", nullptr},
    {"farbe", u"dgnst", u"dunkelgrünst", nullptr},
    {"farbe", u"bnxyz", u"braunxyz", nullptr},
    {"farbe", u"hbnro", u"hbnro", nullptr},
    {"strat", u"qh?", u"Holozän (fraglich)", nullptr},
    {"strat", u"q-t?", u"Quartär bis Tertiär (fraglich)", nullptr},
    {"strat", u"qh(x)", u"qh(x)", nullptr},
    {"genese", u"(fl)", u"(Fließerde)", nullptr},
    {"genese", u"fls3", u"etliche Flasern", nullptr},
    {"kalk", u"k2", u"schwach kalkhaltig", nullptr},
    {"kalk", u"F:bn", u"braun", nullptr},
    {"bogrp", u"GU-GT", u"Kies mit Anteil Schluff als Feinkorn bis Kies mit Anteil Ton als Feinkorn", nullptr},
    {"zusatz", u"b2,en", u"mehrere Bröckchen,Einschlüsse", nullptr},
};
