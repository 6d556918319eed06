#pragma once
#include <QString>
#include <exception>

// A command that fails throws this with a text meant for the user (file, line, reason).
// Slots catch it at their boundary (see errorreport.h); it never crosses the event loop.
class AppError : public std::exception {
public:
    explicit AppError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};
