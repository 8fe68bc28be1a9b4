#include "ZavDatabaseError.h"

#include <QSqlError>

EDatabaseError::EDatabaseError(const QString &AMessage, const QString &AStatement)
    : FMessage(AMessage)
    , FStatement(AStatement)
    , FWhat(AMessage.toUtf8())
{
}

QString EngineMessage(const QSqlError &AError)
{
    const QString Text = AError.databaseText();
    return Text.isEmpty() ? AError.text() : Text;
}
