#pragma once

#include "Exceptions.h"
#include "ZavObject.h"

#include <QList>
#include <QSet>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QFileDevice;
class QIODevice;

// Raised by the stream registry: unknown class, missing load or store operation, null object.
class EClassNotFound : public Exception
{
public:
    using Exception::Exception;
};

// An owning list of objects that writes itself to a stream and reads itself back;
// every element is stored with its class name, so a list may mix classes.
class TQDObjectList : public TObject
{
    ZAV_OBJECT

public:
    TQDObjectList();
    explicit TQDObjectList(bool AOwnsObjects);
    ~TQDObjectList() override;

    // Default construction followed by LoadFromFile of FileName.
    static std::unique_ptr<TQDObjectList> CreateFromFile(const QString &FileName);

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

    int Count() const { return int(FList.size()); }
    bool IsEmpty() const { return FList.isEmpty(); }
    TObject *Items(int Index) const;
    TObject *First() const { return Items(0); }
    TObject *Last() const { return Items(Count() - 1); }
    int IndexOf(const TObject *AObject) const;

    int Add(TObject *AObject);
    void Insert(int Index, TObject *AObject);
    // Delete, Remove, Clear and the destructor free the elements when the list owns them,
    // and always those its own ReadData created (OwnsObjects is what the stream said).
    void Delete(int Index);
    int Remove(TObject *AObject);
    // Removes without freeing; the caller owns the element then.
    TObject *Extract(TObject *AObject);
    void Clear();

    // Stable sort; Less orders two elements.
    void Sort(bool (*Less)(const TObject *, const TObject *));

    int Capacity() const { return int(FList.capacity()); }
    // Fails with "Kapazität der Liste ist erschöpft" below the element count.
    void SetCapacity(int ACapacity);

    QList<TObject *>::const_iterator begin() const { return FList.cbegin(); }
    QList<TObject *>::const_iterator end() const { return FList.cend(); }

    virtual void LoadFromFile(const QString &FileName);
    virtual void SaveToFile(const QString &FileName) const;
    // Reads the list form at the stream's position and appends what it reads.
    virtual void ReadData(QIODevice *S);
    virtual void WriteData(QIODevice *S) const;

protected:
    // Whether a record of this class may join this list, asked before the record is
    // read; a list of one element class rejects foreign records of a damaged stream here.
    virtual bool AcceptsStreamed(TClass AClass) const;

private:
    // Whether removing AObject frees it; forgets it as read by this list.
    bool Frees(TObject *AObject);

    QList<TObject *> FList;
    QSet<TObject *> FStreamed; // elements created by ReadData, freed by the list in any case
    bool FOwnsObjects = true;
};

// One registry entry: a class with the names of its load and store operations.
class TMyObjItem
{
public:
    TMyObjItem(TClass AClass, const QString &ALoaderName, const QString &AStorerName);

    TClass RegisteredClass() const { return FClass; }
    const QString &LoaderName() const { return FLoaderName; }
    const QString &StorerName() const { return FStorerName; }
    void SetLoaderName(const QString &AValue) { FLoaderName = AValue; }
    void SetStorerName(const QString &AValue) { FStorerName = AValue; }

    // A bare instance of the class, filled by its loader; owned by the caller.
    TObject *CreateAndLoad(QIODevice *S) const;
    void WriteObject(const TObject *AObject, QIODevice *S) const;

private:
    TClass FClass;
    QString FLoaderName;
    QString FStorerName;
};

// Class names sorted without regard to case; the first registration of a name wins.
class TClassRegistry
{
public:
    // False when the name was already registered (the new entry is dropped).
    bool Add(const QString &AName, std::unique_ptr<TMyObjItem> AItem);
    TMyObjItem *Find(const QString &AName) const;
    int Count() const { return int(FItems.size()); }
    QString Name(int Index) const { return FItems[size_t(Index)].first; }

private:
    // Position of AName, or where it would be inserted.
    size_t LowerBound(const QString &AName) const;
    std::vector<std::pair<QString, std::unique_ptr<TMyObjItem>>> FItems;
    // The last name found exactly as registered: streams repeat one class name per record.
    mutable QString FLastName;
    mutable TMyObjItem *FLastItem = nullptr;
};

// The process-wide registry, created at module start.
TClassRegistry &ClassRegistry();

void RegisterStreamClass(TClass AClass, const QString &LoaderName, const QString &StorerName);
TMyObjItem *GetRegistration(const QString &AName);
void WriteObjectToStream(const TObject *Source, QIODevice *S);
// OldStyle reads the class name as a short string.
TObject *ReadObjectFromStream(QIODevice *S, bool OldStyle = false);

// The clipboard format "Quandora Object"; registered, never used for data.
quint32 RegisterClipboardFormat(const QString &AFormatName);
extern const quint32 cf_TQDObject;

// Why AFile could not be opened, in German for the common cases (missing file or folder,
// a folder, no access); the system's own text, which is English here, otherwise.
QString FileErrorReason(const QFileDevice &AFile, bool AForWriting);
