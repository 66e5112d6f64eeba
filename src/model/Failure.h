#pragma once

#include <QString>

#include <exception>

// A failure that ends the running handler or command. It travels up through
// nested handlers to the one place in the application that shows it; what was
// written before it was raised stays written.
class Failure : public std::exception
{
public:
    explicit Failure(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }

    // The user-facing text, without the closing full stop the error box adds.
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
