#include "Exceptions.h"

EReadError::EReadError()
    : EStreamError(QStringLiteral("Stream-Lesefehler"))
{
}

EWriteError::EWriteError()
    : EStreamError(QStringLiteral("Stream-Schreibfehler"))
{
}

EListError EListError::IndexError(qsizetype AIndex)
{
    return EListError(QStringLiteral("Listenindex außerhalb des gültigen Bereichs (%1)").arg(AIndex));
}

EListError EListError::CapacityError(qsizetype ACapacity)
{
    return EListError(QStringLiteral("Kapazität der Liste ist erschöpft (%1)").arg(ACapacity));
}
