#pragma once

#include "ZavError.h"

#include <QString>

class QSqlError;

// The error every operation of the engine layer raises: the engine's message (or one of
// ours, in German) and the statement that failed, empty when there is none.
class EDatabaseError : public EZavError
{
public:
    explicit EDatabaseError(const QString &AMessage, const QString &AStatement = QString());

    // The statement the engine refused, as it was given to the engine layer.
    const QString &Statement() const { return FStatement; }

private:
    QString FStatement;
};

// The engine's own text of a QtSql error, or Qt's when the engine gave none.
QString EngineMessage(const QSqlError &AError);
