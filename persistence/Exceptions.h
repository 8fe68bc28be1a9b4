#pragma once

#include "ZavError.h"

#include <QString>

// Base of the stream, list and registry errors.
class Exception : public EZavError
{
public:
    using EZavError::EZavError;
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
