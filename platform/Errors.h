#pragma once

#include <QString>
#include <stdexcept>

// The program's own exception: its message is what the error box shows.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

// Raised when a text is not a number the strict conversion accepts.
class ConversionError : public PlatformError {
public:
    using PlatformError::PlatformError;
};
