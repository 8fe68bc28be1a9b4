// Dictionaries from catalogue databases: one table into a dictionary, the twelve
// description tables into a set, further tables appended.

#include "DMDict.h"
#include "ZAVDictionaries.h"
#include "ZavDataSet.h"
#include "ZavError.h"

const QStringList FurtherCatalogueTables{QStringLiteral("S3FACH"), QStringLiteral("S3KFIND"), QStringLiteral("S3HFIND"),
                                         QStringLiteral("S3BART"), QStringLiteral("S3ASBBV"), QStringLiteral("S3BZW"),
                                         QStringLiteral("S3VERT"), QStringLiteral("S3BLAND"), QStringLiteral("S3TK25")};

namespace {

// The description tables, by position in the set.
const QString DescriptionTables[12] = {QStringLiteral("S3PETRO"), QStringLiteral("S3FARBE"), QStringLiteral("S3KSYS"),
                                       QStringLiteral("S3HSYS"),  QStringLiteral("S3SART"),  QStringLiteral("S3KALK"),
                                       QStringLiteral("S3STRAT"), QStringLiteral("S3GENES"), QStringLiteral("S3BOGRP"),
                                       QStringLiteral("S3ZUSAT"), QStringLiteral("S3BSBG"),  QStringLiteral("S3BSBV")};

} // namespace

bool TZAVDict::CreateFromDB(TZavDataSet *ADataset)
{
    if (!ADataset->Active())
        ADataset->Open();
    FTablename = TDMDict::TableNameOf(ADataset);
    Clear();
    const TZavField &Kuerzel = ADataset->FieldByName(QStringLiteral("Kuerzel"));
    const TZavField &Klartext = ADataset->FieldByName(QStringLiteral("Klartext"));
    const TZavField *Attribute = ADataset->FindField(QStringLiteral("Attribute"));
    SetCapacity(ADataset->RecordCount());
    for (ADataset->First(); !ADataset->Eof(); ADataset->Next()) {
        auto *Atom = new TZAVAtom(Kuerzel.AsString(), Klartext.AsString());
        if (Attribute)
            Atom->SetQuantityType(QuantityTypeFromAttribute(Attribute->AsString()));
        Add(Atom);
    }
    SortAlphabet();
    return true;
}

TZAVDict *TZAVDict::Copy() const
{
    auto *Result = new TZAVDict;
    Result->SetTablename(FTablename);
    Result->SetCapacity(Count());
    for (TObject *Obj : *this) {
        const auto *A = static_cast<const TZAVAtom *>(Obj);
        auto *Atom = new TZAVAtom(A->Abbr(), A->ClearText());
        Atom->SetZS(A->ZS());
        Atom->SetQuantityType(A->QuantityType());
        Result->Add(Atom);
    }
    return Result;
}

std::unique_ptr<TZAVDictionaries> TZAVDictionaries::CreateFromDB(const QString &ADatabase)
{
    auto Set = std::make_unique<TZAVDictionaries>();
    Set->MakeFromDB(ADatabase);
    return Set;
}

bool TZAVDictionaries::MakeFromDB(const QString &ADatabase)
{
    const bool Ok = DMDict && DMDict->ConnectToDB(ADatabase);
    if (Ok) {
        // A set of fewer than twelve fails at the first missing position with the list's
        // index error, after filling the ones before it.
        for (int Kind = wbPetro; Kind <= wbBsBv; ++Kind)
            GetDictionary(TZAV_WB(Kind))->CreateFromDB(DMDict->DataSet(DescriptionTables[Kind]));
    }
    return Ok;
}

bool TZAVDictionaries::AddDictionary(const QString &ATablename, bool IsTK25)
{
    auto Dict = std::make_unique<TZAVDict>();
    Dict->SetTablename(ATablename);
    if (!DMDict || !DMDict->Connected())
        return false;
    try {
        Dict->CreateFromDB(DMDict->DataSet(IsTK25 ? QStringLiteral("S3TK25") : ATablename));
    } catch (const std::exception &) {
        return false;
    }
    Add(Dict.release());
    return true;
}

std::unique_ptr<TZAVDictionaries> BuildSetFromDB(const QString &ADatabase, const TZAVDictionaries *AFallback,
                                                  QStringList *ATakenOver)
{
    auto Set = std::make_unique<TZAVDictionaries>();
    if (!Set->MakeFromDB(ADatabase))
        throw ECatalogueNotOpened(
            QStringLiteral("Zur Datenbank %1 konnte keine Verbindung aufgebaut werden.").arg(ADatabase));
    for (const QString &Table : FurtherCatalogueTables) {
        const bool IsTK25 = Table == u"S3TK25";
        if (Set->AddDictionary(Table, IsTK25))
            continue;
        // Missing in the catalogue: the set in use keeps serving it.
        if (const TZAVDict *Old = AFallback ? AFallback->GetDictionary(Table) : nullptr) {
            Set->Add(Old->Copy());
            if (ATakenOver)
                ATakenOver->append(Table);
        }
    }
    return Set;
}
