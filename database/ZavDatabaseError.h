#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

class QSqlError;

// The error every operation of the engine layer raises: the engine's message (or one of
// ours, in German) and the statement that failed, empty when there is none.
class EDatabaseError : public std::exception
{
public:
    explicit EDatabaseError(const QString &AMessage, const QString &AStatement = QString());

    // The message as the user sees it.
    const QString &Message() const { return FMessage; }
    // The statement the engine refused, as it was given to the engine layer.
    const QString &Statement() const { return FStatement; }
    // The message in UTF-8.
    const char *what() const noexcept override { return FWhat.constData(); }

private:
    QString FMessage;
    QString FStatement;
    QByteArray FWhat;
};

// The engine's own text of a QtSql error, or Qt's when the engine gave none.
QString EngineMessage(const QSqlError &AError);
