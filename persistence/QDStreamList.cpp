#include "QDStreamList.h"

#include "Str_util.h"
#include "ZavSafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSet>

#include <algorithm>

// ---------------------------------------------------------------------------
// Registry

namespace {

// Class names are identifiers; a case-insensitive comparison needs no collation and no
// allocation, which matters because every record of a stream is looked up.
int CompareClassNames(const QString &A, const QString &B)
{
    return QString::compare(A, B, Qt::CaseInsensitive);
}

} // namespace

size_t TClassRegistry::LowerBound(const QString &AName) const
{
    const auto It = std::lower_bound(FItems.begin(), FItems.end(), AName,
                                     [](const auto &Item, const QString &Name) {
                                         return CompareClassNames(Item.first, Name) < 0;
                                     });
    return size_t(It - FItems.begin());
}

bool TClassRegistry::Add(const QString &AName, std::unique_ptr<TMyObjItem> AItem)
{
    const size_t Pos = LowerBound(AName);
    if (Pos < FItems.size() && CompareClassNames(FItems[Pos].first, AName) == 0)
        return false;
    FItems.emplace(FItems.begin() + qsizetype(Pos), AName, std::move(AItem));
    return true;
}

TMyObjItem *TClassRegistry::Find(const QString &AName) const
{
    if (FLastItem && AName == FLastName)
        return FLastItem;
    const size_t Pos = LowerBound(AName);
    if (Pos < FItems.size() && CompareClassNames(FItems[Pos].first, AName) == 0) {
        FLastName = AName;
        FLastItem = FItems[Pos].second.get();
        return FLastItem;
    }
    return nullptr;
}

TClassRegistry &ClassRegistry()
{
    static TClassRegistry Registry;
    return Registry;
}

quint32 RegisterClipboardFormat(const QString &AFormatName)
{
    // Identifiers in the range Windows uses for registered formats, stable per name.
    static QHash<QString, quint32> Formats;
    const QString Key = AFormatName.toCaseFolded();
    auto It = Formats.constFind(Key);
    if (It != Formats.constEnd())
        return It.value();
    const quint32 Id = 0xC000u + quint32(Formats.size());
    Formats.insert(Key, Id);
    return Id;
}

// Module start: the registry exists before any class registers with it.
const quint32 cf_TQDObject = (ClassRegistry(), RegisterClipboardFormat(QStringLiteral("Quandora Object")));

void RegisterStreamClass(TClass AClass, const QString &LoaderName, const QString &StorerName)
{
    ClassRegistry().Add(AClass->ClassName, std::make_unique<TMyObjItem>(AClass, LoaderName, StorerName));
}

TMyObjItem *GetRegistration(const QString &AName)
{
    return ClassRegistry().Find(AName);
}

// ---------------------------------------------------------------------------
// TMyObjItem

TMyObjItem::TMyObjItem(TClass AClass, const QString &ALoaderName, const QString &AStorerName)
    : FClass(AClass)
    , FLoaderName(ALoaderName)
    , FStorerName(AStorerName)
{
}

TObject *TMyObjItem::CreateAndLoad(QIODevice *S) const
{
    if (!FClass->NewInstance)
        throw EClassNotFound(QStringLiteral("Klasse <%1> ist nicht registriert").arg(FClass->ClassName));
    std::unique_ptr<TObject> Instance(FClass->NewInstance());
    const TNamedMethod Loader = Instance->ClassType()->MethodAddress(FLoaderName);
    if (!Loader)
        throw EClassNotFound(QStringLiteral("Die Load-Methode <%1> wurde nicht gefunden").arg(FLoaderName));
    // A list that fails half-way frees what it read when Instance goes.
    Loader(Instance.get(), S);
    return Instance.release();
}

void TMyObjItem::WriteObject(const TObject *AObject, QIODevice *S) const
{
    const TNamedMethod Storer = AObject->ClassType()->MethodAddress(FStorerName);
    if (!Storer)
        throw EClassNotFound(QStringLiteral("Die Store-Methode <%1> wurde nicht gefunden").arg(FStorerName));
    // Storers only read the object; the shared signature takes it non-const.
    Storer(const_cast<TObject *>(AObject), S);
}

void WriteObjectToStream(const TObject *Source, QIODevice *S)
{
    if (!Source)
        throw EClassNotFound(QStringLiteral("Quellobjekt: Zeiger nicht initialisiert"));
    const QString Name = Source->ClassName();
    const TMyObjItem *Item = GetRegistration(Name);
    if (!Item)
        throw EClassNotFound(QStringLiteral("Klasse <%1> ist nicht registriert").arg(Name));
    WriteStrToStream(S, Name);
    Item->WriteObject(Source, S);
}

namespace {

// The registration named by the class name at the stream's position.
const TMyObjItem *ReadRegistration(QIODevice *S, bool OldStyle)
{
    // Reused between records: one class name per record would otherwise cost an allocation.
    thread_local QString Name;
    if (OldStyle)
        Name = LoadShortString(S);
    else
        LoadStrFromStreamInto(S, Name);
    const TMyObjItem *Item = GetRegistration(Name);
    if (!Item)
        throw EClassNotFound(QStringLiteral("Klasse <%1> ist nicht registriert").arg(Name));
    return Item;
}

} // namespace

TObject *ReadObjectFromStream(QIODevice *S, bool OldStyle)
{
    return ReadRegistration(S, OldStyle)->CreateAndLoad(S);
}

// ---------------------------------------------------------------------------
// TQDObjectList

TClass TQDObjectList::ClassInfo()
{
    static const TClassInfo Info{
        QStringLiteral("TQDObjectList"),
        TObject::ClassInfo(),
        // A bare list: empty and not owning; the loader sets the flag from the stream.
        [] { return static_cast<TObject *>(new TQDObjectList(false)); },
        {{QStringLiteral("ReadData"),
          [](TObject *Self, QIODevice *S) { static_cast<TQDObjectList *>(Self)->ReadData(S); }},
         {QStringLiteral("WriteData"),
          [](TObject *Self, QIODevice *S) { static_cast<TQDObjectList *>(Self)->WriteData(S); }}}};
    return &Info;
}

TQDObjectList::TQDObjectList() = default;

TQDObjectList::TQDObjectList(bool AOwnsObjects)
    : FOwnsObjects(AOwnsObjects)
{
}

TQDObjectList::~TQDObjectList()
{
    Clear();
}

std::unique_ptr<TQDObjectList> TQDObjectList::CreateFromFile(const QString &FileName)
{
    auto List = std::make_unique<TQDObjectList>();
    List->LoadFromFile(FileName);
    return List;
}

TObject *TQDObjectList::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::IndexError(Index);
    return FList.at(Index);
}

int TQDObjectList::IndexOf(const TObject *AObject) const
{
    return int(FList.indexOf(const_cast<TObject *>(AObject)));
}

int TQDObjectList::Add(TObject *AObject)
{
    FList.append(AObject);
    return Count() - 1;
}

void TQDObjectList::Insert(int Index, TObject *AObject)
{
    if (Index < 0 || Index > Count())
        throw EListError::IndexError(Index);
    FList.insert(Index, AObject);
}

bool TQDObjectList::Frees(TObject *AObject)
{
    // Elements this list's own reading made are nobody else's, whatever the stream's
    // ownership byte said.
    return FStreamed.remove(AObject) || FOwnsObjects;
}

void TQDObjectList::Delete(int Index)
{
    TObject *Obj = Items(Index);
    FList.removeAt(Index);
    if (Frees(Obj))
        delete Obj;
}

int TQDObjectList::Remove(TObject *AObject)
{
    const int Index = IndexOf(AObject);
    if (Index >= 0)
        Delete(Index);
    return Index;
}

TObject *TQDObjectList::Extract(TObject *AObject)
{
    const int Index = IndexOf(AObject);
    if (Index < 0)
        return nullptr;
    FList.removeAt(Index);
    FStreamed.remove(AObject);
    return AObject;
}

void TQDObjectList::Clear()
{
    // Take the elements out first, so that a destructor never sees a half-cleared list.
    QList<TObject *> Old;
    Old.swap(FList);
    QSet<TObject *> Streamed;
    Streamed.swap(FStreamed);
    for (TObject *Obj : std::as_const(Old)) {
        if (FOwnsObjects || Streamed.contains(Obj))
            delete Obj;
    }
}

void TQDObjectList::SetCapacity(int ACapacity)
{
    if (ACapacity < Count())
        throw EListError::CapacityError(ACapacity);
    FList.reserve(ACapacity);
}

void TQDObjectList::Sort(bool (*Less)(const TObject *, const TObject *))
{
    std::stable_sort(FList.begin(), FList.end(), Less);
}

bool TQDObjectList::AcceptsStreamed(TClass) const
{
    return true;
}

void TQDObjectList::ReadData(QIODevice *S)
{
    // Lists of lists are legitimate, but no file of ours nests deeper than a few levels;
    // a damaged one could nest until the stack overflows.
    thread_local int Depth = 0;
    constexpr int MaxDepth = 64;
    if (Depth >= MaxDepth)
        throw EReadError();
    struct TDepthGuard
    {
        int &D;
        explicit TDepthGuard(int &AD) : D(AD) { ++D; }
        ~TDepthGuard() { --D; }
    } Guard(Depth);

    SetOwnsObjects(ReadByte(S) != 0);
    const qint32 N = ReadInt32(S);
    if (N < Count())
        throw EListError::CapacityError(N);
    // A damaged count must not reserve gigabytes: never more than the bytes left could
    // fill. A count the stream cannot hold fails where the data ends, keeping what was read.
    const qint64 Left = StreamBytesLeft(S);
    const qint64 Room = Left >= 0 ? Left / qint64(sizeof(TObject *)) : 4096;
    SetCapacity(int(std::min<qint64>(N, Count() + Room)));
    // Only a list the stream calls not owning needs to remember what it read.
    const bool Track = !FOwnsObjects;
    if (Track)
        FStreamed.reserve(FStreamed.size() + qsizetype(std::min<qint64>(N, Room)));
    for (qint32 I = 0; I < N; ++I) {
        // A foreign record is refused before it is read: a damaged file could otherwise
        // nest lists in lists until the stack overflows.
        const TMyObjItem *Item = ReadRegistration(S, false);
        if (!AcceptsStreamed(Item->RegisteredClass()))
            throw EReadError();
        std::unique_ptr<TObject> Obj(Item->CreateAndLoad(S));
        if (Track)
            FStreamed.insert(Obj.get());
        Add(Obj.get());
        Obj.release();
    }
}

void TQDObjectList::WriteData(QIODevice *S) const
{
    WriteByte(S, FOwnsObjects ? 1 : 0);
    WriteInt32(S, qint32(Count()));
    for (const TObject *Obj : FList)
        WriteObjectToStream(Obj, S);
}

QString FileErrorReason(const QFileDevice &F, bool AForWriting)
{
    const QFileInfo Info(F.fileName());
    if (Info.isDir())
        return QStringLiteral("Ist ein Verzeichnis");
    if (!AForWriting && !Info.exists())
        return QStringLiteral("Die Datei wurde nicht gefunden");
    if (AForWriting && !Info.absoluteDir().exists())
        return QStringLiteral("Der Ordner wurde nicht gefunden");
    if (F.error() == QFileDevice::OpenError && (Info.exists() ? !(AForWriting ? Info.isWritable() : Info.isReadable())
                                                              : !QFileInfo(Info.absolutePath()).isWritable()))
        return QStringLiteral("Zugriff verweigert");
    return F.errorString();
}


void TQDObjectList::SaveToFile(const QString &FileName) const
{
    // A failed write, a full disk or an element that cannot be stored leaves the file
    // being replaced as it was.
    TZavSafeFile F(FileName);
    if (!F.Open()) {
        throw EFCreateError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                                .arg(QDir::toNativeSeparators(QFileInfo(FileName).absoluteFilePath()),
                                     FileErrorReason(F.Device(), true)));
    }
    WriteData(&F.Device());
    if (!F.Commit())
        throw EWriteError();
}

void TQDObjectList::LoadFromFile(const QString &FileName)
{
    QFile F(FileName);
    const QFileInfo Info(FileName);
    // A pipe or a device would block the open or never end; only regular files are read.
    const bool Regular = Info.isFile();
    if (!Regular || !F.open(QIODevice::ReadOnly)) {
        const QString Reason = Info.exists() && !Info.isDir() && !Regular ? QStringLiteral("Keine reguläre Datei")
                                                                          : FileErrorReason(F, false);
        throw EFOpenError(QStringLiteral("Datei %1 kann nicht geöffnet werden. %2")
                              .arg(QDir::toNativeSeparators(Info.absoluteFilePath()), Reason));
    }
    ReadData(&F);
}
