#include "ZavDatabaseError.h"

#include <QSqlError>

EDatabaseError::EDatabaseError(const QString &AMessage, const QString &AStatement)
    : EZavError(AMessage)
    , FStatement(AStatement)
{
}

QString EngineMessage(const QSqlError &AError)
{
    const QString Text = AError.databaseText();
    return Text.isEmpty() ? AError.text() : Text;
}
