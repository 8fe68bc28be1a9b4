#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Root of every error this program raises: the stream and list errors, the engine
// layer's errors and the model's refusals. Carries the German message the user sees, so
// one catch shows any of them.
class EZavError : public std::exception
{
public:
    explicit EZavError(const QString &AMessage);

    const QString &Message() const { return FMessage; }
    // The message in UTF-8.
    const char *what() const noexcept override { return FWhat.constData(); }

private:
    QString FMessage;
    QByteArray FWhat;
};
