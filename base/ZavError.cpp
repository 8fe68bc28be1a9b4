#include "ZavError.h"

EZavError::EZavError(const QString &AMessage)
    : FMessage(AMessage)
    , FWhat(AMessage.toUtf8())
{
}
