#include "ZavDatabaseError.h"

EDatabaseError::EDatabaseError(const QString &AMessage, const QString &AStatement)
    : FMessage(AMessage)
    , FStatement(AStatement)
    , FWhat(AMessage.toUtf8())
{
}
