#include "ZAVDictionaries.h"

#include "RawResource.h"

#include <QBuffer>
#include <QIODevice>

TZAVDictionaries *ZAV_Dictionaries = nullptr;

bool ZAV3_Translate = true;
bool ZAV3_DeleteBracketText = true;
bool ZAV3_RemoveFirstBrackets = true;

TClass TZAVDictionaries::ClassInfo()
{
    // Not registered for streaming: a set is always read into an existing set.
    static const TClassInfo Info{QStringLiteral("TZAVDictionaries"), TQDObjectList::ClassInfo(), nullptr, {}};
    return &Info;
}

TZAVDictionaries::TZAVDictionaries()
{
    for (int I = wbPetro; I <= wbBsBv; ++I)
        Add(new TZAVDict);
}

TZAVDict *TZAVDictionaries::GetDictionary(TZAV_WB AType) const
{
    return Dictionary(int(AType));
}

TZAVDict *TZAVDictionaries::GetDictionary(const QString &ATablename) const
{
    for (TObject *Obj : *this) {
        auto *D = static_cast<TZAVDict *>(Obj);
        if (D->Tablename() == ATablename)
            return D;
    }
    return nullptr;
}

bool TZAVDictionaries::AcceptsStreamed(TClass AClass) const
{
    return AClass->InheritsFrom(TZAVDict::ClassInfo());
}

std::unique_ptr<TZAVDictionaries> LoadDictionariesFromResource(const QString &AName)
{
    std::unique_ptr<TZAVDictionaries> Set;
    try {
        Set = std::make_unique<TZAVDictionaries>();
        std::unique_ptr<QIODevice> Stream = OpenRawResource(AName);
        if (!Stream)
            return nullptr;
        // Read from memory: the set is read field by field.
        QBuffer Buffer;
        Buffer.setData(Stream->readAll());
        Buffer.open(QIODevice::ReadOnly);
        Stream.reset();
        Set->Clear();
        Set->ReadData(&Buffer);
        return Set;
    } catch (const std::exception &) {
        return nullptr;
    }
}

std::unique_ptr<TZAVDictionaries> LoadDictionariesFromFile(const QString &AFileName)
{
    auto Set = std::make_unique<TZAVDictionaries>();
    Set->Clear();
    Set->LoadFromFile(AFileName);
    return Set;
}
