#pragma once

#include <QList>
#include <QString>

class QIODevice;
class TObject;
struct TClassInfo;

// A class reference: what the stream registry keeps of a class.
using TClass = const TClassInfo *;

// An operation offered by name: loads an object from, or stores it to, a stream.
using TNamedMethod = void (*)(TObject *Self, QIODevice *S);

struct TNamedMethodEntry
{
    QString Name;
    TNamedMethod Code;
};

// Run-time class information: name, base class, how to make a bare instance and
// the operations the class offers by name (its own, not those of its bases).
struct TClassInfo
{
    QString ClassName;
    TClass Parent;
    TObject *(*NewInstance)(); // null for classes that are never made bare
    QList<TNamedMethodEntry> Methods;

    // Searches this class first, then its bases; names compare without regard to case.
    TNamedMethod MethodAddress(const QString &AName) const;
    bool InheritsFrom(TClass AClass) const;
};

// Root of every object that lives in a TQDObjectList.
class TObject
{
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;

    static TClass ClassInfo();
    virtual TClass ClassType() const { return ClassInfo(); }
    QString ClassName() const { return ClassType()->ClassName; }
    bool InheritsFrom(TClass AClass) const { return ClassType()->InheritsFrom(AClass); }
};

// Declares the class information of a TObject descendant; define ClassInfo() in its source.
#define ZAV_OBJECT                                                                                 \
public:                                                                                            \
    static TClass ClassInfo();                                                                     \
    TClass ClassType() const override { return ClassInfo(); }                                      \
                                                                                                   \
private:
