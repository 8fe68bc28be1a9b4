#include "QDStreamList.h"
#include "Str_util.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <sys/stat.h>

namespace {

// A small streamable element with its own load and store names.
class TTestItem : public TObject
{
    ZAV_OBJECT

public:
    TTestItem() = default;
    explicit TTestItem(const QString &AValue)
        : FValue(AValue)
    {
    }
    QString Value() const { return FValue; }
    void LoadItem(QIODevice *S) { FValue = LoadStrFromStream(S); }
    void StoreItem(QIODevice *S) const { WriteStrToStream(S, FValue); }

private:
    QString FValue;
};

TClass TTestItem::ClassInfo()
{
    static const TClassInfo Info{
        QStringLiteral("TTestItem"),
        TObject::ClassInfo(),
        [] { return static_cast<TObject *>(new TTestItem); },
        {{QStringLiteral("LoadItem"), [](TObject *O, QIODevice *S) { static_cast<TTestItem *>(O)->LoadItem(S); }},
         {QStringLiteral("StoreItem"), [](TObject *O, QIODevice *S) { static_cast<TTestItem *>(O)->StoreItem(S); }}}};
    return &Info;
}

// A list class with no operations of its own: it inherits ReadData/WriteData by name.
class TTestList : public TQDObjectList
{
    ZAV_OBJECT
public:
    using TQDObjectList::TQDObjectList;
};

TClass TTestList::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TTestList"), TQDObjectList::ClassInfo(),
                                 [] { return static_cast<TObject *>(new TTestList(false)); }, {}};
    return &Info;
}

// Registered under names the class does not offer.
class TBrokenItem : public TObject
{
    ZAV_OBJECT
};

TClass TBrokenItem::ClassInfo()
{
    static const TClassInfo Info{QStringLiteral("TBrokenItem"), TObject::ClassInfo(),
                                 [] { return static_cast<TObject *>(new TBrokenItem); }, {}};
    return &Info;
}

QByteArray Bytes(std::initializer_list<int> AValues)
{
    QByteArray B;
    for (int V : AValues)
        B.append(char(V));
    return B;
}

QByteArray CountedString(const QString &S)
{
    QBuffer Buf;
    Buf.open(QIODevice::WriteOnly);
    WriteStrToStream(&Buf, S);
    return Buf.data();
}

QByteArray Int32(qint32 V)
{
    QByteArray B(4, Qt::Uninitialized);
    qToLittleEndian(V, B.data());
    return B;
}

QByteArray ItemRecord(const QString &AClassName, const QString &AValue)
{
    return CountedString(AClassName) + CountedString(AValue);
}

QByteArray ListBytes(bool AOwns, const QList<QByteArray> &ARecords, std::optional<qint32> ACount = {})
{
    QByteArray B;
    B.append(char(AOwns ? 1 : 0));
    B.append(Int32(ACount.value_or(qint32(ARecords.size()))));
    for (const QByteArray &R : ARecords)
        B.append(R);
    return B;
}

QStringList Values(const TQDObjectList &AList)
{
    QStringList Result;
    for (TObject *O : AList)
        Result << static_cast<TTestItem *>(O)->Value();
    return Result;
}

template <typename E, typename F>
QString MessageOf(F AFunction)
{
    try {
        AFunction();
    } catch (const E &Err) {
        return Err.Message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

class TestQDStreamList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        RegisterStreamClass(TTestItem::ClassInfo(), QStringLiteral("LoadItem"), QStringLiteral("StoreItem"));
        RegisterStreamClass(TTestList::ClassInfo(), QStringLiteral("ReadData"), QStringLiteral("WriteData"));
        RegisterStreamClass(TBrokenItem::ClassInfo(), QStringLiteral("NoSuchLoad"), QStringLiteral("NoSuchStore"));
    }

    void countedStringBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty string: four zero bytes") << QString() << Bytes({0, 0, 0, 0});
        QTest::newRow("one letter") << QStringLiteral("a") << Bytes({1, 0, 0, 0, 0x61, 0});
        QTest::newRow("umlaut as one UTF-16 unit") << QStringLiteral("ä") << Bytes({1, 0, 0, 0, 0xE4, 0});
        QTest::newRow("surrogate pair counts two units")
            << QString::fromUtf8("\xF0\x9F\x98\x80") << Bytes({2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE});
    }

    void countedStringBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CountedString(text), bytes);
        QBuffer Buf;
        Buf.setData(bytes);
        Buf.open(QIODevice::ReadOnly);
        QCOMPARE(LoadStrFromStream(&Buf), text);
        QVERIFY(Buf.atEnd());
    }

    void negativeLengthReadsEmptyAndConsumesOnlyTheLength()
    {
        QBuffer Buf;
        Buf.setData(Int32(-5) + Bytes({0x61, 0}));
        Buf.open(QIODevice::ReadOnly);
        QCOMPARE(LoadStrFromStream(&Buf), QString());
        QCOMPARE(Buf.pos(), qint64(4));
    }

    void shortStringUsesCodePage1252()
    {
        QBuffer Buf;
        Buf.setData(Bytes({3, 0x80, 0xE4, 0x41}));
        Buf.open(QIODevice::ReadOnly);
        QCOMPARE(LoadShortString(&Buf), QString::fromUtf8("€äA"));
    }

    void emptyOwningListBytes()
    {
        TQDObjectList List;
        QBuffer Buf;
        Buf.open(QIODevice::WriteOnly);
        List.WriteData(&Buf);
        QCOMPARE(Buf.data(), Bytes({1, 0, 0, 0, 0}));

        TQDObjectList Back(false);
        Buf.close();
        Buf.open(QIODevice::ReadOnly);
        Back.ReadData(&Buf);
        QVERIFY(Back.OwnsObjects());
        QCOMPARE(Back.Count(), 0);
    }

    void roundTripKeepsOrderAndOwnershipFlag()
    {
        TQDObjectList Source(false);
        TTestItem A(QStringLiteral("eins")), B(QStringLiteral("zwei"));
        Source.Add(&A);
        Source.Add(&B);
        QBuffer Buf;
        Buf.open(QIODevice::ReadWrite);
        Source.WriteData(&Buf);
        Buf.seek(0);

        {
            TQDObjectList Back; // owning before the read
            Back.ReadData(&Buf);
            QVERIFY(!Back.OwnsObjects());
            QCOMPARE(Values(Back), QStringList({QStringLiteral("eins"), QStringLiteral("zwei")}));

            // The flag goes back out as it came in, byte for byte.
            QBuffer Again;
            Again.open(QIODevice::WriteOnly);
            Back.WriteData(&Again);
            QCOMPARE(Again.data(), Buf.data());
            // What the list read, it frees when it goes (LeakSanitizer watches this in the
            // sanitizer build), though the stream said it owns nothing.
        }

        // Also when it is cleared or an element is deleted; an extracted one is the caller's.
        Buf.seek(0);
        TQDObjectList Back(true);
        Back.ReadData(&Buf);
        std::unique_ptr<TObject> Taken(Back.Extract(Back.Items(1)));
        Back.Delete(0);
        QCOMPARE(Back.Count(), 0);
        QCOMPARE(static_cast<TTestItem *>(Taken.get())->Value(), QStringLiteral("zwei"));
    }

    void notOwningListStillForgetsElementsItDidNotRead()
    {
        // Elements added by the program to a not-owning list stay the program's.
        TTestItem Local(QStringLiteral("lokal"));
        {
            TQDObjectList List(false);
            List.Add(&Local);
        }
        QCOMPARE(Local.Value(), QStringLiteral("lokal"));
    }

    void classNameMatchesWithoutRegardToCase()
    {
        QBuffer Buf;
        Buf.setData(ListBytes(true, {ItemRecord(QStringLiteral("ttestitem"), QStringLiteral("x")),
                                     ItemRecord(QStringLiteral("TTESTITEM"), QStringLiteral("y"))}));
        Buf.open(QIODevice::ReadOnly);
        TQDObjectList List;
        List.ReadData(&Buf);
        QCOMPARE(Values(List), QStringList({QStringLiteral("x"), QStringLiteral("y")}));
        QCOMPARE(List.Items(0)->ClassName(), QStringLiteral("TTestItem"));
    }

    void unknownClassKeepsWhatWasReadBefore()
    {
        QBuffer Buf;
        Buf.setData(ListBytes(true, {ItemRecord(QStringLiteral("TTestItem"), QStringLiteral("x")),
                                     ItemRecord(QStringLiteral("TUnbekannt"), QStringLiteral("y"))}));
        Buf.open(QIODevice::ReadOnly);
        TQDObjectList List;
        QCOMPARE(MessageOf<EClassNotFound>([&] { List.ReadData(&Buf); }),
                 QStringLiteral("Klasse <TUnbekannt> ist nicht registriert"));
        QCOMPARE(Values(List), QStringList({QStringLiteral("x")}));
    }

    void capacityErrorBeforeAnyElementIsRead_data()
    {
        QTest::addColumn<qint32>("count");
        QTest::newRow("count below the elements held") << 2;
        QTest::newRow("negative count") << -1;
    }

    void capacityErrorBeforeAnyElementIsRead()
    {
        QFETCH(qint32, count);
        TQDObjectList List;
        for (int I = 0; I < 3; ++I)
            List.Add(new TTestItem(QString::number(I)));
        QBuffer Buf;
        Buf.setData(ListBytes(true, {ItemRecord(QStringLiteral("TTestItem"), QStringLiteral("new"))}, count));
        Buf.open(QIODevice::ReadOnly);
        QCOMPARE(MessageOf<EListError>([&] { List.ReadData(&Buf); }),
                 QStringLiteral("Kapazität der Liste ist erschöpft (%1)").arg(count));
        QCOMPARE(Buf.pos(), qint64(5));
        QCOMPARE(List.Count(), 3);
    }

    void readAppendsBehindExistingElements()
    {
        TQDObjectList List;
        List.Add(new TTestItem(QStringLiteral("alt")));
        QBuffer Buf;
        Buf.setData(ListBytes(true, {ItemRecord(QStringLiteral("TTestItem"), QStringLiteral("a")),
                                     ItemRecord(QStringLiteral("TTestItem"), QStringLiteral("b"))}));
        Buf.open(QIODevice::ReadOnly);
        List.ReadData(&Buf);
        QCOMPARE(Values(List), QStringList({QStringLiteral("alt"), QStringLiteral("a"), QStringLiteral("b")}));
    }

    void damagedCountKeepsWhatWasRead_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("kept");
        const QByteArray Good = ItemRecord(QStringLiteral("TTestItem"), QStringLiteral("abc"));
        QTest::newRow("count 10, one complete element")
            << ListBytes(true, {Good}, 10) << QStringLiteral("Stream-Lesefehler") << QStringList{QStringLiteral("abc")};
        QTest::newRow("count far beyond the stream")
            << ListBytes(true, {Good}, 0x7FFFFFFF) << QStringLiteral("Stream-Lesefehler") << QStringList{QStringLiteral("abc")};
        QTest::newRow("unregistered class in the first record, count beyond the stream")
            << ListBytes(true, {ItemRecord(QStringLiteral("TFremd"), QStringLiteral("x"))}, 1000)
            << QStringLiteral("Klasse <TFremd> ist nicht registriert") << QStringList{};
        QTest::newRow("unregistered class after a good record")
            << ListBytes(true, {Good, ItemRecord(QStringLiteral("TFremd"), QStringLiteral("x"))}, 50)
            << QStringLiteral("Klasse <TFremd> ist nicht registriert") << QStringList{QStringLiteral("abc")};
    }

    void damagedCountKeepsWhatWasRead()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QString, message);
        QFETCH(QStringList, kept);
        QBuffer Buf;
        Buf.setData(stream);
        Buf.open(QIODevice::ReadOnly);
        TQDObjectList List;
        QCOMPARE(MessageOf<EZavError>([&] { List.ReadData(&Buf); }), message);
        QCOMPARE(Values(List), kept);
        // Nothing was reserved for the damaged count.
        QVERIFY(List.Capacity() < 1000);
    }

    void damagedStreamsFailWithReadError_data()
    {
        QTest::addColumn<QByteArray>("stream");
        const QByteArray Good = ItemRecord(QStringLiteral("TTestItem"), QStringLiteral("abc"));
        QTest::newRow("ends inside a counted string") << ListBytes(true, {Good.left(Good.size() - 1)});
        QTest::newRow("ends inside a length") << ListBytes(true, {Good.left(2)});
        QTest::newRow("ends before the count") << Bytes({1, 0, 0});
        QTest::newRow("empty stream") << QByteArray();
        QTest::newRow("string length beyond the stream")
            << ListBytes(true, {CountedString(QStringLiteral("TTestItem")) + Int32(0x7FFFFFFF) + Bytes({0x61, 0})});
        QTest::newRow("element count beyond an empty rest") << ListBytes(true, {}, 0x7FFFFFFF);
    }

    void damagedStreamsFailWithReadError()
    {
        QFETCH(QByteArray, stream);
        QBuffer Buf;
        Buf.setData(stream);
        Buf.open(QIODevice::ReadOnly);
        TQDObjectList List;
        QCOMPARE(MessageOf<EReadError>([&] { List.ReadData(&Buf); }), QStringLiteral("Stream-Lesefehler"));
        QCOMPARE(List.Count(), 0);
        // Nothing was reserved for the damaged count.
        QVERIFY(List.Capacity() < 1000);
    }

    void deeplyNestedListsFailInsteadOfOverflowingTheStack()
    {
        // Lists of lists, each holding the next: legitimate a few levels deep, damage at
        // a hundred thousand.
        QByteArray Level = CountedString(QStringLiteral("TTestList")) + Bytes({1}) + Int32(1);
        QByteArray Stream = Bytes({1}) + Int32(1);
        for (int I = 0; I < 100000; ++I)
            Stream += Level;
        const QByteArray Empty = CountedString(QStringLiteral("TTestList")) + Bytes({1}) + Int32(0);
        Stream += Empty;
        QBuffer Buf;
        Buf.setData(Stream);
        Buf.open(QIODevice::ReadOnly);
        TQDObjectList List;
        QCOMPARE(MessageOf<EReadError>([&] { List.ReadData(&Buf); }), QStringLiteral("Stream-Lesefehler"));
        QCOMPARE(List.Count(), 0);

        // Three levels still read.
        Stream = Bytes({1}) + Int32(1) + Level + Level + Empty;
        Buf.close();
        Buf.setData(Stream);
        Buf.open(QIODevice::ReadOnly);
        List.ReadData(&Buf);
        QCOMPARE(List.Count(), 1);
    }

    void failedReadOfANotOwningListFreesWhatItRead()
    {
        // The inner list says it owns nothing and fails after one element: the element must
        // not leak (LeakSanitizer watches this in the sanitizer build).
        const QByteArray Item = ItemRecord(QStringLiteral("TTestItem"), QStringLiteral("a"));
        const QByteArray Inner = CountedString(QStringLiteral("TTestList")) + Bytes({0}) + Int32(2) + Item + Item.left(5);
        QBuffer Buf;
        Buf.setData(Bytes({1}) + Int32(1) + Inner);
        Buf.open(QIODevice::ReadOnly);
        TQDObjectList List;
        QCOMPARE(MessageOf<EReadError>([&] { List.ReadData(&Buf); }), QStringLiteral("Stream-Lesefehler"));
        QCOMPARE(List.Count(), 0);
    }

    void namedOperationsAreInheritedFromTheBase()
    {
        auto *Inner = new TTestList(true);
        Inner->Add(new TTestItem(QStringLiteral("innen")));
        TQDObjectList Outer;
        Outer.Add(Inner);
        QBuffer Buf;
        Buf.open(QIODevice::ReadWrite);
        Outer.WriteData(&Buf);
        Buf.seek(0);
        TQDObjectList Back;
        Back.ReadData(&Buf);
        QCOMPARE(Back.Count(), 1);
        auto *BackInner = dynamic_cast<TTestList *>(Back.Items(0));
        QVERIFY(BackInner);
        QVERIFY(BackInner->OwnsObjects());
        QCOMPARE(Values(*BackInner), QStringList({QStringLiteral("innen")}));
    }

    void registryFailures()
    {
        QBuffer Buf;
        Buf.open(QIODevice::ReadWrite);
        QCOMPARE(MessageOf<EClassNotFound>([&] { WriteObjectToStream(nullptr, &Buf); }),
                 QStringLiteral("Quellobjekt: Zeiger nicht initialisiert"));
        QCOMPARE(Buf.size(), qint64(0));

        TQDObjectList Unregistered;
        QCOMPARE(MessageOf<EClassNotFound>([&] { WriteObjectToStream(&Unregistered, &Buf); }),
                 QStringLiteral("Klasse <TQDObjectList> ist nicht registriert"));
        QCOMPARE(Buf.size(), qint64(0));

        TBrokenItem Broken;
        QCOMPARE(MessageOf<EClassNotFound>([&] { WriteObjectToStream(&Broken, &Buf); }),
                 QStringLiteral("Die Store-Methode <NoSuchStore> wurde nicht gefunden"));
        // The class name is already written when the storer turns out to be missing.
        QCOMPARE(Buf.data(), CountedString(QStringLiteral("TBrokenItem")));

        Buf.seek(0);
        QCOMPARE(MessageOf<EClassNotFound>([&] { delete ReadObjectFromStream(&Buf); }),
                 QStringLiteral("Die Load-Methode <NoSuchLoad> wurde nicht gefunden"));
    }

    void firstRegistrationWins()
    {
        RegisterStreamClass(TTestItem::ClassInfo(), QStringLiteral("Other"), QStringLiteral("Names"));
        const TMyObjItem *Item = GetRegistration(QStringLiteral("tTestItem"));
        QVERIFY(Item);
        QCOMPARE(Item->LoaderName(), QStringLiteral("LoadItem"));
        QCOMPARE(Item->StorerName(), QStringLiteral("StoreItem"));
        QCOMPARE(GetRegistration(QStringLiteral("TNichtDa")), nullptr);
    }

    void oldStyleClassNameIsAShortString()
    {
        QBuffer Buf;
        Buf.setData(Bytes({9}) + QByteArray("TTestItem") + CountedString(QStringLiteral("alt")));
        Buf.open(QIODevice::ReadOnly);
        std::unique_ptr<TObject> Obj(ReadObjectFromStream(&Buf, true));
        QCOMPARE(static_cast<TTestItem *>(Obj.get())->Value(), QStringLiteral("alt"));
    }

    void writeToAReadOnlyStreamFails()
    {
        QByteArray Data;
        QBuffer Buf(&Data);
        Buf.open(QIODevice::ReadOnly);
        TQDObjectList List;
        QCOMPARE(MessageOf<EWriteError>([&] { List.WriteData(&Buf); }), QStringLiteral("Stream-Schreibfehler"));
    }

    void fileRoundTripAndFileErrors()
    {
        QTemporaryDir Dir;
        QVERIFY(Dir.isValid());
        const QString Path = Dir.filePath(QStringLiteral("liste ä.bin"));
        TQDObjectList List;
        List.Add(new TTestItem(QStringLiteral("datei")));
        List.SaveToFile(Path);
        std::unique_ptr<TQDObjectList> Back = TQDObjectList::CreateFromFile(Path);
        QCOMPARE(Values(*Back), QStringList({QStringLiteral("datei")}));

        const QString Missing = Dir.filePath(QStringLiteral("fehlt/liste.bin"));
        const QString CreateMsg = MessageOf<EFCreateError>([&] { List.SaveToFile(Missing); });
        QVERIFY2(CreateMsg.startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(Missing)),
                 qPrintable(CreateMsg));
        QVERIFY(CreateMsg.size() > QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(Missing).size());

        TQDObjectList Target;
        const QString OpenMsg = MessageOf<EFOpenError>([&] { Target.LoadFromFile(Missing); });
        QVERIFY2(OpenMsg.startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(Missing)),
                 qPrintable(OpenMsg));
        const QString DirMsg = MessageOf<EFOpenError>([&] { Target.LoadFromFile(Dir.path()); });
        QVERIFY2(DirMsg.startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden.").arg(Dir.path())),
                 qPrintable(DirMsg));
    }

    void failedSaveLeavesTheOldFile()
    {
        QTemporaryDir Dir;
        QVERIFY(Dir.isValid());
        const QString Path = Dir.filePath(QStringLiteral("liste.bin"));
        TQDObjectList Good;
        Good.Add(new TTestItem(QStringLiteral("gut")));
        Good.SaveToFile(Path);
        QFile Before(Path);
        QVERIFY(Before.open(QIODevice::ReadOnly));
        const QByteArray OldBytes = Before.readAll();
        Before.close();

        // The second element cannot be stored: the file being replaced stays as it was.
        TQDObjectList Bad;
        Bad.Add(new TTestItem(QStringLiteral("neu")));
        Bad.Add(new TQDObjectList);
        QCOMPARE(MessageOf<EClassNotFound>([&] { Bad.SaveToFile(Path); }),
                 QStringLiteral("Klasse <TQDObjectList> ist nicht registriert"));
        QVERIFY(Before.open(QIODevice::ReadOnly));
        QCOMPARE(Before.readAll(), OldBytes);
        Before.close();
        QCOMPARE(Values(*TQDObjectList::CreateFromFile(Path)), QStringList{QStringLiteral("gut")});
        // No temporary file is left behind.
        QCOMPARE(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("liste.bin")});
    }

    void saveToAFullDiskFails()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        TQDObjectList List;
        List.Add(new TTestItem(QString(70000, u'x')));
        QCOMPARE(MessageOf<EWriteError>([&] { List.SaveToFile(QStringLiteral("/dev/full")); }),
                 QStringLiteral("Stream-Schreibfehler"));
        // The device is written to, never replaced by a file.
        QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
    }

    void loadRefusesWhatIsNoRegularFile()
    {
        QTemporaryDir Dir;
        QVERIFY(Dir.isValid());
        const QString Fifo = Dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
        TQDObjectList List;
        // Opening a pipe without a writer would block for ever.
        QCOMPARE(MessageOf<EFOpenError>([&] { List.LoadFromFile(Fifo); }),
                 QStringLiteral("Datei %1 kann nicht geöffnet werden. Keine reguläre Datei").arg(Fifo));
    }

    void indexErrorsNameTheIndex()
    {
        TQDObjectList List;
        QCOMPARE(MessageOf<EListError>([&] { List.Items(0); }),
                 QStringLiteral("Listenindex außerhalb des gültigen Bereichs (0)"));
    }

    void clipboardFormatIsStablePerName()
    {
        QCOMPARE(RegisterClipboardFormat(QStringLiteral("Quandora Object")), cf_TQDObject);
        QVERIFY(RegisterClipboardFormat(QStringLiteral("Anderes Format")) != cf_TQDObject);
        QVERIFY(cf_TQDObject >= 0xC000u);
    }
};

QTEST_GUILESS_MAIN(TestQDStreamList)
#include "tst_qdstreamlist.moc"
