#include "DMDict.h"

#include "ZavAccessFile.h"
#include "ZavDatabaseError.h"
#include "ZavTable.h"

TDMDict *DMDict = nullptr;

namespace {

// The connection string of the engine layer, "%s" standing for the catalogue's path.
const QString ConnectTemplate = QStringLiteral("Provider=SQLite;Busy Timeout=5000;Data Source=%s");

} // namespace

TDMDict::TDMDict() = default;

TDMDict::~TDMDict()
{
    Close();
}

void TDMDict::Close()
{
    FDataSets.clear();
    ConnectionDictionary.Close();
    FAccess.reset();
}

bool TDMDict::ConnectToDB(const QString &AFilename)
{
    Close();
    FConnectError.clear();
    try {
        if (TZavAccessFile::IsAccessFile(AFilename)) {
            FAccess = std::make_unique<TZavAccessFile>(AFilename);
        } else {
            QString ConnectStr = ConnectTemplate;
            ConnectStr.replace(QStringLiteral("%s"), AFilename);
            ConnectionDictionary.SetConnectionString(ConnectStr);
            ConnectionDictionary.Open();
        }
    } catch (const EDatabaseError &E) {
        FConnectError = E.Message();
        Close();
    }
    return Connected();
}

bool TDMDict::Connected() const
{
    return FAccess || ConnectionDictionary.Connected();
}

TZavDataSet *TDMDict::DataSet(const QString &ATablename)
{
    const QString Key = ATablename.toUpper();
    if (auto It = FDataSets.constFind(Key); It != FDataSets.constEnd()) {
        It.value()->Close();
        return It.value().get();
    }
    std::shared_ptr<TZavDataSet> Made;
    if (FAccess) {
        Made = std::make_shared<TZavAccessTable>(ConnectionDictionary, *FAccess, ATablename);
    } else {
        auto Table = std::make_shared<TZavTable>(ConnectionDictionary);
        Table->SetTableName(ATablename);
        Made = Table;
    }
    FDataSets.insert(Key, Made);
    return Made.get();
}

QString TDMDict::TableNameOf(const TZavDataSet *ADataset)
{
    if (const auto *Table = dynamic_cast<const TZavTable *>(ADataset))
        return Table->TableName();
    if (const auto *Access = dynamic_cast<const TZavAccessTable *>(ADataset))
        return Access->TableName();
    return QString();
}
