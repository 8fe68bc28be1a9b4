#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Base of the errors this system raises; carries a German message for the user.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &AMessage);
    const QString &Message() const { return FMessage; }
    const char *what() const noexcept override { return FWhat.constData(); }

private:
    QString FMessage;
    QByteArray FWhat;
};

class EStreamError : public Exception
{
public:
    using Exception::Exception;
};

class EReadError : public EStreamError
{
public:
    EReadError();
};

class EWriteError : public EStreamError
{
public:
    EWriteError();
};

class EFCreateError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

class EListError : public Exception
{
public:
    using Exception::Exception;
    static EListError IndexError(qsizetype AIndex);
    static EListError CapacityError(qsizetype ACapacity);
};
